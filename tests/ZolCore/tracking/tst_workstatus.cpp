#include "tracking/WorkStatus.h"

#include <QTest>

using namespace zol;

class TestWorkStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thresholds_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("phrase"); // empty: none, the panel shows "Nothing yet"

        QTest::newRow("nothing") << 0.0 << QString();
        QTest::newRow("negative") << -5.0 << QString();
        QTest::newRow("one second") << 1.0 << QStringLiteral("Off the mark");
        QTest::newRow("just under half an hour") << 1799.0 << QStringLiteral("Off the mark");
        QTest::newRow("half an hour") << 1800.0 << QStringLiteral("Good start");
        QTest::newRow("two hours") << 7200.0 << QStringLiteral("Nice going");
        QTest::newRow("four hours") << 14400.0 << QStringLiteral("Strong day");
        QTest::newRow("six hours") << 21600.0 << QStringLiteral("Solid work");
        QTest::newRow("eight hours") << 28800.0 << QStringLiteral("Big day");
        QTest::newRow("eleven hours") << 39600.0 << QStringLiteral("Go home");
        QTest::newRow("twelve hours") << 43200.0 << QStringLiteral("Go home");
    }

    void thresholds()
    {
        QFETCH(double, seconds);
        QFETCH(QString, phrase);
        const std::optional<WorkStatus> status = WorkStatus::forTime(seconds);
        QCOMPARE(status ? status->phrase : QString(), phrase);
    }

    void table()
    {
        QCOMPARE(WorkStatus::allCases().size(), 7);
        QCOMPARE(WorkStatus::allCases().first().emoji, QStringLiteral("\U0001F3C3"));
        QCOMPARE(WorkStatus::allCases().at(1).emoji, QStringLiteral("\u2615\uFE0F"));
        QCOMPARE(WorkStatus::notStarted().phrase, QStringLiteral("Nothing yet"));
        QCOMPARE(WorkStatus::notStarted().id(), QStringLiteral("status-none"));
    }
};

QTEST_GUILESS_MAIN(TestWorkStatus)
#include "tst_workstatus.moc"
