#pragma once

#include <optional>

namespace zol {

// How long the user has left keyboard and mouse alone.
class IdleTimeSource
{
public:
    virtual ~IdleTimeSource() = default;
    // Seconds since the last input event of any kind; none when the desktop
    // does not say.
    virtual std::optional<double> secondsSinceLastInput() = 0;
};

} // namespace zol
