#pragma once

#include "SharingModelState.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetPeriod.h"
#include "records/TimeEntry.h"
#include "share/SharedFolderSync.h"
#include "support/Clock.h"

#include <QDate>
#include <QDateTime>
#include <QFuture>
#include <QList>
#include <QObject>
#include <QPromise>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <type_traits>

namespace zol {

class HistoryModel;
class OpenBooks;
class Platform;
class ReportsModel;
class StatusModel;
class UpdateModel;
class FileSystem;

namespace SharingWork {
struct UploadTarget;
}

// The controller's side of the studio folder: the project-sync and upload
// loops, the manual sync and upload, and the connection and upload states the
// screens show.
//
// The loops start when books are opened and stop when they close: a project
// sync every minute and an upload pass every ten minutes, both at once when a
// volume is mounted or the machine wakes. Syncs and uploads run on worker
// threads; their results are applied on the UI thread on a later turn of the
// event loop, and dropped (only the busy flag is reset) when other books were
// opened meanwhile. Every asynchronous operation returns a future that
// finishes once its result has been applied or dropped.
//
// Background failures go to shareError and autoUploadError only; operations
// the person asked for say how they went in the status line.
class SharingModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SharingModel)
    Q_PROPERTY(std::optional<zol::SharedFolderSync::Summary> shareSummary READ shareSummary NOTIFY
                   shareSummaryChanged)
    Q_PROPERTY(std::optional<QString> shareError READ shareError NOTIFY shareErrorChanged)
    Q_PROPERTY(bool isSharing READ isSharing NOTIFY isSharingChanged)
    Q_PROPERTY(std::optional<QDateTime> lastSharedAt READ lastSharedAt NOTIFY lastSharedAtChanged)
    Q_PROPERTY(bool isSyncing READ isSyncing NOTIFY isSyncingChanged)
    Q_PROPERTY(std::optional<QDateTime> lastAutoUploadAt READ lastAutoUploadAt NOTIFY
                   lastAutoUploadAtChanged)
    Q_PROPERTY(
        std::optional<QString> autoUploadError READ autoUploadError NOTIFY autoUploadErrorChanged)
    Q_PROPERTY(
        std::optional<QDateTime> lastReconcileAt READ lastReconcileAt NOTIFY lastReconcileAtChanged)
    Q_PROPERTY(
        std::optional<QDateTime> lastShareWake READ lastShareWake NOTIFY lastShareWakeChanged)
    Q_PROPERTY(zol::TimesheetPeriod period READ period WRITE setPeriod NOTIFY periodChanged)
    Q_PROPERTY(QList<zol::TimeEntry> periodEntries READ periodEntries NOTIFY periodEntriesChanged)
    Q_PROPERTY(std::optional<QDateTime> uploadedAt READ uploadedAt NOTIFY uploadedAtChanged)
    Q_PROPERTY(std::optional<QString> timesheetFile READ timesheetFile NOTIFY timesheetFileChanged)
    Q_PROPERTY(bool isUploading READ isUploading NOTIFY isUploadingChanged)
    Q_PROPERTY(bool canUpload READ canUpload NOTIFY canUploadChanged)
    Q_PROPERTY(zol::Connection connection READ connection NOTIFY connectionChanged)
    Q_PROPERTY(zol::UploadState uploadState READ uploadState NOTIFY uploadStateChanged)
    Q_PROPERTY(zol::Timesheet timesheet READ timesheet NOTIFY timesheetChanged)
    Q_PROPERTY(
        int periodNotUploadedCount READ periodNotUploadedCount NOTIFY periodNotUploadedCountChanged)
    Q_PROPERTY(
        bool periodHasRunningEntry READ periodHasRunningEntry NOTIFY periodHasRunningEntryChanged)
    Q_PROPERTY(bool periodIsUploadedAutomatically READ periodIsUploadedAutomatically NOTIFY
                   periodIsUploadedAutomaticallyChanged)

