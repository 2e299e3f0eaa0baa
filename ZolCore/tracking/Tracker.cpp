#include "tracking/Tracker.h"

#include "store/EntryStore.h"
#include "support/Error.h"
#include "support/Timestamps.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace zol {

namespace {

// lastProject is rebuilt from a session on every reload, with fresh
// timestamps; it is the same project when what the user sees is the same.
bool sameProject(const std::optional<Project>& a, const std::optional<Project>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || (a->serial == b->serial && a->hasSameDetails(*b));
}

} // namespace

Tracker::Tracker(EntryStore& store, const QString& machineName, Clock& clock,
                 const Calendar& calendar, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_clock(clock)
    , m_calendar(calendar)
    , m_now(clock.now())
    , m_machineName(machineName)
{}

Tracker::~Tracker() = default;

void Tracker::setMachineName(const QString& name)
{
    if (name == m_machineName)
        return;
    m_machineName = name;
    Q_EMIT machineNameChanged();
}

double Tracker::elapsed() const
{
    return m_current ? m_current->duration(m_now) : 0.0;
}

double Tracker::todayTotal() const
{
    const QDate today = m_calendar.day(m_now);
    const QDateTime from = m_calendar.startOfDay(today);
    const QDateTime to = m_calendar.startOfDay(today.addDays(1));
    double total = 0;
    for (const TimeEntry& entry : m_recent) {
        if (entry.startedAt >= from && entry.startedAt < to)
            total += entry.duration(m_now);
    }
    return total;
}

void Tracker::reload()
{
    try {
        m_seenDataVersion = m_store.dataVersion();
        m_seenRowsWritten = m_store.rowsWritten();
        std::optional<TimeEntry> open = m_store.openEntry();
        QList<TimeEntry> recent = m_store.recentEntries(recentLimit);
        QList<Project> projects = m_store.projects(false);
        show(open, recent, projects);
    } catch (const Error& error) {
        setLoadError(error.message());
    }
    updateTicker();
}

void Tracker::show(const std::optional<TimeEntry>& open, const QList<TimeEntry>& recent,
                   const QList<Project>& projects)
{
    // The project to offer first: that of the newest session. Internal work
    // has no project to start again (a project without a number is refused),
    // so it is passed over.
    std::optional<Project> last;
    const auto newest = std::find_if(recent.cbegin(), recent.cend(),
                                     [](const TimeEntry& e) { return !e.isInternal; });
    if (newest != recent.cend())
        last = newest->project(m_clock.now());
    else if (!projects.isEmpty())
        last = projects.first();

    setCurrent(open);
    setRecent(recent);
    setProjects(projects);
    setLastProject(last);
    setLoadError(std::nullopt);
}

// A write step changes a session or two. Read afresh, the lists would come
// back as they were with those sessions changed in place, unless something
// else wrote meanwhile: another process (the data version moves), or another
// part of this one through the same store (its rows written move). So they
// are changed in place, and read again only when that cannot be known.
void Tracker::settle()
{
    const QList<Written> written = std::exchange(m_written, {});
    if (m_changedBeforeStep || m_loadError) {
        reload();
        return;
    }
    std::optional<TimeEntry> open = m_current;
    QList<TimeEntry> recent = m_recent;
    // A list shorter than its limit holds every live session.
    const bool holdsAll = recent.size() < recentLimit;
    for (const Written& change : written) {
        recent.removeIf([&](const TimeEntry& e) { return e.id == change.id; });
        if (open && open->id == change.id)
            open.reset();
        if (!change.entry || change.entry->deletedAt)
            continue;
        const TimeEntry& entry = *change.entry;
        if (entry.isOpen())
            open = entry;
        const auto at = std::find_if(recent.begin(), recent.end(), [&](const TimeEntry& e) {
            return e.startedAt <= entry.startedAt;
        });
        // Past the end of a full list, sessions that were never read may come
        // first; the read of the rest below finds it where it belongs.
        if (at != recent.end() || holdsAll)
            recent.insert(at, entry);
    }
    try {
        if (recent.size() > recentLimit) {
            recent.resize(recentLimit);
        } else if (!holdsAll && recent.size() < recentLimit) {
            const QList<TimeEntry> rest =
                m_store.recentEntries(recentLimit - int(recent.size()), int(recent.size()));
            // Sessions that started at the same instant may be ordered otherwise
            // by the books; then the rest overlaps, and only a full read is sure.
            for (const TimeEntry& entry : rest) {
                if (std::any_of(recent.cbegin(), recent.cend(),
                                [&](const TimeEntry& e) { return e.id == entry.id; })) {
                    reload();
                    return;
                }
            }
            recent += rest;
        }
    } catch (const Error& error) {
        setLoadError(error.message());
        updateTicker();
        return;
    }
    show(open, recent, m_projects);
    updateTicker();
}

void Tracker::reloadIfChangedElsewhere()
{
    try {
        if (m_store.dataVersion() == m_seenDataVersion &&
            m_store.rowsWritten() == m_seenRowsWritten)
            return;
    } catch (const Error& error) {
        setLoadError(error.message());
        return;
    }
    reload();
}

TimeEntry Tracker::newSession(const Project& project, const QString& note,
                              const QString& task) const
{
    const QDateTime now = m_clock.now();
    TimeEntry entry;
    entry.id = newUuid();
    entry.machineName = m_machineName;
    entry.startedAt = now;
    entry.projectSerial = project.serial;
    entry.projectName = project.name;
    entry.clientName = project.clientName;
    entry.note = note.trimmed();
    entry.task = task.trimmed();
    entry.createdAt = now;
    entry.updatedAt = now;
    return entry;
}

std::optional<TimeEntry> Tracker::start(const Project& project, const QString& note,
                                        const QString& task)
{
    if (project.serial.isEmpty())
        return std::nullopt;
    const std::optional<TimeEntry> started = begin(newSession(project, note, task));
    if (started) {
        setLastProject(project);
        settle();
    }
    return started;
}

std::optional<TimeEntry> Tracker::startInternal(const QString& description, const QString& note,
                                                const QString& task)
{
    const QDateTime now = m_clock.now();
    TimeEntry entry = TimeEntry::makeInternal(description, m_machineName, now, now);
    entry.note = note.trimmed();
    entry.task = task.trimmed();
    const std::optional<TimeEntry> started = begin(entry);
    if (started)
        settle();
    return started;
}

// Writes a new session and makes it the open one; whatever session the books
// hold open is stopped first, in the same step.
std::optional<TimeEntry> Tracker::begin(TimeEntry entry)
{
    StopResult stopped;
    if (!step([&] {
            // One instant, taken once the books are this step's: the session
            // stopped ends exactly where the new one starts.
            const QDateTime now = m_clock.now();
            entry.startedAt = entry.createdAt = entry.updatedAt = now;
            stopped = finishOpen(std::nullopt, now);
            entry = keep(entry);
        }))
        return std::nullopt;
    m_stoppedByLastStart = stopped;
    return entry;
}

bool Tracker::step(const std::function<void()>& body)
{
    m_written.clear();
    try {
        m_store.writeTransaction([&] {
            // Asked under the step's lock, where nothing else can write.
            m_changedBeforeStep = m_store.dataVersion() != m_seenDataVersion ||
                                  m_store.rowsWritten() != m_seenRowsWritten;
            body();
            m_seenRowsWritten = m_store.rowsWritten();
        });
    } catch (const Error& error) {
        setLoadError(error.message());
        return false;
    }
    return true;
}

TimeEntry Tracker::keep(const TimeEntry& entry)
{
    TimeEntry stored = m_store.save(entry);
    m_written.append({entry.id, stored});
    return stored;
}

void Tracker::remove(const QUuid& id)
{
    m_store.purge(id);
    m_written.append({id, std::nullopt});
}

Tracker::StopResult Tracker::finishOpen(const std::optional<QUuid>& only,
                                        const std::optional<QDateTime>& at)
{
    std::optional<TimeEntry> open = m_store.openEntry();
    if (!open || (only && open->id != *only))
        return StopResult::nothing();
    TimeEntry entry = *open;
    entry.stop(at.value_or(m_clock.now()));
    if (entry.isTooShortToKeep()) {
        remove(entry.id);
        return StopResult::tooShort(entry);
    }
    return StopResult::logged(keep(entry));
}

Tracker::StopResult Tracker::stop(const std::optional<QUuid>& only)
{
    StopResult result;
    if (!step([&] { result = finishOpen(only); }))
        return StopResult::nothing();
    settle();
    return result;
}

bool Tracker::pause(const std::optional<QUuid>& only)
{
    return changeOpen([this, &only](TimeEntry& open) {
        if (!open.isTicking() || (only && open.id != *only))
            return false;
        open.pause(m_clock.now());
        return true;
    });
}

bool Tracker::resume()
{
    return changeOpen([this](TimeEntry& open) {
        if (!open.isPaused())
            return false;
        open.resume(m_clock.now());
        return true;
    });
}

void Tracker::togglePause()
{
    changeOpen([this](TimeEntry& open) {
        if (open.isPaused())
            open.resume(m_clock.now());
        else
            open.pause(m_clock.now());
        return true;
    });
}

Tracker::ToggleResult Tracker::toggle(const std::optional<Project>& project, const QString& note,
                                      const QString& task)
{
    ToggleResult result = ToggleResult::nothing;
    StopResult stopped;
    const bool done = step([&] {
        std::optional<TimeEntry> open = m_store.openEntry();
        if (open && open->isTicking()) {
            open->pause(m_clock.now());
            keep(*open);
            result = ToggleResult::paused;
            return;
        }
        if (!project || project->serial.isEmpty())
            return;
        const TimeEntry next = newSession(*project, note, task);
        stopped = finishOpen(std::nullopt, next.startedAt);
        keep(next);
        result = ToggleResult::started;
    });
    if (!done)
        return ToggleResult::nothing;
    if (result == ToggleResult::started) {
        m_stoppedByLastStart = stopped;
        setLastProject(*project);
    }
    settle();
    return result;
}

void Tracker::replaceCurrent(const TimeEntry& entry)
{
    changeCurrent(entry.id, [&](TimeEntry& open) { open = entry; });
}

bool Tracker::changeCurrent(const QUuid& id, const std::function<void(TimeEntry&)>& change)
{
    return changeOpen([&](TimeEntry& open) {
        if (open.id != id)
            return false;
        change(open);
        return true;
    });
}

bool Tracker::changeOpen(const std::function<bool(TimeEntry&)>& change)
{
    std::optional<TimeEntry> changed;
    const bool done = step([&] {
        std::optional<TimeEntry> open = m_store.openEntry();
        if (!open || !change(*open))
            return;
        keep(*open);
        changed = open;
    });
    if (!done)
        return false;
    settle();
    return changed.has_value();
}

std::optional<TimeEntry> Tracker::discardRunning()
{
    std::optional<TimeEntry> discarded;
    const bool done = step([&] {
        std::optional<TimeEntry> open = m_store.openEntry();
        if (!open)
            return;
        // It goes to the bin finished, so that a restore brings back a
        // finished session and never a second running timer.
        const QDateTime now = m_clock.now();
        open->stop(now);
        open->deletedAt = now;
        discarded = keep(*open);
    });
    if (!done)
        return std::nullopt;
    settle();
    return discarded;
}

bool Tracker::update(const TimeEntry& entry)
{
    TimeEntry edited = entry;
    edited.uploadedAt.reset();
    const bool done = step([&] {
        // Only the open session may stay open: an edit of a session that was
        // stopped meanwhile (by another process) must not reopen it.
        if (edited.isOpen()) {
            const std::optional<TimeEntry> open = m_store.openEntry();
            if (!open || open->id != edited.id)
                throw Error(tr("That session was stopped meanwhile. Open it again to edit it."));
        }
        keep(edited);
    });
    if (done)
        settle();
    return done;
}

void Tracker::deleteEntry(const TimeEntry& entry)
{
    if (!step([&] {
            m_store.deleteEntry(entry.id);
            m_written.append({entry.id, std::nullopt});
        }))
        return;
    settle();
}

// The ticker runs while a session is open (paused or not) and only then; it
// moves `now`, which moves `elapsed`. It never touches the store.
void Tracker::updateTicker()
{
    setNow(m_clock.now());
    if (!m_current) {
        m_ticker.cancel();
        return;
    }
    // A minute ticker is set again whenever the session may have changed: a
    // pause or a resume moves where its minutes turn.
    if (m_tickRate == TickRate::minutes) {
        tickAtNextMinute();
        return;
    }
    if (m_ticker.isActive())
        return;
    m_ticker = m_clock.every(1.0, this, [this] { setNow(m_clock.now()); });
}

// The next turn of a shown minute: of the session's time while it ticks, of
// the clock's while it is paused (only the day can change then).
void Tracker::tickAtNextMinute()
{
    const double into = m_current && m_current->isTicking()
                            ? std::fmod(elapsed(), 60.0)
                            : std::fmod(secondsSince1970(m_now), 60.0);
    m_ticker = m_clock.after(60.0 - into, this, [this] {
        setNow(m_clock.now());
        if (m_current)
            tickAtNextMinute();
    });
}

void Tracker::setTickRate(TickRate rate)
{
    if (rate == m_tickRate)
        return;
    m_tickRate = rate;
    // The ticker of the other rate goes; updateTicker() starts this one's.
    m_ticker.cancel();
    updateTicker();
}

void Tracker::setCurrent(const std::optional<TimeEntry>& entry)
{
    if (entry == m_current)
        return;
    m_current = entry;
    Q_EMIT currentChanged();
    Q_EMIT totalsChanged();
}

void Tracker::setRecent(const QList<TimeEntry>& entries)
{
    if (entries == m_recent)
        return;
    m_recent = entries;
    Q_EMIT recentChanged();
    Q_EMIT totalsChanged();
}

void Tracker::setProjects(const QList<Project>& projects)
{
    if (projects == m_projects)
        return;
    m_projects = projects;
    Q_EMIT projectsChanged();
}

void Tracker::setLastProject(const std::optional<Project>& project)
{
    if (sameProject(project, m_lastProject))
        return;
    m_lastProject = project;
    Q_EMIT lastProjectChanged();
}

void Tracker::setLoadError(const std::optional<QString>& message)
{
    if (message == m_loadError)
        return;
    m_loadError = message;
    Q_EMIT loadErrorChanged();
}

void Tracker::setNow(const QDateTime& now)
{
    if (now == m_now)
        return;
    m_now = now;
    Q_EMIT nowChanged();
    Q_EMIT totalsChanged();
}

} // namespace zol
