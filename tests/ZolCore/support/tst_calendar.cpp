#include "Builders.h"
#include "support/Calendar.h"
#include "support/Timestamps.h"

#include <QTest>
#include <QTimeZone>

#include <algorithm>

using namespace Qt::StringLiterals;
using zol::Calendar;
using zol::test::utc;

namespace {

// The local days of 2026 on which the calendar's zone changes its clocks.
QList<QDate> clockChangeDays(const Calendar& calendar)
{
    QList<QDate> days;
    const QTimeZone& zone = calendar.timeZone();
    for (const auto& t : zone.transitions(utc(2026, 1, 1), utc(2027, 1, 1)))
        days.append(calendar.day(t.atUtc));
    return days;
}

// The instant of a wall-clock time in the calendar's zone.
QDateTime localTime(const Calendar& calendar, QDate date, QTime time)
{
    return QDateTime(date, time, calendar.timeZone()).toUTC();
}

} // namespace

// Runs under TZ=UTC, Europe/Amsterdam, America/New_York and Australia/Sydney.
// Tests on the system's zone hold in each; tests that need one zone name it.
class TstCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondsRoundTrip_data();
    void secondsRoundTrip();
    void iso8601_data();
    void iso8601();
    void parseIso8601_data();
    void parseIso8601();

    void startOfEveryDayIsLocalMidnight();
    void clockChangesMakeShortAndLongDays();
    void addDaysKeepsTheTimeOfDayAcrossClockChanges();
    void startOfDayWhenMidnightIsSkipped();
    void monthsAndYearsClamp_data();
    void monthsAndYearsClamp();
    void skippedTimesMoveOnByTheGap_data();
    void skippedTimesMoveOnByTheGap();
};

void TstCalendar::secondsRoundTrip_data()
{
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<double>("since1970");
    QTest::addColumn<double>("since2001");

    QTest::newRow("1970") << utc(1970, 1, 1) << 0.0 << -978307200.0;
    QTest::newRow("2001") << utc(2001, 1, 1) << 978307200.0 << 0.0;
    QTest::newRow("with a fraction")
        << utc(2026, 3, 2, 9).addMSecs(250) << 1772442000.25 << 794134800.25;
    QTest::newRow("before 1970") << utc(1969, 12, 31, 23, 59, 59).addMSecs(500) << -0.5
                                 << -978307200.5;
    QTest::newRow("given in local time")
        << QDateTime(QDate(2026, 3, 2), QTime(10, 0), QTimeZone("Europe/Amsterdam")).addMSecs(250)
        << 1772442000.25 << 794134800.25;
}

void TstCalendar::secondsRoundTrip()
{
    QFETCH(QDateTime, instant);
    QFETCH(double, since1970);
    QFETCH(double, since2001);

    QCOMPARE(zol::secondsSince1970(instant), since1970);
    QCOMPARE(zol::secondsSince2001(instant), since2001);
    const QDateTime from1970 = zol::fromSecondsSince1970(since1970);
    const QDateTime from2001 = zol::fromSecondsSince2001(since2001);
    QCOMPARE(from1970, instant);
    QCOMPARE(from2001, instant);
    QCOMPARE(from1970.timeSpec(), Qt::UTC);
    QCOMPARE(from2001.timeSpec(), Qt::UTC);
}

void TstCalendar::iso8601_data()
{
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole seconds") << utc(2025, 3, 14, 9, 26, 53) << u"2025-03-14T09:26:53Z"_s;
    QTest::newRow("fraction dropped, not rounded")
        << utc(2025, 3, 14, 9, 26, 53).addMSecs(999) << u"2025-03-14T09:26:53Z"_s;
    QTest::newRow("fraction before 1970")
        << utc(1969, 12, 31, 23, 59, 59).addMSecs(500) << u"1969-12-31T23:59:59Z"_s;
    QTest::newRow("local time written in UTC")
        << QDateTime(QDate(2025, 3, 14), QTime(10, 26, 53), QTimeZone("Europe/Amsterdam"))
        << u"2025-03-14T09:26:53Z"_s;
    QTest::newRow("offset crossing midnight")
        << QDateTime(QDate(2025, 12, 31), QTime(21, 0), QTimeZone(-5 * 3600))
        << u"2026-01-01T02:00:00Z"_s;
}

