#pragma once

#include "Notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QStringList>

#include <optional>
#include <vector>

namespace zol::linux_desktop {

// Notifications through the desktop's notification server
// (org.freedesktop.Notifications) on the given session bus.
//
// Linux asks no permission: notifications are allowed exactly when a server
// is there, running or started by the bus on demand. authorisation() answers
// from the last look (notDetermined until the first one is back);
// requestAuthorisation() looks again. A server that appears or goes away
// later is noticed.
//
// A notification carries the actions of its category only when the server
// says it shows actions; without them the tray panel is the way to act.
// Passive notifications go out with low urgency. Posting an id again replaces
// the notification shown for it while the server still shows it. A click on
// an action comes back as actionInvoked() with our notification's id; the
// server tells only the connection that posted, which is ours.
//
// Nothing here blocks for longer than a few hundred milliseconds: calls that
// may start the server are asynchronous, and availability() bounds each
// question it asks.
class DBusNotifier final : public Notifier
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DBusNotifier)

public:
    // Names the application towards the server (its name and "desktop-entry").
    static QString applicationId() { return QStringLiteral("org.zol.Zol"); }

    explicit DBusNotifier(const QDBusConnection& sessionBus, QObject* parent = nullptr);
    ~DBusNotifier() override;

    ServiceAvailability availability() override;
    Authorisation authorisation() override;
    void requestAuthorisation(QObject* context, std::function<void(bool granted)> done) override;
    void registerCategory(const QString& category,
                          const QList<NotificationAction>& actions) override;
    void post(const Notification& notification) override;

private Q_SLOTS:
    void onActionInvoked(uint serverId, const QString& actionKey);
    void onNotificationClosed(uint serverId, uint reason);

private:
    void lookForServer();
    void serverOwnerChanged(const QString& newOwner);
    void fetchCapabilities();
    void send(const Notification& notification);
    void forget(uint serverId);

    QDBusConnection m_bus;
    // Whether a server is there, from the last look; none until it is back.
    std::optional<bool> m_serverThere;
    bool m_looking = false;
    std::vector<std::function<void(bool)>> m_waitingForServer;
    // Moves whenever the server changes: answers of an earlier server are
    // dropped, and its ids mean nothing to the next.
    quint64 m_serverGeneration = 0;

    std::optional<QStringList> m_capabilities;
    bool m_fetchingCapabilities = false;
    QList<Notification> m_waitingForCapabilities;

    QHash<QString, QList<NotificationAction>> m_categories;
    // Our notification ids and the server's, both ways, while it shows them.
    QHash<QString, uint> m_serverIds;
    QHash<uint, QString> m_ourIds;
    // Ids whose Notify has not answered yet, each with the newer notification
    // posted for it meanwhile, sent once the server's id for it is known.
    QHash<QString, std::optional<Notification>> m_inFlight;
};

} // namespace zol::linux_desktop
