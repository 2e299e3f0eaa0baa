#include "FakeClock.h"

#include <QCoreApplication>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;
using zol::Clock;
using zol::test::FakeClock;

class TstClock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void waitsFireInDueOrderAtTheirOwnInstant();
    void droppingTheHandleCancels();
    void destroyedContextDropsTheWait();
    void callbacksMayScheduleAndCancelWhileTimeMoves();
    void setNowMovesWallTimeOnly();

    void systemClockFiresZeroWaitFromTheEventLoop();
    void systemClockCancelledWaitNeverFires();

private:
    QObject m_context;
};

// Each wait records its name and the seconds elapsed on both clocks when it ran:
// a wait must run at its own due instant, not at the end of the advance.
void TstClock::waitsFireInDueOrderAtTheirOwnInstant()
{
    FakeClock clock;
    const double origin = clock.monotonicSeconds();
    const QDateTime wallOrigin = clock.now();
    QStringList log;
    const auto record = [&](const QString& name) {
        return [&, name] {
            const double elapsed = clock.monotonicSeconds() - origin;
            QCOMPARE(double(wallOrigin.msecsTo(clock.now())) / 1000.0, elapsed);
            log.append(name + u'@' + QString::number(elapsed));
        };
    };

    Clock::Timer a = clock.after(5, &m_context, record(u"a"_s));
    Clock::Timer b = clock.every(2, &m_context, record(u"b"_s));
    Clock::Timer c = clock.after(3, &m_context, record(u"c"_s));
    Clock::Timer d = clock.after(2, &m_context, record(u"d"_s)); // due with b; scheduled later
    Clock::Timer e = clock.after(7.5, &m_context, record(u"e"_s));
    // Due with b's second tick, but scheduled before that tick was.
    Clock::Timer f = clock.after(4, &m_context, record(u"f"_s));
    QCOMPARE(clock.pendingTimers(), 6);

    clock.advance(1.75);
    QVERIFY(log.isEmpty());
    clock.advance(5.25);
    QCOMPARE(log,
             (QStringList{u"b@2"_s, u"d@2"_s, u"c@3"_s, u"f@4"_s, u"b@4"_s, u"a@5"_s, u"b@6"_s}));
    QCOMPARE(clock.monotonicSeconds() - origin, 7.0);

    // A one-shot wait that has run is spent; a repeating one stays due.
    QVERIFY(!a.isActive());
    QVERIFY(b.isActive());
    QVERIFY(e.isActive());
    QCOMPARE(clock.pendingTimers(), 2);

    log.clear();
    clock.advance(1);
    QCOMPARE(log, (QStringList{u"e@7.5"_s, u"b@8"_s}));
}

void TstClock::droppingTheHandleCancels()
{
    FakeClock clock;
    int fired = 0;
    {
        Clock::Timer gone = clock.after(1, &m_context, [&] { ++fired; });
    }
    Clock::Timer cancelled = clock.every(1, &m_context, [&] { ++fired; });
    cancelled.cancel();
    QVERIFY(!cancelled.isActive());

    // Assigning over a handle cancels the wait it held.
    Clock::Timer replaced = clock.after(1, &m_context, [&] { fired += 100; });
    replaced = clock.after(2, &m_context, [&] { fired += 10; });

    QCOMPARE(clock.pendingTimers(), 1);
    clock.advance(5);
    QCOMPARE(fired, 10);

    // An empty handle is harmless.
    Clock::Timer empty;
    QVERIFY(!empty.isActive());
    empty.cancel();
}

void TstClock::destroyedContextDropsTheWait()
{
    FakeClock clock;
    int fired = 0;
    auto* context = new QObject;
    Clock::Timer once = clock.after(1, context, [&] { ++fired; });
    Clock::Timer repeat = clock.every(1, context, [&] { ++fired; });
    clock.advance(1);
    QCOMPARE(fired, 2);

    delete context;
    QVERIFY(!once.isActive());
    QVERIFY(!repeat.isActive());
    QCOMPARE(clock.pendingTimers(), 0);
    clock.advance(10);
    QCOMPARE(fired, 2);
}

