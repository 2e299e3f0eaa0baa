// The panel from the keyboard alone: where the focus is when it opens, the
// arrows, Return, Space and Ctrl+Return, the order of Escape, letters that go
// to the search field, and a tab order that runs top to bottom through
// controls that all have names.

#include "Books.h"
#include "CatalogueModel.h"
#include "HistoryModel.h"
#include "tray/Panel.h"
#include "tray/PanelView.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestPanelKeys : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<PanelView> m_view;

    AppModel& model() { return *m_books->model; }
    Tracker& tracker() { return *model().books().tracker(); }
    PanelView& view() { return *m_view; }
    QWidget* find(const QString& name) { return view().findChild<QWidget*>(name); }
    QString focused()
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }
    // Keys go where the focus is, as they would from the keyboard.
    void press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    QString armed()
    {
        return model().panel().armedProject() ? model().panel().armedProject()->serial : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        for (const auto& [number, name] :
             {std::pair{u"2301"_s, u"Brand book"_s}, std::pair{u"2302"_s, u"Website"_s},
              std::pair{u"2310"_s, u"Annual report"_s}})
            m_books->store().addManualProject(
                project(number, name, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1)));
        model().books().reloadTracker();
        model().catalogue()->reloadAllProjects();
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

    void arrowsReturnSpaceAndCtrlReturn()
    {
        // The picker lists the projects by client, then name: 2310, 2301, 2302.
        QCOMPARE(focused(), u"search"_s);
        press(Qt::Key_Up); // nothing armed: the last
        QCOMPARE(armed(), u"2302"_s);
        press(Qt::Key_Down); // wraps to the first
        QCOMPARE(armed(), u"2310"_s);
        press(Qt::Key_Down);
        QCOMPARE(armed(), u"2301"_s);
        press(Qt::Key_Return);
        QCOMPARE(tracker().current()->projectSerial, u"2301"_s);
        // The Start that was pressed went away with the armed work: the
        // focus is on the readout now.
        QCOMPARE(focused(), u"readout"_s);

        press(Qt::Key_Space);
        QVERIFY(tracker().isPaused());
        press(Qt::Key_Space);
        QVERIFY(tracker().isRunning());

        m_books->clock.advance(120);
        press(Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(!tracker().isTracking());
        QCOMPARE(m_books->said(), u"Logged 2m to Brand book."_s);
        QCOMPARE(focused(), u"search"_s);
    }

    void escapeClosesThenClearsThenCloses()
    {
        QSignalSpy closing(&view(), &PanelView::closeRequested);
        QTest::keyClicks(find(u"search"_s), u"2"_s);
        press(Qt::Key_Down);
        QTest::mouseClick(find(u"addProject"_s), Qt::LeftButton);
        QVERIFY(find(u"addForm"_s)->isVisible());

        press(Qt::Key_Escape); // the form
        QVERIFY(!find(u"addForm"_s)->isVisible());
        QCOMPARE(model().panel().projectFilter(), u"2"_s);
        QCOMPARE(armed(), u"2310"_s);

        press(Qt::Key_F2); // the editor of the armed project
        QVERIFY(find(u"inlineEditor"_s));
        press(Qt::Key_Escape);
        QVERIFY(!find(u"inlineEditor"_s));
        QCOMPARE(armed(), u"2310"_s);

        press(Qt::Key_Escape); // the filter and the selection
        QVERIFY(model().panel().projectFilter().isEmpty());
        QVERIFY(!model().panel().hasArmedWork());
        QCOMPARE(closing.size(), 0);

        press(Qt::Key_Escape); // nothing left: the panel
        QCOMPARE(closing.size(), 1);
    }

    void escapeKeepsTracking()
    {
        model().sessions().start(tracker().projects().first());
        view().prepareToShow();
        QTest::mouseClick(find(u"cancelRecording"_s), Qt::LeftButton);
        QVERIFY(find(u"cancelConfirmation"_s)->isVisible());
        press(Qt::Key_Escape);
        QVERIFY(!find(u"cancelConfirmation"_s)->isVisible());
        QVERIFY(tracker().isTracking());
    }

    // Space is text in a text field; a letter anywhere else starts a search.
    void typingGoesWhereItBelongs()
    {
        model().sessions().start(tracker().projects().first());
        view().prepareToShow();
        find(u"note"_s)->setFocus();
        QTest::keyClicks(find(u"note"_s), u"a b"_s);
        QCOMPARE(model().panel().currentNote(), u"a b"_s);
        QVERIFY(tracker().isRunning());

        find(u"settings"_s)->setFocus();
        press(Qt::Key_W);
        QCOMPARE(focused(), u"search"_s);
        QCOMPARE(model().panel().projectFilter(), u"w"_s);
        press(Qt::Key_E);
        QCOMPARE(model().panel().projectFilter(), u"we"_s);
    }

    // Return on a focused button presses it rather than starting anything.
    void returnPressesTheFocusedButton()
    {
        press(Qt::Key_Down);
        QSignalSpy window(&model(), &AppModel::windowRequested);
        find(u"history"_s)->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(window.size(), 1);
        QCOMPARE(model().windowSection(), u"history"_s);
        QVERIFY(!tracker().isTracking());
    }

    // Tab from the top reaches every control once, downwards, each with a
    // name a screen reader can say.
    void tabOrderRunsTopToBottom()
    {
        model().books().saveTaskList(true, {u"Design"_s});
        model().sessions().start(tracker().projects().first());
        model().panel().arm(tracker().projects().at(1));
        m_books->store().save(session(utc(2026, 2, 24, 9), 90));
        model().books().reloadTracker();
        model().history()->deleteEntries({tracker().recent().last().id});
        QVERIFY(find(u"undo"_s)->isVisible());
        view().prepareToShow();

        QStringList visited;
        int lastTop = -1;
        while (!visited.contains(focused())) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(!focus->accessibleName().isEmpty(), qPrintable(focused()));
            const int top = focus->mapTo(&view(), QPoint(0, 0)).y();
            QVERIFY2(top >= lastTop - 2, qPrintable(visited.join(u' ') + u' ' + focused()));
            lastTop = top;
            visited.append(focused());
            press(Qt::Key_Tab);
            if (visited.size() > 40)
                break;
        }
        QCOMPARE(visited,
                 (QStringList{u"readout"_s, u"note"_s, u"pauseOrResume"_s, u"stop"_s, u"switchTo"_s,
                              u"cancelRecording"_s, u"task"_s, u"undo"_s, u"search"_s,
                              u"addProject"_s, u"projects"_s, u"administrationBadge"_s,
                              u"connection"_s, u"history"_s, u"settings"_s, u"quitZol"_s}));
    }

    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("state");
        for (const char* state :
             {"today", "armed", "idle", "add form", "internal work", "editor", "no projects"})
            QTest::newRow(state) << QString::fromLatin1(state);
    }

    void everyControlHasAName()
    {
        QFETCH(QString, state);
        if (state == u"no projects"_s) {
            m_books->store().eraseEverything();
            model().books().reloadTracker();
        } else if (state == u"armed"_s) {
            press(Qt::Key_Down);
        } else if (state == u"idle"_s) {
            model().sessions().start(tracker().projects().first());
            model().panel().setIdleReport(
                IdleReport{m_books->clock.now(), 600, tracker().current()->id});
        } else if (state == u"add form"_s || state == u"internal work"_s) {
            QTest::mouseClick(find(u"addProject"_s), Qt::LeftButton);
            QTest::keyClicks(find(u"client"_s), u"a"_s); // suggestions
            if (state == u"internal work"_s)
                qobject_cast<QAbstractButton*>(find(u"internal"_s))->click();
        } else if (state == u"editor"_s) {
            press(Qt::Key_Down);
            press(Qt::Key_F2);
        }
        QStringList unnamed;
        for (QWidget* widget : view().findChildren<QWidget*>()) {
            if (widget->isVisibleTo(&view()) && (widget->focusPolicy() & Qt::TabFocus) &&
                widget->accessibleName().isEmpty())
                unnamed.append(widget->objectName() + u'/' +
                               QString::fromLatin1(widget->metaObject()->className()));
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", ")));
    }

    // Closing the panel drops what its forms held; Escape with nothing left
    // closes it, Ctrl+Q quits.
    void thePanelWindow()
    {
        m_view.reset();
        Panel panel(model(), Panel::Mode::window);
        panel.open({}, {});
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        auto* form = panel.findChild<QWidget*>(u"addForm"_s);
        QTest::mouseClick(panel.findChild<QWidget*>(u"addProject"_s), Qt::LeftButton);
        QTest::keyClicks(panel.findChild<QWidget*>(u"name"_s), u"Half typed"_s);
        panel.close();
        panel.open({}, {});
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        QVERIFY(!form->isVisibleTo(&panel));
        QVERIFY(panel.findChild<QLineEdit*>(u"name"_s)->text().isEmpty());

        QSignalSpy quit(&panel, &Panel::quitRequested);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(quit.size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!panel.isVisible());
    }
};

QTEST_MAIN(TestPanelKeys)
#include "tst_panelkeys.moc"
