#pragma once

#include "formats/TimesheetPeriod.h"
#include "records/TimeEntry.h"

#include <QList>
#include <QString>

namespace zol {

// One person's sessions for one period, as the CSV file handed in to the
// studio folder: the export's 19 columns (escaped, never prefixed, so notes
// read back exactly as typed) and a TOTAL line.
class Timesheet
{
public:
    // "hours": the folder inside ".zol" that holds every timesheet.
    static const QString folderName;

    // Keeps the entries sorted by start, earliest first (stable).
    Timesheet(const TimesheetPeriod& period, const QString& person, const QList<TimeEntry>& entries);

    const TimesheetPeriod& period() const { return m_period; }
    const QString& person() const { return m_person; }
    const QList<TimeEntry>& entries() const { return m_entries; }

    // Hours worked up to `now`, rounded to two decimals.
    double totalHours(const QDateTime& now) const;
    // The file's text.
    QString csv(const QDateTime& now) const;

    // <studio folder>/.zol/hours
    static QString root(const QString& studioFolder);
    // <person folder>/<year>/<weeks|months|years>
    static QString folder(const QString& personFolder, const TimesheetPeriod& period);
    // <person folder>/<year>/<weeks|months|years>/<id>.csv
    static QString file(const QString& personFolder, const TimesheetPeriod& period);
    // "<id>.csv"
    static QString fileName(const TimesheetPeriod& period);
    // Letters and digits kept, every other run of characters made one "-",
    // none at either end; "Onbekend" when nothing is left. At most `maxBytes`
    // of UTF-8, cut between characters, so that a file name built on it fits
    // however long the name typed.
    static QString safeName(QStringView name, qsizetype maxBytes = 200);

    bool operator==(const Timesheet& other) const = default;

private:
    TimesheetPeriod m_period;
    QString m_person;
    QList<TimeEntry> m_entries;
};

} // namespace zol
