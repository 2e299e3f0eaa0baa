#include "Captions.h"

#include "support/PlainText.h"

namespace zol::Captions {

namespace {

// Number and name each isolated: a name written right to left keeps its
// place after the number, and cannot reorder what follows the caption.
// (The books already read names without controls.)
QString numbered(const QString& number, const QString& name)
{
    return number.isEmpty() ? PlainText::isolated(name)
                            : PlainText::isolated(number) + u' ' + PlainText::isolated(name);
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
