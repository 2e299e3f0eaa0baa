#include "Builders.h"
#include "reports/SearchRange.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::Calendar;
using zol::SearchRange;
using zol::test::utc;

Q_DECLARE_METATYPE(SearchRange)

namespace {

// A wall-clock time in the named zone, as the UTC instant the code works with.
QDateTime local(const QByteArray& zone, QDate date, QTime time)
{
    return QDateTime(date, time, QTimeZone(zone)).toUTC();
}

} // namespace

class TstSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cases_data();
    void cases();
    void allCasesInButtonOrder();
    void fromRawValueRejectsUnknownText_data();
    void fromRawValueRejectsUnknownText();
    void start_data();
    void start();
    void containsFromTheExactStart();
    void matches_data();
    void matches();
};

void TstSearch::cases_data()
{
    QTest::addColumn<SearchRange>("range");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("description");

    QTest::newRow("week") << SearchRange(SearchRange::week) << u"week"_s << u"7D"_s
                          << u"the last 7 days"_s;
    QTest::newRow("month") << SearchRange(SearchRange::month) << u"month"_s << u"1M"_s
                           << u"the last month"_s;
    QTest::newRow("threeMonths") << SearchRange(SearchRange::threeMonths) << u"threeMonths"_s
                                 << u"3M"_s << u"the last 3 months"_s;
    QTest::newRow("sixMonths") << SearchRange(SearchRange::sixMonths) << u"sixMonths"_s << u"6M"_s
                               << u"the last 6 months"_s;
    QTest::newRow("yearToDate") << SearchRange(SearchRange::yearToDate) << u"yearToDate"_s
                                << u"YTD"_s << u"this year so far"_s;
    QTest::newRow("year") << SearchRange(SearchRange::year) << u"year"_s << u"1Y"_s
                          << u"the last year"_s;
    QTest::newRow("all") << SearchRange(SearchRange::all) << u"all"_s << u"All"_s << u"all time"_s;
}

void TstSearch::cases()
{
    QFETCH(SearchRange, range);
    QFETCH(QString, raw);
    QFETCH(QString, label);
    QFETCH(QString, description);

    QCOMPARE(range.rawValue(), raw);
    QCOMPARE(range.id(), raw);
    QCOMPARE(range.label(), label);
    QCOMPARE(range.description(), description);
    QCOMPARE(SearchRange::fromRawValue(raw), range);
}

void TstSearch::allCasesInButtonOrder()
{
    QStringList raw;
    for (const SearchRange& range : SearchRange::allCases())
        raw.append(range.rawValue());
    QCOMPARE(raw, (QStringList{u"week"_s, u"month"_s, u"threeMonths"_s, u"sixMonths"_s,
                               u"yearToDate"_s, u"year"_s, u"all"_s}));
}

void TstSearch::fromRawValueRejectsUnknownText_data()
{
    QTest::addColumn<QString>("raw");
    QTest::newRow("empty") << QString();
    QTest::newRow("label") << u"7D"_s;
    QTest::newRow("description") << u"all time"_s;
    QTest::newRow("other case") << u"Week"_s;
    QTest::newRow("trailing blank") << u"month "_s;
    QTest::newRow("plural") << u"years"_s;
}

void TstSearch::fromRawValueRejectsUnknownText()
{
    QFETCH(QString, raw);
    QVERIFY(!SearchRange::fromRawValue(raw));
}

