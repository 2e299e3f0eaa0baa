// Several machines, each with its own store and machine id, sharing one studio
// folder: the project list converges both ways under the ownership rule,
// drafts and internal work stay home, idle passes touch nothing, stale peers
// and leftovers go, and whatever another machine wrote is untrusted.

#include "Builders.h"
#include "CountingFileSystem.h"
#include "FakeClock.h"
#include "share/SharedFolderSync.h"
#include "store/EntryStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using namespace zol;
using namespace zol::test;

namespace {

void setModified(const QString& path, const QDateTime& when)
{
    const timeval times[2] = {{time_t(when.toSecsSinceEpoch()), 0}, {time_t(when.toSecsSinceEpoch()), 0}};
    QVERIFY(::lutimes(QFile::encodeName(path).constData(), times) == 0);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
        m.store->addManualProject(project(serial, name, QStringLiteral("Acme"),
                                          now.addMSecs(-qint64(createdAgo * 1000)),
                                          now.addMSecs(-qint64(updatedAgo * 1000)), active));
    }

    QString peerFolder(const Machine& m) const
    {
        return studio() + QStringLiteral("/.zol/peers/") + m.id;
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

    void projectsTravelBothWays()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        add(anna, QStringLiteral("2301"), QStringLiteral("Brand book"));
        add(ben, QStringLiteral("2302"), QStringLiteral("Website"));
        anna.store->saveTaskList(TaskList(true, {QStringLiteral("Sketch")}, m_clock->now()));

        const SharedFolderSync::Summary first = anna.sync->sync();
        QCOMPARE(first.shardsWritten, 1);
        QCOMPARE(first.projectsShared, 1);
        QCOMPARE(first.peersSeen, 0);

        later();
        const SharedFolderSync::Summary second = ben.sync->sync();
        QCOMPARE(second.peerNames, QStringList{QStringLiteral("Anna")});
        QCOMPARE(second.projectsReceived, 1);
        QCOMPARE(second.shardsRead, 1);
        QVERIFY(second.tasksReceived);
        QCOMPARE(ben.store->taskList().tasks(), QStringList{QStringLiteral("Sketch")});

        later();
        anna.sync->sync();
        QCOMPARE(serials(*anna.store), (QStringList{QStringLiteral("2301"), QStringLiteral("2302")}));
        QCOMPARE(serials(*ben.store), serials(*anna.store));
        QVERIFY(QFileInfo(studio() + QStringLiteral("/.zol/peers/") + anna.id + QStringLiteral(".json")).isFile());
    }

    void theOlderClaimKeepsTheNumber()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        add(anna, QStringLiteral("2310"), QStringLiteral("Poster"), 3600, 3600);
        add(ben, QStringLiteral("2310"), QStringLiteral("Leaflet"), 60, 60); // published later
        anna.sync->sync();
        ben.sync->sync();
        later();
        anna.sync->sync();
        QCOMPARE(anna.store->project(u"2310")->name, QStringLiteral("Poster"));
        QCOMPARE(ben.store->project(u"2310")->name, QStringLiteral("Poster"));

