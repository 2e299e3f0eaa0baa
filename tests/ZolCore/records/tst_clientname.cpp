#include "records/ClientName.h"

#include <QTest>

using namespace Qt::StringLiterals;
namespace ClientName = zol::ClientName;

class TstClientName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void same()
    {
        QVERIFY(ClientName::same(u"Café  Noir", u" cafe\tNOIR "));
        QVERIFY(ClientName::same(u"\uFF21\uFF43\uFF4D\uFF45", u"acme"));
        QVERIFY(!ClientName::same(u"Studio Noord", u"StudioNoord"));
        QVERIFY(!ClientName::same(u"Acme", u"Acme Design"));
        QVERIFY(!ClientName::same(u"  ", u"\t"));
        QVERIFY(!ClientName::same(QString(), u"Acme"));
    }

    // One spelling per client: the most used, even when seen last; on a tie the
    // first in order, not the first seen; blanks tidied; empty names dropped.
    void distinct()
    {
        const QStringList names{QString(),         u"  "_s,           u"zol"_s,
                                u"Zöl"_s,          u"zol"_s,          u"Zöl"_s,
                                u"Zöl"_s,          u"Café Noir"_s,    u"Cafe Noir"_s,
                                u"Client 10"_s,    u"Studio Noord"_s, u"  Studio   Noord "_s,
                                u"studio noord"_s, u"client 9"_s};
        QCOMPARE(ClientName::distinct(names),
                 (QStringList{u"Cafe Noir"_s, u"client 9"_s, u"Client 10"_s, u"Studio Noord"_s,
                              u"Zöl"_s}));
    }

    // Names that begin with the query first, then those that contain it, each
    // in natural order; the name already typed is left out.
    void suggestions()
    {
        const QStringList names{u"Studio Acme"_s, u"ACME Labs"_s,   u"Acme"_s,
                                u"acme"_s,        u"Client 10"_s,   u"Bakkerij Acmé"_s,
                                u"client 9"_s,    u"Acme Design"_s, u"Client 2"_s};
        const ClientName::Suggestions acme = ClientName::suggestions(u"  ACMÉ\t", names, 3);
        QCOMPARE(acme.shown, (QStringList{u"Acme Design"_s, u"ACME Labs"_s, u"Bakkerij Acmé"_s}));
        QCOMPARE(acme.total, 4);
        QCOMPARE(acme.hidden(), 1);
        QCOMPARE(ClientName::suggestions(u"client", names, 10).shown,
                 (QStringList{u"Client 2"_s, u"client 9"_s, u"Client 10"_s}));
        QCOMPARE(ClientName::suggestions(u"me d", names, 10).shown, QStringList{u"Acme Design"_s});
        QCOMPARE(ClientName::suggestions(u"acme design", names, 10), ClientName::Suggestions());
        QCOMPARE(ClientName::suggestions(u" \n ", names, 10), ClientName::Suggestions());
    }
};

QTEST_GUILESS_MAIN(TstClientName)
#include "tst_clientname.moc"
