#pragma once

#include "Appearance.h"
#include "Desktop.h"
#include "GlobalShortcut.h"
#include "IdleTimeSource.h"
#include "LoginItemService.h"
#include "Notifier.h"
#include "SessionKind.h"
#include "SystemEvents.h"
#include "TrayHost.h"

#include <functional>
#include <memory>

namespace zol {

// The platform services of one run, each behind its own small interface. The
// controller and the timer's companions reach the desktop only through these.
class Platform
{
public:
    Platform(std::unique_ptr<Notifier> notifier, std::unique_ptr<IdleTimeSource> idleTime,
             std::unique_ptr<GlobalShortcut> shortcut, std::unique_ptr<LoginItemService> loginItem,
             std::unique_ptr<SystemEvents> systemEvents, std::unique_ptr<Desktop> desktop);
    ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    Notifier& notifier() const { return *m_notifier; }
    IdleTimeSource& idleTime() const { return *m_idleTime; }
    GlobalShortcut& shortcut() const { return *m_shortcut; }
    LoginItemService& loginItem() const { return *m_loginItem; }
    SystemEvents& systemEvents() const { return *m_systemEvents; }
    Desktop& desktop() const { return *m_desktop; }

    // Puts `desktop` in place of the desktop services and returns those: the
    // tray app answers save dialogs itself and passes the rest on.
    std::unique_ptr<Desktop> replaceDesktop(std::unique_ptr<Desktop> desktop);

    // Whether the desktop shows tray icons now, and how ("tray").
    ServiceAvailability trayHost() const { return m_trayHost->availability(); }
    // The same, watched: the tray app waits for a tray that comes late.
    TrayHost& tray() const { return *m_trayHost; }
    void setTrayHost(std::unique_ptr<TrayHost> host);

    // The kind of session this runs in, as it was when the platform was made.
    const SessionKind& session() const { return m_session; }

    // The desktop's choice of a dark or light look.
    Appearance& appearance() const { return *m_appearance; }
    void setAppearance(std::unique_ptr<Appearance> appearance);

    // The services of the desktop this runs on: on Linux, over D-Bus, X11 and
    // files, each saying through its availability() whether it was found;
    // elsewhere, the services that do nothing.
    // Defined by the library ZolPlatformLinux, which a program links to have
    // it (the tray app does).
    static std::unique_ptr<Platform> forThisDesktop();
    // The same, made by the module zol-desktop (beside the program in a
    // build, in the library folder once installed), for a program that does
    // not link the desktop's services: D-Bus and X11 libraries cost every
    // process that loads them over a millisecond, and of the commands only
    // `zol doctor` needs them. The services that do nothing when the module
    // is missing.
    static std::unique_ptr<Platform> loadForThisDesktop();
    // The C function the module exports, which makes a forThisDesktop().
    static constexpr const char* moduleEntry = "zolMakeDesktopPlatform";

    // Services that do nothing: notifications go nowhere, no input time is
    // known, no key is grabbed, no login item exists, no event ever arrives,
    // nothing is revealed and every save dialog is cancelled.
    static std::unique_ptr<Platform> doingNothing();
    // The same with a desktop of the caller's (the command line answers save
    // dialogs with the path it was given).
    static std::unique_ptr<Platform> doingNothing(std::unique_ptr<Desktop> desktop);

private:
    std::unique_ptr<Notifier> m_notifier;
    std::unique_ptr<IdleTimeSource> m_idleTime;
    std::unique_ptr<GlobalShortcut> m_shortcut;
    std::unique_ptr<LoginItemService> m_loginItem;
    std::unique_ptr<SystemEvents> m_systemEvents;
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<TrayHost> m_trayHost;
    std::unique_ptr<Appearance> m_appearance;
    SessionKind m_session = SessionKind::ofThisProcess();
};

} // namespace zol
