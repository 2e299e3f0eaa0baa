#pragma once

namespace zol::linux_desktop {

// The graphical session is a Wayland one (XDG_SESSION_TYPE is "wayland" or
// WAYLAND_DISPLAY is set). An X display there is XWayland, which sees only
// the input of X programs and lets a key be grabbed only while one of them
// has the focus, so neither its idle time nor its key grabs are trusted.
bool isWaylandSession();

} // namespace zol::linux_desktop
