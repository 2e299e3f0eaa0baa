// The timer over a real store: what each step writes, the minute rule, pause
// arithmetic, the ticker, failures that leave the timer as it was, a session
// surviving a killed process, and the status shown for the day's total.

#include "Builders.h"
#include "FakeClock.h"
#include "store/EntryStore.h"
#include "tracking/Tracker.h"
#include "tracking/WorkStatus.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

// A clock on which every reading is a millisecond later than the one before,
// as a real clock is across a write that waits for the books' lock.
class TickingClock final : public Clock
{
public:
    explicit TickingClock(const QDateTime& start)
        : m_next(start)
    {}
    QDateTime now() const override
    {
        const QDateTime reading = m_next;
        m_next = m_next.addMSecs(1);
        return reading;
    }
    void advance(double seconds) { m_next = m_next.addMSecs(qint64(seconds * 1000)); }
    double monotonicSeconds() const override { return 0; }
    Timer after(double, QObject*, Callback) override { return {}; }
    Timer every(double, QObject*, Callback) override { return {}; }

private:
    mutable QDateTime m_next;
};

const Project brandBook{u"2301"_s, u"Brand book"_s, u"Acme"_s,
                        true,      utc(2026, 1, 1), utc(2026, 1, 1)};
const Project website{u"2302"_s, u"Website"_s,    u"Bakkerij"_s,
                      true,      utc(2026, 1, 1), utc(2026, 1, 1)};

// The child of the crash test: start a session on the file, optionally pause
// it, say so, and wait to be killed.
int runChild(const QString& path, bool pause)
{
    EntryStore store(path);
    Tracker tracker(store, u"Child"_s);
    tracker.reload();
    tracker.start(brandBook, u"until killed"_s);
    if (pause)
        tracker.pause();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

// The child of the kill loop: start, pause, resume and stop over and over on
// a fake clock (every session long enough to keep), saying which session it
// logged once the stop is written, until it is killed.
int runCycles(const QString& path, int round)
{
    FakeClock clock(utc(2026, 3, 2).addDays(round));
    EntryStore store(path, clock);
    Tracker tracker(store, u"Child"_s, clock);
    tracker.reload();
    for (;;) {
        tracker.start(brandBook, u"cycle"_s);
        clock.advance(90);
        tracker.pause();
        clock.advance(30);
        tracker.resume();
        clock.advance(90);
        if (const std::optional<TimeEntry> logged = tracker.stop().loggedEntry()) {
            std::printf("logged %s\n", qPrintable(uuidText(logged->id)));
            std::fflush(stdout);
        }
        clock.advance(10);
    }
}

} // namespace

class TestTracker : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<EntryStore> m_store;
    std::unique_ptr<Tracker> m_tracker;
    int m_counter = 0;

    QString path() const { return m_dir.filePath(u"t%1.sqlite3"_s.arg(m_counter)); }

    // The row as another connection sees it: proof that it reached the file.
    std::optional<TimeEntry> onDisk(const QUuid& id)
    {
        return EntryStore(path(), *m_clock).entry(id);
    }

    qint64 openSessions()
    {
        auto statement =
            EntryStore(path(), *m_clock)
                .database()
                .prepare(
                    u"SELECT count(*) FROM entries WHERE ended_at IS NULL AND deleted_at IS NULL;"_s);
        return statement.step() ? statement.integer(0) : -1;
    }

