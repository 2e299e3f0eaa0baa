#include "tracking/Tracker.h"

#include "store/EntryStore.h"
#include "support/Error.h"
#include "support/Timestamps.h"

#include <algorithm>

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
{
}

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
    const QDateTime startOfToday = m_calendar.startOfDay(m_now);
    double total = 0;
    for (const TimeEntry& entry : m_recent) {
        if (entry.startedAt >= startOfToday)
            total += entry.duration(m_now);
    }
    return total;
}

void Tracker::reload()
{
    try {
        m_seenDataVersion = m_store.dataVersion();
        std::optional<TimeEntry> open = m_store.openEntry();
        QList<TimeEntry> recent = m_store.recentEntries(recentLimit);
        QList<Project> projects = m_store.projects(false);

        // The project to offer first: that of the newest session. Internal
        // work has no project to start again (a project without a number is
        // refused), so it is passed over.
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
    } catch (const Error& error) {
        setLoadError(error.message());
    }
    updateTicker();
}

void Tracker::reloadIfChangedElsewhere()
{
    try {
        if (m_store.dataVersion() == m_seenDataVersion)
            return;
    } catch (const Error& error) {
        setLoadError(error.message());
        return;
    }
    reload();
}

std::optional<TimeEntry> Tracker::start(const Project& project, const QString& note,
                                        const QString& task)
{
    if (project.serial.isEmpty())
        return std::nullopt;
    if (m_current)
        stop();

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

    const std::optional<TimeEntry> started = begin(entry);
    if (started) {
        setLastProject(project);
        reload();
    }
    return started;
}

std::optional<TimeEntry> Tracker::startInternal(const QString& description, const QString& note,
                                                const QString& task)
{
    if (m_current)
        stop();
    const QDateTime now = m_clock.now();
    TimeEntry entry = TimeEntry::makeInternal(description, m_machineName, now, now);
    entry.note = note.trimmed();
    entry.task = task.trimmed();
    const std::optional<TimeEntry> started = begin(entry);
    if (started)
        reload();
    return started;
}

// Writes a new session and makes it the open one.
std::optional<TimeEntry> Tracker::begin(TimeEntry entry)
{
    try {
        m_store.save(entry);
    } catch (const Error& error) {
        setLoadError(error.message());
        return std::nullopt;
    }
    setCurrent(entry);
    return entry;
}

Tracker::StopResult Tracker::stop()
{
    if (!m_current)
        return StopResult::nothing();

    TimeEntry entry = *m_current;
    entry.stop(m_clock.now());
    try {
        if (entry.isTooShortToKeep()) {
            m_store.purge(entry.id);
            setCurrent(std::nullopt);
            reload();
            return StopResult::tooShort(entry);
        }
        m_store.save(entry);
    } catch (const Error& error) {
        setLoadError(error.message());
        return StopResult::nothing();
    }
    setCurrent(std::nullopt);
    reload();
    return StopResult::logged(entry);
}

void Tracker::pause()
{
    if (!m_current || !m_current->isTicking())
        return;
    TimeEntry entry = *m_current;
    entry.pause(m_clock.now());
    persistCurrent(entry);
}

void Tracker::resume()
{
    if (!m_current || !m_current->isPaused())
        return;
    TimeEntry entry = *m_current;
    entry.resume(m_clock.now());
    persistCurrent(entry);
}

void Tracker::togglePause()
{
    if (isPaused())
        resume();
    else
        pause();
}

void Tracker::replaceCurrent(const TimeEntry& entry)
{
    if (m_current && m_current->id == entry.id)
        persistCurrent(entry);
}

void Tracker::discardRunning()
{
    if (!m_current)
        return;
    try {
        m_store.deleteEntry(m_current->id);
    } catch (const Error& error) {
        setLoadError(error.message());
        return;
    }
    setCurrent(std::nullopt);
    reload();
}

void Tracker::update(const TimeEntry& entry)
{
    TimeEntry edited = entry;
    edited.uploadedAt.reset();
    try {
        m_store.save(edited);
    } catch (const Error& error) {
        setLoadError(error.message());
        return;
    }
    reload();
}

void Tracker::deleteEntry(const TimeEntry& entry)
{
    try {
        m_store.deleteEntry(entry.id);
    } catch (const Error& error) {
        setLoadError(error.message());
        return;
    }
    reload();
}

void Tracker::persistCurrent(const TimeEntry& entry)
{
    try {
        m_store.save(entry);
    } catch (const Error& error) {
        setLoadError(error.message());
        return;
    }
    setCurrent(entry);
    reload();
}

// The one-second ticker runs while a session is open (paused or not) and
// only then; it moves `now`, which moves `elapsed`. It never touches the store.
void Tracker::updateTicker()
{
    setNow(m_clock.now());
    if (!m_current) {
        m_ticker.cancel();
        return;
    }
    if (m_ticker.isActive())
        return;
    m_ticker = m_clock.every(1.0, this, [this] { setNow(m_clock.now()); });
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
