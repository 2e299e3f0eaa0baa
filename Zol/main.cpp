// `zol` with a command runs the command line on a QCoreApplication, so it
// never needs a display (nor loads Qt Gui); without one, on a display, it
// becomes the tray app.

#include "CommandLine.h"
#include "TerminalOutput.h"
#include "support/Clock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <unistd.h>

namespace {

// zol-tray beside this binary, else on the PATH. (Asked before any
// QCoreApplication exists, so not through applicationDirPath().)
QString trayAppPath()
{
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const QString beside = QFileInfo(self).absolutePath() + QStringLiteral("/zol-tray");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("zol-tray"));
}

// On a display: replaces this process with the tray app (the same process id,
// so whoever started `zol` holds the app). Returns only when that failed.
void becomeTrayApp(char* argv0)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    const QString path = trayAppPath();
    if (path.isEmpty())
        return;
    const QByteArray native = QFile::encodeName(path);
    char* const arguments[] = {argv0, nullptr};
    ::execv(native.constData(), arguments);
}

// Without a display: the timer's state, and how to drive it from the
// terminal.
int explainTheCommandLine(zol::cli::CommandLine& commandLine, QTextStream& out)
{
    const int status = commandLine.run({QStringLiteral("status")});
    const bool hasDisplay =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    out << '\n'
        << (hasDisplay ? "The tray app (zol-tray) could not be started; "
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
    if (argc == 1)
        becomeTrayApp(argv[0]);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zol"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZOL_VERSION));

    zol::cli::TerminalOutput standardOutput(stdout);
    zol::cli::TerminalOutput standardError(stderr);
    QTextStream out(&standardOutput);
    QTextStream err(&standardError);
    zol::cli::CommandLine commandLine(zol::Clock::system(), out, err);
    // Decoded here rather than by QCoreApplication::arguments(), which replaces
    // bytes that are not UTF-8 and so would store a mangled name unnoticed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(zol::cli::decodeArgument(argv[i]));
    if (arguments.isEmpty())
        return explainTheCommandLine(commandLine, out);
    return commandLine.run(arguments);
}
