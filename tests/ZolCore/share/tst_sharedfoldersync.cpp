// Several machines, each with its own store and machine id, sharing one studio
// folder: the project list converges both ways under the ownership rule,
// drafts and internal work stay home, idle passes touch nothing, stale peers
// and leftovers go, and whatever another machine wrote is untrusted, links
// planted in place of a folder included.

#include "Builders.h"
#include "CountingFileSystem.h"
#include "FakeClock.h"
#include "PlantedLink.h"
#include "share/SharedFolderSync.h"
#include "store/EntryStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

// Every byte under the studio folder, to prove what never reaches it.
QByteArray everythingOnShare(const QString& folder)
{
    QByteArray all;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll();
    }
    return all;
}

// Every project's number and details, one line each, in number order.
QString details(EntryStore& store)
{
    QStringList lines;
    for (const Project& p : store.projects(true))
        lines.append(
            QStringList{p.serial, p.name, p.clientName, p.isActive ? u"active"_s : u"archived"_s}
                .join(u' '));
    lines.sort();
    return lines.join(u'\n');
}

// The projects' names, in number order.
QStringList names(EntryStore& store)
{
    QList<Project> projects = store.projects(true);
    std::sort(projects.begin(), projects.end(),
              [](const Project& a, const Project& b) { return a.serial < b.serial; });
    QStringList result;
    for (const Project& p : projects)
        result.append(p.name);
    return result;
}

QStringList serials(EntryStore& store)
{
    QStringList result;
    for (const Project& p : store.projects(true))
        result.append(p.serial);
    result.sort();
    return result;
}

} // namespace

class TestSharedFolderSync : public QObject
{
    Q_OBJECT

    struct Machine
    {
        QString id;
        QString name;
        std::unique_ptr<EntryStore> store;
        std::unique_ptr<SharedFolderSync> sync;
    };

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeClock> m_clock;
    CountingFileSystem m_files;
    std::vector<std::unique_ptr<Machine>> m_machines;

    QString studio() const { return m_dir->path(); }

    Machine& machine(const QString& name)
    {
        auto m = std::make_unique<Machine>();
        m->id = uuidText(newUuid());
        m->name = name;
        m->store = EntryStore::inMemory(*m_clock);
        m->sync = std::make_unique<SharedFolderSync>(*m->store, studio(), m->id, name, m_files, *m_clock);
        m_machines.push_back(std::move(m));
        return *m_machines.back();
    }

