// What the main window's History, Search, Personal and Deleted sections are
// shown, worked out headless: a day's sessions grouped by project; the week's
// blocks cut at midnight and the month's day totals; the titles, empty states
// and session facts; the editor's fields turned into a session (a clock time
// the spring gap skips included); search totals and whether older matches
// hide behind the range; the upload control in each state; where timesheets
// are filed; and the welcome window's hot key line.

#include "Books.h"
#include "CalendarLayout.h"
#include "FirstRun.h"
#include "HistoryCaptions.h"
#include "HistoryGroups.h"
#include "HistoryModel.h"
#include "PersonalFacts.h"
#include "SearchModel.h"
#include "SessionEdit.h"
#include "SharingModel.h"
#include "UploadControl.h"
#include "books/AppSettings.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

TimeEntry internalWork(const QDateTime& start, double minutes, const QString& what)
{
    TimeEntry e = session(start, minutes, QString(), what, QString());
    e.isInternal = true;
    return e;
}

const Calendar utcCalendar{QTimeZone::utc()};

} // namespace

class TestHistoryViews : public QObject
{
    Q_OBJECT

    template <typename T> static bool finishes(const QFuture<T>& future)
    {
        return QTest::qWaitFor([&] { return future.isFinished(); }, 10000);
    }

private Q_SLOTS:
    // Newest day first; within a day the group worked last first; internal
    // work by its description, whatever its case and blanks.
    void groupsByDayAndProject()
    {
        const QList<TimeEntry> entries{
            session(utc(2026, 3, 2, 14), 30, u"2302"_s, u"Website"_s),
            internalWork(utc(2026, 3, 2, 13), 15, u"admin "_s),
            session(utc(2026, 3, 2, 11), 60),
            internalWork(utc(2026, 3, 2, 10), 45, u"Admin"_s),
            session(utc(2026, 3, 2, 9), 30),
            session(utc(2026, 2, 27, 9), 90),
        };
        const QList<HistoryDay> days = HistoryGroups::byDay(entries, utcCalendar);
        QCOMPARE(days.size(), 2);
        QCOMPARE(days.at(0).day, QDate(2026, 3, 2));
        const QList<ProjectTotal>& groups = days.at(0).groups;
        QCOMPARE(groups.size(), 3);
        QCOMPARE(groups.at(0).title(), u"2302 Website"_s);
        QVERIFY(groups.at(1).isInternal);
        QCOMPARE(groups.at(1).entries.size(), 2);
        QCOMPARE(groups.at(1).totalSeconds(utc(2026, 3, 2, 15)), 3600.0);
        QCOMPARE(groups.at(2).ids(), (QList{entries.at(2).id, entries.at(4).id}));
        QCOMPARE(days.at(0).totalSeconds(utc(2026, 3, 2, 15)), (30 + 15 + 60 + 45 + 30) * 60.0);
        QCOMPARE(days.at(1).sessionCount(), 1);
    }

    // A session past midnight is cut into one block a day; the running one
    // ends now; the hours drawn widen to hold every block; sessions of other
    // weeks stay out.
    void weekBlocks()
    {
        TimeEntry late = session(utc(2026, 2, 25, 22), 180, u"2303"_s, u"Annual report"_s);
        TimeEntry open = running(utc(2026, 3, 1, 6, 30));
        const QList<TimeEntry> entries{open, late, session(utc(2026, 2, 23, 9), 60),
                                       session(utc(2026, 2, 22, 9), 60)};
        const CalendarWeek week =
            CalendarLayout::week(QDate(2026, 2, 26), entries, utcCalendar, utc(2026, 3, 1, 8));
        QCOMPARE(week.days.constFirst(), QDate(2026, 2, 23));
        QCOMPARE(week.blocks.size(), 4);
        QCOMPARE(week.firstHour, 0);
        QCOMPARE(week.lastHour, 24);

        const CalendarBlock& monday = week.blocks.at(0);
        QCOMPARE(monday.column, 0);
        QCOMPARE(monday.fromHour, 9.0);
        QCOMPARE(monday.toHour, 10.0);
        const CalendarBlock& evening = week.blocks.at(1);
        const CalendarBlock& morning = week.blocks.at(2);
        QCOMPARE(evening.column, 2);
        QCOMPARE(evening.toHour, 24.0);
        QVERIFY(evening.continuesAfter && !evening.continuedFrom);
        QCOMPARE(morning.column, 3);
        QCOMPARE(morning.fromHour, 0.0);
        QCOMPARE(morning.toHour, 1.0);
        QVERIFY(morning.continuedFrom);
        // The day a session started carries all of it.
        QCOMPARE(week.dayTotals.at(2), 3 * 3600.0);
        QCOMPARE(week.dayTotals.at(3), 0.0);
        const CalendarBlock& now = week.blocks.at(3);
        QCOMPARE(now.column, 6);
        QCOMPARE(now.toHour, 8.0);
        QCOMPARE(week.dayTotals.at(6), 1.5 * 3600);
    }

