#include "linux/ScreenSaverIdleTime.h"

#include "linux/IdleDetail.h"

#include <QCoreApplication>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::ScreenSaverIdleTime)
};

const QString name = QStringLiteral("org.freedesktop.ScreenSaver");

// A count growing faster than this per second is in milliseconds: one in
// seconds grows by at most (spacing + 1) / spacing, 3 at the minimum spacing.
constexpr double millisecondRate = 50;

// Also how availability() tells that the count is merely still: it asks again.
QString notMoving()
{
    return Texts::tr("Its idle count has not moved yet (some desktops answer a constant); it is "
                     "used once it does.");
}

} // namespace

ScreenSaverIdleTime::ScreenSaverIdleTime(BusAccess bus, MonotonicClock clock, Pause pause)
    : m_bus(std::move(bus))
    , m_clock(std::move(clock))
    , m_pause(std::move(pause))
{}

ServiceAvailability ScreenSaverIdleTime::availability()
{
    std::expected<double, QString> seconds = read();
    if (!seconds && seconds.error() == notMoving()) {
        m_pause(1.0);
        seconds = read();
    }
    if (!seconds)
        return ServiceAvailability::missing(seconds.error(), name);
    return ServiceAvailability::present(name, idleDetail(*seconds));
}

std::optional<double> ScreenSaverIdleTime::secondsSinceLastInput()
{
    const std::expected<double, QString> seconds = read();
    return seconds ? std::optional(*seconds) : std::nullopt;
}

std::expected<double, QString> ScreenSaverIdleTime::read()
{
    const std::expected<double, QString> count = ask();
    if (!count)
        return std::unexpected(count.error());
    if (m_unit > 0)
        return *count * m_unit;

    const Reading now{*count, m_clock()};
    if (!m_earlier || now.count < m_earlier->count) {
        // First reading, or input since the last one: start over from here.
        m_earlier = now;
        return std::unexpected(notMoving());
    }
    const double spacing = now.at - m_earlier->at;
    if (spacing < minimumSpacing || now.count == m_earlier->count) {
        if (spacing >= minimumSpacing)
            m_earlier = now;
        return std::unexpected(notMoving());
    }
    const double rate = (now.count - m_earlier->count) / spacing;
    m_unit = rate > millisecondRate ? 0.001 : 1.0;
    m_earlier.reset();
    return *count * m_unit;
}

std::expected<double, QString> ScreenSaverIdleTime::ask()
{
    const QDBusMessage answer = callBriefly(
        m_bus(),
        QDBusMessage::createMethodCall(name, QStringLiteral("/org/freedesktop/ScreenSaver"), name,
                                       QStringLiteral("GetSessionIdleTime")));
    if (answer.type() == QDBusMessage::ReplyMessage && answer.arguments().size() == 1) {
        bool isNumber = false;
        const double count = answer.arguments().constFirst().toDouble(&isNumber);
        if (isNumber && count >= 0)
            return count;
    }
    return std::unexpected(whyNot(answer, name));
}

} // namespace zol::linux_desktop
