#include "records/SearchRange.h"
#include "support/Folding.h"
#include "support/NaturalOrder.h"
#include "support/PlainText.h"
#include "support/QuickKey.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QUuid>

using namespace Qt::StringLiterals;

// Runs in the C.UTF-8 locale and again in nl_NL: every expectation here must
// hold in both.
class TstText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The bulk read's keys: every byte counts, the tail and the length too,
    // and session ids do not collide.
    void quickKeys()
    {
        const auto hash = [](QByteArrayView bytes) { return qHash(zol::QuickKey(bytes), 42); };
        QCOMPARE(hash("2301 Brand book"), hash(QByteArray("2301 Brand book")));
        QVERIFY(zol::QuickKey(QByteArrayView("a")) != zol::QuickKey(QByteArrayView("a\0", 2)));
        QVERIFY(hash("a") != hash(QByteArrayView("a\0", 2)));
        QVERIFY(hash("abcdefghX") != hash("abcdefghY"));
        QVERIFY(hash("Xbcdefghi") != hash("Ybcdefghi"));
        QVERIFY(qHash(zol::QuickKey(QByteArrayView("id")), 1) !=
                qHash(zol::QuickKey(QByteArrayView("id")), 2));
        QSet<size_t> seen;
        for (int i = 0; i < 10000; ++i) {
            const QByteArray id = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
            seen.insert(hash(id));
        }
        QCOMPARE(seen.size(), 10000);
    }

    void fold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::addColumn<QString>("collapsed");

        QTest::newRow("blanks only") << u" \t\n "_s << QString() << QString();
        QTest::newRow("case, runs of blanks")
            << u"  Acme \t\n  DESIGN \r\n"_s << u"acme design"_s << u"Acme DESIGN"_s;
        QTest::newRow("accents") << u"Ångström Façade Über"_s << u"angstrom facade uber"_s
                                 << u"Ångström Façade Über"_s;
        QTest::newRow("decomposed accent") << u"Cafe\u0301"_s << u"cafe"_s << u"Cafe\u0301"_s;
        QTest::newRow("full width") << u"\uFF21\uFF43\uFF4D\uFF45 \uFF12\uFF13"_s << u"acme 23"_s
                                    << u"\uFF21\uFF43\uFF4D\uFF45 \uFF12\uFF13"_s;
        QTest::newRow("ideographic and no-break space")
            << u"Acme\u3000\u00A0Design"_s << u"acme design"_s << u"Acme Design"_s;
        QTest::newRow("ligature, kelvin sign")
            << u"\uFB01le \u212A"_s << u"file k"_s << u"\uFB01le \u212A"_s;
    }

    void fold()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QFETCH(QString, collapsed);
        QCOMPARE(zol::fold(text), folded);
        QCOMPARE(zol::fold(folded), folded);
        QCOMPARE(zol::collapseWhitespace(text), collapsed);
    }

    // The quick path for ASCII text must agree with folding the text and
    // searching it. Half the queries are cut from the text itself, so that both
    // answers come up often.
    void plainText_data()
    {
        using Kind = zol::PlainText::Kind;
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain");

        QTest::newRow("nothing to take out")
            << Kind::line << u"Brand book \u05E9"_s << u"Brand book \u05E9"_s;
        QTest::newRow("escape sequence")
            << Kind::line << u"\u001b[2JRED\u001b]0;t\u0007"_s << u"[2JRED]0;t"_s;
        QTest::newRow("line breaks in a line")
            << Kind::line << u"a\nb\r\nc\td\u2028e"_s << u"a b  c d e"_s;
        QTest::newRow("a note keeps its lines")
            << Kind::note << u"a\nb\r\nc\td\re"_s << u"a\nb\nc\td\ne"_s;
        QTest::newRow("DEL and C1") << Kind::note << u"a\u007fb\u0085c\u009b"_s << u"abc"_s;
        QTest::newRow("override left open") << Kind::line << u"x\u202Eexe.gnp"_s << u"xexe.gnp"_s;
        QTest::newRow("stray closers") << Kind::line << u"\u202Ca\u2069"_s << u"a"_s;
        QTest::newRow("balanced, nested")
            << Kind::line << u"\u2067a\u202Bb\u202Cc\u2069"_s << u"\u2067a\u202Bb\u202Cc\u2069"_s;
        // An isolate's closer also closes the embeddings inside it.
        QTest::newRow("isolate closes its embedding")
            << Kind::line << u"\u2068a\u202Eb\u2069"_s << u"\u2068a\u202Eb\u2069"_s;
        QTest::newRow("embedding cannot close an isolate")
            << Kind::line << u"\u2066a\u202C"_s << u"a"_s;
    }

    void plainText()
    {
        using namespace zol::PlainText;
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        QFETCH(QString, plain);
        QCOMPARE(withoutControls(text, kind), plain);
        QCOMPARE(hasControls(text, kind), plain != text);
        QVERIFY(!hasControls(plain, kind));
    }

    void whatReachesATerminal()
    {
        using zol::PlainText::forTerminal;
        QCOMPARE(forTerminal("a\x1b[2J\tb\nc\x7f"),
                 QByteArray("a\xEF\xBF\xBD[2J\tb\nc\xEF\xBF\xBD"));
        // U+009B (a one-character escape sequence start) and U+00A9 (the copyright sign).
        QCOMPARE(forTerminal("\xC2\x9B"
                             "1m\xC2\xA9"),
                 QByteArray("\xEF\xBF\xBD"
                            "1m\xC2\xA9"));
        // Bytes that are not UTF-8 pass as they are.
        QCOMPARE(forTerminal("\xFF\xC2"), QByteArray("\xFF\xC2"));
        QCOMPARE(zol::PlainText::isolated(u"Acme"_s), u"Acme"_s);
        QCOMPARE(zol::PlainText::isolated(u"\u05E9 2"_s), u"\u2068\u05E9 2\u2069"_s);
    }

    void foldedContainsAgreesWithFold()
    {
        QCOMPARE(zol::foldedContains(u"Café  Noir", u"cafe n"), true);
        QRandomGenerator random(20260302);
        const QString alphabet = u"abAB  \t\n\r\v\f"_s;
        const auto randomText = [&](int maxLength) {
            QString s;
            for (int i = int(random.bounded(maxLength + 1)); i > 0; --i)
                s.append(alphabet[random.bounded(int(alphabet.size()))]);
            return s;
        };
        int found = 0;
        for (int round = 0; round < 4000; ++round) {
            const QString text = randomText(24);
            QString query = randomText(10);
            if (round % 2 && !text.isEmpty()) {
                const int from = int(random.bounded(int(text.size())));
                query = text.mid(from, int(random.bounded(int(text.size() - from) + 1)));
            }
            const QString folded = zol::fold(query);
            const bool expected = zol::fold(text).contains(folded);
            if (zol::foldedContains(text, folded) != expected) {
                const QByteArray shown =
                    text.toUtf8().toPercentEncoding() + " / " + query.toUtf8().toPercentEncoding();
                QFAIL(shown.constData());
            }
            found += expected;
        }
        QVERIFY(found > 800 && found < 3200);
    }

    // Each list is in natural order; only equal texts compare equal, and the
    // order is antisymmetric and transitive, as sorting needs.
    void naturalOrder()
    {
        const QStringList ordered{u"2"_s,         u"10"_s,         u"a2b"_s,         u"a10b"_s,
                                  u"ACME"_s,      u"Acme"_s,       u"Acme Design"_s, u"eclair"_s,
                                  u"éclair"_s,    u"fig"_s,        u"Project 09"_s,  u"Project 9"_s,
                                  u"project 9"_s, u"Project 10"_s, u"Zürich"_s,      u"Zwolle"_s};
        const auto sign = [](int n) { return (n > 0) - (n < 0); };
        for (qsizetype i = 0; i < ordered.size(); ++i) {
            for (qsizetype j = 0; j < ordered.size(); ++j) {
                const QString &a = ordered[i], &b = ordered[j];
                QVERIFY2(sign(zol::naturalCompare(a, b)) == sign(int(i - j)),
                         qPrintable(a + u" vs "_s + b));
                QCOMPARE(zol::naturalLess(a, b), i < j);
            }
        }
    }

    void searchMatchesAnyField()
    {
        const QStringList session{u"2301"_s, u"Café Noir"_s, u"Brand book"_s, QString()};
        QVERIFY(zol::Search::matches(u" \t", {}));
        QVERIFY(!zol::Search::matches(u"a", {}));
        QVERIFY(zol::Search::matches(u" cafe   NOIR ", session));
        QVERIFY(zol::Search::matches(u"30", session));
        QVERIFY(!zol::Search::matches(u"noir brand", session));
    }
};

QTEST_GUILESS_MAIN(TstText)
#include "tst_text.moc"
