#pragma once

#include "IdleTimeSource.h"

#include <QString>

#include <expected>
#include <functional>
#include <memory>

namespace zol::linux_desktop {

// The idle time a Wayland compositor tells: through ext-idle-notify-v1
// (wlroots 0.16 and later, KDE Plasma 6) when it offers it, otherwise through
// KDE's org_kde_kwin_idle (wlroots 0.15, Plasma 5). It opens a connection of
// its own to the compositor of WAYLAND_DISPLAY, whatever Qt's platform plugin
// is: the tray app may well draw through XWayland.
//
// Precision. The compositor says "idled" once `timeoutMs` pass without input
// and "resumed" at the next input; nothing in between. So the seconds since
// the last input are `timeoutMs` plus the time since "idled" while idle, and
// 0 otherwise: exact while the user is away, and below the truth by less than
// the timeout while the user is at work. The compositor starts counting when
// the connection is made, so a user already away then counts as away from
// that moment, and until the first "idled" the source reads 0.
//
// Events are read on the thread that created the source, from a socket
// notifier whenever the compositor writes, and before each answer without
// waiting; only making the connection waits for the compositor, at most
// `setupWaitMs`. A compositor that goes away, or withdraws the protocol,
// makes the source missing; the next question connects again.
class WaylandIdleTime final : public IdleTimeSource
{
public:
    // Seconds on a clock that only moves forward: the machine's own, or a
    // fake clock's in tests.
    using MonotonicClock = std::function<double()>;

    // Short enough to read an away period to within a few seconds, long
    // enough that a pause in typing does not wake the app twice.
    static constexpr int defaultTimeoutMs = 5'000;
    static constexpr int setupWaitMs = 1'000;

    // `display` names the compositor's socket as WAYLAND_DISPLAY does (a name
    // in XDG_RUNTIME_DIR, or an absolute path); empty: WAYLAND_DISPLAY, read
    // whenever a connection is made.
    explicit WaylandIdleTime(MonotonicClock clock, int timeoutMs = defaultTimeoutMs,
                             QString display = {});
    ~WaylandIdleTime() override;
    WaylandIdleTime(const WaylandIdleTime&) = delete;
    WaylandIdleTime& operator=(const WaylandIdleTime&) = delete;

    // Found as "ext-idle-notify-v1 on the compositor" (or org_kde_kwin_idle)
    // with the idle time as detail; missing with the reason: not a Wayland
    // session, no compositor at the socket, neither protocol offered.
    ServiceAvailability availability() override;
    std::optional<double> secondsSinceLastInput() override;

private:
    struct Connection;

    // The connection, made when there is none, with what arrived read.
    std::expected<Connection*, QString> connection();
    void drop();

    MonotonicClock m_clock;
    int m_timeoutMs;
    QString m_display;
    std::unique_ptr<Connection> m_connection;
};

} // namespace zol::linux_desktop
