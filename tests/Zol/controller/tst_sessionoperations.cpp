// Pausing and resuming from a tray whose view of the books is out of date:
// another process (here a second tracker on the same file, as the command
// line is) paused, resumed or stopped the session first. The operation does
// what was asked or says why not, and never turns a pause into a resume.

#include "Builders.h"
#include "FakeClock.h"
#include "SessionOperations.h"
#include "store/EntryStore.h"
#include "tracking/Tracker.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestSessionOperations : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeClock> m_clock;
    // The tray's books and tracker, and the command line's.
    std::unique_ptr<EntryStore> m_trayStore;
    std::unique_ptr<Tracker> m_tray;
    std::unique_ptr<EntryStore> m_otherStore;
    std::unique_ptr<Tracker> m_other;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_clock = std::make_unique<FakeClock>(utc(2026, 12, 7, 9));
        const QString path = m_dir->filePath(u"books.sqlite"_s);
        m_trayStore = std::make_unique<EntryStore>(path, *m_clock);
        const QDateTime made = m_clock->now().addDays(-1);
        m_trayStore->addManualProject(project(u"2301"_s, u"Brand book"_s, u"Acme"_s, made, made));
        m_tray = std::make_unique<Tracker>(*m_trayStore, u"Tray"_s, *m_clock);
        m_tray->reload();
        QVERIFY(m_tray->start(m_tray->projects().constFirst()));
        m_otherStore = std::make_unique<EntryStore>(path, *m_clock);
        m_other = std::make_unique<Tracker>(*m_otherStore, u"Command line"_s, *m_clock);
        m_other->reload();
        QVERIFY(m_other->isRunning());
        m_clock->advance(60);
    }
    void cleanup()
    {
        m_other.reset();
        m_otherStore.reset();
        m_tray.reset();
        m_trayStore.reset();
        m_clock.reset();
        m_dir.reset();
    }

    void pauseAndResume()
    {
        const auto paused = SessionOperations::pause(*m_tray);
        QVERIFY(paused && paused->changed && paused->session.isPaused());
        m_clock->advance(60);
        const auto resumed = SessionOperations::resume(*m_tray);
        QVERIFY(resumed && resumed->changed && resumed->session.isTicking());
    }

    // The menu still said Pause when the click came.
    void pauseWhenAnotherProcessPausedFirst()
    {
        m_other->pause();
        QVERIFY(m_tray->isRunning()); // not looked yet
        const auto done = SessionOperations::pause(*m_tray);
        QVERIFY(done);
        QVERIFY(!done->changed);
        QVERIFY(m_tray->isPaused());
        m_other->reload();
        QVERIFY(m_other->isPaused());
    }

    void resumeWhenAnotherProcessResumedFirst()
    {
        QVERIFY(SessionOperations::pause(*m_tray));
        m_other->reload();
        m_other->resume();
        QVERIFY(m_tray->isPaused());
        const auto done = SessionOperations::resume(*m_tray);
        QVERIFY(done && !done->changed);
        QVERIFY(m_tray->isRunning());
    }

    void refusedWhenAnotherProcessStoppedIt()
    {
        m_other->stop();
        const auto paused = SessionOperations::pause(*m_tray);
        QVERIFY(!paused);
        QCOMPARE(paused.error().sentence, u"No timer is running."_s);
        QVERIFY(!m_tray->isTracking());
        const auto resumed = SessionOperations::resume(*m_tray);
        QVERIFY(!resumed);
        QCOMPARE(resumed.error().sentence, u"Nothing is paused."_s);
    }
};

QTEST_GUILESS_MAIN(TestSessionOperations)
#include "tst_sessionoperations.moc"
