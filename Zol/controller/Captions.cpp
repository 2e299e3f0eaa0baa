#include "Captions.h"

#include "support/PlainText.h"

namespace zol::Captions {

namespace {

// Number and name each isolated: a name written right to left keeps its
// place after the number, and cannot reorder what follows the caption.
// Books from before the rule on controls may still hold some: they are left
// out of what is shown.
QString numbered(const QString& number, const QString& name)
{
    using PlainText::Kind;
    const QString shownName = PlainText::isolated(PlainText::withoutControls(name, Kind::line));
    if (number.isEmpty())
        return shownName;
    return PlainText::isolated(PlainText::withoutControls(number, Kind::line)) + u' ' + shownName;
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
