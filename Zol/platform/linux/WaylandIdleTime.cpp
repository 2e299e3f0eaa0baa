#include "linux/WaylandIdleTime.h"

#include "linux/IdleDetail.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>

#include <ext-idle-notify-v1-client-protocol.h>
#include <kde-idle-client-protocol.h>
#include <wayland-client.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::WaylandIdleTime)
};

const QString extName = QStringLiteral("ext-idle-notify-v1 on the compositor");
const QString kdeName = QStringLiteral("org_kde_kwin_idle on the compositor");

} // namespace

// One connection to the compositor and the objects bound on it. Every
// listener below gets the connection as its data.
struct WaylandIdleTime::Connection
{
    Connection(QString shownName, int timeout, WaylandIdleTime::MonotonicClock& monotonic)
        : name(std::move(shownName))
        , timeoutMs(timeout)
        , clock(monotonic)
    {}

    ~Connection()
    {
        if (notifier) {
            // Possibly inside the notifier's own signal: it goes later, and
            // hears nothing more from the socket about to close.
            notifier->setEnabled(false);
            notifier.release()->deleteLater();
        }
        stopWatching();
        if (extNotifier)
            ext_idle_notifier_v1_destroy(extNotifier);
        if (kdeIdle)
            org_kde_kwin_idle_destroy(kdeIdle);
        if (seat)
            wl_seat_destroy(seat);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    // Reads what the compositor wrote, waiting up to `waitMs` for it, and
    // sends what is queued. False once the connection failed.
    bool pump(int waitMs)
    {
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0)
                return false;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            return false;
        }
        pollfd socket{wl_display_get_fd(display), POLLIN, 0};
        if (::poll(&socket, 1, waitMs) > 0) {
            if (wl_display_read_events(display) < 0)
                return false;
        } else {
            wl_display_cancel_read(display);
        }
        return wl_display_dispatch_pending(display) >= 0 && wl_display_get_error(display) == 0;
    }

    // Asks for the globals and waits, at most until `deadline`, for all of
    // them to be announced.
    bool announceGlobals(QDeadlineTimer deadline)
    {
        registry = wl_display_get_registry(display);
        wl_registry_add_listener(registry, &registryListener, this);
        bool done = false;
        wl_callback* sync = wl_display_sync(display);
        wl_callback_add_listener(sync, &syncListener, &done);
        while (!done && !deadline.hasExpired()) {
            if (!pump(int(deadline.remainingTime())))
                break;
        }
        wl_callback_destroy(sync);
        return done;
    }

    // Asks for idle notifications when there are none yet and the seat and
    // a notifier are there: ext-idle-notify-v1 if offered.
    void watch()
    {
        if (!announced || !seat || extNotification || kdeTimeout)
            return;
        if (extNotifier) {
            extNotification =
                ext_idle_notifier_v1_get_idle_notification(extNotifier, uint32_t(timeoutMs), seat);
            ext_idle_notification_v1_add_listener(extNotification, &extListener, this);
        } else if (kdeIdle) {
            kdeTimeout = org_kde_kwin_idle_get_idle_timeout(kdeIdle, seat, uint32_t(timeoutMs));
            org_kde_kwin_idle_timeout_add_listener(kdeTimeout, &kdeListener, this);
        }
    }

    void stopWatching()
    {
        if (extNotification)
            ext_idle_notification_v1_destroy(extNotification);
        if (kdeTimeout)
            org_kde_kwin_idle_timeout_release(kdeTimeout);
        extNotification = nullptr;
        kdeTimeout = nullptr;
        idleSince.reset();
    }

    QString protocol() const
    {
        return extNotification ? extName : kdeTimeout ? kdeName : QString();
    }

    QString why() const
    {
        if (!seat)
            return Texts::tr("The Wayland compositor at %1 offers no seat.").arg(name);
        return Texts::tr("The Wayland compositor at %1 offers neither ext-idle-notify-v1 nor "
                         "org_kde_kwin_idle.")
            .arg(name);
    }

    static void global(void* data, wl_registry* registry, uint32_t id, const char* interface,
                       uint32_t)
    {
        auto* c = static_cast<Connection*>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && !c->seat) {
            c->seat = static_cast<wl_seat*>(wl_registry_bind(registry, id, &wl_seat_interface, 1));
            c->seatId = id;
        } else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0 &&
                   !c->extNotifier) {
            c->extNotifier = static_cast<ext_idle_notifier_v1*>(
                wl_registry_bind(registry, id, &ext_idle_notifier_v1_interface, 1));
            c->extId = id;
        } else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0 && !c->kdeIdle) {
            c->kdeIdle = static_cast<org_kde_kwin_idle*>(
                wl_registry_bind(registry, id, &org_kde_kwin_idle_interface, 1));
            c->kdeId = id;
        }
        c->watch();
    }

    static void globalRemoved(void* data, wl_registry*, uint32_t id)
    {
        auto* c = static_cast<Connection*>(data);
        if (id == c->seatId && c->seat) {
            c->stopWatching();
            wl_seat_destroy(c->seat);
            c->seat = nullptr;
        } else if (id == c->extId && c->extNotifier) {
            c->stopWatching();
            ext_idle_notifier_v1_destroy(c->extNotifier);
            c->extNotifier = nullptr;
        } else if (id == c->kdeId && c->kdeIdle) {
            c->stopWatching();
            org_kde_kwin_idle_destroy(c->kdeIdle);
            c->kdeIdle = nullptr;
        }
        c->watch();
    }

    static void synced(void* data, wl_callback*, uint32_t) { *static_cast<bool*>(data) = true; }

    static void idled(void* data)
    {
        auto* c = static_cast<Connection*>(data);
        c->idleSince = c->clock();
    }
    static void resumed(void* data) { static_cast<Connection*>(data)->idleSince.reset(); }

    static void extIdled(void* data, ext_idle_notification_v1*) { idled(data); }
    static void extResumed(void* data, ext_idle_notification_v1*) { resumed(data); }
    static void kdeIdled(void* data, org_kde_kwin_idle_timeout*) { idled(data); }
    static void kdeResumed(void* data, org_kde_kwin_idle_timeout*) { resumed(data); }

    static constexpr wl_registry_listener registryListener{global, globalRemoved};
    static constexpr wl_callback_listener syncListener{synced};
    static constexpr ext_idle_notification_v1_listener extListener{extIdled, extResumed};
    static constexpr org_kde_kwin_idle_timeout_listener kdeListener{kdeIdled, kdeResumed};

    // The socket as the user reads it: WAYLAND_DISPLAY's value.
    QString name;
    int timeoutMs;
    WaylandIdleTime::MonotonicClock& clock;
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_seat* seat = nullptr;
    ext_idle_notifier_v1* extNotifier = nullptr;
    org_kde_kwin_idle* kdeIdle = nullptr;
    uint32_t seatId = 0;
    uint32_t extId = 0;
    uint32_t kdeId = 0;
    ext_idle_notification_v1* extNotification = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout = nullptr;
    // Whether the first announcement of globals is over: until then the
    // choice of protocol waits, so that ext-idle-notify-v1 is preferred.
    bool announced = false;
    // When the compositor said "idled", on the monotonic clock; none while
    // the user is active.
    std::optional<double> idleSince;
    std::unique_ptr<QSocketNotifier> notifier;
};

