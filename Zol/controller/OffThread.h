#pragma once

// Work on the thread pool whose outcome comes back to a QObject's thread.

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QString>
#include <QThreadPool>

#include <algorithm>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>

namespace zol::OffThread {

// A worker's result, or what it threw.
template <typename T> struct Outcome
{
    std::optional<T> value;
    std::exception_ptr error;
};

// The sentence of a failure: a zol::Error's message, else the exception's text.
QString describe(const std::exception_ptr& error);

// How far work on the thread pool has come, for work that says so (see
// runTelling): `done` of `total` steps. Callable from the worker only, as
// often as it likes; the steps reach the context's thread at most some 25
// times a second, the last always.
class Progress
{
public:
    using Step = std::function<void(int done, int total)>;

    explicit Progress(Step step)
        : m_step(std::move(step))
    {}

    void operator()(qsizetype done, qsizetype total) const
    {
        const auto counted = [](qsizetype n) {
            return int(std::clamp<qsizetype>(n, 0, std::numeric_limits<int>::max()));
        };
        m_step(counted(done), counted(total));
    }

private:
    Step m_step;
};

namespace detail {

// What run() and runTelling() share: `work` is called with the outcome's
// promise; `tell`, when given, hears each step of its progress.
template <typename T, typename Work, typename Apply, typename Tell>
QFuture<void> start(QObject* context, Work work, Apply apply, std::optional<Tell> tell)
{
    auto done = std::make_shared<QPromise<void>>();
    done->start();
    QFuture<void> finished = done->future();
    auto* watcher = new QFutureWatcher<Outcome<T>>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, done, apply = std::move(apply)]() mutable {
                         Outcome<T> outcome = watcher->result();
                         watcher->deleteLater();
                         apply(std::move(outcome));
                         done->finish();
                     });
    if (tell) {
        // The steps as the work told them, not as the future stands when the
        // news arrives: it may have moved on meanwhile.
        struct Told
        {
            Tell tell;
            int done = 0;
            int total = 0;
        };
        auto told = std::make_shared<Told>(Told{std::move(*tell)});
        QObject::connect(watcher, &QFutureWatcherBase::progressRangeChanged, context,
                         [told](int, int total) {
                             told->total = total;
                             told->tell(qsizetype(told->done), qsizetype(total));
                         });
        QObject::connect(watcher, &QFutureWatcherBase::progressValueChanged, context,
                         [told](int value) {
                             told->done = value;
                             told->tell(qsizetype(value), qsizetype(told->total));
                         });
    }
    auto outcome = std::make_shared<QPromise<Outcome<T>>>();
    outcome->start();
    watcher->setFuture(outcome->future());
    // Shared, so that the pool's copyable task can hold work that moves only.
    auto job = std::make_shared<Work>(std::move(work));
    QThreadPool::globalInstance()->start([outcome, job] {
        try {
            outcome->addResult(Outcome<T>{(*job)(*outcome), nullptr});
        } catch (...) {
            outcome->addResult(Outcome<T>{std::nullopt, std::current_exception()});
        }
        outcome->finish();
    });
    return finished;
}

} // namespace detail

// Runs `work` on the thread pool and hands its outcome to `apply` on the
// thread of `context`, always on a later turn of that thread's event loop
// (never inside this call, even when the work is done at once). Whatever
// `work` throws arrives as the outcome's error. The future returned finishes
// once `apply` has run. When `context` is destroyed first, `apply` is never
// called (it goes with the watcher) and the future is cancelled.
//
// A watcher owned by `context` rather than QFuture::then(context, …), which
// in Qt 6.4 asserts when the context is destroyed before the work ends.
template <typename Work, typename Apply> QFuture<void> run(QObject* context, Work work, Apply apply)
{
    using T = std::invoke_result_t<Work&>;
    using Tell = void (*)(qsizetype, qsizetype);
    return detail::start<T>(
        context, [work = std::move(work)](auto&) mutable { return work(); }, std::move(apply),
        std::optional<Tell>());
}

// The same for work that tells how far it has come: `work` is called with a
// Progress, and `tell(done, total)` hears its steps on the thread of
// `context`, before `apply` hears the outcome (and never after `context` is
// destroyed).
template <typename Work, typename Apply, typename Tell>
QFuture<void> runTelling(QObject* context, Work work, Apply apply, Tell tell)
{
    using T = std::invoke_result_t<Work&, const Progress&>;
    return detail::start<T>(
        context,
        [work = std::move(work)](QPromise<Outcome<T>>& promise) mutable {
            int total = -1;
            return work(Progress([&promise, &total](int done, int steps) {
                if (steps != total) {
                    total = steps;
                    promise.setProgressRange(0, steps);
                }
                promise.setProgressValue(done);
            }));
        },
        std::move(apply), std::optional<Tell>(std::move(tell)));
}

// Runs `work` on the thread pool; the future returned carries its result, or
// what it threw, from a later turn of the event loop of `context`'s thread.
template <typename Work> QFuture<std::invoke_result_t<Work&>> result(QObject* context, Work work)
{
    using T = std::invoke_result_t<Work&>;
    auto done = std::make_shared<QPromise<T>>();
    done->start();
    run(context, std::move(work), [done](Outcome<T> outcome) {
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

} // namespace zol::OffThread
