#include "AppModel.h"

#include "CatalogueModel.h"
#include "HistoryModel.h"
#include "Platform.h"
#include "ReportsModel.h"
#include "SearchModel.h"
#include "SharingModel.h"
#include "UpdateModel.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "records/Duration.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"
#include "support/DataPaths.h"
#include "support/Error.h"
#include "tracking/Tracker.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <algorithm>
#include <exception>

namespace zol {

namespace {

QString cannotOpenText(const QString& description)
{
    return QStringLiteral("Could not open ") + AppModel::shownPath(dataFolder()) +
           QStringLiteral(". Tracking to a temporary database that will not survive a quit. (") +
           description + u')';
}

} // namespace

QString AppModel::shownPath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QString home = QDir::cleanPath(QDir::homePath());
    if (clean.startsWith(home + u'/'))
        return u'~' + clean.mid(home.size());
    return clean;
}

AppModel::StoreOpener AppModel::defaultStoreOpener()
{
    return [](const QString& administrationId, const Clock& clock) {
        auto store = std::make_unique<EntryStore>(EntryStore::url(administrationId), clock);
        store->keepBackups(
            std::make_unique<StoreBackups>(store->path(), clock, StoreBackups::onThreadPool()));
        return store;
    };
}

AppModel::AppModel(SettingsStore& defaults, Clock& clock, Platform& platform, StoreOpener openStore,
                   FileSystem& fileSystem, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_platform(platform)
    , m_fileSystem(fileSystem)
    , m_openStore(std::move(openStore))
    , m_administrations(AppSettings::administrations(defaults))
    , m_administration(AppSettings::currentAdministration(defaults))
{
    openBooks(m_administration);
    m_history = new HistoryModel(*this);
    m_catalogue = new CatalogueModel(*this);
    m_sharing = new SharingModel(*this);
    m_reports = new ReportsModel(*this);
    m_search = new SearchModel(*this);
    m_updates = new UpdateModel(*this);
    connect(&m_defaults, &SettingsStore::changed, this, &AppModel::followSettingsElsewhere);
}

QDate AppModel::today() const
{
    return m_calendar.day(m_clock.now());
}

AppModel::~AppModel()
{
    // The sections may hold work of the open books; they go before the books.
    delete m_updates;
    delete m_search;
    delete m_reports;
    delete m_sharing;
    delete m_catalogue;
    delete m_history;
    // The tracker refers to the store; take it down first.
    m_tracker.reset();
    m_store.reset();
}

void AppModel::openBooks(const Administration& administration)
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
            failure = QStringLiteral("no database");
        // The in-memory database always opens.
        m_store = EntryStore::inMemory(m_clock);
    }
    m_tracker = std::make_unique<Tracker>(*m_store, m_settings->machineName(), m_clock);
    // Not a stored setting: the login item itself is the record.
    m_settings->setLaunchAtLogin(m_platform.loginItem().isEnabled());
    ++m_generation;
    setStartupError(failure ? std::optional(cannotOpenText(*failure)) : std::nullopt);
    watchBooksFiles();
    Q_EMIT settingsChanged();
    Q_EMIT trackerChanged();
}

void AppModel::bootstrap()
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
    reloadTrackerAndHistory();
    try {
        m_seenDataVersion = m_store->dataVersion();
    } catch (const Error&) {
        // Looked at again on the next beat.
    }
    Q_EMIT booksOpened(m_generation);
}

void AppModel::refreshHistory()
{
    ++m_historyRefreshes;
    // The sections are made after the books are first opened.
    if (m_history)
        m_history->refresh();
    if (m_sharing)
        m_sharing->refreshPeriod();
}

void AppModel::reloadTaskList()
{
    TaskList list;
    try {
        list = m_store->taskList();
    } catch (const Error&) {
        // Unreadable books offer the default list, as books without a store do.
    }
    setTaskList(list);
    if (!m_taskList.choices().contains(m_pendingTask))
        setPendingTask(m_taskList.defaultTask());
}

void AppModel::saveTaskList(bool isEnabled, const QStringList& tasks)
{
    try {
        m_store->saveTaskList(m_taskList.with(isEnabled, tasks, m_clock.now()));
    } catch (const Error& error) {
        setStatus(StatusMessage::failure(QStringLiteral("Could not save the tasks. (") +
                                         error.message() + u')'));
        return;
    }
    reloadTaskList();
    m_sharing->shareNow(true, false);
}

std::optional<QString> AppModel::setLaunchAtLogin(bool enabled)
{
    LoginItemService& item = m_platform.loginItem();
    std::optional<QString> failure;
    if (item.isEnabled() != enabled)
        failure = item.setEnabled(enabled);
    m_settings->setLaunchAtLogin(item.isEnabled());
    return failure;
}

// Another process (the command line) may write to the same database and the
// same settings file. Both live on the local disk, where a file watcher sees
// every write: a write to the database, its WAL or the folder where the WAL
// comes and goes wakes the controller, which asks the database for its data
// version (the settings store watches its own file). Nothing else wakes it: a
// slow look, once a minute, catches what a watcher misses (a replaced file on
// an unusual file system).
void AppModel::watchElsewhere()
{
    m_booksWatcher = new QFileSystemWatcher(this);
    connect(m_booksWatcher, &QFileSystemWatcher::fileChanged, this, &AppModel::followSoon);
    connect(m_booksWatcher, &QFileSystemWatcher::directoryChanged, this, &AppModel::followSoon);
    watchBooksFiles();
    m_elsewhereTicker = m_clock.every(slowLookSeconds, this, [this] { followElsewhere(); });
}

