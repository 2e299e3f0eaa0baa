#include "StandInLogin1.h"

namespace zol::test {

bool StandInLogin1::serve(QDBusConnection bus)
{
    return bus.registerObject(QStringLiteral("/org/freedesktop/login1"), this,
                              QDBusConnection::ExportAllSignals) &&
           bus.registerService(QStringLiteral("org.freedesktop.login1"));
}

} // namespace zol::test
