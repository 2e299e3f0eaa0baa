// What a person does to the session, from a tray whose view of the books is
// out of date: another process (a second controller on the same files, as
// the command line is) paused, resumed or stopped the session first. The
// operation does what was asked or says why not, and never turns a pause into
// a resume.

#include "AppModel.h"
#include "Books.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestSessionOperations : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    // The command line's controller on the same books.
    std::unique_ptr<AppModel> m_other;

    AppModel& tray() { return *m_books->model; }
    Tracker& trayTracker() { return *tray().books().tracker(); }
    Tracker& otherTracker() { return *m_other->books().tracker(); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_books->store().addManualProject(brandBook);
        tray().books().reloadTracker();
        QVERIFY(tray().sessions().start(brandBook));
        m_other = m_books->start();
        QVERIFY(otherTracker().isRunning());
        m_books->clock.advance(60);
    }
    void cleanup()
    {
        m_other.reset();
        m_books.reset();
    }

    void pauseAndResume()
    {
        const auto paused = tray().sessions().pause();
        QVERIFY(paused && paused->changed && paused->session.isPaused());
        m_books->clock.advance(60);
        const auto resumed = tray().sessions().resume();
        QVERIFY(resumed && resumed->changed && resumed->session.isTicking());
    }

    // The menu still said Pause when the click came.
    void pauseWhenAnotherProcessPausedFirst()
    {
        QVERIFY(m_other->sessions().pause());
        QVERIFY(trayTracker().isRunning()); // not looked yet
        const auto done = tray().sessions().pause();
        QVERIFY(done);
        QVERIFY(!done->changed);
        QVERIFY(trayTracker().isPaused());
        otherTracker().reload();
        QVERIFY(otherTracker().isPaused());
    }

    void resumeWhenAnotherProcessResumedFirst()
    {
        QVERIFY(tray().sessions().pause());
        otherTracker().reload();
        QVERIFY(m_other->sessions().resume());
        QVERIFY(trayTracker().isPaused());
        const auto done = tray().sessions().resume();
        QVERIFY(done && !done->changed);
        QVERIFY(trayTracker().isRunning());
    }

    void refusedWhenAnotherProcessStoppedIt()
    {
        QVERIFY(m_other->sessions().stop());
        const auto paused = tray().sessions().pause();
        QVERIFY(!paused);
        QCOMPARE(paused.error().sentence, u"No timer is running."_s);
        QVERIFY(!trayTracker().isTracking());
        const auto resumed = tray().sessions().resume();
        QVERIFY(!resumed);
        QCOMPARE(resumed.error().sentence, u"Nothing is paused."_s);
        QVERIFY(!tray().sessions().setNote(u"Late"_s));
    }

    // A reminder's buttons name their session. The command line stopped it
    // and started another before the tray looked: the other one is left as
    // it is, by Pause and by Stop.
    void aReminderActsOnlyOnItsOwnSession()
    {
        const QUuid reminded = trayTracker().current()->id;
        QVERIFY(m_other->sessions().stop());
        m_books->clock.advance(60);
        QVERIFY(m_other->sessions().startInternal(u"Admin"_s));
        QVERIFY(!tray().sessions().pause(reminded));
        QVERIFY(!tray().sessions().stop(reminded));
        otherTracker().reload();
        QVERIFY(otherTracker().isRunning());
        QCOMPARE(otherTracker().current()->projectName, u"Admin"_s);
    }

    // The note typed in the panel and still waiting for its save goes into
    // the session before a pause from the menu, not after it is lost.
    void aWaitingNoteIsSavedFirst()
    {
        tray().panel().setCurrentNote(u"Drafting"_s);
        QVERIFY(tray().sessions().pause());
        otherTracker().reload();
        QCOMPARE(otherTracker().current()->note, u"Drafting"_s);
    }

    // The panel and the command line refuse the same descriptions of internal
    // work; the panel used to start whatever it was given.
    void internalWorkIsDescribedAsTheChecksAllow()
    {
        const auto blank = tray().sessions().startInternal(u"  "_s);
        QCOMPARE(blank.error().sentence, u"Internal work needs a description."_s);
        tray().panel().armInternal(QString(201, u'x'));
        const auto tooLong = tray().sessions().startArmed();
        QVERIFY(!tooLong);
        QVERIFY(tooLong.error().sentence.contains(u"The description of the internal work"_s));
        QCOMPARE(trayTracker().current()->projectSerial, brandBook.serial);
    }
};

QTEST_GUILESS_MAIN(TestSessionOperations)
#include "tst_sessionoperations.moc"
