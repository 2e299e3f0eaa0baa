#include "linux/MutterIdleTime.h"

#include "linux/IdleDetail.h"

namespace zol::linux_desktop {

namespace {

const QString name = QStringLiteral("GNOME idle monitor");

} // namespace

MutterIdleTime::MutterIdleTime(BusAccess bus)
    : m_bus(std::move(bus))
{}

ServiceAvailability MutterIdleTime::availability()
{
    const std::expected<double, QString> seconds = read();
    if (!seconds)
        return ServiceAvailability::missing(seconds.error(), name);
    return ServiceAvailability::present(name, idleDetail(*seconds));
}

std::optional<double> MutterIdleTime::secondsSinceLastInput()
{
    const std::expected<double, QString> seconds = read();
    return seconds ? std::optional(*seconds) : std::nullopt;
}

std::expected<double, QString> MutterIdleTime::read()
{
    const QDBusMessage answer = callBriefly(
        m_bus(),
        QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                                       QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                                       QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                                       QStringLiteral("GetIdletime")));
    // Milliseconds, as an unsigned 64-bit number.
    if (answer.type() == QDBusMessage::ReplyMessage && answer.arguments().size() == 1 &&
        answer.arguments().constFirst().metaType() == QMetaType::fromType<qulonglong>())
        return answer.arguments().constFirst().toULongLong() / 1000.0;
    return std::unexpected(whyNot(answer, name));
}

} // namespace zol::linux_desktop
