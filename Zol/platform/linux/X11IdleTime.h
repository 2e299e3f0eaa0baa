#pragma once

#include "IdleTimeSource.h"

#include <expected>
#include <memory>

namespace zol::linux_desktop {

class X11Connection;

// The idle time the X server's screen-saver extension counts, on an X11
// session only: under Wayland the X display is XWayland, which never sees
// the input of Wayland programs, so its count is not asked.
class X11IdleTime final : public IdleTimeSource
{
public:
    explicit X11IdleTime(std::shared_ptr<X11Connection> display);

    // Found as "X screen saver" with the idle time as detail.
    ServiceAvailability availability() override;
    std::optional<double> secondsSinceLastInput() override;

private:
    std::expected<double, QString> read();

    std::shared_ptr<X11Connection> m_display;
};

} // namespace zol::linux_desktop
