#include "OpenBooks.h"

#include "LoginItemService.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"
#include "support/DataPaths.h"
#include "support/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <algorithm>
#include <exception>

namespace zol {

namespace {

QString cannotOpenText(const QString& description)
{
    return OpenBooks::tr("Could not open %1. Tracking to a temporary database that will not "
                         "survive a quit. (%2)")
        .arg(OpenBooks::shownPath(dataFolder()), description);
}

} // namespace

QString OpenBooks::shownPath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QString home = QDir::cleanPath(QDir::homePath());
    if (clean.startsWith(home + u'/'))
        return u'~' + clean.mid(home.size());
    return clean;
}

OpenBooks::StoreOpener OpenBooks::defaultStoreOpener()
{
    return [](const QString& administrationId, const Clock& clock) {
        auto store = std::make_unique<EntryStore>(EntryStore::url(administrationId), clock);
        store->keepBackups(
            std::make_unique<StoreBackups>(store->path(), clock, StoreBackups::onThreadPool()));
        return store;
    };
}

OpenBooks::OpenBooks(SettingsStore& defaults, Clock& clock, LoginItemService& loginItem,
                     StoreOpener openStore, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_loginItem(loginItem)
    , m_openStore(std::move(openStore))
    , m_administrations(AppSettings::administrations(defaults))
    , m_administration(AppSettings::currentAdministration(defaults))
{
    load(m_administration);
    connect(&m_defaults, &SettingsStore::changed, this, &OpenBooks::followSettingsElsewhere);
}

OpenBooks::~OpenBooks()
{
    // The tracker refers to the store; take it down first.
    m_tracker.reset();
    m_store.reset();
}

void OpenBooks::setTickRate(Tracker::TickRate rate)
{
    m_tickRate = rate;
    m_tracker->setTickRate(rate);
}

QDate OpenBooks::today() const
{
    return m_calendar.day(m_clock.now());
}

std::shared_ptr<EntryStore> OpenBooks::openStoreOf(const QString& administrationId) const
{
    if (administrationId == m_administration.id)
        return m_store;
    return m_openStore(administrationId, m_clock);
}

void OpenBooks::load(const Administration& administration)
{
    m_tracker.reset();
    m_store.reset();
    m_settings = std::make_unique<AppSettings>(administration.id, m_defaults);

    std::optional<QString> failure;
    try {
        m_store = m_openStore(administration.id, m_clock);
    } catch (const Error& error) {
        failure = error.message();
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    if (!m_store) {
        if (!failure)
            failure = tr("no database");
        // The in-memory database always opens.
        m_store = EntryStore::inMemory(m_clock);
    }
    m_tracker = std::make_unique<Tracker>(*m_store, m_settings->machineName(), m_clock);
    m_tracker->setTickRate(m_tickRate);
    // Whatever the tracker writes or reloads (an undo on the status line, a
    // change made by another process) also shows where the sessions show.
    connect(m_tracker.get(), &Tracker::recentChanged, this, &OpenBooks::announceSessionsChanged);
    // Not a stored setting: the login item itself is the record.
    m_settings->setLaunchAtLogin(m_loginItem.isEnabled());
    ++m_generation;
    setStartupError(failure ? std::optional(cannotOpenText(*failure)) : std::nullopt);
    watchBooksFiles();
    Q_EMIT settingsChanged();
    Q_EMIT trackerChanged();
}

void OpenBooks::bootstrap()
{
    if (!m_store)
        return;
    if (m_runsBackgroundWork && !m_booksWatcher)
        watchElsewhere();
    // Only a first run's implied list is not stored yet: asking first spares
    // every later start the settings file's lock.
    if (m_defaults.binary(QStringLiteral("admin.list")) !=
        Administration::encodeList(m_administrations))
        saveAdministrations();
    reloadTaskList();
    reloadTracker();
    try {
        m_seenDataVersion = m_store->dataVersion();
    } catch (const Error&) {
        // Looked at again on the next beat.
    }
    Q_EMIT opened(m_generation);
}

void OpenBooks::open(const Administration& target)
{
    Q_EMIT closing(m_generation);
    setAdministration(target);
    AppSettings::setCurrentAdministration(target.id, m_defaults);
    load(target);
    setTaskList(TaskList());
    bootstrap();
}

void OpenBooks::announceSessionsChanged()
{
    ++m_sessionReads;
    Q_EMIT sessionsChanged();
}

void OpenBooks::reloadTaskList()
{
    TaskList list;
    try {
        list = m_store->taskList();
    } catch (const Error&) {
        // Unreadable books offer the default list, as books without a store do.
    }
    setTaskList(list);
    Q_EMIT taskListRead();
}

Outcome<void> OpenBooks::saveTaskList(bool isEnabled, const QStringList& tasks)
{
    const Outcome<void> saved =
        attempt([&] { m_store->saveTaskList(m_taskList.with(isEnabled, tasks, m_clock.now())); });
    if (!saved)
        return std::unexpected(
            Refusal{tr("Could not save the tasks. (%1)").arg(saved.error().sentence)});
    reloadTaskList();
    Q_EMIT listsEdited();
    return {};
}

void OpenBooks::reloadProjects()
{
    m_tracker->reload();
    Q_EMIT projectsChanged();
}

void OpenBooks::reloadReplaced()
{
    reloadTracker();
    reloadTaskList();
    Q_EMIT projectsChanged();
    Q_EMIT replaced();
}

void OpenBooks::addAdministration(const Administration& administration)
{
    setAdministrations(m_administrations + QList{administration});
    saveAdministrations();
}

void OpenBooks::updateAdministration(const Administration& administration)
{
    const bool listed = std::any_of(m_administrations.cbegin(), m_administrations.cend(),
                                    [&](const auto& a) { return a.id == administration.id; });
    if (!listed)
        return;
    setAdministrations(Administration::replacing(m_administrations, administration));
    saveAdministrations();
    if (administration.id == m_administration.id)
        setAdministration(administration);
}

bool OpenBooks::removeAdministration(const Administration& administration)
{
    if (m_administrations.size() < 2 || administration.isDefault())
        return false;
    const bool listed = std::any_of(m_administrations.cbegin(), m_administrations.cend(),
                                    [&](const auto& a) { return a.id == administration.id; });
    if (!listed)
        return false;
    setAdministrations(Administration::removing(m_administrations, administration.id));
    saveAdministrations();
    AppSettings::forgetSettings(administration.id, m_defaults);
    return true;
}

// Another process (the command line) may write to the same database and the
// same settings file. Both live on the local disk, where a file watcher sees
// every write: a write to the database, its WAL or the folder where the WAL
// comes and goes wakes these books, which ask the database for its data
// version (the settings store watches its own file). Nothing else wakes them:
// a slow look, once a minute, catches what a watcher misses (a replaced file
// on an unusual file system).
void OpenBooks::watchElsewhere()
{
    m_booksWatcher = new QFileSystemWatcher(this);
    connect(m_booksWatcher, &QFileSystemWatcher::fileChanged, this, &OpenBooks::followSoon);
    connect(m_booksWatcher, &QFileSystemWatcher::directoryChanged, this, &OpenBooks::followSoon);
    watchBooksFiles();
    m_elsewhereTicker = m_clock.every(slowLookSeconds, this, [this] { followElsewhere(); });
}

void OpenBooks::watchBooksFiles()
{
    if (!m_booksWatcher)
        return;
    const QStringList watched = m_booksWatcher->files() + m_booksWatcher->directories();
    if (!watched.isEmpty())
        m_booksWatcher->removePaths(watched);
    const QString path = m_store ? m_store->path() : QString();
    if (path.isEmpty() || path == u":memory:")
        return;
    QStringList paths{path, QFileInfo(path).absolutePath()};
    if (const QString wal = path + QStringLiteral("-wal"); QFileInfo::exists(wal))
        paths.append(wal);
    m_booksWatcher->addPaths(paths);
}

// A write comes as a burst of events; they are answered once, from the event
// loop, and once more shortly after the burst. The first answer can come too
// early: the other process writes its log (which the watcher sees) before it
// publishes the commit in the log's index, a shared mapping whose changes
// raise no file event, and until then the database reports its old data
// version. The second look finds the commit published.
void OpenBooks::followSoon()
{
    m_lookAgain = m_clock.after(lookAgainSeconds, this, [this] { followBooksFiles(); });
    if (m_followScheduled)
        return;
    m_followScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_followScheduled = false;
            followBooksFiles();
        },
        Qt::QueuedConnection);
}

