#include "StandInNotificationServer.h"

namespace zol::test {

bool StandInNotificationServer::serve(QDBusConnection bus)
{
    return bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                              QDBusConnection::ExportScriptableSlots) &&
           bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

uint StandInNotificationServer::Notify(const QString& appName, uint replacesId, const QString&,
                                       const QString& summary, const QString& body,
                                       const QStringList& actions, const QVariantMap& hints, int)
{
    received.append({appName, replacesId, summary, body, actions, hints});
    return replacesId != 0 ? replacesId : ++m_lastId;
}

} // namespace zol::test
