// The studio folder's lifecycle and the project sync: loops, mount and wake,
// the sync engine, choosing and disconnecting the folder, and the states the
// screens show. Uploads are in SharingModelUpload.cpp.

#include "SharingModel.h"

#include "UpdateModel.h"

#include "CatalogueModel.h"
#include "HistoryModel.h"
#include "OpenBooks.h"
#include "Platform.h"
#include "ReportsModel.h"
#include "SharingModelWork.h"
#include "StatusModel.h"
#include "UpdateModel.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "files/FileSystem.h"
#include "store/EntryStore.h"

#include <QScopedValueRollback>

namespace zol {

namespace {

// A sync engine together with the store it works on, so that a pass still
// running after a switch keeps both alive.
struct SyncHolder
{
    SyncHolder(std::shared_ptr<EntryStore> books, const QString& folder, const QString& machineId,
               const QString& machineName, FileSystem& fileSystem, const Clock& clock)
        : store(std::move(books))
        , sync(*store, folder, machineId, machineName, fileSystem, clock)
    {}

    std::shared_ptr<EntryStore> store;
    SharedFolderSync sync;
};

} // namespace

SharingModel::SharingModel(OpenBooks& books, StatusModel& status, Platform& platform,
                           FileSystem& fileSystem, const HistoryModel& history,
                           ReportsModel& reports, UpdateModel& updates, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_status(status)
    , m_platform(platform)
    , m_reports(reports)
    , m_updates(updates)
    , m_fileSystem(&fileSystem)
    , m_booksOpen(std::make_shared<std::atomic_bool>(true))
    , m_period(TimesheetPeriod::Kind::week, books.clock().now(), books.calendar())
    , m_timesheet(m_period, QString(), {})
{
    connect(&books, &OpenBooks::opened, this, &SharingModel::booksOpened);
    connect(&books, &OpenBooks::closing, this, &SharingModel::booksClosing);
    connect(&books, &OpenBooks::settingsChanged, this, &SharingModel::followSettings);
    connect(&books, &OpenBooks::listsEdited, this, [this] { shareNow(true, false); });
    connect(&books, &OpenBooks::sessionsChanged, this, &SharingModel::refreshPeriod);
    connect(&books, &OpenBooks::replaced, this, &SharingModel::forgetWhatWasSeen);
    connect(&books, &OpenBooks::administrationChanged, this, &SharingModel::settingsMoved);
    // The upload control shows the week of the day the history shows, or its
    // month when the history shows a month.
    const auto followHistory = [this, history = &history] {
        showPeriod(history->historyScope() == HistoryScope::month ? TimesheetPeriod::Kind::month
                                                                  : TimesheetPeriod::Kind::week,
                   history->historyDay());
    };
    connect(&history, &HistoryModel::historyDayChanged, this, followHistory);
    connect(&history, &HistoryModel::historyScopeChanged, this, followHistory);
    followSettings();
}

SharingModel::~SharingModel() = default;

void SharingModel::setFileSystem(FileSystem& fileSystem)
{
    m_fileSystem = &fileSystem;
    m_engine.reset();
}

// --- books and settings ---

void SharingModel::booksOpened()
{
    m_followTimer.cancel();
    m_booksOpen = std::make_shared<std::atomic_bool>(true);
    startSharing();
    startAutoUpload();
    watchForShare();
    updateDerived();
}

void SharingModel::booksClosing()
{
    m_followTimer.cancel();
    m_shareTicker.cancel();
    m_autoUploadTicker.cancel();
    m_booksOpen->store(false);
    m_engine.reset();
    ++m_periodReads;
    m_personFolder.reset();

    assign(m_shareSummary, std::nullopt, &SharingModel::shareSummaryChanged);
    assign(m_shareError, std::nullopt, &SharingModel::shareErrorChanged);
    assign(m_isSharing, false, &SharingModel::isSharingChanged);
    assign(m_lastSharedAt, std::nullopt, &SharingModel::lastSharedAtChanged);
    assign(m_isSyncing, false, &SharingModel::isSyncingChanged);
    assign(m_lastReconcileAt, std::nullopt, &SharingModel::lastReconcileAtChanged);
    assign(m_lastAutoUploadAt, std::nullopt, &SharingModel::lastAutoUploadAtChanged);
    assign(m_autoUploadError, std::nullopt, &SharingModel::autoUploadErrorChanged);
    assign(m_isUploading, false, &SharingModel::isUploadingChanged);
    assign(m_period,
           TimesheetPeriod(TimesheetPeriod::Kind::week, m_books.clock().now(), m_books.calendar()),
           &SharingModel::periodChanged);
    setPeriodEntries({});
    setPeriodFile(std::nullopt, std::nullopt, std::nullopt);
}

// A new settings object comes with every opened books: follow its sharing
// and personal values.
void SharingModel::followSettings()
{
    const AppSettings* settings = m_books.settings();
    connect(settings, &AppSettings::sharedFolderPathChanged, this, &SharingModel::settingsMoved,
            Qt::UniqueConnection);
    connect(settings, &AppSettings::sharedSyncEnabledChanged, this, &SharingModel::settingsMoved,
            Qt::UniqueConnection);
    connect(settings, &AppSettings::autoUploadEnabledChanged, this, &SharingModel::settingsMoved,
            Qt::UniqueConnection);
    connect(settings, &AppSettings::machineNameChanged, this, &SharingModel::settingsMoved,
            Qt::UniqueConnection);
    updateDerived();
}

// A sharing setting changed (or the open administration was edited): the
// states follow at once, the loops once the value has settled.
void SharingModel::settingsMoved()
{
    updateDerived();
    if (m_changingSettings)
        return;
    m_followTimer =
        m_books.clock().after(settingsFollowDelay, this, [this] { applySettingsChange(); });
}

void SharingModel::applySettingsChange()
{
    m_followTimer.cancel();
    m_books.tracker()->setMachineName(m_books.settings()->machineName());
    if (m_engine && !engineMatches(*m_engine))
        m_engine.reset();
    startSharing();
    startAutoUpload();
    updateDerived();
    refreshPeriod();
}

bool SharingModel::sharingPossible() const
{
    const AppSettings& settings = *m_books.settings();
    return !m_books.administration().isLocalOnly() && settings.sharedSyncEnabled() &&
           settings.sharedFolder().has_value();
}

bool SharingModel::engineMatches(const SharedFolderSync& engine) const
{
    const AppSettings& settings = *m_books.settings();
    return engine.folder() == settings.sharedFolder().value_or(QString()) &&
           engine.machineName() == settings.machineName() &&
           engine.machineId() == settings.machineId();
}

std::shared_ptr<SharedFolderSync> SharingModel::engine()
{
    if (m_engine && engineMatches(*m_engine))
        return m_engine;
    const AppSettings& settings = *m_books.settings();
    auto holder = std::make_shared<SyncHolder>(m_books.sharedStore(), *settings.sharedFolder(),
                                               settings.machineId(), settings.machineName(),
                                               *m_fileSystem, m_books.clock());
    m_engine = std::shared_ptr<SharedFolderSync>(holder, &holder->sync);
    return m_engine;
}

// --- loops ---

void SharingModel::startSharing()
{
    m_shareTicker.cancel();
    if (!sharingPossible()) {
        assign(m_shareSummary, std::nullopt, &SharingModel::shareSummaryChanged);
        assign(m_shareError, std::nullopt, &SharingModel::shareErrorChanged);
        updateDerived();
        return;
    }
    if (!m_books.runsBackgroundWork())
        return;
    m_shareTicker = m_books.clock().every(syncInterval, this, [this] { shareNow(true, false); });
    shareNow(true, false);
}

void SharingModel::startAutoUpload()
{
    m_autoUploadTicker.cancel();
    if (!sharingPossible() || !m_books.settings()->autoUploadEnabled()) {
        assign(m_autoUploadError, std::nullopt, &SharingModel::autoUploadErrorChanged);
        return;
    }
    if (!m_books.runsBackgroundWork())
        return;
    m_autoUploadTicker = m_books.clock().every(uploadInterval, this, [this] { autoUploadNow(); });
    autoUploadNow();
}

void SharingModel::watchForShare()
{
    if (m_watching || !m_books.runsBackgroundWork())
        return;
    m_watching = true;
    SystemEvents& events = m_platform.systemEvents();
    connect(&events, &SystemEvents::volumeMounted, this, [this] { shareMayHaveAppeared(); });
    connect(&events, &SystemEvents::woke, this, [this] { shareMayHaveAppeared(); });
}

QFuture<void> SharingModel::shareMayHaveAppeared()
{
    const AppSettings& settings = *m_books.settings();
    if (!settings.sharedSyncEnabled() || !settings.sharedFolder())
        return QtFuture::makeReadyFuture();
    const double now = m_books.clock().monotonicSeconds();
    if (m_lastShareWakeMonotonic && now - *m_lastShareWakeMonotonic < shareWakeQuietSeconds)
        return QtFuture::makeReadyFuture();
    m_lastShareWakeMonotonic = now;
    assign(m_lastShareWake, m_books.clock().now(), &SharingModel::lastShareWakeChanged);
    assign(m_lastReconcileAt, std::nullopt, &SharingModel::lastReconcileAtChanged);

    auto done = std::make_shared<QPromise<void>>();
    done->start();
    OffThread::afterwards(this, shareNow(true, false), [this, done](const QFuture<void>&) {
        OffThread::afterwards(this, autoUploadNow(),
                              [done](const QFuture<void>&) { done->finish(); });
    });
    return done->future();
}

// --- the sync ---

QFuture<void> SharingModel::shareNow(bool quiet, bool force)
{
    if (!sharingPossible())
        return QtFuture::makeReadyFuture();
    const quint64 generation = m_books.generation();
    if (m_syncInFlight) {
        // A pass for other books, or for a folder or name no longer chosen,
        // must not run beside the new one on the same files; this request
        // runs as soon as it has returned.
        if (m_syncInFlight->generation == generation && engineMatches(*m_syncInFlight->engine))
            return QtFuture::makeReadyFuture();
        if (!m_deferredSync)
            m_deferredSync = DeferredSync{};
        m_deferredSync->quiet = m_deferredSync->quiet && quiet;
        m_deferredSync->force = m_deferredSync->force || force;
        auto waiting = std::make_shared<QPromise<void>>();
        waiting->start();
        m_deferredSync->waiting.append(waiting);
        return waiting->future();
    }

    const std::shared_ptr<SharedFolderSync> sync = engine();
    m_syncInFlight = SyncInFlight{generation, sync};
    assign(m_isSharing, true, &SharingModel::isSharingChanged);

    return OffThread::run(
        this, [sync, force] { return sync->sync(force); },
        [this, generation, sync, quiet](OffThread::Outcome<SharedFolderSync::Summary> outcome) {
            // Results of books closed meanwhile, or of a folder or name no
            // longer chosen, are dropped.
            if (generation == m_books.generation() && engineMatches(*sync)) {
                if (outcome.value) {
                    applySummary(*outcome.value, quiet);
                } else {
                    const QString text = OffThread::describe(outcome.error);
                    assign(m_shareError, text, &SharingModel::shareErrorChanged);
                    updateDerived();
                    if (!quiet)
                        m_status.show(StatusMessage::failure(text));
                }
            }
            syncEnded(generation);
        });
}

void SharingModel::applySummary(const SharedFolderSync::Summary& summary, bool quiet)
{
    assign(m_shareSummary, summary, &SharingModel::shareSummaryChanged);
    assign(m_shareError, std::nullopt, &SharingModel::shareErrorChanged);
    assign(m_lastSharedAt, m_books.clock().now(), &SharingModel::lastSharedAtChanged);
    updateDerived();
    if (summary.tasksReceived)
        m_books.reloadTaskList();
    // Another computer reading one of this computer's files holds it for a
    // moment on some shares; the pass went on without it.
    const qsizetype inUse = summary.filesInUse.size();
    const QString held =
        inUse == 0 ? QString()
                   : u' ' + tr("%n files were open on another computer; they go on the next sync.",
                               nullptr, int(inUse));
    if (summary.projectsReceived >= 1) {
        m_books.reloadProjects();
        if (!quiet) {
            m_status.show(StatusMessage::success(
                tr("Received %n projects.", nullptr, summary.projectsReceived) + held));
        }
    } else if (!quiet) {
        m_status.show(StatusMessage::info(
            (summary.peersSeen == 0
                 ? tr("Connected, but no other computers have published yet.")
                 : tr("Up to date with %n other computers.", nullptr, summary.peersSeen)) +
            held));
    }
}

void SharingModel::syncEnded(quint64 generation)
{
    m_syncInFlight.reset();
    if (generation == m_books.generation())
        assign(m_isSharing, false, &SharingModel::isSharingChanged);
    if (!m_deferredSync)
        return;
    const DeferredSync deferred = *m_deferredSync;
    m_deferredSync.reset();
    OffThread::afterwards(this, shareNow(deferred.quiet, deferred.force),
                          [waiting = deferred.waiting](const QFuture<void>&) {
                              for (const auto& promise : waiting)
                                  promise->finish();
                          });
}

QFuture<void> SharingModel::syncNow()
{
    QFuture<void> sync = shareNow(false, true);
    if (sync.isFinished())
        return sync;
    assign(m_isSyncing, true, &SharingModel::isSyncingChanged);
    const quint64 generation = m_books.generation();
    return OffThread::afterwards(this, sync, [this, generation](const QFuture<void>&) {
        if (generation == m_books.generation())
            assign(m_isSyncing, false, &SharingModel::isSyncingChanged);
    });
}

// --- choosing and leaving the studio folder ---

std::optional<QString>
SharingModel::conflictCopiesSentence(const StudioFolder::ConflictCopies& copies)
{
    const std::optional<QString> found = StudioFolder::describe(copies);
    if (!found)
        return std::nullopt;
    //: %1 says which conflict copies were found ("2 conflict copies of timesheets left by the
    //: sync tool").
    return tr("%1. Zol reads none of them and writes its own files again as needed, so they can "
              "be deleted from the hidden \".zol\" folder.")
        .arg(*found);
}

QString SharingModel::folderTakenExplanation()
{
    return tr("Two sets of books on one folder are one studio. The project list travels both ways "
              "through it, so within the minute every project in one would turn up in the other, "
              "and nothing here could separate them again.\n\nGive these books a folder of their "
              "own, or a subfolder of that share.");
}

QFuture<void> SharingModel::chooseStudioFolder(const QString& path)
{
    const Administration& books = m_books.administration();
    if (books.isLocalOnly()) {
        m_status.show(
            StatusMessage::failure(tr("%1 never leaves this computer. Add other books and open "
                                      "them to share through a studio folder.")
                                       .arg(books.name)));
        return QtFuture::makeReadyFuture();
    }
    const QString folder = path.trimmed();
    if (folder.isEmpty())
        return QtFuture::makeReadyFuture();
    if (const std::optional<Administration> owner =
            AppSettings::administrationUsing(folder, books.id, m_books.defaults())) {
        m_status.show(StatusMessage::failure(tr("That folder belongs to %1.").arg(owner->name)));
        return QtFuture::makeReadyFuture();
    }
    // The share is looked at off the UI thread. A refusal changes nothing:
    // neither the settings nor the sync engine.
    const quint64 generation = m_books.generation();
    auto done = std::make_shared<QPromise<void>>();
    done->start();
    OffThread::run(
        this,
        [fileSystem = m_fileSystem, folder, machineId = m_books.settings()->machineId()] {
            return SharingWork::layoutRefusal(*fileSystem, folder, machineId);
        },
        [this, generation, folder, done](OffThread::Outcome<std::optional<QString>> outcome) {
            if (generation != m_books.generation()) {
                done->finish();
                return;
            }
            if (outcome.value && *outcome.value) {
                m_status.show(StatusMessage::failure(**outcome.value));
                done->finish();
                return;
            }
            {
                const QScopedValueRollback changing(m_changingSettings, true);
                m_books.settings()->setSharedFolderPath(folder);
                m_books.settings()->setSharedSyncEnabled(true);
            }
            // The sync that reports goes first, so that the loop's quiet one,
            // which applySettingsChange() starts, finds it running and stands
            // aside.
            const QFuture<void> sync = shareNow(false, false);
            applySettingsChange();
            OffThread::afterwards(this, sync, [done](const QFuture<void>&) { done->finish(); });
        });
    return done->future();
}

void SharingModel::disconnectStudioFolder()
{
    // A pass still writing to the folder stops at its next file.
    m_booksOpen->store(false);
    m_booksOpen = std::make_shared<std::atomic_bool>(true);
    {
        const QScopedValueRollback changing(m_changingSettings, true);
        m_books.settings()->setSharedFolderPath(QString());
        m_books.settings()->setSharedSyncEnabled(false);
    }
    assign(m_shareSummary, std::nullopt, &SharingModel::shareSummaryChanged);
    assign(m_shareError, std::nullopt, &SharingModel::shareErrorChanged);
    assign(m_lastAutoUploadAt, std::nullopt, &SharingModel::lastAutoUploadAtChanged);
    assign(m_autoUploadError, std::nullopt, &SharingModel::autoUploadErrorChanged);
    m_reports.dropStudio();
    m_updates.forget();
    applySettingsChange();
    m_status.show(StatusMessage::success(
        tr("%1 is on this computer only now.").arg(m_books.administration().name)));
}

// --- derived states ---

void SharingModel::updateDerived()
{
    const AppSettings& settings = *m_books.settings();
    const bool possible = sharingPossible();
    assign(m_canUpload, possible, &SharingModel::canUploadChanged);

    Connection connection = Connection::localOnly();
    if (possible && m_shareError)
        connection = Connection::unreachable(*m_shareError);
    else if (possible)
        connection = Connection::reachable(m_shareSummary ? m_shareSummary->peersSeen : 0);
    assign(m_connection, connection, &SharingModel::connectionChanged);

    QList<TimeEntry> finished;
    bool running = false;
    int notUploaded = 0;
    for (const TimeEntry& e : std::as_const(m_periodEntries)) {
        if (e.isOpen()) {
            running = true;
            continue;
        }
        finished.append(e);
        if (!e.uploadedAt || e.updatedAt > *e.uploadedAt)
            ++notUploaded;
    }
    assign(m_timesheet, Timesheet(m_period, settings.machineName(), finished),
           &SharingModel::timesheetChanged);
    assign(m_periodNotUploadedCount, notUploaded, &SharingModel::periodNotUploadedCountChanged);
    assign(m_periodHasRunningEntry, running, &SharingModel::periodHasRunningEntryChanged);
    assign(m_periodIsUploadedAutomatically,
           settings.autoUploadEnabled() && possible &&
               m_period.kind() == TimesheetPeriod::Kind::week,
           &SharingModel::periodIsUploadedAutomaticallyChanged);

    UploadState state = UploadState::upToDate(m_uploadedAt.value_or(QDateTime()));
    if (finished.isEmpty())
        state = UploadState::nothingTracked();
    else if (!possible)
        state = UploadState::noSharedFolder();
    else if (!m_uploadedAt)
        state = UploadState::neverUploaded(int(finished.size()));
    else if (notUploaded > 0)
        state = UploadState::changedSince(*m_uploadedAt, notUploaded);
    assign(m_uploadState, state, &SharingModel::uploadStateChanged);
}

QString SharingModel::uploadCaption() const
{
    return m_uploadState.caption(m_periodIsUploadedAutomatically, m_books.clock().now(),
                                 m_books.calendar());
}

QString SharingModel::uploadButtonTitle() const
{
    return m_uploadState.buttonTitle(m_period.kind(), m_periodIsUploadedAutomatically);
}

} // namespace zol
