// Benchmarks of the studio folder sync, on a studio of 50 machines that share
// 100 projects each (every one of its 64 shard files written, plus the meta,
// task and legacy files), each judged against plain file-system work on the
// same tree in the same run:
//
//   1. A pass that finds nothing new costs a small multiple of listing the
//      tree with modification times and sizes, and reads and writes no file.
//   2. The first pass of a new instance, which reads and merges everything
//      and publishes this machine's own files, costs a small multiple of
//      reading the same files' bytes.
//
// Every file lives in one temporary folder (set TMPDIR to measure another
// disk). The program exits 0 whatever the figures; only a failure to set up
// the measurements is an error.

#include "BenchSupport.h"
#include "books/TaskList.h"
#include "files/FileSystem.h"
#include "formats/StudioFolder.h"
#include "records/Project.h"
#include "share/SharedFolderSync.h"
#include "store/EntryStore.h"
#include "support/Clock.h"
#include "support/Timestamps.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace zol;
using namespace zol::bench;

const int peerCount = sized(50, 3);
// At least one per shard: every peer writes all of them.
const int projectsPerPeer = sized(100, SharedFolderSync::shardCount);
constexpr int readerProjects = 5;

// The real time, some way ahead. The machine under test must not see the
// files it lists as just written: a stamp that fresh is deliberately not
// trusted, and the file would be read again on every pass.
class AheadClock final : public Clock
{
public:
    explicit AheadClock(double seconds)
        : m_seconds(seconds)
    {}

    QDateTime now() const override
    {
        return Clock::system().now().addMSecs(qint64(m_seconds * 1000));
    }
    double monotonicSeconds() const override
    {
        return Clock::system().monotonicSeconds() + m_seconds;
    }
    Timer after(double, QObject*, Callback) override { return {}; }
    Timer every(double, QObject*, Callback) override { return {}; }

private:
    double m_seconds;
};

// The machine's own file system, counting the files read and written through
// it, every other change (renames, removals, new folders) besides, and the
// time spent reading and changing.
class MeteredFileSystem final : public FileSystem
{
public:
    // list() and read() are const in the interface, hence `mutable`.
    mutable int reads = 0;
    int filesWritten = 0;
    // Every change: files written, renames, removals, folders created.
    int writes = 0;
    mutable int listings = 0;
    mutable double readSeconds = 0;
    double writeSeconds = 0;

    void reset()
    {
        reads = filesWritten = writes = listings = 0;
        readSeconds = writeSeconds = 0;
    }

    bool exists(const QString& path) const override { return m_inner.exists(path); }
    bool isFolder(const QString& path) const override { return m_inner.isFolder(path); }
    bool isLink(const QString& path) const override { return m_inner.isLink(path); }
    void createFolder(const QString& path) override
    {
        if (!m_inner.isFolder(path))
            ++writes;
        m_inner.createFolder(path);
    }
    QList<Entry> list(const QString& folder) const override
    {
        ++listings;
        return m_inner.list(folder);
    }
    QByteArray read(const QString& path, qint64 maxSize) const override
    {
        ++reads;
        QByteArray bytes;
        readSeconds += timeOnce([&] { bytes = m_inner.read(path, maxSize); });
        return bytes;
    }
    void writeAtomically(const QString& path, const QByteArray& bytes) override
    {
        ++filesWritten;
        write([&] { m_inner.writeAtomically(path, bytes); });
    }
    void writeNew(const QString& path, const QByteArray& bytes) override
    {
        ++filesWritten;
        write([&] { m_inner.writeNew(path, bytes); });
    }
    void replace(const QString& target, const QString& replacement) override
    {
        write([&] { m_inner.replace(target, replacement); });
    }
    void move(const QString& from, const QString& to) override
    {
        write([&] { m_inner.move(from, to); });
    }
    void remove(const QString& path) override
    {
        write([&] { m_inner.remove(path); });
    }
    void setHidden(const QString& path) override { m_inner.setHidden(path); }

private:
    // Counted whether or not it succeeds, and timed either way.
    template <typename Work> void write(Work&& work)
    {
        ++writes;
        QElapsedTimer timer;
        timer.start();
        try {
            work();
        } catch (...) {
            writeSeconds += double(timer.nsecsElapsed()) * 1e-9;
            throw;
        }
        writeSeconds += double(timer.nsecsElapsed()) * 1e-9;
    }

    FileSystem& m_inner = FileSystem::local();
};

// --- the studio ----------------------------------------------------------------

