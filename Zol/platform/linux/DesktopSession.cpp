#include "linux/DesktopSession.h"

#include "SessionKind.h"

namespace zol::linux_desktop {

bool isWaylandSession()
{
    return SessionKind::ofThisProcess().wayland;
}

} // namespace zol::linux_desktop
