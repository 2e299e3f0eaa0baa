#pragma once

#include "IdleTimeSource.h"

#include <memory>
#include <vector>

namespace zol::linux_desktop {

// The idle time of the first source that answers, asked in the order given
// (the X screen saver, the Wayland compositor, GNOME's idle monitor, the
// screen saver service). The
// source that answered last is asked first until it stops answering; then
// the others are tried again in order.
class LinuxIdleTime final : public IdleTimeSource
{
public:
    explicit LinuxIdleTime(std::vector<std::unique_ptr<IdleTimeSource>> sources);
    ~LinuxIdleTime() override;

    // The first source found; when none is, each one's reason, in order.
    ServiceAvailability availability() override;
    std::optional<double> secondsSinceLastInput() override;

private:
    std::vector<std::unique_ptr<IdleTimeSource>> m_sources;
    IdleTimeSource* m_answering = nullptr;
};

} // namespace zol::linux_desktop