        // Within the lineage, the newest edit wins, wherever it was made.
        ben.store->updateProject(QStringLiteral("2310"), QStringLiteral("Poster, final"), QStringLiteral("Acme"), {});
        ben.sync->sync();
        later();
        anna.sync->sync();
        QCOMPARE(anna.store->project(u"2310")->name, QStringLiteral("Poster, final"));
    }

    void draftsAndInternalWorkStayHome()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        anna.store->addManualProject(Project::local(QStringLiteral("Secret draft"), QString(), m_clock->now()));
        add(anna, QStringLiteral("INT:ADMIN"), QStringLiteral("Internal admin"));
        add(anna, QString(), QStringLiteral("No number"));
        add(anna, QStringLiteral("2301"), QStringLiteral("Brand book"));
        anna.sync->sync();
        ben.sync->sync();

        const QByteArray share = everythingOnShare(studio());
        QVERIFY(!share.contains("LOCAL:"));
        QVERIFY(!share.contains("INT:"));
        QVERIFY(!share.contains("No number"));
        QCOMPARE(serials(*ben.store), QStringList{QStringLiteral("2301")});
    }

    void archivedProjectsStopTravellingAfterNinetyDays()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        add(anna, QStringLiteral("2301"), QStringLiteral("Old job"), 200 * 86'400.0, 89 * 86'400.0, false);
        QCOMPARE(anna.sync->sync().projectsShared, 1);
        const QString shard = peerFolder(anna) + u'/'
            + SharedFolderSync::shardFileName(SharedFolderSync::shardIndex(u"2301"));
        QVERIFY(QFileInfo::exists(shard));

        m_clock->advance(86'400);
        const SharedFolderSync::Summary summary = anna.sync->sync();
        QCOMPARE(summary.projectsShared, 0);
        QVERIFY(!QFileInfo::exists(shard)); // its shard became empty
    }

    void anIdlePassReadsAndWritesNothing()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        for (int i = 0; i < 40; ++i)
            add(ben, QString::number(2400 + i), QStringLiteral("Job %1").arg(i));
        ben.store->saveTaskList(TaskList(true, {QStringLiteral("Sketch")}, m_clock->now()));
        add(anna, QStringLiteral("2301"), QStringLiteral("Brand book"));
        const int benShards = ben.sync->sync().shardsWritten;
        anna.sync->sync();
        later();
        anna.sync->sync(); // the files read while fresh are read once more

        m_files.resetCounts();
        const SharedFolderSync::Summary idle = anna.sync->sync();
        QCOMPARE(m_files.reads(), 0);
        QCOMPARE(m_files.writes(), 0);
        QCOMPARE(idle.shardsUnchanged, benShards);
        QCOMPARE(idle.shardsRead, 0);
        QCOMPARE(idle.shardsWritten, 0);
        QCOMPARE(idle.peerNames, QStringList{QStringLiteral("Ben")});

        // Forced, everything is read and written again.
        const int annaShards = int(QDir(peerFolder(anna)).entryList({QStringLiteral("shard-*.json")}).size());
        const SharedFolderSync::Summary forced = anna.sync->sync(true);
        QCOMPARE(forced.shardsRead, benShards);
        QCOMPARE(forced.shardsWritten, annaShards);

        // A new instance knows nothing and rewrites its own shards.
        SharedFolderSync again(*anna.store, studio(), anna.id, anna.name, m_files, *m_clock);
        QCOMPARE(again.sync().shardsWritten, annaShards);
    }

    void aRewriteWithinTheSameSecondIsNotMissed()
    {
        m_files.setWholeSecondTimes(true);
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        add(ben, QStringLiteral("2301"), QStringLiteral("Version A"));
        ben.sync->sync();
        const QString shard = peerFolder(ben) + u'/'
            + SharedFolderSync::shardFileName(SharedFolderSync::shardIndex(u"2301"));
        const QDateTime second = QDateTime::fromSecsSinceEpoch(m_clock->now().toSecsSinceEpoch(), Qt::UTC);
        setModified(shard, second);
        anna.sync->sync();

        // Same size, same whole second: only the content differs.
        ben.store->updateProject(QStringLiteral("2301"), QStringLiteral("Version B"), QStringLiteral("Acme"), {});
        ben.sync->sync();
        setModified(shard, second);
        QCOMPARE(anna.sync->sync().shardsRead, 1);
        QCOMPARE(anna.store->project(u"2301")->name, QStringLiteral("Version B"));
    }

    void stalePeersArePrunedButNeverOneself()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        add(anna, QStringLiteral("2301"), QStringLiteral("Brand book"));
        anna.sync->sync();
        const QString peers = studio() + QStringLiteral("/.zol/peers");
        const QDateTime old = m_clock->now().addDays(-181);

        QDir(peers).mkpath(QStringLiteral("GONE"));
        writeFile(peers + QStringLiteral("/GONE/meta.json"), "{}");
        writeFile(peers + QStringLiteral("/GONE.json"), "{}");
        QTemporaryDir outside;
        writeFile(outside.filePath(QStringLiteral("precious.txt")), "keep me");
        QVERIFY(QFile::link(outside.path(), peers + QStringLiteral("/LINKED")));
        for (const QString& name : QStringList{QStringLiteral("GONE"), QStringLiteral("GONE.json"),
                                               QStringLiteral("LINKED"), anna.id, anna.id + QStringLiteral(".json")})
            setModified(peers + u'/' + name, old);

        QCOMPARE(anna.sync->sync().stalePeersRemoved, 3);
        QCOMPARE(QDir(peers).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 (QStringList{anna.id, QString(anna.id + QStringLiteral(".json"))}));
        QVERIFY(QFileInfo::exists(outside.filePath(QStringLiteral("precious.txt"))));
    }

    void leftoversAreTidied()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        anna.sync->sync();
        const QString peers = studio() + QStringLiteral("/.zol/peers");
        writeFile(peerFolder(anna) + QStringLiteral("/.shard-00.json.3F2A9C1B.tmp"), "half");
        writeFile(peerFolder(anna) + QStringLiteral("/.sb-1234"), "x");
        writeFile(peers + QStringLiteral("/.someone.json.ABCDEF12.tmp"), "x");
        anna.sync->sync();
        QCOMPARE(QDir(peerFolder(anna)).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")),
                 QStringList());
        QVERIFY(!QFileInfo::exists(peerFolder(anna) + QStringLiteral("/.sb-1234")));
        QVERIFY(!QFileInfo::exists(peers + QStringLiteral("/.someone.json.ABCDEF12.tmp")));
    }

    void untrustedFilesAreSkipped()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        add(ben, QStringLiteral("2301"), QStringLiteral("Brand book"));
        ben.sync->sync();
        const QString folder = peerFolder(ben);
        // Only the folder speaks for Ben here.
        QFile::remove(studio() + QStringLiteral("/.zol/peers/") + ben.id + QStringLiteral(".json"));

        writeFile(folder + QStringLiteral("/meta.json"), "{\"version\": 1, \"machineId\": ");
        // A valid shard, padded past the size limit.
        const CatalogShard padded{1, ben.id, 62, {SharedProject(project(QStringLiteral("8888"), QStringLiteral("Huge"), QString(),
                                                                          m_clock->now(), m_clock->now()))}};
        writeFile(folder + QStringLiteral("/shard-3e.json"), QByteArray(9 * 1024 * 1024, ' ') + padded.encode());
        writeFile(folder + QStringLiteral("/shard-3d.json"), QByteArray(200'000, '[') + QByteArray(200'000, ']'));
        writeFile(folder + QStringLiteral("/shard-3c.json"), "{\"version\": 1, \"machineId\": \"\xff\xfe\"}");
        writeFile(folder + QStringLiteral("/shard-\nodd.json"), "not json");
        // A conflict copy left by another sync tool holds a valid shard: never read.
        CatalogShard copy{1, ben.id, 1, {SharedProject(project(QStringLiteral("9999"), QStringLiteral("Ghost"), QString(),
                                                                  m_clock->now(), m_clock->now()))}};
        writeFile(folder + QStringLiteral("/shard-01.sync-conflict-20260101-120000-ABCDEFG.json"), copy.encode());
        writeFile(folder + QStringLiteral("/shard-01.json~"), copy.encode());

        const SharedFolderSync::Summary summary = anna.sync->sync();
        QCOMPARE(summary.filesSkipped, 5);
        QCOMPARE(summary.shardsRead, 1);
        QVERIFY(summary.peerNames.isEmpty()); // the meta file is unreadable
        QCOMPARE(serials(*anna.store), QStringList{QStringLiteral("2301")});
    }

    void plantedLinksAndNamesAreNeverFollowed()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        anna.sync->sync();
        const QString peers = studio() + QStringLiteral("/.zol/peers");
        const QByteArray peersBytes = QFile::encodeName(peers);
        const QDateTime old = m_clock->now().addDays(-181);

        // Names that are not valid text: the stale one is left alone rather
        // than mistaken for the live one its name would decode to.
        const QByteArray stale = peersBytes + "/PEER\xff";
        const QByteArray live = peersBytes + "/PEER\xef\xbf\xbd";
        QVERIFY(::mkdir(stale.constData(), 0755) == 0);
        QVERIFY(::mkdir(live.constData(), 0755) == 0);
        const timeval times[2] = {{time_t(old.toSecsSinceEpoch()), 0}, {time_t(old.toSecsSinceEpoch()), 0}};
        QVERIFY(::lutimes(stale.constData(), times) == 0);
        const SharedFolderSync::Summary summary = anna.sync->sync();
        QCOMPARE(summary.stalePeersRemoved, 0);
        QCOMPARE(summary.filesSkipped, 1);
        QVERIFY(QFileInfo::exists(QFile::decodeName(live)));

        // "peers" swapped for a link: nothing is written, pruned or tidied there.
        QTemporaryDir outside;
        writeFile(outside.filePath(QStringLiteral("old.tmp")), "mine");
        setModified(outside.filePath(QStringLiteral("old.tmp")), old);
        FileSystem::local().remove(peers);
        QVERIFY(QFile::link(outside.path(), peers));
        QVERIFY_THROWS_EXCEPTION(FileSystemError, anna.sync->sync());
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("old.tmp")});
    }

    void whatFailsToMergeIsReadAgain()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        add(ben, QStringLiteral("2301"), QStringLiteral("Brand book"));
        ben.sync->sync();
        later();
        anna.store->database().execute(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON projects BEGIN SELECT RAISE(ABORT, 'busy'); END;"));
        QVERIFY_THROWS_EXCEPTION(SQLiteDatabase::Error, anna.sync->sync());
        anna.store->database().execute(QStringLiteral("DROP TRIGGER refuse;"));
        QCOMPARE(anna.sync->sync().shardsRead, 1);
        QCOMPARE(serials(*anna.store), QStringList{QStringLiteral("2301")});
    }

    void legacyFileAndShardsMergeAlike()
    {
        // One peer, seen once through its folder and once through its legacy file.
        Machine& ben = machine(QStringLiteral("Ben"));
        add(ben, QStringLiteral("2301"), QStringLiteral("Brand book"));
        add(ben, QStringLiteral("2302"), QStringLiteral("Website"), 7200, 60, false);
        ben.sync->sync();
        const QString peers = studio() + QStringLiteral("/.zol/peers");
        const QString legacy = peers + u'/' + ben.id + QStringLiteral(".json");
        const QByteArray legacyBytes = [&] { QFile f(legacy); f.open(QIODevice::ReadOnly); return f.readAll(); }();

        Machine& viaShards = machine(QStringLiteral("Shards"));
        QFile::remove(legacy);
        viaShards.sync->sync();

        Machine& viaLegacy = machine(QStringLiteral("Legacy"));
        QDir(peerFolder(ben)).removeRecursively();
        writeFile(legacy, legacyBytes);
        const SharedFolderSync::Summary summary = viaLegacy.sync->sync();
        QCOMPARE(summary.legacyPeers, 2); // Ben's, and the one the "Shards" machine wrote
        QCOMPARE(summary.peerNames, (QStringList{QStringLiteral("Ben"), QStringLiteral("Shards")}));

        QCOMPARE(viaLegacy.store->projects(true), viaShards.store->projects(true));
        QCOMPARE(viaLegacy.store->projects(true).size(), 2);
    }

    void lookingANumberUpOnTheShare()
    {
        Machine& anna = machine(QStringLiteral("Anna"));
        Machine& ben = machine(QStringLiteral("Ben"));
        add(ben, QStringLiteral("AB-12"), QStringLiteral("Signage"));
        ben.sync->sync();
        QCOMPARE(anna.sync->projectOnShare(u"  ab-12 \n")->name, QStringLiteral("Signage"));
        QVERIFY(!anna.sync->projectOnShare(u"AB-13"));
        QVERIFY(!anna.sync->projectOnShare(u"   "));

        SharedFolderSync nowhere(*anna.store, studio() + QStringLiteral("/missing"), anna.id, anna.name, m_files,
                                 *m_clock);
        try {
            nowhere.projectOnShare(u"AB-12");
            QFAIL("expected a failure");
        } catch (const SharedFolderSync::SyncError& error) {
            QCOMPARE(error.message(), QStringLiteral("Cannot reach the shared folder at ") + studio()
                                          + QStringLiteral("/missing. Is the NAS mounted?"));
        }
        QVERIFY_THROWS_EXCEPTION(SharedFolderSync::SyncError, nowhere.sync());
    }

    void shardIndexMatchesPublishedValues_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("shard");
        QTest::newRow("empty") << QString() << 37;
        QTest::newRow("a") << QStringLiteral("a") << 12;
        QTest::newRow("abc") << QStringLiteral("abc") << 11;
        QTest::newRow("2401") << QStringLiteral("2401") << 24;
        QTest::newRow("24001") << QStringLiteral("24001") << 14;
        QTest::newRow("2024-001") << QStringLiteral("2024-001") << 55;
    }

    void shardIndexMatchesPublishedValues()
    {
        QFETCH(QString, number);
        QFETCH(int, shard);
        QCOMPARE(SharedFolderSync::shardIndex(number), shard);
    }
};

QTEST_GUILESS_MAIN(TestSharedFolderSync)
#include "tst_sharedfoldersync.moc"
