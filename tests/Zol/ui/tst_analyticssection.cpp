// The Analytics section on screen: each of its states in the controller's
// words, the grouping and the search changing the breakdown, the chart
// stepped through from the keyboard with the day's total read out, and the
// export menu reaching the controller. Pictures of every state, light and
// dark.

#include "AnalyticsModel.h"
#include "Books.h"
#include "ReportsModel.h"
#include "Screenshots.h"
#include "formats/Timesheet.h"
#include "window/AnalyticsSection.h"
#include "window/DayChart.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestAnalyticsSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<QTemporaryDir> m_share;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    ReportsModel& reports() { return *model().reports(); }
    QString hours() { return Timesheet::root(m_share->path()); }

    AnalyticsSection& section()
    {
        return *qobject_cast<AnalyticsSection*>(m_window->section(u"reports"_s));
    }
    template <typename T = QWidget> T* find(const QString& name)
    {
        T* found = section().findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    bool shown(const QString& name) { return find(name)->isVisible(); }
    QStringList titles()
    {
        QStringList result;
        const QAbstractItemModel* rows = find<QListView>(u"breakdown"_s)->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            result.append(rows->index(row, 0).data().toString());
        return result;
    }

    void writeStudio()
    {
        const QByteArray header = "id,date,duration_seconds,client,project_number,project_name,"
                                  "task,internal,note\n";
        writeFile(hours() + u"/Anna de Vries/2026/weeks/2026-W10.csv"_s,
                  header + "S1,2026-03-02,12600,Acme,2301,Brand book,Design,no,logo\n"
                           "S2,2026-03-03,19800,Bolt,2302,Website relaunch,,no,\n"
                           "S3,2026-03-05,5400,,,Admin,,yes,invoices\n");
        writeFile(hours() + u"/Ben Smit/2026/weeks/2026-W10.csv"_s,
                  header + "S4,2026-03-02,27000,Acme,2301,Brand book,Design,no,\n"
                           "S5,2026-03-06,9000,Café Noord,2310,Menu cards,Print,no,\n");
        writeFile(hours() + u"/Ben Smit/2026/weeks/2026-W11.csv"_s,
                  header + "S6,2026-03-10,14400,Café Noord,2310,Menu cards,Print,no,\n");
        QDir().mkpath(hours() + u"/Carl"_s);
    }

    void showSection()
    {
        m_window->setFixedSize(1120, 860);
        model().setWindowSection(u"reports"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void waitForRead() { QTRY_VERIFY(!reports().isReadingStudio()); }

    // The section over the studio's hours, read.
    void showFigures()
    {
        writeStudio();
        model().books().settings()->setSharedFolderPath(m_share->path());
        showSection();
        waitForRead();
    }

    // Pictures as saveScreenshots() takes them, delivering only the palette's
    // and the layout's events: the read's outcome stays waiting.
    void pictureWhileReading(const QString& name)
    {
        const QPalette before = QApplication::palette();
        QApplication::setStyle(Theme::style());
        for (const Theme::Scheme scheme : {Theme::Scheme::light, Theme::Scheme::dark}) {
            QApplication::setPalette(Theme::palette(scheme));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationPaletteChange);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QVERIFY(reports().isReadingStudio());
            m_window->grab().save(
                screenshotFolder() + u'/' + name +
                (scheme == Theme::Scheme::dark ? u"-dark.png"_s : u"-light.png"_s));
        }
        QApplication::setPalette(before);
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_share = std::make_unique<QTemporaryDir>();
        m_window = std::make_unique<MainWindow>(model());
    }
    void cleanup()
    {
        m_window.reset();
        m_books.reset();
    }

    void states_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("title"); // empty: the figures show
        QTest::addColumn<QString>("words"); // in the state's text or a note
        QTest::newRow("no folder") << u"no folder"_s << u"No studio folder chosen"_s
                                   << u"Choose one in Settings, Studio."_s;
        QTest::newRow("reading") << u"reading"_s << u"Reading the studio folder…"_s << QString();
        QTest::newRow("unreachable") << u"unreachable"_s << u"The studio folder is out of reach"_s
                                     << u"this computer just cannot see the drive."_s;
        QTest::newRow("nothing uploaded") << u"nothing uploaded"_s << u"Nothing uploaded yet"_s
                                          << u"nobody has handed a week in."_s;
        QTest::newRow("figures") << u"figures"_s << QString() << u"Carl"_s;
        QTest::newRow("stale") << u"stale"_s << QString()
                               << u"Showing what was last read — 1 hour ago"_s;
        QTest::newRow("unreadable")
            << u"unreadable"_s << QString() << u"1 timesheet could not be read: bad.csv."_s;
    }

    void states()
    {
        QFETCH(QString, situation);
        QFETCH(QString, title);
        QFETCH(QString, words);
        if (situation == u"figures" || situation == u"stale" || situation == u"unreadable")
            writeStudio();
        if (situation == u"unreadable")
            writeFile(hours() + u"/Ben Smit/bad.csv"_s, "id,date,hours\n\xff\xfe,2026-03-02,1\n");
        const auto chooseFolder = [&] {
            model().books().settings()->setSharedFolderPath(
                situation == u"unreachable" ? m_share->filePath(u"gone"_s) : m_share->path());
        };
        if (situation != u"no folder" && situation != u"reading")
            chooseFolder();
        showSection();
        // Chosen while the section shows: the read starts at once, and its
        // outcome waits for the event loop.
        if (situation == u"reading")
            chooseFolder();
        if (situation != u"reading" && situation != u"no folder")
            waitForRead();
        if (situation == u"stale") {
            m_books->clock.advance(3700);
            model().books().settings()->setSharedFolderPath(m_share->filePath(u"gone"_s));
            reports().readStudio();
            waitForRead();
        }

        QCOMPARE(shown(u"figures"_s), title.isEmpty());
        QCOMPARE(find<QAbstractButton>(u"readAgain"_s)->isEnabled(),
                 situation != u"reading" && situation != u"no folder");
        QCOMPARE(shown(u"readingIndicator"_s), situation == u"reading");
        QCOMPARE(shown(u"readingCaption"_s), situation == u"reading");
        if (situation == u"reading")
            QCOMPARE(text(u"readingCaption"_s), u"Reading the studio folder…"_s);
        if (!title.isEmpty()) {
            QCOMPARE(text(u"emptyTitle"_s), title);
            QVERIFY(text(u"emptyText"_s).contains(words));
            QVERIFY(!find(u"exportButton"_s)->isEnabled());
        } else {
            const QString notes =
                text(u"staleNoteText"_s) + text(u"unreadableNoteText"_s) + text(u"peopleNames"_s);
            QVERIFY2(notes.contains(words), qPrintable(notes));
            QCOMPARE(shown(u"staleNote"_s), situation == u"stale");
            QCOMPARE(shown(u"unreadableNote"_s), situation == u"unreadable");
            QCOMPARE(text(u"totalCaption"_s), u"24h 30m · 6 sessions"_s);
        }
        const QString picture = u"analytics-"_s + QString(situation).replace(u' ', u'-');
        if (situation == u"reading") {
            pictureWhileReading(picture);
            waitForRead();
        } else {
            saveScreenshots(*m_window, picture);
        }
    }

    // The bar fills and the caption counts as the timesheets are read: every
    // step the read tells is shown before its outcome, from 0% to 100%.
    void readingTellsHowFar()
    {
        writeStudio();
        for (int p = 0; p < 60; ++p)
            writeFile(hours() + u"/P%1/2026/weeks/2026-W10.csv"_s.arg(p),
                      "id,date,duration_seconds\nP" + QByteArray::number(p) + ",2026-03-02,60\n");
        showSection();
        QStringList captions;
        QList<int> values;
        connect(&section().analytics(), &AnalyticsModel::readingChanged, this, [&] {
            const auto* bar = find<QProgressBar>(u"readingIndicator"_s);
            if (!reports().isReadingStudio() || bar->maximum() == 0)
                return;
            QCOMPARE(bar->maximum(), 100);
            captions.append(text(u"readingCaption"_s));
            values.append(bar->value());
            QCOMPARE(find<QLabel>(u"emptyText"_s)->text(), captions.constLast());
            // The last step short of the end, for a person to look at.
            if (bar->value() < 100)
                pictureWhileReading(u"analytics-reading-timesheets"_s);
        });
        model().books().settings()->setSharedFolderPath(m_share->path());
        waitForRead();
        QVERIFY(!shown(u"readingCaption"_s) && !shown(u"readingIndicator"_s));
        QVERIFY2(captions.size() >= 2, qPrintable(captions.join(u'|')));
        QCOMPARE(captions.constFirst(), u"Reading timesheets… 0%"_s);
        QCOMPARE(captions.constLast(), u"Reading timesheets… 100%"_s);
        QVERIFY(std::is_sorted(values.cbegin(), values.cend()));
    }

    void groupingAndSearch()
    {
        showFigures();
        QCOMPARE(titles(), (QStringList{u"2301"_s, u"2310"_s, u"2302"_s, u"Internal"_s}));
        QTest::mouseClick(find<QAbstractButton>(u"groupPerson"_s), Qt::LeftButton);
        QCOMPARE(section().analytics().grouping(), AnalyticsModel::Grouping::person);
        QCOMPARE(titles(), (QStringList{u"Ben Smit"_s, u"Anna de Vries"_s}));
        QTest::mouseClick(find<QAbstractButton>(u"groupTask"_s), Qt::LeftButton);
        QCOMPARE(titles(), (QStringList{u"Design"_s, u"No task"_s, u"Print"_s}));

        // Typed into the search: folded, and every part of the screen follows.
        QTest::keyClicks(find<QLineEdit>(u"studioSearch"_s), u"cafe"_s);
        QCOMPARE(reports().studioQuery(), u"cafe"_s);
        QCOMPARE(titles(), QStringList{u"Print"_s});
        QCOMPARE(text(u"totalCaption"_s), u"6h 30m · 2 sessions"_s);
        saveScreenshots(*m_window, u"analytics-searched"_s);
        QTest::keyClicks(find<QLineEdit>(u"studioSearch"_s), u"xyz"_s);
        QVERIFY(!shown(u"breakdown"_s));
        QCOMPARE(text(u"emptyPeriod"_s), u"Nothing in March 2026 matches “cafexyz”"_s);

        // Another period: the week picked, and stepped back.
        QTest::mouseClick(find<QAbstractButton>(u"periodWeek"_s), Qt::LeftButton);
        QCOMPARE(reports().reportKind(), TimesheetPeriod::Kind::week);
        QCOMPARE(text(u"periodTitle"_s), u"Week 10 · 2 March – 8 March"_s);
        find<QLineEdit>(u"studioSearch"_s)->clear();
        QTest::mouseClick(find<QAbstractButton>(u"nextPeriod"_s), Qt::LeftButton);
        QCOMPARE(text(u"totalCaption"_s), u"4h · 1 session"_s);
        QCOMPARE(text(u"peopleNames"_s), u"Anna de Vries, Carl"_s);
    }

    void chartFromTheKeyboard()
    {
        showFigures();
        auto* chart = find<DayChart>(u"dayChart"_s);
        QCOMPARE(chart->days().size(), 31);
        // The largest day (11h on 2 March) stays inside the chart.
        const QRectF largest = chart->barRect(1);
        QVERIFY(largest.top() >= 0 && largest.height() > 0);
        QVERIFY(largest.height() >= chart->barRect(2).height());

        chart->setFocus();
        QCOMPARE(chart->currentDay(), 0);
        QTest::keyClick(chart, Qt::Key_Right);
        QCOMPARE(chart->currentDay(), 1);
        QCOMPARE(chart->accessibleDescription(), u"Monday 2 March: 11h"_s);
        QTest::keyClick(chart, Qt::Key_End);
        QCOMPARE(chart->accessibleDescription(), u"Tuesday 31 March: nothing"_s);
        QTest::keyClick(chart, Qt::Key_Right);
        QCOMPARE(chart->currentDay(), 30);
    }

    void exportMenu()
    {
        showFigures();
        auto* button = find<QToolButton>(u"exportButton"_s);
        QVERIFY(button->isEnabled());
        QStringList entries;
        for (const QAction* action : button->menu()->actions())
            entries.append(action->text());
        QCOMPARE(entries,
                 (QStringList{u"Export report and data…"_s, u"Only the sessions, as CSV…"_s,
                              u"Only the report, as HTML…"_s}));
        button->menu()->findChild<QAction*>(u"exportRows"_s)->trigger();
        const QList<Desktop::SaveRequest>& asked = m_books->platform.desktop->asked;
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].suggestedName, u"zol-2026-03-studio.csv"_s);
        QCOMPARE(asked[0].message, u"Every session in March 2026."_s);
    }
};

QTEST_MAIN(TestAnalyticsSection)
#include "tst_analyticssection.moc"
