#pragma once

#include "TrayHost.h"
#include "linux/SessionBus.h"
#include "linux/TrayHostProbe.h"

#include <xcb/xcb.h>

#include <memory>

class QDBusServiceWatcher;

namespace zol::linux_desktop {

class X11Connection;

// The tray as TrayHostProbe finds it, watched for a tray that comes late or
// comes back: the StatusNotifierItem watcher's name on the session bus and
// its host (un)registered signals, and, on an X11 session, the MANAGER
// message that a new owner of the XEmbed tray selection sends to the root
// window. Each of these emits changed() once; the probe tells what is there.
class TrayHostWatch final : public TrayHost
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayHostWatch)

public:
    TrayHostWatch(std::shared_ptr<X11Connection> display, BusAccess bus,
                  QObject* parent = nullptr);
    ~TrayHostWatch() override;

    ServiceAvailability availability() override;
    void watch() override;

private Q_SLOTS:
    void onHostSignal();

private:
    void watchXEmbed();
    void onX11Event(const xcb_generic_event_t* event);

    TrayHostProbe m_probe;
    std::shared_ptr<X11Connection> m_display;
    BusAccess m_bus;
    QDBusServiceWatcher* m_busWatcher = nullptr;
    xcb_atom_t m_manager = XCB_ATOM_NONE;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
};

} // namespace zol::linux_desktop