    void add(Machine& m, const QString& serial, const QString& name, double createdAgo = 86'400,
             double updatedAgo = 86'400, bool active = true)
    {
        const QDateTime now = m_clock->now();
        m.store->addManualProject(project(serial, name, u"Acme"_s, now.addMSecs(-qint64(createdAgo * 1000)),
                                          now.addMSecs(-qint64(updatedAgo * 1000)), active));
    }

    std::pair<Machine&, Machine&> annaAndBen() { return {machine(u"Anna"_s), machine(u"Ben"_s)}; }

    QString peers() const { return studio() + u"/.zol/peers"_s; }
    QString peerFolder(const Machine& m) const { return peers() + u'/' + m.id; }
    QString shardOf(const Machine& m, const QString& number) const
    {
        return peerFolder(m) + u'/' + SharedFolderSync::shardFileName(SharedFolderSync::shardIndex(number));
    }

    // Moves the clock to just after the start of a whole second, so that a
    // test can make several changes within one second.
    void startOfASecond()
    {
        m_clock->setNow(
            QDateTime::fromSecsSinceEpoch(m_clock->now().toSecsSinceEpoch() + 1, Qt::UTC)
                .addMSecs(50));
    }

    // Moves on past the window in which fresh files are read again.
    void later() { m_clock->advance(SharedFolderSync::freshStampWindow + 5); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // Files on disk carry real times, so the clock starts at the real now.
        m_clock = std::make_unique<FakeClock>(QDateTime::currentDateTimeUtc());
        m_files.setWholeSecondTimes(false);
        m_machines.clear();
    }

    void projectsTravelBothWaysButDraftsStayHome()
    {
        auto [anna, ben] = annaAndBen();
        add(anna, u"2301"_s, u"Brand book"_s);
        add(ben, u"2302"_s, u"Website"_s);
        anna.store->saveTaskList(TaskList(true, {u"Sketch"_s}, m_clock->now()));
        // Drafts, internal work and projects without a number never leave the machine.
        anna.store->addManualProject(Project::local(u"Secret draft"_s, QString(), m_clock->now()));
        add(anna, u"INT:ADMIN"_s, u"Internal admin"_s);
        add(anna, QString(), u"No number"_s);

        const SharedFolderSync::Summary first = anna.sync->sync();
        QCOMPARE((QList<int>{first.shardsWritten, first.projectsShared, first.peersSeen}), (QList<int>{1, 1, 0}));

        later();
        const SharedFolderSync::Summary second = ben.sync->sync();
        QCOMPARE(second.peerNames, QStringList{u"Anna"_s});
        QCOMPARE((QList<int>{second.projectsReceived, second.shardsRead}), (QList<int>{1, 1}));
        QVERIFY(second.tasksReceived);
        QCOMPARE(ben.store->taskList().tasks(), QStringList{u"Sketch"_s});

        later();
        anna.sync->sync();
        QCOMPARE(anna.store->project(u"2302")->name, u"Website"_s);
        QCOMPARE(serials(*ben.store), (QStringList{u"2301"_s, u"2302"_s}));
        const QByteArray share = everythingOnShare(studio());
        QVERIFY(!share.contains("LOCAL:") && !share.contains("INT:") && !share.contains("No number"));
    }

    void theOlderClaimKeepsTheNumber()
    {
        auto [anna, ben] = annaAndBen();
        add(anna, u"2310"_s, u"Poster"_s, 3600, 3600);
        add(ben, u"2310"_s, u"Leaflet"_s, 60, 60); // published later
        anna.sync->sync();
        ben.sync->sync();
        later();
        anna.sync->sync();
        QCOMPARE(anna.store->project(u"2310")->name, u"Poster"_s);
        QCOMPARE(ben.store->project(u"2310")->name, u"Poster"_s);
    }

    // The catalogue files carry whole seconds: a change made within the
    // second of the add it changes must still reach the machine that already
    // has the add.
    void aChangeInTheSecondOfTheAddTravels_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("rename") << u"rename"_s;
        QTest::newRow("archive") << u"archive"_s;
        QTest::newRow("add again by hand") << u"add again"_s;
    }

    void aChangeInTheSecondOfTheAddTravels()
    {
        QFETCH(QString, change);
        startOfASecond();
        auto [anna, ben] = annaAndBen();
        add(anna, u"2301"_s, u"Poster"_s, 0, 0);
        anna.sync->sync();
        ben.sync->sync();
        QCOMPARE(ben.store->project(u"2301")->name, u"Poster"_s);

        m_clock->advance(0.5);
        if (change == u"rename"_s)
            anna.store->updateProject(u"2301"_s, u"Poster v2"_s, u"Acme"_s, {});
        else if (change == u"archive"_s)
            anna.store->setProjectActive(u"2301"_s, false);
        else
            add(anna, u"2301"_s, u"Poster v2"_s, 0, 0);
        anna.sync->sync();
        ben.sync->sync();
        QCOMPARE(details(*ben.store), details(*anna.store));
        QVERIFY(details(*anna.store) != u"2301 Poster Acme active"_s);
    }

    // Two machines change one project within the same second: both settle on
    // the same record, whichever machine shares first.
    void sameSecondEditsOnTwoMachinesConverge_data()
    {
        QTest::addColumn<QString>("annaRenames"); // empty: Anna archives instead
        QTest::addColumn<bool>("benFirst");
        QTest::addColumn<QString>("settled");
        QTest::newRow("two renames") << u"Alpha"_s << false << u"2301 Beta Acme active"_s;
        QTest::newRow("two renames, Ben shares first")
            << u"Alpha"_s << true << u"2301 Beta Acme active"_s;
        QTest::newRow("archive and rename") << QString() << false << u"2301 Poster Acme archived"_s;
        QTest::newRow("archive and rename, Ben shares first")
            << QString() << true << u"2301 Poster Acme archived"_s;
    }

