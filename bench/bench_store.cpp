// Benchmarks of the entry store, each judged against raw SQLite doing the same
// work on the same disk in the same run:
//
//   1. The reads of a timer start (the open session and the recent list) do not
//      get slower as the history grows.
//   2. A save is one durable commit and little else.
//   3. A search over all time costs a small multiple of scanning the same rows
//      for the same text in SQL.
//
// Every file lives in one temporary folder (set TMPDIR to measure another
// disk). The program exits 0 whatever the figures; only a failure to set up
// the measurements is an error.

#include "BenchSupport.h"
#include "RawSQLite.h"
#include "StudioHistory.h"
#include "records/SearchRange.h"
#include "records/TimeEntry.h"
#include "store/EntryRows.h"
#include "store/EntryStore.h"
#include "support/Clock.h"
#include "support/Timestamps.h"

#include <QStorageInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

using namespace zol;
using namespace zol::bench;

const int largeHistory = sized(100'000, 1'000);
constexpr int historyDays = 5 * 365 + 1;
// The small history of a new user, and one just big enough that the recent
// list is full (200 live rows), so that only the history's size differs.
constexpr int smallHistory = 100;
constexpr int smallHistoryDays = 30;
constexpr int fullListHistory = 250;
constexpr int fullListHistoryDays = 60;

// The first column of the first row of `sql` on the store's own connection.
QString storeValue(EntryStore& store, const QString& sql)
{
    SQLiteDatabase::Statement statement = store.database().prepare(sql);
    return statement.step() ? statement.text(0) : QString();
}

// --- 1. reads of a timer start --------------------------------------------------

// How often a timing repeats the reads of a timer start.
const int callsPerRun = sized(50, 2);

// What the tracker reads when a timer starts; the rows returned, as a checksum
// that also keeps the work from being optimised away.
qsizetype timerStartReads(EntryStore& store)
{
    const std::optional<TimeEntry> open = store.openEntry();
    return (open ? 1 : 0) + store.recentEntries(200).size();
}

void benchTimerStart(const QString& title, EntryStore& large, EntryStore& small, int smallSessions,
                     const QString& note, bool judged = true)
{
    qsizetype largeRows = 0;
    qsizetype smallRows = 0;
    auto run = [](EntryStore& store, qsizetype& rows) {
        return [&store, &rows] {
            for (int i = 0; i < callsPerRun; ++i)
                rows = timerStartReads(store);
        };
    };
    run(large, largeRows)();
    run(small, smallRows)();
    Timings t = measurePair(rounds(15), run(large, largeRows), run(small, smallRows));
    t.figure /= callsPerRun;
    t.baseline /= callsPerRun;
    report(
        {title,
         QStringLiteral("with %1 sessions (%2 rows read)").arg(count(largeHistory)).arg(largeRows),
         QStringLiteral("with %1 sessions (%2 rows read)").arg(count(smallSessions)).arg(smallRows),
         t, 1.2, note, judged});
}

// --- 2. one save, one durable commit -------------------------------------------

// A new finished session, as the tracker saves one when a timer stops.
TimeEntry newSession(const QDateTime& start)
{
    TimeEntry e;
    e.id = newUuid();
    e.machineName = QStringLiteral("sanne-mbp");
    e.startedAt = start;
    e.endedAt = start.addSecs(47 * 60);
    e.projectSerial = QStringLiteral("2417");
    e.projectName = QStringLiteral("Huisstijl");
    e.clientName = QStringLiteral("Café Noël");
    e.note = QStringLiteral("schetsen, overleg met klant");
    e.task = QStringLiteral("Ontwerp");
    e.createdAt = start;
    e.updatedAt = start;
    return e;
}

// The INSERT a program would write by hand with the C API: one statement
// compiled once, every column bound directly.
class RawInsert
{
public:
    explicit RawInsert(RawDatabase& db)
        : m_db(db)
        , m_statement(db.handle(), QStringLiteral("INSERT INTO entries (%1)\n"
                                                  "VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,"
                                                  "?12,?13,?14,?15,?16);")
                                       .arg(EntryRows::columns)
                                       .toUtf8())
    {}

