#pragma once

// Work spread over the thread pool whose results are taken in order.

#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <type_traits>
#include <vector>

namespace zol {

// Calls read(i) for every i in [0, count), several at once on `pool`, and
// hands each result to merge() on the calling thread, in the order of i, so
// that what merge() builds is the same whatever the threads' timing. At most
// a few results per thread wait to be merged: a worker that is that far ahead
// waits, so memory follows the threads, not the count. The calling thread
// reads too whenever the next result is not ready, and only threads free at
// the start help, so the work completes on a pool with no thread to spare
// (this may itself run on one of its threads). What read() or merge() throws stops the rest and is
// thrown here once every worker has returned.
template <typename Read, typename Merge>
void orderedParallel(qsizetype count, Read read, Merge merge,
                     QThreadPool& pool = *QThreadPool::globalInstance())
{
    using Result = std::invoke_result_t<Read&, qsizetype>;
    if (count <= 0)
        return;
    const qsizetype helpers = std::clamp<qsizetype>(pool.maxThreadCount(), 1, count) - 1;
    const qsizetype window = 4 * (helpers + 1);

    struct Shared
    {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<std::optional<Result>> slots;
        qsizetype claimed = 0; // the next index nobody reads yet
        qsizetype merged = 0;
        qsizetype running = 0;
        std::exception_ptr error;
    } shared;
    shared.slots.resize(size_t(window));

    // Under the lock: the next index to read, or -1 when there is none yet.
    const auto claim = [&]() -> qsizetype {
        if (shared.error || shared.claimed >= count || shared.claimed >= shared.merged + window)
            return -1;
        return shared.claimed++;
    };
    // Outside the lock: reads `index` into its slot; false when read() threw.
    const auto readInto = [&](qsizetype index) -> bool {
        std::optional<Result> result;
        std::exception_ptr error;
        try {
            result.emplace(read(index));
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(shared.mutex);
        if (error) {
            if (!shared.error)
                shared.error = error;
        } else {
            shared.slots[size_t(index % window)] = std::move(result);
        }
        shared.changed.notify_all();
        return !error;
    };

    const auto work = [&] {
        for (;;) {
            qsizetype index = -1;
            {
                std::unique_lock lock(shared.mutex);
                shared.changed.wait(lock, [&] {
                    return shared.error || shared.claimed >= count ||
                           shared.claimed < shared.merged + window;
                });
                index = claim();
                if (index < 0)
                    break;
            }
            if (!readInto(index))
                break;
        }
        const std::lock_guard lock(shared.mutex);
        --shared.running;
        shared.changed.notify_all();
    };
    // Only threads free now: one queued behind other work would keep this
    // call waiting for it after everything is read.
    for (qsizetype i = 0; i < helpers; ++i) {
        {
            const std::lock_guard lock(shared.mutex);
            ++shared.running;
        }
        if (!pool.tryStart(work)) {
            const std::lock_guard lock(shared.mutex);
            --shared.running;
            break;
        }
    }

    for (qsizetype next = 0; next < count; ++next) {
        std::optional<Result> result;
        for (;;) {
            qsizetype index = -1;
            {
                std::unique_lock lock(shared.mutex);
                auto& slot = shared.slots[size_t(next % window)];
                if (shared.error)
                    break;
                if (slot) {
                    result = std::move(slot);
                    slot.reset();
                    shared.merged = next + 1;
                    shared.changed.notify_all();
                    break;
                }
                index = claim();
                if (index < 0) {
                    shared.changed.wait(lock);
                    continue;
                }
            }
            readInto(index);
        }
        if (!result)
            break;
        try {
            merge(std::move(*result));
        } catch (...) {
            const std::lock_guard lock(shared.mutex);
            if (!shared.error)
                shared.error = std::current_exception();
            shared.changed.notify_all();
            break;
        }
    }

    std::unique_lock lock(shared.mutex);
    shared.changed.wait(lock, [&] { return shared.running == 0; });
    if (shared.error)
        std::rethrow_exception(shared.error);
}

} // namespace zol
