// Suggested project numbers: the count carrying on from the highest, the year
// turning over in the user's own time zone, and numbers in other forms ignored.

#include "Builders.h"
#include "books/ProjectNumbering.h"
#include "support/Calendar.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::test::utc;

namespace {

const QDateTime summer2026 = utc(2026, 6, 15, 12);
const zol::Calendar amsterdam{QTimeZone("Europe/Amsterdam")};

} // namespace

class TstProjectNumbering : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void next_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("expected"); // empty: no suggestion

        const QString p = u"P{yy}{000}"_s;
        const QStringList inUse{u"P26001"_s, u"P26007"_s, u"P25042"_s, u"P24099"_s};
        QTest::newRow("first of the year") << p << QStringList() << summer2026 << u"P26001"_s;
        QTest::newRow("highest plus one, other years ignored")
            << p << inUse << summer2026 << u"P26008"_s;
        QTest::newRow("31 Dec 23:30 UTC is January in Amsterdam")
            << p << inUse << utc(2026, 12, 31, 23, 30) << u"P27001"_s;
        QTest::newRow("31 Dec 22:30 UTC is still December in Amsterdam")
            << p << inUse << utc(2026, 12, 31, 22, 30) << u"P26008"_s;
        QTest::newRow("no year, four digits")
            << u"A-{0000}"_s << QStringList() << summer2026 << u"A-0001"_s;
        QTest::newRow("gaps are not filled")
            << p << QStringList{u"P26001"_s, u"P26005"_s} << summer2026 << u"P26006"_s;
        QTest::newRow("the count outgrows its width, and the wider number does not count")
            << p << QStringList{u"P26999"_s, u"P261000"_s} << summer2026 << u"P261000"_s;
        QTest::newRow("numbers in other forms never count")
            << p
            << QStringList{u"p26050"_s, u"P2612"_s, u"P26-013"_s, u"P26１２３"_s,
                           u"LOCAL:1B4E28BA"_s}
            << summer2026 << u"P26001"_s;
        QTest::newRow("no count past 64 bits")
            << u"{0000000000000000000}"_s << QStringList{u"9223372036854775807"_s} << summer2026
            << QString();
        QTest::newRow("a brace in the prefix")
            << u"P{{yy}{000}"_s << QStringList() << summer2026 << QString();
        QTest::newRow("no counter") << u"P{yy}"_s << QStringList() << summer2026 << QString();
    }

    void next()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, existing);
        QFETCH(QDateTime, now);
        QFETCH(QString, expected);

        const std::optional<QString> suggested =
            zol::ProjectNumbering::next(pattern, existing, now, amsterdam);
        QCOMPARE(suggested.value_or(QString()), expected);
        QCOMPARE(suggested.has_value(), !expected.isEmpty());
    }

    void matches()
    {
        const QString p = u"P{yy}{000}"_s;
        QVERIFY(zol::ProjectNumbering::matches(u" P26012\n"_s, p, summer2026, amsterdam));
        QVERIFY(!zol::ProjectNumbering::matches(u"P25012"_s, p, summer2026, amsterdam));
        QVERIFY(!zol::ProjectNumbering::matches(u"P2612"_s, p, summer2026, amsterdam));
    }
};

QTEST_GUILESS_MAIN(TstProjectNumbering)
#include "tst_projectnumbering.moc"
