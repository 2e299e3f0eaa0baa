// The tray app at rest, beside a bare Qt tray app (a QApplication with one
// tray icon) on the same X display of its own, with an XEmbed tray:
// - memory (resident set) once the panel has been opened and closed again;
// - wake-ups (context switches of the whole process) per minute with no
//   session open, and while a session ticks (its clock moves once a second).
// The app starts as on a first day: its welcome window is closed with Escape
// before the panel is opened, as a person would.
// Needs Xvfb, trayer, xdotool and dbus-daemon; says so and skips without them.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "store/EntryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <memory>
#include <optional>

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
    // Threads seen in the window, those that ended in it included.
    int threads = 0;
};

// Whether a line of strace's shows a return from a wait that blocked, given
// the call it returns from: a futex wait that found the word changed (EAGAIN)
// and a poll that was told not to wait returned without blocking.
bool blockedAndWoke(const QString& call, const QString& result)
{
    static const QRegularExpression noWait(QStringLiteral(
        R"(^(poll\(.*, 0\)|ppoll\(.*\{tv_sec=0, tv_nsec=0\}|epoll_p?wait\(.*, 0(, .*)?\)))"));
    if (call.startsWith(QLatin1String("futex(")))
        return call.contains(QLatin1String("FUTEX_WAIT")) &&
               !result.contains(QLatin1String("EAGAIN"));
    return !noWait.match(call).hasMatch();
}

// Wake-ups per minute of `pid` over `seconds`: every return from a blocking
// wait (poll and its kin, futex waits, sleeps) on every thread, as strace
// follows them, threads that start or end in the window included.
std::optional<WakeUps> wakeUps(const QProcessEnvironment& environment, qint64 pid, double seconds,
                               const QString& log)
{
    Started tracer;
    if (!startIn(tracer, environment, QStringLiteral("strace"),
                 {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), log,
                  QStringLiteral("-e"),
                  QStringLiteral("trace=poll,ppoll,select,pselect6,epoll_wait,epoll_pwait,"
                                 "futex,nanosleep,clock_nanosleep"),
                  QStringLiteral("-p"), QString::number(pid)}))
        return std::nullopt;
    pause(seconds);
    // Detaches from every thread on its way out; the log is then complete.
    ::kill(pid_t(tracer.process->processId()), SIGINT);
    tracer.process->waitForFinished(10'000);

    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // strace -f writes "TID call(…) = result", or, when another thread's line
    // comes between, "TID call(… <unfinished ...>" and later
    // "TID <... call resumed>…) = result".
    static const QRegularExpression line(QStringLiteral(R"(^(\d+)\s+(.*)$)"));
    QHash<QString, QString> unfinished;
    QSet<QString> threads;
    double count = 0;
    while (!file.atEnd()) {
        const QRegularExpressionMatch match =
            line.match(QString::fromUtf8(file.readLine()).trimmed());
        if (!match.hasMatch())
            continue;
        const QString tid = match.captured(1);
        const QString text = match.captured(2);
        threads.insert(tid);
        if (text.endsWith(QLatin1String("<unfinished ...>"))) {
            unfinished.insert(tid, text);
            continue;
        }
        const bool resumed = text.startsWith(QLatin1String("<..."));
        const QString call = resumed ? unfinished.take(tid) : text;
        const qsizetype equals = text.lastIndexOf(QLatin1String(") = "));
        const QString result = equals < 0 ? QString() : text.mid(equals + 4);
        if (!call.isEmpty() && blockedAndWoke(call, result))
            count += 1;
    }
    return WakeUps{count * 60 / seconds, int(threads.size())};
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
    return QStringLiteral("returns from blocking waits on all %1 threads over %2 s, by strace")
        .arg(measured.threads)
        .arg(window);
}

// Opens the main window on a month of History as a person would: the panel
// opened (as a click on the clock or a second start opens it), History in
// its footer, then Month. Whether the window showed. (The tray icon's menu
// is not used: under trayer in Xvfb a right click opens no menu, with this
// build or an older one.)
bool openHistory(const QProcessEnvironment& environment)
{
    const auto xdotool = [&](const QStringList& arguments) {
        return runIn(environment, QStringLiteral("xdotool"), arguments);
    };
    // The windows of the app that are at least `width` by `height`, with
    // their sizes.
    struct Window
    {
        QString id;
        int width = 0;
        int height = 0;
    };
    const auto windowsOfZol = [&](int width, int height) {
        QList<Window> found;
        for (const QString& id : xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                          QStringLiteral("--classname"), QStringLiteral("zol-tray")})
                                     .split(u'\n', Qt::SkipEmptyParts)) {
            const QString geometry =
                xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
            static const QRegularExpression size(QStringLiteral(R"(WIDTH=(\d+)\s+HEIGHT=(\d+))"));
            const QRegularExpressionMatch match = size.match(geometry);
            if (!match.hasMatch())
                continue;
            const Window w{id, match.captured(1).toInt(), match.captured(2).toInt()};
            if (w.width >= width && w.height >= height)
                found.append(w);
        }
        return found;
    };
    // A click with `button` at (x, y) inside `window`.
    const auto click = [&](const QString& window, int x, int y, int button) {
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                 QString::number(x), QString::number(y), QStringLiteral("click"),
                 QString::number(button)});
    };
    runIn(environment, QStringLiteral("dbus-send"),
          {QStringLiteral("--session"), QStringLiteral("--print-reply"),
           QStringLiteral("--dest=org.zol.Zol"), QStringLiteral("/org/zol/Zol"),
           QStringLiteral("org.zol.Zol.Activate")});
    pause(1);
    const QList<Window> panels = windowsOfZol(300, 400);
    if (panels.isEmpty())
        return false;
    // History, the first button of the panel's footer, at its bottom left.
    click(panels.first().id, 40, panels.first().height - 18, 1);
    pause(2);
    const QList<Window> windows = windowsOfZol(700, 400);
    if (windows.isEmpty())
        return false;
    // Month, in History's row of scopes (where the window lays it out at
    // its first size).
    click(windows.first().id, 490, 108, 1);
    pause(1);
    return true;
}

