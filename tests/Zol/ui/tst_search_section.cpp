// The Search section: results follow the query as it is typed, the range
// picker says how far back, the totals, "There is more before that." when
// the range hides older matches, a result opening its details, and "Export
// everything" asking where to save the whole history.

#include "Books.h"
#include "SampleBooks.h"
#include "Screenshots.h"
#include "SearchModel.h"
#include "window/MainWindow.h"
#include "window/SearchResultsModel.h"
#include "window/SearchSection.h"
#include "window/SessionDetails.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestSearchSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<SampleBooks> m_sample;
    std::unique_ptr<MainWindow> m_window;

    SearchModel& search() { return *m_books->model->search(); }
    template <typename T = QWidget> T* find(const QString& name)
    {
        return m_window->findChild<T*>(name);
    }
    QString summary() { return find<QLabel>(u"searchSummary"_s)->text(); }
    bool settled()
    {
        return QTest::qWaitFor([&] { return search().searchTask().isFinished(); });
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_sample = std::make_unique<SampleBooks>(*m_books);
        // Last summer's cover, past the three months searched at first.
        m_books->store().save(on(brandBook, utc(2025, 6, 2, 9), 60, u"Cover"_s));
        m_window = std::make_unique<MainWindow>(*m_books->model);
        m_window->setFixedSize(1100, 720);
        m_books->model->showWindow(u"search"_s);
        m_window->present();
    }
    void cleanup()
    {
        m_window.reset();
        m_sample.reset();
        m_books.reset();
    }

    void resultsFollowTheQuery()
    {
        auto* query = find<QLineEdit>(u"searchQuery"_s);
        QCOMPARE(query->placeholderText(), u"Client, project number, name or note"_s);
        QVERIFY(find<QToolButton>(u"range_threeMonths"_s)->isChecked());
        QCOMPARE(find<QToolButton>(u"range_yearToDate"_s)->text(), u"this year so far"_s);

        QTest::keyClicks(query, u"acme"_s);
        QCOMPARE(search().searchQuery(), u"acme"_s);
        QVERIFY(settled());
        // Brand book of Acme: 90, 90 and 120 minutes last week, 240 on 9
        // February, 40 this morning; the cover of June lies further back.
        QCOMPARE(summary(), u"5 sessions · 9h 40m · 1 project · 1 client in the last 3 months. "
                            "There is more before that."_s);
        auto* results = find<QTreeView>(u"searchResults"_s);
        QCOMPARE(results->model()->rowCount(), 5);

        find<QToolButton>(u"range_all"_s)->click();
        QVERIFY(settled());
        QCOMPARE(summary(), u"6 sessions · 10h 40m · 1 project · 1 client in all time."_s);

        // One more letter narrows to the notes that hold it.
        QTest::keyClicks(query, u" "_s);
        query->setText(u"cover"_s);
        QVERIFY(settled());
        QCOMPARE(results->model()->rowCount(), 2);
        results->setFocus();
        results->setCurrentIndex(results->model()->index(1, 0));
        QTest::keyClick(results, Qt::Key_Return);
        auto* details = m_window->findChild<SessionDetails*>();
        QVERIFY(details);
        QCOMPARE(details->entry().startedAt, utc(2025, 6, 2, 9));
        details->close();

        query->clear();
        QVERIFY(settled());
        QVERIFY(!find<QLabel>(u"searchSummary"_s)->isVisibleTo(m_window.get()));
        QVERIFY(!results->isVisibleTo(m_window.get()));
    }

    void exportEverything()
    {
        QCOMPARE(find<QLabel>(u"exportNote"_s)->text(),
                 u"Search results are a view of your history; export writes all of it"_s);
        find<QToolButton>(u"exportEverything"_s)
            ->menu()
            ->findChild<QAction*>(u"exportEverythingCsv"_s)
            ->trigger();
        const QList<Desktop::SaveRequest>& asked = m_books->platform.desktop->asked;
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.constFirst().title, u"Export tracked time"_s);
        QCOMPARE(asked.constFirst().contentType, u"text/csv"_s);
    }

    void pictures()
    {
        saveScreenshots(*m_window, u"search-empty"_s);
        find<QLineEdit>(u"searchQuery"_s)->setText(u"acme"_s);
        QVERIFY(settled());
        saveScreenshots(*m_window, u"search-results"_s);
    }
};

QTEST_MAIN(TestSearchSection)
#include "tst_search_section.moc"
