#include "Builders.h"
#include "records/SearchRange.h"
#include "support/Calendar.h"
#include "support/Timestamps.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::Calendar;
using zol::SearchRange;
using zol::test::utc;

// Runs under TZ=UTC, Europe/Amsterdam, America/New_York and Australia/Sydney.
// Tests on the system's zone hold in each; tests that need one zone name it.
class TstCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void seconds()
    {
        const QDateTime beforeEpoch = utc(1969, 12, 31, 23, 59, 59).addMSecs(500);
        QCOMPARE(zol::secondsSince1970(beforeEpoch), -0.5);
        QCOMPARE(zol::fromSecondsSince1970(-0.5), beforeEpoch);
        const QDateTime amsterdam(QDate(2026, 3, 2), QTime(10, 0), QTimeZone("Europe/Amsterdam"));
        QCOMPARE(zol::secondsSince2001(amsterdam.addMSecs(250)), 794134800.25);
        const QDateTime read = zol::fromSecondsSince2001(794134800.25);
        QCOMPARE(read, utc(2026, 3, 2, 9).addMSecs(250));
        QCOMPARE(read.timeSpec(), Qt::UTC);
    }

    void iso8601()
    {
        // A fraction is dropped, not rounded, also before 1970.
        QCOMPARE(zol::iso8601(utc(2025, 3, 14, 9, 26, 53).addMSecs(999)),
                 u"2025-03-14T09:26:53Z"_s);
        QCOMPARE(zol::iso8601(utc(1970, 1, 1).addMSecs(-500)), u"1969-12-31T23:59:59Z"_s);
        QCOMPARE(zol::iso8601(QDateTime(QDate(2025, 12, 31), QTime(21, 0), QTimeZone(-5 * 3600))),
                 u"2026-01-01T02:00:00Z"_s);
    }

    void parseIso8601_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("instant"); // invalid: rejected

        QTest::newRow("Z") << u"2025-03-14T09:26:53Z"_s << utc(2025, 3, 14, 9, 26, 53);
        QTest::newRow("offset, next day in UTC")
            << u"2025-03-14T23:30:00-05:30"_s << utc(2025, 3, 15, 5, 0);
        QTest::newRow("leap day") << u"2024-02-29T00:00:00+01:00"_s << utc(2024, 2, 28, 23);
        for (const char* bad :
             {"2025-03-14T09:26:53.5Z", "2025-03-14T09:26:53.000Z", "2025-03-14T09:26:53",
              "2025-03-14 09:26:53Z", "2025-03-14T09:26:53z", "2025-03-14T09:26:53+0100",
              "2025-03-14T09:26:53+01:60", "2025-02-29T00:00:00Z", "2025-13-01T00:00:00Z",
              "2025-03-14T24:00:00Z", "2016-12-31T23:59:60Z", "2025-3-14T09:26:53Z",
              "2025-03-14T09:26:53Z ", ""})
            QTest::newRow(bad) << QString::fromLatin1(bad) << QDateTime();
        QTest::newRow("full-width digit") << u"2025-03-14T09:26:5\uFF13Z"_s << QDateTime();
    }

    void parseIso8601()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, instant);
        const std::optional<QDateTime> parsed = zol::parseIso8601(text);
        QCOMPARE(parsed.value_or(QDateTime()), instant);
        QVERIFY(!parsed || parsed->timeSpec() == Qt::UTC);
    }

    void startOfDayWhenMidnightIsSkipped()
    {
        // São Paulo moved its clocks from 00:00 to 01:00 on 4 November 2018.
        const Calendar calendar{QTimeZone("America/Sao_Paulo")};
        QCOMPARE(calendar.startOfDay(utc(2018, 11, 4, 15, 0)), utc(2018, 11, 4, 3, 0));
    }

    // Wall-clock times in the zone, the system's when none is named. The time
    // of day is kept; the day is clamped to the month; a time the clocks skip
    // moves on by the length of the gap.
    void arithmetic()
    {
        const auto add = [](const char* zone, const char* from, int count, char unit) -> QString {
            const Calendar calendar = *zone ? Calendar(QTimeZone(zone)) : Calendar();
            const QDateTime wall = QDateTime::fromString(QString::fromLatin1(from), Qt::ISODate);
            const QDateTime start =
                QDateTime(wall.date(), wall.time(), calendar.timeZone()).toUTC();
            const QDateTime result = unit == 'd'   ? calendar.addDays(start, count)
                                     : unit == 'm' ? calendar.addMonths(start, count)
                                                   : calendar.addYears(start, count);
            if (result.timeSpec() != Qt::UTC)
                return u"not in UTC"_s;
            return calendar.local(result).toString(u"yyyy-MM-dd HH:mm");
        };
        QCOMPARE(add("", "2024-03-31T10:15", -1, 'm'), u"2024-02-29 10:15"_s);
        QCOMPARE(add("", "2025-12-31T10:15", 2, 'm'), u"2026-02-28 10:15"_s);
        QCOMPARE(add("", "2026-11-02T23:30", -6, 'm'), u"2026-05-02 23:30"_s);
        QCOMPARE(add("", "2024-02-29T10:15", 1, 'y'), u"2025-02-28 10:15"_s);
        // Each of these crosses one clock change in every zone that has them.
        QCOMPARE(add("", "2026-01-01T12:00", 200, 'd'), u"2026-07-20 12:00"_s);
        QCOMPARE(add("", "2026-12-31T12:00", -100, 'd'), u"2026-09-22 12:00"_s);

        // Amsterdam skips 02:00 to 03:00 on 29 March 2026, and has 02:30 twice
        // on 25 October.
        const char* ams = "Europe/Amsterdam";
        QCOMPARE(add(ams, "2026-04-05T02:30", -7, 'd'), u"2026-03-29 03:30"_s);
        QCOMPARE(add(ams, "2026-04-29T02:30", -1, 'm'), u"2026-03-29 03:30"_s);
        QCOMPARE(add(ams, "2026-03-28T02:30", 1, 'y'), u"2027-03-28 03:30"_s);
        QCOMPARE(add(ams, "2026-10-24T02:30", 1, 'd'), u"2026-10-25 02:30"_s);
        // São Paulo skipped midnight on 4 November 2018: the day began at 01:00.
        QCOMPARE(add("America/Sao_Paulo", "2018-10-04T00:00", 1, 'm'), u"2018-11-04 01:00"_s);
        QCOMPARE(add("America/Sao_Paulo", "2018-11-03T00:00", 1, 'd'), u"2018-11-04 01:00"_s);
    }

    void searchRangeStart()
    {
        // The start of the range counted back from `now`, both wall-clock times
        // in the zone.
        const auto start = [](const char* zone, const char* now, SearchRange range) -> QString {
            const Calendar calendar{QTimeZone(zone)};
            const QDateTime wall = QDateTime::fromString(QString::fromLatin1(now), Qt::ISODate);
            const std::optional<QDateTime> first =
                range.start(QDateTime(wall.date(), wall.time(), calendar.timeZone()), calendar);
            return first ? calendar.local(*first).toString(u"yyyy-MM-dd HH:mm") : u"none"_s;
        };
        // The clocks went forward in Amsterdam on 29 March 2026.
        const char* ams = "Europe/Amsterdam";
        QCOMPARE(start(ams, "2026-03-31T14:30", SearchRange::week), u"2026-03-24 14:30"_s);
        QCOMPARE(start(ams, "2026-03-31T14:30", SearchRange::month), u"2026-02-28 14:30"_s);
        QCOMPARE(start(ams, "2026-03-31T14:30", SearchRange::all), u"none"_s);
        QCOMPARE(start("UTC", "2024-02-29T12:00", SearchRange::year), u"2023-02-28 12:00"_s);
        // Still 31 December in UTC: the year is the local one.
        QCOMPARE(start("Australia/Sydney", "2026-01-01T09:00", SearchRange::yearToDate),
                 u"2026-01-01 00:00"_s);
    }

    // Each range reads back from its raw value, and holds its first instant but
    // not the one before.
    void searchRangeRawValuesAndStart()
    {
        const Calendar calendar{QTimeZone("Europe/Amsterdam")};
        const QDateTime now = utc(2026, 3, 31, 12, 30);
        for (const SearchRange& range : SearchRange::allCases()) {
            QCOMPARE(SearchRange::fromRawValue(range.rawValue()), range);
            const QDateTime first = range.start(now, calendar).value_or(utc(1, 1, 1));
            QVERIFY(range.contains(first, now, calendar));
            QVERIFY(range.contains(now.addDays(1), now, calendar));
            QCOMPARE(range.contains(first.addMSecs(-1), now, calendar), range == SearchRange::all);
        }
        QCOMPARE(SearchRange(SearchRange::threeMonths).rawValue(), u"threeMonths"_s);
        for (const auto raw : {u"", u"7D", u"Week", u"month "})
            QVERIFY(!SearchRange::fromRawValue(raw));
    }
};

QTEST_GUILESS_MAIN(TstCalendar)
#include "tst_calendar.moc"