void TstCalendar::iso8601()
{
    QFETCH(QDateTime, instant);
    QFETCH(QString, text);
    QCOMPARE(zol::iso8601(instant), text);
}

void TstCalendar::parseIso8601_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("instant"); // invalid: no value expected

    QTest::newRow("Z") << u"2025-03-14T09:26:53Z"_s << utc(2025, 3, 14, 9, 26, 53);
    QTest::newRow("positive offset")
        << u"2025-03-14T10:26:53+01:00"_s << utc(2025, 3, 14, 9, 26, 53);
    QTest::newRow("negative offset, next day in UTC")
        << u"2025-03-14T23:30:00-05:30"_s << utc(2025, 3, 15, 5, 0);
    QTest::newRow("zero offset") << u"2025-03-14T09:26:53+00:00"_s << utc(2025, 3, 14, 9, 26, 53);
    QTest::newRow("leap day") << u"2024-02-29T00:00:00Z"_s << utc(2024, 2, 29);

    QTest::newRow("fractional seconds") << u"2025-03-14T09:26:53.5Z"_s << QDateTime();
    QTest::newRow("milliseconds") << u"2025-03-14T09:26:53.000Z"_s << QDateTime();
    QTest::newRow("no zone") << u"2025-03-14T09:26:53"_s << QDateTime();
    QTest::newRow("date only") << u"2025-03-14"_s << QDateTime();
    QTest::newRow("empty") << QString() << QDateTime();
    QTest::newRow("space for T") << u"2025-03-14 09:26:53Z"_s << QDateTime();
    QTest::newRow("lower-case z") << u"2025-03-14T09:26:53z"_s << QDateTime();
    QTest::newRow("offset without colon") << u"2025-03-14T09:26:53+0100"_s << QDateTime();
    QTest::newRow("offset minutes 60") << u"2025-03-14T09:26:53+01:60"_s << QDateTime();
    QTest::newRow("offset and Z") << u"2025-03-14T09:26:53+01:00Z"_s << QDateTime();
    QTest::newRow("29 February, no leap year") << u"2025-02-29T00:00:00Z"_s << QDateTime();
    QTest::newRow("month 13") << u"2025-13-01T00:00:00Z"_s << QDateTime();
    QTest::newRow("day 0") << u"2025-03-00T00:00:00Z"_s << QDateTime();
    QTest::newRow("year 0") << u"0000-01-01T00:00:00Z"_s << QDateTime();
    QTest::newRow("hour 24") << u"2025-03-14T24:00:00Z"_s << QDateTime();
    QTest::newRow("leap second") << u"2016-12-31T23:59:60Z"_s << QDateTime();
    QTest::newRow("one-digit month") << u"2025-3-14T09:26:53Z"_s << QDateTime();
    QTest::newRow("sign in the year") << u"+025-03-14T09:26:53Z"_s << QDateTime();
    QTest::newRow("full-width digit") << u"2025-03-14T09:26:5\uFF13Z"_s << QDateTime();
    QTest::newRow("trailing space") << u"2025-03-14T09:26:53Z "_s << QDateTime();
}

void TstCalendar::parseIso8601()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, instant);

    const std::optional<QDateTime> parsed = zol::parseIso8601(text);
    QCOMPARE(parsed.has_value(), instant.isValid());
    if (parsed) {
        QCOMPARE(*parsed, instant);
        QCOMPARE(parsed->timeSpec(), Qt::UTC);
        // What is read back writes out in UTC.
        QCOMPARE(zol::iso8601(*parsed), zol::iso8601(instant));
    }
}

// Every day of a year, clock-change days included, starts at local midnight
// in each zone the tests run in; none of them skips midnight.
void TstCalendar::startOfEveryDayIsLocalMidnight()
{
    const Calendar calendar;
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1)) {
        const QDateTime start = calendar.startOfDay(day);
        QCOMPARE(start.timeSpec(), Qt::UTC);
        QCOMPARE(calendar.local(start).date(), day);
        QCOMPARE(calendar.local(start).time(), QTime(0, 0));
        QCOMPARE(calendar.day(start), day);
        QCOMPARE(calendar.day(start.addSecs(-1)), day.addDays(-1));

        const QDateTime lateEvening = localTime(calendar, day, QTime(23, 59, 59));
        QCOMPARE(calendar.startOfDay(lateEvening), start);
    }
}

