#include "SessionKind.h"

namespace zol {

SessionKind SessionKind::ofThisProcess()
{
    SessionKind kind;
    const QString declared = qEnvironmentVariable("XDG_SESSION_TYPE");
    const bool waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    kind.wayland = declared.compare(u"wayland", Qt::CaseInsensitive) == 0 || waylandDisplay;
    if (!declared.isEmpty())
        kind.type = declared;
    else if (waylandDisplay)
        kind.type = QStringLiteral("wayland");
    else if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        kind.type = QStringLiteral("x11");
    else
        kind.type = QStringLiteral("none");
    kind.desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    return kind;
}

} // namespace zol
