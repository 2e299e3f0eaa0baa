#pragma once

#include "Platform.h"

#include <memory>

namespace zol::linux_desktop {

// The services of a Linux desktop, reached through D-Bus, X11 (xcb) and
// files. Each one says through its availability() whether this desktop has
// it; none blocks for longer than a few hundred milliseconds asking.
std::unique_ptr<Platform> makePlatform();

} // namespace zol::linux_desktop
