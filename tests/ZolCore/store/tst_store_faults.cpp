// The connection wrapper: binding by number, reading by position, the agreed
// settings, and the exact wording of its failures. Then the store under faults
// that are real even for root: a file that is not a database, a data folder
// below a regular file, a database whose write lock another connection holds,
// a trigger that refuses a write. Each fails with a message, touches nothing it
// should not, and leaves the store usable.

#include "Builders.h"
#include "FakeClock.h"
#include "UserFolders.h"
#include "store/EntryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

using namespace zol;
using namespace zol::test;

class TestStoreFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bindsAndReadsEveryKindOfValue()
    {
        SQLiteDatabase db(QStringLiteral(":memory:"));
        db.execute(QStringLiteral("CREATE TABLE t (i INTEGER, r REAL, s TEXT, n TEXT);"));
        db.run(QStringLiteral("INSERT INTO t VALUES (?1, ?2, ?3, ?4);"),
               {qint64(1) << 40, 1741003200.125, QStringLiteral("Zoë — “quoted”"), nullptr});
        QCOMPARE(db.changes(), 1);

        // A numbered parameter may repeat.
        auto row = db.prepare(QStringLiteral("SELECT i, r, s, n, ?1 + ?1 FROM t;"), {qint64(21)});
        QVERIFY(row.step());
        QCOMPARE(row.integer(0), qint64(1) << 40);
        QCOMPARE(row.real(1), 1741003200.125);
        QCOMPARE(row.text(2), QStringLiteral("Zoë — “quoted”"));
        QVERIFY(row.isNull(3));
        QCOMPARE(row.text(3), QString());
        QCOMPARE(row.integer(4), 42);
        QVERIFY(!row.step());
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error,
                                 db.prepare(QStringLiteral("SELECT ?1;"), {qint64(1), qint64(2)}));
    }

    void failuresCarryTheLibrarysWords_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("asScript");
        QTest::addColumn<QString>("message");

        QTest::newRow("compile") << QStringLiteral("SELECT * FROM nowhere;") << false
                                 << QStringLiteral("no such table: nowhere \u2014 in: SELECT * FROM nowhere;");
        QTest::newRow("step") << QStringLiteral("INSERT INTO t VALUES (NULL);") << false
                              << QStringLiteral("NOT NULL constraint failed: t.v");
        QTest::newRow("script") << QStringLiteral("INSERT INTO t VALUES (1); SELECT * FROM nowhere;") << true
                                << QStringLiteral("no such table: nowhere");
    }

    void failuresCarryTheLibrarysWords()
    {
        QFETCH(QString, sql);
        QFETCH(bool, asScript);
        QFETCH(QString, message);
        SQLiteDatabase db(QStringLiteral(":memory:"));
        db.execute(QStringLiteral("CREATE TABLE t (v INTEGER NOT NULL);"));
        try {
            asScript ? db.execute(sql) : db.run(sql);
            QFAIL("expected a failure");
        } catch (const SQLiteDatabase::Error& error) {
            QCOMPARE(error.message(), message);
            QCOMPARE(QString::fromUtf8(error.what()), message);
        }
        // The connection carries on.
        db.run(QStringLiteral("INSERT INTO t VALUES (?1);"), {qint64(7)});
    }

    void openingWhereNoFileCanBe()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/folder/zol.sqlite3"));
        QCOMPARE(failureOf<SQLiteDatabase::Error>([&] { SQLiteDatabase db(path); }),
                 QStringLiteral("Could not open ") + path
                     + QStringLiteral(": unable to open database file"));
    }

    void opensWithTheAgreedPragmas()
    {
        QTemporaryDir dir;
        SQLiteDatabase db(dir.filePath(QStringLiteral("p.sqlite3")));
        const auto value = [&](const char* pragma) {
            auto row = db.prepare(QStringLiteral("PRAGMA ") + QLatin1StringView(pragma) + u';');
            return row.step() ? row.text(0) : QString();
        };
        QCOMPARE(value("journal_mode"), QStringLiteral("wal"));
        QCOMPARE(value("foreign_keys"), QStringLiteral("1"));
        QCOMPARE(value("busy_timeout"), QStringLiteral("3000"));
        QCOMPARE(value("synchronous"), QStringLiteral("2")); // FULL: every commit is durable
    }
    void aFileThatIsNotADatabase_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("These are my hours, in a text file.\n").repeated(200);
        QByteArray header("SQLite format 3\0", 16);
        QTest::newRow("damaged header") << header + QByteArray(4080, '\xff');
    }

    void aFileThatIsNotADatabase()
    {
        QFETCH(QByteArray, bytes);
        UserFolders folders;
        const QString path = EntryStore::defaultURL();
        writeFile(path, bytes);

        const QString failure = failureOf<SQLiteDatabase::Error>([&] { EntryStore store(path); });
        QVERIFY2(failure.contains(QStringLiteral("not a database"))
                     || failure.contains(QStringLiteral("malformed")),
                 qPrintable(failure));
        QCOMPARE(readFile(path), bytes);
        QCOMPARE(QDir(folders.dataHome() + QStringLiteral("/Zol")).entryList(QDir::Files),
                 QStringList{QStringLiteral("zol.sqlite3")});
    }

    void aDataFolderThatCannotBeMade()
    {
        UserFolders folders;
        const QString blocker = folders.root() + QStringLiteral("/not-a-folder");
        writeFile(blocker, "a regular file");
        qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
        const QString failure = failureOf([] { EntryStore::defaultURL(); });
        QVERIFY2(failure.startsWith(QStringLiteral("Could not create the folder ") + blocker
                                    + QStringLiteral("/Zol")),
                 qPrintable(failure));
        QCOMPARE(readFile(blocker), QByteArray("a regular file"));
    }

    void aWriteLockHeldElsewhere()
    {
        UserFolders folders;
        FakeClock clock;
        const QString path = EntryStore::defaultURL();
        EntryStore store(path, clock);
        const TimeEntry kept = session(utc(2026, 3, 1, 9), 30);
        store.save(kept);
        // The agreed 3 s is too long to wait for in a test; the behaviour past
        // the timeout is the same.
        store.database().execute(QStringLiteral("PRAGMA busy_timeout = 50;"));

        SQLiteDatabase other(path);
        other.execute(QStringLiteral("BEGIN IMMEDIATE;"));

        const TimeEntry blocked = session(utc(2026, 3, 1, 10), 30);
        QCOMPARE(failureOf<SQLiteDatabase::Error>([&] { store.save(blocked); }),
                 QStringLiteral("database is locked"));
        // Books in use are not broken books, and say so.
        try {
            store.save(blocked);
        } catch (const SQLiteDatabase::Error& error) {
            QVERIFY(error.isBusy());
        }
        // Opening books that need no migration takes no write lock, so it
        // never waits for another process's.
        QCOMPARE(EntryStore(path, clock).recentEntries(10).size(), 1);
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, store.markUploaded({kept.id}, clock.now()));
        // Nothing to write opens no transaction, so it cannot fail.
        store.markUploaded({}, clock.now());
        // Reads go on while another connection writes.
        QCOMPARE(store.recentEntries(10).size(), 1);

        // A failure on a worker arrives with its own type.
        QFuture<void> future = QtConcurrent::run([&store, blocked] { store.save(blocked); });
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, future.waitForFinished());

        other.execute(QStringLiteral("COMMIT;"));
        store.save(blocked);
        store.markUploaded({kept.id}, clock.now());
        QCOMPARE(store.recentEntries(10).size(), 2);
        QVERIFY(store.entry(kept.id)->uploadedAt);
    }

    void aRefusedWriteChangesNothing()
    {
        FakeClock clock;
        auto store = EntryStore::inMemory(clock);
        const TimeEntry kept = session(utc(2026, 3, 1, 9), 30);
        store->save(kept);
        store->saveTaskList(TaskList(true, {QStringLiteral("Sketch")}, utc(2026, 3, 1)));
        store->database().execute(QStringLiteral(
            "CREATE TRIGGER refuse_insert BEFORE INSERT ON entries WHEN NEW.note = 'refuse' "
            "BEGIN SELECT RAISE(ABORT, 'refused insert'); END;"
            "CREATE TRIGGER refuse_erase BEFORE DELETE ON meta "
            "BEGIN SELECT RAISE(ABORT, 'refused erase'); END;"));

        TimeEntry refused = session(utc(2026, 3, 1, 10), 30);
        refused.note = QStringLiteral("refuse");
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, store->save(refused));
        QVERIFY(!store->entry(refused.id));

        // Emptying the books fails at its last step and undoes the first two.
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, store->eraseEverything());
        QCOMPARE(store->recentEntries(10).size(), 1);
        QCOMPARE(store->taskList().tasks(), QStringList{QStringLiteral("Sketch")});
    }
};

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "tst_store_faults.moc"
