#include "ReminderScheduler.h"

#include "books/AppSettings.h"
#include "records/Duration.h"
#include "support/Timestamps.h"
#include "tracking/Tracker.h"

#include <QPromise>

#include <cmath>
#include <memory>

namespace zol {

namespace {

// A wait rounded up to the next millisecond, so that on waking the tracked
// time (kept to the millisecond) has really reached the target.
double roundedUpWait(double seconds)
{
    return std::ceil(seconds * 1000.0) / 1000.0;
}

} // namespace

QString ReminderScheduler::categoryId()
{
    return QStringLiteral("org.zol.Zol.stillTracking");
}

QString ReminderScheduler::pauseActionId()
{
    return QStringLiteral("PAUSE");
}

QString ReminderScheduler::stopActionId()
{
    return QStringLiteral("STOP");
}

ReminderScheduler::ReminderScheduler(Clock& clock, Notifier& notifier, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_notifier(notifier)
{
    connect(&m_notifier, &Notifier::actionInvoked, this,
            [this](const QString& notificationId, const QString& actionId) {
                handleAction(notificationId, actionId);
            });
}

ReminderScheduler::~ReminderScheduler() = default;

void ReminderScheduler::registerCategories()
{
    m_notifier.registerCategory(categoryId(),
                                {{pauseActionId(), tr("Pause")}, {stopActionId(), tr("Stop")}});
}

std::optional<QUuid> ReminderScheduler::sessionOf(const QString& notificationId)
{
    static const QString prefix = QStringLiteral("still-tracking-");
    if (!notificationId.startsWith(prefix))
        return std::nullopt;
    // "still-tracking-" + 36 characters of id + "-" + whole seconds.
    const std::optional<QUuid> session = parseUuid(notificationId.mid(prefix.size(), 36));
    if (!session || notificationId.mid(prefix.size() + 36, 1) != u"-")
        return std::nullopt;
    return session;
}

void ReminderScheduler::handleAction(const QString& notificationId, const QString& actionId)
{
    const std::optional<QUuid> session = sessionOf(notificationId);
    if (!session)
        return;
    // Copies: a callback may replace itself.
    if (actionId == pauseActionId()) {
        if (const Action pause = m_onPause)
            pause(*session);
    } else if (actionId == stopActionId()) {
        if (const Action stop = m_onStop)
            stop(*session);
    }
}

void ReminderScheduler::sync(Tracker& tracker, const AppSettings& settings)
{
    m_loop.reset();
    const quint64 token = ++m_nextToken;
    if (!settings.remindersEnabled() || settings.firstReminderMinutes() < 1)
        return;
    const std::optional<TimeEntry>& current = tracker.current();
    if (!current || !current->isTicking())
        return;

    m_loop.emplace();
    m_loop->token = token;
    m_loop->tracker = &tracker;
    m_loop->entryId = current->id;
    m_loop->target = settings.firstReminderMinutes() * 60.0;
    m_loop->repeat = settings.repeatReminderMinutes() * 60.0;
    askAuthorisation([this, token](bool allowed) {
        if (!m_loop || m_loop->token != token)
            return;
        if (!allowed) {
            m_loop.reset();
            return;
        }
        step(token);
    });
}

// One round of the loop: sleep while the tracked time is short of the target,
// otherwise remind and aim at the next target. Called again on every wake, so
// that time taken off the session while asleep (away time, say) postpones the
// reminder instead of bringing it early.
void ReminderScheduler::step(quint64 token)
{
    if (!m_loop || m_loop->token != token)
        return;
    const Tracker* tracker = m_loop->tracker.data();
    const std::optional<TimeEntry>* current = tracker ? &tracker->current() : nullptr;
    if (!current || !*current || (*current)->id != m_loop->entryId || !(*current)->isTicking()) {
        m_loop.reset();
        return;
    }
    const TimeEntry& entry = **current;
    const double worked = entry.duration(m_clock.now());
    if (worked < m_loop->target) {
        m_loop->sleep = m_clock.after(roundedUpWait(m_loop->target - worked), this,
                                      [this, token] { step(token); });
        return;
    }
    m_notifier.post(notificationFor(entry, worked));
    if (m_loop->repeat <= 0) {
        m_loop.reset();
        return;
    }
    m_loop->target = worked + m_loop->repeat;
    m_loop->sleep =
        m_clock.after(roundedUpWait(m_loop->repeat), this, [this, token] { step(token); });
}

Notification ReminderScheduler::notificationFor(const TimeEntry& entry, double worked)
{
    Notification n;
    n.id = QStringLiteral("still-tracking-") + uuidText(entry.id) + u'-' +
           QString::number(qint64(std::floor(worked)));
    n.title = tr("Still tracking %1").arg(entry.projectName);
    const QString soFar = Duration::coarseString(worked);
    n.body = entry.clientName.isEmpty() ? tr("%1 so far.").arg(soFar)
                                        : tr("%1 so far on %2.").arg(soFar, entry.clientName);
    n.category = categoryId();
    n.passive = true;
    return n;
}

QFuture<bool> ReminderScheduler::requestAuthorisationIfNeeded()
{
    auto promise = std::make_shared<QPromise<bool>>();
    promise->start();
    QFuture<bool> future = promise->future();
    askAuthorisation([promise](bool allowed) {
        promise->addResult(allowed);
        promise->finish();
    });
    return future;
}

// `answer` runs at once when the status is decided or was asked for already,
// otherwise when the user has answered.
void ReminderScheduler::askAuthorisation(std::function<void(bool)> answer)
{
    switch (m_notifier.authorisation()) {
    case Notifier::Authorisation::authorised:
    case Notifier::Authorisation::provisional:
        answer(true);
        return;
    case Notifier::Authorisation::denied:
        answer(false);
        return;
    case Notifier::Authorisation::notDetermined:
        break;
    }
    // Asked while the user is still deciding: answered with everybody else.
    if (!m_waitingForAnswer.empty()) {
        m_waitingForAnswer.push_back(std::move(answer));
        return;
    }
    if (m_hasRequestedAuthorisation) {
        answer(false);
        return;
    }
    m_hasRequestedAuthorisation = true;
    m_waitingForAnswer.push_back(std::move(answer));
    m_notifier.requestAuthorisation(this, [this](bool allowed) {
        const std::vector<std::function<void(bool)>> waiting =
            std::exchange(m_waitingForAnswer, {});
        for (const std::function<void(bool)>& waiter : waiting)
            waiter(allowed);
    });
}

} // namespace zol
