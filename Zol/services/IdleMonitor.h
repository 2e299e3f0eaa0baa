#pragma once

#include "IdleReport.h"
#include "support/Clock.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QUuid>

#include <functional>
#include <optional>

namespace zol {

class AppSettings;
class IdleTimeSource;
class SystemEvents;
struct TimeEntry;
class Tracker;

// Notices that the user left a running timer alone and, once they are back,
// reports the away time, so that the panel can offer to take it off. It only
// watches; it never changes a session.
//
// While a session ticks, every 15 seconds (monotonic) it reads the seconds
// since the last input; with none ticking it does not look. The user counts
// as away from the first look that finds those seconds at the threshold
// (`idleMinutes` × 60) or more; the away period begins at the last input
// seen then, never before the session started. At the first look that
// finds the user back, the period ends at their latest input, so two hours
// away read two hours. It is reported when it lasted the threshold or more and
// was not reported before. A paused session, or none, is never reported on and
// ends any away period.
//
// Time the machine slept while the session was ticking is offered the same
// way: one report that begins when it went to sleep and lasts as long as it
// slept, when that is the threshold or more. The sleep is known from the
// system's will-sleep and woke events, or, when those were missed, from the
// wall clock running ahead of the monotonic clock (which stands still while
// the machine sleeps). Away periods after a sleep begin no earlier than the
// wake, so the same time is never offered twice.
//
// A locked screen, when the settings count it as away, is offered the same
// way: one report from the lock to the unlock, when that is the threshold or
// more. A lock that comes while an away period or a sleep is already under
// way extends it, and a sleep while locked is part of the lock, so each
// stretch is offered once; while the screen is locked the idle time is not
// asked (the lock screen's own input is not work). The lock is offered only
// when the same session ticked from the lock to the unlock.
class IdleMonitor final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IdleMonitor)

public:
    using Report = IdleReport;

    // Seconds between two looks at the idle time.
    static constexpr double tickSeconds = 15;

    // The clock and the platform services must outlive the monitor.
    IdleMonitor(Clock& clock, IdleTimeSource& idleTime, SystemEvents& events,
                QObject* parent = nullptr);
    ~IdleMonitor() override;

    // Stops any earlier watch, then watches `tracker` when idle detection is on
    // and `idleMinutes` is 1 or more. The threshold and whether a locked
    // screen counts are read now and kept until the next start. The tracker is watched, not owned; when it goes away the
    // watch does nothing until restarted.
    void start(Tracker& tracker, const AppSettings& settings);
    void stop();
    // Watching a tracker (the looks themselves run only while a session ticks).
    bool isRunning() const { return !m_tracker.isNull() && m_threshold > 0; }

    // Where reports go; they arrive on this object's thread.
    void onIdleEnded(std::function<void(const Report&)> callback)
    {
        m_onIdleEnded = std::move(callback);
    }

private:
    void tick();
    void lookWhileTicking();
    void noteSleep();
    void noteLock();
    void noteUnlock();
    // The watched tracker's session while it ticks (not paused); null when
    // it is paused, there is none, or the tracker is gone. Valid until the
    // tracker next changes.
    const TimeEntry* tickingSession() const;
    // The machine is awake again after a sleep announced by willSleep(), a
    // woke() event, or a jump of `jump` seconds of the wall clock ahead of the
    // monotonic clock since the last look.
    void wokeUp(const QDateTime& now, double jump, bool announced);
    // The wall clock's lead over the monotonic clock since the last look.
    double clockJump(const QDateTime& now, double monotonic) const;
    void rememberLook(const QDateTime& now, double monotonic);
    void deliver(const Report& report);

    Clock& m_clock;
    IdleTimeSource& m_idleTime;
    QPointer<Tracker> m_tracker;
    double m_threshold = 0;
    Clock::Timer m_loop;
    // The start of the last away period reported, so that it is reported once.
    std::optional<QDateTime> m_reported;
    // When the current away period began; none while the user is here.
    std::optional<QDateTime> m_awaySince;
    // Away periods begin no earlier than this (the last wake).
    QDateTime m_awakeSince;
    // The last look, on both clocks, and the session ticking then.
    QDateTime m_lookedAt;
    double m_lookedAtMonotonic = 0;
    std::optional<QUuid> m_tickingAtLook;
    // When the machine announced it was going to sleep with a session ticking.
    std::optional<QDateTime> m_sleptAt;
    QUuid m_sleptDuring;
    bool m_countLocks = false;
    // When the current lock's away period began, with a session ticking.
    std::optional<QDateTime> m_lockedAt;
    QUuid m_lockedDuring;
    QMetaObject::Connection m_trackerConnection;
    std::function<void(const Report&)> m_onIdleEnded;
};

} // namespace zol
