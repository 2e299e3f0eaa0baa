// Opening older database files: every shape between the first releases and
// today must reach the current schema, keep every session, and do its one-off
// corrections exactly once.

#include "Builders.h"
#include "FakeClock.h"
#include "store/EntryStore.h"
#include "support/Timestamps.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zol;
using namespace zol::test;

namespace {

const QStringList currentEntryColumns = {
    QStringLiteral("id"),          QStringLiteral("machine_name"),   QStringLiteral("started_at"),
    QStringLiteral("ended_at"),    QStringLiteral("paused_at"),      QStringLiteral("paused_seconds"),
    QStringLiteral("project_serial"), QStringLiteral("project_name"), QStringLiteral("client_name"),
    QStringLiteral("note"),        QStringLiteral("task"),           QStringLiteral("is_internal"),
    QStringLiteral("uploaded_at"), QStringLiteral("created_at"),     QStringLiteral("updated_at"),
    QStringLiteral("deleted_at"),
};

const QStringList currentProjectColumns = {
    QStringLiteral("serial"),     QStringLiteral("name"),       QStringLiteral("client_name"),
    QStringLiteral("is_active"),  QStringLiteral("updated_at"), QStringLiteral("created_at"),
    QStringLiteral("is_manual"),
};

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

void makeDatabase(const QString& path, const QString& script)
{
    SQLiteDatabase db(path);
    db.execute(script);
}

QStringList column(SQLiteDatabase& db, const QString& sql, int index = 0)
{
    auto statement = db.prepare(sql);
    QStringList values;
    while (statement.step())
        values.append(statement.isNull(index) ? QStringLiteral("NULL") : statement.text(index));
    return values;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Every row of every table as text, to compare a database before and after.
QStringList dump(SQLiteDatabase& db)
{
    QStringList rows;
    for (const QString& table : {QStringLiteral("entries"), QStringLiteral("projects"), QStringLiteral("meta")}) {
        auto statement = db.prepare(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY 1;"));
        while (statement.step()) {
            QStringList fields;
            for (int i = 0; i < 17; ++i)
                fields.append(statement.isNull(i) ? QStringLiteral("NULL") : statement.text(i));
            rows.append(table + u':' + fields.join(u'|'));
        }
    }
    rows += column(db, QStringLiteral("SELECT name FROM sqlite_master ORDER BY name;"));
    rows += column(db, QStringLiteral("PRAGMA user_version;"));
    return rows;
}

} // namespace

class TestMigration : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_counter = 0;
    QString freshPath() { return m_dir.filePath(QStringLiteral("db%1.sqlite3").arg(++m_counter)); }

private Q_SLOTS:
    void oldestFileReachesTheCurrentSchema()
    {
        const QString path = freshPath();
        makeDatabase(path, readFile(QStringLiteral(ZOL_FIXTURES "/oldest-schema.sql")));
        FakeClock clock(utc(2026, 3, 2, 9));
        EntryStore store(path, clock);
        SQLiteDatabase& db = store.database();

        QCOMPARE(sorted(column(db, QStringLiteral("PRAGMA table_info(entries);"), 1)),
                 sorted(currentEntryColumns));
        QCOMPARE(sorted(column(db, QStringLiteral("PRAGMA table_info(projects);"), 1)),
                 sorted(currentProjectColumns));
        const QStringList indexes = column(
            db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name NOT LIKE 'sqlite_%';"));
        QCOMPARE(sorted(indexes), (QStringList{QStringLiteral("entries_open"), QStringLiteral("entries_started_at"),
                              QStringLiteral("entries_uploaded")}));
        QCOMPARE(column(db, QStringLiteral("PRAGMA user_version;")), QStringList{QStringLiteral("1")});

        // Internal work moved off its pseudo-project, which is gone.
        const auto admin = store.entry(*parseUuid(u"1C2D3E4F-5A6B-4C7D-8E9F-0A1B2C3D4E5F"));
        QVERIFY(admin);
        QVERIFY(admin->isInternal);
        QCOMPARE(admin->projectSerial, QString());
        QCOMPARE(admin->projectName, QStringLiteral("Administration"));
        QCOMPARE(admin->note, QString()); // NULL note reads as empty
        QVERIFY(!store.project(u"INT:ADMIN"));

        // A session with a blank number is internal work too.
        const auto reading = store.entry(*parseUuid(u"0F1E2D3C-4B5A-4968-8776-655443322110"));
        QVERIFY(reading && reading->isInternal);

        // The client session is untouched apart from its new columns' defaults.
        const auto brand = store.entry(*parseUuid(u"8F6B2C1E-0A3D-4C57-9E21-5B7A4D3C2E10"));
        QVERIFY(brand);
        QVERIFY(!brand->isInternal);
        QCOMPARE(brand->projectSerial, QStringLiteral("2301"));
        QCOMPARE(brand->note, QStringLiteral("Logo sketches, first round"));
        QCOMPARE(brand->pausedSeconds, 0.0);
        QCOMPARE(brand->task, QString());
        QVERIFY(!brand->pausedAt && !brand->uploadedAt && !brand->deletedAt);
        QCOMPARE(brand->startedAt, fromSecondsSince1970(1740992400));

        // The 59-second session is soft-deleted, stamped with the time of opening.
        QVERIFY(!store.entry(*parseUuid(u"AAAAAAAA-BBBB-4CCC-8DDD-EEEEEEEEEEE")));
        const QList<TimeEntry> bin = store.deletedEntries(10);
        QCOMPARE(bin.size(), 1);
        QCOMPARE(bin.first().deletedAt, clock.now());
        QCOMPARE(bin.first().updatedAt, clock.now());

        // The running session survives and is still running.
        const auto open = store.openEntry();
        QVERIFY(open);
        QCOMPARE(open->clientName, QStringLiteral("Bakkerij Noël"));

        // Projects: edit times filled in, creation unknown, hand-made flag kept.
        const QList<Project> projects = store.projects(true);
        QCOMPARE(projects.size(), 2);
        for (const Project& p : projects) {
            QCOMPARE(p.updatedAt, clock.now());
            QCOMPARE(p.createdAt, Project::unknownCreation());
        }
        QCOMPARE(column(db, QStringLiteral("SELECT is_manual FROM projects ORDER BY serial;")),
                 (QStringList{QStringLiteral("0"), QStringLiteral("1")}));
    }

    void secondOpenChangesNothing()
    {
        const QString path = freshPath();
        makeDatabase(path, readFile(QStringLiteral(ZOL_FIXTURES "/oldest-schema.sql")));
        FakeClock clock(utc(2026, 3, 2, 9));
        QStringList before;
        {
            EntryStore store(path, clock);
            // A new short session saved after the first open must survive later opens.
            store.save(session(utc(2026, 3, 2, 8), 0.5));
            before = dump(store.database());
        }
        clock.advance(3600);
        EntryStore again(path, clock);
        QCOMPARE(dump(again.database()), before);
        QCOMPARE(again.deletedEntries(10).size(), 1);
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
        const QString row = QStringLiteral(
            "INSERT INTO entries (id, machine_name, started_at, ended_at, project_serial, project_name, "
            "created_at, updated_at) VALUES ('11111111-2222-4333-8444-555555555555', 'Mac', 1000, 5000, "
            "'INT:X', 'Pseudo', 1000, 5000);");
        const QString base = QStringLiteral(
            "CREATE TABLE entries (id TEXT PRIMARY KEY NOT NULL, machine_name TEXT NOT NULL, "
            "started_at REAL NOT NULL, ended_at REAL, project_serial TEXT NOT NULL, "
            "project_name TEXT NOT NULL, client_name TEXT NOT NULL DEFAULT '', note TEXT NOT NULL DEFAULT '', "
            "created_at REAL NOT NULL, updated_at REAL NOT NULL%1);");

        QTest::newRow("pause columns only")
            << base.arg(QStringLiteral(", paused_at REAL, paused_seconds REAL NOT NULL DEFAULT 0"))
                   + common.arg(QString()) + row
            << true;
        QTest::newRow("everything but task and is_internal")
            << base.arg(QStringLiteral(", paused_at REAL, paused_seconds REAL NOT NULL DEFAULT 0, "
                                       "deleted_at REAL, uploaded_at REAL"))
                   + common.arg(QStringLiteral(", created_at REAL NOT NULL DEFAULT 0")) + row
            << true;
        QTest::newRow("is_internal already there")
            << base.arg(QStringLiteral(", is_internal INTEGER NOT NULL DEFAULT 0, sync_state INTEGER"))
                   + common.arg(QStringLiteral(", updated_at REAL NOT NULL DEFAULT 0")) + row
            << false;
        QTest::newRow("projects with updated_at, no created_at")
            << base.arg(QString()) + common.arg(QStringLiteral(", updated_at REAL NOT NULL DEFAULT 5"))
                   + row
            << true;
    }

    void partialShapes()
    {
        QFETCH(QString, script);
        QFETCH(bool, intBecomesInternal);
        const QString path = freshPath();
        makeDatabase(path, script);
        FakeClock clock;
        EntryStore store(path, clock);
        SQLiteDatabase& db = store.database();

        QCOMPARE(sorted(column(db, QStringLiteral("PRAGMA table_info(entries);"), 1)),
                 sorted(currentEntryColumns));
        QCOMPARE(sorted(column(db, QStringLiteral("PRAGMA table_info(projects);"), 1)),
                 sorted(currentProjectColumns));

        // The pseudo-project conversion belongs to the step that adds
        // is_internal; a file that had the column already keeps its rows.
        const QList<TimeEntry> all = store.recentEntries(10);
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().isInternal, intBecomesInternal);
        QCOMPARE(all.first().projectSerial, intBecomesInternal ? QString() : QStringLiteral("INT:X"));
        QCOMPARE(bool(store.project(u"INT:X")), !intBecomesInternal);

        // Every shape then opens again without change.
        const QStringList before = dump(db);
        EntryStore again(path, clock);
        QCOMPARE(dump(again.database()), before);
    }

    void versionOneFileKeepsShortSessions()
    {
        const QString path = freshPath();
        FakeClock clock;
        {
            EntryStore store(path, clock);
        }
        // A short session that reached the file by some other way (another
        // process, an import) is not swept on a later open.
        {
            SQLiteDatabase db(path);
            db.execute(QStringLiteral(
                "INSERT INTO entries (id, machine_name, started_at, ended_at, project_serial, project_name, "
                "created_at, updated_at) VALUES ('11111111-2222-4333-8444-555555555555', 'Mac', 1000, 1010, "
                "'7', 'P', 1000, 1010);"));
        }
        EntryStore store(path, clock);
        QCOMPARE(store.recentEntries(10).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMigration)
#include "tst_migration.moc"
