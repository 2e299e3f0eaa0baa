// What a screen reader finds: every control a person can operate in the main
// window's sections and in the panel has a name and the role of what it
// does, walked through Qt's accessibility tree, which the desktop's AT-SPI
// bridge hands on as it is.

#include "AppModel.h"
#include "Books.h"
#include "HistoryModel.h"
#include "SampleBooks.h"
#include "WindowSection.h"
#include "tray/PanelView.h"
#include "window/CalendarWeekView.h"
#include "window/HistoryList.h"
#include "window/HistoryListModel.h"
#include "window/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

namespace {

bool operable(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::Link:
        return true;
    default:
        return false;
    }
}

// Where an interface sits, for the failure message: its object names up the
// widget tree.
QString placeOf(QAccessibleInterface* iface)
{
    QStringList names;
    for (QObject* o = iface->object(); o; o = o->parent()) {
        if (!o->objectName().isEmpty())
            names.prepend(o->objectName());
        else
            names.prepend(QString::fromLatin1(o->metaObject()->className()));
        if (names.size() == 4)
            break;
    }
    return names.join(u'/');
}

struct Walk
{
    int operable = 0;
    QStringList nameless;
    QStringList checkBoxes;
};

void walk(QAccessibleInterface* iface, Walk& found, int depth = 0)
{
    if (!iface || depth > 60)
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    if (operable(iface->role())) {
        ++found.operable;
        if (iface->text(QAccessible::Name).trimmed().isEmpty())
            found.nameless.append(placeOf(iface) + u" ("_s + QString::number(iface->role(), 16) +
                                  u')');
        if (iface->role() == QAccessible::CheckBox)
            found.checkBoxes.append(iface->text(QAccessible::Name));
    }
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), found, depth + 1);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<SampleBooks> m_sample;

    AppModel& model() { return *m_books->model; }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_sample = std::make_unique<SampleBooks>(*m_books);
    }
    void cleanup()
    {
        m_sample.reset();
        m_books.reset();
    }

    void everyControlOfTheWindowHasAName()
    {
        MainWindow window(model());
        window.setFixedSize(1200, 800);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Walk found;
        for (const WindowSection& section : windowSections()) {
            model().setWindowSection(section.id);
            QCoreApplication::processEvents();
            Walk here;
            walk(QAccessible::queryAccessibleInterface(&window), here);
            found.operable += here.operable;
            for (const QString& n : std::as_const(here.nameless))
                found.nameless.append(section.id + u": "_s + n);
            for (const QString& n : std::as_const(here.checkBoxes))
                found.checkBoxes.append(section.id + u": "_s + n);
        }
        qInfo() << found.operable << "operable controls";
        found.nameless.removeDuplicates();
        QVERIFY2(found.nameless.isEmpty(), qPrintable(found.nameless.join(u"\n"_s)));
        // The check boxes are the settings that are switched on or off;
        // every choice of one among several is a radio button.
        QCOMPARE(found.checkBoxes, (QStringList{u"tasks: Record a task with every session"_s,
                                                u"general: Start Zol when I log in"_s,
                                                u"general: Remind me while a timer is running"_s,
                                                u"general: Notice when I have been away"_s,
                                                u"general: Count a locked screen as away"_s,
                                                u"general: Start and pause with Super+Alt+T"_s}));
    }

    // History's rows carry their painted buttons as actions: a project's
    // heading reads Resume, Edit project and the delete, a session opens its
    // details or is deleted, and an action does what the button does.
    void historyRowsActAsTheirButtons()
    {
        MainWindow window(model());
        window.setFixedSize(1200, 800);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        model().history()->showPeriod(QDate(2026, 2, 23));
        auto* list = window.findChild<HistoryList*>();
        QVERIFY(list);
        QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(list);
        QCOMPARE(rows->role(), QAccessible::List);
        QCOMPARE(rows->childCount(), list->model()->rowCount());
        int heading = -1;
        int session = -1;
        for (int i = 0; i < rows->childCount(); ++i) {
            const HistoryListModel::Kind kind = list->listModel().kind(i);
            if (heading < 0 && kind == HistoryListModel::Kind::group)
                heading = i;
            if (session < 0 && kind == HistoryListModel::Kind::session)
                session = i;
        }
        QAccessibleInterface* headingRow = rows->child(heading);
        QCOMPARE(headingRow->role(), QAccessible::ListItem);
        QCOMPARE(headingRow->text(QAccessible::Name),
                 list->model()->index(heading, 0).data(Qt::AccessibleTextRole).toString());
        QVERIFY(!headingRow->text(QAccessible::Name).isEmpty());
        QCOMPARE(rows->indexOfChild(headingRow), heading);
        QCOMPARE(headingRow->actionInterface()->actionNames(),
                 (QStringList{u"Edit project"_s, u"Delete these sessions"_s}));
        QCOMPARE(rows->child(session)->actionInterface()->actionNames(),
                 (QStringList{u"Open details"_s, u"Delete this session"_s}));

        const qsizetype before = model().history()->historyEntries().size();
        const int sessions = int(list->listModel().group(heading).entries.size());
        headingRow->actionInterface()->doAction(u"Delete these sessions"_s);
        QCOMPARE(model().history()->historyEntries().size(), before - sessions);
    }

    // The week calendar's blocks are items a screen reader can reach, each
    // with its day, time, work and length, opened by their action.
    void weekBlocksAreItems()
    {
        MainWindow window(model());
        window.setFixedSize(1200, 800);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        model().history()->setHistoryScope(HistoryScope::week);
        model().history()->setHistoryLayout(HistoryLayout::calendar);
        model().history()->showPeriod(QDate(2026, 2, 23));
        auto* week = window.findChild<CalendarWeekView*>();
        QVERIFY(week);
        QAccessibleInterface* blocks = QAccessible::queryAccessibleInterface(week);
        QCOMPARE(blocks->text(QAccessible::Name), u"Week calendar"_s);
        QCOMPARE(blocks->childCount(), int(week->week().blocks.size()));
        QVERIFY(blocks->childCount() > 3);
        QAccessibleInterface* first = blocks->child(0);
        QCOMPARE(first->role(), QAccessible::ListItem);
        QCOMPARE(first->text(QAccessible::Name),
                 u"Mon 23 Feb, 09:00 – 10:30, 2301 Brand book, 1h 30m"_s);
        QCOMPARE(first->rect().size(), week->blockRect(0).size());
        QSignalSpy opened(week, &CalendarWeekView::sessionOpened);
        first->actionInterface()->doAction(u"Open details"_s);
        QCOMPARE(opened.count(), 1);
        week->select(2);
        QCOMPARE(blocks->focusChild(), blocks->child(2));
    }

    void everyControlOfThePanelHasAName()
    {
        PanelView view(model());
        view.prepareToShow();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        Walk found;
        walk(QAccessible::queryAccessibleInterface(&view), found);
        QVERIFY2(found.nameless.isEmpty(), qPrintable(found.nameless.join(u"\n"_s)));
        QVERIFY(found.operable > 10);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
