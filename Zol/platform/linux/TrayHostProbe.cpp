#include "linux/TrayHostProbe.h"

#include "TrayHost.h"

#include "linux/DesktopSession.h"
#include "linux/X11Connection.h"

#include <QCoreApplication>
#include <QDBusVariant>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::TrayHostProbe)
};

} // namespace

TrayHostProbe::TrayHostProbe(std::shared_ptr<X11Connection> display, BusAccess bus)
    : m_display(std::move(display))
    , m_bus(std::move(bus))
{}

ServiceAvailability TrayHostProbe::operator()() const
{
    if (hasStatusNotifierHost())
        return ServiceAvailability::present(TrayHost::statusNotifierItemHost());
    // A Wayland program cannot dock into an XEmbed tray of XWayland.
    if (!isWaylandSession() && hasXEmbedTray())
        return ServiceAvailability::present(TrayHost::xembedTray());
    return ServiceAvailability::missing(whatToDo());
}

QString TrayHostProbe::whatToDo()
{
    if (qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QStringLiteral("GNOME")))
        return Texts::tr("GNOME shows tray icons only with its AppIndicator extension.");
    if (isWaylandSession())
        return Texts::tr("No panel here shows tray icons: add a tray to the desktop's panel (in "
                         "waybar, its tray module).");
    return Texts::tr("No panel here shows tray icons: add a notification area or system tray to "
                     "the desktop's panel.");
}

QByteArray TrayHostProbe::xembedSelection(int screen)
{
    return "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
}

bool TrayHostProbe::hasStatusNotifierHost() const
{
    // A watcher without a host shows nothing: the tray icon does not count
    // it either.
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    question << QStringLiteral("org.kde.StatusNotifierWatcher")
             << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage answer = callBriefly(m_bus(), question);
    return answer.type() == QDBusMessage::ReplyMessage && answer.arguments().size() == 1 &&
           answer.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

bool TrayHostProbe::hasXEmbedTray() const
{
    const std::expected<xcb_connection_t*, QString> connection = m_display->open();
    if (!connection)
        return false;
    const QByteArray selection = xembedSelection(m_display->screenNumber());
    // Only if it exists: an atom nobody made has no owner either.
    const auto atom = m_display->await<xcb_intern_atom_reply_t>(
        xcb_intern_atom(*connection, 1, uint16_t(selection.size()), selection.constData()));
    if (!atom || !*atom || (*atom)->atom == XCB_ATOM_NONE)
        return false;
    const auto owner = m_display->await<xcb_get_selection_owner_reply_t>(
        xcb_get_selection_owner(*connection, (*atom)->atom));
    return owner && *owner && (*owner)->owner != XCB_WINDOW_NONE;
}

} // namespace zol::linux_desktop
