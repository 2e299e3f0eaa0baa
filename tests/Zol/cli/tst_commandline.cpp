// The command line in-process: each command runs as `zol` would run it, with
// its own controller over the files of temporary user folders, and what it
// printed and returned is checked.

#include "Builders.h"
#include "CommandLine.h"
#include "FakeClock.h"
#include "UserFolders.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<FakeClock> m_clock;

    Result zol(const QStringList& arguments)
    {
        Result result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        cli::CommandLine commandLine(*m_clock, out, err);
        result.code = commandLine.run(arguments);
        out.flush();
        err.flush();
        return result;
    }

    // Runs a command that must work and returns what it printed.
    QString ok(const QStringList& arguments)
    {
        const Result result = zol(arguments);
        if (result.code != 0)
            qWarning().noquote() << arguments.join(u' ') << "failed:" << result.err;
        return result.code == 0 ? result.out : u"<failed>"_s;
    }

    void addProject(const QString& number, const QString& name)
    {
        EntryStore store(EntryStore::defaultURL(), *m_clock);
        store.addManualProject(
            project(number, name, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1)));
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

    void aDayOfTracking()
    {
        addProject(u"2301"_s, u"Brand book"_s);
        QCOMPARE(ok({u"start"_s, u" 2301 "_s, u"--note"_s, u"Logo"_s}),
                 u"Started 2301 Brand book · Acme.\n"_s);
        m_clock->advance(3600);
        QCOMPARE(ok({u"pause"_s}), u"Paused 2301 Brand book · Acme at 1:00:00.\n"_s);
        m_clock->advance(1800);
        QCOMPARE(ok({u"pause"_s}), u"Already paused.\n"_s);
        QCOMPARE(ok({u"resume"_s}), u"Resumed 2301 Brand book · Acme.\n"_s);
        m_clock->advance(1800);

        // A second `zol status` later sees the running session.
        const QJsonObject status =
            QJsonDocument::fromJson(ok({u"status"_s, u"--json"_s}).toUtf8()).object();
        QCOMPARE(status[u"tracking"_s].toBool(), true);
        QCOMPARE(status[u"paused"_s].toBool(), false);
        QCOMPARE(status[u"elapsedSeconds"_s].toDouble(), 5400.0);
        QCOMPARE(status[u"administration"_s][u"name"_s].toString(), u"Local"_s);
        QCOMPARE(status[u"entry"_s][u"note"_s].toString(), u"Logo"_s);
        QCOMPARE(ok({u"status"_s}).section(u'\n', 0, 0),
                 u"Tracking 2301 Brand book · Acme · 1:30:00"_s);

        QCOMPARE(ok({u"stop"_s}), u"Logged 1h 30m to Brand book.\n"_s);
        const Result again = zol({u"stop"_s});
        QCOMPARE(again.code, 1);
        QCOMPARE(again.err, u"No timer is running.\n"_s);
        QCOMPARE(QJsonDocument::fromJson(ok({u"status"_s, u"--json"_s}).toUtf8())[u"entry"_s].isNull(),
                 true);
    }

    void underAMinuteAndInternalWork()
    {
        QCOMPARE(ok({u"start"_s, u"--internal"_s, u"  Studio tidy-up "_s}),
                 u"Started internal work: Studio tidy-up.\n"_s);
        m_clock->advance(59);
        QCOMPARE(ok({u"stop"_s}), u"Under a minute, so nothing was recorded.\n"_s);
        QVERIFY(EntryStore(EntryStore::defaultURL(), *m_clock).recentEntries(10).isEmpty());

        const Result unknown = zol({u"start"_s, u"9999"_s});
        QCOMPARE(unknown.code, 1);
        QVERIFY(unknown.err.startsWith(u"No project has the number 9999."_s));
    }

    void sessionsAndProjects()
    {
        QCOMPARE(ok({u"project"_s, u"add"_s, u"2301"_s, u"--client"_s, u"Acme"_s, u"--name"_s,
                     u"Brand book"_s}),
                 u"Added Brand book.\n"_s);
        const Result taken = zol({u"project"_s, u"add"_s, u" 2301"_s, u"--client"_s, u"B"_s,
                                  u"--name"_s, u"Other"_s});
        QCOMPARE(taken.code, 1);
        QCOMPARE(taken.err, u"2301 is already Acme — Brand book. Pick it from the list, or use a different number.\n"_s);

        ok({u"start"_s, u"2301"_s});
        m_clock->advance(3600);
        ok({u"stop"_s});
        ok({u"start"_s, u"2301"_s, u"--note"_s, u"second"_s});
        m_clock->advance(1800);
        ok({u"stop"_s});
        const QJsonArray day =
            QJsonDocument::fromJson(ok({u"log"_s, u"--json"_s}).toUtf8())[u"entries"_s].toArray();
        QCOMPARE(day.size(), 2);
        const QString first = day[0][u"id"_s].toString();
        const QString second = day[1][u"id"_s].toString();
        QVERIFY(ok({u"log"_s, u"--week"_s, u"2026-W10"_s}).endsWith(u"Total 1h 30m in 2 sessions.\n"_s));
        QCOMPARE(ok({u"log"_s, u"--month"_s, u"2026-02"_s}), u"No sessions.\n"_s);

        // The second session moved into the first is refused; a touching one is fine.
        const Result overlap = zol({u"edit"_s, second, u"--start"_s, u"2026-03-02 09:30"_s});
        QCOMPARE(overlap.code, 1);
        QVERIFY(overlap.err.startsWith(u"These hours are already tracked\n"_s));
        QCOMPARE(zol({u"edit"_s, second, u"--end"_s, u"2026-03-02 08:00"_s}).err.section(u'\n', 0, 0),
                 u"The end time is before the start."_s);
        QCOMPARE(ok({u"edit"_s, second, u"--start"_s, u"2026-03-02 10:05"_s}), u"Saved.\n"_s);

        QCOMPARE(ok({u"delete"_s, first, second}), u"Deleted 2 sessions.\n"_s);
        QCOMPARE(QJsonDocument::fromJson(ok({u"deleted"_s, u"--json"_s}).toUtf8())[u"entryCount"_s].toInt(), 2);
        QCOMPARE(ok({u"restore"_s, first}), u"Restored.\n"_s);
        QCOMPARE(ok({u"clear-deleted"_s}), u"Cleared deleted sessions.\n"_s);
        QCOMPARE(zol({u"restore"_s, second}).code, 1);
        QCOMPARE(zol({u"delete"_s, u"not-an-id"_s}).code, 2);

        QCOMPARE(ok({u"project"_s, u"edit"_s, u"2301"_s, u"--number"_s, u"2302"_s}),
                 u"Updated Brand book.\n"_s);
        QCOMPARE(QJsonDocument::fromJson(ok({u"log"_s, u"--json"_s}).toUtf8())[u"entries"_s][0][u"projectNumber"_s].toString(),
                 u"2302"_s);
        QCOMPARE(ok({u"project"_s, u"archive"_s, u"2302"_s}), u"Archived Brand book.\n"_s);
        QCOMPARE(ok({u"projects"_s}), u"No active projects.\n"_s);
        const QJsonArray all =
            QJsonDocument::fromJson(ok({u"projects"_s, u"--all"_s, u"--json"_s}).toUtf8()).array();
        QCOMPARE(all.size(), 1);
        QCOMPARE(all[0][u"number"_s].toString(), u"2302"_s);
        QCOMPARE(all[0][u"isActive"_s].toBool(), false);
        QCOMPARE(all[0][u"createdAt"_s].toString(), u"2026-03-02T09:00:00Z"_s);
        QCOMPARE(ok({u"project"_s, u"unarchive"_s, u"2302"_s}), u"Brand book is back in the picker.\n"_s);
        QCOMPARE(zol({u"project"_s, u"next"_s}).code, 1); // numbers typed by hand
    }

    void twoPeopleShareOneStudioFolder()
    {
        QTemporaryDir share;
        QTemporaryDir homes;
        const auto as = [&](const QString& person) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(homes.filePath(person + u"/data"_s)));
            qputenv("XDG_CONFIG_HOME", QFile::encodeName(homes.filePath(person + u"/config"_s)));
        };
        const auto joinStudio = [&](const QString& person) {
            as(person);
            ok({u"books"_s, u"add"_s, u"Studio"_s});
            ok({u"books"_s, u"open"_s, u"Studio"_s});
            ok({u"name"_s, person});
            return ok({u"studio"_s, u"folder"_s, share.path()});
        };

        QCOMPARE(joinStudio(u"Anna"_s), u"Connected, but no other Macs have published yet.\n"_s);
        ok({u"project"_s, u"add"_s, u"2301"_s, u"--client"_s, u"Acme"_s, u"--name"_s, u"Brand book"_s});
        ok({u"start"_s, u"2301"_s});
        m_clock->advance(3600);
        ok({u"stop"_s});

        QCOMPARE(joinStudio(u"Ben"_s), u"Received 1 project.\n"_s);
        ok({u"start"_s, u"2301"_s, u"--note"_s, u"Proofs"_s});
        m_clock->advance(1800);
        QCOMPARE(ok({u"stop"_s}), u"Logged 30m to Brand book.\n"_s);
        ok({u"studio"_s, u"upload"_s});
        QCOMPARE(zol({u"studio"_s, u"upload"_s, u"2026"_s}).code, 2);
        as(u"Anna"_s);
        QCOMPARE(ok({u"studio"_s, u"upload"_s, u"2026-W10"_s}),
                 u"Uploaded Week 10 · 2 March – 8 March: 1.00 hours.\n"_s);
        const QJsonObject studio =
            QJsonDocument::fromJson(ok({u"studio"_s, u"--json"_s}).toUtf8()).object();
        QCOMPARE(studio[u"peers"_s].toArray(), QJsonArray{u"Ben"_s});
        QCOMPARE(studio[u"lastUploadAt"_s].isString(), true);

        // Local never shares, and a folder serves one set of books only.
        ok({u"books"_s, u"open"_s, u"Local"_s});
        const Result local = zol({u"studio"_s, u"folder"_s, share.path()});
        QCOMPARE(local.code, 1);
        QVERIFY(local.err.contains(u"Add other books and open them"_s));
        ok({u"books"_s, u"add"_s, u"Archive"_s});
        ok({u"books"_s, u"open"_s, u"Archive"_s});
        const Result taken = zol({u"studio"_s, u"folder"_s, share.path()});
        QCOMPARE(taken.code, 1);
        QVERIFY(taken.err.startsWith(u"That folder belongs to Studio.\nTwo sets of books on one folder are one studio."_s));
        ok({u"books"_s, u"open"_s, u"Studio"_s});

        // The report reads both people's timesheets off the folder.
        const QString rows = homes.filePath(u"march.csv"_s);
        const QString page = homes.filePath(u"march.html"_s);
        const QString package = homes.filePath(u"package"_s);
        QCOMPARE(ok({u"report"_s, u"2026-03"_s, u"--output"_s, page, u"--csv"_s, rows, u"--package"_s, package}),
                 u"Saved march.html.\n"_s + page + u"\nExported 2 sessions.\n"_s + rows +
                     u"\nExported 2 sessions.\n"_s + package + u"/report.html\n"_s);
        QFile csv(rows);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(csv.readAll());
        QVERIFY(text.contains(u"Anna"_s) && text.contains(u"Ben"_s));
        // A package folder holding anything else is never replaced.
        QFile stray(package + u"/notes.txt"_s);
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.close();
        QCOMPARE(zol({u"report"_s, u"--package"_s, package}).code, 1);
        QVERIFY(QFile::exists(package + u"/notes.txt"_s));
    }

    void exportMatchesTheGoldenFile()
    {
        addProject(u"2301"_s, u"Brand book"_s);
        EntryStore store(EntryStore::defaultURL(), *m_clock);
        ok({u"name"_s, u"Anna Smit"_s});
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
        QCOMPARE(ok({u"export"_s, u"csv"_s, u"--period"_s, u"2026-W10"_s, u"--output"_s, file}),
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
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s};
        QTest::newRow("unknown option") << QStringList{u"status"_s, u"--yaml"_s};
        QTest::newRow("single-dash option") << QStringList{u"status"_s, u"-j"_s};
        QTest::newRow("missing value") << QStringList{u"start"_s, u"2301"_s, u"--note"_s};
        QTest::newRow("value on a flag") << QStringList{u"status"_s, u"--json=yes"_s};
        QTest::newRow("missing number") << QStringList{u"start"_s};
        QTest::newRow("number and internal")
            << QStringList{u"start"_s, u"2301"_s, u"--internal"_s, u"x"_s};
        QTest::newRow("too many") << QStringList{u"stop"_s, u"now"_s};
        QTest::newRow("no confirmation") << QStringList{u"books"_s, u"empty"_s, u"Local"_s};
        QTest::newRow("wrong confirmation")
            << QStringList{u"books"_s, u"empty"_s, u"Local"_s, u"--confirm"_s, u"local"_s};
        QTest::newRow("unknown setting") << QStringList{u"settings"_s, u"ui.colour"_s};
        QTest::newRow("not a number")
            << QStringList{u"settings"_s, u"idle.minutes"_s, u"ten"_s};
        QTest::newRow("move sideways")
            << QStringList{u"tasks"_s, u"move"_s, u"General"_s, u"left"_s};
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        const Result result = zol(arguments);
        QCOMPARE(result.code, 2);
        QVERIFY(result.out.isEmpty());
        QCOMPARE(result.err.count(u'\n'), 1);
        QVERIFY2(result.err.contains(u"--help'."_s), qPrintable(result.err));
    }

    void helpAndVersion()
    {
        QVERIFY(ok({u"--help"_s}).contains(u"  books add"_s));
        QVERIFY(ok({u"start"_s, u"--help"_s}).startsWith(u"Usage: zol start NUMBER"_s));
        QVERIFY(ok({u"help"_s, u"books"_s, u"empty"_s}).startsWith(u"Usage: zol books empty"_s));
        QCOMPARE(ok({u"--version"_s}), u"zol " ZOL_VERSION "\n"_s);
    }

    void theManualPageNamesEveryCommand()
    {
        QFile page(QFINDTESTDATA("../../Zol/cli/zol.1"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll()).replace(u"\\-"_s, u"-"_s);
        QStringList hints;
        QTextStream out(stdout);
        const cli::CommandLine commandLine(*m_clock, out, out);
        for (const cli::Command& command : commandLine.commands()) {
            if (!text.contains(u"\\fBzol "_s + command.name))
                hints.append(command.name);
        }
        QVERIFY2(hints.isEmpty(), qPrintable(u"missing from zol.1: "_s + hints.join(u", ")));
    }

    void booksSettingsAndTasks()
    {
        QCOMPARE(ok({u"books"_s, u"add"_s, u"Studio"_s, u"--prefix"_s, u"P"_s, u"--digits"_s,
                     u"3"_s, u"--year"_s}),
                 u"Added Studio. 'zol books open Studio' opens them.\n"_s);
        QCOMPARE(zol({u"books"_s, u"add"_s, u"studio"_s}).code, 1);
        QCOMPARE(ok({u"books"_s, u"open"_s, u"studio"_s}), u"Switched to Studio.\n"_s);
        const QJsonArray books =
            QJsonDocument::fromJson(ok({u"books"_s, u"--json"_s}).toUtf8()).array();
        QCOMPARE(books.size(), 2);
        QCOMPARE(books[1][u"numbering"_s][u"automatic"_s][u"_0"_s][u"prefix"_s].toString(), u"P"_s);

        // Per-books keys act on the open books.
        QCOMPARE(ok({u"name"_s, u"Anna"_s}), u"Timesheets of Studio are filed under Anna now.\n"_s);
        QCOMPARE(ok({u"settings"_s, u"machine.name"_s}), u"Anna\n"_s);
        QCOMPARE(ok({u"settings"_s, u"reminders.firstMinutes"_s, u"45"_s}),
                 u"reminders.firstMinutes = 45\n"_s);
        QCOMPARE(ok({u"settings"_s, u"idle.enabled"_s, u"off"_s}), u"idle.enabled = false\n"_s);
        const QString id = ok({u"settings"_s, u"machine.id"_s}).trimmed();
        QCOMPARE(id.size(), 36);
        QCOMPARE(zol({u"settings"_s, u"machine.id"_s, u"X"_s}).code, 1);
        QCOMPARE(ok({u"books"_s, u"open"_s, u"Local"_s}), u"Switched to Local.\n"_s);
        QVERIFY(ok({u"settings"_s, u"machine.name"_s}) != u"Anna\n"_s);

        QCOMPARE(zol({u"tasks"_s, u"on"_s}).code, 1); // none yet
        QCOMPARE(ok({u"tasks"_s, u"add"_s, u"Design"_s}), u"Added Design.\n"_s);
        QCOMPARE(ok({u"tasks"_s, u"add"_s, u"Print"_s}), u"Added Print.\n"_s);
        QCOMPARE(ok({u"tasks"_s, u"on"_s}), u"Tasks are on.\n"_s);
        QCOMPARE(ok({u"tasks"_s, u"move"_s, u"print"_s, u"up"_s}),
                 u"Tasks: Print, Design.\n"_s);
        const Result refused = zol({u"start"_s, u"--internal"_s, u"Admin"_s, u"--task"_s, u"Nap"_s});
        QCOMPARE(refused.code, 1);
        QVERIFY(refused.err.startsWith(u"There is no task called Nap."_s));
        QCOMPARE(ok({u"start"_s, u"--internal"_s, u"Admin"_s, u"--task"_s, u"design"_s}),
                 u"Started internal work: Admin.\n"_s);
    }

    void unopenableBooksRefuseWrites()
    {
        // The data folder would have to be made below a regular file.
        QFile blocker(m_folders->root() + u"/blocker"_s);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName()));

        const Result read = zol({u"status"_s});
        QCOMPARE(read.code, 0);
        QVERIFY(read.err.startsWith(u"Could not open "_s));
        const Result write = zol({u"start"_s, u"--internal"_s, u"Admin"_s});
        QCOMPARE(write.code, 1);
        QVERIFY(write.err.contains(u"nothing was changed"_s));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
