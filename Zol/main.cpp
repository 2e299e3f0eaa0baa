// `zol` with a command runs the command line on a QCoreApplication, so it
// never needs a display; without one it starts the tray app.

#include "CommandLine.h"
#include "support/Clock.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// Until the tray app is built: the timer's state, and how to drive it from
// the terminal.
int startTrayApp(zol::cli::CommandLine& commandLine, QTextStream& out)
{
    const int status = commandLine.run({QStringLiteral("status")});
    const bool hasDisplay =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    out << '\n'
        << (hasDisplay ? "The tray app is not part of this build yet; "
                       : "There is no display here, so there is no tray; ")
        << "Zol works from the terminal:\n\n"
           "  zol start 2301 --note 'First draft'   start the timer on project 2301\n"
           "  zol pause    zol resume    zol stop    pause, resume, stop and log it\n"
           "  zol log                                today's sessions\n"
           "  zol --help                             every command\n";
    out.flush();
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zol"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZOL_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    zol::cli::CommandLine commandLine(zol::Clock::system(), out, err);
    // Decoded here rather than by QCoreApplication::arguments(), which replaces
    // bytes that are not UTF-8 and so would store a mangled name unnoticed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(zol::cli::decodeArgument(argv[i]));
    if (arguments.isEmpty())
        return startTrayApp(commandLine, out);
    return commandLine.run(arguments);
}