// A month of finished sessions in the books the tray app will open, so that
// its History has a month to show.
void fillMonth(const QString& dataHome)
{
    const QString folder = dataHome + QStringLiteral("/Zol");
    QDir().mkpath(folder);
    zol::EntryStore store(folder + QStringLiteral("/zol.sqlite3"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    store.writeTransaction([&] {
        zol::bench::StudioHistory(now).generate(120, 30, [&](zol::TimeEntry session) {
            if (session.isOpen())
                session.stop(now);
            store.save(session);
        });
    });
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
    const bool traced = !QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty();
    const QString log = home.filePath(QStringLiteral("strace.log"));
    const auto measureWakeUps = [&](qint64 pid) {
        return traced ? wakeUps(environment, pid, window, log) : std::nullopt;
    };

    Started baseline;
    startIn(baseline, environment, bare, {});
    pause(settle);
    const qint64 barePid = baseline.process->processId();
    const double bareMemory = statusOf(barePid).residentBytes;
    const std::optional<WakeUps> bareWakeUps = measureWakeUps(barePid);

    fillMonth(home.filePath(QStringLiteral("data")));
    Started app;
    if (!startIn(app, environment, zolTray, {})) {
        print(
            QStringLiteral("The tray app at rest\n    skipped: %1 did not start\n\n").arg(zolTray));
        return 0;
    }
    pause(settle);
    const auto xdotool = [&](const QStringList& arguments) {
        runIn(environment, QStringLiteral("xdotool"), arguments);
    };
    xdotool({QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("Welcome to Zol"),
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
    xdotool({QStringLiteral("mousemove"), QStringLiteral("20"), QStringLiteral("600"),
             QStringLiteral("click"), QStringLiteral("1")});
    pause(settle);
    const qint64 zolPid = app.process->processId();
    const double zolMemory = statusOf(zolPid).residentBytes;

    // The main window on History (from the tray icon's menu), then closed.
    const bool windowOpened = openHistory(environment);
    pause(settle);
    xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             QStringLiteral("^Zol$"), QStringLiteral("windowfocus"), QStringLiteral("--sync"),
             QStringLiteral("key"), QStringLiteral("ctrl+w")});
    pause(settle);
    const double afterWindowMemory = statusOf(zolPid).residentBytes;

    // Longer than a smoke run should wait.
    waitForPoolToEmpty(zolPid, sized(40.0, 0.0));
    const std::optional<WakeUps> idleWakeUps = measureWakeUps(zolPid);

    // A session started from the terminal: the app follows it and ticks.
    runIn(environment, zol,
          {QStringLiteral("project"), QStringLiteral("add"), QStringLiteral("2301"),
           QStringLiteral("--client"), QStringLiteral("Acme"), QStringLiteral("--name"),
           QStringLiteral("Brand book")});
    runIn(environment, zol, {QStringLiteral("start"), QStringLiteral("2301")});
    pause(settle);
    const std::optional<WakeUps> tickingWakeUps = measureWakeUps(zolPid);

    report({QStringLiteral("Memory at rest, the panel opened and closed once"),
            QStringLiteral("zol-tray"),
            QStringLiteral("a bare Qt tray app"),
            {zolMemory, bareMemory},
            1.5,
            QString(),
            true,
            megabytes});
    if (windowOpened) {
        report({QStringLiteral("Memory at rest after the main window showed a month of History"),
                QStringLiteral("zol-tray, the window closed again"),
                QStringLiteral("a bare Qt tray app"),
                {afterWindowMemory, bareMemory},
                2.0,
                QString(),
                true,
                megabytes});
    } else {
        print(QStringLiteral("Memory after the main window\n    skipped: the window did not "
                             "open from the panel\n\n"));
    }
    if (!bareWakeUps || !idleWakeUps || !tickingWakeUps) {
        print(QStringLiteral("Wake-ups\n    skipped: %1\n\n")
                  .arg(traced
                           ? QStringLiteral("strace could not follow the app")
                           : QStringLiteral("strace is not installed ('make bench' installs it)")));
        return 0;
    }
    // The app at rest may wake half a time a second more than a bare one.
    report({QStringLiteral("Wake-ups with no session open"),
            QStringLiteral("zol-tray"),
            QStringLiteral("a bare Qt tray app, plus 30 a minute"),
            {idleWakeUps->perMinute, bareWakeUps->perMinute + 30},
            1.0,
            wakeUpNote(window, *idleWakeUps) +
                QStringLiteral("; the bare app: %1").arg(perMinute(bareWakeUps->perMinute)),
            true,
            perMinute});
    report({QStringLiteral("Wake-ups while a session ticks"),
            QStringLiteral("zol-tray"),
            QStringLiteral("one wake-up a second"),
            {tickingWakeUps->perMinute, 60},
            1.0,
            wakeUpNote(window, *tickingWakeUps) +
                QStringLiteral("; the tray shows minutes, the clock moves as they turn"),
            true,
            perMinute});
    return 0;
}
