#include "FakeClock.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace zol::test {

class FakeClock::Control final : public Clock::Timer::Control
{
public:
    explicit Control(std::weak_ptr<Pending> pending)
        : m_pending(std::move(pending))
    {}
    void cancel() override
    {
        if (auto p = m_pending.lock())
            p->active = false;
    }
    bool isActive() const override
    {
        auto p = m_pending.lock();
        return p && p->active && p->context;
    }

private:
    std::weak_ptr<Pending> m_pending;
};

QDateTime FakeClock::now() const
{
    const qint64 ms = m_wallAtBase + std::llround((m_monotonic - m_monotonicAtBase) * 1000.0);
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

void FakeClock::setNow(const QDateTime& instant)
{
    m_wallAtBase = instant.toMSecsSinceEpoch();
    m_monotonicAtBase = m_monotonic;
}

Clock::Timer FakeClock::every(double seconds, QObject* context, Callback callback)
{
    // A repeating wait of no length would never let time move on.
    const double interval = std::max(seconds, 0.001);
    return schedule(interval, interval, context, std::move(callback));
}

Clock::Timer FakeClock::schedule(double seconds, double interval, QObject* context,
                                 Callback callback)
{
    auto pending = std::make_shared<Pending>();
    pending->due = m_monotonic + std::max(0.0, seconds);
    pending->interval = interval;
    pending->order = m_nextOrder++;
    pending->context = context;
    pending->callback = std::move(callback);
    m_pending.push_back(pending);
    return Timer(std::make_unique<Control>(pending));
}

void FakeClock::advance(double seconds)
{
    const double target = m_monotonic + std::max(0.0, seconds);
    for (;;) {
        std::erase_if(m_pending, [](const auto& p) { return !p->active || !p->context; });
        auto next =
            std::min_element(m_pending.begin(), m_pending.end(), [](const auto& a, const auto& b) {
                return a->due != b->due ? a->due < b->due : a->order < b->order;
            });
        if (next == m_pending.end() || (*next)->due > target)
            break;
        std::shared_ptr<Pending> due = *next;
        m_monotonic = std::max(m_monotonic, due->due);
        if (due->interval > 0) {
            due->due += due->interval;
            due->order = m_nextOrder++;
        } else {
            due->active = false;
        }
        // Copy: the callback may cancel its own wait or schedule new ones.
        const Callback callback = due->callback;
        callback();
    }
    m_monotonic = target;
}

int FakeClock::pendingTimers() const
{
    return int(std::count_if(m_pending.begin(), m_pending.end(),
                             [](const auto& p) { return p->active && p->context; }));
}

} // namespace zol::test
