// What Analytics shows of the studio's hours: each state with its sentences,
// the breakdown following the grouping and the search, the chart's days and
// a scale that never clips the largest, and the notes about unreadable files
// and people who handed nothing in.

#include "AnalyticsModel.h"
#include "Books.h"
#include "ReportsModel.h"
#include "formats/Timesheet.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using Kind = TimesheetPeriod::Kind;
using State = AnalyticsModel::State;
using Grouping = AnalyticsModel::Grouping;

Q_DECLARE_METATYPE(AnalyticsModel::ChartScale)

class TestAnalytics : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<QTemporaryDir> m_share;
    std::unique_ptr<AnalyticsModel> m_analytics;

    AppModel& model() { return *m_books->model; }
    ReportsModel& reports() { return *model().reports(); }
    AnalyticsModel& analytics() { return *m_analytics; }
    QString hours() { return Timesheet::root(m_share->path()); }

    // Anna and Ben handed in March; Carl has a folder and nothing in it.
    void writeStudio()
    {
        const QByteArray header = "id,date,duration_seconds,client,project_number,project_name,"
                                  "task,internal,note\n";
        writeFile(hours() + u"/Anna/2026/weeks/2026-W10.csv"_s,
                  header + "S1,2026-03-02,3600,Acme,2301,Brand book,Design,no,logo\n"
                           "S2,2026-03-03,5400,Bolt,2302,Site,,no,\n"
                           "S3,2026-03-04,1800,,,Admin,,yes,invoices\n");
        writeFile(hours() + u"/Ben/2026/weeks/2026-W10.csv"_s,
                  header + "S4,2026-03-02,7200,acme,2301,Brand book,design ,no,\n");
        QDir().mkpath(hours() + u"/Carl"_s);
    }

    // Reads the share and waits for the outcome.
    void read()
    {
        const QFuture<void> reading = reports().readStudio();
        QTRY_VERIFY(reading.isFinished());
    }

    void chooseShare() { model().books().settings()->setSharedFolderPath(m_share->path()); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_share = std::make_unique<QTemporaryDir>();
        m_analytics = std::make_unique<AnalyticsModel>(model().books(), *model().reports());
    }
    void cleanup()
    {
        m_analytics.reset();
        m_books.reset();
    }

    void states()
    {
        QCOMPARE(analytics().state(), State::noFolder);
        QCOMPARE(analytics().stateText(), u"Choose one in Settings, Studio. Until then there is "
                                          u"nothing shared to report on."_s);

        // Shown with a folder: read at once, once.
        analytics().setActive(true);
        QSignalSpy reading(&reports(), &ReportsModel::isReadingStudioChanged);
        chooseShare();
        QCOMPARE(analytics().state(), State::reading);
        QCOMPARE(analytics().stateTitle(), u"Reading the studio folder…"_s);
        QTRY_VERIFY(!reports().isReadingStudio());
        QCOMPARE(reading.count(), 2);
        QCOMPARE(analytics().state(), State::nothingUploaded);
        QVERIFY(analytics().stateText().startsWith(
            u"The studio folder is there, but nobody has handed a week in."_s));

        writeStudio();
        read();
        QCOMPARE(analytics().state(), State::figures);
        QVERIFY(!analytics().staleNote());

        // Out of reach later: the figures stay, with their age.
        m_books->clock.advance(2 * 3600 + 59);
        model().books().settings()->setSharedFolderPath(m_share->filePath(u"gone"_s));
        read();
        QCOMPARE(analytics().state(), State::figures);
        QCOMPARE(*analytics().staleNote(),
                 u"Nothing is wrong with anybody’s hours — this computer just cannot see the "
                 u"drive.\nShowing what was last read — 2 hours ago"_s);

        // Out of reach with nothing read before (other books): the failure.
        const Administration studio = named(u"Studio"_s);
        model().books().addAdministration(studio);
        model().switchTo(studio);
        model().books().settings()->setSharedFolderPath(m_share->filePath(u"gone"_s));
        QTRY_VERIFY(reports().studioError());
        QCOMPARE(analytics().state(), State::unreachable);
        QVERIFY(analytics().stateText().endsWith(u"this computer just cannot see the drive.\n"
                                                 u"Cannot reach "_s +
                                                 m_share->filePath(u"gone"_s) +
                                                 u". Is the NAS mounted?"_s));
        // A failed read is not repeated by itself.
        m_analytics->setActive(true);
        QVERIFY(!reports().isReadingStudio());
    }

    void breakdown_data()
    {
        QTest::addColumn<Grouping>("grouping");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("lines"); // title | subtitle | seconds
        QTest::newRow("by project")
            << Grouping::project << QString()
            << QStringList{u"2301 | Acme · Brand book | 10800"_s, u"2302 | Bolt · Site | 5400"_s,
                           u"Internal | Admin | 1800"_s};
        QTest::newRow("by person")
            << Grouping::person << QString()
            << QStringList{u"Anna | 3 sessions | 10800"_s, u"Ben | 1 session | 7200"_s};
        // Spellings of one client or task count as one.
        QTest::newRow("by client")
            << Grouping::client << QString()
            << QStringList{u"Acme | 1 project | 10800"_s, u"Bolt | 1 project | 5400"_s,
                           u"No client | 1 project | 1800"_s};
        QTest::newRow("by task") << Grouping::task << QString()
                                 << QStringList{u"Design | 2 sessions | 10800"_s,
                                                u"No task | 2 sessions | 7200"_s};
        QTest::newRow("searched, folded")
            << Grouping::person << u"ÁCME"_s
            << QStringList{u"Ben | 1 session | 7200"_s, u"Anna | 1 session | 3600"_s};
        QTest::newRow("a note") << Grouping::project << u"invoices"_s
                                << QStringList{u"Internal | Admin | 1800"_s};
    }

    void breakdown()
    {
        QFETCH(Grouping, grouping);
        QFETCH(QString, query);
        writeStudio();
        chooseShare();
        read();
        QSignalSpy changed(&analytics(), &AnalyticsModel::breakdownChanged);
        analytics().setGrouping(grouping);
        reports().setStudioQuery(query);
        QCOMPARE(changed.count(), int(grouping != Grouping::project) + int(!query.isEmpty()));
        QStringList lines;
        for (const StudioHours::Total& total : analytics().breakdown())
            lines.append(u"%1 | %2 | %3"_s.arg(total.title, total.subtitle).arg(total.seconds));
        QTEST(lines, "lines");
        QCOMPARE(analytics().largestTotal(), analytics().breakdown().constFirst().seconds);
    }

    void chartAndCaptions()
    {
        writeStudio();
        chooseShare();
        read();
        // March, a day per bar.
        QCOMPARE(analytics().chartDays().size(), 31);
        const AnalyticsModel::ChartDay second = analytics().chartDays().at(1);
        QCOMPARE(second.label, u"2"_s);
        QCOMPARE(second.sentence, u"Monday 2 March: 3h"_s);
        QCOMPARE(analytics().chartDays().at(0).sentence, u"Sunday 1 March: nothing"_s);
        QCOMPARE(analytics().chartScale(), (AnalyticsModel::ChartScale{3, 1}));
        QCOMPARE(analytics().totalCaption(), u"5h · 4 sessions"_s);

        QSignalSpy chart(&analytics(), &AnalyticsModel::chartChanged);
        reports().setReportKind(Kind::week);
        QCOMPARE(chart.count(), 1);
        QCOMPARE(analytics().chartDays().size(), 7);
        QCOMPARE(analytics().chartDays().at(0).label, u"Mon 2"_s);
        reports().setReportKind(Kind::year);
        QCOMPARE(analytics().chartDays().size(), 12);
        QCOMPARE(analytics().chartDays().at(2).sentence, u"March 2026: 5h"_s);

        // A period with nothing, and a search that finds nothing.
        reports().moveReportPeriod(-1);
        QCOMPARE(analytics().emptyText(), u"Nothing handed in for 2025"_s);
        QCOMPARE(analytics().totalCaption(), u"0m · 0 sessions"_s);
        reports().moveReportPeriod(1);
        reports().setStudioQuery(u" nobody "_s);
        QCOMPARE(analytics().emptyText(), u"Nothing in 2026 matches “nobody”"_s);
        QVERIFY(analytics().breakdown().isEmpty());
    }

    void notes()
    {
        writeStudio();
        writeFile(hours() + u"/Ben/bad.csv"_s, "id,date,hours\n\xff\xfe,2026-03-02,1\n");
        chooseShare();
        read();
        QCOMPARE(analytics().unreadableNote(), u"1 timesheet could not be read: bad.csv.\n"
                                               u"Those hours are missing from these figures."_s);
        QCOMPARE(analytics().peopleWithNothing(), QStringList{u"Carl"_s});
        reports().setReportKind(Kind::week);
        reports().moveReportPeriod(1);
        QCOMPARE(analytics().peopleWithNothing(), (QStringList{u"Anna"_s, u"Ben"_s, u"Carl"_s}));
    }

    void scale_data()
    {
        QTest::addColumn<double>("hours");
        QTest::addColumn<AnalyticsModel::ChartScale>("scale");
        QTest::newRow("nothing") << 0.0 << AnalyticsModel::ChartScale{4, 1};
        QTest::newRow("ten minutes") << 1.0 / 6 << AnalyticsModel::ChartScale{0.25, 0.25};
        QTest::newRow("a round top is kept") << 8.0 << AnalyticsModel::ChartScale{8, 2};
        QTest::newRow("just above a line") << 8.1 << AnalyticsModel::ChartScale{10, 5};
        QTest::newRow("a long day") << 13.5 << AnalyticsModel::ChartScale{15, 5};
        QTest::newRow("a busy month of a year") << 342.0 << AnalyticsModel::ChartScale{400, 100};
    }

    void scale()
    {
        QFETCH(double, hours);
        const AnalyticsModel::ChartScale s = AnalyticsModel::scaleFor(hours * 3600);
        QTEST(s, "scale");
        QVERIFY(s.topHours >= hours && s.topHours / s.stepHours <= 4.0 + 1e-9);
    }

    void age_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("age");
        QTest::newRow("a moment") << 59.0 << u"just now"_s;
        QTest::newRow("one minute") << 60.0 << u"1 minute ago"_s;
        QTest::newRow("an hour less a second") << 3599.0 << u"59 minutes ago"_s;
        QTest::newRow("one day") << 86400.0 << u"1 day ago"_s;
        QTest::newRow("a clock set back") << -30.0 << u"just now"_s;
    }

    void age()
    {
        QFETCH(double, seconds);
        QTEST(AnalyticsModel::age(seconds), "age");
    }

    void readingCaption_data()
    {
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("percent"); // -1: none
        QTest::newRow("nothing found yet") << 0 << 0 << u"Reading the studio folder…"_s << -1;
        QTest::newRow("found, none read") << 0 << 13'000 << u"Reading timesheets… 0%"_s << 0;
        QTest::newRow("a third") << 1 << 3 << u"Reading timesheets… 33%"_s << 33;
        QTest::newRow("one short of all") << 12'999 << 13'000 << u"Reading timesheets… 99%"_s << 99;
        QTest::newRow("all") << 13'000 << 13'000 << u"Reading timesheets… 100%"_s << 100;
    }

    void readingCaption()
    {
        QFETCH(int, read);
        QFETCH(int, found);
        QFETCH(int, percent);
        const StudioReadProgress progress{read, found};
        QTEST(AnalyticsModel::readingCaption(progress), "caption");
        QCOMPARE(AnalyticsModel::percentOf(progress).value_or(-1), percent);
        // Nothing to say while no read runs.
        QVERIFY(analytics().readingCaption().isEmpty() && !analytics().readingPercent());
    }
};

QTEST_GUILESS_MAIN(TestAnalytics)
#include "tst_analytics.moc"
