// The controller's history over an in-memory store: what each scope shows
// across month boundaries, moving by scope, the refusals and warning of the
// session editor, deleting with its undo on the status line, and the bin.

#include "Builders.h"
#include "HistoryModel.h"
#include "InMemoryBooks.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<InMemoryBooks> m_books;

    AppModel& model() { return m_books->model; }
    HistoryModel& history() { return *model().history(); }
    TimeEntry add(const TimeEntry& entry)
    {
        m_books->store().save(entry);
        return *m_books->store().entry(entry.id);
    }

private Q_SLOTS:
    void init() { m_books = std::make_unique<InMemoryBooks>(); }
    void cleanup() { m_books.reset(); }

    void scopes_data()
    {
        QTest::addColumn<HistoryScope>("scope");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<int>("sessions");
        const QDate feb27(2026, 2, 27), feb28(2026, 2, 28), mar1(2026, 3, 1), mar2(2026, 3, 2),
            mar31(2026, 3, 31);
        QTest::newRow("day") << HistoryScope::day << mar1 << QList{mar1} << 2;
        QTest::newRow("week over the month's end")
            << HistoryScope::week << feb28 << QList{mar1, feb28, feb27} << 4;
        QTest::newRow("March") << HistoryScope::month << mar1 << QList{mar31, mar2, mar1} << 4;
        QTest::newRow("February") << HistoryScope::month << feb27 << QList{feb28, feb27} << 2;
    }

    void scopes()
    {
        QFETCH(HistoryScope, scope);
        QFETCH(QDate, day);
        QFETCH(QList<QDate>, days);
        QFETCH(int, sessions);
        for (const QDateTime& start :
             {utc(2026, 2, 27, 10), utc(2026, 2, 28, 23, 59), utc(2026, 3, 1), utc(2026, 3, 1, 14),
              utc(2026, 3, 2, 8), utc(2026, 3, 31, 23, 59), utc(2026, 4, 1)})
            add(session(start, 30));

        history().setHistoryScope(scope);
        history().showPeriod(day);
        QCOMPARE(history().historyDays(), days);
        QCOMPARE(history().historyEntries().size(), sessions);
    }

    void nextDayMovesByScope_data()
    {
        QTest::addColumn<HistoryScope>("scope");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<QDate>("to");
        QTest::newRow("day") << HistoryScope::day << QDate(2026, 2, 28) << 1 << QDate(2026, 3, 1);
        QTest::newRow("week back")
            << HistoryScope::week << QDate(2026, 3, 2) << -1 << QDate(2026, 2, 23);
        QTest::newRow("month clamps")
            << HistoryScope::month << QDate(2026, 1, 31) << 1 << QDate(2026, 2, 28);
    }

    void nextDayMovesByScope()
    {
        QFETCH(HistoryScope, scope);
        QFETCH(QDate, from);
        QFETCH(int, step);
        QFETCH(QDate, to);
        history().setHistoryScope(scope);
        history().showPeriod(from);
        history().nextDay(step);
        QCOMPARE(history().historyDay(), to);
    }

    void editRefusals_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("overlaps");
        const QString overlap = u"These hours are already tracked"_s;
        QTest::newRow("end before start") << utc(2026, 3, 1, 13) << utc(2026, 3, 1, 12, 59)
                                          << u"The end time is before the start."_s << 0;
        QTest::newRow("touching") << utc(2026, 3, 1, 12) << utc(2026, 3, 1, 13) << QString() << 0;
        QTest::newRow("into one") << utc(2026, 3, 1, 11, 30) << utc(2026, 3, 1, 12, 30) << overlap
                                  << 1;
        QTest::newRow("over two") << utc(2026, 3, 1, 9) << utc(2026, 3, 1, 13) << overlap << 2;
    }

    void editRefusals()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QString, refusal);
        QFETCH(int, overlaps);
        const TimeEntry first = add(session(utc(2026, 3, 1, 10), 60));
        const TimeEntry second = add(session(utc(2026, 3, 1, 11), 60));
        TimeEntry edited = add(session(utc(2026, 3, 1, 14), 60));
        edited.startedAt = start;
        edited.endedAt = end;

        const EditCheck check = history().checkEdit(edited);
        QCOMPARE(check.refusal, refusal);
        QCOMPARE(check.overlaps.size(), overlaps);
        if (overlaps) {
            // Oldest first, as the editor lists them above its refusal.
            QCOMPARE(check.overlaps.constFirst().id, overlaps == 2 ? first.id : second.id);
            QCOMPARE(check.explanation,
                     u"You cannot be on two jobs at once, and the same minutes would be counted "
                     "twice in your timesheet. Change the times so they do not run into the "
                     "sessions above."_s);
        }
        QVERIFY(check.warning.isEmpty());

        // A refusal is checked again on saving and said as a failure.
        QCOMPARE(history().saveEdit(edited), refusal.isEmpty());
        QCOMPARE(m_books->store().entry(edited.id)->startedAt == start, refusal.isEmpty());
        QVERIFY(model().status()->text.startsWith(refusal.isEmpty() ? u"Saved."_s : refusal));
    }

    void savingAnUploadedSessionMarksItUnsent()
    {
        TimeEntry entry = add(session(utc(2026, 3, 2, 7), 60));
        m_books->store().markUploaded({entry.id}, utc(2026, 3, 2, 8));

        // The editor's copy predates the upload; the store knows better.
        entry.note = u"with the client"_s;
        QCOMPARE(history().checkEdit(entry).warning,
                 u"Already uploaded. Saving marks it unsent, so the correction goes with the next "
                 "upload of that period."_s);
        QVERIFY(history().saveEdit(entry));
        const TimeEntry saved = *m_books->store().entry(entry.id);
        QVERIFY(!saved.isUploaded());
        QCOMPARE(m_books->store().entriesNeedingUpload().size(), 1);
        QCOMPARE(history().historyEntries().constFirst().note, entry.note);
    }

    void deletingOffersUndoOnTheStatusLine()
    {
        const TimeEntry a = add(session(utc(2026, 3, 2, 7), 30));
        const TimeEntry b = add(session(utc(2026, 3, 2, 8), 30));

        QCOMPARE(history().deleteEntries({a.id, b.id, QUuid::createUuid()}), 2);
        QCOMPARE(model().status()->kind, StatusMessage::Kind::info);
        QCOMPARE(model().status()->text, u"Deleted 2 sessions."_s);
        QVERIFY(history().historyEntries().isEmpty());
        QCOMPARE(history().deletedEntries().size(), 2);

        m_books->clock.advance(11); // a deletion's message stays 12 seconds
        model().undoDeletion();
        QCOMPARE(model().status()->text, u"Restored."_s);
        QCOMPARE(history().historyEntries().size(), 2);
        QVERIFY(history().deletedEntries().isEmpty());

        QCOMPARE(history().deleteEntries({a.id}), 1);
        QCOMPARE(model().status()->text, u"Deleted 1 session."_s);
        model().setStatus(std::nullopt);
        QCOMPARE(history().deleteEntries({a.id}), 0); // deleted already: nothing to say
        QVERIFY(!model().status());

        history().restore({a.id});
        QCOMPARE(model().status()->text, u"Restored."_s);
        QCOMPARE(history().historyEntries().size(), 2);

        history().deleteEntries({b.id});
        history().purgeDeleted();
        QCOMPARE(model().status()->text, u"Cleared deleted sessions."_s);
        QVERIFY(history().deletedEntries().isEmpty());
        QCOMPARE(m_books->store().recentEntries(10).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