void TstCalendar::clockChangesMakeShortAndLongDays()
{
    const Calendar calendar;
    if (!calendar.timeZone().hasDaylightTime())
        QSKIP("The system time zone does not change its clocks.");

    const QList<QDate> days = clockChangeDays(calendar);
    QCOMPARE(days.size(), 2);
    QList<qint64> lengths;
    for (QDate day : days)
        lengths.append(calendar.startOfDay(day).secsTo(calendar.startOfDay(day.addDays(1))));
    std::sort(lengths.begin(), lengths.end());
    QCOMPARE(lengths, (QList<qint64>{23 * 3600, 25 * 3600}));
}

// A day later is the same wall-clock time on the next date, whatever the
// length of the day in between.
void TstCalendar::addDaysKeepsTheTimeOfDayAcrossClockChanges()
{
    const Calendar calendar;
    const QTimeZone& zone = calendar.timeZone();
    QList<QDate> days = clockChangeDays(calendar);
    if (days.isEmpty())
        days = {QDate(2026, 3, 29), QDate(2026, 10, 25)};

    for (QDate day : days) {
        const QDateTime noonBefore = localTime(calendar, day.addDays(-1), QTime(12, 0));
        const QDateTime noonAfter = localTime(calendar, day.addDays(1), QTime(12, 0));
        const qint64 shift = zone.offsetFromUtc(noonAfter) - zone.offsetFromUtc(noonBefore);

        const QDateTime next = calendar.addDays(noonBefore, 1);
        QCOMPARE(next.timeSpec(), Qt::UTC);
        QCOMPARE(calendar.local(next).date(), day);
        QCOMPARE(calendar.local(next).time(), QTime(12, 0));

        const QDateTime twoDaysOn = calendar.addDays(noonBefore, 2);
        QCOMPARE(twoDaysOn, noonAfter);
        QCOMPARE(noonBefore.secsTo(twoDaysOn), 2 * 86400 - shift);
        QCOMPARE(calendar.addDays(twoDaysOn, -2), noonBefore);
        QCOMPARE(calendar.addDays(noonBefore, 0), noonBefore);
    }
}

void TstCalendar::startOfDayWhenMidnightIsSkipped()
{
    // São Paulo moved its clocks from 00:00 to 01:00 on 4 November 2018.
    const QTimeZone zone("America/Sao_Paulo");
    if (!zone.isValid())
        QSKIP("No time zone data for America/Sao_Paulo.");
    const Calendar calendar(zone);
    const QDate day(2018, 11, 4);

    const QDateTime start = calendar.startOfDay(day);
    QCOMPARE(start, utc(2018, 11, 4, 3, 0));
    QCOMPARE(calendar.local(start).time(), QTime(1, 0));
    QCOMPARE(calendar.day(start), day);
    QCOMPARE(calendar.startOfDay(utc(2018, 11, 4, 15, 0)), start);
}

void TstCalendar::monthsAndYearsClamp_data()
{
    QTest::addColumn<QDateTime>("from"); // local wall-clock time, read in the system zone
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("years");
    QTest::addColumn<QDateTime>("to"); // likewise

    const auto at = [](int y, int m, int d, int hour = 10, int minute = 15) {
        return QDateTime(QDate(y, m, d), QTime(hour, minute));
    };
    QTest::newRow("31 March back a month, leap year")
        << at(2024, 3, 31) << -1 << 0 << at(2024, 2, 29);
    QTest::newRow("31 March back a month") << at(2025, 3, 31) << -1 << 0 << at(2025, 2, 28);
    QTest::newRow("31 January on a month") << at(2025, 1, 31) << 1 << 0 << at(2025, 2, 28);
    QTest::newRow("31 May back three months") << at(2024, 5, 31) << -3 << 0 << at(2024, 2, 29);
    QTest::newRow("31 August back six months") << at(2025, 8, 31) << -6 << 0 << at(2025, 2, 28);
    QTest::newRow("31 December on two months") << at(2025, 12, 31) << 2 << 0 << at(2026, 2, 28);
    QTest::newRow("31 March back to 30 days") << at(2026, 3, 31) << -3 << 0 << at(2025, 12, 31);
    QTest::newRow("31 October back to September") << at(2026, 10, 31) << -1 << 0 << at(2026, 9, 30);
    QTest::newRow("no clamping needed") << at(2026, 3, 15) << -1 << 0 << at(2026, 2, 15);
    QTest::newRow("across clock changes") << at(2026, 2, 20) << 2 << 0 << at(2026, 4, 20);
    QTest::newRow("across clock changes, back")
        << at(2026, 11, 2, 23, 30) << -6 << 0 << at(2026, 5, 2, 23, 30);
    QTest::newRow("29 February on a year") << at(2024, 2, 29) << 0 << 1 << at(2025, 2, 28);
    QTest::newRow("29 February back a year") << at(2024, 2, 29) << 0 << -1 << at(2023, 2, 28);
    QTest::newRow("a year back, late evening")
        << at(2026, 3, 31, 23, 59) << 0 << -1 << at(2025, 3, 31, 23, 59);
}

