// The store: sessions read by day, range and upload state, the bin, search,
// the task list and the file it keeps; and the project catalogue, with
// hand-made and upstream rows, the ownership rule of numbers when lists from
// other machines merge, and renumbering a project together with its sessions.

#include "Builders.h"
#include "FakeClock.h"
#include "UserFolders.h"
#include "store/EntryStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <QtConcurrent>
#include <limits>

using namespace Qt::StringLiterals;
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

const QDateTime t = utc(2026, 1, 1);

Project simple(const QString& serial, const QString& name, const QString& client = {})
{
    return project(serial, name, client, t, t);
}

} // namespace

class TestEntryStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<EntryStore> m_store;

    qint64 isManual(const QString& serial)
    {
        auto statement = m_store->database().prepare(u"SELECT is_manual FROM projects WHERE serial = ?1;"_s, {serial});
        return statement.step() ? statement.integer(0) : -1;
    }

    QStringList serials(const QList<Project>& projects)
    {
        QStringList result;
        for (const Project& p : projects)
            result.append(p.serial);
        return result;
    }

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
        e.note = u"Übersicht, \"quoted\"\nsecond line"_s;
        e.task = u"Editing logos"_s;
        e.uploadedAt = utc(2026, 3, 2, 11);
        e.createdAt = utc(2026, 3, 1);
        m_store->save(e);
        e.updatedAt = m_clock->now();
        QCOMPARE(*m_store->entry(e.id), e);

        // A later save with another creation time keeps the first one.
        m_clock->advance(60);
        TimeEntry edited = e;
        edited.createdAt = utc(2030, 1, 1);
        m_store->save(edited);
        e.updatedAt = m_clock->now();
        QCOMPARE(*m_store->entry(e.id), e);
    }

    void openAndRecent()
    {
        const TimeEntry open = running(utc(2026, 3, 2, 10));
        const TimeEntry done = session(utc(2026, 3, 2, 11), 30);
        for (const TimeEntry& e : {open, done})
            m_store->save(e);
        // The books hold one open session: the database itself refuses a
        // second, whoever writes it.
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, m_store->save(running(utc(2026, 3, 2, 8))));
        // An old row whose id was damaged reads with a fresh one.
        m_store->database().execute(
            u"INSERT INTO entries (id, machine_name, started_at, ended_at, project_serial, "
            "project_name, created_at, updated_at) "
            "VALUES ('not-a-uuid', 'Mac', 1000, 1100, '7', 'P', 1000, 1000);"_s);

        QCOMPARE(m_store->openEntry()->id, open.id);
        m_store->deleteEntry(open.id);
        QVERIFY(!m_store->openEntry());
        const QList<TimeEntry> recent = m_store->recentEntries(10);
        QCOMPARE(ids(recent).mid(0, 1), (QList<QUuid>{done.id}));
        QVERIFY(recent.size() == 2 && !recent[1].id.isNull());
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

        QCOMPARE(ids(m_store->entries(QDate(2026, 3, 2), amsterdam)), (QList<QUuid>{firstOfSecond.id, lateOnSecond.id}));
        QCOMPARE(ids(m_store->entries(utc(2026, 3, 1, 23), utc(2026, 3, 2, 23))),
                 (QList<QUuid>{lateOnSecond.id, firstOfSecond.id}));
        QCOMPARE(m_store->trackedDays(amsterdam), (QList<QDate>{QDate(2026, 3, 3), QDate(2026, 3, 2), QDate(2026, 3, 1)}));
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
        QCOMPARE(ids(m_store->entriesNeedingUpload()), (QList<QUuid>{fresh.id, editedAfter.id, deletedAfter.id}));
        QCOMPARE(ids(m_store->deletedEntries(utc(2026, 3, 2, 11), utc(2026, 3, 2, 11))), QList<QUuid>{deletedAfter.id});

        // Forgetting the hand-in leaves the edit time alone.
        const QDateTime before = m_store->entry(handedIn.id)->updatedAt;
        m_clock->advance(10);
        m_store->clearUploaded({handedIn.id});
        QCOMPARE(m_store->entry(handedIn.id)->updatedAt, before);
        QCOMPARE(ids(m_store->entriesNotUploaded()), (QList<QUuid>{fresh.id, handedIn.id}));

        // Marking copies as written skips one edited since it was read.
        const QList<TimeEntry> written{*m_store->entry(fresh.id), *m_store->entry(handedIn.id)};
        m_clock->advance(10);
        m_store->save(*m_store->entry(handedIn.id));
        QCOMPARE(m_store->markUploadedIfUnchanged(written, m_clock->now()), 1);
        QCOMPARE(ids(m_store->entriesNotUploaded()), QList<QUuid>{handedIn.id});
    }

    void binPurgeAndChangedRows()
    {
        const TimeEntry a = session(utc(2026, 3, 2, 8), 30);
        const TimeEntry b = session(utc(2026, 3, 2, 9), 30);
        m_store->save(a);
        const QDateTime mark = m_clock->now();
        m_clock->advance(1);
        m_store->save(b);
        m_clock->advance(1);
        m_store->deleteEntry(a.id);
        // A deletion is a change too; the oldest change comes first.
        QCOMPARE(ids(m_store->entriesChanged(mark, 10)), (QList<QUuid>{b.id, a.id}));
        QCOMPARE(ids(m_store->entriesChanged(mark, 1)), QList<QUuid>{b.id});

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

        // A restore counts no hour twice: it stays in the bin while a live
        // session, the running one included, holds any of its time.
        QCOMPARE(ids(m_store->restore(deleted.id)), (QList<QUuid>{subject.id, open.id, inside.id}));
        QVERIFY(!m_store->entry(deleted.id));
        for (const TimeEntry& e : {subject, open})
            m_store->deleteEntry(e.id);
        QCOMPARE(ids(m_store->restore(deleted.id)), QList<QUuid>{inside.id});
        m_store->deleteEntry(inside.id);
        QVERIFY(m_store->restore(deleted.id).isEmpty());
        QVERIFY(m_store->entry(deleted.id));
    }

    void search()
    {
        TimeEntry weekOld = session(utc(2026, 2, 24, 9), 30, u"2301"_s, u"Site"_s, u"Bakkerij Noël"_s);
        weekOld.note = u"week old"_s;
        TimeEntry yearOld = session(utc(2025, 4, 1, 9), 30, u"2302"_s, u"Menu"_s, u"Bakkerij Noel"_s);
        yearOld.note = u"year old"_s;
        TimeEntry internal = TimeEntry::makeInternal(u"Admin"_s, u"Laptop"_s, utc(2026, 3, 1, 9), m_clock->now());
        internal.endedAt = utc(2026, 3, 1, 10);
        internal.projectSerial = u"INT:XYZ7"_s;
        internal.note = u"internal"_s;
        TimeEntry binned = session(utc(2026, 3, 1, 12), 30);
        binned.note = u"binned"_s;
        for (const TimeEntry& e : {weekOld, yearOld, internal, binned})
            m_store->save(e);
        m_store->deleteEntry(binned.id);

        const auto notes = [&](const QString& query, SearchRange range, int limit = 100) {
            QStringList found;
            for (const TimeEntry& e : m_store->search(query, range, m_clock->now(), limit))
                found.append(e.note);
            return found;
        };
        QCOMPARE(notes(u"  \n"_s, SearchRange::all), QStringList());
        QCOMPARE(notes(u"NOEL"_s, SearchRange::all), (QStringList{u"week old"_s, u"year old"_s}));
        QCOMPARE(notes(u"noël"_s, SearchRange::month), QStringList{u"week old"_s});
        QCOMPARE(notes(u"bakkerij"_s, SearchRange::all, 1), QStringList{u"week old"_s});
        QCOMPARE(notes(u"2302"_s, SearchRange::all), QStringList{u"year old"_s});
        QCOMPARE(notes(u"laptop"_s, SearchRange::all), QStringList{u"internal"_s});
        // Neither the number of internal work nor a deleted session is found.
        QCOMPARE(notes(u"XYZ7"_s, SearchRange::all), QStringList());
        QCOMPARE(notes(u"binned"_s, SearchRange::all), QStringList());

        // Over all time without a limit the table is read in its own order and
        // the matches put in order after: the order the index gives, sessions
        // saved out of order and sessions that started together included; a
        // name that is not plain ASCII matches every time it comes back.
        for (int i = 0; i < 40; ++i) {
            TimeEntry poster = session(utc(2026, 1, 1 + (i * 7) % 28, 9), 30, u"2303"_s,
                                       u"Poster"_s, u"Café Noël"_s);
            poster.note = u"poster %1"_s.arg(i);
            m_store->save(poster);
        }
        const QStringList everything =
            notes(u"cafe"_s, SearchRange::all, std::numeric_limits<int>::max());
        QCOMPARE(everything.size(), 40);
        QCOMPARE(everything, notes(u"cafe"_s, SearchRange::all, 1000));
    }

    void taskList()
    {
        QCOMPARE(m_store->taskList(), TaskList());
        const TaskList list(true, {u"Sketch"_s, u"Edit"_s}, utc(2026, 3, 1));
        m_store->saveTaskList(list);
        QCOMPARE(m_store->taskList(), list);

        // Only a strictly newer list replaces it.
        QVERIFY(!m_store->mergeTaskList(TaskList(false, {}, utc(2026, 3, 1))));
        QCOMPARE(m_store->taskList(), list);
        const TaskList newer(true, {u"Print"_s}, utc(2026, 3, 1, 0, 0, 1));
        QVERIFY(m_store->mergeTaskList(newer));
        QCOMPARE(m_store->taskList(), newer);

        // A value that does not decode is no list at all.
        m_store->database().execute(u"UPDATE meta SET value = '{\"tasks\": 3}' WHERE key = 'tasks';"_s);
        QCOMPARE(m_store->taskList(), TaskList());
    }

    void eraseEverythingKeepsOtherSettings()
    {
        m_store->save(session(utc(2026, 3, 1, 8), 30));
        m_store->addManualProject(project(u"7"_s, u"P"_s, QString(), utc(2026, 1, 1), utc(2026, 1, 1)));
        m_store->saveTaskList(TaskList(true, {u"Sketch"_s}, utc(2026, 3, 1)));
        m_store->database().execute(u"INSERT INTO meta VALUES ('other', '1');"_s);

        m_store->eraseEverything();
        QVERIFY(m_store->recentEntries(10).isEmpty());
        QVERIFY(m_store->projects(true).isEmpty());
        QCOMPARE(m_store->taskList(), TaskList());
        auto statement = m_store->database().prepare(u"SELECT key FROM meta;"_s);
        QVERIFY(statement.step() && statement.text(0) == u"other"_s && !statement.step());
    }

    void fileLocationsAndPermissions()
    {
        UserFolders folders;
        const QString path = EntryStore::url(u"3F2504E0-4F89-41D3-9A0C-0305E82C3301"_s);
        QCOMPARE(path, folders.dataHome() + u"/Zol/zol-3F2504E0-4F89-41D3-9A0C-0305E82C3301.sqlite3"_s);
        QCOMPARE(EntryStore::defaultURL(), folders.dataHome() + u"/Zol/zol.sqlite3"_s);

        EntryStore store(path);
        store.save(session(utc(2026, 3, 1, 8), 30));
        // Owner only: the "user" bits are the owner's as seen by this process.
        const auto others =
            ~QFileDevice::Permissions(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        for (const QString& file : QStringList{path, path + u"-wal"_s})
            QCOMPARE(QFileInfo(file).permissions() & others, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(QFileInfo(folders.dataHome() + u"/Zol"_s).permissions() & others,
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // A note deleted and emptied from the bin is in neither the database nor
    // its log afterwards: deleted rows are zeroed and the log is emptied.
    void anEmptiedBinLeavesNoTraceInTheFiles()
    {
        UserFolders folders;
        const QString path = EntryStore::defaultURL();
        const QByteArray secret = "the-password-is-swordfish";
        const auto files = [&] {
            QByteArray all;
            for (const QString& file : QStringList{path, path + u"-wal"_s}) {
                QFile f(file);
                if (f.open(QIODevice::ReadOnly))
                    all += f.readAll();
            }
            return all;
        };
        EntryStore store(path, *m_clock);
        TimeEntry noted = session(utc(2026, 3, 1, 8), 30);
        noted.note = QString::fromLatin1(secret);
        store.save(noted);
        for (int i = 0; i < 20; ++i)
            store.save(session(utc(2026, 2, 1 + i, 8), 30));
        QVERIFY(files().contains(secret));
        store.deleteEntry(noted.id);
        m_clock->advance(1);
        store.purgeDeleted(m_clock->now());
        QVERIFY(!files().contains(secret));
        QCOMPARE(store.recentEntries(100).size(), 20);
    }

    void twoThreadsAndTwoConnections()
    {
        UserFolders folders;
        EntryStore first(EntryStore::defaultURL());
        EntryStore second(EntryStore::defaultURL()); // another process, as far as SQLite can tell
        const qint64 start = first.dataVersion();
        first.save(session(utc(2026, 3, 1, 8), 30));
        QCOMPARE(first.dataVersion(), start); // its own writes are not news
        second.save(session(utc(2026, 3, 1, 9), 30));
        QVERIFY(first.dataVersion() != start);

        constexpr int perWriter = 200;
        const auto writer = [](EntryStore* store, int hour) {
            for (int i = 0; i < perWriter; ++i) {
                store->save(session(utc(2026, 1, 1, hour).addSecs(i * 60), 1));
                store->recentEntries(5);
            }
        };
        for (QFuture<void> f : {QtConcurrent::run(writer, &first, 1), QtConcurrent::run(writer, &first, 8),
                                QtConcurrent::run(writer, &second, 16)})
            f.waitForFinished();
        QCOMPARE(first.recentEntries(10'000).size(), 2 + 3 * perWriter);
    }

    // The log of books used from the command line alone: each command opens
    // them, writes and closes. A long log is folded in by whichever closes
    // the books last, so it does not grow with every command (each would read
    // it whole on opening); while another connection has them open, it stays.
    void longLogIsFoldedInByTheLastToClose()
    {
        UserFolders folders;
        const QString log = EntryStore::defaultURL() + u"-wal"_s;
        const auto writeUntilLong = [&](EntryStore& store, int& minute) {
            while (QFileInfo(log).size() <= 100 * 4096)
                store.save(session(utc(2026, 3, 1, 8).addSecs(60 * minute++), 1));
        };
        int minute = 0;
        {
            EntryStore keeper(EntryStore::defaultURL());
            {
                EntryStore command(EntryStore::defaultURL());
                writeUntilLong(command, minute);
            }
            QVERIFY(QFileInfo(log).size() > 100 * 4096);
        }
        // The last to close found it long: folded in, and gone.
        QVERIFY(!QFileInfo::exists(log));
        {
            EntryStore command(EntryStore::defaultURL());
            command.save(session(utc(2026, 3, 2, 8), 1));
        }
        QVERIFY(QFileInfo(log).size() < 100 * 4096);
        EntryStore reader(EntryStore::defaultURL());
        QCOMPARE(reader.recentEntries(10'000).size(), minute + 1);
    }

    void catalogueReads()
    {
        m_store->addManualProject(simple(u"2302"_s, u"website"_s, u"bakkerij"_s));
        m_store->addManualProject(simple(u"2301"_s, u"Brand book"_s, u"Acme"_s));
        m_store->addManualProject(project(u"2303"_s, u"Archive"_s, u"acme"_s, t, t, false));
        m_store->addManualProject(simple(u"ab-7"_s, u"Annual report"_s, u"Bakkerij"_s));

        // Active only, by client then name, ignoring case.
        QCOMPARE(serials(m_store->projects(false)), (QStringList{u"2301"_s, u"ab-7"_s, u"2302"_s}));
        QCOMPARE(serials(m_store->projects(true)).size(), 4);
        QCOMPARE(m_store->project(u"  AB-7 \n")->name, u"Annual report"_s);
        QVERIFY(!m_store->project(u"   "));

        m_clock->advance(30);
        m_store->setProjectActive(u"2303"_s, true);
        QVERIFY(m_store->project(u"2303")->isActive);
        QCOMPARE(m_store->project(u"2303")->updatedAt, m_clock->now());
        QCOMPARE(serials(m_store->projectsChanged(t, 10)), QStringList{u"2303"_s});
    }

    void handMadeAndUpstreamRows()
    {
        // Adding a number known from upstream edits it, keeping its older creation.
        m_store->replaceRemoteProjects({project(u"2301"_s, u"Brand book"_s, u"Acme"_s, utc(2025, 1, 1), utc(2025, 1, 1))});
        QCOMPARE(isManual(u"2301"_s), 0);
        m_store->addManualProject(project(u"2301"_s, u"Brand book 2"_s, u"Acme"_s, utc(2026, 3, 1), utc(2026, 3, 1)));
        QCOMPARE(m_store->project(u"2301")->name, u"Brand book 2"_s);
        QCOMPARE(m_store->project(u"2301")->createdAt, utc(2025, 1, 1));
        QCOMPARE(isManual(u"2301"_s), 1);

        // A refresh replaces the upstream rows and keeps the hand-made ones.
        m_store->replaceRemoteProjects({simple(u"1"_s, u"One"_s), simple(u"2"_s, u"Two"_s)});
        m_store->replaceRemoteProjects({simple(u"2"_s, u"Two!"_s), simple(u"2301"_s, u"Theirs"_s)});
        QCOMPARE(serials(m_store->projects(true)), (QStringList{u"2301"_s, u"2"_s}));
        QCOMPARE(m_store->project(u"2301")->name, u"Theirs"_s);
        QCOMPARE(isManual(u"2301"_s), 1);
        QCOMPARE(isManual(u"2"_s), 0);
    }

    void merge_data()
    {
        // The local row was created at 2025-01-01 00:00:00 and last edited on
        // 2026-01-01 as "Brand book". The incoming record of the same number
        // differs in creation by `createdOffset` seconds and in its last edit
        // by `editedOffset` seconds.
        QTest::addColumn<double>("createdOffset");
        QTest::addColumn<double>("editedOffset");
        QTest::addColumn<QString>("incomingName");
        QTest::addColumn<bool>("written");
        QTest::addColumn<double>("createdOffsetAfter");
        const QString v2 = u"Brand book v2"_s;
        QTest::newRow("same lineage, newer edit: details follow, creation stays")
            << 1.0 << 60.0 << v2 << true << 0.0;
        QTest::newRow("same lineage, rounding the other way") << -1.0 << 60.0 << v2 << true << 0.0;
        QTest::newRow("same lineage, older edit is ignored") << 0.0 << -60.0 << v2 << false << 0.0;
        QTest::newRow("same lineage, nothing new")
            << 0.5 << 60.0 << u"Brand book"_s << false << 0.0;
        QTest::newRow("younger claim loses the number") << 2.0 << 60.0 << v2 << false << 0.0;
        QTest::newRow("older claim takes the number") << -2.0 << -60.0 << v2 << true << -2.0;
        // Edits within one second travel with one stamp: the details decide,
        // the same way on every machine, whichever was made first.
        QTest::newRow("same second, larger name wins though made earlier")
            << 0.0 << -0.4 << v2 << true << 0.0;
        QTest::newRow("same second, smaller name loses though made later")
            << 0.0 << 0.4 << u"Atlas"_s << false << 0.0;
        QTest::newRow("a later second wins whatever the name")
            << 0.0 << 1.0 << u"Atlas"_s << true << 0.0;
    }

    void merge()
    {
        QFETCH(double, createdOffset);
        QFETCH(double, editedOffset);
        QFETCH(QString, incomingName);
        QFETCH(bool, written);
        QFETCH(double, createdOffsetAfter);

        const QDateTime created = utc(2025, 1, 1);
        const QDateTime edited = t.addMSecs(500);
        m_store->addManualProject(project(u"2301"_s, u"Brand book"_s, u"Acme"_s, created, edited));
        const Project incoming = project(u"2301"_s, incomingName, u"Acme"_s,
                                         created.addMSecs(qint64(createdOffset * 1000)),
                                         edited.addMSecs(qint64(editedOffset * 1000)));

        QCOMPARE(m_store->mergeProjects({incoming}), int(written));
        const Project after = *m_store->project(u"2301");
        QCOMPARE(after.name, written ? incomingName : u"Brand book"_s);
        QCOMPARE(after.createdAt, created.addMSecs(qint64(createdOffsetAfter * 1000)));
        QCOMPARE(after.updatedAt, written ? incoming.updatedAt : edited);
    }

    void localChangesStampPastWhatTheyReplace_data()
    {
        // The row's last stamp, relative to now: from a moment ago in the same
        // second, or from a machine whose clock runs ahead.
        QTest::addColumn<QString>("change");
        QTest::addColumn<double>("previous");
        for (const QString& change :
             {u"add again"_s, u"edit"_s, u"archive"_s, u"put back"_s, u"link"_s}) {
            QTest::addRow("%s, same second", qPrintable(change)) << change << -0.3;
            QTest::addRow("%s, clock ahead", qPrintable(change)) << change << 30.0;
        }
    }

    void localChangesStampPastWhatTheyReplace()
    {
        QFETCH(QString, change);
        QFETCH(double, previous);
        const QDateTime now = m_clock->now();
        const QDateTime before = now.addMSecs(qint64(previous * 1000));
        const Project draft = Project::local(u"Poster"_s, u"Museum"_s, before);
        const bool isLink = change == u"link"_s;
        m_store->addManualProject(isLink ? draft
                                         : project(u"2301"_s, u"Poster"_s, u"Museum"_s, t, before,
                                                   change != u"put back"_s));
        if (change == u"add again"_s)
            m_store->addManualProject(project(u"2301"_s, u"Poster v2"_s, u"Museum"_s, now, now));
        else if (change == u"edit"_s)
            m_store->updateProject(u"2301"_s, u"Poster v2"_s, u"Museum"_s, {});
        else if (isLink)
            m_store->linkProject(draft.serial, u"2301"_s);
        else
            m_store->setProjectActive(u"2301"_s, change == u"put back"_s);
        QCOMPARE(m_store->project(u"2301")->updatedAt, std::max(now, before.addSecs(1)));
    }

    void mergeOnlyCarriesRealNumbers()
    {
        const Project fresh = simple(u"2305"_s, u"New"_s);
        const Project draft = Project::local(u"Draft"_s, QString(), t);
        QCOMPARE(m_store->mergeProjects({draft, simple(QString(), u"Nothing"_s), fresh}), 1);
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"2305"_s});
        // A number learnt from a peer is kept like a hand-made one.
        QCOMPARE(isManual(u"2305"_s), 1);
        QCOMPARE(m_store->mergeProjects({fresh}), 0);
    }

    void mergeIsAllOrNothing()
    {
        m_store->database().execute(u"CREATE TRIGGER refuse BEFORE INSERT ON projects WHEN NEW.serial = 'BAD' "
                                    "BEGIN SELECT RAISE(ABORT, 'refused by test'); END;"_s);
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error,
                                 m_store->mergeProjects({simple(u"1"_s, u"One"_s), simple(u"BAD"_s, u"Bad"_s)}));
        QVERIFY(m_store->projects(true).isEmpty());
        // The store is usable afterwards: the transaction was closed.
        QCOMPARE(m_store->mergeProjects({simple(u"1"_s, u"One"_s)}), 1);
    }

    void linkingALocalProject()
    {
        const Project draft = Project::local(u"Poster"_s, u"Museum"_s, t);
        m_store->addManualProject(draft);
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30, draft.serial, u"Poster (as tracked)"_s, u"Museum"_s);
        m_store->save(e);
        m_clock->advance(10);

        // To a free number: the project moves, its sessions keep the name they were tracked under.
        m_store->linkProject(draft.serial, u" \t2310 "_s);
        QVERIFY(!m_store->project(draft.serial));
        QCOMPARE(m_store->project(u"2310")->name, u"Poster"_s);
        const TimeEntry moved = *m_store->entry(e.id);
        QCOMPARE((QStringList{moved.projectSerial, moved.projectName}),
                 (QStringList{u"2310"_s, u"Poster (as tracked)"_s}));
        QCOMPARE(moved.updatedAt, m_clock->now());

        // To a number that exists: the draft joins it, sessions take its name.
        const Project second = Project::local(u"Poster, again"_s, u"Museum"_s, t);
        m_store->addManualProject(second);
        const TimeEntry f = session(utc(2026, 2, 2, 9), 30, second.serial, u"Poster, again"_s, u"Museum"_s);
        m_store->save(f);
        m_store->linkProject(second.serial, u"2310"_s);
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"2310"_s});
        QCOMPARE((QStringList{m_store->entry(f.id)->projectSerial, m_store->entry(f.id)->projectName}),
                 (QStringList{u"2310"_s, u"Poster"_s}));

        // Linking to blanks, or to itself, does nothing.
        m_store->linkProject(u"2310"_s, u"  "_s);
        m_store->linkProject(u"2310"_s, u"2310"_s);
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"2310"_s});
    }

    // A number is one project however its letters are cased: typed again in
    // another case, arriving from a peer in another, or respelled by hand.
    void twoSpellingsOfOneNumberAreOneProject()
    {
        m_store->addManualProject(simple(u"ab-1"_s, u"Poster"_s, u"Museum"_s));
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30, u"ab-1"_s, u"Poster"_s, u"Museum"_s);
        m_store->save(e);
        QCOMPARE(m_store->project(u" AB-1 "_s)->serial, u"ab-1"_s);

        // Typed again in capitals: the one project is edited, under its spelling.
        m_store->addManualProject(simple(u"AB-1"_s, u"Poster v2"_s, u"Museum"_s));
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"ab-1"_s});
        QCOMPARE(m_store->project(u"ab-1"_s)->name, u"Poster v2"_s);

        // From a peer, same lineage and second, same details: the spelling
        // that sorts first is kept on every computer, and the sessions follow.
        const Project stored = *m_store->project(u"ab-1"_s);
        Project theirs = stored;
        theirs.serial = u"AB-1"_s;
        QCOMPARE(m_store->mergeProjects({theirs}), 1);
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"AB-1"_s});
        QCOMPARE(m_store->entry(e.id)->projectSerial, u"AB-1"_s);
        QCOMPARE(m_store->mergeProjects({stored}), 0);

        // Respelled by hand: the project and its sessions take the new
        // spelling; nothing is lost to a twin of itself.
        m_clock->advance(10);
        m_store->updateProject(u"AB-1"_s, u"Poster"_s, u"Museum"_s, u"Ab-1"_s);
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"Ab-1"_s});
        QCOMPARE(m_store->entry(e.id)->projectSerial, u"Ab-1"_s);

        // A local project linked to another spelling joins it.
        const Project draft = Project::local(u"Poster, again"_s, u"Museum"_s, t);
        m_store->addManualProject(draft);
        const TimeEntry f =
            session(utc(2026, 2, 2, 9), 30, draft.serial, u"Poster, again"_s, u"Museum"_s);
        m_store->save(f);
        m_store->linkProject(draft.serial, u"aB-1"_s);
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"Ab-1"_s});
        QCOMPARE(m_store->entry(f.id)->projectSerial, u"Ab-1"_s);

        // An upstream refresh in another spelling replaces it too.
        m_store->replaceRemoteProjects({simple(u"AB-1"_s, u"Poster"_s, u"Museum"_s)});
        QCOMPARE(serials(m_store->projects(true)), QStringList{u"AB-1"_s});
        QCOMPARE(m_store->entry(f.id)->projectSerial, u"AB-1"_s);
    }

    void updatingAProjectRenamesItsSessions()
    {
        m_store->addManualProject(simple(u"2301"_s, u"Brand book"_s, u"Acme"_s));
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30);
        const TimeEntry other = session(utc(2026, 2, 1, 10), 30, u"2302"_s);
        for (const TimeEntry& s : {e, other})
            m_store->save(s);
        m_clock->advance(10);

        m_store->updateProject(u"2301"_s, u"  Brand guide\n"_s, u" ACME BV "_s, u"2401"_s);
        const Project renamed = *m_store->project(u"2401");
        QCOMPARE((QStringList{renamed.name, renamed.clientName}), (QStringList{u"Brand guide"_s, u"ACME BV"_s}));
        QCOMPARE(renamed.updatedAt, m_clock->now());
        QVERIFY(!m_store->project(u"2301"));
        const TimeEntry after = *m_store->entry(e.id);
        QCOMPARE((QStringList{after.projectSerial, after.projectName, after.clientName}),
                 (QStringList{u"2401"_s, u"Brand guide"_s, u"ACME BV"_s}));
        QCOMPARE(m_store->entry(other.id)->projectName, u"Brand book"_s);

        // Keeping the number: a blank new number renames in place.
        m_store->updateProject(u"2401"_s, u"Guide"_s, u"Acme"_s, QString());
        QCOMPARE(m_store->entry(e.id)->projectName, u"Guide"_s);
        // A blank name changes nothing at all.
        m_store->updateProject(u"2401"_s, u"  "_s, u"X"_s, u"9"_s);
        QCOMPARE(m_store->project(u"2401")->name, u"Guide"_s);

        // Deleting the project leaves its sessions as they were.
        m_store->deleteProject(u"2401"_s);
        QVERIFY(m_store->projects(true).isEmpty());
        QCOMPARE(m_store->entry(e.id)->projectName, u"Guide"_s);
    }
};

QTEST_GUILESS_MAIN(TestEntryStore)
#include "tst_entrystore.moc"
