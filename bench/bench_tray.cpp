// The tray app at rest, beside a bare Qt tray app (a QApplication with one
// tray icon) on the same X display of its own, with an XEmbed tray:
// - memory (resident set) once the panel has been opened and closed again;
// - wake-ups (context switches of the whole process) per minute with no
//   session open, and while a session ticks (its clock moves once a second).
// The app starts as on a first day: its welcome window is closed with Escape
// before the panel is opened, as a person would.
// Needs Xvfb, trayer, xdotool and dbus-daemon; says so and skips without them.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

using namespace zol::bench;

namespace {

// The kernel's account of a process: resident memory, and the context
// switches of each of its threads by thread id.
struct ProcessStatus
{
    double residentBytes = 0;
    QHash<QString, double> switches;
};

// The value of `key` ("VmRSS:") in a /proc status file, or 0.
double field(const QByteArray& status, const QString& key)
{
    double value = 0;
    for (const QByteArray& line : status.split('\n')) {
        const QStringList words = QString::fromLatin1(line).simplified().split(u' ');
        if (words.size() >= 2 && words.first() == key)
            value += words.at(1).toDouble();
    }
    return value;
}

// A /proc file says it is empty: read it whole rather than to its "end".
QByteArray readProc(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList threadsOf(qint64 pid)
{
    return QDir(QStringLiteral("/proc/%1/task").arg(pid))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

ProcessStatus statusOf(qint64 pid)
{
    ProcessStatus status;
    status.residentBytes =
        field(readProc(QStringLiteral("/proc/%1/status").arg(pid)), QStringLiteral("VmRSS:")) *
        1024;
    for (const QString& task : threadsOf(pid)) {
        const QByteArray taskStatus =
            readProc(QStringLiteral("/proc/%1/task/%2/status").arg(pid).arg(task));
        if (taskStatus.isEmpty())
            continue; // ended while being listed
        status.switches.insert(
            task, field(taskStatus, QStringLiteral("voluntary_ctxt_switches:")) +
                      field(taskStatus, QStringLiteral("nonvoluntary_ctxt_switches:")));
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

struct WakeUps
{
    double perMinute = 0;
    // Threads that ended within the window: what they switched in it is lost.
    int threadsLost = 0;
};

// Wake-ups per minute of `pid` over `seconds`, thread by thread: the growth of
// each thread alive at both ends, and the whole count of a thread born in the
// window. A sum over the process would shrink whenever a thread ends.
WakeUps wakeUps(qint64 pid, double seconds)
{
    const ProcessStatus before = statusOf(pid);
    pause(seconds);
    const ProcessStatus after = statusOf(pid);
    WakeUps result;
    double switches = 0;
    for (auto it = after.switches.cbegin(); it != after.switches.cend(); ++it)
        switches += it.value() - before.switches.value(it.key(), 0);
    for (auto it = before.switches.cbegin(); it != before.switches.cend(); ++it)
        result.threadsLost += after.switches.contains(it.key()) ? 0 : 1;
    result.perMinute = switches * 60 / seconds;
    return result;
}

// Waits, at most `limit` seconds, until `pid` has no idle thread of Qt's
// thread pool left: the pool lets one go 30 s after its last job, so the app's
// start-up work (the books' first read, the backup of the day) leaves threads
// that would end inside the window and take their count with them.
void waitForPoolToEmpty(qint64 pid, double limit)
{
    const auto pooled = [pid] {
        for (const QString& task : threadsOf(pid)) {
            if (readProc(QStringLiteral("/proc/%1/task/%2/comm").arg(pid).arg(task)).trimmed() ==
                "Thread (pooled)")
                return true;
        }
        return false;
    };
    for (double waited = 0; waited < limit && pooled(); waited += 1)
        pause(1);
}

QString wakeUpNote(double window, const WakeUps& measured)
{
    QString note = QStringLiteral("context switches of every thread over %1 s").arg(window);
    if (measured.threadsLost > 0)
        note += QStringLiteral(" (%1 thread(s) ended in it, their part lost)")
                    .arg(measured.threadsLost);
    return note;
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
    const WakeUps bareWakeUps = wakeUps(barePid, window);

    Started app;
    if (!startIn(app, environment, zolTray, {})) {
        print(
            QStringLiteral("The tray app at rest\n    skipped: %1 did not start\n\n").arg(zolTray));
        return 0;
    }
    pause(settle);
    runIn(environment, QStringLiteral("xdotool"),
          {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("Welcome to Zol"),
           QStringLiteral("windowfocus"), QStringLiteral("--sync"), QStringLiteral("key"),
           QStringLiteral("Escape")});
    pause(1);
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
    // Longer than a smoke run should wait.
    waitForPoolToEmpty(zolPid, sized(40.0, 0.0));
    const WakeUps idleWakeUps = wakeUps(zolPid, window);

    // A session started from the terminal: the app follows it and ticks.
    runIn(environment, zol,
          {QStringLiteral("project"), QStringLiteral("add"), QStringLiteral("2301"),
           QStringLiteral("--client"), QStringLiteral("Acme"), QStringLiteral("--name"),
           QStringLiteral("Brand book")});
    runIn(environment, zol, {QStringLiteral("start"), QStringLiteral("2301")});
    pause(settle);
    const WakeUps tickingWakeUps = wakeUps(zolPid, window);

    report({QStringLiteral("Memory at rest, the panel opened and closed once"),
            QStringLiteral("zol-tray"),
            QStringLiteral("a bare Qt tray app"),
            {zolMemory, bareMemory},
            1.5,
            QString(),
            true,
            megabytes});
    report({QStringLiteral("Wake-ups with no session open"),
            QStringLiteral("zol-tray"),
            QStringLiteral("a bare Qt tray app"),
            {idleWakeUps.perMinute, bareWakeUps.perMinute},
            1.5,
            wakeUpNote(window, idleWakeUps),
            false,
            perMinute});
    report({QStringLiteral("Wake-ups while a session ticks"),
            QStringLiteral("zol-tray"),
            QStringLiteral("one wake-up a second"),
            {tickingWakeUps.perMinute, 60},
            1.5,
            QStringLiteral("the clock moves once a second; the icon is drawn when the minute "
                           "turns") +
                (tickingWakeUps.threadsLost > 0
                     ? QStringLiteral(" (%1 thread(s) ended in the window, their part lost)")
                           .arg(tickingWakeUps.threadsLost)
                     : QString()),
            true,
            perMinute});
    return 0;
}
