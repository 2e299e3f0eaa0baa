// The desktop's services, for the programs that link them.

#include "Platform.h"
#include "linux/LinuxPlatform.h"

namespace zol {

std::unique_ptr<Platform> Platform::forThisDesktop()
{
    return linux_desktop::makePlatform();
}

} // namespace zol
