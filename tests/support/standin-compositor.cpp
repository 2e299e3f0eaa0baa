// A stand-in Wayland compositor for the idle-time tests: it shows nothing and
// reads no input; it advertises wl_seat and the idle protocols named on its
// command line ("ext": ext_idle_notifier_v1, "kde": org_kde_kwin_idle, "seat")
// on the socket "zol-standin" in XDG_RUNTIME_DIR, and tells every client's
// idle notifications "idled" or "resumed" when that line arrives on its
// standard input. It prints "ready <socket path>" once listening and
// "watching <ext|kde> <timeout ms>" for each notification asked for; it ends
// at the end of its input.

#include <ext-idle-notify-v1-server-protocol.h>
#include <kde-idle-server-protocol.h>
#include <wayland-server.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Compositor
{
    wl_display* display = nullptr;
    std::vector<wl_resource*> ext;
    std::vector<wl_resource*> kde;
    std::string input;
};

Compositor compositor;

void forget(wl_resource* resource)
{
    for (std::vector<wl_resource*>* list : {&compositor.ext, &compositor.kde})
        std::erase(*list, resource);
}

void destroy(wl_client*, wl_resource* resource)
{
    wl_resource_destroy(resource);
}

void ignoreObject(wl_client*, wl_resource*, uint32_t) {}
void ignore(wl_client*, wl_resource*) {}

const struct wl_seat_interface seatCalls = {ignoreObject, ignoreObject, ignoreObject, destroy};

void bindSeat(wl_client* client, void*, uint32_t version, uint32_t id)
{
    wl_resource* seat = wl_resource_create(client, &wl_seat_interface, int(version), id);
    wl_resource_set_implementation(seat, &seatCalls, nullptr, nullptr);
    wl_seat_send_capabilities(seat, 0);
}

const struct ext_idle_notification_v1_interface extNotificationCalls = {destroy};

void getIdleNotification(wl_client* client, wl_resource* notifier, uint32_t id, uint32_t timeout,
                         wl_resource*)
{
    wl_resource* notification = wl_resource_create(
        client, &ext_idle_notification_v1_interface, wl_resource_get_version(notifier), id);
    wl_resource_set_implementation(notification, &extNotificationCalls, nullptr, forget);
    compositor.ext.push_back(notification);
    std::printf("watching ext %u\n", timeout);
}

const struct ext_idle_notifier_v1_interface extNotifierCalls = {destroy, getIdleNotification};

void bindExt(wl_client* client, void*, uint32_t version, uint32_t id)
{
    wl_resource* notifier =
        wl_resource_create(client, &ext_idle_notifier_v1_interface, int(version), id);
    wl_resource_set_implementation(notifier, &extNotifierCalls, nullptr, nullptr);
}

const struct org_kde_kwin_idle_timeout_interface kdeTimeoutCalls = {destroy, ignore};

void getIdleTimeout(wl_client* client, wl_resource* idle, uint32_t id, wl_resource*,
                    uint32_t timeout)
{
    wl_resource* notification = wl_resource_create(
        client, &org_kde_kwin_idle_timeout_interface, wl_resource_get_version(idle), id);
    wl_resource_set_implementation(notification, &kdeTimeoutCalls, nullptr, forget);
    compositor.kde.push_back(notification);
    std::printf("watching kde %u\n", timeout);
}

const struct org_kde_kwin_idle_interface kdeIdleCalls = {getIdleTimeout};

void bindKde(wl_client* client, void*, uint32_t version, uint32_t id)
{
    wl_resource* idle = wl_resource_create(client, &org_kde_kwin_idle_interface, int(version), id);
    wl_resource_set_implementation(idle, &kdeIdleCalls, nullptr, nullptr);
}

void obey(const std::string& line)
{
    const bool idled = line == "idled";
    if (!idled && line != "resumed")
        return;
    for (wl_resource* notification : compositor.ext)
        idled ? ext_idle_notification_v1_send_idled(notification)
              : ext_idle_notification_v1_send_resumed(notification);
    for (wl_resource* notification : compositor.kde)
        idled ? org_kde_kwin_idle_timeout_send_idle(notification)
              : org_kde_kwin_idle_timeout_send_resumed(notification);
    wl_display_flush_clients(compositor.display);
}

int readInput(int fd, uint32_t, void*)
{
    char buffer[256];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) {
        wl_display_terminate(compositor.display);
        return 0;
    }
    compositor.input.append(buffer, size_t(got));
    for (std::size_t end; (end = compositor.input.find('\n')) != std::string::npos;) {
        obey(compositor.input.substr(0, end));
        compositor.input.erase(0, end + 1);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    compositor.display = wl_display_create();
    for (int i = 1; i < argc; ++i) {
        const std::string offer = argv[i];
        if (offer == "seat")
            wl_global_create(compositor.display, &wl_seat_interface, 1, nullptr, bindSeat);
        else if (offer == "ext")
            wl_global_create(compositor.display, &ext_idle_notifier_v1_interface, 1, nullptr,
                             bindExt);
        else if (offer == "kde")
            wl_global_create(compositor.display, &org_kde_kwin_idle_interface, 1, nullptr,
                             bindKde);
    }
    if (wl_display_add_socket(compositor.display, "zol-standin") != 0) {
        std::fprintf(stderr, "cannot listen on zol-standin in XDG_RUNTIME_DIR\n");
        return 1;
    }
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor.display), STDIN_FILENO,
                         WL_EVENT_READABLE, readInput, nullptr);
    std::printf("ready %s/zol-standin\n", std::getenv("XDG_RUNTIME_DIR"));
    wl_display_run(compositor.display);
    wl_display_destroy_clients(compositor.display);
    wl_display_destroy(compositor.display);
    return 0;
}
