#include "HistoryGroups.h"

#include "records/SearchRange.h"

#include <QHash>

#include <algorithm>

namespace zol {

QString ProjectTotal::title() const
{
    const QString number = badge();
    return number.isEmpty() ? projectName : number + u' ' + projectName;
}

QString ProjectTotal::badge() const
{
    if (isInternal || Project::isLocalKey(projectSerial))
        return {};
    return projectSerial;
}

double ProjectTotal::totalSeconds(const QDateTime& now) const
{
    double total = 0;
    for (const TimeEntry& entry : entries)
        total += entry.duration(now);
    return total;
}

bool ProjectTotal::holdsOpenSession() const
{
    return std::any_of(entries.cbegin(), entries.cend(),
                       [](const TimeEntry& e) { return e.isOpen(); });
}

bool ProjectTotal::holdsRunningSession() const
{
    return std::any_of(entries.cbegin(), entries.cend(),
                       [](const TimeEntry& e) { return e.isTicking(); });
}

QList<QUuid> ProjectTotal::ids() const
{
    QList<QUuid> ids;
    ids.reserve(entries.size());
    for (const TimeEntry& entry : entries)
        ids.append(entry.id);
    return ids;
}

double HistoryDay::totalSeconds(const QDateTime& now) const
{
    double total = 0;
    for (const ProjectTotal& group : groups)
        total += group.totalSeconds(now);
    return total;
}

int HistoryDay::sessionCount() const
{
    int count = 0;
    for (const ProjectTotal& group : groups)
        count += int(group.entries.size());
    return count;
}

namespace HistoryGroups {

QList<HistoryDay> byDay(const QList<TimeEntry>& entries, const Calendar& calendar)
{
    QList<HistoryDay> days;
    // The group of each key within the day being filled.
    QHash<QString, qsizetype> groupOf;
    for (const TimeEntry& entry : entries) {
        const QDate day = calendar.day(entry.startedAt);
        if (days.isEmpty() || days.constLast().day != day) {
            // Sessions come newest first; a day seen before (an order the
            // store never gives) still gets its own run rather than a wrong merge.
            days.append(HistoryDay{day, {}});
            groupOf.clear();
        }
        HistoryDay& current = days.last();
        const QString key = entry.isInternal
                                ? QStringLiteral("\x01") + Search::fold(entry.projectName.trimmed())
                                : entry.projectSerial;
        const auto found = groupOf.constFind(key);
        if (found != groupOf.constEnd()) {
            current.groups[*found].entries.append(entry);
            continue;
        }
        groupOf.insert(key, current.groups.size());
        current.groups.append(ProjectTotal{entry.isInternal ? QString() : entry.projectSerial,
                                           entry.projectName,
                                           entry.clientName,
                                           entry.isInternal,
                                           {entry}});
    }
    return days;
}

} // namespace HistoryGroups

} // namespace zol
