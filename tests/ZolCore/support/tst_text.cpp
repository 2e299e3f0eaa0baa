#include "support/Folding.h"
#include "support/NaturalOrder.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

// Runs in the C.UTF-8 locale and again in nl_NL: every expectation here must
// hold in both.
class TstText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fold_data();
    void fold();
    void collapseWhitespace_data();
    void collapseWhitespace();
    void foldedContains_data();
    void foldedContains();
    void foldedContainsAgreesWithFoldOnRandomText();

    void naturalCompare_data();
    void naturalCompare();
    void naturalOrderIsTotal();
    void naturalSort();
};

void TstText::fold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << u" \t\n "_s << QString();
    QTest::newRow("case") << u"Acme DESIGN"_s << u"acme design"_s;
    QTest::newRow("runs of white space") << u"  Acme \t\n  Design \r\n"_s << u"acme design"_s;
    QTest::newRow("acute, precomposed") << u"Café ÉCLAIR"_s << u"cafe eclair"_s;
    QTest::newRow("acute, decomposed") << u"Cafe\u0301"_s << u"cafe"_s;
    QTest::newRow("umlaut") << u"Über Zürich"_s << u"uber zurich"_s;
    QTest::newRow("ring and cedilla") << u"Ångström Façade"_s << u"angstrom facade"_s;
    QTest::newRow("greek") << u"Ωμέγα"_s << u"ωμεγα"_s;
    QTest::newRow("greek final sigma") << u"Πάτμος"_s << u"πατμοσ"_s;
    QTest::newRow("full-width letters") << u"\uFF21\uFF43\uFF4D\uFF45"_s << u"acme"_s;
    QTest::newRow("full-width digits")
        << u"Project \uFF12\uFF13\uFF10\uFF11"_s << u"project 2301"_s;
    QTest::newRow("ideographic space") << u"Acme\u3000\u3000Design"_s << u"acme design"_s;
    QTest::newRow("no-break space") << u"Acme\u00A0Design"_s << u"acme design"_s;
    QTest::newRow("ligature") << u"\uFB01le"_s << u"file"_s;
    QTest::newRow("ascii and accents mixed") << u"\tZöl\n\nStudio "_s << u"zol studio"_s;
    QTest::newRow("kelvin sign") << u"\u212A"_s << u"k"_s;
}

void TstText::fold()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(zol::fold(text), folded);
    // Folding is idempotent: a folded query folds to itself.
    QCOMPARE(zol::fold(folded), folded);
}

void TstText::collapseWhitespace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("collapsed");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks only") << u" \t \n"_s << QString();
    QTest::newRow("already tidy") << u"Editing logos"_s << u"Editing logos"_s;
    QTest::newRow("ends and inner runs") << u"  Editing \t  logos\n"_s << u"Editing logos"_s;
    QTest::newRow("keeps case and accents") << u" Café\r\nNOIR "_s << u"Café NOIR"_s;
    QTest::newRow("keeps full-width letters") << u"\uFF21  B"_s << u"\uFF21 B"_s;
}

void TstText::collapseWhitespace()
{
    QFETCH(QString, text);
    QFETCH(QString, collapsed);
    QCOMPARE(zol::collapseWhitespace(text), collapsed);
}

void TstText::foldedContains_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("contains");

    QTest::newRow("empty query") << u"anything"_s << QString() << true;
    QTest::newRow("empty text") << QString() << u"a"_s << false;
    QTest::newRow("case") << u"Brand BOOK"_s << u"book"_s << true;
    QTest::newRow("space in query meets a run") << u"Brand \t\n book"_s << u"d b"_s << true;
    QTest::newRow("space in query meets none") << u"Brandbook"_s << u"d b"_s << false;
    QTest::newRow("run at the start of the text") << u"  \tacme"_s << u"acme"_s << true;
    QTest::newRow("partial match before the real one") << u"aab aabc"_s << u"abc"_s << true;
    QTest::newRow("query longer than the text") << u"ab"_s << u"abc"_s << false;
    QTest::newRow("text ends inside a run") << u"ab  "_s << u"b c"_s << false;
    QTest::newRow("accented text") << u"Café Noir"_s << u"cafe n"_s << true;
    QTest::newRow("full-width text") << u"\uFF21\uFF23\uFF2D\uFF25"_s << u"cm"_s << true;
    QTest::newRow("accented query, plain text") << u"cafe"_s << zol::fold(u"CAFÉ") << true;
    QTest::newRow("not found") << u"Brand book"_s << u"logo"_s << false;
}

void TstText::foldedContains()
{
    QFETCH(QString, text);
    QFETCH(QString, query);
    QFETCH(bool, contains);
    QCOMPARE(zol::foldedContains(text, query), contains);
    QCOMPARE(zol::fold(text).contains(query), contains);
}

