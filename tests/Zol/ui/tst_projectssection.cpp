// The Projects section on screen: its three empty states, the filter, sort
// and search driving the list, the new-project sheet with its refusal in the
// catalogue's words, and the row actions from a click, a key and the
// context menu's actions.

#include "Books.h"
#include "CatalogueModel.h"
#include "ProjectsList.h"
#include "Screenshots.h"
#include "window/CatalogueRowDelegate.h"
#include "window/MainWindow.h"
#include "window/ProjectSheet.h"
#include "window/ProjectsSection.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestProjectsSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    ProjectsSection& section()
    {
        return *qobject_cast<ProjectsSection*>(m_window->section(u"projects"_s));
    }
    template <typename T = QWidget> T* find(const QString& name, QObject* in = nullptr)
    {
        T* found = (in ? in : &section())->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QStringList names()
    {
        QStringList result;
        for (const ProjectsList::Row& row : section().list().rows())
            result.append(row.project.name);
        return result;
    }

    void fillCatalogue()
    {
        const QList<Project> projects{
            project(u"2301"_s, u"Brand book"_s, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1)),
            project(u"2302"_s, u"Website relaunch"_s, u"Bolt"_s, utc(2026, 1, 2), utc(2026, 1, 2)),
            project(u"2310"_s, u"Menu cards"_s, u"Café Noord"_s, utc(2026, 2, 1), utc(2026, 2, 1)),
            project(u"1999"_s, u"Éclair packaging"_s, u"Patisserie Lune"_s, utc(2025, 1, 1),
                    utc(2025, 1, 1), false),
            Project::local(u"Poster draft"_s, u"Acme"_s, utc(2026, 2, 20)),
        };
        for (const Project& p : projects)
            m_books->store().addManualProject(p);
        m_books->store().save(session(utc(2026, 2, 26, 9), 190, u"2301"_s));
        m_books->store().save(
            session(utc(2026, 3, 1, 9), 300, u"2302"_s, u"Website relaunch"_s, u"Bolt"_s));
        m_books->store().save(session(utc(2025, 6, 1, 9), 60, u"1999"_s, u"Éclair packaging"_s,
                                      u"Patisserie Lune"_s));
        model().catalogue()->reloadAllProjects();
    }

    void showSection()
    {
        m_window->setFixedSize(1120, 760);
        model().setWindowSection(u"projects"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    ProjectSheet* sheet() { return section().findChild<ProjectSheet*>(u"projectSheet"_s); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_window = std::make_unique<MainWindow>(model());
    }
    void cleanup()
    {
        m_window.reset();
        m_books.reset();
    }

    void emptyStates_data()
    {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("title");
        QTest::newRow("no projects") << false << u"filterActive"_s << u"No projects yet"_s;
        QTest::newRow("nothing archived") << true << u"filterArchived"_s << u"Nothing archived"_s;
        QTest::newRow("every one used")
            << true << u"filterUnused"_s << u"Every project has been used"_s;
    }

    void emptyStates()
    {
        QFETCH(bool, filled);
        QFETCH(QString, filter);
        if (filled) {
            fillCatalogue();
            // Nothing archived, nothing unused.
            m_books->store().setProjectActive(u"1999"_s, true);
            m_books->store().save(session(utc(2026, 2, 27, 9), 60, u"2310"_s));
            for (const Project& p : model().catalogue()->allProjects()) {
                if (p.needsNumber())
                    m_books->store().deleteProject(p.serial);
            }
            model().catalogue()->reloadAllProjects();
        }
        showSection();
        QTest::mouseClick(find<QAbstractButton>(filter), Qt::LeftButton);
        QVERIFY(!find(u"projectList"_s)->isVisible());
        QTEST(find<QLabel>(u"emptyTitle"_s)->text(), "title");
        saveScreenshots(*m_window,
                        u"projects-empty-"_s +
                            QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
    }

    void filterSortAndSearch()
    {
        fillCatalogue();
        showSection();
        QCOMPARE(names(), (QStringList{u"Website relaunch"_s, u"Brand book"_s, u"Poster draft"_s,
                                       u"Menu cards"_s}));
        saveScreenshots(*m_window, u"projects-list"_s);
        auto* sort = find<QComboBox>(u"projectSort"_s);
        sort->setCurrentIndex(sort->findText(u"Client"_s));
        QCOMPARE(names(), (QStringList{u"Brand book"_s, u"Poster draft"_s, u"Website relaunch"_s,
                                       u"Menu cards"_s}));
        QTest::keyClicks(find<QLineEdit>(u"projectSearch"_s), u"cafe"_s);
        QCOMPARE(names(), QStringList{u"Menu cards"_s});
        QTest::mouseClick(find<QAbstractButton>(u"filterArchived"_s), Qt::LeftButton);
        QCOMPARE(find<QLabel>(u"emptyTitle"_s)->text(), u"No match"_s);
        find<QLineEdit>(u"projectSearch"_s)->clear();
        QCOMPARE(names(), QStringList{u"Éclair packaging"_s});
        saveScreenshots(*m_window, u"projects-archived"_s, [this] {
            find<QListView>(u"projectList"_s)
                ->setCurrentIndex(find<QListView>(u"projectList"_s)->model()->index(0, 0));
        });
    }

    void rowActions()
    {
        fillCatalogue();
        showSection();
        auto* view = find<QListView>(u"projectList"_s);

        // A click on the row's archive button.
        const QModelIndex first = view->model()->index(0, 0);
        view->setCurrentIndex(first);
        const QRect archive = CatalogueRowDelegate::buttonRect(view->visualRect(first), 1, 3);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, archive.center());
        QCOMPARE(m_books->said(), u"Archived Website relaunch."_s);
        QVERIFY(!names().contains(u"Website relaunch"_s));

        // The keyboard: Delete takes the current one out of the picker.
        view->setFocus();
        view->setCurrentIndex(view->model()->index(0, 0));
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(m_books->said(), u"Removed Brand book from the picker. Its hours stay in the "
                                  u"history."_s);

        // Archived ones offer "Put back in the picker" instead.
        QTest::mouseClick(find<QAbstractButton>(u"filterArchived"_s), Qt::LeftButton);
        QCOMPARE(names(), (QStringList{u"Website relaunch"_s, u"Éclair packaging"_s}));
        view->setCurrentIndex(view->model()->index(1, 0));
        QVERIFY(!find<QAction>(u"archiveProject"_s)->isEnabled());
        find<QAction>(u"putBackProject"_s)->trigger();
        QCOMPARE(m_books->said(), u"Éclair packaging is back in the picker."_s);
        QCOMPARE(names(), QStringList{u"Website relaunch"_s});
    }

    void newProjectSheet()
    {
        fillCatalogue();
        showSection();
        QTest::mouseClick(find<QPushButton>(u"newProject"_s), Qt::LeftButton);
        QVERIFY(sheet());
        QCOMPARE(find<QLineEdit>(u"projectNumber"_s, sheet())->text(), QString());
        QVERIFY(!find<QPushButton>(u"saveProject"_s, sheet())->isEnabled());
        QTest::keyClicks(find<QLineEdit>(u"projectNumber"_s, sheet()), u" 2301 "_s);
        QTest::keyClicks(find<QLineEdit>(u"projectName"_s, sheet()), u"Annual report"_s);
        QTest::keyClicks(find<QLineEdit>(u"projectClient"_s, sheet()), u"Acme"_s);
        QTest::mouseClick(find<QPushButton>(u"saveProject"_s, sheet()), Qt::LeftButton);
        // Refused in the catalogue's words; the sheet stays with what was typed.
        QVERIFY(sheet()->isVisible());
        QCOMPARE(find<QLabel>(u"projectRefusal"_s, sheet())->text(),
                 u"2301 is already Acme — Brand book. Pick it from the list, or use a different "
                 u"number."_s);
        saveScreenshots(*sheet(), u"projects-new-refused"_s);

        find<QLineEdit>(u"projectNumber"_s, sheet())->setText(u"2311"_s);
        QTest::mouseClick(find<QPushButton>(u"saveProject"_s, sheet()), Qt::LeftButton);
        QTRY_VERIFY(!sheet());
        QVERIFY(names().contains(u"Annual report"_s));

        // Books that number by themselves offer the next number.
        Administration numbered = model().books().administration();
        numbered.numbering = Administration::Numbering::automatic({u"23"_s, false, 2});
        model().books().updateAdministration(numbered);
        QTest::mouseClick(find<QPushButton>(u"newProject"_s), Qt::LeftButton);
        QCOMPARE(find<QLineEdit>(u"projectNumber"_s, sheet())->text(), u"2312"_s);
        saveScreenshots(*sheet(), u"projects-new-numbered"_s);
    }

    void editSheet()
    {
        fillCatalogue();
        showSection();
        auto* view = find<QListView>(u"projectList"_s);
        view->setCurrentIndex(view->model()->index(2, 0)); // Poster draft, no number yet
        find<QAction>(u"editProject"_s)->trigger();
        auto* number = find<QLineEdit>(u"projectNumber"_s, sheet());
        QCOMPARE(number->text(), QString());
        QCOMPARE(find<QLineEdit>(u"projectName"_s, sheet())->text(), u"Poster draft"_s);
        number->setText(u"2320"_s);
        QTest::mouseClick(find<QPushButton>(u"saveProject"_s, sheet()), Qt::LeftButton);
        QCOMPARE(m_books->said(), u"Updated Poster draft."_s);
        QVERIFY(model().catalogue()->projectHolding(u"2320"_s));
    }
};

QTEST_MAIN(TestProjectsSection)
#include "tst_projectssection.moc"
