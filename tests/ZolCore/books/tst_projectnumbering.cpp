// Suggested project numbers: reading existing numbers back against a pattern,
// the count carrying on from the highest, and the year turning over in the
// user's own time zone.

#include "Builders.h"
#include "books/ProjectNumbering.h"
#include "support/Calendar.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::Calendar;
using zol::test::utc;

class TstProjectNumbering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void next_data();
    void next();
    void matches_data();
    void matches();
};

namespace {

// Midsummer 2026 in any zone.
const QDateTime summer2026 = utc(2026, 6, 15, 12);

} // namespace

void TstProjectNumbering::next_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QByteArray>("zone");
    // Empty: no suggestion.
    QTest::addColumn<QString>("expected");

    const QString p = u"P{yy}{000}"_s;
    const QStringList inUse{u"P26001"_s, u"P26007"_s, u"P25042"_s};
    const QByteArray amsterdam = "Europe/Amsterdam";
    // Letter case, too short, separators, non-ASCII digits, signs, local keys.
    const QStringList otherForms{u"p26050"_s,    u"P2612"_s,
                                 u"P26-013"_s,   u"P26 014"_s,
                                 u"P26１２３"_s, u"P26٠٤٥"_s,
                                 u"P26+12"_s,    u"P2"_s,
                                 QString(),      u"LOCAL:1B4E28BA-2FA1-11D2-883F-0016D3CCA427"_s};

    QTest::newRow("first of the year")
        << p << QStringList() << summer2026 << amsterdam << u"P26001"_s;
    QTest::newRow("highest plus one, other years ignored")
        << p << inUse << summer2026 << amsterdam << u"P26008"_s;
    QTest::newRow("new year starts again")
        << p << inUse << utc(2027, 1, 1, 9) << amsterdam << u"P27001"_s;
    QTest::newRow("31 Dec 23:30 UTC is January in Amsterdam")
        << p << inUse << utc(2026, 12, 31, 23, 30) << amsterdam << u"P27001"_s;
    QTest::newRow("31 Dec 22:30 UTC is still December in Amsterdam")
        << p << inUse << utc(2026, 12, 31, 22, 30) << amsterdam << u"P26008"_s;
    QTest::newRow("31 Dec 12:00 UTC is January in Auckland")
        << p << inUse << utc(2026, 12, 31, 12) << QByteArray("Pacific/Auckland") << u"P27001"_s;
    QTest::newRow("1 Jan 03:00 UTC is December in New York")
        << p << inUse << utc(2027, 1, 1, 3) << QByteArray("America/New_York") << u"P26008"_s;
    QTest::newRow("two-digit year keeps its zero")
        << p << QStringList() << utc(2005, 3, 1) << amsterdam << u"P05001"_s;
    QTest::newRow("no year, four digits")
        << u"A-{0000}"_s << QStringList() << summer2026 << amsterdam << u"A-0001"_s;
    QTest::newRow("four-digit year and a suffix")
        << u"{000}/{yyyy}"_s << QStringList{u"004/2026"_s, u"009/2025"_s} << summer2026 << amsterdam
        << u"005/2026"_s;

    QTest::newRow("gaps are not filled")
        << p << QStringList{u"P26001"_s, u"P26005"_s} << summer2026 << amsterdam << u"P26006"_s;
    QTest::newRow("numbers count trimmed")
        << p << QStringList{u"  P26041\t\n"_s} << summer2026 << amsterdam << u"P26042"_s;
    QTest::newRow("the count outgrows its width")
        << p << QStringList{u"P26999"_s} << summer2026 << amsterdam << u"P261000"_s;
    QTest::newRow("a wider number does not count")
        << p << QStringList{u"P26999"_s, u"P261000"_s} << summer2026 << amsterdam << u"P261000"_s;
    QTest::newRow("numbers in other forms never count")
        << p << otherForms << summer2026 << amsterdam << u"P26001"_s;
    QTest::newRow("the last count is not incremented past 64 bits")
        << u"{0000000000000000000}"_s << QStringList{u"9223372036854775807"_s} << summer2026
        << amsterdam << QString();
    QTest::newRow("a count beyond 64 bits does not count")
        << u"{00000000000000000000}"_s << QStringList{u"99999999999999999999"_s} << summer2026
        << amsterdam << u"00000000000000000001"_s;

    QTest::newRow("a brace in the prefix")
        << u"P{{yy}{000}"_s << QStringList() << summer2026 << amsterdam << QString();
    QTest::newRow("no counter") << u"P{yy}"_s << QStringList() << summer2026 << amsterdam
                                << QString();
    QTest::newRow("empty counter")
        << u"P{yy}{}"_s << QStringList() << summer2026 << amsterdam << QString();
    QTest::newRow("counter not closed")
        << u"P{yy}{000"_s << QStringList() << summer2026 << amsterdam << QString();
    QTest::newRow("counter with other digits")
        << u"P{010}"_s << QStringList() << summer2026 << amsterdam << QString();
}

void TstProjectNumbering::next()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, existing);
    QFETCH(QDateTime, now);
    QFETCH(QByteArray, zone);
    QFETCH(QString, expected);

    const Calendar calendar{QTimeZone(zone)};
    QVERIFY(calendar.timeZone().isValid());
    const std::optional<QString> suggested =
        zol::ProjectNumbering::next(pattern, existing, now, calendar);
    QCOMPARE(suggested.value_or(QString()), expected);
    QCOMPARE(suggested.has_value(), !expected.isEmpty());
}

void TstProjectNumbering::matches_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("expected");

    const QString p = u"P{yy}{000}"_s;
    QTest::newRow("exact") << u"P26012"_s << p << true;
    QTest::newRow("trimmed") << u" P26012\n"_s << p << true;
    QTest::newRow("too few digits") << u"P2612"_s << p << false;
    QTest::newRow("another year") << u"P25012"_s << p << false;
    QTest::newRow("unparseable pattern") << u"P26012"_s << u"P{yy}{0x0}"_s << false;
    QTest::newRow("suffix") << u"P26126"_s << u"P{yy}{0}{yy}"_s << true;
    QTest::newRow("prefix and suffix overlap") << u"P26"_s << u"P{yy}{0}{yy}"_s << false;
    QTest::newRow("nothing between prefix and suffix") << u"P2626"_s << u"P{yy}{0}{yy}"_s << false;
}

void TstProjectNumbering::matches()
{
    QFETCH(QString, number);
    QFETCH(QString, pattern);
    QFETCH(bool, expected);

    const Calendar calendar{QTimeZone("Europe/Amsterdam")};
    QCOMPARE(zol::ProjectNumbering::matches(number, pattern, summer2026, calendar), expected);
}

QTEST_GUILESS_MAIN(TstProjectNumbering)
#include "tst_projectnumbering.moc"
