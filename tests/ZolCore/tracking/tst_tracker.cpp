// The timer over a real store: what each step writes, the minute rule, pause
// arithmetic, the ticker, failures that leave the timer as it was, and a
// session surviving a killed process.

#include "Builders.h"
#include "FakeClock.h"
#include "store/EntryStore.h"
#include "tracking/Tracker.h"
#include "tracking/WorkStatus.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <thread>

using namespace zol;
using namespace zol::test;

namespace {

const Project brandBook{QStringLiteral("2301"), QStringLiteral("Brand book"), QStringLiteral("Acme"),
                        true, utc(2026, 1, 1), utc(2026, 1, 1)};
const Project website{QStringLiteral("2302"), QStringLiteral("Website"), QStringLiteral("Bakkerij"),
                      true, utc(2026, 1, 1), utc(2026, 1, 1)};

// The child of the crash test: start a session on the file, optionally pause
// it, say so, and wait to be killed.
int runChild(const QString& path, bool pause)
{
    EntryStore store(path);
    Tracker tracker(store, QStringLiteral("Child"));
    tracker.reload();
    tracker.start(brandBook, QStringLiteral("until killed"));
    if (pause)
        tracker.pause();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
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

    QString path() const { return m_dir.filePath(QStringLiteral("t%1.sqlite3").arg(m_counter)); }

    // The row as another connection sees it: proof that it reached the file.
    std::optional<TimeEntry> onDisk(const QUuid& id)
    {
        EntryStore other(path(), *m_clock);
        return other.entry(id);
    }

private Q_SLOTS:
    void init()
    {
        ++m_counter;
        m_clock = std::make_unique<FakeClock>(utc(2026, 3, 2, 9));
        m_store = std::make_unique<EntryStore>(path(), *m_clock);
        m_tracker = std::make_unique<Tracker>(*m_store, QStringLiteral("Studio iMac"), *m_clock,
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
        const auto started = m_tracker->start(brandBook, QStringLiteral("  first round \n"), QStringLiteral(" Sketch "));
        QVERIFY(started);
        const TimeEntry row = *onDisk(started->id);
        QVERIFY(row.isTicking());
        QCOMPARE(row.startedAt, m_clock->now());
        QCOMPARE(row.pausedSeconds, 0.0);
        QCOMPARE(row.note, QStringLiteral("first round"));
        QCOMPARE(row.task, QStringLiteral("Sketch"));
        QCOMPARE(row.machineName, QStringLiteral("Studio iMac"));
        QCOMPARE(row.projectName, QStringLiteral("Brand book"));
        QVERIFY(m_tracker->isRunning());
        QCOMPARE(m_tracker->lastProject()->serial, QStringLiteral("2301"));
        QCOMPARE(m_tracker->recent().size(), 1);
    }

    void projectsWithoutANumber()
    {
        Project unnumbered = brandBook;
        unnumbered.serial.clear();
        QVERIFY(!m_tracker->start(unnumbered));
        QVERIFY(m_store->recentEntries(5).isEmpty());

        const Project draft = Project::local(QStringLiteral("Poster"), QString(), m_clock->now());
        QVERIFY(m_tracker->start(draft));
        QCOMPARE(m_tracker->current()->projectSerial, draft.serial);
    }

    void theMinuteRule_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("kept");
        QTest::newRow("59.9 s") << 59.9 << false;
        QTest::newRow("60 s") << 60.0 << true;
        QTest::newRow("2 min") << 120.0 << true;
    }

    void theMinuteRule()
    {
        QFETCH(double, seconds);
        QFETCH(bool, kept);
        const TimeEntry started = *m_tracker->start(brandBook);
        m_clock->advance(seconds);
        const Tracker::StopResult result = m_tracker->stop();
        QCOMPARE(result.kind, kept ? Tracker::StopResult::Kind::logged : Tracker::StopResult::Kind::tooShort);
        QVERIFY(!m_tracker->current());
        // Too short is removed outright, not soft-deleted.
        EntryStore other(path(), *m_clock);
        QCOMPARE(bool(other.entry(started.id)), kept);
        QCOMPARE(other.deletedEntries(5).size(), 0);
        if (kept)
            QCOMPARE(other.entry(started.id)->endedAt, m_clock->now());
    }

    void startingWhileRunningStopsTheOldSession()
    {
        const TimeEntry short_ = *m_tracker->start(brandBook);
        m_clock->advance(30);
        const TimeEntry long_ = *m_tracker->start(website);
        QVERIFY(!onDisk(short_.id));
        m_clock->advance(120);
        const TimeEntry third = *m_tracker->startInternal(QStringLiteral("Admin"));
        QVERIFY(onDisk(long_.id)->endedAt);
        QCOMPARE(m_tracker->current()->id, third.id);
        QVERIFY(m_tracker->current()->isInternal);
        // Internal work does not change the project offered first.
        QCOMPARE(m_tracker->lastProject()->serial, QStringLiteral("2302"));
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
        QVERIFY(m_tracker->isRunning());
        const TimeEntry resumed = *onDisk(started.id);
        QVERIFY(!resumed.pausedAt);
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

    void discardUpdateDelete()
    {
        const TimeEntry first = *m_tracker->start(brandBook);
        m_clock->advance(5);
        m_tracker->discardRunning();
        QVERIFY(!m_tracker->current());
        EntryStore other(path(), *m_clock);
        QCOMPARE(other.deletedEntries(5).first().id, first.id);

        m_tracker->start(brandBook);
        m_clock->advance(600);
        TimeEntry done = *m_tracker->stop().loggedEntry();
        m_store->markUploaded({done.id}, m_clock->now());
        done = *m_store->entry(done.id);
        done.note = QStringLiteral("edited");
        m_tracker->update(done);
        QVERIFY(!m_store->entry(done.id)->uploadedAt);
        QCOMPARE(m_tracker->recent().first().note, QStringLiteral("edited"));

        m_tracker->deleteEntry(done);
        QVERIFY(m_tracker->recent().isEmpty());
    }

    void replaceCurrentOnlyForTheOpenSession()
    {
        TimeEntry running = *m_tracker->start(brandBook);
        running.note = QStringLiteral("edited while running");
        running.startedAt = running.startedAt.addSecs(-1800);
        m_tracker->replaceCurrent(running);
        QCOMPARE(onDisk(running.id)->note, QStringLiteral("edited while running"));
        QCOMPARE(m_tracker->elapsed(), 1800.0);

        TimeEntry stranger = running;
        stranger.id = newUuid();
        stranger.note = QStringLiteral("not me");
        m_tracker->replaceCurrent(stranger);
        QVERIFY(!onDisk(stranger.id));
    }

    void tickerRunsOnlyWhileASessionIsOpen()
    {
        QSignalSpy ticks(m_tracker.get(), &Tracker::nowChanged);
        m_clock->advance(5);
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(m_clock->pendingTimers(), 0);

        m_tracker->start(brandBook);
        ticks.clear();
        m_clock->advance(3);
        QCOMPARE(ticks.count(), 3);
        QCOMPARE(m_tracker->now(), m_clock->now());
        QCOMPARE(m_tracker->elapsed(), 3.0);

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

    void notifiesOnlyRealChanges()
    {
        m_store->addManualProject(brandBook);
        QSignalSpy current(m_tracker.get(), &Tracker::currentChanged);
        QSignalSpy recent(m_tracker.get(), &Tracker::recentChanged);
        QSignalSpy projects(m_tracker.get(), &Tracker::projectsChanged);
        QSignalSpy last(m_tracker.get(), &Tracker::lastProjectChanged);
        m_tracker->reload();
        QCOMPARE(projects.count(), 1);
        QCOMPARE(last.count(), 1); // the first active project
        m_tracker->reload();
        m_clock->advance(60);
        m_tracker->reload();
        QCOMPARE(current.count(), 0);
        QCOMPARE(recent.count(), 0);
        QCOMPARE(projects.count(), 1);
        QCOMPARE(last.count(), 1);
    }

    void todayTotalCountsTodayOnly()
    {
        m_store->save(session(utc(2026, 3, 1, 22), 90)); // yesterday, into today
        m_store->save(session(utc(2026, 3, 2, 7), 45));
        m_tracker->reload();
        QCOMPARE(m_tracker->todayTotal(), 45 * 60.0);
        m_tracker->start(brandBook);
        m_clock->advance(30);
        QCOMPARE(m_tracker->todayTotal(), 45 * 60.0 + 30);
        QCOMPARE(WorkStatus::forTime(m_tracker->todayTotal())->phrase, QStringLiteral("Good start"));
    }

    void storeFailuresLeaveTheTimerAsItWas()
    {
        m_store->database().execute(QStringLiteral("PRAGMA busy_timeout = 20;"));
        SQLiteDatabase other(path());
        other.execute(QStringLiteral("BEGIN IMMEDIATE;"));

        QVERIFY(!m_tracker->start(brandBook));
        QVERIFY(!m_tracker->current());
        QCOMPARE(m_tracker->loadError(), std::optional<QString>(QStringLiteral("database is locked")));

        other.execute(QStringLiteral("COMMIT;"));
        m_tracker->reload();
        QVERIFY(!m_tracker->loadError());
        const TimeEntry running = *m_tracker->start(brandBook);
        m_clock->advance(300);

        // A write the database refuses: the session keeps running.
        m_store->database().execute(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE UPDATE ON entries BEGIN SELECT RAISE(ABORT, 'disk says no'); END;"));
        QCOMPARE(m_tracker->stop().kind, Tracker::StopResult::Kind::nothing);
        QCOMPARE(m_tracker->current()->id, running.id);
        QVERIFY(m_tracker->isRunning());
        QCOMPARE(m_tracker->loadError(), std::optional<QString>(QStringLiteral("disk says no")));
        m_tracker->pause();
        QVERIFY(m_tracker->isRunning());
        m_tracker->discardRunning();
        QCOMPARE(m_tracker->current()->id, running.id);

        m_store->database().execute(QStringLiteral("DROP TRIGGER refuse;"));
        QVERIFY(m_tracker->stop().loggedEntry());
        QVERIFY(!m_tracker->loadError());
    }

    void aKilledProcessLosesNothing_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("running") << false;
        QTest::newRow("paused") << true;
    }

    void aKilledProcessLosesNothing()
    {
        QFETCH(bool, paused);
        const QString file = m_dir.filePath(QStringLiteral("killed-%1.sqlite3").arg(paused));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZOL_TRACKER_CHILD"), file);
        env.insert(QStringLiteral("ZOL_TRACKER_CHILD_PAUSE"), paused ? QStringLiteral("1") : QStringLiteral("0"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForReadyRead(20'000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(20'000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        // Relaunched an hour later.
        EntryStore store(file, *m_clock);
        const TimeEntry left = *store.openEntry();
        m_clock->setNow(left.startedAt.addSecs(3600));
        Tracker tracker(store, QStringLiteral("Studio iMac"), *m_clock);
        tracker.reload();
        QVERIFY(tracker.current());
        QCOMPARE(tracker.current()->note, QStringLiteral("until killed"));
        QCOMPARE(tracker.isPaused(), paused);
        if (paused) {
            QVERIFY(tracker.elapsed() < 1.0);
        } else {
            QCOMPARE(tracker.elapsed(), 3600.0);
        }
        const double before = tracker.elapsed();
        m_clock->advance(60);
        QCOMPARE(tracker.elapsed(), paused ? before : before + 60);
    }
};

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet("ZOL_TRACKER_CHILD"))
        return runChild(qEnvironmentVariable("ZOL_TRACKER_CHILD"),
                        qEnvironmentVariable("ZOL_TRACKER_CHILD_PAUSE") == QStringLiteral("1"));
    QCoreApplication app(argc, argv);
    TestTracker test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tracker.moc"
