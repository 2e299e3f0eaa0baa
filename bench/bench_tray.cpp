// The tray app at rest, beside a bare Qt tray app (a QApplication with one
// tray icon) on the same X display of its own, with an XEmbed tray:
// - memory (resident set) once the panel has been opened and closed again;
// - wake-ups (context switches of the whole process) per minute with no
//   session open, and while a session ticks (its clock moves once a second).
// Needs Xvfb, trayer, xdotool and dbus-daemon; says so and skips without them.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

using namespace zol::bench;

namespace {

// The kernel's account of a process: resident memory and context switches.
struct ProcessStatus
{
    double residentBytes = 0;
    double switches = 0;
};

ProcessStatus statusOf(qint64 pid)
{
    ProcessStatus status;
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return status;
    // A /proc file says it is empty: read it whole rather than to its "end".
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList words = QString::fromLatin1(line).simplified().split(u' ');
        if (words.size() >= 2 && words.first() == u"VmRSS:")
            status.residentBytes = words.at(1).toDouble() * 1024;
    }
    // Every thread's wake-ups count: /proc/PID/task/*/status.
    const QStringList tasks =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        QFile taskFile(QStringLiteral("/proc/%1/task/%2/status").arg(pid).arg(task));
        if (!taskFile.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : taskFile.readAll().split('\n')) {
            const QStringList words = QString::fromLatin1(line).simplified().split(u' ');
            if (words.size() >= 2 && (words.first() == u"voluntary_ctxt_switches:" ||
                                      words.first() == u"nonvoluntary_ctxt_switches:"))
                status.switches += words.at(1).toDouble();
        }
    }
    return status;
}

QString megabytes(double bytes)
{
    return QString::number(bytes / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
}

QString perMinute(double wakeUps)
{
    return QString::number(wakeUps, 'f', 1) + QStringLiteral("/min");
}

void pause(double seconds)
{
    QThread::msleep(qRound(seconds * 1000));
    QCoreApplication::processEvents();
}

// A process the benchmark started and ends, by its id.
struct Started
{
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    ~Started()
    {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5'000)) {
                process->kill();
                process->waitForFinished(5'000);
            }
        }
    }
};

bool startIn(Started& started, const QProcessEnvironment& environment, const QString& program,
             const QStringList& arguments)
{
    started.process->setProcessEnvironment(environment);
    started.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    started.process->start(program, arguments);
    return started.process->waitForStarted(10'000);
}

QString runIn(const QProcessEnvironment& environment, const QString& program,
              const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(20'000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Wake-ups per minute of `pid` over `seconds`.
double wakeUps(qint64 pid, double seconds)
{
    const double before = statusOf(pid).switches;
    pause(seconds);
    return (statusOf(pid).switches - before) * 60 / seconds;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString here = QCoreApplication::applicationDirPath();
    const QString bare = here + QStringLiteral("/bare-tray-app");
    const QString zolTray = here + QStringLiteral("/../Zol/zol-tray");
    const QString zol = here + QStringLiteral("/../Zol/zol");
    for (const QString& tool : {QStringLiteral("Xvfb"), QStringLiteral("trayer"),
                                QStringLiteral("xdotool"), QStringLiteral("dbus-daemon")}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            print(QStringLiteral("The tray app at rest\n    skipped: %1 is not installed\n\n")
                      .arg(tool));
            return 0;
        }
    }

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));

    Started display;
    startIn(display, environment, QStringLiteral("Xvfb"),
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
             QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
             QStringLiteral("0"), QStringLiteral("1280x800x24")});
    if (!display.process->waitForReadyRead(20'000)) {
        print(QStringLiteral("The tray app at rest\n    skipped: Xvfb did not start\n\n"));
        return 0;
    }
    environment.insert(QStringLiteral("DISPLAY"),
                       u':' + QString::fromUtf8(display.process->readLine().trimmed()));

    // A bus of our own that starts nothing, so the app's name is free.
    QFile config(home.filePath(QStringLiteral("bus.conf")));
    if (config.open(QIODevice::WriteOnly)) {
        config.write(QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                                    "<auth>EXTERNAL</auth><policy context=\"default\">"
                                    "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                                    "</busconfig>")
                         .arg(home.path())
                         .toUtf8());
        config.close();
    }
    Started bus;
    startIn(bus, environment, QStringLiteral("dbus-daemon"),
            {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
             QStringLiteral("--print-address=1")});
    if (!bus.process->waitForReadyRead(10'000)) {
        print(QStringLiteral("The tray app at rest\n    skipped: dbus-daemon did not start\n\n"));
        return 0;
    }
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QString::fromUtf8(bus.process->readLine().trimmed()));

    Started tray;
    startIn(tray, environment, QStringLiteral("trayer"),
            {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
             QStringLiteral("right")});
    pause(1);

    const double settle = sized(3.0, 1.0);
    const double window = sized(30.0, 2.0);

    Started baseline;
    startIn(baseline, environment, bare, {});
    pause(settle);
    const qint64 barePid = baseline.process->processId();
    const double bareMemory = statusOf(barePid).residentBytes;
    const double bareWakeUps = wakeUps(barePid, window);

    Started app;
    if (!startIn(app, environment, zolTray, {})) {
        print(QStringLiteral("The tray app at rest\n    skipped: %1 did not start\n\n").arg(zolTray));
        return 0;
    }
    pause(settle);
    // The panel opened (as a second start opens it) and closed by a click
    // elsewhere.
    runIn(environment, QStringLiteral("dbus-send"),
          {QStringLiteral("--session"), QStringLiteral("--print-reply"),
           QStringLiteral("--dest=org.zol.Zol"), QStringLiteral("/org/zol/Zol"),
           QStringLiteral("org.zol.Zol.Activate")});
    pause(1);
    runIn(environment, QStringLiteral("xdotool"),
          {QStringLiteral("mousemove"), QStringLiteral("20"), QStringLiteral("600"),
           QStringLiteral("click"), QStringLiteral("1")});
    pause(settle);
    const qint64 zolPid = app.process->processId();
    const double zolMemory = statusOf(zolPid).residentBytes;
    const double idleWakeUps = wakeUps(zolPid, window);

    // A session started from the terminal: the app follows it and ticks.
    runIn(environment, zol,
          {QStringLiteral("project"), QStringLiteral("add"), QStringLiteral("2301"),
           QStringLiteral("--client"), QStringLiteral("Acme"), QStringLiteral("--name"),
           QStringLiteral("Brand book")});
    runIn(environment, zol, {QStringLiteral("start"), QStringLiteral("2301")});
    pause(settle);
    const double tickingWakeUps = wakeUps(zolPid, window);

    report({QStringLiteral("Memory at rest, the panel opened and closed once"),
            QStringLiteral("zol-tray"), QStringLiteral("a bare Qt tray app"),
            {zolMemory, bareMemory}, 1.5, QString(), true, megabytes});
    report({QStringLiteral("Wake-ups with no session open"), QStringLiteral("zol-tray"),
            QStringLiteral("a bare Qt tray app"), {idleWakeUps, bareWakeUps}, 1.5,
            QStringLiteral("context switches of every thread over %1 s").arg(window), false,
            perMinute});
    report({QStringLiteral("Wake-ups while a session ticks"), QStringLiteral("zol-tray"),
            QStringLiteral("one wake-up a second"), {tickingWakeUps, 60}, 1.5,
            QStringLiteral("the clock moves once a second; the icon is drawn when the minute turns"),
            true, perMinute});
    return 0;
}
