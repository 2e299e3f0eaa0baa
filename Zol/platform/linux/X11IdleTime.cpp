#include "linux/X11IdleTime.h"

#include "linux/DesktopSession.h"
#include "linux/IdleDetail.h"
#include "linux/X11Connection.h"

#include <QCoreApplication>

#include <xcb/screensaver.h>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::X11IdleTime)
};

const QString name = QStringLiteral("X screen saver");

} // namespace

X11IdleTime::X11IdleTime(std::shared_ptr<X11Connection> display)
    : m_display(std::move(display))
{}

ServiceAvailability X11IdleTime::availability()
{
    const std::expected<double, QString> seconds = read();
    if (!seconds)
        return ServiceAvailability::missing(seconds.error(), name);
    return ServiceAvailability::present(name, idleDetail(*seconds));
}

std::optional<double> X11IdleTime::secondsSinceLastInput()
{
    const std::expected<double, QString> seconds = read();
    return seconds ? std::optional(*seconds) : std::nullopt;
}

std::expected<double, QString> X11IdleTime::read()
{
    if (isWaylandSession())
        return std::unexpected(Texts::tr("The X screen saver is not asked on Wayland: XWayland "
                                         "sees only the input of X programs."));
    const std::expected<xcb_connection_t*, QString> connection = m_display->open();
    if (!connection)
        return std::unexpected(connection.error());
    if (!m_display->extension(&xcb_screensaver_id))
        return std::unexpected(Texts::tr("The X display %1 has no screen-saver extension.")
                                   .arg(m_display->displayName()));
    const auto reply = m_display->await<xcb_screensaver_query_info_reply_t>(
        xcb_screensaver_query_info(*connection, m_display->root()));
    if (!reply)
        return std::unexpected(reply.error());
    if (!*reply)
        return std::unexpected(Texts::tr("The X screen saver did not tell the idle time."));
    return (*reply)->ms_since_user_input / 1000.0;
}

} // namespace zol::linux_desktop
