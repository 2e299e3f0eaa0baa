// The studio's analytics read at the size of a big studio: 200 people who have
// each handed in a year of week and month timesheets (about 1,500 sessions a
// person, every session twice: some 12,000 files, 100 MB).
//
// Judged:
// - wall time of StudioHours::read (list the folders, read and parse every
//   file on every core, count each session once, sort) beside a real `cat`
//   of the same files (xargs handing it the list in batches, output to
//   /dev/null): at most 3 times as long. Both are measured with the files in
//   the page cache (each side runs once before it is timed); a cold read
//   depends on the disk, not on us.
// - peak memory of the read, taken as the peak resident size (VmHWM) of this
//   program run again as a child that does nothing but the read: at most 3
//   times the files' total size. (Not wait4's ru_maxrss: Linux carries the
//   high-water mark of the memory a child had before exec over into it, and a
//   child spawned from this process starts with all of this process's.)
// - the read beside the CSV reader alone reading the same files one after
//   another on one thread (open, read, decode, parse): at least two thirds
//   of its throughput.
// Reading the bytes alone in this process is shown for reference.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "formats/CSVReader.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "reports/StudioHours.h"
#include "share/AutoUpload.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace zol;
using namespace zol::bench;

const int peopleCount = sized(200, 3);
constexpr int days = 365;
const int sessionsPerPerson = sized(1'500, 100);
// The last day of the year of timesheets.
const QDateTime historyEnd(QDate(2026, 12, 31), QTime(16, 0), Qt::UTC);

// The child's mode: read the studio folder given after it, write its own
// peak resident size in bytes to the file given last, and exit.
constexpr const char* readOnlyMode = "--read-only";
// The child's mode for its own size at rest: the same without the read.
constexpr const char* idleMode = "--idle";
// For profiling the read alone: writes the studio into the folder given after
// it, to be read in the mode above (under perf, say).
constexpr const char* writeMode = "--write-studio";

// Writes every person's week and month timesheets; returns the files' paths.
QStringList writeStudio(const QString& studio, const QDateTime& now, const Calendar& calendar)
{
    FileSystem& files = FileSystem::local();
    QStringList paths;
    for (int p = 0; p < peopleCount; ++p) {
        const QString person = QStringLiteral("Person %1").arg(p + 1);
        const QString machine =
            QStringLiteral("%1-0000-4000-8000-000000000000").arg(p, 8, 10, QChar(u'0'));
        const QString folder = TimesheetFolder::resolve(files, studio, person, machine, now).folder;
        QHash<TimesheetPeriod, QList<TimeEntry>> sheets;
        StudioHistory(now).generate(sessionsPerPerson, days, [&](const TimeEntry& entry) {
            if (!AutoUpload::shouldSend(entry))
                return;
            for (TimesheetPeriod::Kind kind : TimesheetPeriod::uploadedKinds())
                sheets[TimesheetPeriod(kind, entry.startedAt, calendar)].append(entry);
        });
        for (auto it = sheets.cbegin(); it != sheets.cend(); ++it) {
            files.createFolder(Timesheet::folder(folder, it.key()));
            const QString path = Timesheet::file(folder, it.key());
            files.writeNew(path, Timesheet(it.key(), person, it.value()).csv(now).toUtf8());
            paths.append(path);
        }
    }
    return paths;
}

QString megabytesPerSecond(qint64 bytes, double seconds)
{
    return QString::number(seconds > 0 ? double(bytes) / 1e6 / seconds : 0, 'f', 1) +
           QStringLiteral(" MB/s");
}

QString megabytes(double bytes)
{
    return QString::number(bytes / 1e6, 'f', 1) + QStringLiteral(" MB");
}

struct ChildRun
{
    double seconds = 0;
    bool succeeded = false;
};

// Runs `argv` as a child process, its input read from `input` (none: the
// parent's), its output thrown away, and waits for it.
ChildRun runChild(const std::vector<std::string>& argv, const char* input = nullptr)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input)
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error(std::string("cannot start ") + argv[0] + ": " +
                                 std::strerror(spawned));
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.seconds = double(timer.nsecsElapsed()) * 1e-9;
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

std::string ownPath()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        throw std::runtime_error("cannot find this program's own file");
    return std::string(path, size_t(length));
}

// This process's peak resident size so far, in bytes.
double ownPeak()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024;
    }
    return 0;
}

// The peak of this program run as a child in `mode`, as it reports it.
double childPeak(const std::vector<std::string>& argv, const QString& report)
{
    if (!runChild(argv).succeeded)
        throw std::runtime_error("the read on its own failed");
    QFile file(report);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toDouble() : 0;
}

