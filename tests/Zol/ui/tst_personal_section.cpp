// The Personal section: the name as typed becomes the folder timesheets are
// filed under ("Onbekend" without one), the identifier and the database's
// place, "Show database in Files", the counts, "Export everything…", and the
// backups.

#include "Books.h"
#include "SampleBooks.h"
#include "Screenshots.h"
#include "books/AppSettings.h"
#include "window/MainWindow.h"
#include "window/PersonalSection.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestPersonalSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<MainWindow> m_window;

    template <typename T = QLabel> T* find(const QString& name)
    {
        return m_window->findChild<T*>(name);
    }
    QString text(const QString& name) { return find(name)->text(); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        SampleBooks sample(*m_books);
        m_books->model->books().settings()->setMachineName(u"Anna"_s);
        m_window = std::make_unique<MainWindow>(*m_books->model);
        m_window->setFixedSize(1100, 760);
        m_books->model->showWindow(u"personal"_s);
        m_window->present();
    }
    void cleanup()
    {
        m_window.reset();
        m_books.reset();
    }

    void nameAndWhereTimesheetsGo_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("note");
        const QString claimed = u"Claimed by this computer, so the name is yours on the share."_s;
        QTest::newRow("a full name") << u"Anna Smit"_s << u"Anna-Smit"_s << claimed;
        QTest::newRow("accents and signs") << u"Zoë  & co"_s << u"Zoë-co"_s << claimed;
        QTest::newRow("no name") << QString() << u"Onbekend"_s
                                 << u"Without a name your timesheets are filed under “Onbekend”."_s;
    }

    void nameAndWhereTimesheetsGo()
    {
        QFETCH(QString, typed);
        auto* name = find<QLineEdit>(u"personName"_s);
        QCOMPARE(name->text(), u"Anna"_s);
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Delete);
        // Typed one character at a time, accents included.
        for (const QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(m_books->model->books().settings()->machineName(), typed.trimmed());
        QTEST(text(u"filedUnder"_s), "folder");
        QTEST(text(u"filedUnderNote"_s), "note");
    }

    // What cannot be a name is not saved: the name saved before stays, and
    // the field says why until what is typed can be kept.
    void aRefusedNameKeepsTheOldOne()
    {
        auto* name = find<QLineEdit>(u"personName"_s);
        name->setText(QString(200, u'a'));
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, u"b"_s, Qt::NoModifier);
        QCOMPARE(m_books->model->books().settings()->machineName(), u"Anna"_s);
        QVERIFY(find(u"personNameRefusal"_s)->isVisible());
        QCOMPARE(text(u"personNameRefusal"_s),
                 u"The name timesheets are filed under is 201 characters long; the most is 200."_s);
        QCOMPARE(name->text().size(), 201); // what was typed stays to be put right
        QTest::keyClick(name, Qt::Key_Backspace);
        QCOMPARE(m_books->model->books().settings()->machineName(), QString(200, u'a'));
        QVERIFY(!find(u"personNameRefusal"_s)->isVisible());
    }

    void thisComputerAndItsBooks()
    {
        QCOMPARE(text(u"machineId"_s), m_books->model->books().settings()->machineId());
        find<QPushButton>(u"revealDatabase"_s)->click();
        QCOMPARE(m_books->platform.desktop->revealed, QStringList{m_books->store().path()});
        QCOMPARE(text(u"sessionsTracked"_s), u"19"_s);
        QCOMPARE(text(u"firstTracked"_s), u"Monday 9 February 2026"_s);
        // The running session counts up to now: 45 minutes at 09:00.
        QCOMPARE(text(u"trackedInTotal"_s), u"45h 30m"_s);

        find<QToolButton>(u"exportEverything"_s)
            ->menu()
            ->findChild<QAction*>(u"exportEverythingJson"_s)
            ->trigger();
        QCOMPARE(m_books->platform.desktop->asked.constLast().contentType, u"application/json"_s);
    }

    // The newest backup, shown in Files, and put back after asking.
    void backups()
    {
        // The sample's first session asked for a copy of the books before it.
        QThreadPool::globalInstance()->waitForDone();
        m_window->findChild<PersonalSection*>()->refresh();
        QCOMPARE(text(u"lastBackup"_s).left(19), u"Monday 2 March 2026"_s);
        QVERIFY(text(u"backupNote"_s).startsWith(u"Taken before the first change of each day"_s));
        find<QPushButton>(u"showBackups"_s)->click();
        QVERIFY(m_books->platform.desktop->revealed.constLast().endsWith(
            u"/Zol/backups/zol-2026-03-02.sqlite3"_s));

        auto* restore = find<QToolButton>(u"restoreBackup"_s);
        QVERIFY(restore->isEnabled());
        restore->menu()->findChild<QAction*>(u"restore-2026-03-02"_s)->trigger();
        auto* sheet = m_window->findChild<QDialog*>(u"restoreSheet"_s);
        QVERIFY(sheet);
        QCOMPARE(sheet->findChild<QLabel*>(u"question"_s)->text(),
                 u"Restore Local to Monday 2 March 2026?"_s);
        QCOMPARE(sheet->findChild<QLabel*>(u"explanation"_s)->text(),
                 u"The books go back to how they were that day, 0 sessions. The books as they "
                 "are now are saved first, as a backup kept 14 days."_s);
        sheet->findChild<QPushButton*>(u"confirm"_s)->click();
        // Restored by a worker; the section follows when it is done.
        QTRY_VERIFY(m_books->said().startsWith(u"Restored Local from zol-2026-03-02.sqlite3."_s));
        QCOMPARE(text(u"sessionsTracked"_s), u"0"_s);
        QCOMPARE(restore->menu()->actions().size(), 1);
    }

    void pictures() { saveScreenshots(*m_window, u"personal"_s); }
};

QTEST_MAIN(TestPersonalSection)
#include "tst_personal_section.moc"