// Numbers as a studio hands them out ("240001", "240002", …), each machine
// taking 100 of them such that every one of the 64 shards holds at least one:
// a number that would leave a shard empty is skipped.
std::vector<QStringList> studioNumbers()
{
    std::vector<QStringList> numbers(peerCount);
    int next = 240'001;
    for (QStringList& own : numbers) {
        std::array<bool, SharedFolderSync::shardCount> filled = {};
        int empty = SharedFolderSync::shardCount;
        while (own.size() < projectsPerPeer) {
            const QString number = QString::number(next++);
            const int shard = SharedFolderSync::shardIndex(number);
            if (filled[shard] && empty >= projectsPerPeer - own.size())
                continue;
            if (!filled[shard]) {
                filled[shard] = true;
                --empty;
            }
            own.append(number);
        }
    }
    return numbers;
}

QList<Project> projectsFor(const QStringList& numbers, const QDateTime& now, int seed)
{
    static const QStringList clients = {
        QStringLiteral("Gemeente Utrecht"), QStringLiteral("Café Noël"),
        QStringLiteral("Rijksmuseum"),      QStringLiteral("Van Dijk Architecten"),
        QStringLiteral("Bakkerij Bloem"),   QStringLiteral("Stichting Ørsted"),
        QStringLiteral("Hoogvliet"),        QStringLiteral("De Groene Fiets")};
    static const QStringList kinds = {
        QStringLiteral("Huisstijl"),   QStringLiteral("Website"),   QStringLiteral("Jaarverslag"),
        QStringLiteral("Campagne"),    QStringLiteral("Verpakking"), QStringLiteral("Signing"),
        QStringLiteral("Magazine"),    QStringLiteral("Tentoonstelling")};
    QList<Project> projects;
    for (int i = 0; i < numbers.size(); ++i) {
        const int k = seed * 131 + i * 17;
        Project p;
        p.serial = numbers[i];
        p.name = kinds[k % kinds.size()] + QStringLiteral(" %1").arg(2024 + k % 3);
        p.clientName = clients[(k / 7) % clients.size()];
        p.isActive = k % 5 != 0; // one in five archived, edited recently enough to travel
        p.createdAt = now.addDays(-30 - (k % 300));
        p.updatedAt = now.addDays(-(k % 30));
        projects.append(p);
    }
    return projects;
}

// Writes the 50 peers as real machines would, each with one pass of its own.
// Each passes in a studio folder of its own, so that it publishes only its own
// 100 projects; its folder and legacy file are then moved into the studio.
void writePeers(const QString& studio, const QString& staging, const QDateTime& now)
{
    const std::vector<QStringList> numbers = studioNumbers();
    const QString peers = StudioFolder::container(studio) + QStringLiteral("/peers");
    QDir().mkpath(peers);
    for (int i = 0; i < peerCount; ++i) {
        const QString id = uuidText(newUuid());
        const QString name = QStringLiteral("studio-mac-%1").arg(i + 1, 2, 10, QChar(u'0'));
        const QString own = staging + QStringLiteral("/peer-%1").arg(i);
        QDir().mkpath(own);
        std::unique_ptr<EntryStore> store = EntryStore::inMemory();
        store->mergeProjects(projectsFor(numbers[size_t(i)], now, i));
        store->saveTaskList(TaskList(
            true, {QStringLiteral("Ontwerp"), QStringLiteral("Overleg"), QStringLiteral("Productie")},
            now.addSecs(i)));
        SharedFolderSync sync(*store, own, id, name, FileSystem::local());
        const SharedFolderSync::Summary summary = sync.sync();
        if (summary.shardsWritten != SharedFolderSync::shardCount)
            throw Error(QStringLiteral("%1 wrote %2 shards").arg(name).arg(summary.shardsWritten));
        const QString from = StudioFolder::container(own) + QStringLiteral("/peers/");
        for (const QString& entry : QStringList{id, id + QStringLiteral(".json")}) {
            if (!QDir().rename(from + entry, peers + u'/' + entry))
                throw Error(QStringLiteral("Could not move %1 into the studio").arg(entry));
        }
    }
}

// --- baselines -------------------------------------------------------------------

// What `find <folder> -printf '%T@ %s\n'` does, in this process: every entry
// below the folder listed, with its modification time and size.
struct Walk
{
    qint64 entries = 0;
    qint64 checksum = 0;
};

void walk(int parent, const char* name, Walk& result)
{
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR* folder = ::fdopendir(fd);
    if (!folder) {
        ::close(fd);
        return;
    }
    while (const dirent* item = ::readdir(folder)) {
        const char* child = item->d_name;
        if (child[0] == '.' && (child[1] == '\0' || (child[1] == '.' && child[2] == '\0')))
            continue;
        struct stat info = {};
        if (::fstatat(fd, child, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        ++result.entries;
        result.checksum += info.st_mtim.tv_sec + info.st_mtim.tv_nsec + info.st_size;
        if (S_ISDIR(info.st_mode))
            walk(fd, child, result);
    }
    ::closedir(folder);
}

Walk walkTree(const QByteArray& folder)
{
    Walk result;
    walk(AT_FDCWD, folder.constData(), result);
    return result;
}

// Every byte of the files, as `cat` reads them: open, read to the end through
// one buffer, close.
qint64 readAll(const std::vector<QByteArray>& paths)
{
    static std::vector<char> buffer(128 * 1024);
    qint64 total = 0;
    for (const QByteArray& path : paths) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw Error(QStringLiteral("Could not open ") + QFile::decodeName(path));
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n <= 0)
                break;
            total += n;
        }
        ::close(fd);
    }
    return total;
}