// The largest peak of a few runs of the read alone, and of the program at
// rest: runs differ by a few pages only.
std::pair<double, double> peakMemory(const QString& studio, const QString& report)
{
    const std::string self = ownPath();
    const std::string reportName = QFile::encodeName(report).toStdString();
    double read = 0;
    double idle = 0;
    for (int i = 0; i < rounds(3); ++i) {
        read = std::max(read,
                        childPeak({self, readOnlyMode, studio.toStdString(), reportName}, report));
        idle = std::max(idle, childPeak({self, idleMode, reportName}, report));
    }
    return {read, idle};
}

// The child's side: the read (or nothing), then its peak into `report`.
int reportPeak(const char* studio, const char* report)
{
    if (studio && StudioHours::read(QFile::decodeName(studio), FileSystem::local(), Clock::system())
                      .isEmpty())
        return 1;
    QFile file(QFile::decodeName(report));
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray::number(ownPeak(), 'f', 0)) > 0
               ? 0
               : 1;
}

int runBench()
{
    const Calendar calendar;
    QTemporaryDir studio;
    if (!studio.isValid())
        return 1;
    const QStringList paths = writeStudio(studio.path(), historyEnd, calendar);

    // cat is handed the files through xargs, as one list separated by NULs.
    const QString list = studio.filePath(QStringLiteral("files.list"));
    {
        QFile file(list);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        for (const QString& path : paths)
            file.write(QFile::encodeName(path) + '\0');
    }
    const QByteArray listName = QFile::encodeName(list);

    qint64 bytes = 0;
    qsizetype records = 0;
    const auto readStudio = [&] {
        records = StudioHours::read(studio.path(), FileSystem::local(), Clock::system(), calendar)
                      .records.size();
    };
    const auto cat = [&] {
        if (!runChild({"xargs", "-0", "cat"}, listName.constData()).succeeded)
            throw std::runtime_error("xargs cat failed");
    };
    const auto readBytes = [&] {
        bytes = 0;
        for (const QString& path : paths) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll().size();
        }
    };
    qsizetype rows = 0;
    const auto parseFiles = [&] {
        rows = 0;
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString text = decoder(file.readAll());
            rows += CSVReader::parse(text).rows.size();
        }
    };

    // Warm: every file in the page cache, and the read's code paged in.
    readBytes();
    cat();
    readStudio();

    const QString size = QStringLiteral("%1 people, %2 timesheet files, %3, %4 cores")
                             .arg(peopleCount)
                             .arg(count(paths.size()))
                             .arg(megabytes(double(bytes)))
                             .arg(QThread::idealThreadCount());
    const Timings againstCat = measurePair(rounds(5), readStudio, cat);
    report(
        {QStringLiteral("Studio hours against cat: ") + size + QStringLiteral(", page cache warm"),
         QStringLiteral("StudioHours::read (list, parse, count each session once)"),
         QStringLiteral("xargs -0 cat of the same files > /dev/null"), againstCat, 3,
         QStringLiteral("%1 sessions; %2 against %3")
             .arg(count(records), megabytesPerSecond(bytes, againstCat.figure),
                  megabytesPerSecond(bytes, againstCat.baseline))});

    const auto [peak, idle] =
        peakMemory(studio.path(), studio.filePath(QStringLiteral("peak.txt")));
    report({QStringLiteral("Studio hours' peak memory against the files' size"),
            QStringLiteral("peak resident size (VmHWM) of the read alone, in a process of its own"),
            QStringLiteral("the timesheets' total size"),
            {peak, double(bytes)},
            3,
            QStringLiteral("the same program at rest: %1").arg(megabytes(idle)),
            true,
            [](double value) { return megabytes(value); }});

    const Timings timings = measurePair(rounds(5), readStudio, parseFiles);
    report({QStringLiteral("Studio hours against the CSV reader alone"),
            QStringLiteral("StudioHours::read"),
            QStringLiteral("CSVReader::parse of every file in turn (open, read, decode, parse)"),
            timings, 1.5,
            QStringLiteral("%1 sessions from %2 rows; %3 against %4 (target: at least two thirds)")
                .arg(count(records), count(rows), megabytesPerSecond(bytes, timings.figure),
                     megabytesPerSecond(bytes, timings.baseline))});
    const Timings raw = measurePair(rounds(5), readStudio, readBytes);
    report(
        {QStringLiteral("Studio hours beside the bare bytes"), QStringLiteral("StudioHours::read"),
         QStringLiteral("open and read every timesheet's bytes in this process"), raw, 1,
         QStringLiteral("%1 against %2")
             .arg(megabytesPerSecond(bytes, raw.figure), megabytesPerSecond(bytes, raw.baseline)),
         false});
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], readOnlyMode) == 0)
        return reportPeak(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], idleMode) == 0)
        return reportPeak(nullptr, argv[2]);
    if (argc == 3 && std::strcmp(argv[1], writeMode) == 0) {
        writeStudio(QFile::decodeName(argv[2]), historyEnd, Calendar());
        return 0;
    }
    return runOrSay("bench_studio", runBench);
}
