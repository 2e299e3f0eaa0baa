#pragma once

// The worker side of the studio folder: what SharingModel runs off the UI
// thread, and how it gets the outcome back. Nothing here touches AppModel or
// any QObject of the UI thread; each worker gets copies of the values it needs.

#include "records/TimeEntry.h"
#include "share/FileSystem.h"
#include "share/TimesheetPeriod.h"
#include "support/Calendar.h"

#include <QDateTime>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QPromise>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <exception>
#include <memory>
#include <optional>
#include <type_traits>

namespace zol {

class EntryStore;

namespace SharingWork {

// A worker's result, or what it threw.
template <typename T> struct Outcome
{
    std::optional<T> value;
    std::exception_ptr error;
};

// The sentence of a failure: a zol::Error's message, else the exception's text.
QString describe(const std::exception_ptr& error);

// Runs `work` on the thread pool and hands its outcome to `apply` on the
// thread of `context`, always on a later turn of that thread's event loop
// (never inside this call, even when the work is done at once). Whatever
// `work` throws arrives as the outcome's error. When `context` is destroyed
// first, `apply` is never called (and is destroyed with the watcher).
template <typename Work, typename Apply> void runOffThread(QObject* context, Work work, Apply apply)
{
    using T = std::invoke_result_t<Work&>;
    auto* watcher = new QFutureWatcher<Outcome<T>>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, apply = std::move(apply)]() mutable {
                         Outcome<T> outcome = watcher->result();
                         watcher->deleteLater();
                         apply(std::move(outcome));
                     });
    watcher->setFuture(QtConcurrent::run([work = std::move(work)]() mutable -> Outcome<T> {
        try {
            return {work(), nullptr};
        } catch (...) {
            return {std::nullopt, std::current_exception()};
        }
    }));
}

// Runs `work` on the thread pool; the future returned carries its result, or
// what it threw, from a later turn of the event loop of `context`'s thread.
template <typename Work>
QFuture<std::invoke_result_t<Work&>> resultOffThread(QObject* context, Work work)
{
    using T = std::invoke_result_t<Work&>;
    auto done = std::make_shared<QPromise<T>>();
    done->start();
    runOffThread(context, std::move(work), [done](Outcome<T> outcome) {
        if (outcome.value)
            done->addResult(*outcome.value);
        else
            done->setException(outcome.error);
        done->finish();
    });
    return done->future();
}

// Calls `then(future)` on the thread of `context` once `future` has finished,
// on a later turn of the event loop. The future returned finishes after
// `then` ran; it is cancelled when `context` is destroyed first (and `then`
// never runs).
template <typename T, typename Then>
QFuture<void> afterwards(QObject* context, QFuture<T> future, Then then)
{
    auto done = std::make_shared<QPromise<void>>();
    done->start();
    QFuture<void> result = done->future();
    auto* watcher = new QFutureWatcher<T>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, done, then = std::move(then)]() mutable {
                         watcher->deleteLater();
                         then(watcher->future());
                         done->finish();
                     });
    watcher->setFuture(future);
    return result;
}

// Everything a worker needs to hand timesheets in, copied on the UI thread.
struct UploadTarget
{
    // Kept alive by the worker even when other books are opened meanwhile.
    std::shared_ptr<EntryStore> store;
    FileSystem* fileSystem = nullptr;
    QString studioFolder;
    QString person;
    QString machineId;
    Calendar calendar;
    QDateTime now;
    // Goes false when the books close: a pass then writes no further file.
    std::shared_ptr<const std::atomic_bool> booksOpen;

    bool stillOpen() const { return !booksOpen || booksOpen->load(); }
};

// One period handed in.
struct PeriodWrite
{
    TimesheetPeriod period;
    double hours = 0;
    // Sessions the file holds, as read before it was built.
    QList<TimeEntry> sessions;
    // Sessions handed in earlier and deleted since, which the file leaves out.
    QList<TimeEntry> withdrawn;
};

// What a run of writes did.
struct WriteRun
{
    QList<PeriodWrite> written;
    // The former name of this person's folder when resolving it moved it.
    std::optional<QString> renamedFrom;
    // Sessions whose upload mark was set or cleared.
    int marksChanged = 0;
    // The failure that ended the run early, if any.
    std::exception_ptr error;
};

// Writes each period's timesheet into this person's folder (resolved once),
// in order, stopping at the first failure or when the books close. A file
// whose text is already on the share is left alone unless `force`. Then the
// sessions of the written files are marked uploaded and withdrawn sessions
// have their marks cleared, except those that a listed period not written
// also holds: a session counts as handed in only once its week and its month
// are. A session edited while the run went on keeps its mark as it was.
WriteRun writePeriods(const UploadTarget& target, const QList<TimesheetPeriod>& periods,
                      bool force);

// The current week and month, every period holding a session that changed
// since it was handed in (newest first), then the periods whose handed-in
// timesheets hold an older copy of a session changed since.
QList<TimesheetPeriod> periodsToUpload(const UploadTarget& target);

// Every week and month with tracked days whose file is missing from this
// person's folder; empty when this machine claims no folder on the share.
QList<TimesheetPeriod> periodsMissingFromShare(const UploadTarget& target);

// Where the period's file of this person is on the share, and when it was
// written.
struct PeriodFile
{
    // The folder this machine claims; none when it claims none.
    std::optional<QString> personFolder;
    // The period's file, when it exists.
    std::optional<QString> file;
    std::optional<QDateTime> modified;
};

PeriodFile findPeriodFile(FileSystem& fileSystem, const QString& studioFolder,
                          const QString& machineId, const TimesheetPeriod& period);

} // namespace SharingWork
} // namespace zol