    void insert(const TimeEntry& e)
    {
        sqlite3_stmt* s = m_statement.get();
        const QByteArray id = uuidText(e.id).toUtf8();
        const QByteArray machine = e.machineName.toUtf8();
        const QByteArray serial = e.projectSerial.toUtf8();
        const QByteArray name = e.projectName.toUtf8();
        const QByteArray client = e.clientName.toUtf8();
        const QByteArray note = e.note.toUtf8();
        const QByteArray task = e.task.toUtf8();
        bindText(1, id);
        bindText(2, machine);
        sqlite3_bind_double(s, 3, secondsSince1970(e.startedAt));
        sqlite3_bind_double(s, 4, secondsSince1970(*e.endedAt));
        sqlite3_bind_null(s, 5);
        sqlite3_bind_double(s, 6, e.pausedSeconds);
        bindText(7, serial);
        bindText(8, name);
        bindText(9, client);
        bindText(10, note);
        sqlite3_bind_int64(s, 11, e.isInternal ? 1 : 0);
        sqlite3_bind_null(s, 12);
        sqlite3_bind_double(s, 13, secondsSince1970(e.createdAt));
        sqlite3_bind_double(s, 14, secondsSince1970(e.updatedAt));
        sqlite3_bind_null(s, 15);
        bindText(16, task);
        m_db.finish(s);
        sqlite3_reset(s);
    }

private:
    void bindText(int index, const QByteArray& text)
    {
        sqlite3_bind_text(m_statement.get(), index, text.constData(), int(text.size()),
                          SQLITE_STATIC);
    }

    RawDatabase& m_db;
    RawStatement m_statement;
};

void benchSave(const QTemporaryDir& folder, const QDateTime& now)
{
    EntryStore store(folder.filePath(QStringLiteral("save.sqlite3")));
    const QString synchronous = storeValue(store, QStringLiteral("PRAGMA synchronous;"));
    const QStringList levels = {QStringLiteral("OFF"), QStringLiteral("NORMAL"),
                                QStringLiteral("FULL"), QStringLiteral("EXTRA")};
    const QString level = levels.value(synchronous.toInt(), QStringLiteral("?"));
    const QString journal = storeValue(store, QStringLiteral("PRAGMA journal_mode;"));

    // The same table, indexes included, in a file of its own.
    RawDatabase raw(folder.filePath(QStringLiteral("save-baseline.sqlite3")));
    raw.execute("PRAGMA journal_mode = WAL;");
    raw.execute("PRAGMA synchronous = FULL;");
    {
        SQLiteDatabase::Statement schema = store.database().prepare(
            QStringLiteral("SELECT sql FROM sqlite_master WHERE tbl_name = 'entries' "
                           "AND sql IS NOT NULL ORDER BY type DESC;"));
        while (schema.step())
            raw.execute(schema.text(0).toUtf8());
    }
    RawInsert baseline(raw);

    const int saves = sized(120, 4);
    std::vector<double> storeTimes;
    std::vector<double> rawTimes;
    QDateTime start = now.addDays(-1);
    for (int i = 0; i < saves + 4; ++i) {
        const TimeEntry a = newSession(start);
        const TimeEntry b = newSession(start);
        start = start.addSecs(3600);
        double storeTime = 0;
        double rawTime = 0;
        if (i % 2 == 0) {
            storeTime = timeOnce([&] { store.save(a); });
            rawTime = timeOnce([&] { baseline.insert(b); });
        } else {
            rawTime = timeOnce([&] { baseline.insert(b); });
            storeTime = timeOnce([&] { store.save(a); });
        }
        if (i >= 4) { // the first commits also create the WAL files
            storeTimes.push_back(storeTime);
            rawTimes.push_back(rawTime);
        }
    }
    const Timings t{median(storeTimes), median(rawTimes)};
    report({QStringLiteral("2. One save: EntryStore::save of a new session"),
            QStringLiteral("store (its connection: PRAGMA synchronous = %1 (%2), "
                           "journal_mode = %3)")
                .arg(synchronous, level, journal),
            QStringLiteral("raw INSERT in autocommit, WAL, synchronous = FULL (2)"), t, 2.0,
            QStringLiteral("median of %1 commits each, alternating").arg(saves)});
}

// --- 3. search over all time ----------------------------------------------------

// The plain SQL scan: the same rows tested for the same (lower-cased) text by
// SQLite itself, every column of each hit read out.
qsizetype sqlSearch(RawDatabase& db, const QByteArray& query)
{
    const QByteArray sql = QStringLiteral("SELECT %1 FROM entries WHERE deleted_at IS NULL AND ("
                                          "instr(lower(project_serial), ?1) OR "
                                          "instr(lower(client_name), ?1) OR "
                                          "instr(lower(project_name), ?1) OR "
                                          "instr(lower(note), ?1) OR "
                                          "instr(lower(machine_name), ?1)) "
                                          "ORDER BY started_at DESC;")
                               .arg(EntryRows::columns)
                               .toUtf8();
    RawStatement statement(db.handle(), sql);
    sqlite3_stmt* s = statement.get();
    sqlite3_bind_text(s, 1, query.constData(), int(query.size()), SQLITE_STATIC);
    qsizetype rows = 0;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        ++rows;
        const int columns = sqlite3_column_count(s);
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(s, c) == SQLITE_TEXT) {
                sqlite3_column_text(s, c);
                sqlite3_column_bytes(s, c);
            } else {
                sqlite3_column_double(s, c);
            }
        }
    }
    if (rc != SQLITE_DONE)
        throw Error(QString::fromUtf8(sqlite3_errmsg(db.handle())));
    return rows;
}