    void sameSecondEditsOnTwoMachinesConverge()
    {
        QFETCH(QString, annaRenames);
        QFETCH(bool, benFirst);
        startOfASecond();
        auto [anna, ben] = annaAndBen();
        add(anna, u"2301"_s, u"Poster"_s);
        anna.sync->sync();
        ben.sync->sync();

        m_clock->advance(10);
        if (annaRenames.isEmpty())
            anna.store->setProjectActive(u"2301"_s, false);
        else
            anna.store->updateProject(u"2301"_s, annaRenames, u"Acme"_s, {});
        m_clock->advance(0.4);
        ben.store->updateProject(u"2301"_s, u"Beta"_s, u"Acme"_s, {});

        std::array<Machine*, 2> order{&anna, &ben};
        if (benFirst)
            std::swap(order[0], order[1]);
        for (int pass = 0; pass < 2; ++pass) {
            for (Machine* m : order)
                m->sync->sync();
        }
        QTEST(details(*anna.store), "settled");
        QTEST(details(*ben.store), "settled");
    }

    // Three machines editing at random, often within one second of each
    // other, agree on every project once they have all shared.
    void threeMachinesAgreeAfterRandomEdits()
    {
        std::array<Machine*, 3> machines{&machine(u"Anna"_s), &machine(u"Ben"_s),
                                         &machine(u"Cleo"_s)};
        QRandomGenerator random(20260302);
        const QStringList names{u"Poster"_s, u"Leaflet"_s, u"Website"_s, u"Brand book"_s,
                                u"Menu"_s};
        int nextNumber = 2300;
        for (int round = 0; round < 50; ++round) {
            for (Machine* m : machines) {
                m_clock->advance(random.bounded(400) / 1000.0);
                const QList<Project> known = m->store->projects(true);
                // A dozen projects, so that machines often change the same one.
                const bool adds = known.size() < 12 && (known.isEmpty() || random.bounded(3) == 0);
                const int change = adds ? 0 : 1 + int(random.bounded(3));
                const QString name = names.at(random.bounded(names.size()));
                const Project target =
                    change == 0 ? Project() : known.at(random.bounded(known.size()));
                switch (change) {
                case 0:
                    add(*m, QString::number(nextNumber++), name, 0, 0);
                    break;
                case 1:
                    m->store->updateProject(target.serial, name, target.clientName, {});
                    break;
                case 2:
                    m->store->setProjectActive(target.serial, !target.isActive);
                    break;
                default:
                    add(*m, target.serial, name, 0, 0);
                }
            }
            for (Machine* m : machines)
                m->sync->sync();
        }
        for (int pass = 0; pass < 2; ++pass) {
            for (Machine* m : machines)
                m->sync->sync();
        }
        const QString anna = details(*machines[0]->store);
        QVERIFY(anna.count(u'\n') >= 11);
        QCOMPARE(details(*machines[1]->store), anna);
        QCOMPARE(details(*machines[2]->store), anna);
    }

