#include "linux/DBusNotifier.h"

#include "linux/BusNames.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QPointer>

#include <utility>

namespace zol::linux_desktop {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString interfaceName = QStringLiteral("org.freedesktop.Notifications");

// Calls that may have the bus start the server first: asynchronous, and
// given the time a server takes to start.
constexpr int startTimeoutMs = 10'000;

QDBusMessage serverMethod(const QString& method)
{
    return QDBusMessage::createMethodCall(service, objectPath, interfaceName, method);
}

// "dunst 1.9.0" from ("dunst", "knopwob", "1.9.0 (2022-06-27)", "1.2").
QString serverName(const QDBusMessage& information)
{
    const QVariantList values = information.arguments();
    if (information.type() != QDBusMessage::ReplyMessage || values.size() < 3)
        return service;
    const QString name = values.at(0).toString().trimmed();
    const QString version = values.at(2).toString().section(u' ', 0, 0, QString::SectionSkipEmpty);
    if (name.isEmpty())
        return service;
    return version.isEmpty() ? name : name + u' ' + version;
}

} // namespace

DBusNotifier::DBusNotifier(const QDBusConnection& sessionBus, QObject* parent)
    : Notifier(parent)
    , m_bus(sessionBus)
{
    if (m_bus.isConnected()) {
        auto* watcher =
            new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString&, const QString&, const QString& newOwner) {
                    serverOwnerChanged(newOwner);
                });
        m_bus.connect(service, objectPath, interfaceName, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
        m_bus.connect(service, objectPath, interfaceName, QStringLiteral("NotificationClosed"),
                      this, SLOT(onNotificationClosed(uint, uint)));
    }
    lookForServer();
}

DBusNotifier::~DBusNotifier()
{
    if (m_bus.isConnected()) {
        m_bus.disconnect(service, objectPath, interfaceName, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(uint, QString)));
        m_bus.disconnect(service, objectPath, interfaceName, QStringLiteral("NotificationClosed"),
                         this, SLOT(onNotificationClosed(uint, uint)));
    }
}

