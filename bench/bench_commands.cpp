// The command line as whole processes: `zol start`, `status`, `pause`,
// `log --month` and `stop`, each run as the real binary in books of its own
// (temporary XDG folders), timed from the process's start to its end.
//
// Each command with a long history (100,000 sessions over ten years) is
// judged three ways:
// - against the same command with a short history (100 sessions, a new
//   user's first month; the long history ends with the same month, so both
//   show the same sessions), at most 1.2x;
// - against a bare QCoreApplication that prints one line, at most 2x;
// - where Timewarrior is installed, Zol's own work (the command's time less
//   the bare program's) against timew's whole command on an equal history,
//   at most 1x: timew loads no Qt and syncs nothing, so what Zol adds to a
//   Qt process is what compares with it.
// Every program runs in turn, round after round, so that the machine's load
// weighs on each alike; the figures are medians.
//
// The program exits 0 whatever the figures; only a failure to set up is an
// error.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "store/EntryStore.h"
#include "support/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>
#include <vector>

namespace {

using namespace zol;
using namespace zol::bench;

const int longHistory = sized(100'000, 2'000);
constexpr int shortHistory = 100;
constexpr int shortHistoryDays = 30;
constexpr int longHistoryDays = 10 * 365;
const int repetitions = rounds(21);

// The commands in the order each round runs them, so that every one finds
// the books as a person would: nothing running, then the session started.
const QList<QStringList> commands{
    {QStringLiteral("start"), QStringLiteral("9001")},
    {QStringLiteral("status")},
    {QStringLiteral("pause")},
    {QStringLiteral("log"), QStringLiteral("--month")},
    {QStringLiteral("stop")},
};

// One set of books in folders of its own.
struct Books
{
    QTemporaryDir home;
    QProcessEnvironment environment;

