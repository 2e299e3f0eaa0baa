#include "tracking/WorkStatus.h"

#include <QTest>

using namespace Qt::StringLiterals;
using zol::WorkStatus;

class TstWorkStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each status starts at its threshold, not a second later; nothing tracked has none.
    void thresholds()
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
};

QTEST_GUILESS_MAIN(TstWorkStatus)
#include "tst_workstatus.moc"
