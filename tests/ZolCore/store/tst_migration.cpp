// Opening older database files: every shape between the first releases and
// today must reach the current schema, keep every session, and do its one-off
// corrections exactly once.

#include "Builders.h"
#include "FakeClock.h"
#include "store/EntryStore.h"
#include "support/Timestamps.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

const QStringList currentEntryColumns =
    QStringLiteral(
        "id machine_name started_at ended_at paused_at paused_seconds project_serial project_name "
        "client_name note task is_internal uploaded_at created_at updated_at deleted_at")
        .split(u' ');
const QStringList currentProjectColumns =
    u"serial name client_name is_active updated_at created_at is_manual number_key"_s.split(u' ');

QString oldestSchema()
{
    QFile file(QStringLiteral(ZOL_FIXTURES "/oldest-schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the oldest schema");
    return QString::fromUtf8(file.readAll());
}

QStringList column(SQLiteDatabase& db, const QString& sql, int index = 0)
{
    auto statement = db.prepare(sql);
    QStringList values;
    while (statement.step())
        values.append(statement.isNull(index) ? u"NULL"_s : statement.text(index));
    return values;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Whether both tables have exactly today's columns.
bool hasCurrentColumns(SQLiteDatabase& db)
{
    return sorted(column(db, u"PRAGMA table_info(entries);"_s, 1)) == sorted(currentEntryColumns) &&
           sorted(column(db, u"PRAGMA table_info(projects);"_s, 1)) ==
               sorted(currentProjectColumns);
}

// Every row of every table as text, to compare a database before and after.
QStringList dump(SQLiteDatabase& db)
{
    QStringList rows;
    for (const QString& table : {u"entries"_s, u"projects"_s, u"meta"_s}) {
        auto statement = db.prepare(u"SELECT * FROM "_s + table + u" ORDER BY 1;"_s);
        while (statement.step()) {
            QStringList fields;
            for (int i = 0; i < 17; ++i)
                fields.append(statement.isNull(i) ? u"NULL"_s : statement.text(i));
            rows.append(table + u':' + fields.join(u'|'));
        }
    }
    rows += column(db, u"SELECT name FROM sqlite_master ORDER BY name;"_s);
    rows += column(db, u"PRAGMA user_version;"_s);
    return rows;
}

} // namespace

class TestMigration : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_counter = 0;
    QString freshPath() { return m_dir.filePath(u"db%1.sqlite3"_s.arg(++m_counter)); }

private Q_SLOTS:
    void oldestFileReachesTheCurrentSchema()
    {
        const QString path = freshPath();
        SQLiteDatabase(path).execute(oldestSchema());
        FakeClock clock(utc(2026, 3, 2, 9));
        EntryStore store(path, clock);
        SQLiteDatabase& db = store.database();

        QVERIFY(hasCurrentColumns(db));
        QCOMPARE(
            column(
                db,
                u"SELECT name FROM sqlite_master WHERE type = 'index' AND name NOT LIKE 'sqlite_%' "
                "ORDER BY name;"_s),
            (QStringList{u"entries_deleted"_s, u"entries_discarded_open"_s, u"entries_one_open"_s,
                         u"entries_open"_s, u"entries_started_at"_s, u"entries_unmarked_internal"_s,
                         u"entries_uploaded"_s, u"projects_number_key"_s, u"projects_unkeyed"_s}));
        QCOMPARE(column(db, u"PRAGMA user_version;"_s), QStringList{u"3"_s});

        // Internal work moved off its pseudo-project, which is gone.
        const auto admin = store.entry(*parseUuid(u"1C2D3E4F-5A6B-4C7D-8E9F-0A1B2C3D4E5F"));
        QVERIFY(admin && admin->isInternal);
        QCOMPARE(admin->projectSerial, QString());
        QCOMPARE(admin->projectName, u"Administration"_s);
        QCOMPARE(admin->note, QString()); // NULL note reads as empty
        QVERIFY(!store.project(u"INT:ADMIN"));

        // A session with a blank number is internal work too.
        const auto reading = store.entry(*parseUuid(u"0F1E2D3C-4B5A-4968-8776-655443322110"));
        QVERIFY(reading && reading->isInternal);

        // The client session is untouched apart from its new columns' defaults.
        const auto brand = store.entry(*parseUuid(u"8F6B2C1E-0A3D-4C57-9E21-5B7A4D3C2E10"));
        QVERIFY(brand && !brand->isInternal);
        QCOMPARE(brand->projectSerial, u"2301"_s);
        QCOMPARE(brand->note, u"Logo sketches, first round"_s);
        QCOMPARE(brand->startedAt, fromSecondsSince1970(1740992400));
        QVERIFY(brand->pausedSeconds == 0 && brand->task.isEmpty() && !brand->pausedAt &&
                !brand->uploadedAt && !brand->deletedAt);

        // The 59-second session is soft-deleted, stamped with the time of opening.
        QVERIFY(!store.entry(*parseUuid(u"AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEE")));
        const QList<TimeEntry> bin = store.deletedEntries(10);
        QVERIFY(bin.size() == 1 && bin.first().deletedAt == clock.now() &&
                bin.first().updatedAt == clock.now());

        // The running session survives and is still running.
        QCOMPARE(store.openEntry().value_or(TimeEntry()).clientName, u"Bakkerij Noël"_s);

        // Projects: edit times filled in, creation unknown, hand-made flag kept.
        const QList<Project> projects = store.projects(true);
        QCOMPARE(projects.size(), 2);
        for (const Project& p : projects)
            QVERIFY(p.updatedAt == clock.now() && p.createdAt == Project::unknownCreation());
        QCOMPARE(column(db, u"SELECT is_manual FROM projects ORDER BY serial;"_s),
                 (QStringList{u"0"_s, u"1"_s}));
    }

    void secondOpenChangesNothing()
    {
        const QString path = freshPath();
        SQLiteDatabase(path).execute(oldestSchema());
        FakeClock clock(utc(2026, 3, 2, 9));
        QStringList before;
        {
            EntryStore store(path, clock);
            // A short session that reaches the file after the first open is
            // not swept by a later one.
            store.save(session(utc(2026, 3, 2, 8), 0.5));
            before = dump(store.database());
        }
        clock.advance(3600);
        EntryStore again(path, clock);
        QCOMPARE(dump(again.database()), before);
        QCOMPARE(again.deletedEntries(10).size(), 1);
    }

    // Books written before the one-open-session rule: processes starting at
    // once left several sessions open, and sessions discarded while they ran
    // sit in the bin without an end.
    void severalOpenSessionsAreRepairedOnce()
    {
        const QString path = freshPath();
        FakeClock clock(utc(2026, 3, 2, 12));
        const auto at = [](int hour, int minute) { return utc(2026, 3, 2, hour, minute); };
        TimeEntry pausedBeforeNext = running(at(8, 0));
        pausedBeforeNext.pausedAt = at(8, 30);
        TimeEntry pausedAfterNext = running(at(9, 0));
        pausedAfterNext.pausedAt = at(9, 45);
        const TimeEntry newest = running(at(9, 30));
        TimeEntry discarded = running(at(7, 0));
        discarded.deletedAt = at(7, 40);
        TimeEntry discardedPaused = running(at(6, 0));
        discardedPaused.pausedAt = at(6, 20);
        discardedPaused.deletedAt = at(6, 50);
        {
            EntryStore old(path, clock);
            // As such books were: without the rule, and marked with the
            // shape of their day.
            old.database().execute(u"DROP INDEX entries_one_open; PRAGMA user_version = 1;"_s);
            for (const TimeEntry& e :
                 {pausedBeforeNext, pausedAfterNext, newest, discarded, discardedPaused})
                old.save(e);
        }

        clock.advance(60);
        QStringList repaired;
        {
            EntryStore store(path, clock);
            QCOMPARE(store.openEntry()->id, newest.id);
            const auto ended = [&](const TimeEntry& e) {
                const QList<TimeEntry> rows =
                    e.deletedAt ? store.deletedEntries(10) : QList<TimeEntry>{*store.entry(e.id)};
                for (const TimeEntry& row : rows) {
                    if (row.id == e.id)
                        return std::pair(row.endedAt.value_or(QDateTime()),
                                         row.pausedAt.has_value());
                }
                return std::pair(QDateTime(), true);
            };
            QCOMPARE(ended(pausedBeforeNext), std::pair(at(8, 30), false));
            QCOMPARE(ended(pausedAfterNext), std::pair(at(9, 30), false));
            QCOMPARE(ended(discarded), std::pair(at(7, 40), false));
            QCOMPARE(ended(discardedPaused), std::pair(at(6, 20), false));
            QCOMPARE(store.entry(pausedBeforeNext.id)->updatedAt, clock.now());
            QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, store.save(running(at(11, 0))));
            repaired = dump(store.database());
        }
        clock.advance(60);
        EntryStore again(path, clock);
        QCOMPARE(dump(again.database()), repaired);
    }

    // A file of today's shape skips the schema steps, but what an older
    // program may still write into it is put right on every open.
    void currentShapeStillHasItsRowsChecked()
    {
        const QString path = freshPath();
        FakeClock clock(utc(2026, 3, 2, 12));
        const TimeEntry discarded = [] {
            TimeEntry e = running(utc(2026, 3, 2, 7));
            e.deletedAt = utc(2026, 3, 2, 7, 40);
            return e;
        }();
        {
            EntryStore store(path, clock);
            store.save(discarded);
            store.database().execute(
                u"INSERT INTO entries (id, machine_name, started_at, ended_at, project_serial, "
                "project_name, created_at, updated_at) VALUES "
                "('11111111-2222-4333-8444-555555555555', 'Mac', 1000, 5000, ' ', 'Reading', "
                "1000, 5000);"
                "INSERT INTO projects (serial, name, updated_at) VALUES ('2301', 'Brand', 0);"_s);
        }
        clock.advance(60);
        EntryStore store(path, clock);
        QCOMPARE(column(store.database(), u"PRAGMA user_version;"_s), QStringList{u"3"_s});
        QVERIFY(store.entry(*parseUuid(u"11111111-2222-4333-8444-555555555555"))->isInternal);
        QCOMPARE(store.project(u"2301"_s)->updatedAt, clock.now());
        const QList<TimeEntry> bin = store.deletedEntries(10);
        QVERIFY(bin.size() == 1 && bin.first().endedAt == discarded.deletedAt);
    }

    // Books from before number keys may hold one number twice, in two
    // spellings (two computers' catalogues merged). They become one project,
    // chosen as a merge would choose, and no session is lost; so does a twin
    // that a program without the keys adds later.
    void twinNumbersBecomeOneProject()
    {
        const QString path = freshPath();
        FakeClock clock(utc(2026, 3, 2, 12));
        {
            EntryStore store(path, clock);
            store.save(session(utc(2026, 3, 1, 9), 30, u"ab-1"_s, u"Poster"_s));
            store.save(session(utc(2026, 3, 1, 10), 30, u"AB-1"_s, u"Poster"_s));
            store.save(session(utc(2026, 3, 1, 11), 30, u"ab-1"_s, u"Poster"_s));
            // The same books before the keys: version 2, no key column.
            store.database().execute(
                u"DROP INDEX projects_number_key; DROP INDEX projects_unkeyed;"
                "ALTER TABLE projects DROP COLUMN number_key; PRAGMA user_version = 2;"
                "INSERT INTO projects (serial, name, is_manual, updated_at, created_at) VALUES"
                " ('ab-1', 'Poster', 1, 2000, 1000), ('AB-1', 'Poster', 0, 2000, 1000),"
                " ('2301', 'Brand', 0, 2000, 1000);"_s);
        }
        {
            EntryStore store(path, clock);
            QVERIFY(hasCurrentColumns(store.database()));
            QCOMPARE(column(store.database(),
                            u"SELECT serial || ':' || is_manual FROM projects ORDER BY 1;"_s),
                     (QStringList{u"2301:0"_s, u"AB-1:1"_s}));
            QCOMPARE(
                sorted(column(store.database(), u"SELECT DISTINCT project_serial FROM entries;"_s)),
                QStringList{u"AB-1"_s});
            store.database().execute(
                u"INSERT INTO projects (serial, name, updated_at, created_at) VALUES ('ab-1', 'Old', 1500, 1000);"_s);
        }
        EntryStore store(path, clock);
        QCOMPARE(
            column(store.database(), u"SELECT serial || ':' || name FROM projects ORDER BY 1;"_s),
            (QStringList{u"2301:Brand"_s, u"AB-1:Poster"_s}));
        QCOMPARE(store.recentEntries(10).size(), 3);
    }

    void partialShapes_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("intBecomesInternal");

        const QString common = QStringLiteral(
            "CREATE TABLE projects (serial TEXT PRIMARY KEY NOT NULL, name TEXT NOT NULL, "
            "client_name TEXT NOT NULL DEFAULT '', is_active INTEGER NOT NULL DEFAULT 1, "
            "is_manual INTEGER NOT NULL DEFAULT 0%1);"
            "INSERT INTO projects (serial, name) VALUES ('INT:X', 'Pseudo');");
        const QString row =
            QStringLiteral("INSERT INTO entries (id, machine_name, started_at, ended_at, "
                           "project_serial, project_name, "
                           "created_at, updated_at) VALUES "
                           "('11111111-2222-4333-8444-555555555555', 'Mac', 1000, 5000, "
                           "'INT:X', 'Pseudo', 1000, 5000);");
        const QString base = QStringLiteral(
            "CREATE TABLE entries (id TEXT PRIMARY KEY NOT NULL, machine_name TEXT NOT NULL, "
            "started_at REAL NOT NULL, ended_at REAL, project_serial TEXT NOT NULL, "
            "project_name TEXT NOT NULL, client_name TEXT NOT NULL DEFAULT '', note TEXT NOT NULL "
            "DEFAULT '', "
            "created_at REAL NOT NULL, updated_at REAL NOT NULL%1);");

        QTest::newRow("everything but task and is_internal")
            << base.arg(QStringLiteral(", paused_at REAL, paused_seconds REAL NOT NULL DEFAULT 0, "
                                       "deleted_at REAL, uploaded_at REAL")) +
                   common.arg(u", created_at REAL NOT NULL DEFAULT 0"_s) + row
            << true;
        QTest::newRow("is_internal already there")
            << base.arg(u", is_internal INTEGER NOT NULL DEFAULT 0, sync_state INTEGER"_s) +
                   common.arg(u", updated_at REAL NOT NULL DEFAULT 0"_s) + row
            << false;
    }

    void partialShapes()
    {
        QFETCH(QString, script);
        QFETCH(bool, intBecomesInternal);
        const QString path = freshPath();
        SQLiteDatabase(path).execute(script);
        FakeClock clock;
        EntryStore store(path, clock);
        SQLiteDatabase& db = store.database();
        QVERIFY(hasCurrentColumns(db));

        // The pseudo-project conversion belongs to the step that adds
        // is_internal; a file that had the column already keeps its rows.
        const QList<TimeEntry> all = store.recentEntries(10);
        QVERIFY(all.size() == 1 && all.first().isInternal == intBecomesInternal);
        QCOMPARE(all.first().projectSerial, intBecomesInternal ? QString() : u"INT:X"_s);
        QCOMPARE(bool(store.project(u"INT:X")), !intBecomesInternal);

        // Every shape then opens again without change.
        const QStringList before = dump(db);
        EntryStore again(path, clock);
        QCOMPARE(dump(again.database()), before);
    }

    // What every open and every start asks must find its few rows through an
    // index, not by walking the history: on a new file and on the oldest one
    // alike, since the indexes come with the migration.
    void everyOpenAsksThroughIndexes_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("index");
        QTest::newRow("sessions without a number, asked on open")
            << u"SELECT EXISTS (SELECT 1 FROM entries WHERE is_internal = 0 AND TRIM(project_serial) = '');"_s
            << u"entries_unmarked_internal"_s;
        QTest::newRow("sessions without a number, marked")
            << u"UPDATE entries SET is_internal = 1\nWHERE is_internal = 0 AND TRIM(project_serial) = '';"_s
            << u"entries_unmarked_internal"_s;
        QTest::newRow("sessions in the bin without an end, asked on open")
            << u"SELECT EXISTS (SELECT 1 FROM entries WHERE ended_at IS NULL AND deleted_at IS NOT NULL);"_s
            << u"entries_discarded_open"_s;
        QTest::newRow("the bin")
            << u"SELECT id FROM entries\nWHERE deleted_at IS NOT NULL\nORDER BY deleted_at DESC LIMIT ?1;"_s
            << u"entries_deleted"_s;
        QTest::newRow("the running session")
            << u"SELECT id FROM entries WHERE ended_at IS NULL AND deleted_at IS NULL "
               "ORDER BY started_at DESC LIMIT 1;"_s
            << u"entries_open"_s;
    }

    void everyOpenAsksThroughIndexes()
    {
        QFETCH(QString, query);
        QFETCH(QString, index);
        for (const bool oldest : {false, true}) {
            const QString path = freshPath();
            if (oldest)
                SQLiteDatabase(path).execute(oldestSchema());
            FakeClock clock;
            EntryStore store(path, clock);
            // A partial index holds only the rows asked for: searching it, or
            // walking it whole, is as quick with ten years of hours as with one.
            const QStringList plan = column(store.database(), u"EXPLAIN QUERY PLAN "_s + query, 3);
            const QStringList onEntries = plan.filter(QRegularExpression(u"\\bentries\\b"_s));
            QVERIFY2(!onEntries.isEmpty(), qPrintable(plan.join(u'\n')));
            for (const QString& step : onEntries)
                QVERIFY2(step.endsWith(u"USING INDEX "_s + index) ||
                             step.contains(u"USING INDEX "_s + index + u" ("_s) ||
                             step.contains(u"USING COVERING INDEX "_s + index),
                         qPrintable(plan.join(u'\n')));
        }
    }
};

QTEST_GUILESS_MAIN(TestMigration)
#include "tst_migration.moc"
