#include "linux/SessionBus.h"

namespace zol::linux_desktop {

BusAccess sessionBus()
{
    return [] { return QDBusConnection::sessionBus(); };
}

QDBusMessage callBriefly(const QDBusConnection& bus, QDBusMessage message)
{
    if (!bus.isConnected())
        return message.createErrorReply(QDBusError::Disconnected,
                                        QStringLiteral("No session bus."));
    message.setAutoStartService(false);
    return bus.call(message, QDBus::Block, briefCallMs);
}

QString whyNot(const QDBusMessage& answer, const QString& service)
{
    if (answer.type() != QDBusMessage::ErrorMessage)
        return service + QStringLiteral(" answered something else.");
    // What the bus answers for a name nobody owns when nothing may be started.
    if (answer.errorName() == u"org.freedesktop.DBus.Error.NameHasNoOwner")
        return service + QStringLiteral(" is not running.");
    switch (QDBusError(answer).type()) {
    case QDBusError::Disconnected:
        return QStringLiteral("No session bus.");
    case QDBusError::ServiceUnknown:
        return service + QStringLiteral(" is not running.");
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return service + QStringLiteral(" did not answer in time.");
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownProperty:
        return service + QStringLiteral(" does not offer it.");
    default:
        return service + QStringLiteral(" refused: ") + answer.errorMessage();
    }
}

} // namespace zol::linux_desktop