void TstSearch::start_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("now"); // wall-clock time in the zone
    QTest::addColumn<SearchRange>("range");
    QTest::addColumn<QDateTime>("start"); // wall-clock time in the zone; invalid for none

    const auto at = [](int y, int m, int d, int hour, int minute = 0) {
        return QDateTime(QDate(y, m, d), QTime(hour, minute));
    };
    // 31 March 2026, after the clocks went forward in Amsterdam on the 29th.
    const QByteArray amsterdam = "Europe/Amsterdam"_ba;
    const QDateTime endOfMarch = at(2026, 3, 31, 14, 30);
    QTest::newRow("week, across the clock change")
        << amsterdam << endOfMarch << SearchRange(SearchRange::week) << at(2026, 3, 24, 14, 30);
    QTest::newRow("month from 31 March")
        << amsterdam << endOfMarch << SearchRange(SearchRange::month) << at(2026, 2, 28, 14, 30);
    QTest::newRow("three months") << amsterdam << endOfMarch
                                  << SearchRange(SearchRange::threeMonths)
                                  << at(2025, 12, 31, 14, 30);
    QTest::newRow("six months") << amsterdam << endOfMarch << SearchRange(SearchRange::sixMonths)
                                << at(2025, 9, 30, 14, 30);
    QTest::newRow("year to date") << amsterdam << endOfMarch << SearchRange(SearchRange::yearToDate)
                                  << at(2026, 1, 1, 0);
    QTest::newRow("year") << amsterdam << endOfMarch << SearchRange(SearchRange::year)
                          << at(2025, 3, 31, 14, 30);
    QTest::newRow("all") << amsterdam << endOfMarch << SearchRange(SearchRange::all) << QDateTime();

    QTest::newRow("month from 31 March, leap year")
        << "America/New_York"_ba << at(2024, 3, 31, 8, 15) << SearchRange(SearchRange::month)
        << at(2024, 2, 29, 8, 15);
    QTest::newRow("month from 31 March, late evening")
        << "America/New_York"_ba << at(2025, 3, 31, 23, 45) << SearchRange(SearchRange::month)
        << at(2025, 2, 28, 23, 45);
    QTest::newRow("year from 29 February")
        << "UTC"_ba << at(2024, 2, 29, 12) << SearchRange(SearchRange::year) << at(2023, 2, 28, 12);
    // Still 31 December in UTC: the year is the local one.
    QTest::newRow("year to date on 1 January at 09:00")
        << "Australia/Sydney"_ba << at(2026, 1, 1, 9) << SearchRange(SearchRange::yearToDate)
        << at(2026, 1, 1, 0);
    QTest::newRow("year to date on 31 December")
        << "America/New_York"_ba << at(2025, 12, 31, 22) << SearchRange(SearchRange::yearToDate)
        << at(2025, 1, 1, 0);
    QTest::newRow("week, across the autumn clock change")
        << "Australia/Sydney"_ba << at(2026, 4, 8, 7, 5) << SearchRange(SearchRange::week)
        << at(2026, 4, 1, 7, 5);
}

void TstSearch::start()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, now);
    QFETCH(SearchRange, range);
    QFETCH(QDateTime, start);

    const Calendar calendar{QTimeZone(zone)};
    QVERIFY(calendar.timeZone().isValid());
    const std::optional<QDateTime> first =
        range.start(local(zone, now.date(), now.time()), calendar);
    QCOMPARE(first.has_value(), start.isValid());
    if (first)
        QCOMPARE(*first, local(zone, start.date(), start.time()));
}

void TstSearch::containsFromTheExactStart()
{
    const Calendar calendar{QTimeZone("Europe/Amsterdam")};
    const QDateTime now = utc(2026, 3, 31, 12, 30);
    for (const SearchRange& range : SearchRange::allCases()) {
        const QByteArray rawValue = range.rawValue().toUtf8();
        const char* tag = rawValue.constData();
        QVERIFY2(range.contains(now, now, calendar), tag);
        QVERIFY2(range.contains(now.addDays(1), now, calendar), tag);
        const std::optional<QDateTime> first = range.start(now, calendar);
        if (!first) {
            QVERIFY2(range.contains(utc(1970, 1, 1), now, calendar), tag);
            QVERIFY2(range.contains(utc(1, 1, 1), now, calendar), tag);
            continue;
        }
        QVERIFY2(*first < now, tag);
        QVERIFY2(range.contains(*first, now, calendar), tag);
        QVERIFY2(!range.contains(first->addMSecs(-1), now, calendar), tag);
    }
}

void TstSearch::matches_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("matches");

    const QStringList session{u"2301"_s, u"Café Noir"_s, u"Brand book"_s, QString(),
                              u"studio-mac"_s};
    QTest::newRow("blanks match no fields") << u"  \t\n"_s << QStringList() << true;
    QTest::newRow("empty matches no fields") << QString() << QStringList() << true;
    QTest::newRow("text against no fields") << u"a"_s << QStringList() << false;
    QTest::newRow("no accent, other case") << u"CAFE"_s << session << true;
    QTest::newRow("accent and runs of blanks") << u" café   NOIR "_s << session << true;
    QTest::newRow("full width") << u"\uFF22\uFF52\uFF41\uFF4E\uFF44"_s << session << true;
    QTest::newRow("part of a number") << u"30"_s << session << true;
    QTest::newRow("last field") << u"mac"_s << session << true;
    QTest::newRow("in no field") << u"logo"_s << session << false;
    QTest::newRow("across two fields") << u"noir brand"_s << session << false;
    QTest::newRow("blank fields never match") << u"x"_s << QStringList{QString(), u" "_s} << false;
}

void TstSearch::matches()
{
    QFETCH(QString, query);
    QFETCH(QStringList, fields);
    QFETCH(bool, matches);
    QCOMPARE(zol::Search::matches(query, fields), matches);
}

QTEST_GUILESS_MAIN(TstSearch)
#include "tst_search.moc"
