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
    connect(&events, &SystemEvents::screenLocked, this, &IdleMonitor::noteLock);
    connect(&events, &SystemEvents::screenUnlocked, this, &IdleMonitor::noteUnlock);
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
    m_countLocks = settings.lockCountsAsAway();
    // A pause between two looks means the session did not tick throughout:
    // time slept or spent away in that stretch is not the session's.
    m_trackerConnection = connect(&tracker, &Tracker::currentChanged, this, [this] {
        if (tickingSession()) {
            lookWhileTicking();
            return;
        }
        m_loop.cancel();
        m_tickingAtLook.reset();
        m_sleptAt.reset();
        m_awaySince.reset();
        m_lockedAt.reset();
    });
    lookWhileTicking();
}

// The looks run only while a session ticks: with none there is nothing to
// report, and the app stays asleep.
void IdleMonitor::lookWhileTicking()
{
    const TimeEntry* ticking = tickingSession();
    if (!ticking || m_loop.isActive())
        return;
    // A sleep since the last look, while nothing ticked, is no session's;
    // it still bounds where an away period after it may begin.
    const QDateTime now = m_clock.now();
    if (const double jump = clockJump(now, m_clock.monotonicSeconds()); jump >= tickSeconds) {
        m_tickingAtLook.reset();
        wokeUp(now, jump, false);
    }
    rememberLook(now, m_clock.monotonicSeconds());
    m_tickingAtLook = ticking->id;
    m_loop = m_clock.every(tickSeconds, this, [this] { tick(); });
}

void IdleMonitor::stop()
{
    disconnect(m_trackerConnection);
    m_loop.cancel();
    m_tracker.clear();
    m_threshold = 0;
    m_countLocks = false;
    m_awaySince.reset();
    m_tickingAtLook.reset();
    m_sleptAt.reset();
    m_lockedAt.reset();
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

    const TimeEntry* ticking = tickingSession();
    m_tickingAtLook = ticking ? std::optional(ticking->id) : std::nullopt;
    // The unlock reports the lock; the idle time while locked is the lock
    // screen's.
    if (m_lockedAt)
        return;

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
            QDateTime began = std::max(lastInput, ticking->startedAt);
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
        deliver({began, away, ticking->id});
}

void IdleMonitor::noteSleep()
{
    m_sleptAt.reset();
    if (!isRunning())
        return;
    if (const TimeEntry* ticking = tickingSession()) {
        m_sleptAt = m_clock.now();
        m_sleptDuring = ticking->id;
    }
}

void IdleMonitor::noteLock()
{
    if (!isRunning() || !m_countLocks || m_lockedAt)
        return;
    const TimeEntry* ticking = tickingSession();
    if (!ticking)
        return;
    // Away already, or falling asleep (some desktops lock on the way): the
    // lock carries on that period rather than offering its time twice.
    QDateTime began = m_clock.now();
    if (m_awaySince)
        began = std::min(began, *m_awaySince);
    if (m_sleptAt && m_sleptDuring == ticking->id)
        began = std::min(began, *m_sleptAt);
    m_awaySince.reset();
    m_sleptAt.reset();
    m_lockedAt = began;
    m_lockedDuring = ticking->id;
}

void IdleMonitor::noteUnlock()
{
    if (!m_lockedAt)
        return;
    const QDateTime began = *std::exchange(m_lockedAt, std::nullopt);
    const QDateTime now = m_clock.now();
    m_awaySince.reset();
    m_awakeSince = now;
    rememberLook(now, m_clock.monotonicSeconds());
    const TimeEntry* ticking = tickingSession();
    if (!ticking || ticking->id != m_lockedDuring)
        return;
    // The same threshold as for idle time and sleep: the user chose how much
    // time away is worth a question, and stepping away behind a locked screen
    // for a coffee is no more of a question than stepping away without.
    const double seconds = double(began.msecsTo(now)) / 1000.0;
    if (seconds >= m_threshold && began != m_reported)
        deliver({began, seconds, m_lockedDuring});
}

void IdleMonitor::wokeUp(const QDateTime& now, double jump, bool announced)
{
    // Asleep while locked: the unlock offers both.
    if (m_lockedAt) {
        m_sleptAt.reset();
        m_awaySince.reset();
        rememberLook(now, m_clock.monotonicSeconds());
        return;
    }
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

    const TimeEntry* ticking = tickingSession();
    if (!began || !ticking || ticking->id != during)
        return;
    if (slept >= m_threshold && began != m_reported)
        deliver({*began, slept, during});
}

const TimeEntry* IdleMonitor::tickingSession() const
{
    // One read of the guarded pointer, checked before use: each read of a
    // QPointer is a fresh atomic load, so a check of one read proves nothing
    // about the next (and an optimising compiler says so).
    const Tracker* tracker = m_tracker.data();
    if (!tracker)
        return nullptr;
    const std::optional<TimeEntry>& current = tracker->current();
    return current && current->isTicking() ? &*current : nullptr;
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
