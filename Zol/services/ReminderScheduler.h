#pragma once

#include "Notifier.h"
#include "support/Clock.h"

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>
#include <vector>

namespace zol {

class AppSettings;
class Tracker;
struct TimeEntry;

// Reminds the user by notification that a timer is still running: a first
// reminder once the session has `firstReminderMinutes` of tracked time, then
// one every `repeatReminderMinutes` more (none more when that is 0). Each
// notification carries Pause and Stop, which run the callbacks given to
// onPause() and onStop().
//
// At most one reminder loop runs; it belongs to the session that was ticking
// at the last sync() and is replaced by every sync(). It waits on the clock
// until the session's tracked time (not the wall clock) reaches the next
// reminder, so time spent paused never counts, and it ends by itself when
// that session stops, pauses or stops being current. When notifications are
// not allowed the loop ends without showing anything; failures to show one
// are silent.
class ReminderScheduler final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReminderScheduler)

public:
    // Our application id followed by ".stillTracking".
    static QString categoryId();
    static QString pauseActionId();
    static QString stopActionId();

    // `clock` and `notifier` must outlive the scheduler.
    ReminderScheduler(Clock& clock, Notifier& notifier, QObject* parent = nullptr);
    ~ReminderScheduler() override;

    // Registers the category of our notifications with its Pause and Stop
    // actions. Once per run is enough.
    void registerCategories();

    // Ends the current loop and, when reminders are on, the first reminder is
    // at least a minute and the tracker's current session is ticking, starts
    // one for that session. The tracker is watched, not owned; the settings
    // are read now and not kept.
    void sync(Tracker& tracker, const AppSettings& settings);

    // Whether notifications may be shown. A decided status answers at once
    // (allowed when authorised or provisional); an undecided one asks the
    // user the first time in this run and answers with their choice, and
    // answers false when asked already. The future finishes on this object's
    // thread.
    QFuture<bool> requestAuthorisationIfNeeded();
    bool hasRequestedAuthorisation() const { return m_hasRequestedAuthorisation; }

    // What the Pause and Stop actions run, given the session the reminder
    // was about. A desktop keeps old reminders in its list, so that session
    // need not be the one running now: the callback decides.
    using Action = std::function<void(const QUuid& session)>;
    void onPause(Action callback) { m_onPause = std::move(callback); }
    void onStop(Action callback) { m_onStop = std::move(callback); }
    // A click on an action of a notification: "PAUSE" and "STOP" of one of
    // our reminders run their callbacks, anything else is ignored. Connected
    // to the notifier's actionInvoked().
    void handleAction(const QString& notificationId, const QString& actionId);
    // The session a reminder's id names; none when it is not a reminder's.
    static std::optional<QUuid> sessionOf(const QString& notificationId);

    // The reminder for `entry` after `worked` seconds of tracked time.
    static Notification notificationFor(const TimeEntry& entry, double worked);

private:
    struct Loop
    {
        quint64 token = 0;
        QPointer<Tracker> tracker;
        QUuid entryId;
        // Tracked seconds at which the next reminder is due.
        double target = 0;
        double repeat = 0;
        Clock::Timer sleep;
    };

    void askAuthorisation(std::function<void(bool allowed)> answer);
    // Answers owed once the user has decided on the request in flight.
    std::vector<std::function<void(bool)>> m_waitingForAnswer;
    void step(quint64 token);

    Clock& m_clock;
    Notifier& m_notifier;
    std::optional<Loop> m_loop;
    // Moves with every sync(), so that a late answer or wake of an older loop
    // is recognised and dropped.
    quint64 m_nextToken = 0;
    bool m_hasRequestedAuthorisation = false;
    Action m_onPause;
    Action m_onStop;
};

} // namespace zol
