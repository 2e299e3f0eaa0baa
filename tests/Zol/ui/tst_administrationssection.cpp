// The Administrations section on screen: adding books through the editor
// with its numbering preview following every change, opening and removing
// books, and the emptying confirmation whose "Empty it" stays disabled until
// the books' name is typed exactly.

#include "Books.h"
#include "Screenshots.h"
#include "window/AdministrationEditor.h"
#include "window/AdministrationsSection.h"
#include "window/ConfirmSheet.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestAdministrationsSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    AdministrationsSection& section()
    {
        return *qobject_cast<AdministrationsSection*>(m_window->section(u"administrations"_s));
    }
    template <typename T = QWidget> T* find(const QString& name, QObject* in = nullptr)
    {
        T* found = (in ? in : &section())->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QWidget* row(const Administration& books) { return find(u"books_"_s + books.id); }
    AdministrationEditor* editor()
    {
        return section().findChild<AdministrationEditor*>(u"administrationEditor"_s);
    }
    QString preview() { return find<QLabel>(u"numberPreview"_s, editor())->text(); }
    QAction* menuAction(const Administration& books, const QString& name)
    {
        return find<QToolButton>(u"moreBooks"_s, row(books))->menu()->findChild<QAction*>(name);
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_window = std::make_unique<MainWindow>(model());
        m_window->setFixedSize(1000, 640);
        model().setWindowSection(u"administrations"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_books.reset();
    }

    void addingWithAPreview()
    {
        QTest::mouseClick(find<QPushButton>(u"addAdministration"_s), Qt::LeftButton);
        QVERIFY(editor());
        auto* save = find<QPushButton>(u"saveBooks"_s, editor());
        QVERIFY(!save->isEnabled());
        QTest::keyClicks(find<QLineEdit>(u"booksName"_s, editor()), u"Studio Noord"_s);
        QVERIFY(save->isEnabled());

        // The preview follows every field of the scheme.
        auto* automatic = find<QRadioButton>(u"numberAutomatically"_s, editor());
        QTest::mouseClick(automatic, Qt::LeftButton, {}, QPoint(8, automatic->height() / 2));
        QCOMPARE(preview(), u"The next number would be 2600001"_s);
        QTest::keyClicks(find<QLineEdit>(u"numberPrefix"_s, editor()), u"P-"_s);
        QCOMPARE(preview(), u"The next number would be P-2600001"_s);
        find<QSpinBox>(u"numberDigits"_s, editor())->setValue(3);
        QCOMPARE(preview(), u"The next number would be P-26001"_s);
        auto* year = find<QCheckBox>(u"includeYear"_s, editor());
        QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(8, year->height() / 2));
        QCOMPARE(preview(), u"The next number would be P-001"_s);
        saveScreenshots(*editor(), u"administrations-editor"_s);

        QTest::mouseClick(save, Qt::LeftButton);
        QTRY_VERIFY(!editor());
        const Administration added = model().books().administrations().constLast();
        QCOMPARE(added.name, u"Studio Noord"_s);
        QCOMPARE(added.numbering.scheme()->pattern(), u"P-{000}"_s);
        QCOMPARE(find<QLabel>(u"booksSubtitle"_s, row(added))->text(), u"Numbers like P-001"_s);
        QCOMPARE(model().books().administration().name, u"Local"_s);
        saveScreenshots(*m_window, u"administrations-list"_s);

        // Opening it, then taking it out of the list again.
        QTest::mouseClick(find<QPushButton>(u"openBooks"_s, row(added)), Qt::LeftButton);
        QCOMPARE(model().books().administration().id, added.id);
        QVERIFY(!find<QPushButton>(u"openBooks"_s, row(added))->isEnabled());
        QVERIFY(!menuAction(model().books().administrations().constFirst(), u"removeBooks"_s));
        menuAction(added, u"removeBooks"_s)->trigger();
        auto* sheet = find<ConfirmSheet>(u"removeSheet"_s);
        QCOMPARE(find<QLabel>(u"question"_s, sheet)->text(),
                 u"Remove Studio Noord from the list?"_s);
        QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
        QCOMPARE(model().books().administrations().size(), 1);
        QCOMPARE(model().books().administration().name, u"Local"_s);
    }

    void emptyingAsksForTheName()
    {
        const Administration books = named(u"Studio Noord"_s);
        model().books().addAdministration(books);
        model().switchTo(books);
        m_books->store().save(session(utc(2026, 3, 2, 8), 45));

        menuAction(books, u"emptyBooks"_s)->trigger();
        auto* sheet = find<ConfirmSheet>(u"emptySheet"_s);
        QCOMPARE(find<QLabel>(u"question"_s, sheet)->text(),
                 u"Empty Studio Noord on this computer?"_s);
        QPushButton* emptyIt = sheet->confirmButton();
        QCOMPARE(emptyIt->text(), u"Empty it"_s);
        auto* typed = find<QLineEdit>(u"confirmName"_s, sheet);
        QVERIFY(!emptyIt->isEnabled());
        QTest::keyClicks(typed, u"studio noord"_s);
        QVERIFY(!emptyIt->isEnabled());
        typed->clear();
        QTest::keyClicks(typed, u"Studio Noor"_s);
        QVERIFY(!emptyIt->isEnabled());
        saveScreenshots(*sheet, u"administrations-empty"_s);
        QTest::keyClicks(typed, u"d "_s);
        QVERIFY(emptyIt->isEnabled());
        // Return cancels rather than empties.
        QTest::keyClick(typed, Qt::Key_Return);
        QVERIFY(sheet->isHidden());
        QVERIFY(!m_books->store().entries(utc(2026, 3, 1), utc(2026, 3, 3)).isEmpty());

        menuAction(books, u"emptyBooks"_s)->trigger();
        sheet = section().findChildren<ConfirmSheet*>(u"emptySheet"_s).constLast();
        QTest::keyClicks(find<QLineEdit>(u"confirmName"_s, sheet), u"Studio Noord"_s);
        QTest::mouseClick(sheet->confirmButton(), Qt::LeftButton);
        // Backed up first, on a worker.
        QTRY_VERIFY(m_books->said().startsWith(
            u"Emptied Studio Noord on this computer. The studio folder is untouched. The backup "
            "taken first is "_s));
        QVERIFY(m_books->store().entries(utc(2026, 3, 1), utc(2026, 3, 3)).isEmpty());
    }

    void localKeepsLocal()
    {
        const Administration local = model().books().administration();
        QTest::mouseClick(find<QPushButton>(u"editBooks"_s, row(local)), Qt::LeftButton);
        auto* keeps = find<QCheckBox>(u"keepsLocal"_s, editor());
        QVERIFY(keeps->isChecked() && !keeps->isEnabled());
        find<QLineEdit>(u"booksName"_s, editor())->setText(u"My own"_s);
        QTest::mouseClick(find<QPushButton>(u"saveBooks"_s, editor()), Qt::LeftButton);
        QCOMPARE(model().books().administration().name, u"My own"_s);
        QVERIFY(model().books().administration().keepsLocal);
    }
};

QTEST_MAIN(TestAdministrationsSection)
#include "tst_administrationssection.moc"
