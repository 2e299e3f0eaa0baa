#pragma once

#include "formats/EntryExporter.h"
#include "formats/TimesheetPeriod.h"
#include "reports/StudioHours.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace zol {

class FileSystem;
class HistoryModel;
class OpenBooks;
class Platform;
class StatusModel;

// Which of the person's sessions an export covers: the period the History
// shows, everything in the books, or a given week, month or year (the command
// line's choice). Every scope holds the live sessions, the running one
// included (it counts up to the moment of export); deleted ones never go out.
struct ExportScope
{
    enum class Kind { shown, everything, period };

    Kind kind = Kind::shown;
    // Set for Kind::period only.
    std::optional<TimesheetPeriod> period;

    static ExportScope shownInHistory() { return {}; }
    static ExportScope everything() { return {Kind::everything, std::nullopt}; }
    static ExportScope of(const TimesheetPeriod& period) { return {Kind::period, period}; }

    bool operator==(const ExportScope& other) const = default;
};

// How far the read of the studio folder running now has come: the timesheets
// read of those found. Both 0 while none runs, and until they are found.
struct StudioReadProgress
{
    qsizetype read = 0;
    qsizetype found = 0;

    bool operator==(const StudioReadProgress& other) const = default;
};

// The controller's exports and the studio's hours: the person's sessions as
// CSV or JSON, and from Analytics the snapshot read off the studio folder with
// its report, sessions and package.
//
// Every export asks the desktop where to save; a cancelled dialog writes
// nothing and says nothing. Otherwise the outcome goes to the status line,
// and a written file is revealed in the file browser. No export changes any
// stored data.
class ReportsModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportsModel)
    Q_PROPERTY(std::optional<zol::StudioHours::Snapshot> studio READ studio NOTIFY studioChanged)
    Q_PROPERTY(std::optional<QString> studioError READ studioError NOTIFY studioErrorChanged)
    Q_PROPERTY(bool isReadingStudio READ isReadingStudio NOTIFY isReadingStudioChanged)
    Q_PROPERTY(zol::StudioReadProgress studioReadProgress READ studioReadProgress NOTIFY
                   studioReadProgressChanged)
    Q_PROPERTY(QString studioQuery READ studioQuery WRITE setStudioQuery NOTIFY studioQueryChanged)
    Q_PROPERTY(zol::TimesheetPeriod::Kind reportKind READ reportKind WRITE setReportKind NOTIFY
                   reportKindChanged)
    Q_PROPERTY(zol::TimesheetPeriod reportPeriod READ reportPeriod WRITE setReportPeriod NOTIFY
                   reportPeriodChanged)
    Q_PROPERTY(zol::TimesheetPeriod rememberedWeek READ rememberedWeek NOTIFY rememberedChanged)
    Q_PROPERTY(zol::TimesheetPeriod rememberedMonth READ rememberedMonth NOTIFY rememberedChanged)
    Q_PROPERTY(zol::TimesheetPeriod rememberedYear READ rememberedYear NOTIFY rememberedChanged)
    Q_PROPERTY(zol::StudioHours::Rows studioRows READ studioRows NOTIFY studioRowsChanged)