void AppModel::watchBooksFiles()
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
void AppModel::followSoon()
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

void AppModel::followBooksFiles()
{
    // The WAL may have come or gone (a checkpoint removes it).
    watchBooksFiles();
    followDatabaseElsewhere();
}

void AppModel::followElsewhere()
{
    // The database first: a settings change may open other books, and the
    // session left here must be the one the other process last wrote.
    followDatabaseElsewhere();
    m_defaults.refresh();
}

void AppModel::followDatabaseElsewhere()
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
    reloadTrackerAndHistory();
    reloadTaskList();
    m_catalogue->reloadAllProjects();
}

void AppModel::followSettingsElsewhere(const QStringList& keys)
{
    static const QString listKey = QStringLiteral("admin.list");
    static const QString currentKey = QStringLiteral("admin.current");
    if (!keys.contains(listKey) && !keys.contains(currentKey))
        return;
    followDatabaseElsewhere();
    setAdministrations(AppSettings::administrations(m_defaults));
    const Administration open = AppSettings::currentAdministration(m_defaults);
    if (open.id != m_administration.id) {
        switchTo(open);
        return;
    }
    setAdministration(open);
}

void AppModel::switchTo(const Administration& target)
{
    if (target.id == m_administration.id)
        return;
    stop();
    Q_EMIT booksClosing(m_generation);

    setAdministration(target);
    AppSettings::setCurrentAdministration(target.id, m_defaults);
    openBooks(target);
    resetBooksState();
    bootstrap();
    setStatus(StatusMessage::success(QStringLiteral("Switched to ") + target.name + u'.'));
}

void AppModel::resetBooksState()
{
    setStatus(std::nullopt);
    setPendingNote({});
    setTaskList(TaskList());
    setPendingTask({});
    setProjectFilter({});
    setArmed(std::nullopt, std::nullopt);
    setIdleReport(std::nullopt);
}

void AppModel::addAdministration(const Administration& administration)
{
    setAdministrations(m_administrations + QList{administration});
    saveAdministrations();
}

void AppModel::updateAdministration(const Administration& administration)
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

void AppModel::removeAdministration(const Administration& administration)
{
    if (m_administrations.size() < 2 || administration.isDefault())
        return;
    const auto listed = std::find_if(m_administrations.cbegin(), m_administrations.cend(),
                                     [&](const auto& a) { return a.id == administration.id; });
    if (listed == m_administrations.cend())
        return;
    const QString name = listed->name;

    setAdministrations(Administration::removing(m_administrations, administration.id));
    saveAdministrations();
    AppSettings::forgetSettings(administration.id, m_defaults);
    if (administration.id == m_administration.id)
        switchTo(m_administrations.constFirst());
    setStatus(StatusMessage::info(QStringLiteral("Removed ") + name +
                                  QStringLiteral(". Its hours are still on this computer.")));
}

void AppModel::setStatus(const std::optional<StatusMessage>& message)
{
    if (message) {
        const QUuid id = message->id;
        m_statusTimeout = m_clock.after(message->lifetime(), this, [this, id] {
            if (m_status && m_status->id == id)
                setStatus(std::nullopt);
        });
    }
    if (m_status == message)
        return;
    m_status = message;
    Q_EMIT statusChanged();
}

void AppModel::undoDeletion()
{
    if (!m_status || !m_status->canUndo())
        return;
    const QList<QUuid> ids = m_status->undoableDeletions;
    m_history->restore(ids);
}

void AppModel::saveAdministrations()
{
    AppSettings::saveAdministrations(m_administrations, m_defaults);
}

void AppModel::setPendingNote(const QString& note)
{
    if (m_pendingNote == note)
        return;
    m_pendingNote = note;
    Q_EMIT pendingNoteChanged();
}

void AppModel::setPendingTask(const QString& task)
{
    if (m_pendingTask == task)
        return;
    m_pendingTask = task;
    Q_EMIT pendingTaskChanged();
}

void AppModel::setProjectFilter(const QString& filter)
{
    if (m_projectFilter == filter)
        return;
    m_projectFilter = filter;
    Q_EMIT projectFilterChanged();
}

void AppModel::setAdministrations(const QList<Administration>& list)
{
    if (m_administrations == list)
        return;
    m_administrations = list;
    Q_EMIT administrationsChanged();
}

void AppModel::setAdministration(const Administration& administration)
{
    if (m_administration == administration)
        return;
    m_administration = administration;
    Q_EMIT administrationChanged();
}

void AppModel::setStartupError(const std::optional<QString>& error)
{
    if (m_startupError == error)
        return;
    m_startupError = error;
    Q_EMIT startupErrorChanged();
}

void AppModel::setTaskList(const TaskList& list)
{
    if (m_taskList == list)
        return;
    m_taskList = list;
    Q_EMIT taskListChanged();
}

void AppModel::setArmed(const std::optional<Project>& project,
                        const std::optional<QString>& internal)
{
    if (m_armedProject == project && m_armedInternal == internal)
        return;
    m_armedProject = project;
    m_armedInternal = internal;
    Q_EMIT armedChanged();
}

void AppModel::setHotKeyFailure(const std::optional<QString>& failure)
{
    if (m_hotKeyFailure == failure)
        return;
    m_hotKeyFailure = failure;
    Q_EMIT hotKeyFailureChanged();
}

} // namespace zol
