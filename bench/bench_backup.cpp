// Benchmarks of the daily backup over a long history (100,000 sessions), each
// judged against a baseline measured in the same run on the same disk:
//
//   1. A whole backup (pinning the books, copying them, checking the copy,
//      syncing it and renaming it into place) beside the sqlite3 shell's
//      ".backup" of the same file, process start included.
//   2. What the thread that writes waits for on the first change of a day
//      (the books pinned, the copy handed to a worker) beside the same save
//      on a day whose backup is there.
//
// Also shown, for reference: the integrity check of the copy alone. Every file
// lives in one temporary folder (set TMPDIR to measure another disk). The
// program exits 0 whatever the figures; only a failure to set up is an error.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "store/BackupCopy.h"
#include "store/BackupFiles.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"
#include "support/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

using namespace zol;
using namespace zol::bench;

const int history = sized(100'000, 1'000);
constexpr int historyDays = 5 * 365 + 1;

// A clock that stands still until moved; nothing here waits on it.
class StandingClock final : public Clock
{
public:
    explicit StandingClock(QDateTime now)
        : m_now(std::move(now))
    {}
    QDateTime now() const override { return m_now; }
    double monotonicSeconds() const override { return 0; }
    Timer after(double, QObject*, Callback) override { return {}; }
    Timer every(double, QObject*, Callback) override { return {}; }
    void nextDay() { m_now = m_now.addDays(1); }

private:
    QDateTime m_now;
};

QString checkOf(const QString& path)
{
    SQLiteDatabase copy(path, SQLiteDatabase::Mode::readOnly);
    SQLiteDatabase::Statement check = copy.prepare(QStringLiteral("PRAGMA quick_check;"));
    return check.step() ? check.text(0) : QString();
}

void benchWholeBackup(const QString& folder, const QString& books, const QString& sqlite3)
{
    const QString ours = folder + QStringLiteral("/ours.sqlite3");
    const QString theirs = folder + QStringLiteral("/theirs.sqlite3");
    auto copy = [&] {
        QFile::remove(ours);
        BackupCopy(books).write(ours);
    };
    auto shell = [&] {
        QFile::remove(theirs);
        QProcess process;
        process.start(sqlite3, {books, QStringLiteral(".backup '") + theirs + u'\''});
        if (!process.waitForFinished(120'000) || process.exitCode() != 0)
            throw Error(QStringLiteral("sqlite3 .backup failed: ") +
                        QString::fromLocal8Bit(process.readAllStandardError()));
    };
    copy();
    shell();
    const Timings t = measurePair(rounds(7), copy, shell);
    report({QStringLiteral("1. A backup of ") + count(history) + QStringLiteral(" sessions"),
            QStringLiteral("pinned, copied, checked, synced and renamed into place"),
            QStringLiteral("sqlite3 books \".backup FILE\" (a process of its own)"), t, 2.0,
            QStringLiteral("%1 bytes copied; the copy checks %2")
                .arg(count(QFileInfo(ours).size()), checkOf(ours))});

    std::vector<double> checks;
    for (int i = 0; i < rounds(7); ++i)
        checks.push_back(timeOnce([&] { checkOf(ours); }));
    const double check = median(checks);
    report({QStringLiteral("   of which the integrity check of the copy"),
            QStringLiteral("PRAGMA quick_check on the copy"),
            QStringLiteral("the whole backup"),
            {check, t.figure},
            1.0,
            {},
            false});
}

void benchWritersWait(const QString& folder, const QString& books, StandingClock& clock)
{
    // The store the app writes through, with the copies kept aside to be
    // written outside the timing, as a worker would.
    EntryStore store(books, clock);
    std::vector<StoreBackups::Job> pending;
    store.keepBackups(std::make_unique<StoreBackups>(
        books, clock, [&](StoreBackups::Job job) { pending.push_back(std::move(job)); },
        folder + QStringLiteral("/backups")));
    const QList<TimeEntry> recent = store.recentEntries(2);
    const TimeEntry entry = recent.first().endedAt ? recent.first() : recent.last();
    std::vector<double> first;
    std::vector<double> later;
    for (int i = 0; i < rounds(9); ++i) {
        clock.nextDay();
        first.push_back(timeOnce([&] { store.save(entry); }));
        later.push_back(timeOnce([&] { store.save(entry); }));
        for (StoreBackups::Job& job : pending)
            job();
        pending.clear();
    }
    report({QStringLiteral("2. The writer's wait on the first change of a day, ") + count(history) +
                QStringLiteral(" sessions"),
            QStringLiteral("a save that pins the books for the day's backup"),
            QStringLiteral("the same save once the day's backup is there"),
            {median(first), median(later)},
            3.0,
            QStringLiteral("the copy itself is written by a worker meanwhile")});
}

int run()
{
    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty())
        throw Error(QStringLiteral("the sqlite3 shell is not installed"));
    QTemporaryDir dir;
    if (!dir.isValid())
        throw Error(QStringLiteral("no temporary folder"));
    const QString books = dir.filePath(QStringLiteral("zol.sqlite3"));
    StandingClock clock(QDateTime(QDate(2026, 3, 2), QTime(9, 0), Qt::UTC));
    {
        EntryStore store(books, clock);
        StudioHistory(clock.now()).fill(store, history, historyDays);
        // Open elsewhere, as the tray app keeps the books while a copy is taken.
        benchWholeBackup(dir.path(), books, sqlite3);
    }
    benchWritersWait(dir.path(), books, clock);
    return 0;
}

} // namespace

int main()
{
    return zol::bench::runOrSay("bench_backup", run);
}
