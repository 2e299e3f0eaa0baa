#pragma once

#include "IdleReport.h"
#include "Refusal.h"
#include "StatusMessage.h"
#include "books/Administration.h"
#include "books/AppSettings.h"
#include "books/TaskList.h"
#include "files/FileSystem.h"
#include "records/Project.h"
#include "support/Calendar.h"
#include "support/Clock.h"
#include "tracking/Tracker.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QFileSystemWatcher;

namespace zol {

class CatalogueModel;
class EntryStore;
class HistoryModel;
class Platform;
class ReportsModel;
class SearchModel;
class SettingsStore;
class SharingModel;
class UpdateModel;

// The application controller: one object for the life of the program, which
// every screen and the command line read and call. It owns the open
// administration's settings, its store and the tracker on that store, the list
// of administrations and the status line.
//
// Everything runs on the thread that made it. Work that later runs on a worker
// (sharing, uploads, analytics) must check generation() when its result comes
// back: it moves whenever other books are opened, and a result of older books
// is dropped.
//
// The screens' sections each have a part of their own, owned here and living
// as long as the controller: history(), catalogue() (the project operations),
// sharing(), reports() (exports and the studio's hours), search() and
// updates(). Each resets its per-books state on booksClosing() and loads
// afresh on booksOpened().
class AppModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppModel)
    Q_PROPERTY(zol::AppSettings* settings READ settings NOTIFY settingsChanged)
    Q_PROPERTY(zol::Tracker* tracker READ tracker NOTIFY trackerChanged)
    Q_PROPERTY(QList<zol::Administration> administrations READ administrations NOTIFY
                   administrationsChanged)
    Q_PROPERTY(zol::Administration administration READ administration NOTIFY administrationChanged)
    Q_PROPERTY(std::optional<zol::StatusMessage> status READ status NOTIFY statusChanged)
    Q_PROPERTY(std::optional<QString> startupError READ startupError NOTIFY startupErrorChanged)
    Q_PROPERTY(zol::TaskList taskList READ taskList NOTIFY taskListChanged)
    Q_PROPERTY(QString pendingNote READ pendingNote WRITE setPendingNote NOTIFY pendingNoteChanged)
    Q_PROPERTY(QString pendingTask READ pendingTask WRITE setPendingTask NOTIFY pendingTaskChanged)
    Q_PROPERTY(
        QString projectFilter READ projectFilter WRITE setProjectFilter NOTIFY projectFilterChanged)
    Q_PROPERTY(std::optional<zol::Project> armedProject READ armedProject NOTIFY armedChanged)
    Q_PROPERTY(std::optional<QString> armedInternal READ armedInternal NOTIFY armedChanged)
    Q_PROPERTY(std::optional<zol::IdleReport> idleReport READ idleReport WRITE setIdleReport NOTIFY
                   idleReportChanged)
    Q_PROPERTY(
        QString windowSection READ windowSection WRITE setWindowSection NOTIFY windowSectionChanged)

