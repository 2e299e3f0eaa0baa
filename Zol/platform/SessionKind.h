#pragma once

#include <QString>
#include <QStringList>

namespace zol {

// What kind of graphical session this process runs in, as the session says
// of itself in its environment: Wayland or X11, and which desktop.
struct SessionKind
{
    // XDG_SESSION_TYPE as declared ("x11", "wayland", "tty"…); without it
    // "wayland" or "x11" by the display found, else "none".
    QString type;
    // Wayland: XDG_SESSION_TYPE says so, or WAYLAND_DISPLAY is set. An X
    // display there is XWayland, which sees only the input of X programs and
    // lets a key be grabbed only while one of them has the focus.
    bool wayland = false;
    // XDG_CURRENT_DESKTOP's names ("GNOME", "KDE", "XFCE", "sway"…).
    QStringList desktops;

    bool isDesktop(const QString& name) const { return desktops.contains(name, Qt::CaseInsensitive); }

    // This process's session.
    static SessionKind ofThisProcess();
};

} // namespace zol
