// Faults that are real even for root: a file that is not a database, a data
// folder below a regular file, a database whose write lock another connection
// holds, a trigger that refuses a write. Each fails with a message, touches
// nothing it should not, and leaves the store usable.

#include "Builders.h"
#include "FakeClock.h"
#include "UserFolders.h"
#include "store/EntryStore.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtConcurrent>

using namespace zol;
using namespace zol::test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestStoreFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        writeAll(path, bytes);

        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, EntryStore store(path));
        try {
            EntryStore store(path);
        } catch (const SQLiteDatabase::Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("not a database"))
                         || error.message().contains(QStringLiteral("malformed")),
                     qPrintable(error.message()));
        }
        QCOMPARE(readAll(path), bytes);
        QCOMPARE(QDir(folders.dataHome() + QStringLiteral("/Zol")).entryList(QDir::Files),
                 QStringList{QStringLiteral("zol.sqlite3")});
    }

    void aDataFolderThatCannotBeMade()
    {
        UserFolders folders;
        const QString blocker = folders.root() + QStringLiteral("/not-a-folder");
        writeAll(blocker, "a regular file");
        qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
        try {
            EntryStore::defaultURL();
            QFAIL("expected a failure");
        } catch (const Error& error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Could not create the folder ") + blocker
                                                + QStringLiteral("/Zol")),
                     qPrintable(error.message()));
        }
        QCOMPARE(readAll(blocker), QByteArray("a regular file"));
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
        try {
            store.save(blocked);
            QFAIL("expected a failure");
        } catch (const SQLiteDatabase::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("database is locked"));
        }
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error,
                                 store.markUploaded({kept.id}, clock.now()));
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
