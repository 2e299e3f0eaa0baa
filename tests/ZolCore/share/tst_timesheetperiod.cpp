// Weeks, months and years as timesheets cut them, in the system's zone and in
// a named one, and the periods a pass of automatic uploads must write.

#include "Builders.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetPeriod.h"
#include "share/AutoUpload.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::Calendar;
using zol::TimeEntry;
using zol::TimesheetPeriod;
using Kind = TimesheetPeriod::Kind;

Q_DECLARE_METATYPE(Kind)

namespace {

// "2025-12-28T23:59:59.500", wall-clock time in the system's zone, as an instant.
QDateTime local(const QString& text)
{
    const QDateTime wall = QDateTime::fromString(text, Qt::ISODate);
    return QDateTime(wall.date(), wall.time(), Calendar().timeZone()).toUTC();
}

QString localText(const QDateTime& instant)
{
    return Calendar().local(instant).toString(u"yyyy-MM-dd HH:mm:ss");
}

const zol::Calendar amsterdam{QTimeZone("Europe/Amsterdam")};

// "2026-03-10T09:00" in Amsterdam, as an instant.
QDateTime inAmsterdam(const QString& text)
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

// Runs under TZ=UTC, Europe/Amsterdam, America/New_York and Australia/Sydney,
// on the system's zone: every property must hold in each.
class TstTimesheetPeriod : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every day of 2000 to 2100 starts at local midnight and lies in one week
    // and one month that start at local midnight on a Monday or the 1st and end
    // where the next begins, so that a period holding a clock change is an hour
    // shorter or longer.
    void everyDayLiesInItsPeriods()
    {
        const Calendar calendar;
        QSet<int> longWeekYears;
        int shortDays = 0;
        int longDays = 0;
        QDateTime dayStart = calendar.startOfDay(QDate(2000, 1, 1));
        // The periods of 31 December 1999, followed into 2000.
        TimesheetPeriod current[] = {TimesheetPeriod(Kind::week, dayStart.addMSecs(-1)),
                                     TimesheetPeriod(Kind::month, dayStart.addMSecs(-1))};
        qint64 seconds[] = {current[0].start().secsTo(dayStart),
                            current[1].start().secsTo(dayStart)};
        for (QDate day(2000, 1, 1); day.year() <= 2100; day = day.addDays(1)) {
            const QDateTime nextDayStart = calendar.startOfDay(day.addDays(1));
            const qint64 length = dayStart.secsTo(nextDayStart);
            const QDateTime lastSecond = nextDayStart.addSecs(-1);
            if (dayStart.timeSpec() != Qt::UTC || calendar.local(dayStart) != QDateTime(day, QTime(0, 0))
                || calendar.day(lastSecond) != day || calendar.startOfDay(lastSecond) != dayStart)
                QFAIL(qPrintable(day.toString(Qt::ISODate)));
            shortDays += length == 23 * 3600;
            longDays += length == 25 * 3600;
            for (int k = 0; k < 2; ++k) {
                TimesheetPeriod& period = current[k];
                const QString what = period.id() + u" on "_s + day.toString(Qt::ISODate);
                if (k == 0 ? day.dayOfWeek() == 1 : day.day() == 1) {
                    QVERIFY2(period.nextStart() == dayStart && !period.contains(dayStart) &&
                                 period.end() == dayStart.addSecs(-1) &&
                                 period.start().secsTo(dayStart) == seconds[k],
                             qPrintable(what));
                    period = period.offset(1);
                    seconds[k] = 0;
                    QCOMPARE(period.start(), dayStart);
                    QCOMPARE(calendar.local(period.start()).time(), QTime(0, 0));
                    // The week-year is the Thursday's; weeks count from the
                    // year's first Thursday.
                    const QDate thursday = day.addDays(3);
                    const int week = (thursday.dayOfYear() - 1) / 7 + 1;
                    QCOMPARE(period.id(),
                             k == 0 ? QString::asprintf("%04d-W%02d", thursday.year(), week)
                                    : day.toString(u"yyyy-MM"));
                    if (k == 0 && week == 53)
                        longWeekYears.insert(period.year());
                    QVERIFY(TimesheetPeriod::fromId(period.id(), calendar) == period);
                }
                seconds[k] += length;
                const QDateTime lastInstant = nextDayStart.addMSecs(-1);
                if (!(TimesheetPeriod(period.kind(), lastInstant, calendar) == period &&
                      period.contains(dayStart) && period.contains(lastInstant)))
                    QFAIL(qPrintable(what));
            }
            dayStart = nextDayStart;
        }
        // One clock change each way every year, or none at all.
        const int changes = calendar.timeZone().hasDaylightTime() ? 101 : 0;
        QCOMPARE(shortDays, changes);
        QCOMPARE(longDays, changes);
        QCOMPARE(longWeekYears, QSet<int>({2004, 2009, 2015, 2020, 2026, 2032, 2037, 2043, 2048,
                                           2054, 2060, 2065, 2071, 2076, 2082, 2088, 2093, 2099}));
    }

    void idsThatNameNoPeriod()
    {
        for (const QString& id : {u"2026-W00"_s, u"2025-W53"_s, u"2026-W54"_s, u"2026-13"_s,
                                 u"2026-00"_s, u"2026-3"_s, u" 2026"_s, u"2026-W10x"_s, u""_s})
            QVERIFY2(!TimesheetPeriod::fromId(id), qPrintable(id));
        QCOMPARE(TimesheetPeriod::fromId(u"2026-W53")->id(), u"2026-W53"_s);
        QCOMPARE(TimesheetPeriod::fromId(u"2026")->kind(), Kind::year);
    }

