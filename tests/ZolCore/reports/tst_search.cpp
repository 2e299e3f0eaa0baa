#include "Builders.h"
#include "reports/SearchRange.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::Calendar;
using zol::SearchRange;
using zol::test::utc;

class TstSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rawValues()
    {
        for (const SearchRange& range : SearchRange::allCases())
            QCOMPARE(SearchRange::fromRawValue(range.rawValue()), range);
        QCOMPARE(SearchRange(SearchRange::threeMonths).rawValue(), u"threeMonths"_s);
        for (const auto raw : {u"", u"7D", u"Week", u"month "})
            QVERIFY(!SearchRange::fromRawValue(raw));
    }

    void start()
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

    void containsFromTheExactStart()
    {
        const Calendar calendar{QTimeZone("Europe/Amsterdam")};
        const QDateTime now = utc(2026, 3, 31, 12, 30);
        for (const SearchRange& range : SearchRange::allCases()) {
            const QDateTime first = range.start(now, calendar).value_or(utc(1, 1, 1));
            QVERIFY(range.contains(first, now, calendar));
            QVERIFY(range.contains(now.addDays(1), now, calendar));
            QCOMPARE(range.contains(first.addMSecs(-1), now, calendar), range == SearchRange::all);
        }
    }

    void matches()
    {
        const QStringList session{u"2301"_s, u"Café Noir"_s, u"Brand book"_s, QString()};
        QVERIFY(zol::Search::matches(u" \t", {}));
        QVERIFY(!zol::Search::matches(u"a", {}));
        QVERIFY(zol::Search::matches(u" cafe   NOIR ", session));
        QVERIFY(zol::Search::matches(u"30", session));
        QVERIFY(!zol::Search::matches(u"noir brand", session));
    }
};

QTEST_GUILESS_MAIN(TstSearch)
#include "tst_search.moc"