    // A session that ends on the stroke of midnight stays on its own day.
    void weekBlockEndingAtMidnight()
    {
        const CalendarWeek week = CalendarLayout::week(
            QDate(2026, 2, 23), {session(utc(2026, 2, 23, 23), 60)}, utcCalendar, utc(2026, 3, 2));
        QCOMPARE(week.blocks.size(), 1);
        QCOMPARE(week.blocks.constFirst().toHour, 24.0);
        QVERIFY(!week.blocks.constFirst().continuesAfter);
    }

    void monthGrid()
    {
        const QList<TimeEntry> entries{
            running(utc(2026, 2, 28, 8)), internalWork(utc(2026, 2, 2, 13), 30, u"Admin"_s),
            session(utc(2026, 2, 2, 9), 90), session(utc(2026, 3, 1, 9), 90)};
        const CalendarMonth month =
            CalendarLayout::month(QDate(2026, 2, 14), entries, utcCalendar, utc(2026, 2, 28, 9));
        // February 2026 runs from a Sunday to a Saturday: five weeks, from 26
        // January to 1 March.
        QCOMPARE(month.days.size(), 35);
        QCOMPARE(month.days.constFirst().date, QDate(2026, 1, 26));
        QVERIFY(!month.days.constFirst().inMonth);
        const CalendarDay& second = month.days.at(7);
        QCOMPARE(second.date, QDate(2026, 2, 2));
        QCOMPARE(second.sessions, 2);
        QCOMPARE(second.totalSeconds, 120 * 60.0);
        QCOMPARE(second.internalSeconds, 30 * 60.0);
        const CalendarDay& last = month.days.at(33);
        QCOMPARE(last.date, QDate(2026, 2, 28));
        QVERIFY(last.holdsRunning);
        QCOMPARE(last.totalSeconds, 3600.0);
        // 1 March is in the grid but not counted.
        QCOMPARE(month.days.at(34).totalSeconds, 0.0);
    }

    void titlesAndEmptyStates_data()
    {
        QTest::addColumn<HistoryScope>("scope");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("empty");
        QTest::newRow("day") << HistoryScope::day << QDate(2026, 3, 1) << u"Sunday 1 March 2026"_s
                             << u"Previous day (Ctrl+←)"_s << false
                             << u"|Nothing on this day. The rest of your history is still there."_s;
        QTest::newRow("week over the year's end")
            << HistoryScope::week << QDate(2026, 1, 1) << u"Week 1 · 29 December – 4 January"_s
            << u"Previous period (Ctrl+←)"_s << false << u"Nothing tracked here|"_s;
        QTest::newRow("this week")
            << HistoryScope::week << QDate(2026, 3, 8) << u"Week 10 · 2 March – 8 March"_s
            << u"Previous period (Ctrl+←)"_s << true << u"Nothing tracked here|"_s;
        QTest::newRow("this month")
            << HistoryScope::month << QDate(2026, 3, 31) << u"March 2026"_s
            << u"Previous period (Ctrl+←)"_s << true << u"Nothing tracked here|"_s;
    }

    void titlesAndEmptyStates()
    {
        QFETCH(HistoryScope, scope);
        QFETCH(QDate, day);
        QFETCH(bool, present);
        QTEST(HistoryCaptions::periodTitle(scope, day, utcCalendar, QLocale::c()), "title");
        QTEST(HistoryCaptions::previousLabel(scope), "previous");
        QCOMPARE(HistoryCaptions::showsPresent(scope, day, QDate(2026, 3, 2)), present);
        const EmptyHistory empty = HistoryCaptions::emptyState(scope, false, true);
        QTEST(QString(empty.title + u'|' + empty.text), "empty");
        // Books without a single session say so, whatever is shown.
        QCOMPARE(HistoryCaptions::emptyState(scope, false, false).title, u"Nothing tracked yet"_s);
        QVERIFY(HistoryCaptions::emptyState(scope, true, true).isEmpty());
    }

