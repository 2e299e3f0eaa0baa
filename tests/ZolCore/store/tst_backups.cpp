// Backups of the books: which days are kept over a year of days, that a copy
// is the books as they stood before the day's first change even while other
// connections write, that damaged books are never copied over a good backup,
// and that a restore refuses what is not a sound Zol database and changes
// nothing then.

#include "Builders.h"
#include "FakeClock.h"
#include "store/BackupCopy.h"
#include "store/BackupFiles.h"
#include "store/BackupRetention.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

#include <atomic>

using namespace zol;
using namespace zol::test;
using namespace Qt::StringLiterals;

namespace {

qint64 rowsIn(const QString& path, const QString& table = QStringLiteral("entries"))
{
    SQLiteDatabase db(path, SQLiteDatabase::Mode::readOnly);
    auto count = db.prepare(QStringLiteral("SELECT count(*) FROM ") + table + u';');
    count.step();
    return count.integer(0);
}

QString checkOf(const QString& path)
{
    SQLiteDatabase db(path, SQLiteDatabase::Mode::readOnly);
    auto check = db.prepare(QStringLiteral("PRAGMA quick_check;"));
    check.step();
    return check.text(0);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Overwrites part of one page of the file, as a bad sector would.
void damagePage(const QString& path, int page)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(qint64(page - 1) * 4096 + 8));
    file.write(QByteArray(64, '\xff'));
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeClock m_clock;

    QString folder() const { return m_dir.filePath(QStringLiteral("backups")); }
    QString booksPath() const { return m_dir.filePath(QStringLiteral("zol.sqlite3")); }

    std::unique_ptr<EntryStore> openBooks(StoreBackups::Runner runner = StoreBackups::here())
    {
        auto store = std::make_unique<EntryStore>(booksPath(), m_clock);
        store->keepBackups(
            std::make_unique<StoreBackups>(booksPath(), m_clock, std::move(runner), folder()));
        return store;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_clock.setNow(utc(2026, 3, 2, 9));
    }

    // Wednesday 16 December 2026: the recent days run from Thursday 3
    // December; the older weeks from Monday 12 October to Sunday 6 December.
    void retention_data()
    {
        QTest::addColumn<QList<QDate>>("dates");
        QTest::addColumn<QList<QDate>>("expired");
        auto dec = [](int day) { return QDate(2026, 12, day); };
        auto nov = [](int day) { return QDate(2026, 11, day); };
        auto oct = [](int day) { return QDate(2026, 10, day); };

        QList<QDate> recent;
        for (int day = 3; day <= 16; ++day)
            recent.append(dec(day));
        QTest::newRow("the recent days stay") << recent << QList<QDate>{};
        QTest::newRow("their week's older days keep the newest")
            << QList<QDate>{dec(1), dec(2), dec(3)} << QList<QDate>{dec(1)};
        QTest::newRow("an older week keeps its Sunday")
            << QList<QDate>{nov(23), nov(24), nov(26), nov(29)}
            << QList<QDate>{nov(23), nov(24), nov(26)};
        QTest::newRow("a lone backup of a week stays") << QList<QDate>{nov(25)} << QList<QDate>{};
        QTest::newRow("the oldest week stays, the day before goes")
            << QList<QDate>{oct(11), oct(12)} << QList<QDate>{oct(11)};
        QTest::newRow("a year back goes")
            << QList<QDate>{QDate(2025, 12, 16)} << QList<QDate>{QDate(2025, 12, 16)};
        QTest::newRow("a date after today stays") << QList<QDate>{dec(20)} << QList<QDate>{};
    }

    void retention()
    {
        QFETCH(QList<QDate>, dates);
        QFETCH(QList<QDate>, expired);
        QCOMPARE(BackupRetention::expired(dates, QDate(2026, 12, 16)), expired);
    }