public:
    // Seconds between two project syncs, and between two upload passes.
    static constexpr double syncInterval = 60;
    static constexpr double uploadInterval = 600;
    // A mount or wake this soon after the last one is the same event.
    static constexpr double shareWakeQuietSeconds = 5;
    // How often an upload pass also looks for periods missing from the share.
    static constexpr double reconcileInterval = 3600;
    // Sharing settings changed elsewhere (another screen, another process)
    // are followed once they have been still this long, so that typing a
    // name does not move the person's folder on the share at every key.
    static constexpr double settingsFollowDelay = 1;

    // What writing one period's timesheet did.
    struct TimesheetWrite
    {
        // The hours in the file, two decimals.
        double hours = 0;
        // The former name of this person's folder when the write moved it.
        std::optional<QString> renamedFrom;
    };

    SharingModel(OpenBooks& books, StatusModel& status, Platform& platform, FileSystem& fileSystem,
                 const HistoryModel& history, ReportsModel& reports, UpdateModel& updates,
                 QObject* parent = nullptr);
    ~SharingModel() override;

    // The file system the studio folder is reached through (the machine's own
    // unless a test says otherwise). Takes effect for the next sync engine and
    // the next upload.
    void setFileSystem(FileSystem& fileSystem);

    // The sync engine of the open books' studio folder; none before the first
    // sync, after the books closed, or once the folder or the person's name
    // changed (a new one is made for the next sync). A running sync keeps its
    // own engine alive.
    std::shared_ptr<SharedFolderSync> sharedFolderSync() const { return m_engine; }

    const std::optional<SharedFolderSync::Summary>& shareSummary() const { return m_shareSummary; }
    const std::optional<QString>& shareError() const { return m_shareError; }
    // A sync of the open books is running.
    bool isSharing() const { return m_isSharing; }
    const std::optional<QDateTime>& lastSharedAt() const { return m_lastSharedAt; }
    // The person's "Sync now" is running.
    bool isSyncing() const { return m_isSyncing; }
    const std::optional<QDateTime>& lastAutoUploadAt() const { return m_lastAutoUploadAt; }
    const std::optional<QString>& autoUploadError() const { return m_autoUploadError; }
    // How many timesheet files the last upload pass wrote (a file the share
    // held already is not written again).
    int lastUploadFiles() const { return m_lastUploadFiles; }
    const std::optional<QDateTime>& lastReconcileAt() const { return m_lastReconcileAt; }
    const std::optional<QDateTime>& lastShareWake() const { return m_lastShareWake; }

    // The week or month the upload control shows; the week of now at first
    // and whenever books are opened.
    const TimesheetPeriod& period() const { return m_period; }
    // The live sessions that started in `period`, newest first.
    const QList<TimeEntry>& periodEntries() const { return m_periodEntries; }
    // When `period`'s file on the share was written; none when it is not there.
    const std::optional<QDateTime>& uploadedAt() const { return m_uploadedAt; }
    // `period`'s file in this person's folder on the share, when it exists.
    const std::optional<QString>& timesheetFile() const { return m_timesheetFile; }
    bool isUploading() const { return m_isUploading; }

    // Sharing is possible: books that may leave this machine, sharing on and a
    // studio folder chosen.
    bool canUpload() const { return m_canUpload; }
    const Connection& connection() const { return m_connection; }
    const UploadState& uploadState() const { return m_uploadState; }
    // `period`'s finished sessions as they would be handed in.
    const Timesheet& timesheet() const { return m_timesheet; }
    // Finished sessions of `period` never handed in or changed since.
    int periodNotUploadedCount() const { return m_periodNotUploadedCount; }
    bool periodHasRunningEntry() const { return m_periodHasRunningEntry; }
    // Automatic upload on, sharing possible, and `period` a week.
    bool periodIsUploadedAutomatically() const { return m_periodIsUploadedAutomatically; }
    // uploadState's caption and button title for `period`, as of now.
    QString uploadCaption() const;
    QString uploadButtonTitle() const;

    // --- loops, started when books are opened ---
    // (Re)starts the project-sync loop: a quiet sync now, then every minute.
    // Without sharing it forgets the last summary and error instead.
    void startSharing();
    // (Re)starts the upload loop: a pass now, then every ten minutes, while
    // sharing is possible and automatic upload is on.
    void startAutoUpload();
    // Follows the platform's volume-mounted and woke events, once for the
    // whole run.
    void watchForShare();
    // A mount or a wake: a quiet sync, then an upload pass that also looks
    // for missing periods. A second event within five seconds is ignored.
    QFuture<void> shareMayHaveAppeared();

    // One sync of the project list. Quiet syncs put nothing in the status
    // line; `force` reads and writes every file again. Nothing happens when
    // sharing is not possible or a sync is already running.
    QFuture<void> shareNow(bool quiet, bool force);
    // "Sync now": a sync that says how it went and redoes everything.
    QFuture<void> syncNow();
    // One upload pass (automatic upload): every period whose file would now
    // read differently, and once an hour the periods missing from the share.
    // Failures go to autoUploadError only.
    QFuture<void> autoUploadNow();
    // The upload control's button, for `period`.
    QFuture<void> uploadTimesheet();
    // Writes one period's timesheet into this person's folder and marks its
    // sessions handed in. Fails with the error's sentence (a zol::Error) when
    // sharing is not possible or the share refuses.
    QFuture<TimesheetWrite> writeTimesheet(const TimesheetPeriod& period, bool force);
    // The periods an upload pass would write now.
    QFuture<QList<TimesheetPeriod>> periodsToUpload();
    // Every week and month with tracked time whose file is missing from this
    // person's folder on the share; empty while this machine has no folder.
    QFuture<QList<TimesheetPeriod>> periodsMissingFromShare();

    // The settings screen and the command line choose a studio folder: refused
    // for books that never leave this machine, for a folder that other books
    // already use (then folderTakenExplanation() is the longer story) and for
    // one where a symbolic link stands in the place of a folder this machine
    // writes in; a refusal stores nothing. Otherwise the folder is stored,
    // sharing switched on and a sync run that says how it went. The future
    // finishes once that sync has reported.
    QFuture<void> chooseStudioFolder(const QString& path);
    static QString folderTakenExplanation();
    // What to tell a person about the sync tool's conflict copies of the
    // program's files in the studio folder; none when there are none.
    static std::optional<QString>
    conflictCopiesSentence(const StudioFolder::ConflictCopies& copies);
    // "Disconnect": forgets the studio folder of these books and switches
    // sharing off. Nothing on the share is deleted.
    void disconnectStudioFolder();
    // After a sharing or personal setting changed: the tracker's name, the
    // sync engine and both loops follow the settings.
    void applySettingsChange();
    // Starts the next sync from nothing, reading every peer file again (the
    // books were emptied, so what was merged before is gone).
    void forgetWhatWasSeen() { m_engine.reset(); }

    void setPeriod(const TimesheetPeriod& period);
    // Shows the week or month that holds `day`.
    void showPeriod(TimesheetPeriod::Kind kind, QDate day);
    // Reads the sessions of `period` again, then looks its file up on the share.
    QFuture<void> refreshPeriod();
    // Shows `period`'s file, or this person's folder on the share, in the file
    // browser; nothing when there is none.
    void revealTimesheet();
    void revealTimesheetFolder();

