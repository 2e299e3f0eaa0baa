#include "Platform.h"

#include "DoingNothing.h"

#include <QCoreApplication>
#include <QLibrary>

namespace zol {

using namespace doing_nothing;

Platform::Platform(std::unique_ptr<Notifier> notifier, std::unique_ptr<IdleTimeSource> idleTime,
                   std::unique_ptr<GlobalShortcut> shortcut,
                   std::unique_ptr<LoginItemService> loginItem,
                   std::unique_ptr<SystemEvents> systemEvents, std::unique_ptr<Desktop> desktop)
    : m_notifier(std::move(notifier))
    , m_idleTime(std::move(idleTime))
    , m_shortcut(std::move(shortcut))
    , m_loginItem(std::move(loginItem))
    , m_systemEvents(std::move(systemEvents))
    , m_desktop(std::move(desktop))
    , m_trayHost(std::make_unique<NoTray>())
    , m_appearance(std::make_unique<NoPreference>())
{}

std::unique_ptr<Desktop> Platform::replaceDesktop(std::unique_ptr<Desktop> desktop)
{
    return std::exchange(m_desktop, std::move(desktop));
}

void Platform::setTrayHost(std::unique_ptr<TrayHost> host)
{
    m_trayHost = std::move(host);
}

void Platform::setAppearance(std::unique_ptr<Appearance> appearance)
{
    m_appearance = std::move(appearance);
}

std::unique_ptr<Platform> Platform::loadForThisDesktop()
{
    using Make = Platform* (*)();
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& folder : {here, QString(here + QStringLiteral("/" ZOL_MODULE_FOLDER))}) {
        // Never unloaded: what it made lives as long as the process.
        QLibrary module(folder + QStringLiteral("/zol-desktop"));
        if (const auto make = reinterpret_cast<Make>(module.resolve(moduleEntry)))
            return std::unique_ptr<Platform>(make());
    }
    return doingNothing();
}

Platform::~Platform() = default;

std::unique_ptr<Platform> Platform::doingNothing()
{
    return doingNothing(std::make_unique<NoDesktop>());
}

std::unique_ptr<Platform> Platform::doingNothing(std::unique_ptr<Desktop> desktop)
{
    return std::make_unique<Platform>(
        std::make_unique<SilentNotifier>(), std::make_unique<UnknownIdleTime>(),
        std::make_unique<NoShortcut>(), std::make_unique<NoLoginItem>(),
        std::make_unique<QuietSystem>(), std::move(desktop));
}

} // namespace zol
