#pragma once

#include "records/Project.h"
#include "records/TimeEntry.h"
#include "support/Calendar.h"
#include "support/Clock.h"

#include <QList>
#include <QObject>

#include <functional>
#include <optional>

namespace zol {

class EntryStore;

// The timer of one set of books. The database is the timer: a session is
// written to the store the moment it starts and again at every change, so a
// crash or a quit loses nothing, and reload() picks an open session up again.
// A session that stops with under a minute of work is removed, not kept.
//
// Lives on the UI thread. Store calls are made in place (they are short local
// writes). No operation throws: a store failure puts its message in
// loadError, leaves `current` as it was, and returns the empty result. Every
// published field notifies only when its value really changes.
class Tracker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tracker)

    Q_PROPERTY(std::optional<zol::TimeEntry> current READ current NOTIFY currentChanged)
    Q_PROPERTY(QList<zol::TimeEntry> recent READ recent NOTIFY recentChanged)
    Q_PROPERTY(QList<zol::Project> projects READ projects NOTIFY projectsChanged)
    Q_PROPERTY(std::optional<zol::Project> lastProject READ lastProject NOTIFY lastProjectChanged)
    Q_PROPERTY(std::optional<QString> loadError READ loadError NOTIFY loadErrorChanged)
    Q_PROPERTY(QDateTime now READ now NOTIFY nowChanged)
    Q_PROPERTY(QString machineName READ machineName WRITE setMachineName NOTIFY machineNameChanged)
    Q_PROPERTY(bool isTracking READ isTracking NOTIFY currentChanged)
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY currentChanged)
    Q_PROPERTY(bool isPaused READ isPaused NOTIFY currentChanged)
    Q_PROPERTY(double elapsed READ elapsed NOTIFY totalsChanged)
    Q_PROPERTY(double todayTotal READ todayTotal NOTIFY totalsChanged)

public:
    // What stop() did.
    struct StopResult
    {
        enum class Kind { logged, tooShort, nothing };

        Kind kind = Kind::nothing;
        std::optional<TimeEntry> entry;

        // Finished and kept.
        static StopResult logged(const TimeEntry& entry) { return {Kind::logged, entry}; }
        // Finished with under a minute of work, and removed.
        static StopResult tooShort(const TimeEntry& entry) { return {Kind::tooShort, entry}; }
        // No open session, or the store failed.
        static StopResult nothing() { return {}; }

        // The entry of a logged result.
        std::optional<TimeEntry> loggedEntry() const
        {
            return kind == Kind::logged ? entry : std::nullopt;
        }
        bool operator==(const StopResult& other) const = default;
    };

    // The newest sessions kept in `recent`.
    static constexpr int recentLimit = 200;

    // Call reload() right after construction: it picks up a session left open.
    Tracker(EntryStore& store, const QString& machineName, Clock& clock = Clock::system(),
            const Calendar& calendar = Calendar(), QObject* parent = nullptr);
    ~Tracker() override;

    const std::optional<TimeEntry>& current() const { return m_current; }
    const QList<TimeEntry>& recent() const { return m_recent; }
    const QList<Project>& projects() const { return m_projects; }
    const std::optional<Project>& lastProject() const { return m_lastProject; }
    const std::optional<QString>& loadError() const { return m_loadError; }
    // What the last start (a toggle's included) did to the session the books
    // held open before it: logged it, removed it as too short, or nothing
    // when none was open.
    const StopResult& stoppedByLastStart() const { return m_stoppedByLastStart; }
    const QDateTime& now() const { return m_now; }
    const QString& machineName() const { return m_machineName; }
    void setMachineName(const QString& name);

    bool isTracking() const { return m_current.has_value(); }
    bool isRunning() const { return m_current && m_current->isTicking(); }
    bool isPaused() const { return m_current && m_current->isPaused(); }
    // Seconds worked on the open session, as of `now`.
    double elapsed() const;
    // Seconds worked on sessions that started today (the open one live).
    double todayTotal() const;

    // How often `now` moves while a session is open. Every second by default;
    // with nothing on screen that shows seconds (the tray's clock shows
    // minutes), once a minute, as the open session's minute turns, so that a
    // ticking session costs a process at rest one wake-up a minute. Going
    // back to seconds moves `now` at once.
    enum class TickRate { seconds, minutes };
    TickRate tickRate() const { return m_tickRate; }
    void setTickRate(TickRate rate);

    // Reads the open session, the recent sessions and the active projects.
    void reload();
    // Reloads when another process (the command line, say), or another part
    // of this one through the same store, has written to the books since the
    // last look. Cheap; safe to call often.
    void reloadIfChangedElsewhere();

    // Every step below acts on the open session as the books hold it now, not
    // as this tracker last saw it: it reads and writes in one write
    // transaction, so another process's step happened before it or waits.

    // Starts a session on `project`, stopping any open one first. A project
    // without a serial is refused. Returns the new session.
    std::optional<TimeEntry> start(const Project& project, const QString& note = {},
                                   const QString& task = {});
    // Starts a session of internal work described by `description`.
    std::optional<TimeEntry> startInternal(const QString& description, const QString& note = {},
                                           const QString& task = {});
    // With `only`, nothing is stopped (paused) unless the open session is
    // that one: a reminder about a session another process has since
    // stopped must not act on the one open now.
    StopResult stop(const std::optional<QUuid>& only = std::nullopt);
    // Whether the open session was paused (resumed) by this call: not when
    // it already was, or nothing is open, or the store failed (loadError).
    // Either way the tracker shows the books as they are afterwards.
    bool pause(const std::optional<QUuid>& only = std::nullopt);
    bool resume();
    void togglePause();

    // What toggle() did.
    enum class ToggleResult { paused, started, nothing };
    // The hot key: pauses a ticking session; otherwise (nothing open, or a
    // paused session, which is stopped first) starts `project`. Nothing when
    // there is no project to start or the store failed.
    ToggleResult toggle(const std::optional<Project>& project, const QString& note = {},
                        const QString& task = {});

    // Puts an edited copy of the open session in its place; nothing when the
    // open session is another one.
    void replaceCurrent(const TimeEntry& entry);
    // Changes the open session, if it is still the one with `id`. Returns
    // whether it did.
    bool changeCurrent(const QUuid& id, const std::function<void(TimeEntry&)>& change);
    // Soft-deletes the open session, whatever its length. It goes to the bin
    // finished: ended now, or where its pause began. Returns it as discarded.
    std::optional<TimeEntry> discardRunning();
    // Saves an edited session; it has to be handed in again. An edit that
    // leaves a session open is refused unless it is the open session. Returns
    // whether it was saved (loadError says why not).
    bool update(const TimeEntry& entry);
    // Soft-deletes a session.
    void deleteEntry(const TimeEntry& entry);

