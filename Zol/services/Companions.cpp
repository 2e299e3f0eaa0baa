#include "Companions.h"

#include "AppModel.h"
#include "GlobalHotKey.h"
#include "IdleMonitor.h"
#include "Platform.h"
#include "ReminderScheduler.h"
#include "SessionOperations.h"

namespace zol {

Companions::Companions(AppModel& model, Platform& platform, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_hotKey(new GlobalHotKey(platform.shortcut(), this))
    , m_reminders(new ReminderScheduler(model.clock(), platform.notifier(), this))
    , m_idleMonitor(
          new IdleMonitor(model.clock(), platform.idleTime(), platform.systemEvents(), this))
{
    m_reminders->registerCategories();
    // An old reminder left in the desktop's list acts on nothing once its
    // session has stopped, whatever is open now. A refusal needs no answer.
    m_reminders->onPause([this](const QUuid& session) { (void)m_model.sessions().pause(session); });
    m_reminders->onStop([this](const QUuid& session) { (void)m_model.sessions().stop(session); });
    m_idleMonitor->onIdleEnded(
        [this](const IdleReport& report) { m_model.panel().setIdleReport(report); });

    connect(&m_model.books(), &OpenBooks::settingsChanged, this, &Companions::followSettings);
    connect(&m_model.books(), &OpenBooks::trackerChanged, this, &Companions::followTracker);
    followSettings();
    followTracker();
}

Companions::~Companions() = default;

void Companions::followSettings()
{
    for (const QMetaObject::Connection& c : std::as_const(m_settingsConnections))
        disconnect(c);
    m_settingsConnections.clear();

    AppSettings* settings = m_model.books().settings();
    m_settingsConnections = {
        connect(settings, &AppSettings::hotKeyEnabledChanged, this, &Companions::updateHotKey),
        connect(settings, &AppSettings::remindersEnabledChanged, this,
                &Companions::updateReminders),
        connect(settings, &AppSettings::firstReminderMinutesChanged, this,
                &Companions::updateReminders),
        connect(settings, &AppSettings::repeatReminderMinutesChanged, this,
                &Companions::updateReminders),
        connect(settings, &AppSettings::idleDetectionEnabledChanged, this,
                &Companions::updateIdleMonitor),
        connect(settings, &AppSettings::idleMinutesChanged, this, &Companions::updateIdleMonitor),
        connect(settings, &AppSettings::lockCountsAsAwayChanged, this,
                &Companions::updateIdleMonitor),
    };
    updateHotKey();
    updateReminders();
    updateIdleMonitor();
}

void Companions::followTracker()
{
    disconnect(m_trackerConnection);
    m_trackerConnection =
        connect(m_model.books().tracker(), &Tracker::currentChanged, this, [this] {
            updateReminders();
            updateIdleMonitor();
        });
    updateReminders();
    updateIdleMonitor();
}

void Companions::updateHotKey()
{
    if (m_model.books().settings()->hotKeyEnabled())
        m_hotKey->registerAction([this] { m_model.sessions().toggle(); });
    else
        m_hotKey->unregister();
    const QString& failure = m_hotKey->failure();
    m_model.hotKey().setFailure(failure.isEmpty() ? std::nullopt : std::optional(failure));
}

void Companions::updateReminders()
{
    const AppSettings& settings = *m_model.books().settings();
    Tracker& tracker = *m_model.books().tracker();
    const std::optional<TimeEntry>& current = tracker.current();
    const ReminderInputs inputs{
        m_model.books().generation(),    current ? std::optional(current->id) : std::nullopt,
        current && current->isTicking(), settings.remindersEnabled(),
        settings.firstReminderMinutes(), settings.repeatReminderMinutes()};
    if (inputs == m_reminderInputs)
        return;
    m_reminderInputs = inputs;
    m_reminders->sync(tracker, settings);
}

void Companions::updateIdleMonitor()
{
    const AppSettings& settings = *m_model.books().settings();
    Tracker& tracker = *m_model.books().tracker();
    const std::optional<TimeEntry>& current = tracker.current();
    const IdleInputs inputs{
        m_model.books().generation(), current ? std::optional(current->id) : std::nullopt,
        settings.idleDetectionEnabled(), settings.idleMinutes(), settings.lockCountsAsAway()};
    if (inputs == m_idleInputs)
        return;
    m_idleInputs = inputs;
    m_idleMonitor->start(tracker, settings);
}

} // namespace zol
