#pragma once

namespace zol::linux_desktop {

// The graphical session is a Wayland one (SessionKind::wayland). Its X
// display is XWayland, so neither its idle time nor its key grabs are trusted.
bool isWaylandSession();

} // namespace zol::linux_desktop