Q_SIGNALS:
    void shareSummaryChanged();
    void shareErrorChanged();
    void isSharingChanged();
    void lastSharedAtChanged();
    void isSyncingChanged();
    void lastAutoUploadAtChanged();
    void autoUploadErrorChanged();
    void lastReconcileAtChanged();
    void lastShareWakeChanged();
    void periodChanged();
    void periodEntriesChanged();
    void uploadedAtChanged();
    void timesheetFileChanged();
    void isUploadingChanged();
    void canUploadChanged();
    void connectionChanged();
    void uploadStateChanged();
    void timesheetChanged();
    void periodNotUploadedCountChanged();
    void periodHasRunningEntryChanged();
    void periodIsUploadedAutomaticallyChanged();

private:
    struct SyncInFlight
    {
        quint64 generation = 0;
        std::shared_ptr<SharedFolderSync> engine;
    };
    // A sync asked for while a pass for other books, or for a folder or name
    // no longer chosen, was running; it runs once that pass has returned.
    struct DeferredSync
    {
        bool quiet = true;
        bool force = false;
        QList<std::shared_ptr<QPromise<void>>> waiting;
    };

    void booksOpened();
    void booksClosing();
    void followSettings();
    void settingsMoved();
    bool sharingPossible() const;
    bool engineMatches(const SharedFolderSync& engine) const;
    std::shared_ptr<SharedFolderSync> engine();
    // What a worker needs for timesheets; none while sharing is not possible.
    std::optional<SharingWork::UploadTarget> uploadTarget() const;
    void applySummary(const SharedFolderSync::Summary& summary, bool quiet);
    void syncEnded(quint64 generation);
    void updateDerived();
    void setPeriodEntries(const QList<TimeEntry>& entries);
    void setPeriodFile(const std::optional<QString>& file, const std::optional<QDateTime>& modified,
                       const std::optional<QString>& personFolder);

    // Sets a field and announces it, unless it already holds the value.
    template <typename T, typename Signal>
    void assign(T& field, const std::type_identity_t<T>& value, Signal changed)
    {
        if (field == value)
            return;
        field = value;
        Q_EMIT(this->*changed)();
    }

    OpenBooks& m_books;
    StatusModel& m_status;
    Platform& m_platform;
    ReportsModel& m_reports;
    UpdateModel& m_updates;
    FileSystem* m_fileSystem;
    std::shared_ptr<SharedFolderSync> m_engine;
    // True while the books the loops serve are open; workers hold a copy.
    std::shared_ptr<std::atomic_bool> m_booksOpen;

    Clock::Timer m_shareTicker;
    Clock::Timer m_autoUploadTicker;
    Clock::Timer m_followTimer;
    bool m_watching = false;
    // Settings being changed here; their change signals are not followed.
    bool m_changingSettings = false;
    // The sync running, whichever books it serves (isSharing tells only of
    // the open books').
    std::optional<SyncInFlight> m_syncInFlight;
    std::optional<DeferredSync> m_deferredSync;
    // The generation whose upload pass is running.
    std::optional<quint64> m_uploadGeneration;
    std::optional<double> m_lastShareWakeMonotonic;
    quint64 m_periodReads = 0;
    std::optional<QString> m_personFolder;

    std::optional<SharedFolderSync::Summary> m_shareSummary;
    std::optional<QString> m_shareError;
    bool m_isSharing = false;
    std::optional<QDateTime> m_lastSharedAt;
    bool m_isSyncing = false;
    std::optional<QDateTime> m_lastAutoUploadAt;
    std::optional<QString> m_autoUploadError;
    int m_lastUploadFiles = 0;
    std::optional<QDateTime> m_lastReconcileAt;
    std::optional<QDateTime> m_lastShareWake;
    TimesheetPeriod m_period;
    QList<TimeEntry> m_periodEntries;
    std::optional<QDateTime> m_uploadedAt;
    std::optional<QString> m_timesheetFile;
    bool m_isUploading = false;

    bool m_canUpload = false;
    Connection m_connection;
    UploadState m_uploadState;
    Timesheet m_timesheet;
    int m_periodNotUploadedCount = 0;
    bool m_periodHasRunningEntry = false;
    bool m_periodIsUploadedAutomatically = false;
};

} // namespace zol
