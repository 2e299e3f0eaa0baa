#include "share/AutoUpload.h"

#include <QSet>

#include <algorithm>

namespace zol::AutoUpload {

namespace {

// Collects periods once each, in the order first met.
class PeriodList
{
public:
    void add(const TimesheetPeriod& period)
    {
        if (!m_seen.contains(period)) {
            m_seen.insert(period);
            m_periods.append(period);
        }
    }

    void addUploadedKinds(const QDateTime& date, const Calendar& calendar)
    {
        for (TimesheetPeriod::Kind kind : TimesheetPeriod::uploadedKinds())
            add(TimesheetPeriod(kind, date, calendar));
    }

    // Later start first; a week before the month that starts at the same
    // moment (kinds compare in their declared order).
    QList<TimesheetPeriod> sorted()
    {
        std::stable_sort(m_periods.begin(), m_periods.end(),
                         [](const TimesheetPeriod& a, const TimesheetPeriod& b) {
                             if (a.start() != b.start())
                                 return a.start() > b.start();
                             return a.kind() < b.kind();
                         });
        return m_periods;
    }

private:
    QSet<TimesheetPeriod> m_seen;
    QList<TimesheetPeriod> m_periods;
};

} // namespace

QList<TimesheetPeriod> periodsNeedingUpload(const QList<TimeEntry>& entries, const QDateTime& now,
                                            const Calendar& calendar)
{
    PeriodList periods;
    periods.addUploadedKinds(now, calendar);
    // Deleted sessions count too: the store hands in only those that were
    // uploaded, and their period's file must be written again without them.
    for (const TimeEntry& entry : entries) {
        if (entry.endedAt)
            periods.addUploadedKinds(entry.startedAt, calendar);
    }
    return periods.sorted();
}

QList<TimesheetPeriod> allPeriods(const QList<QDate>& days, const Calendar& calendar)
{
    PeriodList periods;
    for (QDate day : days)
        periods.addUploadedKinds(calendar.startOfDay(day), calendar);
    return periods.sorted();
}

bool shouldSend(const TimeEntry& entry)
{
    return entry.endedAt.has_value() && !entry.deletedAt.has_value();
}

} // namespace zol::AutoUpload