void OpenBooks::followBooksFiles()
{
    // The WAL may have come or gone (a checkpoint removes it).
    watchBooksFiles();
    followDatabaseElsewhere();
}

void OpenBooks::followElsewhere()
{
    // The database first: a settings change may open other books, and the
    // session left here must be the one the other process last wrote.
    followDatabaseElsewhere();
    m_defaults.refresh();
}

void OpenBooks::followDatabaseElsewhere()
{
    qint64 version = 0;
    try {
        version = m_store->dataVersion();
    } catch (const Error&) {
        return;
    }
    if (version == m_seenDataVersion)
        return;
    m_seenDataVersion = version;
    reloadTracker();
    reloadTaskList();
    Q_EMIT projectsChanged();
}

void OpenBooks::followSettingsElsewhere(const QStringList& keys)
{
    static const QString listKey = QStringLiteral("admin.list");
    static const QString currentKey = QStringLiteral("admin.current");
    if (!keys.contains(listKey) && !keys.contains(currentKey))
        return;
    followDatabaseElsewhere();
    setAdministrations(AppSettings::administrations(m_defaults));
    const Administration open = AppSettings::currentAdministration(m_defaults);
    if (open.id != m_administration.id) {
        Q_EMIT openedElsewhere(open);
        return;
    }
    setAdministration(open);
}

void OpenBooks::saveAdministrations()
{
    AppSettings::saveAdministrations(m_administrations, m_defaults);
}

void OpenBooks::setAdministrations(const QList<Administration>& list)
{
    if (m_administrations == list)
        return;
    m_administrations = list;
    Q_EMIT administrationsChanged();
}

void OpenBooks::setAdministration(const Administration& administration)
{
    if (m_administration == administration)
        return;
    m_administration = administration;
    Q_EMIT administrationChanged();
}

void OpenBooks::setStartupError(const std::optional<QString>& error)
{
    if (m_startupError == error)
        return;
    m_startupError = error;
    Q_EMIT startupErrorChanged();
}

void OpenBooks::setTaskList(const TaskList& list)
{
    if (m_taskList == list)
        return;
    m_taskList = list;
    Q_EMIT taskListChanged();
}

} // namespace zol