ServiceAvailability DBusNotifier::availability()
{
    if (!m_bus.isConnected())
        return ServiceAvailability::missing(
            tr("No D-Bus session bus, so no notifications: run Zol inside a desktop session."));
    switch (nameStatus(m_bus, service)) {
    case NameStatus::owned:
        break;
    case NameStatus::activatable:
        return ServiceAvailability::present(service, tr("started by the bus when first needed"));
    case NameStatus::absent:
        return ServiceAvailability::missing(
            tr("No notification server on the session bus: install one (dunst, mako) or use a "
               "desktop that brings its own."));
    }

    // The server runs, so asking it starts nothing; still, never start one.
    QDBusMessage information = serverMethod(QStringLiteral("GetServerInformation"));
    information.setAutoStartService(false);
    const QString name = serverName(m_bus.call(information, QDBus::Block, probeTimeoutMs));
    QStringList capabilities;
    if (m_capabilities) {
        capabilities = *m_capabilities;
    } else {
        QDBusMessage ask = serverMethod(QStringLiteral("GetCapabilities"));
        ask.setAutoStartService(false);
        const QDBusMessage reply = m_bus.call(ask, QDBus::Block, probeTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            capabilities = reply.arguments().constFirst().toStringList();
    }
    return ServiceAvailability::present(
        name, capabilities.contains(QStringLiteral("actions"))
                  ? tr("reminders carry Pause and Stop")
                  : tr("no buttons on notifications: pause and stop from the tray"));
}

Notifier::Authorisation DBusNotifier::authorisation()
{
    if (!m_serverThere)
        return Authorisation::notDetermined;
    return *m_serverThere ? Authorisation::authorised : Authorisation::denied;
}

void DBusNotifier::requestAuthorisation(QObject* context, std::function<void(bool)> done)
{
    const QPointer<QObject> guard(context);
    m_waitingForServer.push_back([guard, done = std::move(done)](bool there) {
        if (guard)
            QMetaObject::invokeMethod(
                guard, [done, there] { done(there); }, Qt::QueuedConnection);
    });
    lookForServer();
}

void DBusNotifier::lookForServer()
{
    if (m_looking)
        return;
    m_looking = true;
    const quint64 generation = m_serverGeneration;
    askNameStatus(m_bus, service, this, [this, generation](NameStatus status) {
        m_looking = false;
        // The server changed while we asked: the answer may be stale.
        if (generation != m_serverGeneration) {
            lookForServer();
            return;
        }
        m_serverThere = status != NameStatus::absent;
        const std::vector<std::function<void(bool)>> waiting =
            std::exchange(m_waitingForServer, {});
        for (const std::function<void(bool)>& answer : waiting)
            answer(*m_serverThere);
    });
}

void DBusNotifier::serverOwnerChanged(const QString& newOwner)
{
    ++m_serverGeneration;
    m_capabilities.reset();
    m_serverIds.clear();
    m_ourIds.clear();
    if (newOwner.isEmpty())
        lookForServer(); // it may still be started on demand
    else
        m_serverThere = true;
}

void DBusNotifier::registerCategory(const QString& category,
                                    const QList<NotificationAction>& actions)
{
    m_categories.insert(category, actions);
}

void DBusNotifier::post(const Notification& notification)
{
    if (!m_bus.isConnected())
        return;
    if (m_capabilities) {
        send(notification);
        return;
    }
    m_waitingForCapabilities.append(notification);
    fetchCapabilities();
}

void DBusNotifier::fetchCapabilities()
{
    if (m_fetchingCapabilities)
        return;
    m_fetchingCapabilities = true;
    const quint64 generation = m_serverGeneration;
    auto* call = new QDBusPendingCallWatcher(
        m_bus.asyncCall(serverMethod(QStringLiteral("GetCapabilities")), startTimeoutMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                m_fetchingCapabilities = false;
                if (generation != m_serverGeneration) {
                    fetchCapabilities();
                    return;
                }
                const QDBusPendingReply<QStringList> reply = *finished;
                // A failure leaves them unknown, so the next post asks again;
                // the posts waiting now go out without actions (and most
                // likely fail the same way).
                m_capabilities = reply.isValid() ? std::optional(reply.value()) : std::nullopt;
                const QList<Notification> waiting = std::exchange(m_waitingForCapabilities, {});
                for (const Notification& notification : waiting)
                    send(notification);
            });
}

void DBusNotifier::send(const Notification& notification)
{
    // The server's id for this one is on its way; replace what it shows then.
    if (const auto held = m_inFlight.find(notification.id); held != m_inFlight.end()) {
        *held = notification;
        return;
    }
    const QStringList capabilities = m_capabilities.value_or(QStringList());
    QStringList actions;
    if (capabilities.contains(QStringLiteral("actions"))) {
        for (const NotificationAction& action : m_categories.value(notification.category))
            actions << action.id << action.title;
    }
    // Servers that read markup would take "R&D <Studio>" for tags.
    const QString body = capabilities.contains(QStringLiteral("body-markup"))
                             ? notification.body.toHtmlEscaped()
                             : notification.body;
    // Urgency is a byte: servers ignore it sent as an int.
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(notification.passive ? 0 : 1))},
        {QStringLiteral("desktop-entry"), applicationId()},
    };
    const uint replaces = m_serverIds.value(notification.id, 0);

    QDBusMessage call = serverMethod(QStringLiteral("Notify"));
    call << applicationId() << replaces << QString() << notification.title << body << actions
         << hints << qint32(-1);
    m_inFlight.insert(notification.id, std::nullopt);
    const quint64 generation = m_serverGeneration;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, startTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, id = notification.id, generation](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const std::optional<Notification> newer = m_inFlight.take(id);
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid() && generation == m_serverGeneration) {
                    const uint serverId = reply.value();
                    if (const auto old = m_serverIds.constFind(id); old != m_serverIds.cend())
                        forget(*old);
                    forget(serverId);
                    m_serverIds.insert(id, serverId);
                    m_ourIds.insert(serverId, id);
                }
                if (newer)
                    post(*newer);
            });
}

void DBusNotifier::forget(uint serverId)
{
    if (const auto ours = m_ourIds.constFind(serverId); ours != m_ourIds.cend()) {
        m_serverIds.remove(*ours);
        m_ourIds.erase(ours);
    }
}

void DBusNotifier::onActionInvoked(uint serverId, const QString& actionKey)
{
    // Another program's notification, or one from before the server changed.
    const auto ours = m_ourIds.constFind(serverId);
    if (ours == m_ourIds.cend())
        return;
    Q_EMIT actionInvoked(*ours, actionKey);
}

void DBusNotifier::onNotificationClosed(uint serverId, uint /*reason*/)
{
    forget(serverId);
}

} // namespace zol::linux_desktop