    Books()
    {
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
    }
};

// Sessions as StudioHistory makes them, all finished.
void addSessions(EntryStore& store, const QDateTime& end, int count, int days)
{
    StudioHistory(end).generate(count, days, [&](TimeEntry entry) {
        if (entry.isOpen())
            entry.stop(end);
        store.save(entry);
    });
}

// Books with `count` sessions: the short history's month, after older ones
// when there are more.
bool fill(Books& books, int count, const QDateTime& now)
{
    const QString folder = books.home.filePath(QStringLiteral("data/Zol"));
    if (!QDir().mkpath(folder))
        return false;
    EntryStore store(folder + QStringLiteral("/zol.sqlite3"));
    store.writeTransaction([&] {
        if (count > shortHistory)
            addSessions(store, now.addDays(-shortHistoryDays - 1), count - shortHistory,
                        longHistoryDays);
        addSessions(store, now, shortHistory, shortHistoryDays);
        store.addManualProject(Project{QStringLiteral("9001"), QStringLiteral("Benchmarks"),
                                       QStringLiteral("Studio"), true, now, now});
    });
    store.database().execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    return true;
}

// Timewarrior with the same history, in a database folder of its own. Its
// commands are given explicit past times, as it refuses to stop a session in
// the second it started and to track anything in the future.
struct Timewarrior
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("timew"));
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QDateTime base;

    Timewarrior() { environment.insert(QStringLiteral("TIMEWARRIORDB"), folder.path()); }

    static QString stamp(const QDateTime& instant)
    {
        return instant.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    }

    // A time as timew reads one typed: local, to the second.
    static QString local(const QDateTime& instant)
    {
        return instant.toLocalTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
    }

    static QString quoted(QString text)
    {
        return u'"' +
               text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\"")) +
               u'"';
    }

    // The same sessions as Zol's long history, ending two days earlier: the
    // rounds then start sessions of their own after the last one, in the past.
    bool fill(const QDateTime& now, int count)
    {
        const QDateTime end = now.addDays(-2);
        base = now.addDays(-1);
        if (!QDir(folder.path()).mkpath(QStringLiteral("data")))
            return false;
        QFile(folder.filePath(QStringLiteral("timewarrior.cfg"))).open(QIODevice::WriteOnly);
        std::map<QString, QByteArray> months;
        const auto add = [&](int sessions, int days, const QDateTime& last) {
            StudioHistory(last).generate(sessions, days, [&](TimeEntry session) {
                if (session.isOpen())
                    session.stop(last);
                if (session.deletedAt)
                    return;
                QString line = QStringLiteral("inc ") + stamp(session.startedAt) +
                               QStringLiteral(" - ") + stamp(*session.endedAt) +
                               QStringLiteral(" # ");
                line += session.isInternal
                            ? quoted(session.projectName)
                            : u'P' + session.projectSerial + u' ' + quoted(session.projectName) +
                                  u' ' + quoted(session.clientName);
                if (!session.note.isEmpty())
                    line += QStringLiteral(" # ") + quoted(session.note);
                months[session.startedAt.toUTC().toString(QStringLiteral("yyyy-MM"))] +=
                    line.toUtf8() + '\n';
            });
        };
        if (count > shortHistory)
            add(count - shortHistory, longHistoryDays, end.addDays(-shortHistoryDays - 1));
        add(shortHistory, shortHistoryDays, end);
        for (const auto& [month, lines] : months) {
            QFile file(folder.filePath(QStringLiteral("data/") + month + QStringLiteral(".data")));
            if (!file.open(QIODevice::WriteOnly) || file.write(lines) != lines.size())
                return false;
        }
        return true;
    }

    // What timew does at the step `index` of `round` of the commands above:
    // a pause is a stop to timew, and its summary is the month's log.
    QStringList command(int round, int index) const
    {
        const QDateTime start = base.addSecs(qint64(round) * 60);
        const auto at = [&](int seconds) { return local(start.addSecs(seconds)); };
        switch (index) {
        case 0:
            return {QStringLiteral("start"), at(0), QStringLiteral("P9001"),
                    QStringLiteral("Benchmarks")};
        case 1:
            return {};
        case 2:
            return {QStringLiteral("stop"), at(10)};
        case 3:
            return {QStringLiteral("summary"), QStringLiteral(":month")};
        default:
            return {QStringLiteral("stop"), at(30)};
        }
    }

    // Untimed, after the step `index`: the paused session resumed, so that
    // the last step stops a running one.
    QStringList after(int round, int index) const
    {
        if (index != 3)
            return {};
        return {QStringLiteral("continue"), local(base.addSecs(qint64(round) * 60 + 20))};
    }
};

// Seconds from starting `program` to its end; negative when it failed.
double run(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return double(timer.nsecsElapsed()) * 1e-9;
}