    void sessionFacts_data()
    {
        QTest::addColumn<TimeEntry>("entry");
        QTest::addColumn<QStringList>("values");
        TimeEntry paused = session(utc(2026, 2, 27, 9), 90);
        paused.endedAt = utc(2026, 2, 27, 11);
        paused.pausedSeconds = 1800;
        paused.note = u"Proofs"_s;
        paused.task = u"Design"_s;
        TimeEntry handedIn = session(utc(2026, 2, 27, 13), 60);
        handedIn.uploadedAt = utc(2026, 2, 27, 17, 5);
        handedIn.updatedAt = *handedIn.uploadedAt;
        TimeEntry changed = handedIn;
        changed.updatedAt = utc(2026, 3, 1, 10);
        TimeEntry draft = session(utc(2026, 3, 2, 7), 60, u"LOCAL:6F1C"_s, u"Poster"_s);
        const QString notes = u"No note"_s;
        const QString facts = u"Friday 27 February 2026"_s;
        QTest::newRow("paused, with a task")
            << paused
            << QStringList{facts,       u"09:00 – 11:00"_s, u"1h 30m"_s,     u"30m"_s,
                           u"Proofs"_s, u"Design"_s,        u"studio-mac"_s, u"Not uploaded yet"_s};
        QTest::newRow("handed in") << handedIn
                                   << QStringList{facts,
                                                  u"13:00 – 14:00"_s,
                                                  u"1h"_s,
                                                  u"Not paused"_s,
                                                  notes,
                                                  u"studio-mac"_s,
                                                  u"Uploaded 27 Feb 2026, 17:05"_s};
        QTest::newRow("changed since")
            << changed
            << QStringList{facts,           u"13:00 – 14:00"_s,   u"1h"_s, u"Not paused"_s, notes,
                           u"studio-mac"_s, u"Not uploaded yet"_s};
        QTest::newRow("no number yet")
            << draft
            << QStringList{u"Monday 2 March 2026"_s,
                           u"07:00 – 08:00"_s,
                           u"1h"_s,
                           u"Not paused"_s,
                           notes,
                           u"studio-mac"_s,
                           u"This project has no number yet, so it cannot be uploaded"_s};
    }

    void sessionFacts()
    {
        QFETCH(TimeEntry, entry);
        QStringList values;
        for (const SessionFact& fact :
             HistoryCaptions::details(entry, utc(2026, 3, 2, 9), utcCalendar, QLocale::c()))
            values.append(fact.value);
        QTEST(values, "values");
    }

    void purgeWarningNamesTheTime()
    {
        QCOMPARE(HistoryCaptions::purgeWarning(3 * 3600 + 20 * 60),
                 u"3h 20m of tracked time is thrown away for good. This is the only place these "
                 "sessions still exist."_s);
    }

    // The editor's fields make the session: the end after the work and the
    // pauses; an end before the start kept for the check; the spring gap
    // moved past; an open session keeps running.
    void editorFields()
    {
        TimeEntry entry = session(utc(2026, 2, 27, 9, 0, 30), 90);
        entry.pausedSeconds = 600;
        entry.endedAt = entry.startedAt.addSecs(100 * 60);
        SessionEdit edit = SessionEdit::of(entry, utc(2026, 3, 2, 9), utcCalendar);
        QCOMPARE(edit.from, QTime(9, 0, 30));
        QCOMPARE(edit.workedSeconds, 90 * 60.0);
        QCOMPARE(edit.pausedSeconds, 600.0);
        QCOMPARE(edit.applied(entry, utc(2026, 3, 2, 9), utcCalendar), entry);

        edit.date = QDate(2026, 2, 26);
        edit.workedSeconds = -60;
        edit.pausedSeconds = 0;
        edit.note = u"  Proofs "_s;
        edit.moveTo = brandBook;
        const TimeEntry moved = edit.applied(entry, utc(2026, 3, 2, 9), utcCalendar);
        QCOMPARE(moved.startedAt, utc(2026, 2, 26, 9, 0, 30));
        QVERIFY(*moved.endedAt < moved.startedAt);
        QCOMPARE(moved.note, u"Proofs"_s);
        QCOMPARE(moved.projectName, brandBook.name);

        const Calendar amsterdam(QTimeZone("Europe/Amsterdam"));
        SessionEdit spring = SessionEdit::of(entry, utc(2026, 3, 2, 9), amsterdam);
        spring.date = QDate(2026, 3, 29); // 02:00 to 03:00 does not exist
        spring.from = QTime(2, 30);
        spring.workedSeconds = 3600;
        spring.pausedSeconds = 0;
        QCOMPARE(spring.applied(entry, utc(2026, 4, 1), amsterdam).startedAt,
                 utc(2026, 3, 29, 1, 30));

        TimeEntry open = running(utc(2026, 3, 2, 8));
        SessionEdit openEdit = SessionEdit::of(open, utc(2026, 3, 2, 9), utcCalendar);
        openEdit.from = QTime(7, 45);
        openEdit.workedSeconds = 10;
        const TimeEntry stillOpen = openEdit.applied(open, utc(2026, 3, 2, 9), utcCalendar);
        QVERIFY(stillOpen.isOpen());
        QCOMPARE(stillOpen.startedAt, utc(2026, 3, 2, 7, 45));
    }

