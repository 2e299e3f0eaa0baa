// The command line as whole processes: `zol start`, `status`, `log --month`
// and `stop`, each run as the real binary in books of its own (temporary
// XDG folders), timed from the process's start to its end.
//
// Each command with a long history (100,000 sessions over ten years) is
// judged against the same command with a short one (100 sessions, a new
// user's first month; the long history ends with the same month, so both
// show the same sessions), at most 1.2x; and against a bare QCoreApplication
// that prints one line, at most 2.5x. All three are run in turn, round after
// round, so that the machine's load weighs on each alike; the figures are
// medians.
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

    std::map<QString, std::vector<double>> shortTimes;
    std::map<QString, std::vector<double>> longTimes;
    std::vector<double> bareTimes;
    const QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    for (int round = 0; round < repetitions; ++round) {
        // Which books go first alternates, and the bare program runs between.
        Books* first = round % 2 == 0 ? &shortBooks : &longBooks;
        Books* second = round % 2 == 0 ? &longBooks : &shortBooks;
        for (const QStringList& command : commands) {
            for (Books* books : {first, second}) {
                const double seconds = run(zol, command, books->environment);
                if (seconds < 0) {
                    print(shown(command) + QStringLiteral(" failed\n"));
                    return 1;
                }
                (books == &shortBooks ? shortTimes : longTimes)[command.join(u' ')].push_back(
                    seconds);
                bareTimes.push_back(run(bare, {}, plain));
            }
        }
    }

    const Timings bareTiming{median(bareTimes), median(bareTimes)};
    const QStringList linked = qtLibraries(zol);
    print(QStringLiteral("zol loads %1\n\n")
              .arg(linked.isEmpty() ? QStringLiteral("(ldd could not tell)")
                                    : linked.join(QStringLiteral(", "))));
    for (const QStringList& command : commands) {
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
                {longMedian, bareTiming.baseline},
                2.5,
                {}});
    }
    return 0;
}
