#pragma once

#include "files/FileSystem.h"
#include "formats/TimesheetPeriod.h"
#include "support/Calendar.h"
#include "support/Clock.h"
#include "support/Error.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zol {

// Everyone's handed-in timesheets, read straight off the studio folder into
// one snapshot in which every session counts once (by its id; the newer file
// wins), with the figures the analytics and the HTML report ask for. Reads
// only; never writes to the studio folder. Files there come from other
// machines: a timesheet that cannot be read is listed, never fatal.
class StudioHours
{
public:
    // One session as found in a timesheet.
    struct Record
    {
        QString id;
        // Whose timesheets it came from.
        QString person;
        // Start of the local day of the session.
        QDateTime day;
        double seconds = 0;
        QString projectNumber;
        QString clientName;
        QString projectName;
        bool isInternal = false;
        QString note;
        QString computer;
        QString task;

        double hours() const { return seconds / 3600.0; }
        // "•internal" for internal work, else the number, else "•" + the name.
        QString projectKey() const;
        // The client folded for comparison.
        QString clientKey() const;
        // The task folded, or "•no-task".
        QString taskKey() const;

        bool operator==(const Record& other) const = default;
    };

    // One line of a breakdown.
    struct Total
    {
        // The grouping key.
        QString id;
        QString title;
        QString subtitle;
        double seconds = 0;
        int count = 0;

        double hours() const { return seconds / 3600.0; }
        bool operator==(const Total& other) const = default;
    };

    // One step of the chart: a day (a month in a year) and its total.
    struct Bucket
    {
        QDateTime start;
        double seconds = 0;
        bool operator==(const Bucket& other) const = default;
    };

    class ReadError final : public ErrorOf<ReadError>
    {
    public:
        // "No studio folder chosen yet. Set one in Settings, Studio."
        static ReadError noFolderChosen();
        // "Cannot reach <path>. Is the NAS mounted?"
        static ReadError unreachable(const QString& path);

    private:
        using ErrorOf::ErrorOf;
    };

    // Records picked out of a snapshot, as pointers into its `records`: valid
    // for as long as that snapshot lives unchanged. Picking and totalling
    // these copies no session, which over a studio's year of them is most of
    // the time a change of period, search or grouping would take.
    using Rows = QList<const Record*>;

    struct Snapshot
    {
        // Every session found, each id once, sorted by day, then person.
        QList<Record> records;
        // Everybody with a folder, timesheets or not.
        QStringList people;
        // File names of timesheets that could not be read.
        QStringList unreadable;
        QDateTime readAt;
        // The calendar the days and periods were worked out in.
        Calendar calendar;

        bool isEmpty() const { return records.isEmpty(); }
        double totalSeconds() const;
        double totalHours() const { return totalSeconds() / 3600.0; }

        // The records whose day lies in the period.
        QList<Record> recordsIn(const TimesheetPeriod& period) const;
        // The same, narrowed by a search (person, client, project, number,
        // task or note, folded); a blank query matches everything.
        QList<Record> recordsIn(const TimesheetPeriod& period, QStringView query) const;
        // The same records, not copied.
        Rows rowsIn(const TimesheetPeriod& period, QStringView query = {}) const;

        // Breakdowns, largest first.
        QList<Total> byPerson(const TimesheetPeriod& period) const;
        QList<Total> byClient(const TimesheetPeriod& period) const;
        QList<Total> byProject(const TimesheetPeriod& period) const;
        QList<Total> byTask(const TimesheetPeriod& period) const;
        static QList<Total> byPerson(const QList<Record>& records);
        static QList<Total> byClient(const QList<Record>& records);
        static QList<Total> byProject(const QList<Record>& records);
        static QList<Total> byTask(const QList<Record>& records);
        static QList<Total> byPerson(const Rows& rows);
        static QList<Total> byClient(const Rows& rows);
        static QList<Total> byProject(const Rows& rows);
        static QList<Total> byTask(const Rows& rows);

        // One bucket per day of a week or month, per month of a year, from the
        // period's start; steps without records carry 0.
        QList<Bucket> byDay(const TimesheetPeriod& period) const;
        QList<Bucket> buckets(const TimesheetPeriod& period, const QList<Record>& records) const;
        QList<Bucket> buckets(const TimesheetPeriod& period, const Rows& rows) const;

        // People with a folder but no record in the period.
        QStringList peopleWithNothing(const TimesheetPeriod& period) const;

        bool operator==(const Snapshot& other) const;
    };

    // Told on the reading thread how many of the timesheets found have been
    // read: (0, total) once they are all found, then as they are read, up to
    // (total, total).
    using Progress = std::function<void(qsizetype read, qsizetype total)>;

    // Reads every person folder under ".zol/hours" of `share` (the studio
    // folder; none when none is chosen). Throws ReadError without a folder, or
    // when it (or an existing "hours" in it) cannot be listed; a studio without
    // "hours" has nobody in it. Timesheets that cannot be read, and folders
    // inside a person folder that cannot be listed, are named in `unreadable`.
    // The share is read through `fileSystem`'s view confined to it: nothing is
    // read through a symbolic link below it. The files are read on every
    // core; `progress` hears how far the read has come.
    static Snapshot read(const std::optional<QString>& share, FileSystem& fileSystem,
                         const Clock& clock = Clock::system(),
                         const Calendar& calendar = Calendar(), const Progress& progress = {});

    // Pointers to every record of `records`, in order.
    static Rows rowsOf(const QList<Record>& records);
    // Copies of the records `rows` point to, in order.
    static QList<Record> recordsOf(const Rows& rows);

    // The records as CSV, written by CSVWriter (text fields spreadsheet-safe)
    // and readable by CSVReader: id,date,person,client,project_number,
    // project_name,task,internal,hours,duration_seconds,note,computer; dates
    // in `calendar`'s time zone (give the snapshot's calendar).
    static QString csv(const QList<Record>& records, const Calendar& calendar = Calendar());
    // "zol-<period id>-studio.csv"
    static QString fileName(const TimesheetPeriod& period);
};

} // namespace zol
