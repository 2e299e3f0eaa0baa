// The Tasks section on screen: "General" fixed first, adding from the field,
// moving and removing by each row's buttons, and the refusals of the list's
// rules shown under it.

#include "Books.h"
#include "Screenshots.h"
#include "window/MainWindow.h"
#include "window/TasksSection.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestTasksSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    QWidget& section() { return *m_window->section(u"tasks"_s); }
    template <typename T = QWidget> T* find(const QString& name, QObject* in = nullptr)
    {
        T* found = (in ? in : &section())->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    // The names in the list as shown, top to bottom.
    QStringList shown()
    {
        QStringList names;
        for (const QLabel* name : find(u"taskList"_s)->findChildren<QLabel*>(u"taskName"_s)) {
            if (name->isVisible())
                names.append(name->text());
        }
        return names;
    }
    void click(const QString& row, const QString& button)
    {
        QTest::mouseClick(find<QAbstractButton>(button, find(row)), Qt::LeftButton);
    }
    QString refusal() { return find<QLabel>(u"taskRefusal"_s)->text(); }
    // On its box: a check box reaches across the page, its label does not.
    void toggle(const QString& name)
    {
        auto* box = find<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_window = std::make_unique<MainWindow>(model());
        m_window->setFixedSize(1000, 640);
        model().setWindowSection(u"tasks"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_books.reset();
    }

    void editingTheList()
    {
        QCOMPARE(shown(), QStringList{u"General"_s});
        QVERIFY(find(u"alwaysThere"_s)->isVisible());
        saveScreenshots(*m_window, u"tasks-empty"_s);

        // Tasks cannot be switched on without one of the person's own.
        toggle(u"recordTasks"_s);
        QVERIFY(!find<QCheckBox>(u"recordTasks"_s)->isChecked());
        QCOMPARE(refusal(),
                 u"Add at least one task below first. General is always there as well."_s);

        auto* field = find<QLineEdit>(u"newTask"_s);
        QCOMPARE(field->placeholderText(), u"Add a task, like Editing logos"_s);
        QTest::keyClicks(field, u"general"_s);
        QVERIFY(!find(u"addTask"_s)->isEnabled());
        field->clear();
        for (const QString& task : {u"Editing logos"_s, u"Sketching"_s, u"Print checks"_s}) {
            QTest::keyClicks(field, task);
            QTest::keyClick(field, Qt::Key_Return);
        }
        QVERIFY(field->text().isEmpty());
        QVERIFY(find<QLabel>(u"taskRefusal"_s)->isHidden());
        toggle(u"recordTasks"_s);
        QVERIFY(model().books().taskList().isEnabled());

        click(u"task_Print_checks"_s, u"moveUp"_s);
        QCOMPARE(shown(), (QStringList{u"General"_s, u"Editing logos"_s, u"Print checks"_s,
                                       u"Sketching"_s}));
        QVERIFY(!find(u"moveDown"_s, find(u"task_Sketching"_s))->isEnabled());
        QVERIFY(!find(u"moveUp"_s, find(u"task_Editing_logos"_s))->isEnabled());
        saveScreenshots(*m_window, u"tasks-list"_s);

        click(u"task_Sketching"_s, u"removeTask"_s);
        click(u"task_Print_checks"_s, u"removeTask"_s);
        click(u"task_Editing_logos"_s, u"removeTask"_s);
        QCOMPARE(refusal(), u"Switch tasks off first: while they are on there has to be at least "
                            u"one of your own."_s);
        QCOMPARE(model().books().taskList().tasks(), QStringList{u"Editing logos"_s});
        saveScreenshots(*m_window, u"tasks-refused"_s);
    }
};

QTEST_MAIN(TestTasksSection)
#include "tst_taskssection.moc"
