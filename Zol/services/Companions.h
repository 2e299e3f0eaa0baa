#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QUuid>

#include <optional>

namespace zol {

class AppModel;
class GlobalHotKey;
class IdleMonitor;
class Platform;
class ReminderScheduler;

// The timer's companions (the start-and-pause key, the reminders and the idle
// monitor) kept in step with the controller for the whole run:
// - the key is held while the books' settings have it on, and a press runs
//   the controller's toggle(); why the desktop refused it goes to the
//   controller's hotKeyFailure();
// - the reminders follow the current session (which one, running or paused)
//   and the reminder settings; their Pause action pauses the tracker, their
//   Stop action runs the controller's stop(), so the usual message shows;
// - the idle monitor is restarted for each new session and each change of
//   the idle settings, and its reports go to the controller's idleReport.
// The controller replaces its settings and tracker when other books open;
// the companions follow the new ones.
//
// Create it after the controller and destroy it before; the platform must
// outlive it too.
class Companions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Companions)

public:
    Companions(AppModel& model, Platform& platform, QObject* parent = nullptr);
    ~Companions() override;

    GlobalHotKey* hotKey() const { return m_hotKey; }
    ReminderScheduler* reminders() const { return m_reminders; }
    IdleMonitor* idleMonitor() const { return m_idleMonitor; }

private:
    // What the reminders and the idle monitor depend on; they are started
    // again only when it changes.
    struct ReminderInputs
    {
        quint64 generation = 0;
        std::optional<QUuid> entryId;
        bool ticking = false;
        bool enabled = false;
        int firstMinutes = 0;
        int repeatMinutes = 0;
        bool operator==(const ReminderInputs& other) const = default;
    };
    struct IdleInputs
    {
        quint64 generation = 0;
        std::optional<QUuid> entryId;
        bool enabled = false;
        int minutes = 0;
        bool countLocks = false;
        bool operator==(const IdleInputs& other) const = default;
    };

    void followSettings();
    void followTracker();
    void updateHotKey();
    void updateReminders();
    void updateIdleMonitor();

    AppModel& m_model;
    GlobalHotKey* m_hotKey = nullptr;
    ReminderScheduler* m_reminders = nullptr;
    IdleMonitor* m_idleMonitor = nullptr;
    QList<QMetaObject::Connection> m_settingsConnections;
    QMetaObject::Connection m_trackerConnection;
    std::optional<ReminderInputs> m_reminderInputs;
    std::optional<IdleInputs> m_idleInputs;
};

} // namespace zol
