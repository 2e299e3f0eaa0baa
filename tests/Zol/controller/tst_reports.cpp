// The controller's exports, the studio's hours, search and the update check:
// the sentences and dialogs of each export, cancelling, the package replacing
// an older one, failed and late studio reads, superseded searches and the
// outcomes of an update check.

#include "Books.h"
#include "ReportsModel.h"
#include "SearchModel.h"
#include "UpdateModel.h"
#include "formats/Timesheet.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <array>

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

struct FakeSession final : HttpSession
{
    int status = 200;
    QByteArray body;
    Reply get(const QUrl&, qint64) override { return Reply{status, body}; }
};

const QString testHost = u"updates.zol.test"_s;

QByteArray manifest(const QString& version)
{
    return u"{\"version\":\"%1\",\"url\":\"https://%2/zol.tar.gz\","
           "\"publishedAt\":\"2026-03-01T09:00:00Z\"}"_s.arg(version, testHost)
               .toUtf8();
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<QTemporaryDir> m_out;

    AppModel& model() { return *m_books->model; }
    ReportsModel& reports() { return *model().reports(); }
    FakeDesktop& desktop() { return *m_books->platform.desktop; }
    QString out(const QString& name) { return m_out->filePath(name); }
    // The last save dialog's request in one line: title | message | name | type.
    QString lastAsked()
    {
        if (desktop().asked.isEmpty())
            return {};
        const Desktop::SaveRequest& r = desktop().asked.constLast();
        return QStringList{r.title, r.message, r.suggestedName, r.contentType}.join(u" | "_s);
    }

    void switchBooks()
    {
        const Administration other = named(u"Studio"_s);
        model().books().addAdministration(other);
        model().switchTo(other);
    }

    // Reads Anna's timesheets, two sessions in March 2026 and one in
    // February, as the open books' studio folder. One note was typed as a
    // formula, and so written with an apostrophe in front.
    QFuture<void> readStudio()
    {
        const QString hours = Timesheet::root(out(u"share"_s)) + u"/Anna/2026/"_s;
        const QByteArray header = "id,date,duration_seconds,client,project_number,note\n";
        write(hours + u"weeks/2026-W10.csv"_s,
              header +
                  "S1,2026-03-02,3600,Acme,2301,logo\nS2,2026-03-03,5400,Bolt,2302,'=SUM(A1)\n");
        write(hours + u"months/2026-02.csv"_s, header + "S0,2026-02-20,1800,Acme,2301,sketch\n");
        model().books().settings()->setSharedFolderPath(out(u"share"_s));
        return reports().readStudio();
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_out = std::make_unique<QTemporaryDir>();
    }
    void cleanup() { m_books.reset(); }

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
        QFETCH(QString, said);
        QFETCH(int, written);
        model().books().settings()->setMachineName(u"Designer"_s);
        m_books->store().save(session(utc(2026, 3, 2, 7), 60));
        m_books->store().save(session(utc(2026, 2, 24, 10), 30));
        const TimeEntry deleted = session(utc(2026, 3, 2, 6), 20);
        m_books->store().save(deleted);
        m_books->store().deleteEntry(deleted.id);
        QVERIFY(model().books().tracker()->start(
            Project{u"2302"_s, u"Site"_s, u"Bolt"_s, true, {}, {}}));
        m_books->clock.advance(600);

        const Calendar& calendar = model().books().calendar();
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

        const QString text = m_books->said();
        QVERIFY2(text.startsWith(said) && said.isEmpty() == text.isEmpty(), qPrintable(text));
        QTEST(lastAsked(), "request");
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
        QFuture<void> read = readStudio();
        QVERIFY(reports().isReadingStudio());
        QTRY_VERIFY(read.isFinished());
        QVERIFY(!reports().isReadingStudio() && !reports().studioError());
        const StudioHours::Snapshot first = *reports().studio();
        QCOMPARE(reports().studioRows().size(), 2); // March only

        // Unreachable: the error, beside the last snapshot with its age.
        m_books->clock.advance(3600);
        model().books().settings()->setSharedFolderPath(out(u"gone"_s));
        read = reports().readStudio();
        QTRY_VERIFY(read.isFinished());
        QCOMPARE(reports().studioError(),
                 u"Cannot reach "_s + out(u"gone"_s) + u". Is the NAS mounted?"_s);
        QCOMPARE(reports().studio(), first);

        model().books().settings()->setSharedFolderPath(out(u"share"_s));
        read = reports().readStudio();
        QTRY_VERIFY(read.isFinished());
        QVERIFY(!reports().studioError() && reports().studio()->readAt == m_books->clock.now());

        // A read of books closed meanwhile is dropped; what Analytics showed goes.
        reports().setStudioQuery(u"acme"_s);
        reports().setReportKind(Kind::week);
        read = reports().readStudio();
        switchBooks();
        QTRY_VERIFY(read.isFinished());
        QVERIFY(!reports().studio() && !reports().isReadingStudio());
        QVERIFY(reports().studioQuery().isEmpty() && reports().reportKind() == Kind::month);
    }

    // The read tells how far it has come while it runs, counting up to every
    // timesheet found, and says nothing once it is done.
    void studioReadProgress()
    {
        constexpr int people = 40;
        const QString hours = Timesheet::root(out(u"share"_s));
        for (int p = 0; p < people; ++p)
            write(hours + u"/P%1/2026/weeks/2026-W10.csv"_s.arg(p),
                  "id,date,duration_seconds\nS" + QByteArray::number(p) + ",2026-03-02,60\n");
        QList<StudioReadProgress> seen;
        QList<bool> reading;
        connect(&reports(), &ReportsModel::studioReadProgressChanged, this, [&] {
            seen.append(reports().studioReadProgress());
            reading.append(reports().isReadingStudio());
        });
        model().books().settings()->setSharedFolderPath(out(u"share"_s));
        const QFuture<void> read = reports().readStudio();
        QTRY_VERIFY(read.isFinished());
        QCOMPARE(reports().studio()->records.size(), people);

        QVERIFY2(seen.size() >= 2, qPrintable(QString::number(seen.size())));
        QCOMPARE(seen.constLast(), StudioReadProgress());
        QCOMPARE(reading.constLast(), false);
        seen.removeLast();
        QCOMPARE(seen.constLast(), (StudioReadProgress{people, people}));
        for (qsizetype i = 0; i < seen.size(); ++i) {
            QVERIFY(reading.at(i));
            QCOMPARE(seen.at(i).found, people);
            QVERIFY(seen.at(i).read <= people &&
                    (i == 0 || seen.at(i - 1).read <= seen.at(i).read));
        }
    }

    void studioExportGuards_data()
    {
        QTest::addColumn<int>("operation"); // package, rows, report
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("said");
        for (int op = 0; op < 3; ++op) {
            const char* name = std::array{"package", "rows", "report"}[op];
            QTest::addRow("%s, nothing read", name)
                << op << u"unread"_s << u"Nothing read from the studio folder yet."_s;
            QTest::addRow("%s, cancelled", name) << op << u"cancel"_s << QString();
            // The report alone is a valid page of nothing: on to the dialog.
            QTest::addRow("%s, no match", name)
                << op << u"no match"_s
                << (op < 2 ? u"Nothing to export in March 2026."_s : QString());
        }
    }

    void studioExportGuards()
    {
        QFETCH(int, operation);
        QFETCH(QString, situation);
        QFETCH(QString, said);
        const QFuture<void> read =
            situation == u"unread"_s ? QtFuture::makeReadyFuture() : readStudio();
        QTRY_VERIFY(read.isFinished());
        if (situation == u"no match"_s)
            reports().setStudioQuery(u"nobody at all"_s);
        (reports().*std::array{&ReportsModel::exportStudioPackage, &ReportsModel::exportStudioRows,
                               &ReportsModel::saveStudioReport}[operation])();
        QCOMPARE(m_books->said(), said);
        QCOMPARE(desktop().asked.size(), said.isEmpty() ? 1 : 0);
        QVERIFY(desktop().revealed.isEmpty());
        QCOMPARE(entriesOf(m_out->path()),
                 situation == u"unread"_s ? QStringList() : QStringList{u"share"_s});
    }

    void studioExports()
    {
        const QFuture<void> read = readStudio();
        QTRY_VERIFY(read.isFinished());
        const QString package = out(u"zol-2026-03-studio"_s);
        write(package + u"/old.txt"_s, "earlier");
        desktop().answers.enqueue(package);
        reports().exportStudioPackage();
        QCOMPARE(lastAsked(), u"Export the studio's hours | A folder holding the report and the "
                              u"sessions behind it. | zol-2026-03-studio | inode/directory"_s);
        QVERIFY(desktop().asked[0].canCreateFolders);
        QCOMPARE(m_books->said(), u"Exported 2 sessions."_s);
        QCOMPARE(desktop().revealed, QStringList{package + u"/report.html"_s});
        const QStringList files{u"report.html"_s, u"sessions.csv"_s};
        QCOMPARE(entriesOf(package), files);
        QVERIFY(contents(package + u"/report.html"_s).contains("href=\"sessions.csv\""));
        // Read as typed and guarded again: one apostrophe, not two.
        QVERIFY(contents(package + u"/sessions.csv"_s).contains(",'=SUM(A1),"));

        // A place that cannot be made: said once, the package there untouched.
        desktop().answers.enqueue(package + u"/report.html/inside"_s);
        reports().exportStudioPackage();
        QVERIFY2(m_books->said().startsWith(u"Could not create the folder "_s),
                 qPrintable(m_books->said()));
        QCOMPARE(desktop().revealed.size(), 1);
        QCOMPARE(entriesOf(package), files);

        // The sessions alone, then the report alone.
        reports().setStudioQuery(u"acme"_s);
        desktop().answers.enqueue(out(u"some.csv"_s));
        reports().exportStudioRows();
        QCOMPARE(lastAsked(),
                 u"Export the studio's hours | The 1 sessions matching \u201Cacme\u201D. | "
                 u"zol-2026-03-studio.csv | text/csv"_s);
        QCOMPARE(m_books->said(), u"Exported 1 session."_s);
        reports().setStudioQuery({});
        reports().exportStudioRows();
        QCOMPARE(desktop().asked.last().message, u"Every session in March 2026."_s);

        desktop().answers.enqueue(out(u"page.html"_s));
        reports().saveStudioReport();
        QCOMPARE(lastAsked(),
                 u"Save the studio report | One file, with every figure already in "
                 u"it. No server, nothing to fetch. | zol-2026-03-studio.html | text/html"_s);
        QCOMPARE(m_books->said(), u"Saved page.html."_s);
        const QByteArray page = contents(out(u"page.html"_s));
        QVERIFY(page.contains("<title>Analytics: March 2026</title>") &&
                !page.contains("sessions.csv"));
    }

    void reportPeriodsAreRemembered()
    {
        const TimesheetPeriod week(Kind::week, m_books->clock.now(), model().books().calendar());
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
        m_books->store().save(session(utc(2026, 3, 1, 9), 60));
        m_books->store().save(session(utc(2025, 6, 1, 9), 60, u"1907"_s, u"Old site"_s));
        m_books->store().save(session(utc(2026, 2, 27, 9), 60, u"2302"_s, u"Shop"_s, u"Bolt"_s));
        SearchModel& search = *model().search();

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
                                << u"Could not reach "_s + testHost + u". It answered 500."_s;
    }

    void updateCheck()
    {
        QFETCH(int, status);
        QFETCH(QString, version);
        QFETCH(QString, shown);
        QFETCH(QString, error);
        UpdateModel& updates = *model().updates();
        auto session = std::make_shared<FakeSession>();
        updates.setChecker(std::make_shared<UpdateChecker>(session, testHost));
        session->body = manifest(u"8.0"_s);
        QFuture<void> check = updates.checkForUpdate();
        QTRY_VERIFY(check.isFinished());
        const QDateTime firstAnswer = m_books->clock.now();

        // A failure keeps what the earlier check found.
        m_books->clock.advance(60);
        session->status = status;
        session->body = manifest(version);
        check = updates.checkForUpdate();
        QVERIFY(updates.isCheckingForUpdate());
        QTRY_VERIFY(check.isFinished());
        QVERIFY(!updates.isCheckingForUpdate());
        QCOMPARE(updates.updateError().value_or(QString()), error);
        QCOMPARE(updates.lastUpdateCheck(), m_books->clock.now());
        QCOMPARE(updates.checkedForUpdateAt(),
                 error.isEmpty() ? m_books->clock.now() : firstAnswer);
        QCOMPARE(updates.availableUpdate() ? updates.availableUpdate()->manifest.version
                                           : QString(),
                 shown);
        updates.openDownload();
        QCOMPARE(desktop().opened.size(), shown.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
