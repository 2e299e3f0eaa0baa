// Handing timesheets in: the upload pass, the upload control's button, the
// period on screen and where its file is on the share.

#include "SharingModel.h"

#include "OpenBooks.h"
#include "Platform.h"
#include "SharingModelWork.h"
#include "StatusModel.h"
#include "books/AppSettings.h"
#include "store/EntryStore.h"
#include "support/Error.h"

namespace zol {

namespace {

// What one upload pass did: the periods that needed writing, then those
// missing from the share.
struct UploadPass
{
    SharingWork::WriteRun changed;
    std::optional<SharingWork::WriteRun> missing;
};

} // namespace

std::optional<SharingWork::UploadTarget> SharingModel::uploadTarget() const
{
    if (!sharingPossible())
        return std::nullopt;
    const AppSettings& settings = *m_books.settings();
    return SharingWork::UploadTarget{
        m_books.sharedStore(), m_fileSystem,       *settings.sharedFolder(), settings.machineName(),
        settings.machineId(),  m_books.calendar(), m_books.clock().now(),    m_booksOpen};
}

QFuture<void> SharingModel::autoUploadNow()
{
    if (!m_books.store() || !m_books.settings()->autoUploadEnabled())
        return QtFuture::makeReadyFuture();
    const std::optional<SharingWork::UploadTarget> target = uploadTarget();
    const quint64 generation = m_books.generation();
    // One pass at a time per books: a second would write the same files.
    if (!target || m_uploadGeneration == generation)
        return QtFuture::makeReadyFuture();
    m_uploadGeneration = generation;

    const QDateTime now = target->now;
    // A clock set back counts as due, not as an hour's wait.
    const bool reconcile = !m_lastReconcileAt || *m_lastReconcileAt > now ||
                           m_lastReconcileAt->secsTo(now) >= reconcileInterval;
    return OffThread::run(
        this,
        [target = *target, reconcile] {
            const QList<QDateTime> revisits = target.store->uploadRevisits();
            UploadPass pass{
                SharingWork::writePeriods(target, SharingWork::periodsToUpload(target), false),
                std::nullopt};
            if (!pass.changed.error && target.stillOpen())
                target.store->removeUploadRevisits(revisits);
            // Looked for after the first writes, which may have made this
            // person's folder on the share in the first place.
            if (reconcile && !pass.changed.error && target.stillOpen())
                pass.missing = SharingWork::writePeriods(
                    target, SharingWork::periodsMissingFromShare(target), false);
            return pass;
        },
        [this, generation, now,
         folder = target->studioFolder](OffThread::Outcome<UploadPass> outcome) {
            if (m_uploadGeneration == generation)
                m_uploadGeneration.reset();
            // Other books, or a folder left meanwhile: what the pass marked
            // stays marked, but its outcome is not this folder's.
            if (generation != m_books.generation() ||
                m_books.settings()->sharedFolder() != std::optional(folder) || !sharingPossible()) {
                if (generation == m_books.generation())
                    m_books.tracker()->reload();
                return;
            }
            std::exception_ptr error = outcome.error;
            int marksChanged = 0;
            m_lastUploadFiles = 0;
            if (outcome.value) {
                const UploadPass& pass = *outcome.value;
                error = pass.changed.error;
                marksChanged = pass.changed.marksChanged;
                m_lastUploadFiles =
                    pass.changed.filesWritten() + (pass.missing ? pass.missing->filesWritten() : 0);
                // The missing periods are looked for only after a clean first run.
                if (pass.missing) {
                    error = pass.missing->error;
                    marksChanged += pass.missing->marksChanged;
                    if (!error)
                        assign(m_lastReconcileAt, now, &SharingModel::lastReconcileAtChanged);
                }
            }
            if (error) {
                assign(m_autoUploadError, OffThread::describe(error),
                       &SharingModel::autoUploadErrorChanged);
            } else {
                assign(m_lastAutoUploadAt, m_books.clock().now(),
                       &SharingModel::lastAutoUploadAtChanged);
                assign(m_autoUploadError, std::nullopt, &SharingModel::autoUploadErrorChanged);
            }
            if (marksChanged > 0)
                m_books.reloadTracker();
        });
}

QFuture<SharingModel::TimesheetWrite> SharingModel::writeTimesheet(const TimesheetPeriod& period,
                                                                   bool force)
{
    const std::optional<SharingWork::UploadTarget> target = uploadTarget();
    if (!target) {
        return QtFuture::makeExceptionalFuture<TimesheetWrite>(
            Error(tr("Set up the studio folder first.")));
    }
    const quint64 generation = m_books.generation();
    auto done = std::make_shared<QPromise<TimesheetWrite>>();
    done->start();
    OffThread::run(
        this,
        [target = *target, period, force] {
            // A session counts as handed in once its week and its month are
            // both on the share, so the other periods holding the sessions of
            // this one go up with it.
            QList<TimesheetPeriod> periods{period};
            for (const TimeEntry& entry :
                 target.store->entries(period.start(), period.nextStart())) {
                for (const TimesheetPeriod::Kind kind : TimesheetPeriod::uploadedKinds()) {
                    const TimesheetPeriod holding(kind, entry.startedAt, target.calendar);
                    if (!entry.isOpen() && !periods.contains(holding))
                        periods.append(holding);
                }
            }
            return SharingWork::writePeriods(target, periods, force);
        },
        [this, generation, done, period](OffThread::Outcome<SharingWork::WriteRun> outcome) {
            if (generation == m_books.generation() && outcome.value) {
                if (outcome.value->marksChanged > 0)
                    m_books.reloadTracker();
                else
                    m_books.announceSessionsChanged();
            }
            const std::exception_ptr error = outcome.value ? outcome.value->error : outcome.error;
            if (error) {
                done->setException(error);
                done->finish();
                return;
            }
            const SharingWork::WriteRun& run = *outcome.value;
            const auto asked =
                std::find_if(run.written.cbegin(), run.written.cend(),
                             [&](const SharingWork::PeriodWrite& w) { return w.period == period; });
            if (run.inUse.contains(period))
                done->setException(Error(tr("The file of %1 is open on another computer, so it was "
                                            "not replaced. Upload again in a moment.")
                                             .arg(period.title())));
            else if (asked == run.written.cend())
                done->setException(Error(tr("Other books were opened first.")));
            else
                done->addResult(TimesheetWrite{asked->hours, run.renamedFrom});
            done->finish();
        });
    return done->future();
}

QFuture<void> SharingModel::uploadTimesheet()
{
    if (!m_books.store() || m_isUploading)
        return QtFuture::makeReadyFuture();
    const TimesheetPeriod period = m_period;
    if (m_timesheet.entries().isEmpty()) {
        m_status.show(StatusMessage::info(tr("Nothing tracked in %1.").arg(period.title())));
        return QtFuture::makeReadyFuture();
    }
    if (!sharingPossible()) {
        m_status.show(StatusMessage::info(tr("Set up the studio folder first.")));
        return QtFuture::makeReadyFuture();
    }
    assign(m_isUploading, true, &SharingModel::isUploadingChanged);
    const quint64 generation = m_books.generation();
    return OffThread::afterwards(
        this, writeTimesheet(period, true),
        [this, generation, period](const QFuture<TimesheetWrite>& write) {
            if (generation != m_books.generation())
                return;
            assign(m_isUploading, false, &SharingModel::isUploadingChanged);
            try {
                const TimesheetWrite written = write.result();
                //: %1 is the week or month, %2 its hours with two decimals.
                QString text = tr("Uploaded %1: %2 hours.")
                                   .arg(period.title(), QString::number(written.hours, 'f', 2));
                if (written.renamedFrom) {
                    text +=
                        u' ' +
                        tr("Your earlier timesheets moved from “%1”.").arg(*written.renamedFrom);
                }
                m_status.show(StatusMessage::success(text));
            } catch (...) {
                m_status.show(
                    StatusMessage::failure(OffThread::describe(std::current_exception())));
            }
        });
}

QFuture<QList<TimesheetPeriod>> SharingModel::periodsToUpload()
{
    if (!m_books.store())
        return QtFuture::makeReadyFuture(QList<TimesheetPeriod>());
    const AppSettings& settings = *m_books.settings();
    // Which periods need a file is a question of the books alone.
    const SharingWork::UploadTarget target{m_books.sharedStore(),       m_fileSystem,
                                           settings.sharedFolderPath(), settings.machineName(),
                                           settings.machineId(),        m_books.calendar(),
                                           m_books.clock().now(),       m_booksOpen};
    return OffThread::result(this, [target] { return SharingWork::periodsToUpload(target); });
}

QFuture<QList<TimesheetPeriod>> SharingModel::periodsMissingFromShare()
{
    const std::optional<SharingWork::UploadTarget> target = uploadTarget();
    if (!target || !m_books.store())
        return QtFuture::makeReadyFuture(QList<TimesheetPeriod>());
    return OffThread::result(
        this, [target = *target] { return SharingWork::periodsMissingFromShare(target); });
}

// --- the period on screen ---

void SharingModel::setPeriod(const TimesheetPeriod& period)
{
    if (m_period == period)
        return;
    m_period = period;
    Q_EMIT periodChanged();
    setPeriodFile(std::nullopt, std::nullopt, m_personFolder);
    refreshPeriod();
}

void SharingModel::showPeriod(TimesheetPeriod::Kind kind, QDate day)
{
    const Calendar& calendar = m_books.calendar();
    setPeriod(TimesheetPeriod(kind, calendar.startOfDay(day), calendar));
}

QFuture<void> SharingModel::refreshPeriod()
{
    const quint64 read = ++m_periodReads;
    try {
        setPeriodEntries(m_books.store()->entries(m_period.start(), m_period.nextStart()));
    } catch (const Error&) {
        // The tracker reports store failures; the sessions shown stay as they were.
    }
    if (!sharingPossible()) {
        setPeriodFile(std::nullopt, std::nullopt, std::nullopt);
        return QtFuture::makeReadyFuture();
    }
    const AppSettings& settings = *m_books.settings();
    return OffThread::run(
        this,
        [fileSystem = m_fileSystem, folder = *settings.sharedFolder(),
         machineId = settings.machineId(), period = m_period] {
            return SharingWork::findPeriodFile(*fileSystem, folder, machineId, period);
        },
        [this, read](OffThread::Outcome<SharingWork::PeriodFile> outcome) {
            // An unreachable share leaves what was known; a later read wins.
            if (read == m_periodReads && outcome.value)
                setPeriodFile(outcome.value->file, outcome.value->modified,
                              outcome.value->personFolder);
        });
}

void SharingModel::setPeriodEntries(const QList<TimeEntry>& entries)
{
    if (m_periodEntries != entries) {
        m_periodEntries = entries;
        Q_EMIT periodEntriesChanged();
    }
    updateDerived();
}

void SharingModel::setPeriodFile(const std::optional<QString>& file,
                                 const std::optional<QDateTime>& modified,
                                 const std::optional<QString>& personFolder)
{
    m_personFolder = personFolder;
    assign(m_timesheetFile, file, &SharingModel::timesheetFileChanged);
    assign(m_uploadedAt, file ? modified : std::nullopt, &SharingModel::uploadedAtChanged);
    updateDerived();
}

void SharingModel::revealTimesheet()
{
    if (m_timesheetFile)
        m_platform.desktop().reveal(*m_timesheetFile);
}

void SharingModel::revealTimesheetFolder()
{
    if (m_personFolder)
        m_platform.desktop().reveal(*m_personFolder);
}

} // namespace zol
