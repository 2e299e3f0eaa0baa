#include "linux/DesktopSession.h"

#include <QString>

namespace zol::linux_desktop {

bool isWaylandSession()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE").compare(u"wayland", Qt::CaseInsensitive) == 0 ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace zol::linux_desktop
