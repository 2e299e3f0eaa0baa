#pragma once

#include "ServiceAvailability.h"

#include <optional>

namespace zol {

// How long the user has left keyboard and mouse alone.
class IdleTimeSource
{
public:
    virtual ~IdleTimeSource() = default;
    // Whether the desktop tells the idle time, and through what ("idle time").
    virtual ServiceAvailability availability() = 0;
    // Seconds since the last input event of any kind; none when the desktop
    // does not say.
    virtual std::optional<double> secondsSinceLastInput() = 0;
};

} // namespace zol
