#include "linux/LinuxPlatform.h"

#include "linux/AutostartLoginItem.h"
#include "linux/DBusNotifier.h"
#include "linux/LinuxDesktop.h"
#include "linux/LinuxSystemEvents.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDir>
#include <QStandardPaths>

namespace zol::linux_desktop {

std::unique_ptr<Platform> makePlatform()
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    const QString configFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString autostartFolder = configFolder.isEmpty()
                                        ? QString()
                                        : QDir(configFolder).filePath(QStringLiteral("autostart"));
    // Each service takes its Linux implementation as it is written.
    return std::make_unique<Platform>(
        std::make_unique<DBusNotifier>(session), Platform::unknownIdleTime(),
        Platform::noShortcut(),
        std::make_unique<AutostartLoginItem>(autostartFolder,
                                             QCoreApplication::applicationFilePath()),
        std::make_unique<LinuxSystemEvents>(QDBusConnection::systemBus(),
                                            QStringLiteral("/proc/self/mountinfo")),
        std::make_unique<LinuxDesktop>(session, QStringLiteral("xdg-open")));
}

} // namespace zol::linux_desktop
