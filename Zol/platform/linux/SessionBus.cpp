#include "linux/SessionBus.h"

#include <QCoreApplication>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::SessionBus)
};

} // namespace

BusAccess sessionBus()
{
    return [] { return QDBusConnection::sessionBus(); };
}

QDBusMessage callBriefly(const QDBusConnection& bus, QDBusMessage message)
{
    if (!bus.isConnected())
        return message.createErrorReply(QDBusError::Disconnected, Texts::tr("No session bus."));
    message.setAutoStartService(false);
    return bus.call(message, QDBus::Block, briefCallMs);
}

QString whyNot(const QDBusMessage& answer, const QString& service)
{
    if (answer.type() != QDBusMessage::ErrorMessage)
        return Texts::tr("%1 answered something else.").arg(service);
    // What the bus answers for a name nobody owns when nothing may be started.
    if (answer.errorName() == u"org.freedesktop.DBus.Error.NameHasNoOwner")
        return Texts::tr("%1 is not running.").arg(service);
    switch (QDBusError(answer).type()) {
    case QDBusError::Disconnected:
        return Texts::tr("No session bus.");
    case QDBusError::ServiceUnknown:
        return Texts::tr("%1 is not running.").arg(service);
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return Texts::tr("%1 did not answer in time.").arg(service);
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownProperty:
        return Texts::tr("%1 does not offer it.").arg(service);
    default:
        return Texts::tr("%1 refused: %2").arg(service, answer.errorMessage());
    }
}

} // namespace zol::linux_desktop