// Runs a program to its end, its output discarded.
void runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        throw Error(program + QStringLiteral(" failed: ") + process.errorString());
}

// The medians of `repetitions` timings of each piece of work. Before each
// round `prepare` runs untimed; within a round the works take turns going
// first, so that drift favours none of them.
template <size_t N>
std::array<double, N> measureRounds(int repetitions, const std::function<void()>& prepare,
                                    const std::array<std::function<void()>, N>& works)
{
    std::array<std::vector<double>, N> samples;
    for (int round = 0; round < repetitions; ++round) {
        prepare();
        for (size_t k = 0; k < N; ++k) {
            const size_t which = (size_t(round) + k) % N;
            samples[which].push_back(timeOnce(works[which]));
        }
    }
    std::array<double, N> medians = {};
    for (size_t k = 0; k < N; ++k)
        medians[k] = median(std::move(samples[k]));
    return medians;
}

// --- the machine under test ------------------------------------------------------

struct Reader
{
    std::unique_ptr<EntryStore> store;
    std::unique_ptr<SharedFolderSync> sync;
};

Reader newReader(const QString& studio, const QString& id, MeteredFileSystem& files,
                 const Clock& clock)
{
    Reader reader;
    reader.store = EntryStore::inMemory(clock);
    const QDateTime now = clock.now();
    for (int i = 0; i < readerProjects; ++i) {
        Project p;
        p.serial = QStringLiteral("R%1").arg(i + 1);
        p.name = QStringLiteral("Pitch %1").arg(i + 1);
        p.clientName = QStringLiteral("Museum Boijmans");
        p.createdAt = now.addDays(-10);
        p.updatedAt = now.addDays(-1);
        reader.store->addManualProject(p);
    }
    reader.sync = std::make_unique<SharedFolderSync>(*reader.store, studio, id,
                                                     QStringLiteral("reader"), files, clock);
    return reader;
}

QString summaryText(const SharedFolderSync::Summary& s)
{
    return QStringLiteral("%1 peers, %2 shards read, %3 unchanged, %4 legacy files, "
                          "%5 projects received, %6 shared, %7 shards written, %8 skipped")
        .arg(s.peersSeen)
        .arg(count(s.shardsRead))
        .arg(count(s.shardsUnchanged))
        .arg(s.legacyPeers)
        .arg(count(s.projectsReceived))
        .arg(count(s.projectsShared))
        .arg(s.shardsWritten)
        .arg(s.filesSkipped);
}

// --- 1. the idle pass ------------------------------------------------------------

void benchIdle(const QString& studio, const QString& id, MeteredFileSystem& files,
               const Clock& clock)
{
    Reader reader = newReader(studio, id, files, clock);
    reader.sync->sync();
    reader.sync->sync();

    const QString peers = StudioFolder::container(studio) + QStringLiteral("/peers");
    const QByteArray nativePeers = QFile::encodeName(peers);
    const Walk tree = walkTree(nativePeers);

    files.reset();
    const SharedFolderSync::Summary idle = reader.sync->sync();
    const int reads = files.reads;
    const int writes = files.writes;
    const int listings = files.listings;
    const int written = files.filesWritten;

    const std::array<double, 3> t = measureRounds<3>(
        rounds(21), [] {},
        {[&] { reader.sync->sync(); }, [&] { walkTree(nativePeers); },
         [&] { runProgram(QStringLiteral("find"), {peers, QStringLiteral("-printf"),
                                                   QStringLiteral("%T@ %s\\n")}); }});

    const QString figure = QStringLiteral("sync() with nothing changed: %1 files read, %2 written, "
                                          "%3 other changes, %4 folders listed")
                               .arg(reads)
                               .arg(written)
                               .arg(writes - written)
                               .arg(listings);
    report({QStringLiteral("1a. Idle pass over %1 peers against listing the tree in-process")
                .arg(peerCount),
            figure,
            QStringLiteral("opendir/readdir/fstatat walk of .zol/peers, %1 entries")
                .arg(count(tree.entries)),
            {t[0], t[1]},
            3.0,
            summaryText(idle),
            false});
    // The target is set against find, as a command: that is the plain listing
    // a person would time. The walk in-process above is the stricter reference.
    report({QStringLiteral("1b. Idle pass against `find -printf '%T@ %s\\n'`"),
            figure,
            QStringLiteral("find as a separate process (its start-up included)"),
            {t[0], t[2]},
            3.0,
            {}});
    if (reads != 0 || writes != 0)
        print(QStringLiteral("    The idle pass touched the share: %1 files read, %2 changes.\n\n")
                  .arg(reads)
                  .arg(writes));
}

