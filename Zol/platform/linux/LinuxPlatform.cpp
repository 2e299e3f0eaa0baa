#include "linux/LinuxPlatform.h"

#include "linux/DBusNotifier.h"

#include <QDBusConnection>

namespace zol::linux_desktop {

std::unique_ptr<Platform> makePlatform()
{
    // Each service takes its Linux implementation as it is written.
    return std::make_unique<Platform>(std::make_unique<DBusNotifier>(QDBusConnection::sessionBus()),
                                      Platform::unknownIdleTime(), Platform::noShortcut(),
                                      Platform::noLoginItem(), Platform::quietSystem(),
                                      Platform::noDesktop());
}

} // namespace zol::linux_desktop
