#include "linux/PortalGlobalShortcut.h"

#include "linux/PortalShortcut.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QList>
#include <QVariantMap>

namespace zol::linux_desktop {

namespace {

const QString name = QStringLiteral("Global shortcuts portal");
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

PortalGlobalShortcut::PortalGlobalShortcut(BusAccess bus, QObject* parent)
    : GlobalShortcut(parent)
    , m_bus(std::move(bus))
{
    PortalShortcut::registerType();
}

PortalGlobalShortcut::~PortalGlobalShortcut()
{
    release();
}

ServiceAvailability PortalGlobalShortcut::availability()
{
    switch (m_stage) {
    case Stage::bound:
        return ServiceAvailability::present(name, m_trigger.isEmpty()
                                                      ? tr("Super+Alt+T is bound")
                                                      : tr("%1 is bound").arg(m_trigger));
    case Stage::creatingSession:
    case Stage::binding:
        return ServiceAvailability::present(name,
                                            tr("waiting for the desktop to confirm Super+Alt+T"));
    case Stage::refused:
        return ServiceAvailability::missing(m_refusal, name);
    case Stage::idle:
        break;
    }
    if (const std::optional<QString> why = probe())
        return ServiceAvailability::missing(*why, name);
    return ServiceAvailability::present(name);
}

std::expected<void, QString> PortalGlobalShortcut::grab(const QString& signature)
{
    m_signature = signature;
    if (m_stage == Stage::creatingSession || m_stage == Stage::binding || m_stage == Stage::bound)
        return {};
    if (const std::optional<QString> why = probe())
        return std::unexpected(*why);

    if (!m_listeningForPresses) {
        m_listeningForPresses =
            m_bus().connect(portalService, portalPath, shortcutsInterface,
                            QStringLiteral("Activated"), this, SLOT(handleActivated(QDBusMessage)));
    }
    m_stage = Stage::creatingSession;
    const QString token = newToken();
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, shortcutsInterface, QStringLiteral("CreateSession"));
    call << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), newToken()}};
    request(call, token);
    return {};
}

void PortalGlobalShortcut::release()
{
    m_stage = Stage::idle;
    m_trigger.clear();
    if (m_requestPath.isEmpty() && m_session.isEmpty())
        return;
    const QDBusConnection bus = m_bus();
    if (!m_requestPath.isEmpty())
        stopListening(bus);
    if (!m_session.isEmpty()) {
        QDBusMessage close = QDBusMessage::createMethodCall(
            portalService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
            QStringLiteral("Close"));
        close.setAutoStartService(false);
        bus.send(close);
    }
    m_session.clear();
}

void PortalGlobalShortcut::handleResponse(const QDBusMessage& signal)
{
    if (signal.path() != m_requestPath || signal.arguments().size() < 2)
        return;
    stopListening(m_bus());
    const uint response = signal.arguments().at(0).toUInt();
    const QVariantMap results = qdbus_cast<QVariantMap>(signal.arguments().at(1));
    if (response != 0) {
        // 1: the user said no; 2: the desktop gave up.
        refuse(response == 1 ? tr("Super+Alt+T was not allowed on this desktop.")
                             : tr("The desktop did not bind Super+Alt+T."));
        return;
    }

    if (m_stage == Stage::creatingSession) {
        const QVariant handle = results.value(QStringLiteral("session_handle"));
        m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                        ? handle.value<QDBusObjectPath>().path()
                        : handle.toString();
        if (m_session.isEmpty()) {
            refuse(tr("The desktop opened no shortcut session."));
            return;
        }
        bind();
        return;
    }
    if (m_stage == Stage::binding) {
        m_stage = Stage::bound;
        const auto shortcuts =
            qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
        for (const PortalShortcut& shortcut : shortcuts) {
            if (shortcut.id == shortcutId())
                m_trigger =
                    shortcut.properties.value(QStringLiteral("trigger_description")).toString();
        }
    }
}

void PortalGlobalShortcut::handleActivated(const QDBusMessage& signal)
{
    const QList<QVariant> arguments = signal.arguments();
    if (m_stage != Stage::bound || arguments.size() < 2)
        return;
    if (arguments.at(0).value<QDBusObjectPath>().path() == m_session &&
        arguments.at(1).toString() == shortcutId())
        Q_EMIT pressed(m_signature);
}

std::optional<QString> PortalGlobalShortcut::probe()
{
    QDBusMessage question = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    question << shortcutsInterface << QStringLiteral("version");
    if (callBriefly(m_bus(), question).type() == QDBusMessage::ReplyMessage)
        return std::nullopt;
    // The way round it (binding `zol toggle`) is added by whoever shows this.
    return tr("This desktop does not let programs claim keys.");
}

void PortalGlobalShortcut::request(const QDBusMessage& call, const QString& token)
{
    const QDBusConnection bus = m_bus();
    // The portal answers on a request object whose path it derives from our
    // name on the bus and the token; listening before the call means the
    // answer cannot come first.
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    const QString expected = portalPath + QStringLiteral("/request/") + sender + u'/' + token;
    listenForResponse(bus, expected);

    QDBusMessage message = call;
    message.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, expected] {
        watcher->deleteLater();
        if (m_requestPath != expected)
            return;
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isError()) {
            refuse(tr("The global shortcuts portal refused: %1").arg(reply.error().message()));
            return;
        }
        // Older portals chose the path themselves.
        const QString actual = reply.value().path();
        if (actual != expected) {
            const QDBusConnection current = m_bus();
            stopListening(current);
            listenForResponse(current, actual);
        }
    });
}

void PortalGlobalShortcut::listenForResponse(const QDBusConnection& bus, const QString& path)
{
    m_requestPath = path;
    QDBusConnection(bus).connect(portalService, path, requestInterface, QStringLiteral("Response"),
                                 this, SLOT(handleResponse(QDBusMessage)));
}

void PortalGlobalShortcut::stopListening(const QDBusConnection& bus)
{
    QDBusConnection(bus).disconnect(portalService, m_requestPath, requestInterface,
                                    QStringLiteral("Response"), this,
                                    SLOT(handleResponse(QDBusMessage)));
    m_requestPath.clear();
}

void PortalGlobalShortcut::bind()
{
    m_stage = Stage::binding;
    const QString token = newToken();
    const QList<PortalShortcut> shortcuts{
        {shortcutId(),
         {{QStringLiteral("description"), tr("Start and pause the timer")},
          {QStringLiteral("preferred_trigger"), QStringLiteral("LOGO+ALT+t")}}}};
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, shortcutsInterface, QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts)
         << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
    request(call, token);
}

void PortalGlobalShortcut::refuse(const QString& reason)
{
    release();
    m_stage = Stage::refused;
    m_refusal = reason;
}

QString PortalGlobalShortcut::newToken()
{
    return QStringLiteral("zol%1").arg(++m_tokens);
}

} // namespace zol::linux_desktop