private Q_SLOTS:
    void init()
    {
        ++m_counter;
        m_clock = std::make_unique<FakeClock>(utc(2026, 3, 2, 9));
        m_store = std::make_unique<EntryStore>(path(), *m_clock);
        m_tracker = std::make_unique<Tracker>(*m_store, u"Studio iMac"_s, *m_clock,
                                              Calendar(QTimeZone::utc()));
        m_tracker->reload();
    }

    void cleanup()
    {
        m_tracker.reset();
        m_store.reset();
    }

    void startWritesTheSessionAtOnce()
    {
        const auto started = m_tracker->start(brandBook, u"  first round \n"_s, u" Sketch "_s);
        QVERIFY(started);
        const TimeEntry row = *onDisk(started->id);
        QVERIFY(row.isTicking() && m_tracker->isRunning());
        QCOMPARE(row.startedAt, m_clock->now());
        QCOMPARE((QStringList{row.note, row.task, row.machineName, row.projectName}),
                 (QStringList{u"first round"_s, u"Sketch"_s, u"Studio iMac"_s, u"Brand book"_s}));
        QCOMPARE(m_tracker->lastProject()->serial, u"2301"_s);
    }

    void projectsWithoutANumber()
    {
        Project unnumbered = brandBook;
        unnumbered.serial.clear();
        QVERIFY(!m_tracker->start(unnumbered) && m_store->recentEntries(5).isEmpty());
        // A draft has a local key in place of a number, and may be tracked.
        const Project draft = Project::local(u"Poster"_s, QString(), m_clock->now());
        QCOMPARE(m_tracker->start(draft)->projectSerial, draft.serial);
    }

    void theMinuteRule()
    {
        // Too short is removed outright, not soft-deleted.
        for (const auto& [seconds, kept] : {std::pair{59.9, false}, std::pair{60.0, true}}) {
            const TimeEntry started = *m_tracker->start(brandBook);
            m_clock->advance(seconds);
            QCOMPARE(m_tracker->stop().kind, kept ? Tracker::StopResult::Kind::logged
                                                  : Tracker::StopResult::Kind::tooShort);
            QVERIFY(!m_tracker->current());
            const std::optional<TimeEntry> row = onDisk(started.id);
            QCOMPARE(bool(row), kept);
            QVERIFY(!kept || row->endedAt == m_clock->now());
        }
        QCOMPARE(m_store->deletedEntries(5).size(), 0);
    }

    void startingWhileRunningStopsTheOldSession()
    {
        const TimeEntry short_ = *m_tracker->start(brandBook);
        m_clock->advance(30);
        const TimeEntry long_ = *m_tracker->start(website);
        QVERIFY(!onDisk(short_.id));
        m_clock->advance(120);
        const TimeEntry third = *m_tracker->startInternal(u"Admin"_s);
        QVERIFY(onDisk(long_.id)->endedAt);
        QCOMPARE(m_tracker->current()->id, third.id);
        QVERIFY(m_tracker->current()->isInternal);
        // Internal work does not change the project offered first.
        QCOMPARE(m_tracker->lastProject()->serial, u"2302"_s);
    }

    // The session a start stops ends exactly where the new one begins,
    // however long the start waited for the books: no hour counted twice.
    void aSwitchIsOneInstant()
    {
        TickingClock ticking(utc(2026, 3, 2, 9));
        Tracker tracker(*m_store, u"Studio iMac"_s, ticking, Calendar(QTimeZone::utc()));
        const TimeEntry first = *tracker.start(brandBook);
        ticking.advance(600);
        const TimeEntry second = *tracker.start(website);
        ticking.advance(600);
        const TimeEntry third = *tracker.startInternal(u"Admin"_s);
        QCOMPARE(*onDisk(first.id)->endedAt, onDisk(second.id)->startedAt);
        QCOMPARE(*onDisk(second.id)->endedAt, onDisk(third.id)->startedAt);
        QCOMPARE(second.startedAt, onDisk(second.id)->startedAt);
    }

    void pauseArithmetic()
    {
        const TimeEntry started = *m_tracker->start(brandBook);
        m_clock->advance(600);
        m_tracker->pause();
        QVERIFY(m_tracker->isPaused());
        QCOMPARE(onDisk(started.id)->pausedAt, m_clock->now());

        // A pause while paused, or a resume while running, writes nothing.
        m_clock->advance(300);
        const QDateTime stamp = onDisk(started.id)->updatedAt;
        m_tracker->pause();
        QCOMPARE(onDisk(started.id)->updatedAt, stamp);
        QCOMPARE(m_tracker->elapsed(), 600.0);
        m_tracker->togglePause();
        const TimeEntry resumed = *onDisk(started.id);
        QVERIFY(m_tracker->isRunning() && !resumed.pausedAt);
        QCOMPARE(resumed.pausedSeconds, 300.0);
        m_tracker->resume();
        QCOMPARE(onDisk(started.id)->updatedAt, resumed.updatedAt);

        m_clock->advance(60);
        m_tracker->pause();
        m_clock->advance(3600);
        // Stopping while paused ends the session where the pause began.
        const Tracker::StopResult result = m_tracker->stop();
        QCOMPARE(result.loggedEntry()->endedAt, started.startedAt.addSecs(960));
        QCOMPARE(result.loggedEntry()->duration(m_clock->now()), 660.0);
        QVERIFY(!onDisk(started.id)->pausedAt);
        QCOMPARE(m_tracker->stop().kind, Tracker::StopResult::Kind::nothing);
    }

    void discardUpdateReplaceDelete()
    {
        // A discarded session goes to the bin finished (a paused one where its
        // pause began), so a restore never brings back a second timer.
        const TimeEntry first = *m_tracker->start(brandBook);
        m_clock->advance(5);
        QCOMPARE(m_tracker->discardRunning()->id, first.id);
        QVERIFY(!m_tracker->current());
        TimeEntry binned = EntryStore(path(), *m_clock).deletedEntries(5).first();
        QVERIFY(binned.id == first.id && binned.endedAt == m_clock->now());
        const TimeEntry paused = *m_tracker->start(brandBook);
        m_clock->advance(90);
        m_tracker->pause();
        m_clock->advance(600);
        m_tracker->discardRunning();
        binned = EntryStore(path(), *m_clock).deletedEntries(5).first();
        QVERIFY(binned.id == paused.id && binned.endedAt == paused.startedAt.addSecs(90) &&
                !binned.pausedAt);

        m_tracker->start(brandBook);
        m_clock->advance(600);
        TimeEntry done = *m_tracker->stop().loggedEntry();
        m_store->markUploaded({done.id}, m_clock->now());
        done = *m_store->entry(done.id);
        done.note = u"edited"_s;
        m_tracker->update(done);
        QVERIFY(!m_store->entry(done.id)->uploadedAt);
        QCOMPARE(m_tracker->recent().first().note, u"edited"_s);

        m_tracker->deleteEntry(done);
        QVERIFY(m_tracker->recent().isEmpty());
        // A session discarded while it ran comes back finished, never as a
        // second timer.
        QVERIFY(m_store->restore(paused.id).isEmpty());
        QVERIFY(!m_store->openEntry() && m_store->entry(paused.id)->endedAt);
        m_store->deleteEntry(paused.id);
        // replaceCurrent() is for the open session only.
        TimeEntry running = *m_tracker->start(brandBook);
        running.note = u"edited while running"_s;
        running.startedAt = running.startedAt.addSecs(-1800);
        m_tracker->replaceCurrent(running);
        QCOMPARE(onDisk(running.id)->note, u"edited while running"_s);
        QCOMPARE(m_tracker->elapsed(), 1800.0);

        TimeEntry stranger = running;
        stranger.id = newUuid();
        m_tracker->replaceCurrent(stranger);
        QVERIFY(!onDisk(stranger.id));

        // The first session discarded holds hours the running one now covers.
        QCOMPARE(m_store->restore(first.id).first().id, running.id);
    }

    void tickerRunsOnlyWhileASessionIsOpen()
    {
        QSignalSpy ticks(m_tracker.get(), &Tracker::nowChanged);
        QCOMPARE(m_clock->pendingTimers(), 0);

        m_tracker->start(brandBook);
        m_clock->advance(3);
        QCOMPARE(ticks.count(), 3);
        QCOMPARE(m_tracker->now(), m_clock->now());

        // Paused: the ticker goes on, the elapsed time stands still.
        m_tracker->pause();
        m_clock->advance(10);
        QCOMPARE(m_tracker->elapsed(), 3.0);
        QCOMPARE(m_clock->pendingTimers(), 1);

        m_tracker->stop();
        ticks.clear();
        m_clock->advance(5);
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(m_clock->pendingTimers(), 0);
    }

    // With nothing showing seconds the clock moves as the session's minute
    // turns, wherever a pause has put that turn; asking for seconds again
    // brings `now` up to date at once.
    void minuteTicksFollowTheSessionsMinute()
    {
        m_tracker->setTickRate(Tracker::TickRate::minutes);
        QSignalSpy ticks(m_tracker.get(), &Tracker::nowChanged);
        // No tick until `seconds` have passed, then one, at `elapsed`.
        const auto turnsAfter = [&](double seconds, double elapsed) {
            ticks.clear();
            m_clock->advance(seconds - 0.5);
            QCOMPARE(ticks.count(), 0);
            m_clock->advance(0.5);
            QCOMPARE(ticks.count(), 1);
            QCOMPARE(m_tracker->elapsed(), elapsed);
        };
        m_tracker->start(brandBook);
        turnsAfter(60, 60.0);

        m_clock->advance(30);
        m_tracker->pause(); // at 1:30
        m_clock->advance(20);
        m_tracker->resume();
        turnsAfter(30, 120.0);

        m_clock->advance(10);
        m_tracker->setTickRate(Tracker::TickRate::seconds);
        QCOMPARE(m_tracker->elapsed(), 130.0);
        ticks.clear();
        m_clock->advance(3);
        QCOMPARE(ticks.count(), 3);
    }

    void notifiesOnlyRealChanges()
    {
        m_store->addManualProject(brandBook);
        QSignalSpy current(m_tracker.get(), &Tracker::currentChanged);
        QSignalSpy recent(m_tracker.get(), &Tracker::recentChanged);
        QSignalSpy projects(m_tracker.get(), &Tracker::projectsChanged);
        QSignalSpy last(m_tracker.get(), &Tracker::lastProjectChanged);
        // Once for the new project and the first active project, then never again.
        for (int i = 0; i < 3; ++i) {
            m_tracker->reload();
            m_clock->advance(60);
        }
        QCOMPARE(
            (QList<qsizetype>{current.count(), recent.count(), projects.count(), last.count()}),
            (QList<qsizetype>{0, 0, 1, 1}));
    }

    void todayTotalCountsTodayOnly()
    {
        m_store->save(session(utc(2026, 3, 1, 22), 90)); // yesterday, into today
        m_store->save(session(utc(2026, 3, 2, 7), 45));
        m_store->save(session(utc(2026, 3, 3, 9), 45)); // tomorrow
        m_tracker->reload();
        QCOMPARE(m_tracker->todayTotal(), 45 * 60.0);
        m_tracker->start(brandBook);
        m_clock->advance(30);
        QCOMPARE(m_tracker->todayTotal(), 45 * 60.0 + 30);
    }

    // Two timers on one set of books (the tray app and the command line):
    // each step acts on the open session as the books hold it, whatever the
    // other timer last saw, so the books never hold two open sessions.
    void twoTimersOnOneBooksTakeTurns()
    {
        EntryStore otherStore(path(), *m_clock);
        Tracker other(otherStore, u"Laptop"_s, *m_clock);
        other.reload();

        const TimeEntry mine = *m_tracker->start(brandBook);
        m_clock->advance(120);
        const TimeEntry theirs = *other.start(website); // it never saw mine
        QCOMPARE(openSessions(), 1);
        QCOMPARE(onDisk(mine.id)->endedAt, m_clock->now());

        // This timer still shows its own session; its pause pauses the one
        // that runs, and its edit of the stopped one cannot reopen it.
        QCOMPARE(m_tracker->current()->id, mine.id);
        m_clock->advance(120);
        m_tracker->pause();
        QVERIFY(onDisk(theirs.id)->isPaused());
        QCOMPARE(m_tracker->current()->id, theirs.id);
        TimeEntry stale = mine;
        stale.note = u"edited"_s;
        QVERIFY(!other.update(stale));
        QVERIFY(other.loadError());
        QVERIFY(onDisk(mine.id)->endedAt && onDisk(mine.id)->note.isEmpty());

        // The hot key on the other timer: the paused session counts as not
        // running, so its project starts again.
        QCOMPARE(other.toggle(brandBook), Tracker::ToggleResult::started);
        QCOMPARE(openSessions(), 1);
        QCOMPARE(other.toggle(brandBook), Tracker::ToggleResult::paused);
        QCOMPARE(m_tracker->stop().kind, Tracker::StopResult::Kind::tooShort);
        QCOMPARE(openSessions(), 0);
    }

    void storeFailuresLeaveTheTimerAsItWas()
    {
        m_store->database().execute(u"PRAGMA busy_timeout = 20;"_s);
        SQLiteDatabase other(path());
        other.execute(u"BEGIN IMMEDIATE;"_s);

        QVERIFY(!m_tracker->start(brandBook) && !m_tracker->current());
        QCOMPARE(m_tracker->loadError(), std::optional<QString>(u"database is locked"_s));

        other.execute(u"COMMIT;"_s);
        m_tracker->reload();
        QVERIFY(!m_tracker->loadError());
        const TimeEntry running = *m_tracker->start(brandBook);
        m_clock->advance(300);

        // A write the database refuses: the session keeps running.
        m_store->database().execute(
            QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON entries BEGIN SELECT "
                           "RAISE(ABORT, 'disk says no'); END;"));
        QCOMPARE(m_tracker->stop().kind, Tracker::StopResult::Kind::nothing);
        QCOMPARE(m_tracker->loadError(), std::optional<QString>(u"disk says no"_s));
        m_tracker->pause();
        m_tracker->discardRunning();
        QVERIFY(m_tracker->isRunning());
        QCOMPARE(m_tracker->current()->id, running.id);

        m_store->database().execute(u"DROP TRIGGER refuse;"_s);
        QVERIFY(m_tracker->stop().loggedEntry());
        QVERIFY(!m_tracker->loadError());
    }

    // Each status starts at its threshold, not a second later; nothing tracked has none.
    void workStatusThresholds()
    {
        const auto phrase = [](double seconds) {
            const std::optional<WorkStatus> status = WorkStatus::forTime(seconds);
            return status ? status->phrase : QString();
        };
        QCOMPARE(phrase(0), QString());
        QCOMPARE(phrase(-5), QString());
        QCOMPARE(phrase(1), u"Off the mark"_s);
        QCOMPARE(phrase(1799), u"Off the mark"_s);
        QCOMPARE(phrase(1800), u"Good start"_s);
        QCOMPARE(phrase(39600), u"Go home"_s);
    }

    void aKilledProcessLosesNothing()
    {
        for (const bool paused : {false, true}) {
            const QString file = m_dir.filePath(u"killed-%1.sqlite3"_s.arg(paused));
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {u"--child"_s, file, paused ? u"paused"_s : u"running"_s});
            QVERIFY(child.waitForReadyRead(20'000));
            QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(20'000));
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            // Relaunched an hour later: a running session counts the hour, a paused one does not.
            EntryStore store(file, *m_clock);
            m_clock->setNow(store.openEntry()->startedAt.addSecs(3600));
            Tracker tracker(store, u"Studio iMac"_s, *m_clock);
            tracker.reload();
            QVERIFY(tracker.current() && tracker.current()->note == u"until killed"_s);
            QCOMPARE(tracker.isPaused(), paused);
            const double before = tracker.elapsed();
            QVERIFY(paused ? before < 1.0 : before == 3600.0);
            m_clock->advance(60);
            QCOMPARE(tracker.elapsed(), paused ? before : before + 60);
        }
    }

    // Killed at any moment of any step, over and over: every session a step
    // reported as written is still there, the file is whole, and it never
    // holds more than one open session.
    // The timer keeps its lists up to date after its own steps instead of
    // reading them again. Whatever mix of steps, edits and writes from
    // elsewhere (another connection, or this store used directly), what it
    // shows must be what a timer that has just read the books shows.
    void patchedListsAgreeWithAFreshRead()
    {
        m_store->addManualProject(brandBook);
        m_store->addManualProject(website);
        // More than the recent list holds, so that a session removed from it
        // brings one in from below.
        const QDateTime history = m_clock->now().addDays(-40);
        for (int i = 0; i < Tracker::recentLimit + 20; ++i)
            m_store->save(session(history.addSecs(i * 3600), 30));
        m_tracker->reload();

        EntryStore elsewhere(path(), *m_clock);
        QRandomGenerator random(20261208);
        QStringList steps;
        const auto pickRecent = [&]() -> std::optional<TimeEntry> {
            const QList<TimeEntry>& recent = m_tracker->recent();
            if (recent.isEmpty())
                return std::nullopt;
            return recent.at(random.bounded(int(std::min<qsizetype>(recent.size(), 30))));
        };
        for (int round = 0; round < 400; ++round) {
            m_clock->advance(random.bounded(5, 240));
            const int kind = int(random.bounded(12));
            steps.append(QString::number(kind));
            bool fromElsewhere = false;
            switch (kind) {
            case 0:
                m_tracker->start(random.bounded(2) ? brandBook : website, u"n"_s);
                break;
            case 1:
                m_tracker->startInternal(u"Admin"_s);
                break;
            case 2:
            case 3:
                m_tracker->stop();
                break;
            case 4:
                m_tracker->pause();
                break;
            case 5:
                m_tracker->resume();
                break;
            case 6:
                m_tracker->toggle(website);
                break;
            case 7:
                m_tracker->discardRunning();
                break;
            case 8:
                if (std::optional<TimeEntry> entry = pickRecent(); entry && entry->endedAt) {
                    entry->note = u"edited %1"_s.arg(round);
                    entry->startedAt = entry->startedAt.addSecs(-60);
                    m_tracker->update(*entry);
                }
                break;
            case 9:
                if (std::optional<TimeEntry> entry = pickRecent(); entry && entry->endedAt)
                    m_tracker->deleteEntry(*entry);
                break;
            case 10:
                // Another process logs a session from a while ago.
                elsewhere.save(session(m_clock->now().addSecs(-random.bounded(1, 90'000)), 20));
                fromElsewhere = true;
                break;
            case 11:
                // Another part of this process, through the same store.
                if (std::optional<TimeEntry> entry = pickRecent(); entry && entry->endedAt)
                    m_store->deleteEntry(entry->id);
                else
                    m_store->save(session(m_clock->now().addSecs(-3000), 15));
                fromElsewhere = true;
                break;
            }
            // A write from elsewhere shows once the timer looks again, or at
            // its next step; its own steps show at once.
            if (fromElsewhere && random.bounded(2) == 0)
                continue;
            if (fromElsewhere)
                m_tracker->reloadIfChangedElsewhere();

            EntryStore freshStore(path(), *m_clock);
            Tracker fresh(freshStore, u"Studio iMac"_s, *m_clock, Calendar(QTimeZone::utc()));
            fresh.reload();
            const QString trail = steps.join(u' ');
            QVERIFY2(m_tracker->current() == fresh.current(), qPrintable(trail));
            QVERIFY2(m_tracker->recent() == fresh.recent(), qPrintable(trail));
            QVERIFY2(m_tracker->projects() == fresh.projects(), qPrintable(trail));
        }
    }

    void killedMidStepLosesNothing()
    {
        const QString file = m_dir.filePath(u"killed-loop.sqlite3"_s);
        QSet<QString> logged;
        QRandomGenerator random(20260302);
        for (int round = 0; round < 100; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {u"--cycles"_s, file, QString::number(round)});
            QVERIFY(child.waitForStarted(20'000));
            // Somewhere in the first few sessions, and somewhere in a step.
            for (int wanted = int(random.bounded(4)); wanted > 0;) {
                QVERIFY(child.waitForReadyRead(20'000));
                while (child.canReadLine()) {
                    logged.insert(QString::fromUtf8(child.readLine().trimmed().mid(7)));
                    --wanted;
                }
            }
            QThread::usleep(random.bounded(3000));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(20'000));
            while (child.canReadLine())
                logged.insert(QString::fromUtf8(child.readLine().trimmed().mid(7)));

            EntryStore store(file, *m_clock);
            auto check = store.database().prepare(u"PRAGMA integrity_check;"_s);
            QVERIFY(check.step() && check.text(0) == u"ok"_s);
            auto open = store.database().prepare(
                u"SELECT count(*) FROM entries WHERE ended_at IS NULL AND deleted_at IS NULL;"_s);
            QVERIFY(open.step() && open.integer(0) <= 1);
        }
        EntryStore store(file, *m_clock);
        QSet<QString> kept;
        for (const TimeEntry& entry : store.entries(utc(2026, 1, 1), utc(2027, 1, 1))) {
            if (entry.endedAt)
                kept.insert(uuidText(entry.id));
        }
        QVERIFY(logged.size() > 100);
        QVERIFY(kept.contains(logged));
    }
};

int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]), qstrcmp(argv[3], "paused") == 0);
    if (argc == 4 && qstrcmp(argv[1], "--cycles") == 0)
        return runCycles(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    QCoreApplication app(argc, argv);
    TestTracker test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tracker.moc"
