#pragma once

#include "IdleTimeSource.h"
#include "linux/SessionBus.h"

#include <expected>
#include <functional>

namespace zol::linux_desktop {

// The idle time of the session's screen saver service
// (org.freedesktop.ScreenSaver GetSessionIdleTime). Some services answer an
// error or a constant 0, and they disagree on the unit (seconds, or
// milliseconds), so the count is trusted only after two readings at least
// half a second apart found it grown; how fast it grew tells the unit. Until
// then it tells no idle time. Asked only when the service already runs.
class ScreenSaverIdleTime final : public IdleTimeSource
{
public:
    // Seconds between two readings that can tell the unit.
    static constexpr double minimumSpacing = 0.5;

    // Seconds on a clock that only moves forward, and a wait of the seconds
    // given: the machine's own, or a fake clock's in tests.
    using MonotonicClock = std::function<double()>;
    using Pause = std::function<void(double seconds)>;

    ScreenSaverIdleTime(BusAccess bus, MonotonicClock clock, Pause pause);

    // Found as "org.freedesktop.ScreenSaver" with the idle time as detail.
    // While the count is not trusted yet, takes a second reading a second
    // after the first, so the answer may take that long.
    ServiceAvailability availability() override;
    std::optional<double> secondsSinceLastInput() override;

private:
    struct Reading
    {
        double count = 0;
        double at = 0; // monotonic seconds
    };

    // The count in seconds once trusted; a reason otherwise.
    std::expected<double, QString> read();
    // What the service answers, in its own unit.
    std::expected<double, QString> ask();

    BusAccess m_bus;
    MonotonicClock m_clock;
    Pause m_pause;
    // Seconds per unit of the count (1 or 0.001); 0 until trusted.
    double m_unit = 0;
    std::optional<Reading> m_earlier;
};

} // namespace zol::linux_desktop