void benchSearch(EntryStore& store, RawDatabase& raw, const QString& query, const QString& what,
                 const QDateTime& now, const QString& title)
{
    qsizetype storeHits = 0;
    qsizetype sqlHits = 0;
    auto storeSearch = [&] {
        storeHits =
            store.search(query, SearchRange::all, now, std::numeric_limits<int>::max()).size();
    };
    auto baseline = [&] { sqlHits = sqlSearch(raw, query.toLower().toUtf8()); };
    storeSearch();
    baseline();
    const Timings t = measurePair(rounds(7), storeSearch, baseline);
    report({title + QStringLiteral(": search(\"%1\", all time), %2").arg(query, what),
            QStringLiteral("store, %1 sessions found").arg(count(storeHits)),
            QStringLiteral("SQL instr(lower(…)) scan, %1 rows found").arg(count(sqlHits)),
            t,
            5.0,
            {}});
}

int run()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        throw Error(QStringLiteral("No temporary folder: ") + folder.errorString());
    const QStorageInfo disk(folder.path());
    print(QStringLiteral(
              "Entry store benchmarks · SQLite %1 · Qt %2\n"
              "Files in %3 (%4 on %5). Figures are medians; ratio = figure / baseline.\n\n")
              .arg(QString::fromUtf8(sqlite3_libversion()), QString::fromUtf8(qVersion()),
                   folder.path(), QString::fromUtf8(disk.fileSystemType()),
                   QString::fromUtf8(disk.device())));

    const QDateTime now(Clock::system().now().date(), QTime(16, 0), Qt::UTC);

    QElapsedTimer setup;
    setup.start();
    EntryStore large(folder.filePath(QStringLiteral("large.sqlite3")));
    EntryStore small(folder.filePath(QStringLiteral("small.sqlite3")));
    EntryStore fullList(folder.filePath(QStringLiteral("full-list.sqlite3")));
    StudioHistory(now).fill(large, largeHistory, historyDays);
    StudioHistory(now).fill(small, smallHistory, smallHistoryDays);
    StudioHistory(now).fill(fullList, fullListHistory, fullListHistoryDays);
    print(QStringLiteral("Set-up: histories of %1 sessions over %2 days, %3 over %4 days and %5 "
                         "over %6 days saved in %7.\n\n")
              .arg(count(largeHistory))
              .arg(historyDays)
              .arg(smallHistory)
              .arg(smallHistoryDays)
              .arg(fullListHistory)
              .arg(fullListHistoryDays)
              .arg(duration(double(setup.nsecsElapsed()) * 1e-9)));

    benchTimerStart(QStringLiteral("1a. Timer start: openEntry() + recentEntries(200)"), large,
                    small, smallHistory,
                    QStringLiteral("the small history has fewer than 200 live sessions, so its "
                                   "reads return half the rows: the cost per row, not the size "
                                   "of the history, makes this ratio; 1b is the judged "
                                   "measurement"),
                    false);
    benchTimerStart(QStringLiteral("1b. Timer start, both recent lists full"), large, fullList,
                    fullListHistory, {});

    // Usually nothing runs when a timer starts: then the open session must be
    // found missing without walking the history.
    for (EntryStore* store : {&large, &fullList})
        store->database().run(QStringLiteral(
            "UPDATE entries SET ended_at = started_at + 1500 WHERE ended_at IS NULL;"));
    benchTimerStart(QStringLiteral("1c. Timer start with nothing running, both recent lists full"),
                    large, fullList, fullListHistory, {});

    benchSave(folder, now);

    RawDatabase raw(large.path());
    benchSearch(large, raw, QString::fromLatin1(StudioHistory::rareWord),
                QStringLiteral("few hits"), now, QStringLiteral("3a. Search"));
    benchSearch(large, raw, QString::fromLatin1(StudioHistory::commonWord),
                QStringLiteral("many hits"), now, QStringLiteral("3b. Search"));

    // A Mac names itself "Sanne’s MacBook Pro", typographic apostrophe and all:
    // then no session's text is plain ASCII.
    raw.execute(
        QStringLiteral("UPDATE entries SET machine_name = 'Sanne’s MacBook Pro';").toUtf8());
    benchSearch(large, raw, QString::fromLatin1(StudioHistory::rareWord),
                QStringLiteral("few hits, every machine name “Sanne’s MacBook Pro”"), now,
                QStringLiteral("3c. Search"));
    return 0;
}

} // namespace

int main()
{
    return zol::bench::runOrSay("bench_store", run);
}