void TstCalendar::monthsAndYearsClamp()
{
    QFETCH(QDateTime, from);
    QFETCH(int, months);
    QFETCH(int, years);
    QFETCH(QDateTime, to);

    const Calendar calendar;
    const QDateTime start = localTime(calendar, from.date(), from.time());
    const QDateTime result =
        years != 0 ? calendar.addYears(start, years) : calendar.addMonths(start, months);
    QCOMPARE(result.timeSpec(), Qt::UTC);
    QCOMPARE(calendar.local(result).date(), to.date());
    QCOMPARE(calendar.local(result).time(), to.time());
}

void TstCalendar::skippedTimesMoveOnByTheGap_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("years");
    QTest::addColumn<QDateTime>("to");

    // Amsterdam skips 02:00 to 03:00 on 29 March 2026 and 28 March 2027;
    // 02:30 there reads as 03:30 summer time, 01:30 UTC.
    const QByteArray amsterdam = "Europe/Amsterdam"_ba;
    QTest::newRow("a week back into the gap")
        << amsterdam << utc(2026, 4, 5, 0, 30) << -7 << 0 << 0 << utc(2026, 3, 29, 1, 30);
    QTest::newRow("a day on into the gap")
        << amsterdam << utc(2026, 3, 28, 1, 30) << 1 << 0 << 0 << utc(2026, 3, 29, 1, 30);
    QTest::newRow("a month back into the gap")
        << amsterdam << utc(2026, 4, 29, 0, 30) << 0 << -1 << 0 << utc(2026, 3, 29, 1, 30);
    QTest::newRow("a year on into the gap")
        << amsterdam << utc(2026, 3, 28, 1, 30) << 0 << 0 << 1 << utc(2027, 3, 28, 1, 30);
    // New York skips 02:00 to 03:00 on 8 March 2026.
    QTest::newRow("New York, a week back into the gap")
        << "America/New_York"_ba << utc(2026, 3, 15, 6, 30) << -7 << 0 << 0
        << utc(2026, 3, 8, 7, 30);
    // São Paulo skipped midnight on 4 November 2018: the day began at 01:00.
    QTest::newRow("midnight to a day without one")
        << "America/Sao_Paulo"_ba << utc(2018, 11, 3, 3) << 1 << 0 << 0 << utc(2018, 11, 4, 3);
    QTest::newRow("midnight a month on to a day without one")
        << "America/Sao_Paulo"_ba << utc(2018, 10, 4, 3) << 0 << 1 << 0 << utc(2018, 11, 4, 3);
    // 02:30 comes twice on 25 October 2026; each stays itself.
    QTest::newRow("first of a repeated time")
        << amsterdam << utc(2026, 10, 25, 0, 30) << 0 << 0 << 0 << utc(2026, 10, 25, 0, 30);
    QTest::newRow("second of a repeated time")
        << amsterdam << utc(2026, 10, 25, 1, 30) << 0 << 0 << 0 << utc(2026, 10, 25, 1, 30);
}

void TstCalendar::skippedTimesMoveOnByTheGap()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, from);
    QFETCH(int, days);
    QFETCH(int, months);
    QFETCH(int, years);
    QFETCH(QDateTime, to);

    const Calendar calendar{QTimeZone(zone)};
    if (!calendar.timeZone().isValid())
        QSKIP("No data for this time zone.");
    const QDateTime result = months != 0  ? calendar.addMonths(from, months)
                             : years != 0 ? calendar.addYears(from, years)
                                          : calendar.addDays(from, days);
    QCOMPARE(result, to);
    QCOMPARE(result.timeSpec(), Qt::UTC);
}

QTEST_GUILESS_MAIN(TstCalendar)
#include "tst_calendar.moc"
