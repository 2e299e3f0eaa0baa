// The connection wrapper: binding by number, reading by position, and the
// exact wording of its failures.

#include "store/SQLiteDatabase.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zol;

class TestSQLiteDatabase : public QObject
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

        auto row = db.prepare(QStringLiteral("SELECT i, r, s, n FROM t;"));
        QVERIFY(row.step());
        QCOMPARE(row.integer(0), qint64(1) << 40);
        QCOMPARE(row.real(1), 1741003200.125);
        QCOMPARE(row.text(2), QStringLiteral("Zoë — “quoted”"));
        QVERIFY(row.isNull(3));
        QCOMPARE(row.text(3), QString());
        QVERIFY(!row.step());
    }

    void aNumberedParameterMayRepeat()
    {
        SQLiteDatabase db(QStringLiteral(":memory:"));
        auto row = db.prepare(QStringLiteral("SELECT ?1 + ?1, ?2;"), {qint64(21), QStringLiteral("x")});
        QVERIFY(row.step());
        QCOMPARE(row.integer(0), 42);
        QCOMPARE(row.text(1), QStringLiteral("x"));
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

    void bindingTooManyValuesFails()
    {
        SQLiteDatabase db(QStringLiteral(":memory:"));
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error,
                                 db.prepare(QStringLiteral("SELECT ?1;"), {qint64(1), qint64(2)}));
    }

    void openingWhereNoFileCanBe()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/folder/zol.sqlite3"));
        try {
            SQLiteDatabase db(path);
            QFAIL("expected a failure");
        } catch (const SQLiteDatabase::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("Could not open ") + path
                                          + QStringLiteral(": unable to open database file"));
        }
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
};

QTEST_GUILESS_MAIN(TestSQLiteDatabase)
#include "tst_sqlitedatabase.moc"