WaylandIdleTime::WaylandIdleTime(MonotonicClock clock, int timeoutMs, QString display)
    : m_clock(std::move(clock))
    , m_timeoutMs(timeoutMs)
    , m_display(std::move(display))
{}

WaylandIdleTime::~WaylandIdleTime() = default;

ServiceAvailability WaylandIdleTime::availability()
{
    const std::expected<Connection*, QString> found = connection();
    if (!found)
        return ServiceAvailability::missing(found.error());
    const Connection& c = **found;
    if (c.protocol().isEmpty())
        return ServiceAvailability::missing(c.why());
    const std::optional<double> seconds = secondsSinceLastInput();
    if (!seconds)
        return ServiceAvailability::missing(c.why());
    if (*seconds > 0)
        return ServiceAvailability::present(c.protocol(), idleDetail(*seconds));
    return ServiceAvailability::present(
        c.protocol(),
        Texts::tr("told after %1 s without input").arg(QString::number(m_timeoutMs / 1000.0)));
}

std::optional<double> WaylandIdleTime::secondsSinceLastInput()
{
    const std::expected<Connection*, QString> found = connection();
    if (!found || (*found)->protocol().isEmpty())
        return std::nullopt;
    const Connection& c = **found;
    if (!c.idleSince)
        return 0.0;
    return m_timeoutMs / 1000.0 + std::max(0.0, m_clock() - *c.idleSince);
}

std::expected<WaylandIdleTime::Connection*, QString> WaylandIdleTime::connection()
{
    if (m_connection) {
        if (m_connection->pump(0))
            return m_connection.get();
        drop();
    }
    const QString name =
        m_display.isEmpty() ? qEnvironmentVariable("WAYLAND_DISPLAY") : m_display;
    if (name.isEmpty())
        return std::unexpected(Texts::tr("Not a Wayland session: WAYLAND_DISPLAY is not set."));
    auto made = std::make_unique<Connection>(name, m_timeoutMs, m_clock);
    made->display = wl_display_connect(name.toLocal8Bit().constData());
    if (!made->display) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        return std::unexpected(
            Texts::tr("No Wayland compositor answers at %1: %2.").arg(name, why));
    }
    if (!made->announceGlobals(QDeadlineTimer(setupWaitMs)))
        return std::unexpected(
            Texts::tr("The Wayland compositor at %1 did not answer within a second.").arg(name));
    made->announced = true;
    made->watch();
    // Without an event loop (a command that asks once) the events are read
    // when the source is asked.
    if (QAbstractEventDispatcher::instance()) {
        made->notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(made->display),
                                                           QSocketNotifier::Read);
        Connection* const c = made.get();
        QObject::connect(c->notifier.get(), &QSocketNotifier::activated, c->notifier.get(),
                         [this, c] {
                             if (!c->pump(0) && m_connection.get() == c)
                                 drop();
                         });
    }
    m_connection = std::move(made);
    if (!m_connection->pump(0)) {
        drop();
        return std::unexpected(
            Texts::tr("The connection to the Wayland compositor at %1 failed.").arg(name));
    }
    return m_connection.get();
}

void WaylandIdleTime::drop()
{
    m_connection.reset();
}

} // namespace zol::linux_desktop
