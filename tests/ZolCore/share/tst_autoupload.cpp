#include "Builders.h"
#include "share/AutoUpload.h"

#include <QTest>

using namespace Qt::StringLiterals;
using zol::TimeEntry;
using zol::TimesheetPeriod;
namespace AutoUpload = zol::AutoUpload;

namespace {

const zol::Calendar amsterdam{QTimeZone("Europe/Amsterdam")};

// "2026-03-10T09:00" in Amsterdam, as an instant.
QDateTime local(const QString& text)
{
    const QDateTime wall = QDateTime::fromString(text, Qt::ISODate);
    return QDateTime(wall.date(), wall.time(), amsterdam.timeZone()).toUTC();
}

QString ids(const QList<TimesheetPeriod>& periods)
{
    QStringList list;
    for (const TimesheetPeriod& period : periods)
        list.append(period.id());
    return list.join(u' ');
}

} // namespace

class TstAutoUpload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void periodsNeedingUpload_data()
    {
        QTest::addColumn<QString>("now");
        // Local starts of the changed sessions, "running " or "deleted " in front.
        QTest::addColumn<QStringList>("sessions");
        QTest::addColumn<QString>("periods");

        const QString wednesday = u"2026-03-18T10:00"_s;
        QTest::newRow("no changes")
            << u"2026-03-11T10:00"_s << QStringList() << u"2026-W11 2026-03"_s;
        QTest::newRow("week and month start together")
            << u"2026-06-01T00:00"_s << QStringList() << u"2026-W23 2026-06"_s;
        QTest::newRow("month starts after the week")
            << u"2026-03-01T23:59"_s << QStringList() << u"2026-03 2026-W09"_s;
        QTest::newRow("a week found after its month")
            << u"2026-06-10T10:00"_s << QStringList{u"2026-06-02T09:00"_s}
            << u"2026-W24 2026-W23 2026-06"_s;
        QTest::newRow("edited last Tuesday")
            << wednesday << QStringList{u"2026-03-10T09:00"_s} << u"2026-W12 2026-W11 2026-03"_s;
        QTest::newRow("running adds nothing")
            << wednesday << QStringList{u"running 2026-03-10T09:00"_s} << u"2026-W12 2026-03"_s;
        QTest::newRow("two in one week")
            << wednesday
            << QStringList{u"2026-03-12T09:00"_s, u"2026-02-03T09:00"_s, u"2026-03-10T23:30"_s}
            << u"2026-W12 2026-W11 2026-03 2026-W06 2026-02"_s;
        QTest::newRow("uploaded, then deleted")
            << wednesday << QStringList{u"deleted 2026-02-03T09:00"_s}
            << u"2026-W12 2026-03 2026-W06 2026-02"_s;
        QTest::newRow("New Year") << wednesday << QStringList{u"2025-12-30T09:00"_s}
                                  << u"2026-W12 2026-03 2026-W01 2025-12"_s;
        QTest::newRow("last half second of a Sunday")
            << wednesday << QStringList{u"2026-03-08T23:59:59.500"_s}
            << u"2026-W12 2026-W10 2026-03"_s;
    }

    void periodsNeedingUpload()
    {
        QFETCH(QString, now);
        QFETCH(QStringList, sessions);
        QList<TimeEntry> entries;
        for (const QString& text : sessions) {
            TimeEntry entry = zol::test::session(local(text.section(u' ', -1)), 30);
            if (text.startsWith(u"running "))
                entry.endedAt.reset();
            if (text.startsWith(u"deleted "))
                entry.deletedAt = local(now);
            entries.append(entry);
        }
        QTEST(ids(AutoUpload::periodsNeedingUpload(entries, local(now), amsterdam)), "periods");
    }

    void allPeriods()
    {
        const QList<QDate> days{QDate(2026, 3, 10), QDate(2025, 12, 30), QDate(2026, 6, 10),
                                QDate(2026, 6, 1), QDate(2026, 3, 12)};
        QCOMPARE(ids(AutoUpload::allPeriods(days, amsterdam)),
                 u"2026-W24 2026-W23 2026-06 2026-W11 2026-03 2026-W01 2025-12"_s);
    }

    void shouldSend()
    {
        const TimeEntry finished = zol::test::session(local(u"2026-03-10T09:00"_s), 30);
        TimeEntry deleted = finished;
        deleted.deletedAt = finished.updatedAt;
        TimeEntry paused = zol::test::running(finished.startedAt);
        paused.pausedAt = finished.endedAt;
        QVERIFY(AutoUpload::shouldSend(finished));
        QVERIFY(!AutoUpload::shouldSend(deleted));
        QVERIFY(!AutoUpload::shouldSend(zol::test::running(finished.startedAt)));
        QVERIFY(!AutoUpload::shouldSend(paused));
    }
};

QTEST_GUILESS_MAIN(TstAutoUpload)
#include "tst_autoupload.moc"
