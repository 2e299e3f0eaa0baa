// The timesheets of a whole year, as a full upload pass after a restore would
// build them: for each of the 53 weeks and 12 months of 2026, pick the period's
// sessions out of 10,000 and render its CSV text. Shown for reference beside
// the baseline of building the 10,000 export rows once; there is no target.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "formats/EntryExporter.h"
#include "formats/Timesheet.h"
#include "share/AutoUpload.h"

#include <QDateTime>
#include <QList>

namespace {

using namespace zol;
using namespace zol::bench;

const int sessionCount = sized(10'000, 200);

// The 53 weeks, then the 12 months of 2026.
QList<TimesheetPeriod> periodsOf2026(const Calendar& calendar)
{
    QList<TimesheetPeriod> periods;
    const QDateTime newYear = calendar.startOfDay(QDate(2026, 1, 1));
    for (TimesheetPeriod week(TimesheetPeriod::Kind::week, newYear, calendar); week.year() == 2026;
         week = week.offset(1))
        periods.append(week);
    for (TimesheetPeriod month(TimesheetPeriod::Kind::month, newYear, calendar);
         month.year() == 2026; month = month.offset(1))
        periods.append(month);
    return periods;
}

} // namespace

int main()
{
    const Calendar calendar;
    const QDateTime now(QDate(2026, 12, 31), QTime(16, 0), Qt::UTC);
    QList<TimeEntry> entries;
    entries.reserve(sessionCount);
    StudioHistory(now).generate(sessionCount, 365,
                                [&entries](const TimeEntry& entry) { entries.append(entry); });
    const QList<TimesheetPeriod> periods = periodsOf2026(calendar);
    const QString person = QStringLiteral("Anna van der Berg");

    qsizetype sheetChars = 0;
    qsizetype rowFields = 0;
    const auto allTimesheets = [&] {
        sheetChars = 0;
        for (const TimesheetPeriod& period : periods) {
            QList<TimeEntry> chosen;
            for (const TimeEntry& entry : entries) {
                if (AutoUpload::shouldSend(entry) && period.contains(entry.startedAt))
                    chosen.append(entry);
            }
            sheetChars += Timesheet(period, person, chosen).csv(now).size();
        }
    };
    const auto allRows = [&] {
        rowFields = 0;
        for (const TimeEntry& entry : entries)
            rowFields += EntryExporter::row(entry, person, now, calendar).size();
    };

    report({QStringLiteral("Timesheets of a year: %1 periods over %2 sessions")
                .arg(periods.size())
                .arg(count(sessionCount)),
            QStringLiteral("filter and render every week and month of 2026"),
            QStringLiteral("EntryExporter::row for every session once"),
            measurePair(rounds(7), allTimesheets, allRows), 1,
            QStringLiteral("%1 characters of CSV; %2 row values")
                .arg(count(sheetChars), count(rowFields)),
            false});
    return 0;
}