void TstClock::callbacksMayScheduleAndCancelWhileTimeMoves()
{
    FakeClock clock;
    const double origin = clock.monotonicSeconds();
    QStringList log;
    const auto at = [&](const QString& name) {
        log.append(name + u'@' + QString::number(clock.monotonicSeconds() - origin));
    };

    std::optional<Clock::Timer> victim;
    Clock::Timer chained;
    Clock::Timer immediate;
    int repeats = 0;
    Clock::Timer selfCancelling;

    Clock::Timer first = clock.after(1, &m_context, [&] {
        at(u"first"_s);
        // Scheduled from inside a callback: due within the same advance.
        chained = clock.after(1, &m_context, [&] { at(u"chained"_s); });
        immediate = clock.after(0, &m_context, [&] { at(u"immediate"_s); });
        // Cancelled before its time: it must not run.
        victim.reset();
    });
    victim.emplace(clock.after(3, &m_context, [&] { at(u"victim"_s); }));
    selfCancelling = clock.every(1.5, &m_context, [&] {
        at(u"repeat"_s);
        if (++repeats == 2)
            selfCancelling.cancel();
    });

    clock.advance(10);
    QCOMPARE(log, (QStringList{u"first@1"_s, u"immediate@1"_s, u"repeat@1.5"_s, u"chained@2"_s,
                               u"repeat@3"_s}));
    QCOMPARE(clock.pendingTimers(), 0);
    QCOMPARE(clock.monotonicSeconds() - origin, 10.0);
}

void TstClock::setNowMovesWallTimeOnly()
{
    FakeClock clock;
    const double monotonic = clock.monotonicSeconds();
    bool fired = false;
    Clock::Timer t = clock.after(10, &m_context, [&] { fired = true; });

    const QDateTime nextWeek = FakeClock::defaultStart().addDays(7);
    clock.setNow(nextWeek);
    QCOMPARE(clock.now(), nextWeek);
    QCOMPARE(clock.now().timeSpec(), Qt::UTC);
    QCOMPARE(clock.monotonicSeconds(), monotonic);
    QVERIFY(!fired);

    clock.advance(9);
    QVERIFY(!fired);
    QCOMPARE(clock.now(), nextWeek.addSecs(9));

    // Putting the wall clock back neither fires nor delays a wait.
    clock.setNow(FakeClock::defaultStart().addDays(-1));
    clock.advance(1);
    QVERIFY(fired);
    QCOMPARE(clock.now(), FakeClock::defaultStart().addDays(-1).addSecs(1));
    QCOMPARE(clock.monotonicSeconds(), monotonic + 10);
}

void TstClock::systemClockFiresZeroWaitFromTheEventLoop()
{
    Clock& clock = Clock::system();
    QCOMPARE(clock.now().timeSpec(), Qt::UTC);
    const double before = clock.monotonicSeconds();

    bool fired = false;
    Clock::Timer t = clock.after(0, &m_context, [&] { fired = true; });
    QVERIFY(!fired); // never from inside after()
    QTRY_VERIFY(fired);
    QVERIFY(!t.isActive());
    QVERIFY(clock.monotonicSeconds() >= before);
}

void TstClock::systemClockCancelledWaitNeverFires()
{
    Clock& clock = Clock::system();
    int cancelledRuns = 0;
    bool otherFired = false;
    auto* context = new QObject;
    Clock::Timer cancelled = clock.after(0, &m_context, [&] { ++cancelledRuns; });
    Clock::Timer orphaned = clock.every(0, context, [&] { ++cancelledRuns; });
    Clock::Timer other = clock.after(0, &m_context, [&] { otherFired = true; });
    cancelled.cancel();
    delete context;
    QVERIFY(!orphaned.isActive());

    QTRY_VERIFY(otherFired);
    QCoreApplication::processEvents();
    QCOMPARE(cancelledRuns, 0);
}

QTEST_GUILESS_MAIN(TstClock)
#include "tst_clock.moc"