Q_SIGNALS:
    void currentChanged();
    void recentChanged();
    void projectsChanged();
    void lastProjectChanged();
    void loadErrorChanged();
    void nowChanged();
    void machineNameChanged();
    // elapsed or todayTotal may have changed.
    void totalsChanged();

private:
    void setCurrent(const std::optional<TimeEntry>& entry);
    void setRecent(const QList<TimeEntry>& entries);
    void setProjects(const QList<Project>& projects);
    void setLastProject(const std::optional<Project>& project);
    void setLoadError(const std::optional<QString>& message);
    void setNow(const QDateTime& now);
    void updateTicker();
    void tickAtNextMinute();
    TimeEntry newSession(const Project& project, const QString& note, const QString& task) const;
    std::optional<TimeEntry> begin(TimeEntry entry);
    // Runs `body` as one write transaction; a store failure goes to loadError
    // and nothing of the body is written.
    bool step(const std::function<void()>& body);
    // Inside a step: saves `entry` (giving back the session as the books now
    // hold it), or removes the session for good, and notes what the books now
    // hold for settle().
    TimeEntry keep(const TimeEntry& entry);
    void remove(const QUuid& id);
    // After a step: brings the lists up to date with what it wrote, without
    // reading them again when nothing else changed the books since they
    // were read; otherwise reloads.
    void settle();
    // Shows what was read (or worked out) as the tracker's state.
    void show(const std::optional<TimeEntry>& open, const QList<TimeEntry>& recent,
              const QList<Project>& projects);
    // Inside a step: stops the open session, removing it when under a minute.
    // Stops the open session (only `only`, when given) at `at`, else now.
    StopResult finishOpen(const std::optional<QUuid>& only = std::nullopt,
                          const std::optional<QDateTime>& at = std::nullopt);
    // A step that changes the open session when `change` says so (returns
    // true); then saves it. Settles. Returns whether it changed.
    bool changeOpen(const std::function<bool(TimeEntry&)>& change);

    EntryStore& m_store;
    Clock& m_clock;
    Calendar m_calendar;
    Clock::Timer m_ticker;
    TickRate m_tickRate = TickRate::seconds;
    qint64 m_seenDataVersion = -1;
    // The store's rows written as of the last look, its own writes included.
    qint64 m_seenRowsWritten = -1;

    // One change the current step made: the session as the books now hold
    // it, or none where it went (removed, or deleted to the bin).
    struct Written
    {
        QUuid id;
        std::optional<TimeEntry> entry;
    };
    QList<Written> m_written;
    // Whether the books had changed since the last look when the step began.
    bool m_changedBeforeStep = true;

    std::optional<TimeEntry> m_current;
    QList<TimeEntry> m_recent;
    QList<Project> m_projects;
    std::optional<Project> m_lastProject;
    std::optional<QString> m_loadError;
    StopResult m_stoppedByLastStart;
    QDateTime m_now;
    QString m_machineName;
};

} // namespace zol
