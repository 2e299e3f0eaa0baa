// The project catalogue: hand-made and upstream rows, the ownership rule of
// numbers when lists from other machines merge, and renumbering a project
// together with its sessions.

#include "Builders.h"
#include "FakeClock.h"
#include "store/EntryStore.h"

#include <QTest>

using namespace zol;
using namespace zol::test;

class TestEntryStoreProjects : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<EntryStore> m_store;

    qint64 isManual(const QString& serial)
    {
        auto statement = m_store->database().prepare(
            QStringLiteral("SELECT is_manual FROM projects WHERE serial = ?1;"), {serial});
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
        const QDateTime t = utc(2026, 1, 1);
        m_store->addManualProject(project(QStringLiteral("2302"), QStringLiteral("website"), QStringLiteral("bakkerij"), t, t));
        m_store->addManualProject(project(QStringLiteral("2301"), QStringLiteral("Brand book"), QStringLiteral("Acme"), t, t));
        m_store->addManualProject(project(QStringLiteral("2303"), QStringLiteral("Archive"), QStringLiteral("acme"), t, t, false));
        m_store->addManualProject(project(QStringLiteral("ab-7"), QStringLiteral("Annual report"), QStringLiteral("Bakkerij"), t, t));

        QCOMPARE(serials(m_store->projects(false)),
                 (QStringList{QStringLiteral("2301"), QStringLiteral("ab-7"), QStringLiteral("2302")}));
        QCOMPARE(serials(m_store->projects(true)).size(), 4);

        QCOMPARE(m_store->project(u"  AB-7 \n")->name, QStringLiteral("Annual report"));
        QVERIFY(!m_store->project(u"   "));
        QVERIFY(!m_store->project(u"2304"));

        m_clock->advance(30);
        m_store->setProjectActive(QStringLiteral("2303"), true);
        const Project revived = *m_store->project(u"2303");
        QVERIFY(revived.isActive);
        QCOMPARE(revived.updatedAt, m_clock->now());
        QCOMPARE(serials(m_store->projectsChanged(t, 10)), QStringList{QStringLiteral("2303")});
    }

    void addingAKnownNumberKeepsItsOlderClaim()
    {
        const Project upstream = project(QStringLiteral("2301"), QStringLiteral("Brand book"), QStringLiteral("Acme"),
                                         utc(2025, 1, 1), utc(2025, 1, 1));
        m_store->replaceRemoteProjects({upstream});
        QCOMPARE(isManual(QStringLiteral("2301")), 0);

        m_store->addManualProject(project(QStringLiteral("2301"), QStringLiteral("Brand book 2"), QStringLiteral("Acme"),
                                          utc(2026, 3, 1), utc(2026, 3, 1)));
        const Project edited = *m_store->project(u"2301");
        QCOMPARE(edited.name, QStringLiteral("Brand book 2"));
        QCOMPARE(edited.createdAt, utc(2025, 1, 1));
        QCOMPARE(isManual(QStringLiteral("2301")), 1);
    }

    void refreshFromUpstreamKeepsHandMadeProjects()
    {
        const QDateTime t = utc(2026, 1, 1);
        m_store->addManualProject(project(QStringLiteral("9001"), QStringLiteral("Mine"), QString(), t, t));
        m_store->replaceRemoteProjects({project(QStringLiteral("1"), QStringLiteral("One"), QString(), t, t),
                                        project(QStringLiteral("2"), QStringLiteral("Two"), QString(), t, t)});
        m_store->replaceRemoteProjects({project(QStringLiteral("2"), QStringLiteral("Two!"), QString(), t, t),
                                        project(QStringLiteral("9001"), QStringLiteral("Theirs"), QString(), t, t)});
        QCOMPARE(serials(m_store->projects(true)), (QStringList{QStringLiteral("9001"), QStringLiteral("2")}));
        QCOMPARE(m_store->project(u"9001")->name, QStringLiteral("Theirs"));
        QCOMPARE(isManual(QStringLiteral("9001")), 1);
        QCOMPARE(isManual(QStringLiteral("2")), 0);
    }

    void merge_data()
    {
        // The local row was created at 2025-01-01 00:00:00 and last edited on
        // 2026-01-01 as "Brand book" for "Acme". The incoming record of the same
        // number differs in creation by `createdOffset` seconds.
        QTest::addColumn<double>("createdOffset");
        QTest::addColumn<bool>("newerEdit");
        QTest::addColumn<bool>("sameDetails");
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<double>("createdOffsetAfter");

        QTest::newRow("same lineage, newer edit: details follow, creation stays")
            << 1.0 << true << false << 1 << QStringLiteral("Brand book v2") << 0.0;
        QTest::newRow("same lineage, rounding the other way") << -1.0 << true << false << 1
                                                               << QStringLiteral("Brand book v2") << 0.0;
        QTest::newRow("same lineage, older edit is ignored") << 0.0 << false << false << 0
                                                             << QStringLiteral("Brand book") << 0.0;
        QTest::newRow("same lineage, nothing new") << 0.5 << true << true << 0 << QStringLiteral("Brand book") << 0.0;
        QTest::newRow("younger claim loses the number") << 2.0 << true << false << 0
                                                         << QStringLiteral("Brand book") << 0.0;
        QTest::newRow("older claim takes the number") << -2.0 << false << false << 1
                                                       << QStringLiteral("Brand book v2") << -2.0;
    }

    void merge()
    {
        QFETCH(double, createdOffset);
        QFETCH(bool, newerEdit);
        QFETCH(bool, sameDetails);
        QFETCH(int, written);
        QFETCH(QString, nameAfter);
        QFETCH(double, createdOffsetAfter);

        const QDateTime created = utc(2025, 1, 1);
        const QDateTime edited = utc(2026, 1, 1);
        m_store->addManualProject(project(QStringLiteral("2301"), QStringLiteral("Brand book"),
                                          QStringLiteral("Acme"), created, edited));
        Project incoming = project(QStringLiteral("2301"), QStringLiteral("Brand book v2"), QStringLiteral("Acme"),
                                   created.addMSecs(qint64(createdOffset * 1000)),
                                   newerEdit ? edited.addSecs(60) : edited.addSecs(-60));
        if (sameDetails)
            incoming.name = QStringLiteral("Brand book");

        QCOMPARE(m_store->mergeProjects({incoming}), written);
        const Project after = *m_store->project(u"2301");
        QCOMPARE(after.name, nameAfter);
        QCOMPARE(after.createdAt, created.addMSecs(qint64(createdOffsetAfter * 1000)));
        QCOMPARE(after.updatedAt, written ? incoming.updatedAt : edited);
    }

    void mergeOnlyCarriesRealNumbers()
    {
        const QDateTime t = utc(2026, 1, 1);
        const Project draft = Project::local(QStringLiteral("Draft"), QString(), t);
        const Project unnumbered = project(QString(), QStringLiteral("Nothing"), QString(), t, t);
        const Project fresh = project(QStringLiteral("2305"), QStringLiteral("New"), QString(), t, t);
        QCOMPARE(m_store->mergeProjects({draft, unnumbered, fresh}), 1);
        QCOMPARE(serials(m_store->projects(true)), QStringList{QStringLiteral("2305")});
        // A number learnt from a peer is kept like a hand-made one.
        QCOMPARE(isManual(QStringLiteral("2305")), 1);
        QCOMPARE(m_store->mergeProjects({fresh}), 0);
    }

    void mergeIsAllOrNothing()
    {
        const QDateTime t = utc(2026, 1, 1);
        m_store->database().execute(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON projects WHEN NEW.serial = 'BAD' "
            "BEGIN SELECT RAISE(ABORT, 'refused by test'); END;"));
        try {
            m_store->mergeProjects({project(QStringLiteral("1"), QStringLiteral("One"), QString(), t, t),
                                    project(QStringLiteral("BAD"), QStringLiteral("Bad"), QString(), t, t)});
            QFAIL("the merge should have failed");
        } catch (const SQLiteDatabase::Error& error) {
            QCOMPARE(error.message(), QStringLiteral("refused by test"));
        }
        QVERIFY(m_store->projects(true).isEmpty());
        // The store is usable afterwards: the transaction was closed.
        QCOMPARE(m_store->mergeProjects({project(QStringLiteral("1"), QStringLiteral("One"), QString(), t, t)}), 1);
    }

    void linkingALocalProject()
    {
        const QDateTime t = utc(2026, 1, 1);
        const Project draft = Project::local(QStringLiteral("Poster"), QStringLiteral("Museum"), t);
        m_store->addManualProject(draft);
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30, draft.serial, QStringLiteral("Poster (as tracked)"),
                                    QStringLiteral("Museum"));
        m_store->save(e);
        m_clock->advance(10);

        m_store->linkProject(draft.serial, QStringLiteral(" \t2310 "));
        QVERIFY(!m_store->project(draft.serial));
        QCOMPARE(m_store->project(u"2310")->name, QStringLiteral("Poster"));
        const TimeEntry moved = *m_store->entry(e.id);
        QCOMPARE(moved.projectSerial, QStringLiteral("2310"));
        QCOMPARE(moved.projectName, QStringLiteral("Poster (as tracked)")); // no project held the number
        QCOMPARE(moved.updatedAt, m_clock->now());
    }

    void linkingToANumberThatExistsJoinsIt()
    {
        const QDateTime t = utc(2026, 1, 1);
        m_store->addManualProject(project(QStringLiteral("2310"), QStringLiteral("Museum poster"), QStringLiteral("Museum"), t, t));
        const Project draft = Project::local(QStringLiteral("Poster"), QStringLiteral("Museum"), t);
        m_store->addManualProject(draft);
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30, draft.serial, QStringLiteral("Poster"), QStringLiteral("Museum"));
        m_store->save(e);

        m_store->linkProject(draft.serial, QStringLiteral("2310"));
        QCOMPARE(serials(m_store->projects(true)), QStringList{QStringLiteral("2310")});
        QCOMPARE(m_store->entry(e.id)->projectName, QStringLiteral("Museum poster"));
        QCOMPARE(m_store->entry(e.id)->projectSerial, QStringLiteral("2310"));

        // Linking to blanks, or to itself, does nothing.
        m_store->linkProject(QStringLiteral("2310"), QStringLiteral("  "));
        m_store->linkProject(QStringLiteral("2310"), QStringLiteral("2310"));
        QCOMPARE(serials(m_store->projects(true)), QStringList{QStringLiteral("2310")});
    }

    void updatingAProjectRenamesItsSessions()
    {
        const QDateTime t = utc(2026, 1, 1);
        m_store->addManualProject(project(QStringLiteral("2301"), QStringLiteral("Brand book"), QStringLiteral("Acme"), t, t));
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30);
        const TimeEntry other = session(utc(2026, 2, 1, 10), 30, QStringLiteral("2302"));
        m_store->save(e);
        m_store->save(other);
        m_clock->advance(10);

        m_store->updateProject(QStringLiteral("2301"), QStringLiteral("  Brand guide\n"), QStringLiteral(" ACME BV "),
                               QStringLiteral("2401"));
        const Project renamed = *m_store->project(u"2401");
        QCOMPARE(renamed.name, QStringLiteral("Brand guide"));
        QCOMPARE(renamed.clientName, QStringLiteral("ACME BV"));
        QCOMPARE(renamed.updatedAt, m_clock->now());
        QVERIFY(!m_store->project(u"2301"));
        const TimeEntry after = *m_store->entry(e.id);
        QCOMPARE(after.projectSerial, QStringLiteral("2401"));
        QCOMPARE(after.projectName, QStringLiteral("Brand guide"));
        QCOMPARE(after.clientName, QStringLiteral("ACME BV"));
        QCOMPARE(m_store->entry(other.id)->projectName, QStringLiteral("Brand book"));

        // Keeping the number: a blank new number renames in place.
        m_store->updateProject(QStringLiteral("2401"), QStringLiteral("Guide"), QStringLiteral("Acme"), QString());
        QCOMPARE(m_store->entry(e.id)->projectName, QStringLiteral("Guide"));

        // A blank name changes nothing at all.
        m_store->updateProject(QStringLiteral("2401"), QStringLiteral("  "), QStringLiteral("X"), QStringLiteral("9"));
        QCOMPARE(m_store->project(u"2401")->name, QStringLiteral("Guide"));
    }

    void deletingAProjectKeepsItsSessions()
    {
        const QDateTime t = utc(2026, 1, 1);
        m_store->addManualProject(project(QStringLiteral("2301"), QStringLiteral("Brand book"), QStringLiteral("Acme"), t, t));
        const TimeEntry e = session(utc(2026, 2, 1, 9), 30);
        m_store->save(e);
        m_store->deleteProject(QStringLiteral("2301"));
        QVERIFY(m_store->projects(true).isEmpty());
        QCOMPARE(m_store->entry(e.id)->projectName, QStringLiteral("Brand book"));
    }
};

QTEST_GUILESS_MAIN(TestEntryStoreProjects)
#include "tst_entrystore_projects.moc"
