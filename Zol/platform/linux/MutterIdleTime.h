#pragma once

#include "IdleTimeSource.h"
#include "linux/SessionBus.h"

#include <expected>

namespace zol::linux_desktop {

// The idle time GNOME's compositor counts (org.gnome.Mutter.IdleMonitor),
// on X11 and Wayland alike. Asked only when it already runs.
class MutterIdleTime final : public IdleTimeSource
{
public:
    explicit MutterIdleTime(BusAccess bus);

    // Found as "GNOME idle monitor" with the idle time as detail.
    ServiceAvailability availability() override;
    std::optional<double> secondsSinceLastInput() override;

private:
    std::expected<double, QString> read();

    BusAccess m_bus;
};

} // namespace zol::linux_desktop
