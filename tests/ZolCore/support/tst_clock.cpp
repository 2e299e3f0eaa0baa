#include "FakeClock.h"

#include <QCoreApplication>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::Clock;
using zol::test::FakeClock;

class TstClock : public QObject
{
    Q_OBJECT
    QObject m_context;

private Q_SLOTS:
    // Ties run in the order they were scheduled, a repeating wait's next tick
    // counting as scheduled when it is re-armed; callbacks may schedule and
    // cancel others; setNow() moves the wall clock alone.
    void fakeClockRunsWaitsInDueOrderAtTheirOwnInstant()
    {
        FakeClock clock;
        const double origin = clock.monotonicSeconds();
        QStringList log;
        const auto record = [&](const QString& name) {
            return [&, name] {
                log.append(name + u'@' + QString::number(clock.monotonicSeconds() - origin));
            };
        };
        Clock::Timer chained, victim;
        Clock::Timer a = clock.after(4, &m_context, record(u"a"_s));
        Clock::Timer b = clock.every(2, &m_context, record(u"b"_s));
        Clock::Timer c = clock.after(2, &m_context, [&] {
            record(u"c"_s)();
            chained = clock.after(0.5, &m_context, record(u"chained"_s));
            victim.cancel();
        });
        victim = clock.after(5, &m_context, record(u"victim"_s));

        clock.advance(1.75);
        QVERIFY(log.isEmpty());
        clock.setNow(FakeClock::defaultStart().addDays(-1));
        clock.advance(5.25);
        QCOMPARE(log, (QStringList{u"b@2"_s, u"c@2"_s, u"chained@2.5"_s, u"a@4"_s, u"b@4"_s,
                                   u"b@6"_s}));
        QCOMPARE(clock.now(), FakeClock::defaultStart().addDays(-1).addMSecs(5250));
        QVERIFY(!a.isActive());
        QVERIFY(b.isActive());
        QCOMPARE(clock.pendingTimers(), 1);
    }

    void fakeClockNeverRunsCancelledWaits()
    {
        FakeClock clock;
        int fired = 0;
        {
            Clock::Timer dropped = clock.after(1, &m_context, [&] { fired += 1; });
        }
        Clock::Timer replaced = clock.after(1, &m_context, [&] { fired += 10; });
        replaced = clock.after(2, &m_context, [&] { fired += 100; });
        auto* context = new QObject;
        Clock::Timer orphaned = clock.every(1, context, [&] { fired += 1000; });
        delete context;
        QVERIFY(!orphaned.isActive());
        Clock::Timer once;
        once = clock.every(1, &m_context, [&] {
            fired += 10000;
            once.cancel();
        });

        clock.advance(5);
        QCOMPARE(fired, 10100);
        QCOMPARE(clock.pendingTimers(), 0);
    }

    void systemClockRunsWaitsFromTheEventLoop()
    {
        Clock& clock = Clock::system();
        QCOMPARE(clock.now().timeSpec(), Qt::UTC);
        bool fired = false;
        int cancelledRuns = 0;
        auto* context = new QObject;
        Clock::Timer t = clock.after(0, &m_context, [&] { fired = true; });
        Clock::Timer cancelled = clock.after(0, &m_context, [&] { ++cancelledRuns; });
        Clock::Timer orphaned = clock.every(0, context, [&] { ++cancelledRuns; });
        QVERIFY(!fired); // never from inside after()
        cancelled.cancel();
        delete context;

        QTRY_VERIFY(fired);
        QVERIFY(!t.isActive());
        QCoreApplication::processEvents();
        QCOMPARE(cancelledRuns, 0);
    }
};

QTEST_GUILESS_MAIN(TstClock)
#include "tst_clock.moc"
