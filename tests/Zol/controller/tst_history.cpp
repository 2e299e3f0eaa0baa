// The controller's history and project catalogue over an in-memory store:
// what each scope shows across month boundaries, moving by scope, the
// refusals and warning of the session editor, deleting with its undo on the
// status line, the bin; the refusal of a project number already held, local
// projects given a number, renumbering with the sessions following,
// archiving, usage figures and known clients.

#include "Books.h"
#include "CatalogueModel.h"
#include "HistoryModel.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

const Project oldSign =
    project(u"P26001"_s, u"Old sign"_s, {}, utc(2026, 1, 1), utc(2026, 1, 1), false);
const QString pick = u" Pick it from the list, or use a different number."_s;

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;

    AppModel& model() { return *m_books->model; }
    HistoryModel& history() { return *model().history(); }
    CatalogueModel& catalogue() { return *model().catalogue(); }
    EntryStore& store() { return m_books->store(); }
    TimeEntry add(const TimeEntry& entry)
    {
        store().save(entry);
        return *store().entry(entry.id);
    }

private Q_SLOTS:
    void init()
    {
        // Books that are fresh and empty each time they are opened.
        m_books = std::make_unique<Books>(Books::Settings::inMemory, [](auto&, const Clock& c) {
            return EntryStore::inMemory(c);
        });
        store().addManualProject(brandBook);
        store().addManualProject(oldSign);
        catalogue().reloadAllProjects();
        model().books().tracker()->reload();
    }
    void cleanup() { m_books.reset(); }

    void scopesAndMoving_data()
    {
        QTest::addColumn<HistoryScope>("scope");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("step");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<int>("sessions");
        const QDate feb27(2026, 2, 27), feb28(2026, 2, 28), mar1(2026, 3, 1), mar2(2026, 3, 2);
        QTest::newRow("day") << HistoryScope::day << feb28 << 1 << mar1 << QList{mar1} << 2;
        QTest::newRow("week back, over the month's end")
            << HistoryScope::week << mar2 << -1 << QDate(2026, 2, 23) << QList{mar1, feb28, feb27}
            << 4;
        QTest::newRow("March") << HistoryScope::month << feb28 << 1 << QDate(2026, 3, 28)
                               << QList{QDate(2026, 3, 31), mar2, mar1} << 4;
        QTest::newRow("month clamps")
            << HistoryScope::month << QDate(2026, 1, 31) << 1 << feb28 << QList{feb28, feb27} << 2;
    }

    void scopesAndMoving()
    {
        QFETCH(HistoryScope, scope);
        QFETCH(QDate, from);
        QFETCH(int, step);
        for (const QDateTime& start :
             {utc(2026, 2, 27, 10), utc(2026, 2, 28, 23, 59), utc(2026, 3, 1), utc(2026, 3, 1, 14),
              utc(2026, 3, 2, 8), utc(2026, 3, 31, 23, 59), utc(2026, 4, 1)})
            add(session(start, 30));

        history().setHistoryScope(scope);
        history().showPeriod(from);
        history().nextDay(step);
        QTEST(history().historyDay(), "day");
        QTEST(history().historyDays(), "days");
        QTEST(int(history().historyEntries().size()), "sessions");
    }

    void editRefusals_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<double>("paused");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("overlaps");
        const QString overlap = u"These hours are already tracked"_s;
        const QString tooMuchPause = u"The pauses are longer than the session."_s;
        QTest::newRow("end before start") << utc(2026, 3, 1, 13) << utc(2026, 3, 1, 12, 59) << 0.0
                                          << u"The end time is before the start."_s << 0;
        QTest::newRow("touching") << utc(2026, 3, 1, 12) << utc(2026, 3, 1, 13) << 0.0 << QString()
                                  << 0;
        QTest::newRow("into one") << utc(2026, 3, 1, 11, 30) << utc(2026, 3, 1, 12, 30) << 0.0
                                  << overlap << 1;
        QTest::newRow("over two") << utc(2026, 3, 1, 9) << utc(2026, 3, 1, 13) << 0.0 << overlap
                                  << 2;
        // The clock stands at Monday 2 March, 09:00.
        QTest::newRow("ends later today") << utc(2026, 3, 2, 8) << utc(2026, 3, 2, 9, 1) << 0.0
                                          << u"The end time is in the future."_s << 0;
        QTest::newRow("moved to tomorrow") << utc(2026, 3, 3, 8) << utc(2026, 3, 3, 9) << 0.0
                                           << u"The start time is in the future."_s << 0;
        QTest::newRow("all pause")
            << utc(2026, 3, 1, 14) << utc(2026, 3, 1, 14, 40) << 2400.0 << QString() << 0;
        QTest::newRow("more pause than span")
            << utc(2026, 3, 1, 14, 5) << utc(2026, 3, 1, 14, 15) << 2400.0 << tooMuchPause << 0;
    }

    void editRefusals()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(double, paused);
        QFETCH(QString, refusal);
        QFETCH(int, overlaps);
        const TimeEntry first = add(session(utc(2026, 3, 1, 10), 60));
        const TimeEntry second = add(session(utc(2026, 3, 1, 11), 60));
        TimeEntry edited = add(session(utc(2026, 3, 1, 14), 60));
        edited.startedAt = start;
        edited.endedAt = end;
        edited.pausedSeconds = paused;

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

        // A refusal is checked again on saving and said as a failure.
        QCOMPARE(history().saveEdit(edited).has_value(), refusal.isEmpty());
        QCOMPARE(store().entry(edited.id)->startedAt == start, refusal.isEmpty());
        QVERIFY(m_books->said().startsWith(refusal.isEmpty() ? u"Saved."_s : refusal));
    }

    void savingAnUploadedSessionMarksItUnsent()
    {
        TimeEntry entry = add(session(utc(2026, 3, 2, 7), 60));
        store().markUploaded({entry.id}, utc(2026, 3, 2, 8));

        // The editor's copy predates the upload; the store knows better.
        entry.note = u"with the client"_s;
        QCOMPARE(history().checkEdit(entry).warning,
                 u"Already uploaded. Saving marks it unsent, so the correction goes with the next "
                 "upload of that period."_s);
        QVERIFY(history().saveEdit(entry));
        QCOMPARE(store().entriesNeedingUpload().size(), 1);
        QCOMPARE(history().historyEntries().constFirst().note, entry.note);
    }

    void deletingOffersUndoOnTheStatusLine()
    {
        const TimeEntry a = add(session(utc(2026, 3, 2, 7), 30));
        const TimeEntry b = add(session(utc(2026, 3, 2, 8), 30));

        QCOMPARE(history().deleteEntries({a.id, b.id, QUuid::createUuid()}).value_or(-1), 2);
        QCOMPARE(m_books->said(), u"Deleted 2 sessions."_s);
        QVERIFY(history().historyEntries().isEmpty());
        QCOMPARE(history().deletedEntries().size(), 2);

        m_books->clock.advance(11); // a deletion's message stays 12 seconds
        model().history()->undoDeletion();
        QCOMPARE(m_books->said(), u"Restored."_s);
        QCOMPARE(history().historyEntries().size(), 2);
        QVERIFY(history().deletedEntries().isEmpty());

        QCOMPARE(history().deleteEntries({a.id}).value_or(-1), 1);
        QCOMPARE(m_books->said(), u"Deleted 1 session."_s);
        model().status().show(std::nullopt);
        QCOMPARE(history().deleteEntries({a.id}).value_or(-1),
                 0); // deleted already: nothing to say
        QVERIFY(!model().status().message());

        history().restore({a.id});
        QCOMPARE(history().historyEntries().size(), 2);

        history().deleteEntries({b.id});
        history().purgeDeleted();
        QCOMPARE(m_books->said(), u"Cleared deleted sessions."_s);
        QVERIFY(history().deletedEntries().isEmpty());
        QCOMPARE(store().recentEntries(10).size(), 1);
    }

    // Restoring puts a session back where it was, never over hours tracked
    // since: those that fit come back, the rest are named with what is in
    // their way, and the line is a failure.
    void restoringCountsNoHourTwice()
    {
        const TimeEntry a = add(session(utc(2026, 3, 2, 7), 30));
        const TimeEntry b = add(session(utc(2026, 3, 2, 8), 30));
        history().deleteEntries({a.id, b.id});
        const TimeEntry since = add(session(utc(2026, 3, 2, 7, 15), 30));
        history().refresh();

        model().history()->undoDeletion();
        QCOMPARE(model().status().message()->kind, StatusMessage::Kind::failure);
        QCOMPARE(m_books->said(),
                 u"Restored 1 session. These hours are already tracked: 2301 Brand book (Mon 2 Mar "
                 "07:00\u201307:30) would run into 2301 Brand book (Mon 2 Mar 07:15\u201307:45). "
                 "Delete or change what is in the way first."_s);
        QVERIFY(store().entry(b.id) && !store().entry(a.id));

        // The running session is in the way too, counted up to now; its
        // project has no number yet, so it is named by its name alone.
        store().deleteEntry(since.id);
        TimeEntry sketching = running(utc(2026, 3, 2, 7, 20));
        sketching.projectSerial = Project::localPrefix + u"sketches"_s;
        sketching.projectName = u"Sketches"_s;
        store().save(sketching);
        QVERIFY(!history().restore({a.id}));
        QCOMPARE(m_books->said(),
                 u"These hours are already tracked: 2301 Brand book (Mon 2 Mar 07:00\u201307:30) "
                 "would run into Sketches (Mon 2 Mar 07:20\u2013now). Delete or change what "
                 "is in the way first."_s);
        QVERIFY(!store().entry(a.id));
    }

    void addingANumberAlreadyHeld_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("said");
        QTest::newRow("active, trimmed")
            << u" 2301\t"_s << u"2301 is already Acme — Brand book."_s + pick;
        QTest::newRow("archived, other case")
            << u"p26001"_s << u"P26001 is already Old sign, archived."_s + pick;
        QTest::newRow("free") << u" 2302 "_s << u"Added Signs."_s;
    }

    void addingANumberAlreadyHeld()
    {
        QFETCH(QString, number);
        QFETCH(QString, said);
        const Outcome<Project> added =
            catalogue().quickAddProject(number, u" Signs "_s, u"Beta"_s);
        QCOMPARE(m_books->said(), said);
        QCOMPARE(added.has_value(), said.startsWith(u"Added"_s));
        QCOMPARE(catalogue().allProjects().size(), added ? 3 : 2);
        if (added) {
            QCOMPARE(added->serial, u"2302"_s);
            QVERIFY(model().books().tracker()->projects().contains(*added));
        }
    }

    void numberingMovesTheSessions()
    {
        // A project without a number, tracked on, then given one.
        const Outcome<Project> local =
            catalogue().quickAddProject({}, u"Kitchen"_s, u"Acme"_s);
        QVERIFY(local && local->serial.startsWith(u"LOCAL:"_s));
        QVERIFY(!catalogue().projectHolding(local->serial));
        store().save(session(utc(2026, 3, 2, 7), 60, local->serial, u"Kitchen"_s, u"Acme"_s));
        store().save(session(utc(2026, 3, 2, 8), 30));

        QVERIFY(catalogue().updateProject(*local, u"Kitchen"_s, u"Acme"_s, u" 2400 "_s));
        QCOMPARE(m_books->said(), u"Updated Kitchen."_s);
        QCOMPARE(catalogue().projectUsage().value(u"2400"_s).sessions, 1);

        // Renumbered and renamed; the history shows it straight away.
        QVERIFY(catalogue().updateProject(brandBook, u"Brand book II"_s, u"Acme"_s, u"2310"_s));
        const QList<TimeEntry> shown = model().history()->historyEntries();
        QCOMPARE(shown.constFirst().projectSerial, u"2310"_s);
        QCOMPARE(shown.constFirst().projectName, u"Brand book II"_s);

        // Another project's number is refused as when adding; nothing moves.
        const Project kitchen = *catalogue().projectHolding(u"2400"_s);
        QVERIFY(!catalogue().updateProject(kitchen, u"Kitchen"_s, u"Acme"_s, u"p26001"_s));
        QCOMPARE(m_books->said(), u"P26001 is already Old sign, archived."_s + pick);
        QCOMPARE(catalogue().projectUsage().value(u"2400"_s).sessions, 1);
    }

    void archivingAndPuttingBack()
    {
        catalogue().setProjectActive(brandBook, false);
        QCOMPARE(m_books->said(), u"Archived Brand book."_s);
        QVERIFY(model().books().tracker()->projects().isEmpty());
        QVERIFY(!catalogue().allProjects().constFirst().isActive);

        catalogue().setProjectActive(brandBook, true);
        QCOMPARE(m_books->said(), u"Brand book is back in the picker."_s);
        QCOMPARE(model().books().tracker()->projects().size(), 1);
    }

    void usageFigures()
    {
        store().save(session(utc(2026, 2, 27, 10), 60));
        store().save(session(utc(2026, 3, 1, 10), 30));
        TimeEntry internal = session(utc(2026, 3, 1, 12), 45, {}, u"Team meeting"_s, {});
        internal.isInternal = true;
        store().save(internal);
        model().books().tracker()->start(oldSign);
        m_books->clock.advance(120);

        const QHash<QString, ProjectUsage> usage = catalogue().projectUsage();
        QCOMPARE(usage.size(), 2);
        QCOMPARE(usage.value(u"2301"_s), (ProjectUsage{2, 5400, utc(2026, 3, 1, 10, 30)}));
        QCOMPARE(usage.value(u"P26001"_s), (ProjectUsage{1, 120, m_books->clock.now()}));
    }

    void knownClientsOncePerClient()
    {
        for (const auto& [serial, client] : {std::pair{u"1"_s, u"Acme"_s},
                                             {u"2"_s, u" acme "_s},
                                             {u"3"_s, u"Beta 10"_s},
                                             {u"4"_s, u"Beta  9"_s},
                                             {u"5"_s, QString()}})
            catalogue().quickAddProject(serial, u"Job"_s, client);
        QCOMPARE(catalogue().knownClients(), (QStringList{u"Acme"_s, u"Beta 9"_s, u"Beta 10"_s}));
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
