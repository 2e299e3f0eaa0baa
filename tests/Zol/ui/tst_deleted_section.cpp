// The Deleted section: "Nothing deleted" when the bin is empty, "Restore" per
// row and "Restore everything", a restore refused because the hours are
// tracked again shown on the status line, and "Clear permanently…" asking
// first with the tracked time it throws away.

#include "Books.h"
#include "HistoryModel.h"
#include "SampleBooks.h"
#include "Screenshots.h"
#include "window/ConfirmSheet.h"
#include "window/DeletedListDelegate.h"
#include "window/DeletedSection.h"
#include "window/MainWindow.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestDeletedSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<SampleBooks> m_sample;
    std::unique_ptr<MainWindow> m_window;

    HistoryModel& history() { return *m_books->model->history(); }
    DeletedSection& section()
    {
        return *qobject_cast<DeletedSection*>(m_window->section(u"deleted"_s));
    }
    template <typename T = QWidget> T* find(const QString& name)
    {
        return m_window->findChild<T*>(name);
    }
    bool shows(const QString& name) { return find(name)->isVisibleTo(m_window.get()); }
    QString status() { return find<QLabel>(u"statusText"_s)->text(); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_sample = std::make_unique<SampleBooks>(*m_books);
        m_window = std::make_unique<MainWindow>(*m_books->model);
        m_window->setFixedSize(1100, 720);
        m_books->model->showWindow(u"deleted"_s);
        m_window->present();
    }
    void cleanup()
    {
        m_window.reset();
        m_sample.reset();
        m_books.reset();
    }

    void restoringOneAndAll()
    {
        QVERIFY(shows(u"deletedEmpty"_s));
        QCOMPARE(find<QLabel>(u"deletedEmpty"_s)->text(), u"Nothing deleted"_s);
        QVERIFY(!find<QPushButton>(u"clearPermanently"_s)->isEnabled());

        history().deleteEntries({m_sample->lastWeek.at(0).id, m_sample->lastWeek.at(1).id,
                                 m_sample->lastWeek.at(2).id});
        QVERIFY(!shows(u"deletedEmpty"_s));
        QListView& list = section().list();
        QCOMPARE(list.model()->rowCount(), 3);

        const QRect row = list.visualRect(list.model()->index(0, 0));
        const QRect restore = section().delegate().buttons().rects(row, &list).constFirst();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, restore.center());
        QCOMPARE(status(), u"Restored."_s);
        QCOMPARE(list.model()->rowCount(), 2);

        find<QPushButton>(u"restoreEverything"_s)->click();
        QVERIFY(shows(u"deletedEmpty"_s));
        QCOMPARE(history().deletedEntries().size(), 0);
    }

    // Hours tracked again over a deleted session's stay counted once: the
    // restore is refused, in the window's status line.
    void aRefusedRestoreIsSaid()
    {
        const TimeEntry gone = m_sample->lastWeek.at(0);
        history().deleteEntries({gone.id});
        m_books->store().save(on(website, gone.startedAt.addSecs(600), 30));
        section().restore(0);
        QVERIFY(status().startsWith(u"These hours are already tracked: 2301 Brand book (Mon 23 "
                                    "Feb 09:00–10:30) would run into 2302 Website"_s));
        QVERIFY(shows(u"statusText"_s));
        QCOMPARE(history().deletedEntries().size(), 1);
    }

    void clearingAsksWithTheTimeThrownAway()
    {
        // 90 minutes of Brand book and an hour of Admin.
        history().deleteEntries({m_sample->lastWeek.at(0).id, m_sample->lastWeek.at(2).id});
        saveScreenshots(*m_window, u"deleted"_s);

        // Cancelled: nothing goes.
        find<QPushButton>(u"clearPermanently"_s)->click();
        auto* sheet = find<ConfirmSheet>(u"clearSheet"_s);
        QVERIFY(sheet && sheet->isVisible());
        QCOMPARE(find<QLabel>(u"explanation"_s)->text(),
                 u"2h 30m of tracked time is thrown away for good. This is the only place these "
                 "sessions still exist."_s);
        QCOMPARE(sheet->confirmButton()->text(), u"Clear permanently"_s);
        saveScreenshots(*sheet, u"deleted-clear"_s);
        QTest::mouseClick(sheet->findChild<QPushButton*>(u"cancel"_s), Qt::LeftButton);
        QTRY_VERIFY(!find<ConfirmSheet>(u"clearSheet"_s));
        QCOMPARE(history().deletedEntries().size(), 2);

        find<QPushButton>(u"clearPermanently"_s)->click();
        QTest::mouseClick(find<ConfirmSheet>(u"clearSheet"_s)->confirmButton(), Qt::LeftButton);
        QCOMPARE(status(), u"Cleared deleted sessions."_s);
        QVERIFY(shows(u"deletedEmpty"_s));
        saveScreenshots(*m_window, u"deleted-empty"_s);
    }
};

QTEST_MAIN(TestDeletedSection)
#include "tst_deleted_section.moc"
