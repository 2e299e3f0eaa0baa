// The tray's panel over a started controller: each of the four headers with
// its words, the readout of a paused session that ran too long, Switch to and
// Cancel recording, the status line with Undo, the picker's rows, captions
// and empty state, the add form and the inline editor, the task picker, and
// the buttons that open the main window. Saves a picture of each state.

#include "Books.h"
#include "CatalogueModel.h"
#include "HistoryModel.h"
#include "Screenshots.h"
#include "common/Icons.h"
#include "tracking/WorkStatus.h"
#include "tray/AdministrationBadge.h"
#include "tray/ClientField.h"
#include "tray/PanelView.h"
#include "tray/ProjectListModel.h"
#include "tray/ProjectListView.h"
#include "tray/ProjectRowDelegate.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<PanelView> m_view;

    AppModel& model() { return *m_books->model; }
    Tracker& tracker() { return *model().books().tracker(); }
    FakeClock& clock() { return m_books->clock; }
    PanelView& view() { return *m_view; }

    template <typename T = QWidget> T* find(const QString& name)
    {
        T* found = view().findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    bool shows(const QString& name) { return find(name)->isVisibleTo(&view()); }
    void click(const QString& name) { QTest::mouseClick(find(name), Qt::LeftButton); }

    void addProject(const QString& number, const QString& name, const QString& client)
    {
        m_books->store().addManualProject(
            project(number, name, client, utc(2026, 1, 1), utc(2026, 1, 1)));
    }
    // Three projects of two clients; 2301 was tracked last week.
    void addStudioProjects()
    {
        addProject(u"2301"_s, u"Brand book"_s, u"Acme"_s);
        addProject(u"2302"_s, u"Website"_s, u"Acme"_s);
        addProject(u"2310"_s, u"Annual report"_s, u"Bolt & Partners"_s);
        m_books->store().save(session(utc(2026, 2, 24, 9), 90));
        model().books().reloadTracker();
        model().catalogue()->reloadAllProjects();
    }
    void screenshot(const QString& name) { saveScreenshots(view(), u"panel-"_s + name); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_view = std::make_unique<PanelView>(model());
        m_view->prepareToShow();
        m_view->show();
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
    }
    void cleanup()
    {
        m_view.reset();
        m_books.reset();
    }

    void todayHeader()
    {
        QCOMPARE(text(u"dayPhrase"_s), u"Nothing yet"_s);
        QCOMPARE(text(u"todayTotal"_s), u"0m"_s);
        QCOMPARE(text(u"sessionsToday"_s), u"· 0 sessions"_s);
        // The picture is drawn, not the tulip standing in for it.
        QVERIFY(find<QLabel>(u"dayPicture"_s)->text().isEmpty());
        screenshot(u"today-nothing-yet"_s);

        addStudioProjects();
        m_books->store().save(session(utc(2026, 3, 2, 6), 150));
        model().books().reloadTracker();
        QCOMPARE(text(u"dayPhrase"_s), u"Nice going"_s);
        QCOMPARE(text(u"todayTotal"_s), u"2h 30m"_s);
        QCOMPARE(text(u"sessionsToday"_s), u"· 1 session"_s);
        screenshot(u"today"_s);
    }

    // Each status of the day has a picture of its own; the emoji stands in
    // only for one that is missing.
    void everyDayHasItsPicture()
    {
        QWidget sheet;
        auto* row = new QHBoxLayout(&sheet);
        QList<QLabel*> pictures;
        for (const WorkStatus& status : WorkStatus::allCases() + QList{WorkStatus::notStarted()}) {
            QVERIFY2(Icons::has(status.artName), qPrintable(status.artName));
            pictures.append(new QLabel(&sheet));
            pictures.last()->setProperty("art", status.artName);
            row->addWidget(pictures.last());
        }
        saveScreenshots(sheet, u"panel-day-pictures"_s, [&] {
            for (QLabel* picture : pictures)
                picture->setPixmap(Icons::pixmap(picture->property("art").toString(), 48,
                                                 sheet.palette().color(QPalette::WindowText)));
        });
    }

    void armedHeader()
    {
        addStudioProjects();
        model().panel().arm(tracker().projects().at(2));
        QVERIFY(shows(u"armedWork"_s));
        QCOMPARE(text(u"armedTitle"_s), u"Annual report"_s);
        QCOMPARE(text(u"armedClient"_s), u"Bolt & Partners"_s);
        QCOMPARE(find<QToolButton>(u"clearArmed"_s)->toolTip(), u"Nothing selected (esc)"_s);
        screenshot(u"armed"_s);
        click(u"start"_s);
        QCOMPARE(tracker().current()->projectSerial, u"2310"_s);

        model().sessions().stop();
        model().panel().armInternal(u"Team meeting"_s);
        QCOMPARE(text(u"armedTitle"_s), u"Team meeting"_s);
        click(u"clearArmed"_s);
        QVERIFY(!model().panel().hasArmedWork());
        QVERIFY(shows(u"todaySummary"_s));
    }

    void sessionHeader()
    {
        addStudioProjects();
        model().books().saveTaskList(true, {u"Design"_s});
        model().sessions().start(tracker().projects().first());
        clock().advance(47 * 60 + 5);
        QVERIFY(shows(u"sessionReadout"_s));
        QCOMPARE(text(u"sessionTitle"_s), u"Brand book"_s);
        QCOMPARE(text(u"sessionClient"_s), u"Acme"_s);
        QCOMPARE(text(u"elapsed"_s), u"47:05"_s);
        QCOMPARE(text(u"sessionTask"_s), u"Task: General"_s);
        QCOMPARE(find<QLineEdit>(u"note"_s)->placeholderText(), u"Add a note (optional)"_s);
        QCOMPARE(find<QPushButton>(u"pauseOrResume"_s)->text(), u"Pause"_s);
        QVERIFY(!shows(u"switchTo"_s));
        QCOMPARE(find(u"readout"_s)->accessibleName(), u"Tracking 2301 Brand book, 47m"_s);

        // Typed into the note: kept by the controller until typing pauses.
        QTest::keyClicks(find(u"note"_s), u"fonts"_s);
        QCOMPARE(model().panel().currentNote(), u"fonts"_s);
        clock().advance(PanelModel::noteSaveDelay);
        QCOMPARE(tracker().current()->note, u"fonts"_s);

        // Other work armed: the way to switch to it.
        model().panel().arm(tracker().projects().at(1));
        QVERIFY(shows(u"switchTo"_s));
        QCOMPARE(find<QPushButton>(u"switchTo"_s)->text(), u"Switch to 2302 Website"_s);
        screenshot(u"session"_s);

        click(u"pauseOrResume"_s);
        QVERIFY(tracker().isPaused());
        QCOMPARE(find<QPushButton>(u"pauseOrResume"_s)->text(), u"Resume"_s);
        QVERIFY(shows(u"pausedTag"_s));
        screenshot(u"session-paused"_s);

        click(u"switchTo"_s);
        QCOMPARE(tracker().current()->projectSerial, u"2302"_s);
        QVERIFY(!model().panel().hasArmedWork());
        QVERIFY(find<QLineEdit>(u"note"_s)->text().isEmpty());
    }

    // Paused after running past the warning: the readout shows the pause.
    void pausedPastTheWarningShowsThePause()
    {
        model().books().settings()->setLongRunningWarningHours(1);
        model().sessions().start(brandBook);
        clock().advance(61 * 60);
        const auto picture = [&] {
            return find(u"sessionState"_s)->property("zolIcon").toString();
        };
        QCOMPARE(picture(), u"clock-warning"_s);
        tracker().pause();
        QCOMPARE(picture(), u"pause-circle"_s);
        QCOMPARE(find(u"sessionState"_s)->accessibleName(), u"Paused"_s);
        QCOMPARE(find(u"readout"_s)->accessibleName(), u"Paused on 2301 Brand book, 1h 1m"_s);
    }

    void cancelRecordingAsksFirst()
    {
        model().sessions().start(brandBook);
        clock().advance(600);
        QCOMPARE(find(u"cancelRecording"_s)->toolTip(),
                 u"Throw this recording away without keeping any of it"_s);
        click(u"cancelRecording"_s);
        QVERIFY(shows(u"cancelConfirmation"_s));
        QCOMPARE(text(u"cancelQuestion"_s), u"It will not be recorded."_s);
        screenshot(u"session-cancel"_s);
        click(u"keepTracking"_s);
        QVERIFY(!shows(u"cancelConfirmation"_s));
        QVERIFY(tracker().isTracking());

        click(u"cancelRecording"_s);
        click(u"discard"_s);
        QVERIFY(!tracker().isTracking());
        QVERIFY(m_books->store().recentEntries(5).isEmpty());
        QCOMPARE(text(u"statusText"_s), u"Discarded the recording on 2301."_s);
    }

    void idlePrompt()
    {
        model().sessions().start(brandBook);
        clock().advance(3600);
        const IdleReport report{utc(2026, 3, 2, 9, 35), 25 * 60, tracker().current()->id};
        model().panel().setIdleReport(report);
        QVERIFY(shows(u"idlePrompt"_s));
        QCOMPARE(text(u"awayTime"_s), u"25m"_s);
        QCOMPARE(text(u"awaySince"_s), u"The timer kept running since 09:35"_s);
        screenshot(u"idle"_s);

        click(u"keepIt"_s);
        QVERIFY(!model().panel().idleReport());
        QVERIFY(shows(u"sessionReadout"_s));
        QCOMPARE(tracker().elapsed(), 3600.0);

        model().panel().setIdleReport(report);
        click(u"takeItOff"_s);
        QCOMPARE(tracker().elapsed(), 3600.0 - 25 * 60);
        QCOMPARE(text(u"statusText"_s), u"Took 25m of idle time off the timer."_s);
    }

    void statusLineUndoes()
    {
        addStudioProjects();
        const QUuid deleted = tracker().recent().first().id;
        model().history()->deleteEntries({deleted});
        QVERIFY(shows(u"statusLine"_s));
        QCOMPARE(text(u"statusText"_s), u"Deleted 1 session."_s);
        QCOMPARE(find(u"statusSymbol"_s)->property("zolIcon").toString(), u"info"_s);
        QVERIFY(shows(u"undo"_s));
        click(u"undo"_s);
        QCOMPARE(tracker().recent().first().id, deleted);
        QVERIFY(!shows(u"undo"_s));
        QCOMPARE(text(u"statusText"_s), u"Restored."_s);
        QCOMPARE(find(u"statusSymbol"_s)->property("zolIcon").toString(), u"check-circle"_s);
        clock().advance(StatusMessage::shownSeconds);
        QVERIFY(!shows(u"statusLine"_s));
    }

    void pickerRows()
    {
        for (int i = 0; i < 12; ++i)
            addProject(QString::number(4001 + i), u"Poster "_s + QString::number(i + 1),
                       u"Client"_s);
        addStudioProjects();
        QCOMPARE(text(u"recentCaption"_s), u"10 most recent · type to search all 15"_s);
        auto* rows = static_cast<ProjectListModel*>(find<QListView>(u"projects"_s)->model());
        QCOMPARE(rows->rowCount(), 10);
        QCOMPARE(rows->projects().first().serial, u"2301"_s); // used last

        // A click on a row arms it; the running project carries its own mark.
        auto* list = find<ProjectListView>(u"projects"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(rows->index(1)).center() - QPoint(60, 0));
        QCOMPARE(model().panel().armedProject()->serial, rows->projects().at(1).serial);
        const auto mark = [&](int row) {
            return rows->index(row)
                .data(ProjectListModel::MarkRole)
                .value<ProjectListModel::Mark>();
        };
        QCOMPARE(mark(1), ProjectListModel::Mark::armed);
        model().sessions().start(rows->projects().first());
        QCOMPARE(mark(0), ProjectListModel::Mark::running);
        QCOMPARE(mark(1), ProjectListModel::Mark::other);

        model().panel().setProjectFilter(u"poster 1"_s);
        QCOMPARE(rows->rowCount(), 4); // 1, 10, 11, 12
        QCOMPARE(text(u"recentCaption"_s), u"4 of 15 projects"_s);
        QCOMPARE(find<QLineEdit>(u"search"_s)->text(), u"poster 1"_s);
        model().panel().setProjectFilter(u"zz"_s);
        QVERIFY(shows(u"nothingMatches"_s));
        QCOMPARE(text(u"nothingMatches"_s), u"Nothing matches “zz”"_s);
        view().findChild<QAction*>(u"clearFilter"_s)->trigger();
        QVERIFY(model().panel().projectFilter().isEmpty());
    }

    void emptyState()
    {
        QVERIFY(shows(u"noProjects"_s));
        QVERIFY(!shows(u"projects"_s));
        QCOMPARE(find<QLabel>(u"emptyTitle"_s)->text(), u"No projects yet"_s);
        QCOMPARE(find<QLabel>(u"emptyText"_s)->text(),
                 u"Press + above to add one, and the timer can start."_s);
        screenshot(u"empty"_s);
        QSignalSpy window(&model(), &AppModel::windowRequested);
        click(u"setUpStudio"_s);
        QCOMPARE(window.size(), 1);
        QCOMPARE(model().windowSection(), u"studio"_s);
        // With a filter typed it is a search that found nothing.
        model().panel().setProjectFilter(u"acme"_s);
        QVERIFY(!shows(u"noProjects"_s) && shows(u"nothingMatches"_s));
    }

    void addForm()
    {
        addStudioProjects();
        auto* plus = find<QToolButton>(u"addProject"_s);
        QCOMPARE(plus->accessibleName(), u"Add a project"_s);
        click(u"addProject"_s);
        QVERIFY(shows(u"addForm"_s));
        QCOMPARE(plus->accessibleName(), u"Close the new project form"_s);
        QCOMPARE(text(u"addFormTitle"_s), u"Add a project, or internal time"_s);
        QCOMPARE(text(u"stillNeeded"_s), u"Still needed: number, client, name."_s);

        // Only a client: number and name still needed, in that order.
        QTest::keyClicks(find(u"client"_s), u"ac"_s);
        const QList<QToolButton*> offered = view().findChild<ClientField*>()->suggestionButtons();
        QCOMPARE(offered.size(), 1);
        QCOMPARE(view().findChild<ClientField*>()->suggestions(), QStringList{u"Acme"_s});
        offered.first()->click();
        QCOMPARE(find<QLineEdit>(u"client"_s)->text(), u"Acme"_s);
        QCOMPARE(text(u"stillNeeded"_s), u"Still needed: number, name."_s);
        QVERIFY(!find(u"addSubmit"_s)->isEnabled());

        // A number in use: the notice names its project.
        QTest::keyClicks(find(u"number"_s), u"2301"_s);
        QVERIFY(shows(u"numberNotice"_s));
        QCOMPARE(text(u"numberNoticeTitle"_s), u"2301 already exists: Acme — Brand book"_s);
        const QList<QLabel*> notice = find(u"numberNotice"_s)->findChildren<QLabel*>();
        QCOMPARE(notice.last()->text(), u"A number belongs to one project. Adding it again would "
                                        u"rename that one for the whole studio."_s);
        QTest::keyClicks(find(u"name"_s), u"Posters"_s);
        screenshot(u"add-form"_s);

        find<QLineEdit>(u"number"_s)->setText(u"2399"_s);
        QVERIFY(!shows(u"numberNotice"_s));
        click(u"addSubmit"_s);
        QCOMPARE(model().panel().armedProject()->serial, u"2399"_s);
        QCOMPARE(model().panel().armedProject()->clientName, u"Acme"_s);
        QVERIFY(!shows(u"addForm"_s));

        // Internal work: one field, and its own sentence.
        click(u"addProject"_s);
        find<QAbstractButton>(u"internal"_s)->click();
        QCOMPARE(find<QLineEdit>(u"description"_s)->placeholderText(),
                 u"Team meeting, kitchen, inspiration…"_s);
        QCOMPARE(text(u"stillNeeded"_s), u"Describe what it is."_s);
        screenshot(u"add-form-internal"_s);
        QTest::keyClicks(find(u"description"_s), u"Kitchen"_s);
        click(u"addSubmit"_s);
        QCOMPARE(model().panel().armedInternal(), u"Kitchen"_s);
    }

    // Everything at once: a session with other work armed, tasks, a status
    // with Undo, and the add form with its notice and suggestions. The panel
    // keeps its size; the form scrolls in the list's place.
    void crowdedPanelFits()
    {
        addStudioProjects();
        model().books().saveTaskList(true, {u"Design"_s});
        model().sessions().start(tracker().projects().first());
        model().panel().arm(tracker().projects().at(1));
        model().history()->deleteEntries({tracker().recent().last().id});
        click(u"addProject"_s);
        QTest::keyClicks(find(u"number"_s), u"2301"_s);
        QTest::keyClicks(find(u"client"_s), u"a"_s);
        QVERIFY(shows(u"numberNotice"_s));
        QCOMPARE(view().findChild<ClientField*>()->suggestions(),
                 (QStringList{u"Acme"_s, u"Bolt & Partners"_s}));
        QVERIFY(view().minimumSizeHint().height() <= PanelView::panelHeight);
        screenshot(u"crowded"_s);

        // A 1366×768 screen holds it whole; a 1920×1080 one at scale 2 (its
        // logical room less a bar) a shorter one, the footer still in reach.
        view().fitTo(QRect(0, 28, 1366, 740));
        QCOMPARE(view().size(), QSize(PanelView::panelWidth, PanelView::panelHeight));
        for (const QRect& room : {QRect(0, 28, 960, 512)}) {
            view().fitTo(room);
            QVERIFY(view().height() < PanelView::panelHeight);
            QTRY_COMPARE(view().layout()->geometry().size(), view().size());
            for (const QString& name : {u"quitZol"_s, u"history"_s, u"stop"_s}) {
                QWidget* w = find(name);
                const QRect at(w->mapTo(&view(), QPoint()), w->size());
                QVERIFY2(view().rect().contains(at) && w->isVisible(), qPrintable(name));
            }
            QVERIFY(view().minimumSizeHint().height() <= view().height());
            screenshot(u"crowded-"_s + QString::number(room.height()));
        }
    }

    void addFormSuggestsTheNextNumber()
    {
        Administration books = model().books().administration();
        books.numbering = Administration::Numbering::automatic({u"P"_s, true, 3});
        model().books().updateAdministration(books);
        m_books->store().addManualProject(
            project(u"P26004"_s, u"Sign"_s, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1)));
        click(u"addProject"_s);
        QCOMPARE(find<QLineEdit>(u"number"_s)->text(), u"P26005"_s);
        // The first field still empty takes the typing.
        QCOMPARE(QApplication::focusWidget(), find(u"client"_s));
    }

    void inlineEditor()
    {
        addStudioProjects();
        auto* list = find<ProjectListView>(u"projects"_s);
        auto* rows = static_cast<ProjectListModel*>(list->model());
        const int row = rows->rowOf(u"2302"_s);
        const QRect rowRect = list->visualRect(rows->index(row)).adjusted(2, 1, -2, -1);
        QTest::mouseMove(list->viewport(), rowRect.center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          ProjectRowDelegate::editButtonRect(rowRect).center());
        QVERIFY(shows(u"inlineEditor"_s));
        QVERIFY(!model().panel().hasArmedWork()); // the pencil edits, it does not arm
        QCOMPARE(find<QLineEdit>(u"editName"_s)->text(), u"Website"_s);
        QCOMPARE(text(u"editorFooter"_s),
                 u"The number, client and name are what the studio sees."_s);
        find<QLineEdit>(u"editNumber"_s)->setText(u"2303"_s);
        QCOMPARE(text(u"editorFooter"_s),
                 u"Changing the number moves every session on this project onto it."_s);
        find<QLineEdit>(u"editName"_s)->setText(u"Web shop"_s);
        screenshot(u"inline-editor"_s);

        click(u"editSave"_s);
        QVERIFY(!view().findChild<QWidget*>(u"inlineEditor"_s) || !shows(u"inlineEditor"_s));
        QCOMPARE(m_books->said(), u"Updated Web shop."_s);
        QVERIFY(rows->rowOf(u"2303"_s) >= 0);

        // A project without a number: giving it one moves what it tracked.
        model().catalogue()->quickAddProject({}, u"Sketches"_s, u"Acme"_s);
        model().panel().setProjectFilter(u"sketch"_s);
        QCOMPARE(rows->rowCount(), 1);
        model().panel().arm(rows->projects().first());
        QTest::keyClick(list, Qt::Key_F2);
        QVERIFY(find<QLineEdit>(u"editNumber"_s)->text().isEmpty());
        find<QLineEdit>(u"editNumber"_s)->setText(u"2320"_s);
        QCOMPARE(text(u"editorFooter"_s),
                 u"Adding the number moves everything tracked so far onto it."_s);
        click(u"editCancel"_s);
        QCOMPARE(rows->projects().first().displaySerial(), QString());
    }

    void taskPicker()
    {
        QVERIFY(!shows(u"taskPicker"_s));
        model().books().saveTaskList(true, {u"Design"_s, u"Print"_s});
        QVERIFY(shows(u"taskPicker"_s));
        auto* menu = find<QComboBox>(u"task"_s);
        QCOMPARE(menu->toolTip(), u"What kind of work this is"_s);
        QCOMPARE(menu->count(), 3);
        QCOMPARE(menu->itemText(0), u"General"_s);
        menu->setCurrentIndex(2);
        Q_EMIT menu->activated(2);
        QCOMPARE(model().panel().pendingTask(), u"Print"_s);
        model().sessions().start(brandBook);
        QCOMPARE(tracker().current()->task, u"Print"_s);
        Q_EMIT menu->activated(1);
        QCOMPARE(tracker().current()->task, u"Design"_s);
        QCOMPARE(text(u"sessionTask"_s), u"Task: Design"_s);
    }

    void mainWindowSeams_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("section");
        QTest::newRow("history") << u"history"_s << u"history"_s;
        QTest::newRow("settings") << u"settings"_s << u"general"_s;
        QTest::newRow("connection badge") << u"connection"_s << u"studio"_s;
        QTest::newRow("manage administrations")
            << u"manageAdministrations"_s << u"administrations"_s;
    }

    void mainWindowSeams()
    {
        QFETCH(QString, control);
        QFETCH(QString, section);
        model().setWindowSection(u"search"_s);
        QSignalSpy window(&model(), &AppModel::windowRequested);
        if (auto* action = view().findChild<QAction*>(control))
            action->trigger();
        else
            click(control);
        QCOMPARE(window.size(), 1);
        QCOMPARE(model().windowSection(), section);
    }

    void administrationBadgeAndFooter()
    {
        auto* badge = find<AdministrationBadge>(u"administrationBadge"_s);
        QCOMPARE(badge->text(), u"Administration: Local"_s);
        QCOMPARE(badge->toolTip(), u"Hours are being written into Local"_s);
        QCOMPARE(find<QToolButton>(u"connection"_s)->text(), u"On this computer"_s);
        QCOMPARE(find<QToolButton>(u"quitZol"_s)->text(), u"Quit Zol"_s);

        const Administration studio = named(u"Studio"_s);
        model().books().addAdministration(studio);
        QList<QAction*> listed;
        for (QAction* action : badge->administrations()->actions()) {
            if (action->objectName() == u"administration"_s)
                listed.append(action);
        }
        QCOMPARE(listed.size(), 2);
        QVERIFY(listed.first()->isChecked());
        listed.last()->trigger();
        QCOMPARE(model().books().administration().id, studio.id);
        QCOMPARE(badge->text(), u"Administration: Studio"_s);

        QSignalSpy quit(&view(), &PanelView::quitRequested);
        click(u"quitZol"_s);
        QCOMPARE(quit.size(), 1);
    }
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