// The quick path for ASCII text must agree with folding the text and searching
// it, whatever the white space. Queries are drawn both at random and from the
// text itself (with case and blanks changed), so that both answers come up often.
void TstText::foldedContainsAgreesWithFoldOnRandomText()
{
    QRandomGenerator random(20260302);
    const QString alphabet = u"abAB  \t\n\r\v\f"_s;
    const auto randomText = [&](int maxLength) {
        QString s;
        const int length = int(random.bounded(maxLength + 1));
        for (int i = 0; i < length; ++i)
            s.append(alphabet[random.bounded(int(alphabet.size()))]);
        return s;
    };

    int found = 0;
    int missed = 0;
    for (int round = 0; round < 20000; ++round) {
        const QString text = randomText(24);
        QString query;
        if (round % 2 == 0 || text.isEmpty()) {
            query = randomText(10);
        } else {
            const int from = int(random.bounded(int(text.size())));
            const int length = int(random.bounded(int(text.size() - from) + 1));
            query = text.mid(from, length);
            for (QChar& c : query) {
                if (random.bounded(3) == 0)
                    c = c.isUpper() ? c.toLower() : c.toUpper();
                else if (c.isSpace() && random.bounded(2) == 0)
                    c = u'\t';
            }
        }
        const QString folded = zol::fold(query);
        const bool expected = zol::fold(text).contains(folded);
        if (zol::foldedContains(text, folded) != expected) {
            const auto shown = [](const QString& s) {
                return QString::fromLatin1(s.toUtf8().toPercentEncoding());
            };
            QFAIL(qPrintable(u"text \"%1\", query \"%2\": expected %3"_s.arg(
                shown(text), shown(query), expected ? u"true"_s : u"false"_s)));
        }
        ++(expected ? found : missed);
    }
    QVERIFY(found > 4000);
    QVERIFY(missed > 4000);
}

void TstText::naturalCompare_data()
{
    QTest::addColumn<QString>("lesser");
    QTest::addColumn<QString>("greater");

    QTest::newRow("numbers by value") << u"Project 9"_s << u"Project 10"_s;
    QTest::newRow("numbers by value, other case") << u"project 9"_s << u"Project 10"_s;
    QTest::newRow("bare numbers") << u"2"_s << u"10"_s;
    QTest::newRow("number inside") << u"a2b"_s << u"a10b"_s;
    QTest::newRow("case ignored") << u"apple"_s << u"Banana"_s;
    QTest::newRow("case ignored, capitals first") << u"APPLE"_s << u"banana"_s;
    QTest::newRow("accent beside its letter") << u"éclair"_s << u"fig"_s;
    QTest::newRow("accent after the plain letter") << u"eclair"_s << u"éclair"_s;
    QTest::newRow("umlaut among the u's") << u"Zürich"_s << u"Zwolle"_s;
    QTest::newRow("prefix first") << u"Acme"_s << u"Acme Design"_s;
    QTest::newRow("equal but for case") << u"ACME"_s << u"Acme"_s;
    QTest::newRow("equal but for leading zero") << u"Project 09"_s << u"Project 9"_s;
}

void TstText::naturalCompare()
{
    QFETCH(QString, lesser);
    QFETCH(QString, greater);
    QVERIFY(zol::naturalCompare(lesser, greater) < 0);
    QVERIFY(zol::naturalCompare(greater, lesser) > 0);
    QVERIFY(zol::naturalLess(lesser, greater));
    QVERIFY(!zol::naturalLess(greater, lesser));
    QCOMPARE(zol::naturalCompare(lesser, lesser), 0);
}

// Sorting needs a strict total order: only equal texts compare equal, and the
// order is antisymmetric and transitive over every pair and triple.
void TstText::naturalOrderIsTotal()
{
    const QStringList texts{
        u"Acme"_s,      u"acme"_s,       u"ACME"_s,       u"Acmé"_s,      u"Project 9"_s,
        u"project 9"_s, u"Project 09"_s, u"Project 10"_s, u"éclair"_s,    u"Eclair"_s,
        u"eclair"_s,    u"Zürich"_s,     u"Zurich"_s,     u"\uFF21cme"_s, QString(),
        u" "_s,         u"10"_s,         u"9"_s,          u"Über"_s,      u"uber"_s,
    };
    const auto sign = [](int n) { return (n > 0) - (n < 0); };
    for (const QString& a : texts) {
        for (const QString& b : texts) {
            const int ab = sign(zol::naturalCompare(a, b));
            QCOMPARE(ab == 0, a == b);
            QCOMPARE(sign(zol::naturalCompare(b, a)), -ab);
            for (const QString& c : texts) {
                if (ab < 0 && zol::naturalCompare(b, c) < 0)
                    QVERIFY2(zol::naturalCompare(a, c) < 0,
                             qPrintable(a + u" < "_s + b + u" < "_s + c));
            }
        }
    }
}

void TstText::naturalSort()
{
    QStringList list{u"Project 10"_s, u"zebra"_s, u"project 9"_s, u"Éclair"_s,
                     u"Project 9"_s,  u"Apple"_s, u"eclair"_s,    u"Zebra"_s};
    zol::naturalSort(list);
    QCOMPARE(list, (QStringList{u"Apple"_s, u"eclair"_s, u"Éclair"_s, u"Project 9"_s,
                                u"project 9"_s, u"Project 10"_s, u"Zebra"_s, u"zebra"_s}));
}

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
