// The session side of the store: reading by day, range and upload state, the
// bin, search, the task list, and the file it keeps.

#include "Builders.h"
#include "FakeClock.h"
#include "UserFolders.h"
#include "store/EntryStore.h"

#include <QFileInfo>
#include <QTest>
#include <QtConcurrent>

using namespace zol;
using namespace zol::test;

namespace {

QList<QUuid> ids(const QList<TimeEntry>& entries)
{
    QList<QUuid> result;
    for (const TimeEntry& e : entries)
        result.append(e.id);
    return result;
}

} // namespace

class TestEntryStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<EntryStore> m_store;

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<FakeClock>(utc(2026, 3, 2, 12));
        m_store = EntryStore::inMemory(*m_clock);
    }

    void saveStampsUpdatedAndKeepsCreation()
    {
        TimeEntry e = session(utc(2026, 3, 2, 9), 90);
        e.pausedAt = utc(2026, 3, 2, 9, 30);
        e.pausedSeconds = 12.5;
        e.note = QStringLiteral("Übersicht, \"quoted\"\nsecond line");
        e.task = QStringLiteral("Editing logos");
        e.uploadedAt = utc(2026, 3, 2, 11);
        e.createdAt = utc(2026, 3, 1);
        m_store->save(e);

        TimeEntry expected = e;
        expected.updatedAt = m_clock->now();
        QCOMPARE(*m_store->entry(e.id), expected);

        // A later save with another creation time keeps the first one.
        m_clock->advance(60);
        TimeEntry edited = e;
        edited.createdAt = utc(2030, 1, 1);
        edited.note = QStringLiteral("edited");
        m_store->save(edited);
        const TimeEntry read = *m_store->entry(e.id);
        QCOMPARE(read.createdAt, utc(2026, 3, 1));
        QCOMPARE(read.updatedAt, m_clock->now());
        QCOMPARE(read.note, QStringLiteral("edited"));
    }

    void damagedIdReadsAsAFreshOne()
    {
        m_store->database().execute(QStringLiteral(
            "INSERT INTO entries (id, machine_name, started_at, project_serial, project_name, created_at, updated_at) "
            "VALUES ('not-a-uuid', 'Mac', 1000, '7', 'P', 1000, 1000);"));
        const QList<TimeEntry> all = m_store->recentEntries(5);
        QCOMPARE(all.size(), 1);
        QVERIFY(!all.first().id.isNull());
        QVERIFY(all.first().isOpen());
    }

    void openAndRecent()
    {
        const TimeEntry older = running(utc(2026, 3, 2, 8));
        const TimeEntry newer = running(utc(2026, 3, 2, 10));
        const TimeEntry done = session(utc(2026, 3, 2, 11), 30);
        for (const TimeEntry& e : {older, newer, done})
            m_store->save(e);
        QCOMPARE(m_store->openEntry()->id, newer.id);
        m_store->deleteEntry(newer.id);
        QCOMPARE(m_store->openEntry()->id, older.id);
        QCOMPARE(ids(m_store->recentEntries(10)), (QList<QUuid>{done.id, older.id}));
        QCOMPARE(ids(m_store->recentEntries(1)), QList<QUuid>{done.id});
    }

    void dayAndRangeBoundaries()
    {
        // Local days in Amsterdam: 2 March 2026 runs from 1 March 23:00 UTC.
        const Calendar amsterdam(QTimeZone("Europe/Amsterdam"));
        const TimeEntry lastOfFirst = session(utc(2026, 3, 1, 22, 59, 59), 10);
        const TimeEntry firstOfSecond = session(utc(2026, 3, 1, 23), 10);
        const TimeEntry lateOnSecond = session(utc(2026, 3, 2, 22, 59), 10);
        const TimeEntry third = session(utc(2026, 3, 2, 23), 10);
        for (const TimeEntry& e : {third, lateOnSecond, lastOfFirst, firstOfSecond})
            m_store->save(e);

        QCOMPARE(ids(m_store->entries(QDate(2026, 3, 2), amsterdam)),
                 (QList<QUuid>{firstOfSecond.id, lateOnSecond.id}));
        QCOMPARE(ids(m_store->entries(utc(2026, 3, 1, 23), utc(2026, 3, 2, 23))),
                 (QList<QUuid>{lateOnSecond.id, firstOfSecond.id}));
        QCOMPARE(m_store->trackedDays(amsterdam),
                 (QList<QDate>{QDate(2026, 3, 3), QDate(2026, 3, 2), QDate(2026, 3, 1)}));
        QCOMPARE(m_store->trackedDays(Calendar(QTimeZone::utc())),
                 (QList<QDate>{QDate(2026, 3, 2), QDate(2026, 3, 1)}));
    }

    void uploadQueues()
    {
        const TimeEntry fresh = session(utc(2026, 3, 2, 8), 30);
        const TimeEntry handedIn = session(utc(2026, 3, 2, 9), 30);
        const TimeEntry editedAfter = session(utc(2026, 3, 2, 10), 30);
        const TimeEntry deletedAfter = session(utc(2026, 3, 2, 11), 30);
        const TimeEntry deletedNever = session(utc(2026, 3, 2, 11, 30), 30);
        const TimeEntry open = running(utc(2026, 3, 2, 12));
        for (const TimeEntry& e : {fresh, handedIn, editedAfter, deletedAfter, deletedNever, open})
            m_store->save(e);

        m_clock->advance(10);
        m_store->markUploaded({handedIn.id, editedAfter.id, deletedAfter.id}, m_clock->now());
        m_clock->advance(10);
        m_store->save(*m_store->entry(editedAfter.id));
        m_store->deleteEntry(deletedAfter.id);
        m_store->deleteEntry(deletedNever.id);

        QCOMPARE(ids(m_store->entriesNotUploaded()), QList<QUuid>{fresh.id});
        QCOMPARE(ids(m_store->entriesNeedingUpload()),
                 (QList<QUuid>{fresh.id, editedAfter.id, deletedAfter.id}));
        QCOMPARE(ids(m_store->deletedEntries(utc(2026, 3, 2, 11), utc(2026, 3, 2, 11))),
                 QList<QUuid>{deletedAfter.id});

        // Forgetting the hand-in leaves the edit time alone.
        const QDateTime before = m_store->entry(handedIn.id)->updatedAt;
        m_clock->advance(10);
        m_store->clearUploaded({handedIn.id});
        const TimeEntry cleared = *m_store->entry(handedIn.id);
        QVERIFY(!cleared.uploadedAt);
        QCOMPARE(cleared.updatedAt, before);
        QVERIFY(m_store->entriesNotUploaded().contains(cleared));
    }

    void binAndPurge()
    {
        const TimeEntry a = session(utc(2026, 3, 2, 8), 30);
        const TimeEntry b = session(utc(2026, 3, 2, 9), 30);
        m_store->save(a);
        m_store->save(b);
        m_store->deleteEntry(a.id);
        m_clock->advance(5);
        m_store->deleteEntry(b.id);
        QVERIFY(!m_store->entry(a.id));
        QCOMPARE(ids(m_store->deletedEntries(10)), (QList<QUuid>{b.id, a.id}));

        m_store->restore(a.id);
        QCOMPARE(m_store->entry(a.id)->updatedAt, m_clock->now());
        QVERIFY(!m_store->entry(a.id)->deletedAt);

        m_clock->advance(5);
        m_store->deleteEntry(a.id);
        m_store->purgeDeleted(m_clock->now()); // only b was deleted before now
        QCOMPARE(ids(m_store->deletedEntries(10)), QList<QUuid>{a.id});
        m_store->purge(a.id);
        QVERIFY(m_store->deletedEntries(10).isEmpty());
    }

    void changedRows()
    {
        const TimeEntry a = session(utc(2026, 3, 2, 8), 30);
        const TimeEntry b = session(utc(2026, 3, 2, 9), 30);
        m_store->save(a);
        const QDateTime mark = m_clock->now();
        m_clock->advance(1);
        m_store->save(b);
        m_clock->advance(1);
        m_store->deleteEntry(a.id);
        QCOMPARE(ids(m_store->entriesChanged(mark, 10)), (QList<QUuid>{b.id, a.id}));
        QCOMPARE(ids(m_store->entriesChanged(mark, 1)), QList<QUuid>{b.id});
    }

    void overlaps()
    {
        const TimeEntry subject = session(utc(2026, 3, 2, 9), 60);
        const TimeEntry inside = session(utc(2026, 3, 2, 9, 15), 10);
        const TimeEntry touchesBefore = session(utc(2026, 3, 2, 8), 60);
        const TimeEntry touchesAfter = session(utc(2026, 3, 2, 10), 60);
        const TimeEntry straddles = session(utc(2026, 3, 2, 8, 30), 40);
        const TimeEntry deleted = session(utc(2026, 3, 2, 9, 20), 10);
        const TimeEntry open = running(utc(2026, 3, 2, 9, 5));
        for (const TimeEntry& e : {subject, inside, touchesBefore, touchesAfter, straddles, deleted, open})
            m_store->save(e);
        m_store->deleteEntry(deleted.id);

        QCOMPARE(ids(m_store->overlaps(subject)), (QList<QUuid>{straddles.id, inside.id}));
        QVERIFY(m_store->overlaps(open).isEmpty());
    }

    void search_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("range");
        QTest::addColumn<QStringList>("expected"); // notes of the hits, newest first

        QTest::newRow("blank finds nothing") << QStringLiteral("  \n") << int(SearchRange::all) << QStringList();
        QTest::newRow("accents and case") << QStringLiteral("NOEL") << int(SearchRange::all)
                                          << QStringList{QStringLiteral("week old"), QStringLiteral("year old")};
        QTest::newRow("range cuts off") << QStringLiteral("noël") << int(SearchRange::month)
                                        << QStringList{QStringLiteral("week old")};
        QTest::newRow("number of a project") << QStringLiteral("2302") << int(SearchRange::all)
                                             << QStringList{QStringLiteral("year old")};
        QTest::newRow("internal work is not found by a number in its name")
            << QStringLiteral("XYZ7") << int(SearchRange::all) << QStringList();
        QTest::newRow("local keys are not searched") << QStringLiteral("0000") << int(SearchRange::all)
                                                     << QStringList();
        QTest::newRow("machine name") << QStringLiteral("laptop") << int(SearchRange::all)
                                      << QStringList{QStringLiteral("internal")};
        QTest::newRow("deleted sessions are not found") << QStringLiteral("binned") << int(SearchRange::all)
                                                        << QStringList();
    }

    void search()
    {
        QFETCH(QString, query);
        QFETCH(int, range);
        QFETCH(QStringList, expected);

        TimeEntry weekOld = session(utc(2026, 2, 24, 9), 30, QStringLiteral("2301"), QStringLiteral("Site"),
                                    QStringLiteral("Bakkerij Noël"));
        weekOld.note = QStringLiteral("week old");
        TimeEntry yearOld = session(utc(2025, 4, 1, 9), 30, QStringLiteral("2302"), QStringLiteral("Menu"),
                                    QStringLiteral("Bakkerij Noel"));
        yearOld.note = QStringLiteral("year old");
        TimeEntry internal = TimeEntry::makeInternal(QStringLiteral("Admin"), QStringLiteral("Laptop"),
                                                     utc(2026, 3, 1, 9), m_clock->now());
        internal.endedAt = utc(2026, 3, 1, 10);
        internal.projectSerial = QStringLiteral("INT:XYZ7");
        internal.note = QStringLiteral("internal");
        TimeEntry local = session(utc(2026, 3, 1, 11), 30, QStringLiteral("LOCAL:0000"), QStringLiteral("Draft"),
                                  QString());
        local.note = QStringLiteral("draft note");
        TimeEntry binned = session(utc(2026, 3, 1, 12), 30);
        binned.note = QStringLiteral("binned");
        for (const TimeEntry& e : {weekOld, yearOld, internal, local, binned})
            m_store->save(e);
        m_store->deleteEntry(binned.id);

        QStringList notes;
        for (const TimeEntry& e : m_store->search(query, SearchRange(SearchRange::Case(range)), m_clock->now()))
            notes.append(e.note);
        QCOMPARE(notes, expected);
    }

    void searchStopsAtTheLimit()
    {
        for (int i = 0; i < 5; ++i)
            m_store->save(session(utc(2026, 3, 1, 8 + i), 30));
        const QList<TimeEntry> found = m_store->search(u"acme", SearchRange::all, m_clock->now(), 2);
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.first().startedAt, utc(2026, 3, 1, 12));
    }

    void taskList()
    {
        QCOMPARE(m_store->taskList(), TaskList());

        const TaskList list(true, {QStringLiteral("Sketch"), QStringLiteral("Edit")}, utc(2026, 3, 1));
        m_store->saveTaskList(list);
        QCOMPARE(m_store->taskList(), list);

        QVERIFY(!m_store->mergeTaskList(TaskList(false, {}, utc(2026, 3, 1))));
        QVERIFY(!m_store->mergeTaskList(TaskList(false, {}, utc(2026, 2, 1))));
        QCOMPARE(m_store->taskList(), list);
        const TaskList newer(true, {QStringLiteral("Print")}, utc(2026, 3, 1, 0, 0, 1));
        QVERIFY(m_store->mergeTaskList(newer));
        QCOMPARE(m_store->taskList(), newer);

        // A value that does not decode is no list at all.
        m_store->database().execute(QStringLiteral("UPDATE meta SET value = '{\"tasks\": 3}' WHERE key = 'tasks';"));
        QCOMPARE(m_store->taskList(), TaskList());
    }

    void eraseEverythingKeepsOtherSettings()
    {
        m_store->save(session(utc(2026, 3, 1, 8), 30));
        m_store->addManualProject(project(QStringLiteral("7"), QStringLiteral("P"), QString(), utc(2026, 1, 1),
                                          utc(2026, 1, 1)));
        m_store->saveTaskList(TaskList(true, {QStringLiteral("Sketch")}, utc(2026, 3, 1)));
        m_store->database().execute(QStringLiteral("INSERT INTO meta VALUES ('other', '1');"));

        m_store->eraseEverything();
        QVERIFY(m_store->recentEntries(10).isEmpty());
        QVERIFY(m_store->projects(true).isEmpty());
        QCOMPARE(m_store->taskList(), TaskList());
        auto statement = m_store->database().prepare(QStringLiteral("SELECT COUNT(*) FROM meta;"));
        QVERIFY(statement.step());
        QCOMPARE(statement.integer(0), 1);
    }

    void fileLocationsAndPermissions()
    {
        UserFolders folders;
        const QString path = EntryStore::url(QStringLiteral("3F2504E0-4F89-41D3-9A0C-0305E82C3301"));
        QCOMPARE(path, folders.dataHome() + QStringLiteral("/Zol/zol-3F2504E0-4F89-41D3-9A0C-0305E82C3301.sqlite3"));
        QCOMPARE(EntryStore::defaultURL(), folders.dataHome() + QStringLiteral("/Zol/zol.sqlite3"));

        EntryStore store(path);
        store.save(session(utc(2026, 3, 1, 8), 30));
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QCOMPARE(QFileInfo(path).permissions() & ~QFileDevice::Permissions(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 ownerOnly);
        QCOMPARE(QFileInfo(path + QStringLiteral("-wal")).permissions()
                     & ~QFileDevice::Permissions(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 ownerOnly);
        const QFileInfo folder(folders.dataHome() + QStringLiteral("/Zol"));
        QCOMPARE(folder.permissions()
                     & ~QFileDevice::Permissions(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void twoThreadsAndTwoConnections()
    {
        UserFolders folders;
        const QString path = EntryStore::defaultURL();
        EntryStore first(path);
        EntryStore second(path); // another process, as far as SQLite can tell

        constexpr int perWriter = 200;
        const auto writer = [](EntryStore* store, int hour) {
            for (int i = 0; i < perWriter; ++i) {
                store->save(session(utc(2026, 1, 1, hour).addSecs(i * 60), 1));
                store->recentEntries(5);
            }
        };
        QFuture<void> a = QtConcurrent::run(writer, &first, 1);
        QFuture<void> b = QtConcurrent::run(writer, &first, 8);
        QFuture<void> c = QtConcurrent::run(writer, &second, 16);
        a.waitForFinished();
        b.waitForFinished();
        c.waitForFinished();
        QCOMPARE(first.recentEntries(10'000).size(), 3 * perWriter);
    }

    void noticesWritesOfOtherConnections()
    {
        UserFolders folders;
        EntryStore app(EntryStore::defaultURL());
        EntryStore commandLine(EntryStore::defaultURL());
        const qint64 start = app.dataVersion();
        app.save(session(utc(2026, 3, 1, 8), 30));
        QCOMPARE(app.dataVersion(), start);
        commandLine.save(session(utc(2026, 3, 1, 9), 30));
        QVERIFY(app.dataVersion() != start);
    }
};

QTEST_GUILESS_MAIN(TestEntryStore)
#include "tst_entrystore.moc"
