#include "linux/LinuxPlatform.h"

namespace zol::linux_desktop {

std::unique_ptr<Platform> makePlatform()
{
    // Each service takes its Linux implementation as it is written.
    return Platform::doingNothing();
}

} // namespace zol::linux_desktop
