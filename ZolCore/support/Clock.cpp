#include "support/Clock.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zol {

Clock::Timer::Timer(std::unique_ptr<Control> control)
    : m_control(std::move(control))
{
}

Clock::Timer& Clock::Timer::operator=(Timer&& other) noexcept
{
    if (this != &other) {
        cancel();
        m_control = std::move(other.m_control);
    }
    return *this;
}

Clock::Timer::~Timer()
{
    cancel();
}

void Clock::Timer::cancel()
{
    if (m_control) {
        m_control->cancel();
        m_control.reset();
    }
}

bool Clock::Timer::isActive() const
{
    return m_control && m_control->isActive();
}

namespace {

class QTimerControl final : public Clock::Timer::Control
{
public:
    explicit QTimerControl(QTimer* timer)
        : m_timer(timer)
    {
    }

    ~QTimerControl() override { cancel(); }

    void cancel() override
    {
        if (m_timer) {
            m_timer->stop();
            // The timer may be the one whose timeout is being delivered right now.
            m_timer->deleteLater();
            m_timer.clear();
        }
    }

    bool isActive() const override { return m_timer && m_timer->isActive(); }

private:
    QPointer<QTimer> m_timer;
};

int toMilliseconds(double seconds)
{
    const double ms = std::ceil(std::max(0.0, seconds) * 1000.0);
    return static_cast<int>(std::min(ms, double(std::numeric_limits<int>::max())));
}

class SystemClock final : public Clock
{
public:
    SystemClock() { m_elapsed.start(); }

    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }

    double monotonicSeconds() const override { return double(m_elapsed.nsecsElapsed()) / 1e9; }

    Timer after(double seconds, QObject* context, Callback callback) override
    {
        return start(seconds, true, context, std::move(callback));
    }

    Timer every(double seconds, QObject* context, Callback callback) override
    {
        return start(seconds, false, context, std::move(callback));
    }

private:
    static Timer start(double seconds, bool singleShot, QObject* context, Callback callback)
    {
        Q_ASSERT(context);
        auto* timer = new QTimer(context);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(singleShot);
        timer->setInterval(toMilliseconds(seconds));
        QObject::connect(timer, &QTimer::timeout, context, std::move(callback));
        timer->start();
        return Timer(std::make_unique<QTimerControl>(timer));
    }

    QElapsedTimer m_elapsed;
};

} // namespace

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}

} // namespace zol