    void periodContaining_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");

        QTest::newRow("Thursday 1 January 2026")
            << Kind::week << u"2026-01-01T12:00"_s << u"2026/weeks/2026-W01.csv"_s
            << u"2025-12-29 00:00:00"_s << u"2026-01-04 23:59:59"_s;
        QTest::newRow("Friday 1 January 2027")
            << Kind::week << u"2027-01-01T08:00"_s << u"2026/weeks/2026-W53.csv"_s
            << u"2026-12-28 00:00:00"_s << u"2027-01-03 23:59:59"_s;
        QTest::newRow("February 2024")
            << Kind::month << u"2024-02-10T08:00"_s << u"2024/months/2024-02.csv"_s
            << u"2024-02-01 00:00:00"_s << u"2024-02-29 23:59:59"_s;
        QTest::newRow("the year of 2026-W01's Monday")
            << Kind::year << u"2025-12-29T08:00"_s << u"2025/years/2025.csv"_s
            << u"2025-01-01 00:00:00"_s << u"2025-12-31 23:59:59"_s;
    }

    void periodContaining()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, date);
        const TimesheetPeriod period(kind, local(date));
        QFETCH(QString, file);
        QCOMPARE(zol::Timesheet::file(u"P"_s, period), u"P/"_s + file);
        QTEST(localText(period.start()), "start");
        QTEST(localText(period.end()), "end");
        QVERIFY(period.contains(local(date)));
    }

    void offset_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("id");

        QTest::newRow("into a week-year")
            << Kind::week << u"2025-12-24T12:00"_s << 1 << u"2026-W01"_s;
        QTest::newRow("out of it") << Kind::week << u"2026-01-01T12:00"_s << -1 << u"2025-W52"_s;
        QTest::newRow("53 weeks") << Kind::week << u"2026-01-01T12:00"_s << 53 << u"2027-W01"_s;
        QTest::newRow("month") << Kind::month << u"2025-12-31T23:30"_s << 1 << u"2026-01"_s;
        QTest::newRow("13 months back")
            << Kind::month << u"2026-01-31T12:00"_s << -13 << u"2024-12"_s;
        QTest::newRow("year") << Kind::year << u"2024-02-29T12:00"_s << -3 << u"2021"_s;
    }

    void offset()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, date);
        QFETCH(int, n);
        const TimesheetPeriod period = TimesheetPeriod(kind, local(date)).offset(n);
        QTEST(period.id(), "id");
        QCOMPARE(period.offset(-n), TimesheetPeriod(kind, local(date)));
    }

    void title_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("title");

        const QString march = u"2025-03-19T12:00"_s;
        QTest::newRow("week") << Kind::week << march << u"C"_s
                              << u"Week 12 · 17 March – 23 March"_s;
        QTest::newRow("US") << Kind::week << march << u"en_US"_s
                            << u"Week 12 · March 17 – March 23"_s;
        QTest::newRow("German") << Kind::week << march << u"de_DE"_s
                                << u"Week 12 · 17. März – 23. März"_s;
        QTest::newRow("Chinese") << Kind::week << march << u"zh_CN"_s
                                 << u"Week 12 · 3月17日 – 3月23日"_s;
        QTest::newRow("New Year") << Kind::week << u"2026-01-01T12:00"_s << u"C"_s
                                  << u"Week 1 · 29 December – 4 January"_s;
        QTest::newRow("month") << Kind::month << march << u"nl_NL"_s << u"maart 2025"_s;
        QTest::newRow("month, standalone") << Kind::month << march << u"ru_RU"_s << u"март 2025"_s;
        QTest::newRow("month, Chinese") << Kind::month << march << u"zh_CN"_s << u"2025年3月"_s;
        QTest::newRow("year") << Kind::year << march << u"nl_NL"_s << u"2025"_s;
    }

    void title()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, date);
        QFETCH(QString, locale);
        QTEST(TimesheetPeriod(kind, local(date)).title(QLocale(locale)), "title");
    }

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
            TimeEntry entry = zol::test::session(inAmsterdam(text.section(u' ', -1)), 30);
            if (text.startsWith(u"running "))
                entry.endedAt.reset();
            if (text.startsWith(u"deleted "))
                entry.deletedAt = inAmsterdam(now);
            entries.append(entry);
        }
        QTEST(ids(zol::AutoUpload::periodsNeedingUpload(entries, inAmsterdam(now), amsterdam)), "periods");
    }

    void allPeriods()
    {
        const QList<QDate> days{QDate(2026, 3, 10), QDate(2025, 12, 30), QDate(2026, 6, 10),
                                QDate(2026, 6, 1), QDate(2026, 3, 12)};
        QCOMPARE(ids(zol::AutoUpload::allPeriods(days, amsterdam)),
                 u"2026-W24 2026-W23 2026-06 2026-W11 2026-03 2026-W01 2025-12"_s);
    }

    void shouldSend()
    {
        const TimeEntry finished = zol::test::session(inAmsterdam(u"2026-03-10T09:00"_s), 30);
        TimeEntry deleted = finished;
        deleted.deletedAt = finished.updatedAt;
        TimeEntry paused = zol::test::running(finished.startedAt);
        paused.pausedAt = finished.endedAt;
        QVERIFY(zol::AutoUpload::shouldSend(finished));
        QVERIFY(!zol::AutoUpload::shouldSend(deleted));
        QVERIFY(!zol::AutoUpload::shouldSend(zol::test::running(finished.startedAt)));
        QVERIFY(!zol::AutoUpload::shouldSend(paused));
    }
};

QTEST_GUILESS_MAIN(TstTimesheetPeriod)
#include "tst_timesheetperiod.moc"
