#include "linux/LinuxPlatform.h"

#include "linux/AutostartLoginItem.h"
#include "linux/DBusNotifier.h"
#include "linux/DesktopSession.h"
#include "linux/LinuxDesktop.h"
#include "linux/LinuxIdleTime.h"
#include "linux/LinuxSystemEvents.h"
#include "linux/MutterIdleTime.h"
#include "linux/PortalAppearance.h"
#include "linux/PortalGlobalShortcut.h"
#include "linux/ScreenSaverIdleTime.h"
#include "linux/SessionBus.h"
#include "linux/TrayHostWatch.h"
#include "linux/WaylandIdleTime.h"
#include "linux/X11Connection.h"
#include "linux/X11GlobalShortcut.h"
#include "linux/X11IdleTime.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

namespace zol::linux_desktop {

namespace {

std::unique_ptr<IdleTimeSource> makeIdleTime(const std::shared_ptr<X11Connection>& display,
                                             const BusAccess& bus)
{
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    const auto monotonic = [elapsed] { return double(elapsed->nsecsElapsed()) / 1e9; };
    // The X screen saver answers in X11 sessions only and the compositor in
    // Wayland ones, so one of the two at most; GNOME's compositor tells
    // neither protocol, and answers over the bus.
    std::vector<std::unique_ptr<IdleTimeSource>> sources;
    sources.push_back(std::make_unique<X11IdleTime>(display));
    sources.push_back(std::make_unique<WaylandIdleTime>(monotonic));
    sources.push_back(std::make_unique<MutterIdleTime>(bus));
    sources.push_back(std::make_unique<ScreenSaverIdleTime>(
        bus, monotonic, [](double seconds) { QThread::msleep(qRound(seconds * 1000)); }));
    return std::make_unique<LinuxIdleTime>(std::move(sources));
}

std::unique_ptr<GlobalShortcut> makeShortcut(const std::shared_ptr<X11Connection>& display,
                                             const BusAccess& bus)
{
    if (isWaylandSession())
        return std::make_unique<PortalGlobalShortcut>(bus);
    return std::make_unique<X11GlobalShortcut>(display);
}

// What the login item starts, whichever program writes it (the tray app's
// settings or the command line): the tray app beside the running program, so
// that an installed Zol starts the installed tray app and a build its own.
QString trayAppBesideThisProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zol-tray"));
}

} // namespace

std::unique_ptr<Platform> makePlatform()
{
    // Shared by the services that speak X11; nothing connects before a
    // service is first asked.
    const auto display = std::make_shared<X11Connection>();
    const BusAccess bus = sessionBus();
    const QDBusConnection session = QDBusConnection::sessionBus();
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString autostartFolder = configFolder.isEmpty()
                                        ? QString()
                                        : QDir(configFolder).filePath(QStringLiteral("autostart"));

    auto platform = std::make_unique<Platform>(
        std::make_unique<DBusNotifier>(session), // notifications
        makeIdleTime(display, bus),              // idle time
        makeShortcut(display, bus),              // hot key
        std::make_unique<AutostartLoginItem>(autostartFolder, trayAppBesideThisProgram()),
        std::make_unique<LinuxSystemEvents>(QDBusConnection::systemBus(),
                                            QStringLiteral("/proc/self/mountinfo"), session),
        std::make_unique<LinuxDesktop>(session, QStringLiteral("xdg-open")));
    platform->setTrayHost(std::make_unique<TrayHostWatch>(display, bus));
    platform->setAppearance(std::make_unique<PortalAppearance>(session));
    return platform;
}

} // namespace zol::linux_desktop