    // Every day of a year the person works (not every day: weekends and a
    // holiday are skipped), with a foreign file, another set of books and a
    // copy saved before a restore in the folder. After each day, as of the
    // last day worked: the recent worked days all have a backup, each older
    // week has its newest worked day and nothing else, nothing older is
    // left, and nothing that is not ours is touched.
    void aYearOfDays()
    {
        const auto store = openBooks();
        QVERIFY(QDir().mkpath(folder()));
        const QStringList foreign = {QStringLiteral("zol-4A1B2C3D-0000-0000-0000-000000000000-"
                                                    "2025-01-01.sqlite3"),
                                     QStringLiteral("zol-2025-01-01.sqlite3.bak"),
                                     QStringLiteral("notes.txt")};
        for (const QString& name : foreign)
            writeFile(folder() + u'/' + name, "not ours");
        const BackupFiles files(booksPath(), folder());
        const QString beforeRestore = files.snapshotPath(
            BackupFiles::Kind::beforeRestore, QDateTime(QDate(2026, 1, 14), QTime(10, 0, 5)));
        writeFile(beforeRestore, "saved");

        QList<QDate> worked;
        const QDate first(2026, 1, 5);
        for (QDate day = first; day < first.addDays(365); day = day.addDays(1)) {
            const bool works = day.dayOfWeek() < 6 && !(day.month() == 8 && day.day() < 20);
            m_clock.setNow(QDateTime(day, QTime(9, 0), Qt::UTC));
            if (works) {
                store->save(session(m_clock.now(), 30));
                m_clock.advance(3600);
                store->save(session(m_clock.now(), 30));
                worked.append(day);
            }

            const QList<BackupFiles::Backup> kept = files.list();
            QSet<QDate> keptDays;
            for (const BackupFiles::Backup& backup : kept) {
                if (backup.kind == BackupFiles::Kind::daily)
                    keptDays.insert(backup.date);
            }
            // Backups are pruned when one is taken: a day off changes nothing.
            if (worked.isEmpty())
                continue;
            const QDate asOf = worked.last();
            const QDate recentStart = asOf.addDays(1 - BackupRetention::recentDays);
            const QDate oldest = recentStart.addDays(-1).addDays(
                1 - recentStart.addDays(-1).dayOfWeek() - 7 * (BackupRetention::olderWeeks - 1));
            QSet<QDate> expected;
            for (const QDate& w : worked) {
                if (w >= recentStart)
                    expected.insert(w);
            }
            for (QDate monday = oldest; monday < recentStart; monday = monday.addDays(7)) {
                QDate newest;
                for (const QDate& w : worked) {
                    if (w >= monday && w < monday.addDays(7) && w < recentStart)
                        newest = w;
                }
                if (newest.isValid())
                    expected.insert(newest);
            }
            QVERIFY2(keptDays == expected, qPrintable(day.toString(Qt::ISODate)));
            QVERIFY(keptDays.size() <= BackupRetention::recentDays + BackupRetention::olderWeeks);
            QCOMPARE(QFile::exists(beforeRestore), asOf < QDate(2026, 1, 28));
        }
        for (const QString& name : foreign)
            QVERIFY2(QFile::exists(folder() + u'/' + name), qPrintable(name));
        // Owner-only, whole files, no temporary leftovers.
        for (const BackupFiles::Backup& backup : files.list()) {
            QCOMPARE(QFile::permissions(backup.path),
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
            QCOMPARE(checkOf(backup.path), u"ok"_s);
        }
        for (const QString& name : filesIn(folder()))
            QVERIFY2(!name.startsWith(u'.'), qPrintable(name));
    }

    // The copy is written after the change went ahead, yet it holds the books
    // as they were before it; a second change the same day takes no copy.
    void theDaysCopyIsTheBooksBeforeItsFirstChange()
    {
        QList<StoreBackups::Job> pending;
        const auto store = openBooks([&](StoreBackups::Job job) { pending.append(job); });
        store->save(session(utc(2026, 3, 1, 9), 60));
        // That first write of 2 March asked for a copy of the empty books.
        QCOMPARE(pending.size(), 1);
        store->save(session(utc(2026, 3, 2, 8), 60));
        QCOMPARE(pending.size(), 1);
        pending.takeFirst()();
        const QString copy = BackupFiles(booksPath(), folder()).dailyPath(QDate(2026, 3, 2));
        QCOMPARE(rowsIn(copy), 0);
        QCOMPARE(checkOf(copy), u"ok"_s);

        // The next day's first change copies the two sessions.
        m_clock.advance(86400);
        store->deleteEntry(store->recentEntries(1).first().id);
        QCOMPARE(pending.size(), 1);
        pending.takeFirst()();
        QCOMPARE(rowsIn(BackupFiles(booksPath(), folder()).dailyPath(QDate(2026, 3, 3))), 2);

        // A store in memory has no file to copy and keeps no backups.
        QVERIFY(!EntryStore::inMemory(m_clock)->backups());
    }

    // A link where the backups folder should be is reported and never
    // followed: the copy would land wherever it points. A folder that was
    // opened up to others is made owner-only again.
    void theBackupsFolderIsNeverALink()
    {
        const QString elsewhere = m_dir.filePath(u"elsewhere"_s);
        QVERIFY(QDir().mkpath(elsewhere));
        QVERIFY(QFile::link(elsewhere, folder()));
        const auto store = openBooks();
        store->save(session(utc(2026, 3, 1, 9), 60));
        QVERIFY2(store->backups()->problem().value_or(QString()).contains(
                     u"it is a link to another place"_s),
                 qPrintable(store->backups()->problem().value_or(u"no problem"_s)));
        QCOMPARE(filesIn(elsewhere), QStringList());

        QVERIFY(QFile::remove(folder()));
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther));
        m_clock.advance(86400);
        store->save(session(utc(2026, 3, 2, 9), 60));
        QCOMPARE(store->backups()->problem(), std::nullopt);
        QVERIFY(!(QFileInfo(folder()).permissions() & (QFile::ReadOther | QFile::ExeOther)));
        QCOMPARE(filesIn(folder()).size(), 1);
    }

    // Another connection (another process's store) commits batches of ten
    // sessions the whole time; each copy is sound and holds whole batches.
    void copiesWhileAnotherConnectionWrites()
    {
        {
            EntryStore seed(booksPath(), m_clock);
            seed.writeTransaction([&] {
                for (int i = 0; i < 500; ++i)
                    seed.save(session(utc(2026, 1, 1).addSecs(i * 3600), 30));
            });
        }
        std::atomic<bool> writing = true;
        QFuture<void> writer = QtConcurrent::run([&] {
            EntryStore other(booksPath(), m_clock);
            int batch = 0;
            while (writing) {
                other.writeTransaction([&] {
                    for (int i = 0; i < 10; ++i)
                        other.save(session(utc(2026, 2, 1).addSecs(++batch * 60), 1));
                });
            }
        });
        QTest::qWait(50);
        for (int i = 0; i < 6; ++i) {
            const QString target = m_dir.filePath(QStringLiteral("copy-%1.sqlite3").arg(i));
            BackupCopy(booksPath()).write(target);
            QCOMPARE(checkOf(target), u"ok"_s);
            const qint64 rows = rowsIn(target);
            QVERIFY(rows >= 500);
            QCOMPARE(rows % 10, 0);
            // A plain file on its own: no write-ahead log to go with it.
            QVERIFY(!QFile::exists(target + QStringLiteral("-wal")));
        }
        writing = false;
        writer.waitForFinished();
        QVERIFY(rowsIn(booksPath()) > 500);

        // What is pinned is copied, whatever is written after.
        const auto store = openBooks([](StoreBackups::Job) {});
        BackupCopy pinned(booksPath());
        const qint64 before = rowsIn(booksPath());
        store->save(session(utc(2026, 3, 1), 30));
        const QString target = m_dir.filePath(QStringLiteral("pinned.sqlite3"));
        pinned.write(target);
        QCOMPARE(rowsIn(target), before);
    }

    // Damaged books are not copied: no day's backup appears, a backup that is
    // there stays as it was, the change itself goes ahead, and the store says
    // why.
    void damagedBooksAreNeverCopied()
    {
        {
            SQLiteDatabase db(booksPath());
            db.execute(QStringLiteral("PRAGMA journal_mode = DELETE; CREATE TABLE t (v TEXT);"));
            for (int i = 0; i < 200; ++i)
                db.run(QStringLiteral("INSERT INTO t VALUES (?1);"),
                       {QString(500, QChar(u'a' + i % 26))});
        }
        damagePage(booksPath(), 3);
        StoreBackups backups(booksPath(), m_clock, StoreBackups::here(), folder());
        backups.beforeChange();
        QVERIFY(!QFile::exists(backups.files().dailyPath(QDate(2026, 3, 2))));
        QVERIFY(backups.problem());
        QVERIFY2(backups.problem()->contains(u"failed their integrity check"_s),
                 qPrintable(*backups.problem()));

        // Emptying asks for a copy whatever the day; a good one already
        // there is not replaced.
        writeFile(backups.files().dailyPath(QDate(2026, 3, 2)), "a good backup");
        std::function<QString()> job = backups.prepareBeforeEmptying();
        QVERIFY_THROWS_EXCEPTION(BackupCopy::Damaged, job());
        QCOMPARE(readFile(backups.files().dailyPath(QDate(2026, 3, 2))), "a good backup");
        QCOMPARE(backups.files().list().size(), 1);
        QCOMPARE(filesIn(folder()).size(), 1);
    }

    void restoreRefusesWhatIsNotSoundBooks_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << u"missing"_s << u"There is no file"_s;
        QTest::newRow("text") << u"text"_s << u"is not a Zol database; nothing was changed."_s;
        QTest::newRow("another program's database")
            << u"foreign"_s << u"is not a Zol database; nothing was changed."_s;
        QTest::newRow("damaged") << u"damaged"_s << u"is damaged ("_s;
    }

    void restoreRefusesWhatIsNotSoundBooks()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        const auto store = openBooks();
        store->save(session(utc(2026, 3, 1, 9), 60));
        const QStringList backupsBefore = filesIn(folder());

        const QString source = m_dir.filePath(QStringLiteral("source.sqlite3"));
        if (kind == u"text") {
            writeFile(source, QByteArray("id,started_at\n").repeated(400));
        } else if (kind == u"foreign") {
            SQLiteDatabase db(source);
            db.execute(QStringLiteral("CREATE TABLE entries (id TEXT, title TEXT);"));
        } else if (kind == u"damaged") {
            {
                EntryStore other(source, m_clock);
                other.writeTransaction([&] {
                    for (int i = 0; i < 400; ++i)
                        other.save(session(utc(2026, 1, 1).addSecs(i * 3600), 30));
                });
                other.database().execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
            }
            damagePage(source, 4);
        }

        try {
            store->backups()->restore(*store, source);
            QFAIL("restored");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(says), qPrintable(error.message()));
        }
        QCOMPARE(store->recentEntries(10).size(), 1);
        QCOMPARE(filesIn(folder()), backupsBefore);
    }

    // A restore puts the backup's sessions back in one change that another
    // connection sees, keeps the books as they were, and brings a backup of
    // an older schema up to date.
    void restorePutsTheBooksBack()
    {
        const auto store = openBooks();
        store->save(session(utc(2026, 3, 1, 9), 60));
        const QString second = store->backups()->files().dailyPath(QDate(2026, 3, 2));
        QCOMPARE(rowsIn(second), 0);
        m_clock.advance(86400);
        store->save(session(utc(2026, 3, 2, 9), 60));
        store->save(session(utc(2026, 3, 2, 11), 60));
        const QString third = store->backups()->files().dailyPath(QDate(2026, 3, 3));
        QCOMPARE(rowsIn(third), 1);

        EntryStore app(booksPath(), m_clock);
        const qint64 seen = app.dataVersion();
        m_clock.setNow(utc(2026, 3, 3, 14, 3, 12));
        const StoreBackups::Restored restored = store->backups()->restore(*store, third);
        QCOMPARE(store->recentEntries(10).size(), 1);
        QCOMPARE(app.recentEntries(10).size(), 1);
        QVERIFY(app.dataVersion() != seen);
        QCOMPARE(QFileInfo(restored.savedAs).fileName(),
                 u"zol-2026-03-03-before-restore-140312.sqlite3"_s);
        QCOMPARE(rowsIn(restored.savedAs), 3);
        // The dated backups are as they were.
        QCOMPARE(rowsIn(third), 1);
        QCOMPARE(rowsIn(second), 0);

        // Books of the oldest schema come back current.
        const QString old = m_dir.filePath(QStringLiteral("old.sqlite3"));
        {
            QFile sql(QStringLiteral(ZOL_FIXTURES "/oldest-schema.sql"));
            QVERIFY(sql.open(QIODevice::ReadOnly));
            SQLiteDatabase db(old);
            db.execute(QString::fromUtf8(sql.readAll()));
        }
        m_clock.advance(1);
        store->backups()->restore(*store, old);
        SQLiteDatabase check(booksPath(), SQLiteDatabase::Mode::readOnly);
        auto columns = check.prepare(QStringLiteral("PRAGMA table_info(entries);"));
        QStringList names;
        while (columns.step())
            names.append(columns.text(1));
        QVERIFY(names.contains(u"task"_s));
        QVERIFY(names.contains(u"is_internal"_s));
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