    void archivedProjectsStopTravellingAfterNinetyDays()
    {
        Machine& anna = machine(u"Anna"_s);
        add(anna, u"2301"_s, u"Old job"_s, 200 * 86'400.0, 89 * 86'400.0, false);
        QCOMPARE(anna.sync->sync().projectsShared, 1);
        const QString shard = shardOf(anna, u"2301"_s);
        QVERIFY(QFileInfo::exists(shard));

        m_clock->advance(86'400);
        QCOMPARE(anna.sync->sync().projectsShared, 0);
        QVERIFY(!QFileInfo::exists(shard)); // its shard became empty
    }

    void anIdlePassReadsAndWritesNothing()
    {
        auto [anna, ben] = annaAndBen();
        for (int i = 0; i < 40; ++i)
            add(ben, QString::number(2400 + i), u"Job %1"_s.arg(i));
        ben.store->saveTaskList(TaskList(true, {u"Sketch"_s}, m_clock->now()));
        add(anna, u"2301"_s, u"Brand book"_s);
        const int benShards = ben.sync->sync().shardsWritten;
        anna.sync->sync();
        later();
        anna.sync->sync(); // the files read while fresh are read once more

        m_files.resetCounts();
        const SharedFolderSync::Summary idle = anna.sync->sync();
        QCOMPARE((QList<int>{m_files.reads(), m_files.writes(), idle.shardsRead, idle.shardsWritten}),
                 (QList<int>{0, 0, 0, 0}));
        QCOMPARE(idle.shardsUnchanged, benShards);
        QCOMPARE(idle.peerNames, QStringList{u"Ben"_s});

        // Forced, everything is read and written again.
        const int annaShards = int(QDir(peerFolder(anna)).entryList({u"shard-*.json"_s}).size());
        const SharedFolderSync::Summary forced = anna.sync->sync(true);
        QCOMPARE((QList<int>{forced.shardsRead, forced.shardsWritten}), (QList<int>{benShards, annaShards}));

        // A new instance knows nothing and rewrites its own shards.
        SharedFolderSync again(*anna.store, studio(), anna.id, anna.name, m_files, *m_clock);
        QCOMPARE(again.sync().shardsWritten, annaShards);
    }

    void aRewriteWithinTheSameSecondIsNotMissed()
    {
        m_files.setWholeSecondTimes(true);
        auto [anna, ben] = annaAndBen();
        add(ben, u"2301"_s, u"Version A"_s);
        ben.sync->sync();
        const QString shard = shardOf(ben, u"2301"_s);
        const QDateTime second = QDateTime::fromSecsSinceEpoch(m_clock->now().toSecsSinceEpoch(), Qt::UTC);
        setModified(shard, second);
        anna.sync->sync();

        // Same size, same whole second: only the content differs.
        ben.store->updateProject(u"2301"_s, u"Version B"_s, u"Acme"_s, {});
        ben.sync->sync();
        setModified(shard, second);
        QCOMPARE(anna.sync->sync().shardsRead, 1);
        QCOMPARE(anna.store->project(u"2301")->name, u"Version B"_s);
    }

    void stalePeersAndLeftoversGoButNeverOneself()
    {
        Machine& anna = machine(u"Anna"_s);
        add(anna, u"2301"_s, u"Brand book"_s);
        anna.sync->sync();
        // Leftovers of interrupted writes go whatever their age; a sync
        // tool's temporary and conflict files are the tool's and stay.
        writeFile(peerFolder(anna) + u"/.shard-00.json.3F2A9C1B.tmp"_s, "half");
        writeFile(peers() + u"/.someone.json.ABCDEF12.tmp"_s, "x");
        const QString theirs = u".syncthing.shard-00.json.tmp"_s;
        writeFile(peerFolder(anna) + u'/' + theirs, "in flight");
        const QString conflict = anna.id + u".sync-conflict-20261207-101500-ABCDEFG.json"_s;
        writeFile(peers() + u'/' + conflict, "{}");
        // Nor is a note somebody left there long ago a machine gone quiet.
        writeFile(peers() + u"/README"_s, "Zol's folder");

        QDir(peers()).mkpath(u"GONE"_s);
        writeFile(peers() + u"/GONE/meta.json"_s, "{}");
        writeFile(peers() + u"/GONE.json"_s, "{}");
        QTemporaryDir outside;
        writeFile(outside.filePath(u"precious.txt"_s), "keep me");
        QVERIFY(QFile::link(outside.path(), peers() + u"/LINKED"_s));
        for (const QString& name : QStringList{u"GONE"_s, u"GONE.json"_s, u"LINKED"_s, anna.id,
                                               anna.id + u".json"_s, conflict, u"README"_s})
            setModified(peers() + u'/' + name, m_clock->now().addDays(-181));

        QCOMPARE(anna.sync->sync().stalePeersRemoved, 3);
        const auto everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
        QCOMPARE(QDir(peers()).entryList(everything),
                 (QStringList{anna.id, QString(anna.id + u".json"_s), conflict, u"README"_s}));
        QCOMPARE(QDir(peerFolder(anna)).entryList({u".*"_s}, everything), QStringList{theirs});
        QVERIFY(QFileInfo::exists(outside.filePath(u"precious.txt"_s)));
    }

    // On an SMB share a file another computer has open cannot be replaced,
    // nor deleted to make way. The pass leaves that one file as it was, says
    // so, writes the rest, and writes the held file on the next pass.
    void aFileHeldOpenElsewhereWaitsForTheNextPass()
    {
        auto [anna, ben] = annaAndBen();
        add(anna, u"2301"_s, u"Brand book"_s);
        add(anna, u"2402"_s, u"Website"_s);
        anna.sync->sync();
        ben.sync->sync();

        later();
        add(anna, u"2301"_s, u"Brand book, second edition"_s, 86'400, 0);
        add(anna, u"2402"_s, u"Web shop"_s, 86'400, 0);
        QVERIFY(SharedFolderSync::shardIndex(u"2301"_s) != SharedFolderSync::shardIndex(u"2402"_s));
        const QString held = shardOf(anna, u"2301"_s);
        m_files.holdOpen(held);
        const SharedFolderSync::Summary busy = anna.sync->sync();
        QCOMPARE(busy.filesInUse, QStringList{QFileInfo(held).fileName()});
        QCOMPARE(busy.shardsWritten, 1);

        QFile file(held);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("second edition"));
        file.close();

        m_files.clearFailures();
        later();
        QVERIFY(anna.sync->sync().filesInUse.isEmpty());
        later();
        ben.sync->sync();
        QCOMPARE(names(*ben.store), (QStringList{u"Brand book, second edition"_s, u"Web shop"_s}));
        const auto everything =
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden;
        QCOMPARE(QDir(peerFolder(anna)).entryList({u".*"_s}, everything), QStringList());
    }

    void untrustedFilesAreSkipped()
    {
        auto [anna, ben] = annaAndBen();
        add(ben, u"2301"_s, u"Brand book"_s);
        ben.sync->sync();
        const QString folder = peerFolder(ben);
        QFile::remove(folder + u".json"_s); // only the folder speaks for Ben here
        const auto shard = [&](int index, const QString& number) {
            const QDateTime now = m_clock->now();
            return CatalogShard{1, ben.id, index, {SharedProject(project(number, number, {}, now, now))}}.encode();
        };

        writeFile(folder + u"/meta.json"_s, "{\"version\": 1, \"machineId\": ");
        // A valid shard, padded past the size limit.
        writeFile(folder + u"/shard-3e.json"_s, QByteArray(9 * 1024 * 1024, ' ') + shard(62, u"8888"_s));
        writeFile(folder + u"/shard-3d.json"_s, QByteArray(200'000, '[') + QByteArray(200'000, ']'));
        writeFile(folder + u"/shard-3c.json"_s, "{\"version\": 1, \"machineId\": \"\xff\xfe\"}");
        writeFile(folder + u"/shard-\nodd.json"_s, "not json");
        // A conflict copy left by another sync tool holds a valid shard: never read.
        writeFile(folder + u"/shard-01.sync-conflict-20260101-120000-ABCDEFG.json"_s, shard(1, u"9999"_s));
        writeFile(folder + u"/shard-01.json~"_s, shard(1, u"9999"_s));

        const SharedFolderSync::Summary summary = anna.sync->sync();
        QCOMPARE((QList<int>{summary.filesSkipped, summary.shardsRead}), (QList<int>{5, 1}));
        QVERIFY(summary.peerNames.isEmpty()); // the meta file is unreadable
        QCOMPARE(serials(*anna.store), QStringList{u"2301"_s});
    }

    void plantedLinksAndNamesAreNeverFollowed()
    {
        Machine& anna = machine(u"Anna"_s);
        anna.sync->sync();
        const QByteArray peersBytes = QFile::encodeName(peers());
        const QDateTime old = m_clock->now().addDays(-181);

        // Names that are not valid text: the stale one is left alone rather
        // than mistaken for the live one its name would decode to.
        const QByteArray stale = peersBytes + "/PEER\xff";
        const QByteArray live = peersBytes + "/PEER\xef\xbf\xbd";
        QVERIFY(::mkdir(stale.constData(), 0755) == 0);
        QVERIFY(::mkdir(live.constData(), 0755) == 0);
        setModified(stale, old);
        const SharedFolderSync::Summary summary = anna.sync->sync();
        QCOMPARE((QList<int>{summary.stalePeersRemoved, summary.filesSkipped}), (QList<int>{0, 1}));
        QVERIFY(QFileInfo::exists(QFile::decodeName(live)));
    }

    void linksWhereTheSyncsFoldersShouldBe_data()
    {
        QTest::addColumn<QString>("planted"); // OWN: this machine's own folder
        QTest::addColumn<bool>("hidesBen");   // stands between the lookup and Ben's shards
        QTest::newRow(".zol") << u".zol"_s << true;
        QTest::newRow("peers") << u".zol/peers"_s << true;
        QTest::newRow("own folder") << u".zol/peers/OWN"_s << false;
    }

    void linksWhereTheSyncsFoldersShouldBe()
    {
        QFETCH(QString, planted);
        QFETCH(bool, hidesBen);
        auto [anna, ben] = annaAndBen();
        add(anna, u"2301"_s, u"Brand book"_s);
        add(ben, u"2302"_s, u"Website"_s);
        anna.sync->sync();
        ben.sync->sync();
        // A leftover old enough to tidy, and a stale peer, both behind the link.
        writeFile(peerFolder(anna) + u"/.shard-00.json.3F2A9C1B.tmp"_s, "half");
        QDir(peers()).mkpath(u"GONE"_s);
        setModified(peers() + u"/GONE"_s, m_clock->now().addDays(-181));

        // The folder moves outside the share and a link takes its place:
        // through the link everything looks as it did.
        const PlantedLink link(studio() + u'/' + QString(planted).replace(u"OWN"_s, anna.id));
        later();
        const QString failure = failureOf<FileSystemError>([&] { anna.sync->sync(true); });
        QCOMPARE(anna.sync->projectOnShare(u"2302"_s).has_value(), !hidesBen);
        QVERIFY(link.untouched());
        QVERIFY2(link.isRefusedIn(failure), qPrintable(failure));
    }

    void whatFailsToMergeIsReadAgain()
    {
        auto [anna, ben] = annaAndBen();
        add(ben, u"2301"_s, u"Brand book"_s);
        ben.sync->sync();
        later();
        anna.store->database().execute(
            u"CREATE TRIGGER refuse BEFORE INSERT ON projects BEGIN SELECT RAISE(ABORT, 'busy'); END;"_s);
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, anna.sync->sync());
        anna.store->database().execute(u"DROP TRIGGER refuse;"_s);
        QCOMPARE(anna.sync->sync().shardsRead, 1);
        QCOMPARE(serials(*anna.store), QStringList{u"2301"_s});
    }

    void legacyFileAndShardsMergeAlike()
    {
        // One peer, seen once through its folder and once through its legacy file.
        Machine& ben = machine(u"Ben"_s);
        add(ben, u"2301"_s, u"Brand book"_s);
        add(ben, u"2302"_s, u"Website"_s, 7200, 60, false);
        ben.sync->sync();
        const QString legacy = peers() + u'/' + ben.id + u".json"_s;
        const QByteArray legacyBytes = readFile(legacy);

        Machine& viaShards = machine(u"Shards"_s);
        QFile::remove(legacy);
        viaShards.sync->sync();

        Machine& viaLegacy = machine(u"Legacy"_s);
        QDir(peerFolder(ben)).removeRecursively();
        writeFile(legacy, legacyBytes);
        const SharedFolderSync::Summary summary = viaLegacy.sync->sync();
        QCOMPARE(summary.legacyPeers, 2); // Ben's, and the one the "Shards" machine wrote
        QCOMPARE(summary.peerNames, (QStringList{u"Ben"_s, u"Shards"_s}));

        QCOMPARE(viaLegacy.store->projects(true).size(), 2);
        QCOMPARE(viaLegacy.store->projects(true), viaShards.store->projects(true));
    }

    void lookingANumberUpOnTheShare()
    {
        auto [anna, ben] = annaAndBen();
        add(ben, u"AB-12"_s, u"Signage"_s);
        ben.sync->sync();
        QCOMPARE(anna.sync->projectOnShare(u"  ab-12 \n")->name, u"Signage"_s);
        QVERIFY(!anna.sync->projectOnShare(u"AB-13"));
        QVERIFY(!anna.sync->projectOnShare(u"   "));

        SharedFolderSync nowhere(*anna.store, studio() + u"/missing"_s, anna.id, anna.name, m_files, *m_clock);
        QVERIFY_THROWS_EXCEPTION(SharedFolderSync::SyncError, nowhere.sync());
        QCOMPARE(failureOf<SharedFolderSync::SyncError>([&] { nowhere.projectOnShare(u"AB-12"); }),
                 u"Cannot reach the shared folder at %1/missing. Is the NAS mounted?"_s.arg(
                     studio()));
    }

    void shardIndexMatchesPublishedValues()
    {
        const QList<std::pair<QString, int>> published{{QString(), 37}, {u"a"_s, 12},      {u"abc"_s, 11},
                                                       {u"2401"_s, 24}, {u"24001"_s, 14}, {u"2024-001"_s, 55}};
        for (const auto& [number, shard] : published)
            QCOMPARE(SharedFolderSync::shardIndex(number), shard);
    }
};

QTEST_GUILESS_MAIN(TestSharedFolderSync)
#include "tst_sharedfoldersync.moc"
