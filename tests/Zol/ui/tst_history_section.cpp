// The History section over the sample books: moving through days, weeks and
// months across a month's and a year's end; deleting a project's sessions
// from the list and bringing them back with Undo; the session editor's
// refusals and warning as it shows them; the upload control's captions; and
// pictures of every state.

#include "Books.h"
#include "HistoryModel.h"
#include "SampleBooks.h"
#include "Screenshots.h"
#include "SharingModel.h"
#include "books/AppSettings.h"
#include "window/CalendarMonthView.h"
#include "window/CalendarWeekView.h"
#include "window/HistoryList.h"
#include "window/HistoryListDelegate.h"
#include "window/HistoryListModel.h"
#include "window/HistorySection.h"
#include "window/HistoryUploadCard.h"
#include "window/MainWindow.h"
#include "window/SessionDetails.h"
#include "window/SessionEditor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestHistorySection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<SampleBooks> m_sample;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    HistoryModel& history() { return *model().history(); }
    HistorySection& section()
    {
        return *qobject_cast<HistorySection*>(m_window->section(u"history"_s));
    }
    QString text(const QString& name)
    {
        auto* label = m_window->findChild<QLabel*>(name);
        return label && label->isVisibleTo(m_window.get()) ? label->text() : QString();
    }
    template <typename T = QWidget> T* find(const QString& name)
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            qWarning("no %s", qPrintable(name));
        return found;
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_sample = std::make_unique<SampleBooks>(*m_books);
        m_window = std::make_unique<MainWindow>(model());
        m_window->setFixedSize(1100, 720);
        m_window->present();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_sample.reset();
        m_books.reset();
    }

    // The offscreen screen is 800 by 800: a first opening fits in its
    // height, rather than running off it at the 1200 by 800 it has on a
    // larger screen.
    void theWindowFitsTheScreenItFirstOpensOn()
    {
        MainWindow window(model());
        window.present();
        const QRect area = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        QVERIFY2(frame.top() >= area.top() && frame.bottom() <= area.bottom() &&
                     window.width() <= std::max(area.width(), window.minimumSizeHint().width()),
                 qPrintable(u"%1x%2 at %3,%4 in %5x%6, min %7"_s.arg(frame.width()).arg(frame.height())
                                .arg(frame.x()).arg(frame.y()).arg(area.width()).arg(area.height()).arg(window.minimumSizeHint().width())));
        QCOMPARE(MainWindow::fittedSize({900, 500}, QRect(0, 0, 1920, 1080)), QSize(1200, 800));
        QCOMPARE(MainWindow::fittedSize({900, 500}, QRect(0, 28, 1280, 772)), QSize(1152, 695));
        // A minimum wins over the margin, never over the screen.
        QCOMPARE(MainWindow::fittedSize({900, 500}, QRect(0, 0, 960, 540)), QSize(900, 500));
        QCOMPARE(MainWindow::fittedSize({900, 500}, QRect(0, 0, 800, 480)), QSize(800, 480));
    }

    void navigation_data()
    {
        QTest::addColumn<HistoryScope>("scope");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("previousHelp");
        // The titles themselves are the captions' business; here one move
        // per scope, over a year's end, by the keys and the buttons.
        QTest::newRow("day") << HistoryScope::day << QDate(2026, 1, 1) << -1
                             << u"Wednesday 31 December 2025"_s << u"Previous day (Ctrl+←)"_s;
        QTest::newRow("week") << HistoryScope::week << QDate(2026, 1, 5) << -2
                              << u"Week 52 · 22 December – 28 December"_s
                              << u"Previous period (Ctrl+←)"_s;
        QTest::newRow("month") << HistoryScope::month << QDate(2025, 12, 15) << 1
                               << u"January 2026"_s << u"Previous period (Ctrl+←)"_s;
    }

    // Ctrl+Left and Ctrl+Right move by the scope, the buttons say so, and
    // "Jump back to the present" is there only away from it.
    void navigation()
    {
        QFETCH(HistoryScope, scope);
        QFETCH(QDate, from);
        QFETCH(int, steps);
        auto* scopeButton = find<QToolButton>(scope == HistoryScope::day    ? u"scopeDay"_s
                                              : scope == HistoryScope::week ? u"scopeWeek"_s
                                                                            : u"scopeMonth"_s);
        scopeButton->click();
        history().showPeriod(from);
        // The buttons stay where they are, whether a period is empty or not.
        auto* previous = find<QToolButton>(u"previousPeriod"_s);
        const auto place = [&] {
            QCoreApplication::processEvents();
            return previous->mapTo(m_window.get(), QPoint());
        };
        const QPoint before = place();
        for (int i = 0; i < std::abs(steps); ++i) {
            QTest::keyClick(m_window.get(), steps < 0 ? Qt::Key_Left : Qt::Key_Right,
                            Qt::ControlModifier);
            QCOMPARE(place(), before);
        }
        QTEST(text(u"periodTitle"_s), "title");
        QTEST(find<QToolButton>(u"previousPeriod"_s)->toolTip(), "previousHelp");
        auto* present = find<QToolButton>(u"present"_s);
        QCOMPARE(present->toolTip(), u"Jump back to the present"_s);
        QVERIFY(present->isEnabled());
        present->click();
        QVERIFY(!present->isEnabled());
        QCOMPARE(history().historyDay(), QDate(2026, 3, 2));
        QVERIFY(!history().historyEntries().isEmpty());
        QCOMPARE(place(), before);
        // And the buttons do what the keys do.
        find<QToolButton>(u"nextPeriod"_s)->click();
        find<QToolButton>(u"previousPeriod"_s)->click();
        QCOMPARE(history().historyDay(), QDate(2026, 3, 2));
    }

    // A project's heading deletes its sessions; Undo on the status line
    // brings them back.
    void deletingAGroupWithUndo()
    {
        history().showPeriod(QDate(2026, 2, 23));
        HistoryList& list = section().list();
        const HistoryListModel& rows = list.listModel();
        int brand = -1;
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.kind(row) == HistoryListModel::Kind::group &&
                rows.group(row).projectSerial == brandBook.serial)
                brand = row;
        }
        QVERIFY(brand >= 0);
        const RowButtons buttons = list.delegate().buttons(brand);
        const QRect heading = list.visualRect(rows.index(brand));
        const QList<QRect> places = buttons.rects(heading, &list);
        // No Resume on a past day: the delete is first from the right.
        QCOMPARE(places.size(), 2);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, places.at(0).center());
        QCOMPARE(history().historyEntries().size(), 2);
        QCOMPARE(text(u"statusText"_s), u"Deleted 2 sessions."_s);
        auto* undo = find<QPushButton>(u"statusUndo"_s);
        QVERIFY(undo->isVisibleTo(m_window.get()));
        undo->click();
        QCOMPARE(text(u"statusText"_s), u"Restored."_s);
        QCOMPARE(history().historyEntries().size(), 4);

        // The keyboard's way: Delete on a session, Return to open one.
        const int session = rows.rowOf(m_sample->lastWeek.at(0).id);
        list.setCurrentIndex(rows.index(session));
        QTest::keyClick(&list, Qt::Key_Return);
        auto* details = m_window->findChild<SessionDetails*>();
        QVERIFY(details);
        QCOMPARE(details->entry().id, m_sample->lastWeek.at(0).id);
        details->close();
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(text(u"statusText"_s), u"Deleted 1 session."_s);
    }

    void editorRefusalsAndWarning_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("overlaps");
        QTest::addColumn<bool>("warned");
        QTest::newRow("into the sessions before")
            << u"from 12:00"_s << u"These hours are already tracked"_s << 2 << true;
        // Refused before anything else is looked at.
        QTest::newRow("an end before the start")
            << u"until 13:00"_s << u"The end time is before the start."_s << 0 << false;
        QTest::newRow("a longer note") << u"note"_s << QString() << 0 << true;
    }

    // The Website session of Monday 23 February, 14:10 to 17:00, was
    // handed in: every edit of it carries the warning.
    void editorRefusalsAndWarning()
    {
        QFETCH(QString, change);
        QFETCH(QString, refusal);
        QFETCH(int, overlaps);
        QFETCH(bool, warned);
        history().showPeriod(QDate(2026, 2, 23));
        const TimeEntry website = m_sample->lastWeek.at(3);
        section().openDetails(website)->findChild<QPushButton*>(u"editSession"_s)->click();
        auto* editor = m_window->findChild<SessionEditor*>();
        QVERIFY(editor);
        if (change == u"from 12:00")
            editor->findChild<QTimeEdit*>(u"from"_s)->setTime(QTime(12, 0));
        else if (change == u"until 13:00")
            editor->findChild<QTimeEdit*>(u"until"_s)->setTime(QTime(13, 0));
        else
            editor->findChild<QLineEdit*>(u"note"_s)->setText(u"Menu page and footer"_s);

        const auto shown = [&](const QString& name) {
            auto* label = editor->findChild<QLabel*>(name);
            return label->isVisibleTo(editor) ? label->text() : QString();
        };
        QCOMPARE(shown(u"refusal"_s), refusal);
        QCOMPARE(shown(u"refusalExplanation"_s).isEmpty(), overlaps == 0);
        QCOMPARE(shown(u"overlaps"_s).count(u'\n') + (overlaps ? 1 : 0), overlaps);
        QCOMPARE(shown(u"warning"_s),
                 warned ? u"Already uploaded. Saving marks it unsent, so the correction goes with "
                          "the next upload of that period."_s
                        : QString());
        auto* save = editor->findChild<QPushButton*>(u"save"_s);
        QCOMPARE(save->isEnabled(), refusal.isEmpty());
        if (!refusal.isEmpty())
            return;
        save->click();
        QCOMPARE(text(u"statusText"_s), u"Saved."_s);
        QCOMPARE(model().history()->entry(website.id)->note, u"Menu page and footer"_s);
        QVERIFY(!model().history()->entry(website.id)->isUploaded());
    }

    // "Move this session to another project" offers the others; "Keep this
    // project" takes it back.
    void movingASession()
    {
        history().showPeriod(QDate(2026, 3, 2));
        auto* editor = qobject_cast<SessionEditor*>(section().openDetails(m_sample->finishedToday));
        QVERIFY(!editor);
        m_window->findChild<SessionDetails*>()->findChild<QPushButton*>(u"editSession"_s)->click();
        editor = m_window->findChild<SessionEditor*>();
        auto* move = editor->findChild<QPushButton*>(u"moveProject"_s);
        auto* to = editor->findChild<QComboBox*>(u"moveTo"_s);
        auto* keep = editor->findChild<QPushButton*>(u"keepProject"_s);
        QVERIFY(!to->isVisibleTo(editor));
        move->click();
        QVERIFY(to->isVisibleTo(editor) && keep->isVisibleTo(editor));
        to->setCurrentIndex(to->findData(annualReport.serial));
        QCOMPARE(editor->edited().projectSerial, annualReport.serial);
        keep->click();
        QCOMPARE(editor->edited().projectSerial, brandBook.serial);
        move->click();
        to->setCurrentIndex(to->findData(annualReport.serial));
        editor->findChild<QPushButton*>(u"save"_s)->click();
        QCOMPARE(model().history()->entry(m_sample->finishedToday.id)->projectName,
                 annualReport.name);
    }

    // Resume is offered on today's projects only, and starts the project
    // again; the running one has none.
    void resumingFromTheList()
    {
        history().showToday();
        HistoryList& list = section().list();
        const HistoryListModel& rows = list.listModel();
        QStringList offered;
        int brand = -1;
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.kind(row) != HistoryListModel::Kind::group)
                continue;
            if (list.delegate()
                    .buttons(row)
                    .rects(list.visualRect(rows.index(row)), &list)
                    .size() == 3)
                offered.append(rows.group(row).projectSerial);
            if (rows.group(row).projectSerial == brandBook.serial)
                brand = row;
        }
        QCOMPARE(offered, QStringList{brandBook.serial});
        list.act(brand, u"resume"_s);
        QCOMPARE(model().books().tracker()->current()->projectSerial, brandBook.serial);
        QVERIFY(model().books().tracker()->isRunning());
    }

    // The week's blocks open their details by click and by keyboard; a day of
    // the month opens as a list.
    void calendars()
    {
        history().setHistoryScope(HistoryScope::week);
        history().setHistoryLayout(HistoryLayout::calendar);
        history().showPeriod(QDate(2026, 2, 25));
        CalendarWeekView& week = section().week();
        QVERIFY(week.isVisible());
        QCOMPARE(week.week().blocks.size(), 13);
        QTest::mouseClick(&week, Qt::LeftButton, {}, week.blockRect(2).center());
        auto* details = m_window->findChild<SessionDetails*>();
        QVERIFY(details);
        QCOMPARE(details->entry().id, week.week().blocks.at(2).entry.id);
        details->close();
        QTest::keyClick(&week, Qt::Key_End);
        QTest::keyClick(&week, Qt::Key_Left);
        QCOMPARE(week.selected(), 11);
        QTest::keyClick(&week, Qt::Key_Return);
        QTRY_COMPARE(m_window->findChildren<SessionDetails*>().size(), 1);
        QCOMPARE(m_window->findChild<SessionDetails*>()->entry().id,
                 week.week().blocks.at(11).entry.id);

        find<QToolButton>(u"scopeMonth"_s)->click();
        CalendarMonthView& month = section().month();
        QVERIFY(month.isVisible());
        const int twentyFourth = int(month.month().first.dayOfWeek() - 1) + 23;
        QCOMPARE(month.month().days.at(twentyFourth).totalSeconds, (165 + 210) * 60.0);
        QTest::mouseClick(&month, Qt::LeftButton, {}, month.cellRect(twentyFourth).center());
        QCOMPARE(history().historyScope(), HistoryScope::day);
        QCOMPARE(history().historyLayout(), HistoryLayout::list);
        QCOMPARE(text(u"periodTitle"_s), u"Tuesday 24 February 2026"_s);
    }

    // "Edit project" renames the project of a heading; a number another
    // project holds is refused in the dialog.
    void editingAProject()
    {
        history().showPeriod(QDate(2026, 2, 23));
        auto* dialog = section().openProjectEditor(brandBook.serial);
        QVERIFY(dialog);
        auto* number = dialog->findChild<QLineEdit*>(u"projectNumber"_s);
        number->setText(website.serial);
        dialog->findChild<QPushButton*>(u"saveProject"_s)->click();
        auto* refusal = dialog->findChild<QLabel*>(u"projectRefusal"_s);
        QVERIFY(refusal->isVisibleTo(dialog));
        QVERIFY(refusal->text().startsWith(u"2302 is already Bakkerij de Vries — Website."_s));
        number->setText(brandBook.serial);
        dialog->findChild<QLineEdit*>(u"projectName"_s)->setText(u"Brand book 2026"_s);
        dialog->findChild<QPushButton*>(u"saveProject"_s)->click();
        QCOMPARE(text(u"statusText"_s), u"Updated Brand book 2026."_s);
    }

    // The export menu writes the sessions shown where the save dialog says.
    void exporting()
    {
        history().setHistoryScope(HistoryScope::week);
        history().showPeriod(QDate(2026, 2, 25));
        QTemporaryDir folder;
        const QString file = folder.filePath(u"week.csv"_s);
        m_books->platform.desktop->answers.enqueue(file);
        find<QToolButton>(u"exportButton"_s)
            ->menu()
            ->findChild<QAction*>(u"exportCsv"_s)
            ->trigger();
        QCOMPARE(m_books->platform.desktop->asked.constLast().title, u"Export tracked time"_s);
        QCOMPARE(text(u"statusText"_s), u"Exported 13 sessions."_s);
        QCOMPARE(m_books->platform.desktop->revealed.constLast(), file);
        QCOMPARE(find<QToolButton>(u"exportButton"_s)->toolTip(),
                 u"Save tracked time to a file on this computer"_s);
    }

    // Tab walks the controls in reading order and reaches the sessions (a
    // group of choices is one stop, its arrows choose); Return on a project's
    // heading offers its actions.
    void keyboardAlone()
    {
        history().showPeriod(QDate(2026, 2, 23));
        find<QToolButton>(u"previousPeriod"_s)->setFocus();
        QStringList visited;
        for (int i = 0; i < 8 && QApplication::focusWidget(); ++i) {
            visited.append(QApplication::focusWidget()->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited,
                 (QStringList{u"previousPeriod"_s, u"nextPeriod"_s, u"present"_s, u"scopeDay"_s,
                              u"layoutList"_s, u"exportButton"_s, u"historyList"_s, u"sidebar"_s}));
        find<QToolButton>(u"scopeDay"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(history().historyScope(), HistoryScope::week);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(history().historyScope(), HistoryScope::day);

        HistoryList& list = section().list();
        list.setCurrentIndex(list.model()->index(0, 0));
        QTimer::singleShot(0, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QStringList actions;
            for (QAction* action : menu->actions())
                actions.append(action->text());
            QCOMPARE(actions, (QStringList{u"Edit project"_s, u"Delete these sessions"_s}));
            menu->close();
        });
        QTest::keyClick(&list, Qt::Key_Return);
    }

    // The card says what the controller's upload control says, shows that an
    // upload runs, and once the file is on the share, shows it in Files.
    void uploadCard()
    {
        const auto shown = [](QWidget& card) {
            const auto label = [&](const QString& name) {
                auto* l = card.findChild<QLabel*>(name);
                return l->isVisibleTo(&card) ? l->text() : QString();
            };
            return QStringList{label(u"uploadCaption"_s), label(u"uploadHelp"_s),
                               card.findChild<QPushButton*>(u"uploadButton"_s)->text()};
        };
        // Its words without a studio folder are the control's; the button is off.
        HistoryUploadCard local(model());
        QVERIFY(!local.findChild<QPushButton*>(u"uploadButton"_s)->isEnabled());

        // Books that share, by hand, without loops of their own.
        QTemporaryDir studio;
        const Administration shared = named(u"Studio"_s);
        AppSettings::saveAdministrations({Administration::fallback(), shared}, m_books->defaults);
        AppSettings::setCurrentAdministration(shared.id, m_books->defaults);
        {
            AppSettings settings(shared.id, m_books->defaults);
            settings.setMachineName(u"Anna"_s);
            settings.setSharedFolderPath(studio.path());
            settings.setSharedSyncEnabled(true);
            settings.setAutoUploadEnabled(false);
        }
        AppModel sharing(m_books->defaults, m_books->clock, m_books->platform);
        sharing.books().setRunsBackgroundWork(false);
        sharing.bootstrap();
        sharing.books().store()->save(session(utc(2026, 3, 2, 7), 30));
        sharing.books().store()->save(running(utc(2026, 3, 2, 8)));
        sharing.books().reloadTracker();
        HistoryUploadCard card(sharing);
        QCOMPARE(shown(card),
                 (QStringList{u"1 session · not uploaded"_s,
                              u"This sends it now — writes Anna/2026/weeks/2026-W10.csv. The "
                              "running timer is left out. Stop it first to include it."_s,
                              u"Upload week"_s}));
        auto* reveal = card.findChild<QPushButton*>(u"showUploadedFile"_s);
        QVERIFY(!reveal->isVisibleTo(&card));
        card.setFixedWidth(820);
        saveScreenshots(card, u"history-upload-never"_s);

        card.findChild<QPushButton*>(u"uploadButton"_s)->click();
        QVERIFY(card.findChild<QWidget*>(u"uploadBusy"_s)->isVisibleTo(&card));
        QVERIFY(!card.findChild<QPushButton*>(u"uploadButton"_s)->isEnabled());
        QTRY_VERIFY(reveal->isVisibleTo(&card));
        QVERIFY(!card.findChild<QWidget*>(u"uploadBusy"_s)->isVisibleTo(&card));
        QVERIFY(shown(card).at(0).startsWith(u"Uploaded "_s));
        QCOMPARE(shown(card).at(2), u"Upload again"_s);
        saveScreenshots(card, u"history-upload-done"_s);
        reveal->click();
        QVERIFY(m_books->platform.desktop->revealed.constLast().endsWith(
            u"/.zol/hours/Anna/2026/weeks/2026-W10.csv"_s));
        QThreadPool::globalInstance()->waitForDone();
    }

    void pictures()
    {
        const auto take = [&](const QString& name, HistoryScope scope, HistoryLayout layout,
                              QDate day) {
            history().setHistoryScope(scope);
            history().setHistoryLayout(layout);
            history().showPeriod(day);
            saveScreenshots(*m_window, name);
        };
        take(u"history-day"_s, HistoryScope::day, HistoryLayout::list, QDate(2026, 2, 23));
        take(u"history-today"_s, HistoryScope::day, HistoryLayout::list, QDate(2026, 3, 2));
        take(u"history-week-list"_s, HistoryScope::week, HistoryLayout::list, QDate(2026, 2, 25));
        take(u"history-week-calendar"_s, HistoryScope::week, HistoryLayout::calendar,
             QDate(2026, 2, 25));
        take(u"history-week-calendar-now"_s, HistoryScope::week, HistoryLayout::calendar,
             QDate(2026, 3, 2));
        take(u"history-month-calendar"_s, HistoryScope::month, HistoryLayout::calendar,
             QDate(2026, 2, 25));
        take(u"history-empty-day"_s, HistoryScope::day, HistoryLayout::list, QDate(2026, 2, 21));
        take(u"history-empty-month"_s, HistoryScope::month, HistoryLayout::list,
             QDate(2025, 11, 2));

        history().setHistoryScope(HistoryScope::week);
        history().setHistoryLayout(HistoryLayout::list);
        history().showPeriod(QDate(2026, 2, 25));
        history().deleteEntries({m_sample->lastWeek.at(2).id});
        saveScreenshots(*m_window, u"history-deleted-undo"_s);
        auto* details = section().openDetails(m_sample->lastWeek.at(3));
        saveScreenshots(*details, u"history-details"_s);
        details->findChild<QPushButton*>(u"editSession"_s)->click();
        auto* editor = m_window->findChild<SessionEditor*>();
        QVERIFY(editor);
        editor->findChild<QTimeEdit*>(u"from"_s)->setTime(QTime(12, 0));
        saveScreenshots(*editor, u"history-editor-refused"_s);
        editor->close();

        Books fresh;
        MainWindow window(*fresh.model);
        window.setFixedSize(1100, 720);
        saveScreenshots(window, u"history-nothing-yet"_s);
    }
};

QTEST_MAIN(TestHistorySection)
#include "tst_history_section.moc"