public:
    // Opens the database of an administration; throws zol::Error when it
    // cannot. The default puts it at EntryStore::url(administrationId).
    using StoreOpener =
        std::function<std::unique_ptr<EntryStore>(const QString& administrationId, const Clock&)>;
    // Opens the file of EntryStore::url(administrationId), keeping daily
    // backups of it (StoreBackups, the copies written on the thread pool).
    static StoreOpener defaultStoreOpener();
    // A path as people read it: the home folder shortened to "~".
    static QString shownPath(const QString& path);

    // Reads the administrations and opens the one last open. Never fails: when
    // its database cannot be opened the controller tracks to an in-memory one
    // and says so in startupError(). Call bootstrap() before use. Exports,
    // the studio folder and its reports go through `fileSystem`.
    AppModel(SettingsStore& defaults, Clock& clock, Platform& platform,
             StoreOpener openStore = defaultStoreOpener(),
             FileSystem& fileSystem = FileSystem::local(), QObject* parent = nullptr);
    ~AppModel() override;

    SettingsStore& defaults() const { return m_defaults; }
    Clock& clock() const { return m_clock; }
    Platform& platform() const { return m_platform; }
    FileSystem& fileSystem() const { return m_fileSystem; }
    // The user's calendar in the current time zone.
    const Calendar& calendar() const { return m_calendar; }
    // Today in the user's calendar, by the controller's clock.
    QDate today() const;

    // Whether the controller and its sections run background work of their
    // own: following other processes' writes to the books, the sync and
    // upload loops and the passes on mount and wake. On by default; the
    // command line turns it off before bootstrap() and runs passes on request.
    bool runsBackgroundWork() const { return m_runsBackgroundWork; }
    void setRunsBackgroundWork(bool runs) { m_runsBackgroundWork = runs; }

    HistoryModel* history() const { return m_history; }
    CatalogueModel* catalogue() const { return m_catalogue; }
    SharingModel* sharing() const { return m_sharing; }
    ReportsModel* reports() const { return m_reports; }
    SearchModel* search() const { return m_search; }
    UpdateModel* updates() const { return m_updates; }

    AppSettings* settings() const { return m_settings.get(); }
    Tracker* tracker() const { return m_tracker.get(); }
    // Always present once constructed (in memory after a failed open).
    EntryStore* store() const { return m_store.get(); }
    // The same store for work on another thread: holding it keeps the store
    // open after a switch, so a late worker never touches a closed database.
    std::shared_ptr<EntryStore> sharedStore() const { return m_store; }
    const QList<Administration>& administrations() const { return m_administrations; }
    const Administration& administration() const { return m_administration; }
    const std::optional<StatusMessage>& status() const { return m_status; }
    const std::optional<QString>& startupError() const { return m_startupError; }
    const TaskList& taskList() const { return m_taskList; }
    const QString& pendingNote() const { return m_pendingNote; }
    const QString& pendingTask() const { return m_pendingTask; }
    const QString& projectFilter() const { return m_projectFilter; }
    const std::optional<Project>& armedProject() const { return m_armedProject; }
    const std::optional<QString>& armedInternal() const { return m_armedInternal; }
    const std::optional<IdleReport>& idleReport() const { return m_idleReport; }
    // The main window's selected section: an id of windowSections().
    const QString& windowSection() const { return m_windowSection; }
    // Moves each time other books are opened; see the class comment.
    quint64 generation() const { return m_generation; }

    void setPendingNote(const QString& note);
    void setPendingTask(const QString& task);
    void setProjectFilter(const QString& filter);
    // Where the idle monitor leaves its report; "Keep it" clears it.
    void setIdleReport(const std::optional<IdleReport>& report);
    // Selects a section of the main window; an id that is not one of
    // windowSections() is ignored.
    void setWindowSection(const QString& section);
    // Opens the main window on `section`: selects it first, then asks the
    // screens to show the window (windowRequested()).
    void showWindow(const QString& section);

    // Stores the administrations list (so that a first run's implied list is
    // kept), loads the task list and the open session, then announces
    // booksOpened() for the background work of these books.
    void bootstrap();

    // Opens other books: a current session is stopped first (it belongs to the
    // books it was started in), the open books' per-administration state is
    // reset, and "Switched to …" is shown. Switching to the open one does
    // nothing.
    void switchTo(const Administration& target);
    // Appends to the list and stores it; does not open it.
    void addAdministration(const Administration& administration);
    // Replaces the listed entry with the same id; an unknown id is ignored.
    void updateAdministration(const Administration& administration);
    // Takes an administration out of the list and forgets this machine's
    // settings for it; its database file and studio folder stay. Opens the
    // first remaining one when it was open. "Local" and the last one stay.
    void removeAdministration(const Administration& administration);
    // Erases every session, project and the task list of an administration on
    // this machine. The open one has its current session stopped first. Books
    // kept in a file are backed up first, whatever the day (the copy written
    // on a worker), and the status line names the backup; when it cannot be
    // taken nothing is erased and the status line says why. The future
    // finishes once the status line says how it went.
    QFuture<void> clearAdministration(const Administration& administration);
    // Puts the open books back to the backup at `source` (StoreBackups::
    // restore: the file is checked first, the books as they are saved beside
    // it) and reloads them. The status line says what was restored and where
    // the books as they were went, or why nothing was changed.
    QFuture<void> restoreBackup(const QString& source);
    // Shows the newest backup of the open books in the file browser.
    void revealBackups();

    // --- tracking commands ---
    // Each one acts on the tracker, resets what the panel had typed for the
    // next session, refreshes the history and says what happened. A start says
    // nothing; it returns the session it started (another process may have
    // stopped it again by the time the tracker shows the books).
    std::optional<TimeEntry> start(const Project& project);
    // Internal work; a blank description starts nothing.
    std::optional<TimeEntry> startInternal(const QString& description);
    // The history's "Resume": a project only from today's history, internal
    // work from anything but a single past day.
    void resume(const Project& project);
    void resumeInternal(const QString& description);
    // Stops the open session, as the books hold it now, and says on the
    // status line what was logged. Refused with "No timer is running." when
    // nothing is open (another process may have stopped it), or with why the
    // books could not be written.
    Outcome<Tracker::StopResult> stop();
    // What the status line says of a stop: "Logged 1h 5m to Brand book.", or
    // that nothing was kept; none when nothing was stopped. A start that
    // stops the open session may say the same (Tracker::stoppedByLastStart).
    static std::optional<StatusMessage> stopMessage(const Tracker::StopResult& result,
                                                    const QDateTime& now);
    // The note of the open (running or paused) session: replaced by `note`,
    // or, with `append`, `note` added as a line of its own under what it
    // says. The blanks around `note` go. A note the input check refuses is
    // not saved and its refusal goes to the status line; so does a store
    // failure. Returns the session as saved; none when nothing is open or
    // nothing was saved. `zol note` saves here; the panel's note field saves
    // through setCurrentNote(), whose waiting text this saves first.
    std::optional<TimeEntry> setRunningNote(const QString& note, bool append = false);
    // The start-and-pause key: pauses a ticking session, otherwise starts the
    // last project again (a paused session counts as not running), or asks
    // for a project when there is none.
    // Returns what it did.
    Tracker::ToggleResult toggle();
    // The panel's Start: the armed internal work, else the armed project.
    void startArmedProject();
    // Throws the open session away, whatever its length; refused as stop().
    // Returns the session, as discarded.
    Outcome<TimeEntry> cancelRecording();
    // "Take it off": the away time leaves the session it was reported for.
    void discardIdleTime(const IdleReport& report);

    // --- the picker ---
    void arm(const Project& project);
    void armInternal(const QString& description);
    // Moves the armed project through pickerProjects(), wrapping at the ends.
    void moveArm(int step);
    // Return in the filter: arms the first match.
    void armFirstMatch();
    // Projects matching the filter, or the ten most recently used.
    QList<Project> pickerProjects() const;
    // Projects by last use, then all the others.
    QList<Project> recentlyUsedProjects() const;
    bool isShowingRecentProjects() const;
    bool hasArmedWork() const { return m_armedProject || m_armedInternal; }
    // The task a start records: none when tasks are off, the pending one when
    // it is on the list, else "General".
    QString taskForNextSession() const;
    // Sessions that started today.
    int sessionsToday() const;
    // The running session is past the "Flag a timer running longer than" hours.
    bool runningTooLong() const;

    // --- the task list of these books ---
    void reloadTaskList();
    // Stores the list as edited (stamped now), reloads it and shares it
    // quietly. A store failure is shown and nothing else changes.
    void saveTaskList(bool isEnabled, const QStringList& tasks);

    // Registers or unregisters the application as a login item and records
    // the outcome in the settings; the failure's description when it failed.
    std::optional<QString> setLaunchAtLogin(bool enabled);

    // Reads the sessions shown by the history and the upload control again.
    // The history also does this by itself whenever the tracker's recent
    // sessions change.
    void refreshHistory();
    // Runs `change` on the tracker, then makes sure the history was refreshed
    // once: by the tracker's own change, or here when the change lay outside
    // the tracker's recent sessions.
    template <typename Change> void changeTrackerAndHistory(Change&& change)
    {
        const quint64 before = m_historyRefreshes;
        change(*m_tracker);
        if (m_historyRefreshes == before)
            refreshHistory();
    }
    // The same for a reload after the store changed under the tracker.
    void reloadTrackerAndHistory()
    {
        changeTrackerAndHistory([](Tracker& tracker) { tracker.reload(); });
    }

    // Shows `message` (or clears the line) and schedules its clear after the
    // message's lifetime on the monotonic clock. A newer message replaces an
    // older one at once; the older one's clear never touches the newer.
    void setStatus(const std::optional<StatusMessage>& message);
    // Restores the sessions of the message on the status line ("Undo").
    void undoDeletion();

    // Why the desktop refused the start-and-pause key the last time it was
    // asked for; none while the key is held or not wanted. The companions
    // that hold the key report it here, for the settings to show.
    const std::optional<QString>& hotKeyFailure() const { return m_hotKeyFailure; }
    void setHotKeyFailure(const std::optional<QString>& failure);

    // --- the panel ---
    // How long typing in the note field may pause before the note is saved.
    static constexpr double noteSaveDelay = 1.0;
    // The current session's note as the panel shows it: the text typed into
    // the note field while its save waits, else the stored note. Empty without
    // a current session.
    QString currentNote() const;
    // The note field of the current session. The text is kept here and saved
    // once typing has paused for noteSaveDelay seconds, so a word typed is
    // not a write per key; a command that ends or replaces the session saves
    // it first. A note InputCheck refuses is not saved; the status line says
    // why.
    void setCurrentNote(const QString& note);
    // Saves a note still waiting for its save, now. A note typed for a session
    // that has since ended is dropped.
    void saveCurrentNote();
    // The task the panel's picker shows: the current session's while one is
    // current, else the next session's.
    QString chosenTask() const;
    // The task picker's choice becomes the current session's task, or, with
    // none current, the next session's. A task not on the list is ignored.
    void chooseTask(const QString& task);
    // Return in the panel: starts the armed work, except that with a filter
    // typed and the armed project not among its matches (or nothing armed) it
    // arms the first match instead, so a second Return starts it. Work the
    // current session is on already is not started over.
    void startFromPicker();
    // Whether the armed work is what the current session is on already, so
    // that starting it would only start it over.
    bool armedIsCurrent() const;
    // "Clear": nothing armed.
    void disarm();
    // Escape in the picker: clears the filter and the armed selection.
    // Returns false when both were clear already.
    bool clearPicker();

