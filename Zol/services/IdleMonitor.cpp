#include "IdleMonitor.h"

#include "IdleTimeSource.h"
#include "SystemEvents.h"
#include "books/AppSettings.h"
#include "tracking/Tracker.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zol {

IdleMonitor::IdleMonitor(Clock& clock, IdleTimeSource& idleTime, SystemEvents& events,
                         QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_idleTime(idleTime)
{
    connect(&events, &SystemEvents::willSleep, this, &IdleMonitor::noteSleep);
    connect(&events, &SystemEvents::woke, this, [this] {
        if (!isRunning())
            return;
        const QDateTime now = m_clock.now();
        wokeUp(now, clockJump(now, m_clock.monotonicSeconds()), true);
    });
}

IdleMonitor::~IdleMonitor() = default;

void IdleMonitor::start(Tracker& tracker, const AppSettings& settings)
{
    stop();
    m_tracker = &tracker;
    if (!settings.idleDetectionEnabled() || settings.idleMinutes() < 1)
        return;
    m_threshold = settings.idleMinutes() * 60.0;
    rememberLook(m_clock.now(), m_clock.monotonicSeconds());
    const std::optional<TimeEntry>& current = tracker.current();
    if (current && current->isTicking())
        m_tickingAtLook = current->id;
    // A pause between two looks means the session did not tick throughout:
    // time slept or spent away in that stretch is not the session's.
    m_trackerConnection = connect(&tracker, &Tracker::currentChanged, this, [this] {
        if (m_tracker && m_tracker->isRunning())
            return;
        m_tickingAtLook.reset();
        m_sleptAt.reset();
        m_awaySince.reset();
    });
    m_loop = m_clock.every(tickSeconds, this, [this] { tick(); });
}

void IdleMonitor::stop()
{
    disconnect(m_trackerConnection);
    m_loop.cancel();
    m_tracker.clear();
    m_threshold = 0;
    m_awaySince.reset();
    m_tickingAtLook.reset();
    m_sleptAt.reset();
}

void IdleMonitor::tick()
{
    if (!m_tracker)
        return;
    const QDateTime now = m_clock.now();
    const double jump = clockJump(now, m_clock.monotonicSeconds());
    // Smaller differences are clock corrections, not sleep.
    if (jump >= tickSeconds)
        wokeUp(now, jump, false);
    rememberLook(now, m_clock.monotonicSeconds());

    const std::optional<TimeEntry>& current = m_tracker->current();
    const bool ticking = current && current->isTicking();
    m_tickingAtLook = ticking ? std::optional(current->id) : std::nullopt;

    const std::optional<double> idle = m_idleTime.secondsSinceLastInput();
    if (!idle)
        return;
    if (!ticking) {
        m_awaySince.reset();
        return;
    }
    const QDateTime lastInput = now.addMSecs(-std::llround(*idle * 1000.0));
    if (*idle >= m_threshold) {
        if (!m_awaySince) {
            QDateTime began = std::max(lastInput, current->startedAt);
            if (m_awakeSince.isValid())
                began = std::max(began, m_awakeSince);
            m_awaySince = began;
        }
        return;
    }
    if (!m_awaySince)
        return;
    const QDateTime began = *std::exchange(m_awaySince, std::nullopt);
    const double away = double(began.msecsTo(lastInput)) / 1000.0;
    if (away >= m_threshold && began != m_reported)
        deliver({began, away, current->id});
}

void IdleMonitor::noteSleep()
{
    m_sleptAt.reset();
    if (!isRunning() || !m_tracker)
        return;
    const std::optional<TimeEntry>& current = m_tracker->current();
    if (current && current->isTicking()) {
        m_sleptAt = m_clock.now();
        m_sleptDuring = current->id;
    }
}

void IdleMonitor::wokeUp(const QDateTime& now, double jump, bool announced)
{
    std::optional<QDateTime> began;
    double slept = 0;
    QUuid during;
    if (m_sleptAt) {
        began = m_sleptAt;
        during = m_sleptDuring;
        slept = announced ? double(m_sleptAt->msecsTo(now)) / 1000.0 : jump;
    } else if (jump >= tickSeconds && m_tickingAtLook) {
        // Asleep somewhere after the last look; that look is the best start known.
        began = m_lookedAt;
        during = *m_tickingAtLook;
        slept = jump;
    }
    // Away before the machine went to sleep: the report covers both.
    if (began && m_awaySince && *m_awaySince < *began) {
        slept += double(m_awaySince->msecsTo(*began)) / 1000.0;
        began = m_awaySince;
    }
    m_sleptAt.reset();
    m_awaySince.reset();
    m_awakeSince = now;
    rememberLook(now, m_clock.monotonicSeconds());

    if (!began || !m_tracker)
        return;
    const std::optional<TimeEntry>& current = m_tracker->current();
    if (!current || !current->isTicking() || current->id != during)
        return;
    if (slept >= m_threshold && began != m_reported)
        deliver({*began, slept, during});
}

double IdleMonitor::clockJump(const QDateTime& now, double monotonic) const
{
    return double(m_lookedAt.msecsTo(now)) / 1000.0 - (monotonic - m_lookedAtMonotonic);
}

void IdleMonitor::rememberLook(const QDateTime& now, double monotonic)
{
    m_lookedAt = now;
    m_lookedAtMonotonic = monotonic;
}

void IdleMonitor::deliver(const Report& report)
{
    m_reported = report.began;
    // A copy: the callback may replace itself.
    if (const std::function<void(const Report&)> callback = m_onIdleEnded)
        callback(report);
}

} // namespace zol
