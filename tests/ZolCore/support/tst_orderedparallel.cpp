// Work spread over a pool and taken in order: the order holds whatever the
// threads' timing, no more than a few results wait at once, a failure stops
// the rest and arrives at the caller, and a pool with no thread to spare
// (the caller itself on one of its threads) still finishes.

#include "support/OrderedParallel.h"

#include <QFuture>
#include <QPromise>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <atomic>
#include <stdexcept>

using namespace zol;

class TestOrderedParallel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mergesInOrderWithFewResultsWaiting()
    {
        QThreadPool pool;
        pool.setMaxThreadCount(4);
        std::atomic<int> readNotMerged = 0;
        int mostWaiting = 0;
        QList<int> merged;
        orderedParallel(
            300,
            [&](qsizetype i) {
                // Out of step on purpose: later files often finish first.
                QThread::usleep(QRandomGenerator::global()->bounded(300));
                ++readNotMerged;
                return int(i);
            },
            [&](int value) {
                mostWaiting = std::max(mostWaiting, readNotMerged.load());
                --readNotMerged;
                merged.append(value);
            },
            pool);
        QCOMPARE(merged.size(), 300);
        for (int i = 0; i < merged.size(); ++i)
            QCOMPARE(merged.at(i), i);
        // Four results a thread at most, the caller counted as one, and the
        // one being merged.
        QVERIFY2(mostWaiting <= 4 * 4 + 1, qPrintable(QString::number(mostWaiting)));
    }

    void aFailureStopsTheRestAndReachesTheCaller()
    {
        QThreadPool pool;
        pool.setMaxThreadCount(3);
        std::atomic<int> reads = 0;
        QList<qsizetype> merged;
        bool threw = false;
        try {
            orderedParallel(
                10'000,
                [&](qsizetype i) {
                    ++reads;
                    if (i == 50)
                        throw std::runtime_error("unreadable");
                    return i;
                },
                [&](qsizetype i) { merged.append(i); }, pool);
        } catch (const std::runtime_error& error) {
            threw = QByteArray(error.what()) == "unreadable";
        }
        QVERIFY(threw);
        QVERIFY(reads < 200);
        QVERIFY(merged.size() <= 50);
        QVERIFY(pool.waitForDone(5'000));

        // And from the merge, the same way.
        threw = false;
        try {
            orderedParallel(
                10'000, [](qsizetype i) { return i; },
                [](qsizetype i) {
                    if (i == 7)
                        throw std::runtime_error("full");
                },
                pool);
        } catch (const std::runtime_error&) {
            threw = true;
        }
        QVERIFY(threw);
        QVERIFY(pool.waitForDone(5'000));
    }

    void finishesOnAPoolWithNoThreadToSpare()
    {
        // Two threads: the read runs on one, the other is taken until the
        // read is done. A helper queued behind it would never start.
        QThreadPool pool;
        pool.setMaxThreadCount(2);
        QPromise<qint64> promise;
        QFuture<qint64> sum = promise.future();
        std::atomic<bool> taken = false;
        pool.start([&] {
            taken = true;
            sum.waitForFinished();
        });
        QVERIFY(QTest::qWaitFor([&] { return taken.load(); }));
        pool.start([&] {
            promise.start();
            qint64 total = 0;
            orderedParallel(
                100, [](qsizetype i) { return qint64(i); }, [&](qint64 i) { total += i; }, pool);
            promise.addResult(total);
            promise.finish();
        });
        QVERIFY(QTest::qWaitFor([&] { return sum.isFinished(); }, 10'000));
        QCOMPARE(sum.result(), 4950);
        QVERIFY(pool.waitForDone(5'000));
    }
};

QTEST_GUILESS_MAIN(TestOrderedParallel)

#include "tst_orderedparallel.moc"