public:
    // The name the studio's report carries.
    static const QString studioName;

    ReportsModel(OpenBooks& books, StatusModel& status, const HistoryModel& history,
                 Platform& platform, FileSystem& fileSystem, QObject* parent = nullptr);
    ~ReportsModel() override;

    // --- the person's sessions ---
    // "Export tracked time": the sessions of `scope` as `format`, named after
    // the person and the days they cover.
    void exportSessions(const ExportScope& scope, EntryExporter::Format format);
    // Shows the open books' database file in the file browser (nothing for
    // books kept in memory).
    void revealDatabase();

    // --- the studio's hours ---
    // The last snapshot read; kept when a later read fails.
    const std::optional<StudioHours::Snapshot>& studio() const { return m_studio; }
    // Why the last read failed; cleared by a read that succeeds.
    const std::optional<QString>& studioError() const { return m_studioError; }
    bool isReadingStudio() const { return m_isReadingStudio; }
    const StudioReadProgress& studioReadProgress() const { return m_studioReadProgress; }
    const QString& studioQuery() const { return m_studioQuery; }
    TimesheetPeriod::Kind reportKind() const { return m_reportKind; }
    // The remembered period of reportKind().
    const TimesheetPeriod& reportPeriod() const { return remembered(m_reportKind); }
    const TimesheetPeriod& rememberedWeek() const { return m_rememberedWeek; }
    const TimesheetPeriod& rememberedMonth() const { return m_rememberedMonth; }
    const TimesheetPeriod& rememberedYear() const { return m_rememberedYear; }
    // The snapshot's records in reportPeriod() that match studioQuery(), as
    // pointers into studio(): replaced, before studioChanged() is announced,
    // whenever the snapshot is.
    const StudioHours::Rows& studioRows() const { return m_studioRows; }

    void setStudioQuery(const QString& query);
    // Shows the period last shown of `kind`.
    void setReportKind(TimesheetPeriod::Kind kind);
    // Shows `period` (and its kind) and remembers it for its kind.
    void setReportPeriod(const TimesheetPeriod& period);
    // Shows the period `steps` periods of the same kind later (earlier when negative).
    void moveReportPeriod(int steps);

    // Reads the open books' studio folder on a worker. A read already running
    // for these books is not started twice: its future is returned. The
    // future finishes once the outcome is applied, or dropped because other
    // books were opened meanwhile.
    QFuture<void> readStudio();
    // Forgets the studio snapshot read so far and its failure (the books were
    // emptied, or the studio folder disconnected).
    void dropStudio();

    // "Export report and data…": a folder holding "report.html" and
    // "sessions.csv" for the rows shown. The folder is built beside the chosen
    // place and only then put there, replacing what stood there; a failure
    // leaves whatever stood there as it was.
    void exportStudioPackage();
    // "Only the sessions, as CSV…": the rows shown.
    void exportStudioRows();
    // "Only the report, as HTML…".
    void saveStudioReport();

Q_SIGNALS:
    void studioChanged();
    void studioErrorChanged();
    void isReadingStudioChanged();
    void studioReadProgressChanged();
    void studioQueryChanged();
    void reportKindChanged();
    void reportPeriodChanged();
    void rememberedChanged();
    void studioRowsChanged();

private:
    const TimesheetPeriod& remembered(TimesheetPeriod::Kind kind) const;
    void resetForOtherBooks();
    void applyStudio(const std::optional<StudioHours::Snapshot>& snapshot,
                     const std::optional<QString>& error);
    void setStudio(const std::optional<StudioHours::Snapshot>& snapshot);
    void setStudioError(const std::optional<QString>& error);
    void setReadingStudio(bool reading);
    void setStudioReadProgress(const StudioReadProgress& progress);
    void setReportState(TimesheetPeriod::Kind kind, const TimesheetPeriod& week,
                        const TimesheetPeriod& month, const TimesheetPeriod& year);
    void updateStudioRows();
    // Says why there is nothing to export and returns false, or returns true.
    bool checkStudioRows(bool needRows);
    QList<TimeEntry> sessionsOf(const ExportScope& scope);

    OpenBooks& m_books;
    StatusModel& m_status;
    const HistoryModel& m_history;
    Platform& m_platform;
    FileSystem& m_fileSystem;

    std::optional<StudioHours::Snapshot> m_studio;
    std::optional<QString> m_studioError;
    bool m_isReadingStudio = false;
    StudioReadProgress m_studioReadProgress;
    QString m_studioQuery;
    TimesheetPeriod::Kind m_reportKind = TimesheetPeriod::Kind::month;
    TimesheetPeriod m_rememberedWeek;
    TimesheetPeriod m_rememberedMonth;
    TimesheetPeriod m_rememberedYear;
    StudioHours::Rows m_studioRows;

    // The read in flight (or the last one), the books it reads and its serial:
    // only the newest read may clear isReadingStudio.
    QFuture<void> m_studioRead;
    quint64 m_studioReadGeneration = 0;
    quint64 m_studioReadSerial = 0;
};

} // namespace zol
