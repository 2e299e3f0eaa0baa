#include "linux/BusNames.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QPointer>

namespace zol::linux_desktop {

namespace {

QDBusMessage busMethod(const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    message.setArguments(arguments);
    return message;
}

bool answered(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

} // namespace

NameStatus nameStatus(const QDBusConnection& bus, const QString& name)
{
    if (!bus.isConnected())
        return NameStatus::absent;
    const QDBusMessage owned =
        bus.call(busMethod(QStringLiteral("NameHasOwner"), {name}), QDBus::Block, probeTimeoutMs);
    if (answered(owned) && owned.arguments().constFirst().toBool())
        return NameStatus::owned;
    const QDBusMessage names =
        bus.call(busMethod(QStringLiteral("ListActivatableNames")), QDBus::Block, probeTimeoutMs);
    if (answered(names) && names.arguments().constFirst().toStringList().contains(name))
        return NameStatus::activatable;
    return NameStatus::absent;
}

void askNameStatus(const QDBusConnection& bus, const QString& name, QObject* context,
                   std::function<void(NameStatus)> answer)
{
    const QPointer<QObject> guard(context);
    const auto deliver = [guard, answer](NameStatus status) {
        if (guard)
            answer(status);
    };
    if (!bus.isConnected()) {
        QMetaObject::invokeMethod(
            context, [deliver] { deliver(NameStatus::absent); }, Qt::QueuedConnection);
        return;
    }
    auto* owned = new QDBusPendingCallWatcher(
        bus.asyncCall(busMethod(QStringLiteral("NameHasOwner"), {name}), probeTimeoutMs), context);
    QObject::connect(
        owned, &QDBusPendingCallWatcher::finished, context,
        [bus, name, context, deliver](QDBusPendingCallWatcher* call) {
            call->deleteLater();
            const QDBusPendingReply<bool> reply = *call;
            if (reply.isValid() && reply.value()) {
                deliver(NameStatus::owned);
                return;
            }
            auto* listed = new QDBusPendingCallWatcher(
                bus.asyncCall(busMethod(QStringLiteral("ListActivatableNames")), probeTimeoutMs),
                context);
            QObject::connect(listed, &QDBusPendingCallWatcher::finished, context,
                             [name, deliver](QDBusPendingCallWatcher* list) {
                                 list->deleteLater();
                                 const QDBusPendingReply<QStringList> names = *list;
                                 deliver(names.isValid() && names.value().contains(name)
                                             ? NameStatus::activatable
                                             : NameStatus::absent);
                             });
        });
}

QString ownerProgram(const QDBusConnection& bus, const QString& name)
{
    if (!bus.isConnected())
        return {};
    const QDBusMessage reply =
        bus.call(busMethod(QStringLiteral("GetConnectionUnixProcessID"), {name}), QDBus::Block,
                 probeTimeoutMs);
    if (!answered(reply))
        return {};
    const uint pid = reply.arguments().constFirst().toUInt();
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (pid == 0 || !comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.readAll().trimmed());
}

} // namespace zol::linux_desktop