// The Qt libraries `program` loads, by ldd; empty when ldd cannot tell.
QStringList qtLibraries(const QString& program)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {program});
    if (!ldd.waitForFinished(10'000))
        return {};
    QStringList found;
    for (const QString& line : QString::fromUtf8(ldd.readAllStandardOutput()).split(u'\n')) {
        const QString library = line.trimmed().section(u' ', 0, 0);
        if (library.startsWith(QStringLiteral("libQt6")))
            found.append(library.section(u'.', 0, 0).mid(3));
    }
    return found;
}

QString shown(const QStringList& command)
{
    return QStringLiteral("zol ") + command.join(u' ');
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString here = QCoreApplication::applicationDirPath();
    const QString zol = QFileInfo(here + QStringLiteral("/../Zol/zol")).absoluteFilePath();
    const QString bare = here + QStringLiteral("/bare-core-app");
    for (const QString& program : {zol, bare}) {
        if (!QFileInfo(program).isExecutable()) {
            print(QStringLiteral("Commands as processes\n    skipped: %1 is not built\n\n")
                      .arg(program));
            return 1;
        }
    }

    const QDateTime now = Clock::system().now();
    Books shortBooks;
    Books longBooks;
    if (!fill(shortBooks, shortHistory, now) || !fill(longBooks, longHistory, now))
        return 1;
    // A first run stores the settings a new user's first command writes.
    for (Books* books : {&shortBooks, &longBooks}) {
        if (run(zol, {QStringLiteral("status")}, books->environment) < 0) {
            print(QStringLiteral("Commands as processes\n    zol status failed\n\n"));
            return 1;
        }
    }

    // Timewarrior where it is installed; the figures beside it are left out
    // with a line that says why when it is not, or when it fails.
    Timewarrior timew;
    QString peerMissing;
    if (timew.program.isEmpty())
        peerMissing = QStringLiteral("timew is not installed ('make bench' installs it)");
    else if (!timew.fill(now, longHistory))
        peerMissing = QStringLiteral("Timewarrior's history could not be written");
    else if (run(timew.program, {QStringLiteral("summary"), QStringLiteral(":month")},
                 timew.environment) < 0)
        peerMissing = QStringLiteral("timew summary failed on its first run");

    std::map<QString, std::vector<double>> shortTimes;
    std::map<QString, std::vector<double>> longTimes;
    std::map<QString, std::vector<double>> peerTimes;
    std::vector<double> bareTimes;
    const QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    for (int round = 0; round < repetitions; ++round) {
        // Which books go first alternates, and the bare program runs between.
        Books* first = round % 2 == 0 ? &shortBooks : &longBooks;
        Books* second = round % 2 == 0 ? &longBooks : &shortBooks;
        for (int index = 0; index < commands.size(); ++index) {
            const QStringList& command = commands.at(index);
            const QString key = command.join(u' ');
            for (Books* books : {first, second}) {
                const double seconds = run(zol, command, books->environment);
                if (seconds < 0) {
                    print(shown(command) + QStringLiteral(" failed\n"));
                    return 1;
                }
                (books == &shortBooks ? shortTimes : longTimes)[key].push_back(seconds);
                bareTimes.push_back(run(bare, {}, plain));
            }
            if (!peerMissing.isEmpty())
                continue;
            const QStringList peerCommand = timew.command(round, index);
            const double seconds = run(timew.program, peerCommand, timew.environment);
            if (seconds < 0) {
                peerMissing = QStringLiteral("timew %1 failed").arg(peerCommand.join(u' '));
                continue;
            }
            peerTimes[key].push_back(seconds);
            if (const QStringList after = timew.after(round, index); !after.isEmpty())
                run(timew.program, after, timew.environment);
        }
    }

    const double bareMedian = median(bareTimes);
    const QStringList linked = qtLibraries(zol);
    print(QStringLiteral("zol loads %1\n\n")
              .arg(linked.isEmpty() ? QStringLiteral("(ldd could not tell)")
                                    : linked.join(QStringLiteral(", "))));
    for (int index = 0; index < commands.size(); ++index) {
        const QStringList& command = commands.at(index);
        const QString key = command.join(u' ');
        const double longMedian = median(longTimes[key]);
        report({shown(command) + QStringLiteral(": %1 sessions against %2")
                                     .arg(count(longHistory), count(shortHistory)),
                QStringLiteral("with %1 sessions").arg(count(longHistory)),
                QStringLiteral("with %1 sessions").arg(count(shortHistory)),
                {longMedian, median(shortTimes[key])},
                1.2,
                {}});
        report({shown(command) + QStringLiteral(": against a bare Qt program"),
                QStringLiteral("with %1 sessions").arg(count(longHistory)),
                QStringLiteral("a QCoreApplication that prints one line"),
                {longMedian, bareMedian},
                2.0,
                {}});
        if (!peerMissing.isEmpty()) {
            print(shown(command) + QStringLiteral(": against Timewarrior\n    skipped: ") +
                  peerMissing + QStringLiteral("\n\n"));
            continue;
        }
        const QStringList peerCommand = timew.command(0, index);
        report({shown(command) + QStringLiteral(": Zol's own work against Timewarrior"),
                QStringLiteral("zol with %1 sessions, less the bare Qt program")
                    .arg(count(longHistory)),
                QStringLiteral("timew %1 with %2 sessions")
                    .arg(peerCommand.isEmpty()
                             ? QStringLiteral("(its status)")
                             : peerCommand.first() + (peerCommand.first() == u"summary"
                                                          ? QStringLiteral(" :month")
                                                          : QString()),
                         count(longHistory)),
                {longMedian - bareMedian, median(peerTimes[key])},
                1.0,
                {}});
    }
    return 0;
}