    // The matches of the range are added up; a match before the range's
    // start says there is more.
    void searchTotalsAndOlderMatches()
    {
        Books books;
        EntryStore& store = books.store();
        for (const TimeEntry& e :
             {session(utc(2026, 2, 20, 9), 60), session(utc(2026, 2, 21, 9), 30),
              session(utc(2026, 2, 22, 9), 45, u"2302"_s, u"Website"_s, u"ACME "_s),
              session(utc(2026, 2, 23, 9), 15, u"2303"_s, u"Annual report"_s, u"Gemeente"_s),
              internalWork(utc(2026, 2, 24, 9), 20, u"Acme admin"_s),
              session(utc(2025, 6, 1, 9), 60)})
            store.save(e);
        SearchModel& search = *books.model->search();
        search.setSearchRange(SearchRange::threeMonths);
        search.setSearchQuery(u"acme"_s);
        QVERIFY(finishes(search.searchTask()));
        QCOMPARE(search.summary(), (SearchSummary{4, 2, 1, (60 + 30 + 45 + 20) * 60.0}));
        QVERIFY(search.hasOlderMatches());
        QCOMPARE(search.resultSentence(),
                 u"4 sessions · 2h 35m · 2 projects · 1 client in the last 3 months. There is "
                 "more before that."_s);

        search.setSearchRange(SearchRange::all);
        QVERIFY(finishes(search.searchTask()));
        QVERIFY(!search.hasOlderMatches());
        QCOMPARE(search.resultSentence(),
                 u"5 sessions · 3h 35m · 2 projects · 1 client in all time."_s);

        search.setSearchRange(SearchRange::threeMonths);
        search.setSearchQuery(u"zeppelin"_s);
        QVERIFY(finishes(search.searchTask()));
        QCOMPARE(search.resultSentence(), u"Nothing found in the last 3 months."_s);
        search.setSearchQuery(u"   "_s);
        QVERIFY(search.resultSentence().isEmpty());
    }

