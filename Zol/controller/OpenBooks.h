#pragma once

#include "Refusal.h"
#include "books/Administration.h"
#include "books/AppSettings.h"
#include "books/TaskList.h"
#include "support/Calendar.h"
#include "support/Clock.h"
#include "tracking/Tracker.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QFileSystemWatcher;

namespace zol {

class EntryStore;
class LoginItemService;
class SettingsStore;

// The books that are open: the administration, its settings on this machine,
// its store, the tracker on that store and its task list, with the list of
// administrations they are one of. Every section of the controller reads the
// books here and learns from the signals when they change, close or open.
//
// Another process (the command line) may write to the same database and the
// same settings file; with background work on, this object follows both and
// reads again what changed.
//
// Everything runs on the thread that made it. Work that later runs on a worker
// must check generation() when its result comes back: it moves whenever other
// books are opened, and a result of older books is dropped.
class OpenBooks final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OpenBooks)

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
    // its database cannot be opened the books are kept in memory and
    // startupError() says so. Call bootstrap() before use.
    OpenBooks(SettingsStore& defaults, Clock& clock, LoginItemService& loginItem,
              StoreOpener openStore, QObject* parent = nullptr);
    ~OpenBooks() override;

    SettingsStore& defaults() const { return m_defaults; }
    Clock& clock() const { return m_clock; }
    // The user's calendar in the current time zone.
    const Calendar& calendar() const { return m_calendar; }
    // Today in the user's calendar, by the clock.
    QDate today() const;

    // Whether the controller runs background work of its own: following
    // other processes' writes to the books, the sync and upload loops and the
    // passes on mount and wake. On by default; the command line turns it off
    // before bootstrap() and runs passes on request.
    bool runsBackgroundWork() const { return m_runsBackgroundWork; }
    void setRunsBackgroundWork(bool runs) { m_runsBackgroundWork = runs; }

    AppSettings* settings() const { return m_settings.get(); }
    Tracker* tracker() const { return m_tracker.get(); }
    // How often the clock moves (Tracker::setTickRate), kept for the trackers
    // of books opened later: seconds while a screen shows them.
    void setTickRate(Tracker::TickRate rate);
    // Always present once constructed (in memory after a failed open).
    EntryStore* store() const { return m_store.get(); }
    // The same store for work on another thread: holding it keeps the store
    // open after a switch, so a late worker never touches a closed database.
    std::shared_ptr<EntryStore> sharedStore() const { return m_store; }
    const QList<Administration>& administrations() const { return m_administrations; }
    const Administration& administration() const { return m_administration; }
    const std::optional<QString>& startupError() const { return m_startupError; }
    const TaskList& taskList() const { return m_taskList; }
    // Moves each time other books are opened; see the class comment.
    quint64 generation() const { return m_generation; }
    // Opens the store of an administration that need not be the open one;
    // throws zol::Error as the opener does.
    std::shared_ptr<EntryStore> openStoreOf(const QString& administrationId) const;

    // Stores the administrations list (so that a first run's implied list is
    // kept), loads the task list and the open session, then announces
    // opened() for the background work of these books.
    void bootstrap();
    // Closes these books (closing()) and opens `target`'s, bootstrapped. What
    // becomes of the session open in these books is the caller's to decide
    // first.
    void open(const Administration& target);

    // Appends to the list and stores it; does not open it.
    void addAdministration(const Administration& administration);
    // Replaces the listed entry with the same id; an unknown id is ignored.
    void updateAdministration(const Administration& administration);
    // Takes an administration out of the list and forgets this machine's
    // settings for it. "Local", the last one and one not listed stay: false.
    bool removeAdministration(const Administration& administration);

    // Runs `change` on the tracker, then makes sure whatever shows the
    // sessions read them again once: by the tracker's own change, or here
    // when the change lay outside the tracker's recent sessions.
    template <typename Change> void changeTracker(Change&& change)
    {
        const quint64 before = m_sessionReads;
        change(*m_tracker);
        if (m_sessionReads == before)
            announceSessionsChanged();
    }
    // The same for a reload after the store changed under the tracker.
    void reloadTracker()
    {
        changeTracker([](Tracker& tracker) { tracker.reload(); });
    }
    // Whatever shows the sessions reads them again (sessionsChanged()).
    void announceSessionsChanged();

    void reloadTaskList();
    // Stores the list as edited (stamped now), reloads it and announces
    // listsEdited(). Refused with why the store could not write it.
    Outcome<void> saveTaskList(bool isEnabled, const QStringList& tasks);
    // Projects came in from elsewhere: the tracker and the catalogue read
    // them again.
    void reloadProjects();
    // The project list was edited here: announces listsEdited().
    void announceListsEdited() { Q_EMIT listsEdited(); }
    // The books were emptied or put back from a backup: everything read from
    // them is read again (replaced()).
    void reloadReplaced();

Q_SIGNALS:
    void settingsChanged();
    void trackerChanged();
    void administrationsChanged();
    void administrationChanged();
    void startupErrorChanged();
    void taskListChanged();
    // The task list was read, changed or not.
    void taskListRead();
    // The books of generation() are open and loaded: where their sharing and
    // upload loops start.
    void opened(quint64 generation);
    // The books of generation() are about to close: their loops must stop.
    void closing(quint64 generation);
    // The sessions may have changed: what shows them reads them again.
    void sessionsChanged();
    // The projects may have changed: the catalogue reads them again.
    void projectsChanged();
    // The project list or the task list was edited on this machine: the
    // studio folder is to have it.
    void listsEdited();
    // Emptied or restored: what was shown of the studio folder is dropped.
    void replaced();
    // Another process opened other books; the controller follows.
    void openedElsewhere(const zol::Administration& administration);

private:
    void load(const Administration& administration);
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
    void saveAdministrations();

    SettingsStore& m_defaults;
    Clock& m_clock;
    LoginItemService& m_loginItem;
    Calendar m_calendar;
    StoreOpener m_openStore;

    QList<Administration> m_administrations;
    Administration m_administration;
    std::unique_ptr<AppSettings> m_settings;
    // Shared so that a worker of these books can keep the store alive after a
    // switch; the tracker is declared after it and so goes first.
    std::shared_ptr<EntryStore> m_store;
    std::unique_ptr<Tracker> m_tracker;
    Tracker::TickRate m_tickRate = Tracker::TickRate::seconds;
    quint64 m_generation = 0;
    std::optional<QString> m_startupError;
    TaskList m_taskList;
    quint64 m_sessionReads = 0;
    bool m_runsBackgroundWork = true;

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
};

} // namespace zol