Q_SIGNALS:
    void settingsChanged();
    void trackerChanged();
    void administrationsChanged();
    void administrationChanged();
    void statusChanged();
    void startupErrorChanged();
    void taskListChanged();
    void pendingNoteChanged();
    void pendingTaskChanged();
    void projectFilterChanged();
    void armedChanged();
    void idleReportChanged();
    void windowSectionChanged();
    // The main window is to be shown (and brought to the front), on
    // windowSection().
    void windowRequested();
    // The books of generation() are open and loaded: where their sharing and
    // upload loops start.
    void booksOpened(quint64 generation);
    // The books of generation() are about to close: their loops must stop.
    void booksClosing(quint64 generation);
    void hotKeyFailureChanged();

private:
    // Empties `store`, the books called `name`, once `backup` (a path, or
    // empty for books in memory) holds what they were.
    void eraseBooks(EntryStore& store, const QString& name, const QString& backup);
    // The open books were emptied or put back from a backup: everything read
    // from them is read again, and what the studio folder showed is dropped.
    void reloadReplacedBooks();
    void openBooks(const Administration& administration);
    void resetBooksState();
    void startShared();
    void watchElsewhere();
    void followElsewhere();
    void followDatabaseElsewhere();
    void followSettingsElsewhere(const QStringList& keys);
    void watchBooksFiles();
    void followSoon();
    void followBooksFiles();
    void setAdministrations(const QList<Administration>& list);
    void setAdministration(const Administration& administration);
    void setStartupError(const std::optional<QString>& error);
    void setTaskList(const TaskList& list);
    void setArmed(const std::optional<Project>& project, const std::optional<QString>& internal);
    void saveAdministrations();

    SettingsStore& m_defaults;
    Clock& m_clock;
    Platform& m_platform;
    FileSystem& m_fileSystem;
    Calendar m_calendar;
    StoreOpener m_openStore;

    QList<Administration> m_administrations;
    Administration m_administration;
    std::unique_ptr<AppSettings> m_settings;
    // Shared so that a worker of these books can keep the store alive after a
    // switch; the tracker is declared after it and so goes first.
    std::shared_ptr<EntryStore> m_store;
    std::unique_ptr<Tracker> m_tracker;
    quint64 m_generation = 0;

    std::optional<StatusMessage> m_status;
    Clock::Timer m_statusTimeout;
    std::optional<QString> m_startupError;
    TaskList m_taskList;
    QString m_pendingNote;
    QString m_pendingTask;
    QString m_projectFilter;
    std::optional<Project> m_armedProject;
    std::optional<QString> m_armedInternal;
    std::optional<IdleReport> m_idleReport;
    QString m_windowSection = QStringLiteral("history");
    // Watches the database for another process's changes; a slow beat looks
    // at the database and the settings in case a watcher missed one.
    static constexpr double slowLookSeconds = 60;
    // How long after the last file event of a burst the database is asked
    // again, for a commit that was not yet visible at the first look.
    static constexpr double lookAgainSeconds = 0.25;
    QFileSystemWatcher* m_booksWatcher = nullptr;
    bool m_followScheduled = false;
    Clock::Timer m_lookAgain;
    Clock::Timer m_elsewhereTicker;
    qint64 m_seenDataVersion = -1;
    quint64 m_historyRefreshes = 0;
    bool m_runsBackgroundWork = true;
    std::optional<QString> m_hotKeyFailure;

    HistoryModel* m_history = nullptr;
    CatalogueModel* m_catalogue = nullptr;
    SharingModel* m_sharing = nullptr;
    ReportsModel* m_reports = nullptr;
    SearchModel* m_search = nullptr;
    UpdateModel* m_updates = nullptr;

    // The note typed for the session `m_noteEntry` while its save waits.
    std::optional<QUuid> m_noteEntry;
    QString m_noteDraft;
    Clock::Timer m_noteSave;
};

} // namespace zol