    void filedUnder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("note");
        QTest::newRow("named") << u"Anna Smit"_s << u"Anna-Smit"_s
                               << u"Claimed by this computer, so the name is yours on the share."_s;
        QTest::newRow("no name") << u"  "_s << u"Onbekend"_s
                                 << u"Without a name your timesheets are filed under “Onbekend”."_s;
    }

    void filedUnder()
    {
        Books books;
        QFETCH(QString, name);
        books.model->books().settings()->setMachineName(name);
        books.store().save(session(utc(2026, 2, 20, 9), 60));
        const PersonalFacts facts =
            PersonalFacts::of(books.model->books(), *books.model->history());
        QTEST(facts.filedUnder, "folder");
        QTEST(facts.filedUnderNote, "note");
        QCOMPARE(facts.machineId, books.model->books().settings()->machineId());
        QVERIFY(facts.canRevealDatabase);
        QCOMPARE(facts.trackedInTotal, u"1h"_s);
        QCOMPARE(facts.firstTracked, u"Friday 20 February 2026"_s);
    }

    // Where no program may claim a key, the line names the command to bind
    // instead, after the reason.
    void hotKeyLine()
    {
        FakePlatform platform;
        QCOMPARE(FirstRun::hotKeyLine(platform).title, u"Start and pause with Super+Alt+T"_s);
        const std::unique_ptr<Platform> bare = Platform::doingNothing();
        const FirstRun::HotKeyLine line = FirstRun::hotKeyLine(*bare);
        QCOMPARE(line.title, u"Start and pause with zol toggle"_s);
        QVERIFY(line.detail.startsWith(bare->shortcut().availability().reason));
        QVERIFY(line.detail.endsWith(
            u". Bind 'zol toggle' to Super+Alt+T in the desktop's keyboard settings instead."_s));
    }

    void uploadControl_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("help");
        const QString file = u"Anna/2026/weeks/2026-W10.csv"_s;
        QTest::newRow("no studio folder")
            << u"local"_s << u"No studio folder"_s << u"Upload week"_s
            << u"Set up the studio folder under Studio in the sidebar."_s;
        QTest::newRow("nothing tracked")
            << u"empty"_s << u"Nothing tracked"_s << u"Upload week"_s << QString();
        QTest::newRow("only the running timer")
            << u"running alone"_s << u"Nothing to hand in yet"_s << u"Upload week"_s
            << u"The running timer is left out. Stop it first to include it."_s;
        QTest::newRow("never, by hand")
            << u"manual"_s << u"2 sessions · not uploaded"_s << u"Upload week"_s
            << QString(u"This sends it now — writes "_s + file + u'.');
        QTest::newRow("never, automatic")
            << u"automatic"_s << u"2 sessions · going up shortly"_s << u"Send now"_s
            << QString(u"Goes up by itself within ten minutes. This sends it now — writes "_s +
                       file + u'.');
        QTest::newRow("running left out")
            << u"running"_s << u"2 sessions · not uploaded"_s << u"Upload week"_s
            << QString(u"This sends it now — writes "_s + file +
                       u". The running timer is left out. Stop it first to include it."_s);
        // STAMP: when the file was written, as the share's clock has it.
        QTest::newRow("uploaded") << u"uploaded"_s << u"Uploaded STAMP"_s << u"Upload again"_s
                                  << QString(u"Already uploaded. Sending again simply rewrites "_s +
                                             file + u'.');
        QTest::newRow("changed since")
            << u"changed"_s << u"Uploaded STAMP · 1 changed since"_s << u"Upload week"_s
            << QString(u"Already uploaded. Sending again simply rewrites "_s + file + u'.');
    }

    void uploadControl()
    {
        QFETCH(QString, state);
        QTemporaryDir studio;
        Books books;
        if (state != u"local") {
            const Administration shared = named(u"Studio"_s);
            AppSettings::saveAdministrations({Administration::fallback(), shared}, books.defaults);
            AppSettings::setCurrentAdministration(shared.id, books.defaults);
            AppSettings settings(shared.id, books.defaults);
            settings.setMachineName(u"Anna"_s);
            settings.setSharedFolderPath(studio.path());
            settings.setSharedSyncEnabled(true);
            settings.setAutoUploadEnabled(state == u"automatic");
        }
        // Without its loops, so that nothing goes up by itself meanwhile.
        AppModel model(books.defaults, books.clock, books.platform);
        model.books().setRunsBackgroundWork(false);
        model.bootstrap();
        if (state != u"empty" && state != u"running alone") {
            model.books().store()->save(session(utc(2026, 3, 2, 7), 30));
            model.books().store()->save(session(utc(2026, 3, 2, 8), 30));
        }
        if (state.startsWith(u"running"))
            model.books().store()->save(running(utc(2026, 3, 2, 8, 45)));
        model.books().reloadTracker();
        SharingModel& sharing = *model.sharing();
        if (state == u"uploaded" || state == u"changed") {
            QVERIFY(finishes(sharing.uploadTimesheet()));
            QVERIFY(finishes(sharing.refreshPeriod()));
            QVERIFY(UploadControl::of(model.books(), sharing).canReveal);
        }
        if (state == u"changed") {
            TimeEntry edited = model.history()->historyEntries().constFirst();
            edited.note = u"Later"_s;
            books.clock.advance(60);
            QVERIFY(model.history()->saveEdit(edited));
        }
        UploadControl control = UploadControl::of(model.books(), sharing);
        if (sharing.uploadedAt())
            control.caption.replace(UploadState::stamp(*sharing.uploadedAt(), books.clock.now(),
                                                       model.books().calendar(), QLocale()),
                                    u"STAMP"_s);
        QTEST(control.caption, "caption");
        QTEST(control.buttonTitle, "button");
        QTEST(control.help, "help");
        QCOMPARE(control.canSend,
                 state != u"local" && state != u"empty" && state != u"running alone");
        QThreadPool::globalInstance()->waitForDone();
    }
};

QTEST_MAIN(TestHistoryViews)
#include "tst_history_views.moc"
