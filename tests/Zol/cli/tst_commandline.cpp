// The command line in-process: each command runs as `zol` would run it, with
// its own controller over the files of temporary user folders, and what it
// printed and returned is checked.

#include "Builders.h"
#include "CommandLine.h"
#include "FakeClock.h"
#include "PlantedLink.h"
#include "UserFolders.h"
#include "share/SharedCatalog.h"
#include "store/EntryStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestCommandLine : public QObject
{
    Q_OBJECT

    struct Result
    {
        int code = -1;
        QString out;
        QString err;
    };

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<FakeClock> m_clock;

    // Runs `zol` with the words of `command`, split as a shell would
    // ("double quotes" hold a word with spaces).
    Result zol(const QString& command) { return zol(QProcess::splitCommand(command)); }

    Result zol(const QStringList& words)
    {
        Result result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.code = cli::CommandLine(*m_clock, out, err).run(words);
        out.flush();
        err.flush();
        return result;
    }

    // Everything a command could change, as the command line prints it.
    QString everything()
    {
        return ok(u"settings"_s) + ok(u"books --json"_s) + ok(u"projects --all --json"_s) +
               ok(u"status --json"_s) + ok(u"tasks --json"_s);
    }

    // Runs a command that must work and returns what it printed.
    QString ok(const QString& command)
    {
        const Result result = zol(command);
        if (result.code != 0)
            qWarning().noquote() << command << "failed:" << result.err;
        return result.code == 0 ? result.out : u"<failed>"_s;
    }

    QJsonValue json(const QString& command)
    {
        const QJsonDocument document = QJsonDocument::fromJson(ok(command).toUtf8());
        return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    }

    // A session of `minutes` on 2301.
    void track(int minutes, const QString& options = {})
    {
        ok(u"start 2301 "_s + options);
        m_clock->advance(minutes * 60);
        ok(u"stop"_s);
    }

private Q_SLOTS:
    void init()
    {
        m_folders = std::make_unique<UserFolders>();
        m_clock = std::make_unique<FakeClock>(utc(2026, 3, 2, 9));
    }

    void cleanup()
    {
        m_clock.reset();
        m_folders.reset();
    }

    // The hot key's action from the terminal: nothing to start asks for a
    // project (exit 1); then it starts the last project, and pauses.
    void toggleFromTheTerminal()
    {
        const Result nothing = zol(u"toggle"_s);
        QCOMPARE(nothing.code, 1);
        QCOMPARE(nothing.err, u"Pick a project first.\n"_s);
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        QCOMPARE(ok(u"toggle"_s), u"Started 2301 Brand book · Acme.\n"_s);
        m_clock->advance(600);
        QCOMPARE(ok(u"toggle"_s), u"Paused 2301 Brand book · Acme at 10:00.\n"_s);
    }

    void aDayOfTracking()
    {
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        QCOMPARE(ok(u"start \" 2301 \" --note Logo"_s), u"Started 2301 Brand book · Acme.\n"_s);
        m_clock->advance(3600);
        QCOMPARE(ok(u"pause"_s), u"Paused 2301 Brand book · Acme at 1:00:00.\n"_s);
        m_clock->advance(1800);
        QCOMPARE(ok(u"pause"_s), u"Already paused.\n"_s);
        QCOMPARE(ok(u"resume"_s), u"Resumed 2301 Brand book · Acme.\n"_s);
        m_clock->advance(1800);

        // A second `zol status` later sees the running session.
        const QJsonValue status = json(u"status --json"_s);
        QVERIFY(status[u"tracking"_s].toBool() && !status[u"paused"_s].toBool());
        QCOMPARE(status[u"elapsedSeconds"_s].toDouble(), 5400.0);
        QCOMPARE(status[u"administration"_s][u"name"_s].toString(), u"Local"_s);
        QCOMPARE(status[u"entry"_s][u"note"_s].toString(), u"Logo"_s);
        QCOMPARE(ok(u"status"_s).section(u'\n', 0, 0),
                 u"Tracking 2301 Brand book · Acme · 1:30:00"_s);

        QCOMPARE(ok(u"stop"_s), u"Logged 1h 30m to Brand book.\n"_s);
        const Result again = zol(u"stop"_s);
        QCOMPARE(again.code, 1);
        QCOMPARE(again.err, u"No timer is running.\n"_s);
        QVERIFY(json(u"status --json"_s)[u"entry"_s].isNull());
    }

    void underAMinuteAndInternalWork()
    {
        QCOMPARE(ok(u"start --internal \"  Studio tidy-up \""_s),
                 u"Started internal work: Studio tidy-up.\n"_s);
        m_clock->advance(59);
        QCOMPARE(ok(u"stop"_s), u"Under a minute, so nothing was recorded.\n"_s);
        QVERIFY(EntryStore(EntryStore::defaultURL(), *m_clock).recentEntries(10).isEmpty());
        const Result unknown = zol(u"start 9999"_s);
        QCOMPARE(unknown.code, 1);
        QVERIFY(unknown.err.startsWith(u"No project has the number 9999."_s));
    }

    void sessionsAndProjects()
    {
        const QString add = u"project add 2301 --client Acme --name \"Brand book\""_s;
        QCOMPARE(ok(add), u"Added Brand book.\n"_s);
        QCOMPARE(zol(add).code, 1);
        track(60);
        track(30, u"--note second"_s);
        const QJsonArray day = json(u"log --json"_s)[u"entries"_s].toArray();
        QCOMPARE(day.size(), 2);
        const QString first = day[0][u"id"_s].toString();
        const QString second = day[1][u"id"_s].toString();
        QVERIFY(ok(u"log --week 2026-W10"_s).endsWith(u"Total 1h 30m in 2 sessions.\n"_s));
        QCOMPARE(ok(u"log --month 2026-02"_s), u"No sessions.\n"_s);

        // The second session moved into the first is refused; a touching one is fine.
        const Result overlap = zol(u"edit %1 --start \"2026-03-02 09:30\""_s.arg(second));
        QCOMPARE(overlap.code, 1);
        // The session in the way is listed above the sentence that speaks of it.
        const QStringList said = overlap.err.split(u'\n');
        QVERIFY2(said.size() == 4 && said[0].startsWith(u"  "_s + first.left(8) + u"  09:00"_s) &&
                     said[1] == u"These hours are already tracked"_s &&
                     said[2].endsWith(u"the sessions above."_s),
                 qPrintable(overlap.err));
        QCOMPARE(ok(u"edit %1 --start \"2026-03-02 10:05\""_s.arg(second)), u"Saved.\n"_s);

        QCOMPARE(ok(u"delete %1 %2"_s.arg(first, second)), u"Deleted 2 sessions.\n"_s);
        QCOMPARE(json(u"deleted --json"_s)[u"entryCount"_s].toInt(), 2);
        // Hours tracked since over the first session keep it in the bin.
        const QDateTime later = m_clock->now();
        m_clock->setNow(utc(2026, 3, 2, 9, 15));
        track(10);
        m_clock->setNow(later);
        const Result refused = zol(u"restore %1 %2"_s.arg(first, second));
        QCOMPARE(refused.code, 1);
        QCOMPARE(refused.err,
                 u"Restored 1 session. These hours are already tracked: 2301 Brand book (Mon 2 Mar "
                 "09:00\u201310:00) would run into 2301 Brand book (Mon 2 Mar 09:15\u201309:25). "
                 "Delete or change what is in the way first.\n"_s);
        ok(u"delete %1"_s.arg(second));
        QCOMPARE(ok(u"restore "_s + second), u"Restored.\n"_s);
        ok(u"clear-deleted"_s);
        QCOMPARE(zol(u"restore "_s + second).code, 1);
        QCOMPARE(zol(u"delete not-an-id"_s).code, 2);

        ok(u"project edit 2301 --number 2302"_s);
        QCOMPARE(json(u"log --json"_s)[u"entries"_s][0][u"projectNumber"_s].toString(), u"2302"_s);
        ok(u"project archive 2302"_s);
        QCOMPARE(ok(u"projects"_s), u"No active projects.\n"_s);
        const QJsonValue all = json(u"projects --all --json"_s);
        QCOMPARE(all.toArray().size(), 1);
        QVERIFY(all[0][u"number"_s] == u"2302"_s && !all[0][u"isActive"_s].toBool());
        QCOMPARE(all[0][u"createdAt"_s].toString(), u"2026-03-02T09:00:00Z"_s);
        QCOMPARE(ok(u"project unarchive 2302"_s), u"Brand book is back in the picker.\n"_s);
        QCOMPARE(zol(u"project next"_s).code, 1); // numbers typed by hand
    }

    void twoPeopleShareOneStudioFolder()
    {
        QTemporaryDir share;
        QTemporaryDir homes;
        const auto as = [&](const QString& person) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(homes.filePath(person + u"/data"_s)));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(homes.filePath(person + u"/config"_s)));
        };
        const QString joinFolder = u"studio folder \"%1\""_s.arg(share.path());
        const auto joinStudio = [&](const QString& person) {
            as(person);
            ok(u"books add Studio"_s);
            ok(u"books open Studio"_s);
            ok(u"name "_s + person);
            return ok(joinFolder);
        };

        QCOMPARE(joinStudio(u"Anna"_s),
                 u"Connected, but no other computers have published yet.\n"_s);
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        track(60);
        QCOMPARE(joinStudio(u"Ben"_s), u"Received 1 project.\n"_s);
        track(30, u"--note Proofs"_s);
        ok(u"studio upload"_s);
        QCOMPARE(zol(u"studio upload 2026"_s).code, 2);
        as(u"Anna"_s);
        QCOMPARE(ok(u"studio upload 2026-W10"_s),
                 u"Uploaded Week 10 · 2 March – 8 March: 1.00 hours.\n"_s);
        QCOMPARE(ok(u"studio upload --week"_s), ok(u"studio upload --week 2026-W10"_s));
        QVERIFY(ok(u"studio upload --month"_s).startsWith(u"Uploaded March 2026"_s));
        const QJsonValue studio = json(u"studio --json"_s);
        QCOMPARE(studio[u"peers"_s].toArray(), QJsonArray{u"Ben"_s});
        QVERIFY(studio[u"lastUploadAt"_s].isString());
        QCOMPARE(studio[u"conflictCopies"_s][u"timesheets"_s].toInt(), 0);

        // A sync tool's conflict copies are counted, never read or removed.
        const QString weeks = share.filePath(u".zol/hours/Anna/2026/weeks"_s);
        const QStringList copies = {
            weeks + u"/2026-W10.sync-conflict-20260310-101010-ABCDEFG.csv"_s,
            weeks + u"/2026-W09.sync-conflict-20260303-101010-ABCDEFG.csv"_s};
        for (const QString& copy : copies)
            QVERIFY(QFile(copy).open(QIODevice::WriteOnly));
        ok(u"studio sync --force"_s);
        QVERIFY(ok(u"studio"_s)
                    .contains(u"\n2 conflict copies of timesheets left by the sync tool. "_s));
        QCOMPARE(json(u"studio --json"_s)[u"conflictCopies"_s][u"timesheets"_s].toInt(), 2);
        for (const QString& copy : copies)
            QVERIFY(QFile::exists(copy));

        // Local never shares, and a folder serves one set of books only.
        ok(u"books open Local"_s);
        QCOMPARE(zol(joinFolder).code, 1);
        ok(u"books add Archive"_s);
        ok(u"books open Archive"_s);
        QVERIFY(zol(joinFolder)
                    .err.startsWith(u"That folder belongs to Studio.\nTwo sets of "
                                    u"books on one folder are one studio."_s));
        ok(u"books open Studio"_s);

        // The report reads both people's timesheets off the folder.
        const QString rows = homes.filePath(u"march.csv"_s);
        const QString page = homes.filePath(u"march.html"_s);
        const QString package = homes.filePath(u"package"_s);
        QCOMPARE(ok(u"report 2026-03 --output \"%1\" --csv \"%2\" --package \"%3\""_s.arg(
                     page, rows, package)),
                 u"Saved march.html.\n"_s + page + u"\nExported 2 sessions.\n"_s + rows +
                     u"\nExported 2 sessions.\n"_s + package + u"/report.html\n"_s);
        QFile csv(rows);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray text = csv.readAll();
        QVERIFY(text.contains("Anna") && text.contains("Ben"));
        // A package folder holding anything else is never replaced.
        QVERIFY(QFile(package + u"/notes.txt"_s).open(QIODevice::WriteOnly));
        QCOMPARE(zol(u"report --package \"%1\""_s.arg(package)).code, 1);
        QVERIFY(QFile::exists(package + u"/notes.txt"_s));
    }

    void linksOnTheShareAreRefused_data()
    {
        QTest::addColumn<QString>("planted"); // OWN: this machine's catalogue folder
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("hidesBen"); // stands between `zol studio` and Ben's meta file
        const QString upload = u"studio upload 2026-W10"_s;
        QTest::newRow(".zol") << u".zol"_s << upload << true;
        QTest::newRow("hours") << u".zol/hours"_s << upload << false;
        QTest::newRow("person folder") << u".zol/hours/Anna"_s << upload << false;
        QTest::newRow("year folder") << u".zol/hours/Anna/2026"_s << upload << false;
        QTest::newRow("peers") << u".zol/peers"_s << u"studio sync --force"_s << true;
        QTest::newRow("own catalogue") << u".zol/peers/OWN"_s << u"studio sync --force"_s << false;
    }

    // Anna has handed a week in; then a folder on her way is moved out of the
    // share and a link to it put in its place.
    void linksOnTheShareAreRefused()
    {
        QFETCH(QString, planted);
        QFETCH(QString, command);
        QFETCH(bool, hidesBen);
        QTemporaryDir share;
        const QString peers = share.filePath(u".zol/peers"_s);
        writeFile(peers + u"/BEN/meta.json"_s,
                  PeerMeta{1, u"BEN"_s, u"Ben"_s, m_clock->now(), 0, 64}.encode());
        ok(u"books add Studio"_s);
        ok(u"books open Studio"_s);
        ok(u"name Anna"_s);
        ok(u"studio folder \"%1\""_s.arg(share.path()));
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        track(60);
        ok(u"studio upload 2026-W10"_s);
        QStringList own = QDir(peers).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        own.removeOne(u"BEN"_s);
        QCOMPARE(own.size(), 1);

        const PlantedLink link(share.filePath(QString(planted).replace(u"OWN"_s, own.first())));
        const Result refused = zol(command);
        QCOMPARE(refused.code, 1);
        QCOMPARE(json(u"studio --json"_s)[u"peers"_s].toArray().isEmpty(), hidesBen);
        QVERIFY(link.untouched());
        QVERIFY2(link.isRefusedIn(refused.err), qPrintable(refused.err));
    }

    void aRefusedFolderIsNotChosen_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("isLink"); // else a file
        QTest::newRow(".zol a link") << u".zol"_s << true;
        QTest::newRow("hours a link") << u".zol/hours"_s << true;
        QTest::newRow(".zol a file") << u".zol"_s << false;
    }

    void aRefusedFolderIsNotChosen()
    {
        QFETCH(QString, planted);
        QFETCH(bool, isLink);
        QTemporaryDir share;
        QVERIFY(QDir(share.path()).mkpath(u".zol/peers"_s));
        std::optional<PlantedLink> link;
        if (isLink) {
            link.emplace(share.filePath(planted));
        } else {
            QVERIFY(QDir(share.filePath(planted)).removeRecursively());
            writeFile(share.filePath(planted), "not a folder");
        }
        ok(u"books add Studio"_s);
        ok(u"books open Studio"_s);
        const Result chosen = zol(u"studio folder \"%1\""_s.arg(share.path()));
        QCOMPARE(chosen.code, 1);
        QVERIFY(json(u"studio --json"_s)[u"folder"_s].isNull());
        QVERIFY(!link || link->untouched());
        QVERIFY2(link ? link->isRefusedIn(chosen.err)
                      : chosen.err.contains(u"it is not a folder"_s),
                 qPrintable(chosen.err));
    }

    void exportMatchesTheGoldenFile()
    {
        ok(u"name \"Anna Smit\""_s);
        EntryStore store(EntryStore::defaultURL(), *m_clock);
        TimeEntry first = session(utc(2026, 3, 2, 9), 90);
        first.id = QUuid(u"8C1E3C0A-6F0B-4B8E-9D7E-2B0C4C1D5E01"_s);
        first.note = u"=cover, \"final\""_s;
        store.save(first);
        TimeEntry second = session(utc(2026, 3, 3, 13, 15), 45);
        second.id = QUuid(u"8C1E3C0A-6F0B-4B8E-9D7E-2B0C4C1D5E02"_s);
        second.task = u"Design"_s;
        store.save(second);
        store.save(session(utc(2026, 2, 27, 9), 60)); // another week
        const QString file = m_folders->root() + u"/week.csv"_s;
        QCOMPARE(ok(u"export csv --period 2026-W10 --output \"%1\""_s.arg(file)),
                 u"Exported 2 sessions.\n"_s + file + u'\n');
        QFile written(file);
        QFile golden(QFINDTESTDATA("cli/golden/export-2026-W10.csv"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        // ZOL_WRITE_GOLDEN=1 records a new golden file after a deliberate change.
        if (qEnvironmentVariableIsSet("ZOL_WRITE_GOLDEN") && golden.open(QIODevice::WriteOnly))
            golden.write(bytes);
        golden.close();
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QCOMPARE(bytes, golden.readAll());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("unknown command") << u"frobnicate"_s;
        QTest::newRow("unknown option") << u"status --yaml"_s;
        QTest::newRow("single-dash option") << u"status -j"_s;
        QTest::newRow("missing value") << u"start 2301 --note"_s;
        QTest::newRow("value on a flag") << u"status --json=yes"_s;
        QTest::newRow("missing number") << u"start"_s;
        QTest::newRow("number and internal") << u"start 2301 --internal x"_s;
        QTest::newRow("too many") << u"stop now"_s;
        QTest::newRow("no confirmation") << u"books empty Local"_s;
        QTest::newRow("wrong confirmation") << u"books empty Local --confirm local"_s;
        QTest::newRow("unknown setting") << u"settings ui.colour"_s;
        QTest::newRow("move sideways") << u"tasks move General left"_s;
        QTest::newRow("a month for --week") << u"log --week 2026-03"_s;
        QTest::newRow("a word after --week") << u"log --week lastweek"_s;
        QTest::newRow("two periods") << u"log --week --month"_s;
        QTest::newRow("upload: a period twice") << u"studio upload 2026-W10 --week"_s;
        QTest::newRow("upload: a week for --month") << u"studio upload --month 2026-W10"_s;
        QTest::newRow("upload: a year") << u"studio upload --month 2026"_s;
        QTest::newRow("note: no text") << u"note"_s;
        QTest::newRow("restore: not a date") << u"backups restore 3-3-2026"_s;
    }

    void usageErrors()
    {
        QFETCH(QString, command);
        const Result result = zol(command);
        QCOMPARE(result.code, 2);
        QVERIFY(result.out.isEmpty());
        QCOMPARE(result.err.count(u'\n'), 1);
        QVERIFY2(result.err.contains(u"--help'."_s), qPrintable(result.err));
    }

    // --week and --month alone are today's week and month; a word after them
    // is their value only when it reads as a period.
    void periodsThatMayBeLeftOut_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("sameAs");
        QTest::newRow("week") << u"log --week"_s << u"log --week 2026-W10"_s;
        QTest::newRow("month") << u"log --month"_s << u"log --month 2026-03"_s;
        QTest::newRow("week, then a flag")
            << u"log --week --json"_s << u"log --week=2026-W10 --json"_s;
        QTest::newRow("an empty value") << u"log --month="_s << u"log --month 2026-03"_s;
        QTest::newRow("another week") << u"log --week 2026-W09"_s << u"log --day 2026-02-23"_s;
    }

    void periodsThatMayBeLeftOut()
    {
        QFETCH(QString, command);
        QFETCH(QString, sameAs);
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        m_clock->setNow(utc(2026, 2, 23, 9));
        track(30);
        m_clock->setNow(utc(2026, 3, 4, 9)); // a Wednesday: week 10 and March hold both
        track(45);
        const QString shown = ok(command);
        QVERIFY(shown != u"<failed>"_s && shown.contains(u"Brand book"_s));
        QCOMPARE(shown, ok(sameAs));
    }

    // Ids as `zol log` shows them (8 characters), and any unique beginning of
    // 4 or more, in either case; one that several sessions share is refused
    // with them listed, and nothing changes.
    void sessionIdsByTheirBeginning_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::newRow("unique, lower case") << u"edit abcd1 --note x"_s << 0 << u"Saved.\n"_s;
        QTest::newRow("whole, in braces")
            << u"edit {ABCD1111-0000-4000-8000-000000000001} --note x"_s << 0 << u"Saved.\n"_s;
        QTest::newRow("shared") << u"edit ABCD --note x"_s << 1
                                << u"ABCD is the beginning of the ids of 2 sessions:\n"
                                   "  ABCD1111-0000-4000-8000-000000000001  2026-03-02 07:00  "
                                   "2301 Brand book · Acme\n"
                                   "  ABCD2222-0000-4000-8000-000000000002  2026-03-02 07:30  "
                                   "2301 Brand book · Acme\n"
                                   "Give more of the id.\n"_s;
        QTest::newRow("too short") << u"edit abc --note x"_s << 2 << QString();
        QTest::newRow("not an id") << u"edit abcx --note x"_s << 2 << QString();
        QTest::newRow("nobody's") << u"edit ffff --note x"_s << 1
                                  << u"No session has the id ffff. 'zol log' shows them.\n"_s;
        QTest::newRow("two at once") << u"delete abcd2 abce"_s << 0 << u"Deleted 2 sessions.\n"_s;
        QTest::newRow("one shared among several") << u"delete abcd1 ABCD"_s << 1 << QString();
        QTest::newRow("deleted: not live") << u"delete abcd9"_s << 1 << QString();
        // Only one of the three is in the bin.
        QTest::newRow("restore") << u"restore abcd"_s << 0 << u"Restored.\n"_s;
    }

    void sessionIdsByTheirBeginning()
    {
        QFETCH(QString, command);
        QFETCH(int, code);
        QFETCH(QString, said);
        {
            EntryStore store(EntryStore::defaultURL(), *m_clock);
            const auto add = [&](const char* id, int hour, int minute, bool deleted) {
                TimeEntry entry = session(utc(2026, 3, 2, hour, minute), 20);
                entry.id = QUuid::fromString(QLatin1StringView(id));
                if (deleted)
                    entry.deletedAt = m_clock->now();
                store.save(entry);
            };
            add("ABCD1111-0000-4000-8000-000000000001", 7, 0, false);
            add("ABCD2222-0000-4000-8000-000000000002", 7, 30, false);
            add("ABCE3333-0000-4000-8000-000000000003", 6, 0, false);
            add("ABCD9999-0000-4000-8000-000000000009", 5, 0, true);
        }
        QVERIFY(ok(u"log"_s).contains(u"\n  ABCD1111  07:00–07:20  "_s));
        const QString before = ok(u"log --json"_s) + ok(u"deleted --json"_s);
        const Result result = zol(command);
        QCOMPARE(result.code, code);
        if (!said.isEmpty())
            QCOMPARE(code == 0 ? result.out : result.err, said);
        if (code != 0)
            QCOMPARE(ok(u"log --json"_s) + ok(u"deleted --json"_s), before);
    }

    // A start that stops the open session says so first; a note goes on the
    // running (or paused) session, replaced or added to.
    void startingOverAndNotes()
    {
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        ok(u"project add 2302 --client \"Acme, Inc.\" --name Logo"_s);
        QCOMPARE(zol(u"note x"_s).err, u"No timer is running.\n"_s);
        QCOMPARE(ok(u"start 2301"_s), u"Started 2301 Brand book · Acme.\n"_s);
        m_clock->advance(65 * 60);
        QCOMPARE(ok(u"start 2302"_s),
                 u"Logged 1h 5m to Brand book.\nStarted 2302 Logo · Acme, Inc.\n"_s);
        m_clock->advance(30);
        QCOMPARE(ok(u"toggle"_s), u"Paused 2302 Logo · Acme, Inc. at 0:30.\n"_s);
        QCOMPARE(ok(u"resume"_s), u"Resumed 2302 Logo · Acme, Inc.\n"_s);
        QCOMPARE(ok(u"start 2301 --note first"_s),
                 u"Under a minute, so nothing was recorded.\nStarted 2301 Brand book · Acme.\n"_s);

        QCOMPARE(ok(u"note \" Sketches \""_s), u"Note on 2301 Brand book · Acme: “Sketches”\n"_s);
        ok(u"pause"_s);
        QCOMPARE(ok(u"note --append Proofs"_s),
                 u"Note on 2301 Brand book · Acme: “Sketches\nProofs”\n"_s);
        QCOMPARE(json(u"status --json"_s)[u"entry"_s][u"note"_s].toString(), u"Sketches\nProofs"_s);
        const Result tooLong = zol(QStringList{u"note"_s, u"--append"_s, QString(20'000, u'x')});
        QCOMPARE(tooLong.code, 1);
        QCOMPARE(json(u"status --json"_s)[u"entry"_s][u"note"_s].toString(), u"Sketches\nProofs"_s);
        QCOMPARE(zol(QStringList{u"note"_s, QString()}).out,
                 u"Cleared the note of 2301 Brand book · Acme.\n"_s);
        QCOMPARE(json(u"status --json"_s)[u"entry"_s][u"note"_s].toString(), QString());
    }

    void helpAndVersion()
    {
        QVERIFY(ok(u"--help"_s).contains(u"  books add"_s));
        QVERIFY(ok(u"start --help"_s).startsWith(u"Usage: zol start NUMBER"_s));
        QVERIFY(ok(u"help books empty"_s).startsWith(u"Usage: zol books empty"_s));
        QCOMPARE(ok(u"--version"_s), u"zol " ZOL_VERSION "\n"_s);
    }

    void theManualPageNamesEveryCommand()
    {
        QFile page(QFINDTESTDATA("../../Zol/cli/zol.1.in"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll()).replace(u"\\-"_s, u"-"_s);
        QStringList missing;
        QTextStream out(stdout);
        for (const cli::Command& command : cli::CommandLine(*m_clock, out, out).commands()) {
            if (!text.contains(u"\\fBzol "_s + command.name))
                missing.append(command.name);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(u"missing from zol.1: "_s + missing.join(u", ")));
    }

    // A backup a day, listed newest first; a restore from a day without one
    // or from a file that is not books changes nothing; a restore and an
    // emptying each keep the books as they were.
    void backupsAndRestoring()
    {
        QCOMPARE(
            ok(u"backups"_s),
            u"Local has no backups yet. One is taken before the first change of each day.\n"_s);
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        track(30);
        m_clock->advance(86400);
        track(60);
        track(15);
        const QString listed = ok(u"backups"_s);
        QVERIFY2(listed.contains(u"\n  2026-03-03        1 session "_s), qPrintable(listed));
        QVERIFY2(listed.contains(u"\n  2026-03-02        0 sessions"_s), qPrintable(listed));
        QVERIFY(listed.indexOf(u"2026-03-03"_s) < listed.indexOf(u"2026-03-02"_s));
        const QJsonArray rows = json(u"backups --json"_s).toArray();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][u"sessions"_s].toInt(), 1);
        QCOMPARE(rows[0][u"kind"_s].toString(), u"daily"_s);

        const auto sessions = [] {
            return EntryStore(EntryStore::defaultURL()).recentEntries(10).size();
        };
        const Result missing = zol(u"backups restore 2026-03-01"_s);
        QCOMPARE(missing.code, 1);
        QCOMPARE(missing.err, u"There is no backup of Local from 2026-03-01; nothing was changed. "
                              "'zol backups' lists them.\n"_s);
        const QString notes = m_folders->root() + u"/notes.sqlite3"_s;
        writeFile(notes, QByteArray("just some notes\n").repeated(300));
        const Result foreign = zol(QStringList{u"backups"_s, u"restore"_s, notes});
        QCOMPARE(foreign.code, 1);
        QCOMPARE(foreign.err, notes + u" is not a Zol database; nothing was changed.\n"_s);
        QCOMPARE(sessions(), 3);
        QCOMPARE(json(u"backups --json"_s).toArray().size(), 2);

        const QString restored = ok(u"backups restore 2026-03-03"_s);
        QVERIFY2(restored.startsWith(u"Restored Local from zol-2026-03-03.sqlite3. The books as "
                                     "they were are in "_s),
                 qPrintable(restored));
        QVERIFY(restored.trimmed().endsWith(u"/zol-2026-03-03-before-restore-104500.sqlite3"_s));
        QCOMPARE(sessions(), 1);

        m_clock->advance(60);
        const QString emptied = ok(u"books empty Local --confirm Local"_s);
        QVERIFY2(emptied.trimmed().endsWith(u"/zol-2026-03-03-before-empty-104600.sqlite3"_s),
                 qPrintable(emptied));
        QCOMPARE(sessions(), 0);
        const QString afterwards = ok(u"backups"_s);
        QVERIFY2(afterwards.contains(u"before emptying, 10:46:00\n"_s), qPrintable(afterwards));
        QVERIFY(afterwards.contains(u"before restore, 10:45:00\n"_s));
        QCOMPARE(ok(u"backups restore latest"_s).left(40),
                 u"Restored Local from zol-2026-03-03.sqlit"_s);
        QCOMPARE(sessions(), 1);
    }

    void booksSettingsAndTasks()
    {
        QCOMPARE(ok(u"books add Studio --prefix P --digits 3 --year"_s),
                 u"Added Studio. 'zol books open Studio' opens them.\n"_s);
        QCOMPARE(zol(u"books add studio"_s).code, 1);
        QCOMPARE(ok(u"books open studio"_s), u"Switched to Studio.\n"_s);
        const QJsonValue books = json(u"books --json"_s);
        QCOMPARE(books.toArray().size(), 2);
        QCOMPARE(books[1][u"numbering"_s][u"automatic"_s][u"_0"_s][u"prefix"_s].toString(), u"P"_s);

        // One name for the person in every set of books, unless a set has its own.
        QCOMPARE(ok(u"name Anna"_s),
                 u"Timesheets are filed under Anna now, in every set of books.\n"_s);
        QCOMPARE(ok(u"settings machine.name"_s), u"Anna\n"_s);
        QCOMPARE(
            ok(u"name \"Anna S\" --these-books"_s),
            u"Timesheets of Studio are filed under Anna S now; other books keep their name.\n"_s);
        QCOMPARE(ok(u"settings reminders.firstMinutes 45"_s), u"reminders.firstMinutes = 45\n"_s);
        QCOMPARE(ok(u"settings idle.enabled off"_s), u"idle.enabled = false\n"_s);
        QCOMPARE(ok(u"settings machine.id"_s).trimmed().size(), 36);
        QCOMPARE(zol(u"settings machine.id X"_s).code, 1);
        ok(u"books open Local"_s);
        QCOMPARE(ok(u"settings machine.name"_s), u"Anna\n"_s);
        QCOMPARE(zol(u"name Bo --these-books"_s).code, 1);
        QCOMPARE(ok(u"name Anne"_s), u"Timesheets are filed under Anne now, in every set of books "
                                     "but Studio, which has a name of its own.\n"_s);

        QCOMPARE(ok(u"tasks"_s), u"Tasks are off in Local: new sessions get none. 'zol tasks on' "
                                 "asks for one at every start.\nThere are no tasks yet. Add one "
                                 "with `zol tasks add`.\n"_s);
        QCOMPARE(zol(u"tasks on"_s).err,
                 u"Add at least one task below first. General is always there as well.\n"
                 "Add one with `zol tasks add`.\n"_s);
        QCOMPARE(ok(u"tasks add Design"_s), u"Added Design.\n"_s);
        ok(u"tasks add Print"_s);
        QCOMPARE(ok(u"tasks on"_s), u"Tasks are on.\n"_s);
        QCOMPARE(ok(u"tasks move print up"_s), u"Tasks: Print, Design.\n"_s);
        QCOMPARE(json(u"tasks --json"_s)[u"updatedAt"_s].toString(), u"2026-03-02T09:00:00Z"_s);
        ok(u"tasks off"_s);
        // Off, the list is still shown.
        QCOMPARE(ok(u"tasks"_s), u"Tasks are off in Local: new sessions get none. 'zol tasks on' "
                                 "asks for one at every start.\n  General\n  Print\n  Design\n"_s);
        ok(u"tasks on"_s);
        QVERIFY(zol(u"start --internal Admin --task Nap"_s)
                    .err.startsWith(u"There is no task called Nap."_s));
        QCOMPARE(ok(u"start --internal Admin --task design"_s),
                 u"Started internal work: Admin.\n"_s);
    }

    void argumentsDecodeStrictly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");

        const auto escaped = [](std::initializer_list<char16_t> units) {
            QString text;
            for (char16_t unit : units)
                text += QChar(unit);
            return text;
        };
        QTest::newRow("UTF-8") << "Caf\xc3\xa9 \xf0\x9f\x98\x80"_ba << u"Café 😀"_s;
        QTest::newRow("Latin-1") << "Caf\xe9"_ba << u"Caf"_s + escaped({0xDCE9});
        QTest::newRow("overlong slash") << "\xc0\xaf"_ba << escaped({0xDCC0, 0xDCAF});
        QTest::newRow("encoded surrogate")
            << "a\xed\xa0\x80"_ba << u"a"_s + escaped({0xDCED, 0xDCA0, 0xDC80});
        QTest::newRow("cut short") << "\xe2\x82"_ba << escaped({0xDCE2, 0xDC82});
        QTest::newRow("past U+10FFFF")
            << "\xf4\x90\x80\x80"_ba << escaped({0xDCF4, 0xDC90, 0xDC80, 0xDC80});
        QTest::newRow("good after bad") << "\xff\xe2\x82\xac"_ba << escaped({0xDCFF}) + u"€"_s;
    }

    void argumentsDecodeStrictly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cli::decodeArgument(bytes), text);
    }

    void refusedValuesChangeNothing_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("refusal");

        const QString bad = cli::decodeArgument("Ann\xe9"_ba);
        const QString long201 = QString(201, u'a');
        const QString idle = u"idle.minutes takes a whole number of minutes from 1 to 240"_s;
        QTest::newRow("negative number")
            << QStringList{u"settings"_s, u"idle.minutes"_s, u"-5"_s} << idle + u", not -5."_s;
        QTest::newRow("negative number after --")
            << QStringList{u"settings"_s, u"idle.minutes"_s, u"--"_s, u"-5"_s}
            << idle + u", not -5."_s;
        QTest::newRow("switch") << QStringList{u"settings"_s, u"idle.enabled"_s, u"maybe"_s}
                                << u"idle.enabled is true or false (on or off)."_s;
        QTest::newRow("studio folder")
            << QStringList{u"settings"_s, u"share.folder"_s, u"/srv/studio"_s}
            << u"share.folder is chosen with 'zol studio folder' and cleared with 'zol studio "
               u"disconnect'."_s;
        QTest::newRow("blank name") << QStringList{u"settings"_s, u"machine.name"_s, u" "_s}
                                    << u"The name timesheets are filed under cannot be blank."_s;
        QTest::newRow("name not UTF-8")
            << QStringList{u"name"_s, bad}
            << u"The name timesheets are filed under is not valid UTF-8 text."_s;
        QTest::newRow("long books") << QStringList{u"books"_s, u"add"_s, long201}
                                    << u"The administration’s name is 201 characters long; the most "
                                       u"is 200."_s;
        QTest::newRow("client not UTF-8")
            << QStringList{u"project"_s, u"add"_s,    u"2302"_s, u"--client"_s,
                           bad,          u"--name"_s, u"Menu"_s}
            << u"The client's name is not valid UTF-8 text."_s;
        QTest::newRow("long task") << QStringList{u"tasks"_s, u"add"_s, long201}
                                   << u"The task's name is 201 characters long; the most is 200."_s;
        QTest::newRow("internal work not UTF-8")
            << QStringList{u"start"_s, u"--internal"_s, bad}
            << u"The description of the internal work is not valid UTF-8 text."_s;
        QTest::newRow("long note")
            << QStringList{u"start"_s, u"2301"_s, u"--note"_s, QString(10'001, u'x')}
            << u"The note is 10,001 characters long; the most is 10,000."_s;
    }

    void refusedValuesChangeNothing()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, refusal);
        ok(u"project add 2301 --client Acme --name \"Brand book\""_s);
        const QString before = everything();
        const Result result = zol(words);
        QCOMPARE(result.err, refusal + u'\n');
        QCOMPARE(result.code, 1);
        QVERIFY(result.out.isEmpty());
        QCOMPARE(everything(), before);
    }

    void numbersInRangeAreTaken()
    {
        QCOMPARE(ok(u"settings idle.minutes 240"_s), u"idle.minutes = 240\n"_s);
        QCOMPARE(ok(u"settings reminders.repeatMinutes -- 0"_s),
                 u"reminders.repeatMinutes = 0\n"_s);
        QCOMPARE(ok(u"settings ui.longRunningWarningHours -0"_s),
                 u"ui.longRunningWarningHours = 0\n"_s);
    }

    void unopenableBooksRefuseWrites()
    {
        // The data folder would have to be made below a regular file.
        QFile blocker(m_folders->root() + u"/blocker"_s);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName()));
        const Result read = zol(u"status"_s);
        QCOMPARE(read.code, 0);
        QVERIFY(read.err.startsWith(u"Could not open "_s));
        const Result write = zol(u"start --internal Admin"_s);
        QCOMPARE(write.code, 1);
        QVERIFY(write.err.contains(u"nothing was changed"_s));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
