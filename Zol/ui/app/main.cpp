// zol-tray: the clock in the tray, its panel and the main window. `zol`
// without a command starts it on a display.

#include "Platform.h"
#include "app/TrayApp.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "common/Accessibility.h"
#include "common/Icons.h"
#include "common/Theme.h"
#include "linux/SingleInstance.h"
#include "support/Clock.h"
#include "support/Language.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <optional>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::ui::main)
};

// SIGTERM (the session ending) and SIGINT quit the app as "Quit Zol" does:
// the handler only writes a byte, which the event loop reads.
int signalPipe[2] = {-1, -1};

void quitOnSignals(QObject* context)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [] {
        char byte = 0;
        if (::read(signalPipe[1], &byte, 1) == 1)
            QApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = [](int) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

// --version and --help are answered before anything needs a display.
std::optional<int> answerWithoutDisplay(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version" || argument == "-v") {
            std::fputs("zol-tray " ZOL_VERSION "\n", stdout);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            const QCoreApplication texts(argc, argv);
            const zol::SettingsStore settings(zol::SettingsStore::defaultPath(),
                                              zol::SettingsStore::Watching::off);
            zol::Language::install(zol::AppSettings::language(settings),
                                   zol::Language::QtTexts::left);
            const QString help = Texts::tr(
                "Usage: zol-tray\n"
                "The Zol tray app: the clock in the tray, its panel and the main window.\n"
                "Started a second time, it opens the panel of the one already running.\n"
                "'zol --help' lists the commands of the command line.\n");
            std::fputs(help.toUtf8().constData(), stdout);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> answered = answerWithoutDisplay(argc, argv))
        return *answered;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zol"));
    QApplication::setApplicationVersion(QStringLiteral(ZOL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.zol.Zol"));
    QApplication::setQuitOnLastWindowClosed(false);
    // Read once, for the language of every text and then for the app.
    zol::SettingsStore defaults(zol::SettingsStore::defaultPath());
    zol::Language::install(zol::AppSettings::language(defaults));
    zol::ui::Accessibility::install();
    QApplication::setWindowIcon(zol::ui::Icons::icon(QStringLiteral("zol"), QColor()));

    zol::linux_desktop::SingleInstance instance;
    switch (instance.claim()) {
    case zol::linux_desktop::SingleInstance::Claim::handedOver:
        return 0;
    case zol::linux_desktop::SingleInstance::Claim::failed:
        QTextStream(stderr) << instance.error() << '\n';
        return 1;
    case zol::linux_desktop::SingleInstance::Claim::first:
        break;
    }

    // The desktop's own look until it says it prefers another: the app asks
    // without waiting, and its answer comes as a change (TrayApp follows it).
    zol::ui::Theme::apply(application, zol::Appearance::Scheme::noPreference);
    zol::ui::TrayApp app(defaults, zol::Clock::system(), zol::Platform::forThisDesktop());
    QObject::connect(&instance, &zol::linux_desktop::SingleInstance::activationRequested, &app,
                     &zol::ui::TrayApp::openPanel);
    quitOnSignals(&app);
    app.start();
    return QApplication::exec();
}
