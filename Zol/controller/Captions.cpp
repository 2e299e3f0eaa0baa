#include "Captions.h"

namespace zol::Captions {

namespace {

QString numbered(const QString& number, const QString& name)
{
    return number.isEmpty() ? name : number + u' ' + name;
}

} // namespace

QString projectTitle(const Project& project)
{
    return numbered(project.displaySerial(), project.name);
}

QString sessionTitle(const TimeEntry& entry)
{
    return numbered(badge(entry), entry.projectName);
}

QString badge(const TimeEntry& entry)
{
    return entry.isInternal ? QString() : Project::numberToShow(entry.projectSerial);
}

} // namespace zol::Captions
