// The controller's exports, the studio's hours, search and the update check:
// the sentences and dialogs of each export, cancelling, the package replacing
// an older one, failed and late studio reads, superseded searches and the
// outcomes of an update check.

#include "AppModel.h"
#include "Builders.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "ReportsModel.h"
#include "SearchModel.h"
#include "UpdateModel.h"
#include "UserFolders.h"
#include "books/SettingsStore.h"
#include "share/Timesheet.h"
#include "store/EntryStore.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using Kind = TimesheetPeriod::Kind;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A save dialog's request in one line: title | message | name | type.
QString asked(const Desktop::SaveRequest& request)
{
    return QStringList{request.title, request.message, request.suggestedName, request.contentType}
        .join(u" | "_s);
}

struct FakeSession final : HttpSession
{
    int status = 200;
    QByteArray body;
    Reply get(const QUrl&, qint64) override { return Reply{status, body}; }
};

QByteArray manifest(const QString& version)
{
    return u"{\"version\":\"%1\",\"url\":\"https://%2/zol.tar.gz\","
           "\"publishedAt\":\"2026-03-01T09:00:00Z\"}"_s.arg(version, UpdateChecker::updateHost())
               .toUtf8();
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<SettingsStore> m_defaults;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<AppModel> m_model;
    std::unique_ptr<QTemporaryDir> m_out;

    ReportsModel& reports() { return *m_model->reports(); }
    FakeDesktop& desktop() { return *m_platform->desktop; }
    QString status() { return m_model->status() ? m_model->status()->text : QString(); }
    QString out(const QString& name) { return m_out->filePath(name); }
    QString lastAsked()
    {
        return desktop().asked.isEmpty() ? QString() : asked(desktop().asked.last());
    }

    void switchBooks()
    {
        Administration other = Administration::fresh();
        other.name = u"Studio"_s;
        m_model->addAdministration(other);
        m_model->switchTo(other);
    }

    // Anna's timesheets, two sessions in March 2026 and one in February, as
    // the open books' studio folder.
    void chooseStudio()
    {
        const QString hours = Timesheet::root(out(u"share"_s)) + u"/Anna/2026/"_s;
        const QByteArray header = "id,date,duration_seconds,client,project_number,note\n";
        write(hours + u"weeks/2026-W10.csv"_s,
              header + "S1,2026-03-02,3600,Acme,2301,logo\nS2,2026-03-03,5400,Bolt,2302,site\n");
        write(hours + u"months/2026-02.csv"_s, header + "S0,2026-02-20,1800,Acme,2301,sketch\n");
        m_model->settings()->setSharedFolderPath(out(u"share"_s));
    }

    void readStudio()
    {
        chooseStudio();
        const QFuture<void> read = reports().readStudio();
        QTRY_VERIFY(read.isFinished());
        QVERIFY(reports().studio());
    }

private Q_SLOTS:
    void init()
    {
        m_folders = std::make_unique<UserFolders>();
        m_clock = std::make_unique<FakeClock>();
        m_defaults = std::make_unique<SettingsStore>(QString());
        m_platform = std::make_unique<FakePlatform>();
        m_model = std::make_unique<AppModel>(*m_defaults, *m_clock, *m_platform);
        m_model->bootstrap();
        m_out = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        m_model.reset();
        // A studio read still running holds the clock and the folders.
        QThreadPool::globalInstance()->waitForDone();
        m_defaults.reset();
        m_clock.reset();
        m_folders.reset();
    }

    void exportSessions_data()
    {
        QTest::addColumn<QString>("scope");
        QTest::addColumn<EntryExporter::Format>("format");
        QTest::addColumn<QString>("answer");  // empty: cancel
        QTest::addColumn<QString>("request"); // empty: no dialog
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("written"); // -1: no file
        const auto csv = EntryExporter::Format::csv;
        const QString today = u"Export tracked time |  | zol-Designer-2026-03-02.csv | text/csv"_s;
        QTest::newRow("the day shown")
            << u"shown"_s << csv << u"a.csv"_s << today << u"Exported 2 sessions."_s << 2;
        QTest::newRow("everything, running included")
            << u"everything"_s << EntryExporter::Format::json << u"a.json"_s
            << u"Export tracked time |  | zol-Designer-2026-02-24_2026-03-02.json | "
               u"application/json"_s
            << u"Exported 3 sessions."_s << 3;
        QTest::newRow("a week")
            << u"week"_s << csv << u"a.csv"_s
            << u"Export tracked time |  | zol-Designer-2026-02-24.csv | text/csv"_s
            << u"Exported 1 session."_s << 1;
        QTest::newRow("nothing") << u"january"_s << csv << u"a.csv"_s << QString()
                                 << u"Nothing to export."_s << -1;
        QTest::newRow("cancelled") << u"shown"_s << csv << QString() << today << QString() << -1;
        QTest::newRow("unwritable")
            << u"shown"_s << csv << u"gone/a.csv"_s << today << u"Could not write "_s << -1;
    }

    void exportSessions()
    {
        QFETCH(QString, scope);
        QFETCH(EntryExporter::Format, format);
        QFETCH(QString, answer);
        QFETCH(QString, request);
        QFETCH(QString, said);
        QFETCH(int, written);
        m_model->settings()->setMachineName(u"Designer"_s);
        EntryStore& store = *m_model->store();
        store.save(session(utc(2026, 3, 2, 7), 60));
        store.save(session(utc(2026, 2, 24, 10), 30));
        const TimeEntry deleted = session(utc(2026, 3, 2, 6), 20);
        store.save(deleted);
        store.deleteEntry(deleted.id);
        QVERIFY(m_model->tracker()->start(Project{u"2302"_s, u"Site"_s, u"Bolt"_s, true, {}, {}}));
        m_clock->advance(600);

        const Calendar& calendar = m_model->calendar();
        const QHash<QString, ExportScope> scopes{
            {u"shown"_s, ExportScope::shownInHistory()},
            {u"everything"_s, ExportScope::everything()},
            {u"week"_s, ExportScope::of(TimesheetPeriod(Kind::week, utc(2026, 2, 25), calendar))},
            {u"january"_s,
             ExportScope::of(TimesheetPeriod(Kind::month, utc(2026, 1, 5), calendar))},
        };
        if (!answer.isEmpty())
            desktop().answers.enqueue(out(answer));
        reports().exportSessions(scopes.value(scope), format);

        QVERIFY2(status().startsWith(said) && said.isEmpty() == status().isEmpty(),
                 qPrintable(status()));
        QCOMPARE(lastAsked(), request);
        if (written < 0) {
            QVERIFY(entriesOf(m_out->path()).isEmpty() && desktop().revealed.isEmpty());
            return;
        }
        QCOMPARE(desktop().revealed, QStringList{out(answer)});
        const QByteArray bytes = contents(out(answer));
        QCOMPARE(format == EntryExporter::Format::json
                     ? QJsonDocument::fromJson(bytes).object().value(u"entryCount"_s).toInt()
                     : int(bytes.count('\n')) - 1,
                 written);
    }

    void studioReads()
    {
        chooseStudio();
        QFuture<void> read = reports().readStudio();
        QVERIFY(reports().isReadingStudio());
        QTRY_VERIFY(read.isFinished());
        QVERIFY(!reports().isReadingStudio() && !reports().studioError());
        const StudioHours::Snapshot first = *reports().studio();
        QCOMPARE(reports().studioRows().size(), 2); // March only

        // Unreachable: the error, beside the last snapshot with its age.
        m_clock->advance(3600);
        m_model->settings()->setSharedFolderPath(out(u"gone"_s));
        read = reports().readStudio();
        QTRY_VERIFY(read.isFinished());
        QCOMPARE(reports().studioError(),
                 u"Cannot reach "_s + out(u"gone"_s) + u". Is the NAS mounted?"_s);
        QCOMPARE(reports().studio(), first);
        QCOMPARE(reports().studioRows().size(), 2);

        m_model->settings()->setSharedFolderPath(out(u"share"_s));
        read = reports().readStudio();
        QTRY_VERIFY(read.isFinished());
        QVERIFY(!reports().studioError());
        QCOMPARE(reports().studio()->readAt, m_clock->now());

        // A read of books closed meanwhile is dropped; what Analytics showed goes.
        reports().setStudioQuery(u"acme"_s);
        reports().setReportKind(Kind::week);
        read = reports().readStudio();
        switchBooks();
        QTRY_VERIFY(read.isFinished());
        QVERIFY(!reports().studio() && !reports().isReadingStudio());
        QVERIFY(reports().studioQuery().isEmpty() && reports().reportKind() == Kind::month);
    }

    void studioExportGuards_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("said");
        for (const QString& op : {u"package"_s, u"rows"_s, u"report"_s}) {
            QTest::addRow("%s, nothing read", qPrintable(op))
                << op << u"unread"_s << u"Nothing read from the studio folder yet."_s;
            QTest::addRow("%s, cancelled", qPrintable(op)) << op << u"cancel"_s << QString();
        }
        QTest::newRow("package, no match")
            << u"package"_s << u"no match"_s << u"Nothing to export in March 2026."_s;
        QTest::newRow("rows, no match")
            << u"rows"_s << u"no match"_s << u"Nothing to export in March 2026."_s;
        // The report alone is a valid page of nothing: on to the dialog.
        QTest::newRow("report, no match") << u"report"_s << u"no match"_s << QString();
    }

    void studioExportGuards()
    {
        QFETCH(QString, operation);
        QFETCH(QString, situation);
        QFETCH(QString, said);
        if (situation != u"unread"_s)
            readStudio();
        if (situation == u"no match"_s)
            reports().setStudioQuery(u"nobody at all"_s);
        const QHash<QString, void (ReportsModel::*)()> operations{
            {u"package"_s, &ReportsModel::exportStudioPackage},
            {u"rows"_s, &ReportsModel::exportStudioRows},
            {u"report"_s, &ReportsModel::saveStudioReport},
        };
        (reports().*operations.value(operation))();
        QCOMPARE(status(), said);
        QCOMPARE(desktop().asked.size(), said.isEmpty() ? 1 : 0);
        QVERIFY(desktop().revealed.isEmpty());
        QCOMPARE(entriesOf(m_out->path()),
                 situation == u"unread"_s ? QStringList() : QStringList{u"share"_s});
    }

    void packageReplacesAnExistingFolder()
    {
        readStudio();
        const QString package = out(u"zol-2026-03-studio"_s);
        write(package + u"/old.txt"_s, "earlier");
        desktop().answers.enqueue(package);
        reports().exportStudioPackage();
        QCOMPARE(lastAsked(), u"Export the studio's hours | A folder holding the report and the "
                              u"sessions behind it. | zol-2026-03-studio | inode/directory"_s);
        QVERIFY(desktop().asked[0].canCreateFolders);
        QCOMPARE(status(), u"Exported 2 sessions."_s);
        QCOMPARE(desktop().revealed, QStringList{package + u"/report.html"_s});
        const QStringList files{u"report.html"_s, u"sessions.csv"_s};
        QCOMPARE(entriesOf(package), files);
        QVERIFY(contents(package + u"/report.html"_s).contains("href=\"sessions.csv\""));
        QCOMPARE(entriesOf(m_out->path()), (QStringList{u"share"_s, u"zol-2026-03-studio"_s}));

        // A place that cannot be made: said once, the package there untouched.
        desktop().answers.enqueue(package + u"/report.html/inside"_s);
        reports().exportStudioPackage();
        QCOMPARE(m_model->status()->kind, StatusMessage::Kind::failure);
        QVERIFY2(status().startsWith(u"Could not create the folder "_s), qPrintable(status()));
        QCOMPARE(desktop().revealed.size(), 1);
        QCOMPARE(entriesOf(package), files);
    }

    void sessionsAndReportAlone()
    {
        readStudio();
        reports().setStudioQuery(u"acme"_s);
        desktop().answers.enqueue(out(u"some.csv"_s));
        reports().exportStudioRows();
        QCOMPARE(lastAsked(),
                 u"Export the studio's hours | The 1 sessions matching \u201Cacme\u201D. | "
                 u"zol-2026-03-studio.csv | text/csv"_s);
        QCOMPARE(status(), u"Exported 1 session."_s);
        reports().setStudioQuery({});
        reports().exportStudioRows();
        QCOMPARE(desktop().asked.last().message, u"Every session in March 2026."_s);

        desktop().answers.enqueue(out(u"page.html"_s));
        reports().saveStudioReport();
        QCOMPARE(lastAsked(),
                 u"Save the studio report | One file, with every figure already in "
                 u"it. No server, nothing to fetch. | zol-2026-03-studio.html | text/html"_s);
        QCOMPARE(status(), u"Saved page.html."_s);
        QCOMPARE(desktop().revealed.last(), out(u"page.html"_s));
        const QByteArray page = contents(out(u"page.html"_s));
        QVERIFY(page.contains("<title>Analytics: March 2026</title>") &&
                !page.contains("sessions.csv"));
    }

    void reportPeriodsAreRemembered()
    {
        const TimesheetPeriod week(Kind::week, m_clock->now(), m_model->calendar());
        QCOMPARE(reports().reportPeriod().kind(), Kind::month);
        QSignalSpy periodChanged(&reports(), &ReportsModel::reportPeriodChanged);
        reports().setReportKind(Kind::week);
        reports().moveReportPeriod(-1);
        reports().setReportKind(Kind::month);
        reports().setReportKind(Kind::week);
        QCOMPARE(reports().reportPeriod(), week.offset(-1));
        reports().setReportPeriod(week.offset(-1)); // already shown: nothing said
        QCOMPARE(periodChanged.size(), 4);
    }

    void newestSearchWins()
    {
        EntryStore& store = *m_model->store();
        store.save(session(utc(2026, 3, 1, 9), 60, u"2301"_s, u"Brand book"_s, u"Acme"_s));
        store.save(session(utc(2025, 6, 1, 9), 60, u"1907"_s, u"Old site"_s, u"Acme"_s));
        store.save(session(utc(2026, 2, 27, 9), 60, u"2302"_s, u"Shop"_s, u"Bolt"_s));
        SearchModel& search = *m_model->search();

        QSignalSpy resultsChanged(&search, &SearchModel::searchResultsChanged);
        search.setSearchQuery(u"acme"_s);
        const QFuture<void> older = search.searchTask();
        QVERIFY(search.isSearching());
        search.setSearchQuery(u"bolt"_s);
        QTRY_VERIFY(older.isFinished() && search.searchTask().isFinished());
        QCOMPARE(resultsChanged.size(), 1); // the older result never showed
        QCOMPARE(search.searchResults().constFirst().clientName, u"Bolt"_s);

        // The last three months, then all time.
        search.setSearchQuery(u"acme"_s);
        QTRY_VERIFY(search.searchTask().isFinished());
        QCOMPARE(search.searchResults().size(), 1);
        search.setSearchRange(SearchRange::all);
        QTRY_VERIFY(search.searchTask().isFinished());
        QCOMPARE(search.searchResults().size(), 2);

        // Blank clears at once; a search of books closed meanwhile is dropped.
        search.setSearchQuery(u" "_s);
        QVERIFY(search.searchResults().isEmpty() && search.searchTask().isFinished());
        search.setSearchQuery(u"acme"_s);
        const QFuture<void> closed = search.searchTask();
        switchBooks();
        QTRY_VERIFY(closed.isFinished());
        QVERIFY(search.searchQuery().isEmpty() && search.searchResults().isEmpty());
        QVERIFY(!search.isSearching());
    }

    void updateCheck_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("shown"); // the version available afterwards
        QTest::addColumn<QString>("error");
        QTest::newRow("newer") << 200 << u"9.0"_s << u"9.0"_s << QString();
        QTest::newRow("this one") << 200 << UpdateModel::currentVersion() << QString() << QString();
        QTest::newRow("failed") << 500 << QString() << u"8.0"_s
                                << u"Could not reach "_s + UpdateChecker::updateHost() +
                                       u". It answered 500."_s;
    }

    void updateCheck()
    {
        QFETCH(int, status);
        QFETCH(QString, version);
        QFETCH(QString, shown);
        QFETCH(QString, error);
        UpdateModel& updates = *m_model->updates();
        auto session = std::make_shared<FakeSession>();
        updates.setChecker(std::make_shared<UpdateChecker>(session));
        session->body = manifest(u"8.0"_s);
        QFuture<void> check = updates.checkForUpdate();
        QTRY_VERIFY(check.isFinished());
        const QDateTime firstAnswer = m_clock->now();

        // A failure keeps what the earlier check found.
        m_clock->advance(60);
        session->status = status;
        session->body = manifest(version);
        check = updates.checkForUpdate();
        QVERIFY(updates.isCheckingForUpdate());
        QTRY_VERIFY(check.isFinished());
        QVERIFY(!updates.isCheckingForUpdate());
        QCOMPARE(updates.updateError().value_or(QString()), error);
        QCOMPARE(updates.lastUpdateCheck(), m_clock->now());
        QCOMPARE(updates.checkedForUpdateAt(), error.isEmpty() ? m_clock->now() : firstAnswer);
        QCOMPARE(updates.availableUpdate() ? updates.availableUpdate()->manifest.version
                                           : QString(),
                 shown);
        updates.openDownload();
        QCOMPARE(desktop().opened.size(), shown.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
