// `zol` with a command runs the command line on a QCoreApplication, so it
// never needs a display (nor loads Qt Gui); without one, on a display, it
// becomes the tray app.

#include "CommandLine.h"
#include "TerminalOutput.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "support/Clock.h"
#include "support/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

#include <unistd.h>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::main)
};

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
        << (hasDisplay ? Texts::tr("The tray app (zol-tray) could not be started; Zol works from "
                                   "the terminal:")
                       : Texts::tr("There is no display here, so there is no tray; Zol works "
                                   "from the terminal:"))
        << "\n\n";
    // The commands keep their column; what each does follows in any language.
    out << "  zol start 2301 --note 'First draft'   "
        << Texts::tr("start the timer on project 2301") << '\n'
        << "  zol pause    zol resume    zol stop    "
        << Texts::tr("pause, resume, stop and log it") << '\n'
        << "  zol log                                " << Texts::tr("today's sessions") << '\n'
        << "  zol --help                             " << Texts::tr("every command") << '\n';
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
    // Decoded here rather than by QCoreApplication::arguments(), which replaces
    // bytes that are not UTF-8 and so would store a mangled name unnoticed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(zol::cli::decodeArgument(argv[i]));

    // The person's language, before the command table's texts are made;
    // what --json writes is read by programs, and reads the same in every
    // language.
    zol::SettingsStore settings(zol::SettingsStore::defaultPath(),
                                zol::SettingsStore::Watching::off);
    const QString language = arguments.contains(QStringLiteral("--json"))
                                 ? QStringLiteral("en")
                                 : zol::AppSettings::language(settings);
    zol::Language::install(language, zol::Language::QtTexts::left);

    zol::cli::TerminalOutput standardOutput(stdout);
    zol::cli::TerminalOutput standardError(stderr);
    QTextStream out(&standardOutput);
    QTextStream err(&standardError);
    zol::cli::CommandLine commandLine(zol::Clock::system(), out, err);
    commandLine.useSettings(settings);
    if (arguments.isEmpty())
        return explainTheCommandLine(commandLine, out);
    return commandLine.run(arguments);
}
