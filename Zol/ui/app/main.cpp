// zol-tray: the clock in the tray, its panel and the main window. `zol`
// without a command starts it on a display.

#include "Platform.h"
#include "app/SingleInstance.h"
#include "app/TrayApp.h"
#include "books/SettingsStore.h"
#include "common/Icons.h"
#include "common/Theme.h"
#include "support/Clock.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zol"));
    QApplication::setApplicationVersion(QStringLiteral(ZOL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.zol.Zol"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(zol::ui::Icons::icon(QStringLiteral("zol"), QColor()));
    zol::ui::Theme::apply(application);

    zol::ui::SingleInstance instance;
    switch (instance.claim()) {
    case zol::ui::SingleInstance::Claim::handedOver:
        return 0;
    case zol::ui::SingleInstance::Claim::failed:
        QTextStream(stderr) << instance.error() << '\n';
        return 1;
    case zol::ui::SingleInstance::Claim::first:
        break;
    }

    zol::SettingsStore defaults(zol::SettingsStore::defaultPath());
    zol::ui::TrayApp app(defaults, zol::Clock::system(), zol::Platform::forThisDesktop());
    QObject::connect(&instance, &zol::ui::SingleInstance::activationRequested, &app,
                     &zol::ui::TrayApp::openPanel);
    app.start();
    return QApplication::exec();
}
