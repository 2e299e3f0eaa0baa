#include "records/ClientName.h"

#include <QTest>

using namespace Qt::StringLiterals;
namespace ClientName = zol::ClientName;

class TstClientName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void same_data();
    void same();
    void distinct_data();
    void distinct();
    void suggestions_data();
    void suggestions();
};

void TstClientName::same_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("identical") << u"Acme"_s << u"Acme"_s << true;
    QTest::newRow("case") << u"Acme"_s << u"ACME"_s << true;
    QTest::newRow("accents, case and blanks") << u"Café  Noir"_s << u" cafe\tNOIR "_s << true;
    QTest::newRow("umlaut") << u"Zürich AG"_s << u"zurich ag"_s << true;
    QTest::newRow("full width") << u"\uFF21\uFF43\uFF4D\uFF45"_s << u"acme"_s << true;
    QTest::newRow("longer name") << u"Acme"_s << u"Acme Design"_s << false;
    QTest::newRow("blank between words matters") << u"Studio Noord"_s << u"StudioNoord"_s << false;
    QTest::newRow("two empty names") << QString() << QString() << false;
    QTest::newRow("two blank names") << u"  "_s << u"\t"_s << false;
    QTest::newRow("empty and a name") << QString() << u"Acme"_s << false;
    QTest::newRow("a name and empty") << u"Acme"_s << QString() << false;
}

void TstClientName::same()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(ClientName::same(a, b), same);
    QCOMPARE(ClientName::same(b, a), same);
}

void TstClientName::distinct_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("distinct");

    QTest::newRow("none") << QStringList() << QStringList();
    QTest::newRow("empty and blank names dropped")
        << QStringList{QString(), u"  "_s, u"Acme"_s, u"\n"_s} << QStringList{u"Acme"_s};
    QTest::newRow("most used spelling wins")
        << QStringList{u"acme"_s, u"Acme"_s, u"ACME"_s, u"Acme"_s} << QStringList{u"Acme"_s};
    QTest::newRow("most used, though seen last")
        << QStringList{u"zol"_s, u"Zöl"_s, u"zol"_s, u"Zöl"_s, u"Zöl"_s} << QStringList{u"Zöl"_s};
    QTest::newRow("tie: first in order, not first seen")
        << QStringList{u"Café Noir"_s, u"Cafe Noir"_s} << QStringList{u"Cafe Noir"_s};
    QTest::newRow("tie, other way round")
        << QStringList{u"Cafe Noir"_s, u"Café Noir"_s} << QStringList{u"Cafe Noir"_s};
    QTest::newRow("blanks tidied count as one spelling")
        << QStringList{u"Studio Noord"_s, u"  Studio   Noord "_s, u"studio noord"_s}
        << QStringList{u"Studio Noord"_s};
    QTest::newRow("sorted naturally")
        << QStringList{u"Client 10"_s, u"zeta"_s, u"client 9"_s, u"Bakker"_s, u"Álvarez"_s}
        << QStringList{u"Álvarez"_s, u"Bakker"_s, u"client 9"_s, u"Client 10"_s, u"zeta"_s};
}

void TstClientName::distinct()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, distinct);
    QCOMPARE(ClientName::distinct(names), distinct);
}

void TstClientName::suggestions_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("total");

    QTest::newRow("begins with before contains")
        << u"acme"_s << 10
        << QStringList{u"Acme Design"_s, u"ACME Labs"_s, u"Bakkerij Acmé"_s, u"Studio Acme"_s} << 4;
    QTest::newRow("query folded and trimmed")
        << u"  ACMÉ\t"_s << 10
        << QStringList{u"Acme Design"_s, u"ACME Labs"_s, u"Bakkerij Acmé"_s, u"Studio Acme"_s} << 4;
    QTest::newRow("limit") << u"acme"_s << 3
                           << QStringList{u"Acme Design"_s, u"ACME Labs"_s, u"Bakkerij Acmé"_s}
                           << 4;
    QTest::newRow("limit 1") << u"acme"_s << 1 << QStringList{u"Acme Design"_s} << 4;
    QTest::newRow("limit 0") << u"acme"_s << 0 << QStringList() << 4;
    QTest::newRow("contains only") << u"me d"_s << 10 << QStringList{u"Acme Design"_s} << 1;
    QTest::newRow("exact name left out") << u"acme design"_s << 10 << QStringList() << 0;
    QTest::newRow("numbers in natural order")
        << u"client"_s << 10 << QStringList{u"Client 2"_s, u"client 9"_s, u"Client 10"_s} << 3;
    QTest::newRow("nothing matches") << u"xyz"_s << 10 << QStringList() << 0;
    QTest::newRow("empty query") << QString() << 10 << QStringList() << 0;
    QTest::newRow("blank query") << u" \n "_s << 10 << QStringList() << 0;
}

void TstClientName::suggestions()
{
    QFETCH(QString, query);
    QFETCH(int, limit);
    QFETCH(QStringList, shown);
    QFETCH(int, total);

    const QStringList names{u"Studio Acme"_s, u"ACME Labs"_s,   u"Acme"_s,
                            u"acme"_s,        u"Client 10"_s,   u"Bakkerij Acmé"_s,
                            u"client 9"_s,    u"Acme Design"_s, u"Client 2"_s};
    const ClientName::Suggestions s = ClientName::suggestions(query, names, limit);
    QCOMPARE(s.shown, shown);
    QCOMPARE(s.total, total);
    QCOMPARE(s.hidden(), total - int(shown.size()));
    QCOMPARE(s.isEmpty(), shown.isEmpty());
    if (total == 0)
        QCOMPARE(s, ClientName::Suggestions::none());
}

QTEST_GUILESS_MAIN(TstClientName)
#include "tst_clientname.moc"
