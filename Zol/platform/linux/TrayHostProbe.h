#pragma once

#include "ServiceAvailability.h"
#include "linux/SessionBus.h"

#include <memory>

namespace zol::linux_desktop {

class X11Connection;

// Whether this desktop shows tray icons, asked the way the tray icon itself
// finds its host: a StatusNotifierItem watcher with a host registered on the
// session bus, or, on an X11 session, an owner of the XEmbed system tray
// selection of the default screen. Asks afresh on each call, since a tray
// may come up after the program.
class TrayHostProbe
{
public:
    TrayHostProbe(std::shared_ptr<X11Connection> display, BusAccess bus);

    ServiceAvailability operator()() const;
    // What to do when there is no tray, for the desktop this runs on.
    static QString whatToDo();
    // The X selection an XEmbed tray of `screen` owns.
    static QByteArray xembedSelection(int screen);

private:
    bool hasStatusNotifierHost() const;
    bool hasXEmbedTray() const;

    std::shared_ptr<X11Connection> m_display;
    BusAccess m_bus;
};

} // namespace zol::linux_desktop
