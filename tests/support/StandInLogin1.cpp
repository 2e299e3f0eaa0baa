#include "StandInLogin1.h"

#include <QDBusMessage>
#include <QVariantMap>

namespace zol::test {

namespace {

const QString sessionId = QStringLiteral("c7");

} // namespace

bool StandInSession::serve(QDBusConnection bus)
{
    m_bus = std::make_unique<QDBusConnection>(bus);
    return bus.registerObject(m_path, this,
                              QDBusConnection::ExportAllProperties);
}

void StandInSession::send(const QString& member)
{
    if (m_bus)
        m_bus->send(QDBusMessage::createSignal(m_path, QStringLiteral("org.freedesktop.login1.Session"),
                                               member));
}

void StandInSession::setLockedHint(bool locked, bool withValue)
{
    m_lockedHint = locked;
    if (!m_bus)
        return;
    QDBusMessage changed = QDBusMessage::createSignal(
        m_path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    const QString name = QStringLiteral("LockedHint");
    changed << QStringLiteral("org.freedesktop.login1.Session")
            << (withValue ? QVariantMap{{name, locked}} : QVariantMap())
            << (withValue ? QStringList() : QStringList{name});
    m_bus->send(changed);
}

StandInLogin1::StandInLogin1()
    : m_session(sessionId, QStringLiteral("/org/freedesktop/login1/session/") + sessionId)
    , m_auto(sessionId, QStringLiteral("/org/freedesktop/login1/session/auto"))
{}

StandInLogin1::~StandInLogin1() = default;

bool StandInLogin1::serve(QDBusConnection bus)
{
    return bus.registerObject(QStringLiteral("/org/freedesktop/login1"), this,
                              QDBusConnection::ExportAllSignals |
                                  QDBusConnection::ExportAllSlots) &&
           m_session.serve(bus) && (!servesAuto || m_auto.serve(bus)) &&
           bus.registerService(QStringLiteral("org.freedesktop.login1"));
}

QDBusObjectPath StandInLogin1::GetSession(const QString& id)
{
    if (id != m_session.id()) {
        sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSuchSession"),
                       QStringLiteral("No session '") + id + QStringLiteral("' known"));
        return {};
    }
    return QDBusObjectPath(m_session.path());
}

QDBusObjectPath StandInLogin1::GetSessionByPID(uint)
{
    if (!answersByPid) {
        sendErrorReply(QStringLiteral("org.freedesktop.login1.NoSessionForPID"),
                       QStringLiteral("PID does not belong to any known session"));
        return {};
    }
    return QDBusObjectPath(m_session.path());
}

} // namespace zol::test
