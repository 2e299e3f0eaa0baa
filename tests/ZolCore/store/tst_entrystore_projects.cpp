// The project catalogue: hand-made and upstream rows, the ownership rule of
// numbers when lists from other machines merge, and renumbering a project
// together with its sessions.

#include "Builders.h"
#include "FakeClock.h"
#include "store/EntryStore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

const QDateTime t = utc(2026, 1, 1);

Project simple(const QString& serial, const QString& name, const QString& client = {})
{
    return project(serial, name, client, t, t);
}

} // namespace

class TestEntryStoreProjects : public QObject
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
        // differs in creation by `createdOffset` seconds.
        QTest::addColumn<double>("createdOffset");
        QTest::addColumn<bool>("newerEdit");
        QTest::addColumn<bool>("sameDetails");
        QTest::addColumn<bool>("written");
        QTest::addColumn<double>("createdOffsetAfter");
        QTest::newRow("same lineage, newer edit: details follow, creation stays") << 1.0 << true << false << true << 0.0;
        QTest::newRow("same lineage, rounding the other way") << -1.0 << true << false << true << 0.0;
        QTest::newRow("same lineage, older edit is ignored") << 0.0 << false << false << false << 0.0;
        QTest::newRow("same lineage, nothing new") << 0.5 << true << true << false << 0.0;
        QTest::newRow("younger claim loses the number") << 2.0 << true << false << false << 0.0;
        QTest::newRow("older claim takes the number") << -2.0 << false << false << true << -2.0;
    }

    void merge()
    {
        QFETCH(double, createdOffset);
        QFETCH(bool, newerEdit);
        QFETCH(bool, sameDetails);
        QFETCH(bool, written);
        QFETCH(double, createdOffsetAfter);

        const QDateTime created = utc(2025, 1, 1);
        m_store->addManualProject(project(u"2301"_s, u"Brand book"_s, u"Acme"_s, created, t));
        const Project incoming = project(u"2301"_s, sameDetails ? u"Brand book"_s : u"Brand book v2"_s, u"Acme"_s,
                                         created.addMSecs(qint64(createdOffset * 1000)), t.addSecs(newerEdit ? 60 : -60));

        QCOMPARE(m_store->mergeProjects({incoming}), int(written));
        const Project after = *m_store->project(u"2301");
        QCOMPARE(after.name, written ? u"Brand book v2"_s : u"Brand book"_s);
        QCOMPARE(after.createdAt, created.addMSecs(qint64(createdOffsetAfter * 1000)));
        QCOMPARE(after.updatedAt, written ? incoming.updatedAt : t);
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

QTEST_GUILESS_MAIN(TestEntryStoreProjects)
#include "tst_entrystore_projects.moc"