// --- 2. the first pass -----------------------------------------------------------

void benchFirstPass(const QString& studio, const QString& id, MeteredFileSystem& files,
                    const Clock& clock)
{
    // What the first pass reads: everything of the other machines.
    const QString peers = StudioFolder::container(studio) + QStringLiteral("/peers");
    std::vector<QByteArray> paths;
    qint64 bytes = 0;
    for (const FileSystem::Entry& entry : FileSystem::local().list(peers)) {
        if (entry.name == id || entry.name == id + QStringLiteral(".json"))
            continue;
        const QString path = peers + u'/' + entry.name;
        if (!entry.isFolder) {
            paths.push_back(QFile::encodeName(path));
            bytes += entry.size;
            continue;
        }
        for (const FileSystem::Entry& file : FileSystem::local().list(path)) {
            paths.push_back(QFile::encodeName(path + u'/' + file.name));
            bytes += file.size;
        }
    }
    QStringList catArguments;
    for (const QByteArray& path : paths)
        catArguments.append(QFile::decodeName(path));

    // A new instance over a new store each round, this machine's files from
    // the round before in place; the first round also writes them for the
    // first time, so it is left out.
    Reader reader;
    const auto prepare = [&] {
        reader.sync.reset();
        reader.store.reset();
        reader = newReader(studio, id, files, clock);
        files.reset();
    };
    prepare();
    reader.sync->sync();
    files.reset();

    SharedFolderSync::Summary first;
    std::vector<double> reading;
    std::vector<double> writing;
    const std::array<double, 3> t = measureRounds<3>(
        rounds(9),
        [&] {
            if (files.reads > 0) {
                reading.push_back(files.readSeconds);
                writing.push_back(files.writeSeconds);
            }
            prepare();
        },
        {[&] { first = reader.sync->sync(); }, [&] { readAll(paths); },
         [&] { runProgram(QStringLiteral("cat"), catArguments); }});
    reading.push_back(files.readSeconds);
    writing.push_back(files.writeSeconds);
    const int reads = files.reads;
    const int written = files.filesWritten;

    const QString figure =
        QStringLiteral("first sync() of a new instance and store: %1 files read, %2 written")
            .arg(count(reads))
            .arg(written);
    const QString note =
        summaryText(first)
        + QStringLiteral(";\n              of the pass, median %1 in FileSystem::read and %2 in "
                         "writing this machine's own files")
              .arg(duration(median(reading)), duration(median(writing)));
    report({QStringLiteral("2a. First pass over %1 peers against reading their files in-process")
                .arg(peerCount),
            figure,
            QStringLiteral("open+read+close of the same %1 files, %2 bytes")
                .arg(count(qint64(paths.size())), count(bytes)),
            {t[0], t[1]},
            3.0,
            note,
            false});
    // Judged against cat, as a command, like the idle pass against find.
    report({QStringLiteral("2b. First pass against `cat` of the same files"),
            figure,
            QStringLiteral("cat as a separate process, output to /dev/null"),
            {t[0], t[2]},
            3.0,
            {}});
}

int run()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        throw Error(QStringLiteral("No temporary folder: ") + folder.errorString());
    const QStorageInfo disk(folder.path());
    print(QStringLiteral("Studio folder sync benchmarks · Qt %1\n"
                         "Files in %2 (%3 on %4). Figures are medians; ratio = figure / "
                         "baseline.\n\n")
              .arg(QString::fromUtf8(qVersion()), folder.path(),
                   QString::fromUtf8(disk.fileSystemType()), QString::fromUtf8(disk.device())));

    const QString studio = folder.filePath(QStringLiteral("studio"));
    QElapsedTimer setup;
    setup.start();
    writePeers(studio, folder.filePath(QStringLiteral("staging")), Clock::system().now());
    print(QStringLiteral("Set-up: %1 peers with %2 projects each (every shard used) wrote their "
                         "files in %3.\n\n")
              .arg(peerCount)
              .arg(projectsPerPeer)
              .arg(duration(double(setup.nsecsElapsed()) * 1e-9)));

    // A minute on: nothing the peers wrote is fresh any more.
    const AheadClock clock(60);
    MeteredFileSystem files;
    const QString id = uuidText(newUuid());
    benchIdle(studio, id, files, clock);
    benchFirstPass(studio, id, files, clock);
    return 0;
}

} // namespace

int main()
{
    return zol::bench::runOrSay("bench_share", run);
}
