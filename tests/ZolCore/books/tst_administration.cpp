// Administrations: the stored list and its fallbacks, studio folders claimed by
// two sets of books, the editor's and list's rules, and the project numbers
// suggested by a numbering scheme: the count carrying on from the highest, the
// year turning over in the user's own time zone, numbers in other forms ignored.

#include "Builders.h"
#include "books/Administration.h"
#include "books/ProjectNumbering.h"
#include "support/Calendar.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::Administration;
using zol::test::utc;

using Editor = Administration::Editor;
using Administrations = QList<Administration>;

namespace zol {

// Failure output: records as the list stores them.
char* toString(const Administration& administration)
{
    return QTest::toString(Administration::encodeList({administration}));
}

char* toString(const QList<Administration>& list)
{
    return QTest::toString(Administration::encodeList(list));
}

} // namespace zol

namespace {

const QString idA = u"6F1C2A30-8C1D-4F3E-9B7A-0D2E5C4B3A21"_s;
const QString idB = u"A8B1E4D2-3C5F-4E6A-8B9C-7D0E1F2A3B4C"_s;
const QString idC = u"0C4D7E1A-9B2F-4A3C-8D5E-6F7A8B9C0D1E"_s;

Administration record(const QString& id, const QString& name, bool keepsLocal = false,
                      const QString& prefix = QString(), bool includesYear = true, int digits = 0)
{
    return Administration{id, name,
                          digits
                              ? Administration::Numbering::automatic({prefix, includesYear, digits})
                              : Administration::Numbering::open(),
                          keepsLocal};
}

const Administration local = record(u"default"_s, u"Local"_s);
const Administration studio = record(idA, u"Studio"_s, false, u"P"_s, true, 3);
const Administration freelance = record(idB, u"Freelance"_s);

const QDateTime summer2026 = utc(2026, 6, 15, 12);
const zol::Calendar amsterdam{QTimeZone("Europe/Amsterdam")};

} // namespace

class TstAdministration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedForm()
    {
        const Administrations list{record(u"b"_s, u"Ærø"_s, true, u"Ø-"_s, false, 4), local};
        const QByteArray json =
            R"([{"id":"b","keepsLocal":true,"name":"Ærø","numbering":{"automatic":)"
            R"({"_0":{"digits":4,"includesYear":false,"prefix":"Ø-"}}}},)"
            R"({"id":"default","keepsLocal":false,"name":"Local","numbering":{"open":{}}}])";
        QCOMPARE(Administration::encodeList(list), json);
        QCOMPARE(Administration::decodeList(json).value_or(Administrations()), list);

        const QByteArray twoKeys =
            R"([{"id":"x","name":"X","numbering":{"open":{},"automatic":{}}}])";
        QCOMPARE(Administration::decodeList(twoKeys).error(),
                 u"Invalid number of keys found, expected one."_s);
    }

    void readList()
    {
        const auto read = [](const char* stored) {
            return Administration::readList(stored ? std::optional<QByteArray>(stored)
                                                   : std::nullopt);
        };
        const Administrations fallback{Administration::fallback()};
        QCOMPARE(read(nullptr), fallback);
        QCOMPARE(read("admin"), fallback);
        QCOMPARE(read(R"([{"id":"default","name":"Local"},{"id":"x","name":"X","numbering":{}}])"),
                 fallback);
        // The old name of the first administration, which always keeps local.
        QCOMPARE(read(R"([{"id":"default","name":"My hours"},{"id":"x","name":"My hours"}])"),
                 (Administrations{record(u"default"_s, u"Local"_s, true),
                                  record(u"x"_s, u"My hours"_s)}));
    }

    void administrationUsing()
    {
        const Administrations list{local, record(idC, u"Home"_s, true), studio, freelance,
                                   record(u"E"_s, u"Unset"_s)};
        const QHash<QString, QString> folders{{u"default"_s, u"/volumes/studio"_s},
                                              {idC, u"/volumes/studio"_s},
                                              {idA, u"/volumes/studio"_s},
                                              {idB, u"  /Volumes/Other// "_s}};
        const auto using_ = [&](const QString& folder, const QString& excluding = QString()) {
            const std::optional<Administration> found = Administration::administrationUsing(
                list, folder, excluding, [&](const QString& id) { return folders.value(id); });
            return found ? found->id : QString();
        };
        QCOMPARE(using_(u"  /Volumes/STUDIO//\n"_s), idA);
        QCOMPARE(using_(u"/volumes/other"_s), idB);
        // Never "default", one that keeps local or the one asking.
        QCOMPARE(using_(u"/volumes/studio"_s, idA), QString());
        QCOMPARE(using_(u"  "_s), QString()); // not the one without a folder
    }

    void editorSaves()
    {
        const auto scheme = [](int digits) {
            return Editor{u" Free lance\n"_s, true, u"F"_s, true, digits, false};
        };
        QCOMPARE(scheme(0).applied(freelance),
                 record(idB, u"Free lance"_s, false, u"F"_s, true, 1));
        QCOMPARE(scheme(12).applied(freelance),
                 record(idB, u"Free lance"_s, false, u"F"_s, true, 9));
        QCOMPARE((Editor{u"Studio"_s, false, u"P"_s, true, 3, false}.applied(studio)),
                 record(idA, u"Studio"_s));
        // "default" keeps local whatever the switch says.
        QCOMPARE((Editor{u"Home"_s, false, QString(), true, 5, false}.applied(local)),
                 record(u"default"_s, u"Home"_s, true));
    }

    void removing()
    {
        QCOMPARE(Administration::removing({studio}, idA), Administrations{studio});
        QCOMPARE(Administration::removing({local, studio}, u"default"_s),
                 (Administrations{local, studio}));
        QCOMPARE(Administration::removing({local, studio, freelance, studio}, idA),
                 (Administrations{local, freelance}));
    }

    void subtitle()
    {
        // Already 2027 in Amsterdam, still 2026 in UTC.
        QCOMPARE(record(idB, u"Home"_s, true, u"P"_s, true, 3)
                     .subtitle(utc(2026, 12, 31, 23, 30), amsterdam),
                 u"This computer only · Numbers like P27001"_s);
    }

    void suggestedNumber_data()
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
        // The books list projects by client and name, so numbers come in any
        // order: the highest is neither the first nor the last here.
        QTest::newRow("unsorted numbers")
            << p << QStringList{u"P26012"_s, u"P26103"_s, u"P25999"_s, u" P26047"_s} << summer2026
            << u"P26104"_s;
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

    void suggestedNumber()
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

    void numberMatchesScheme()
    {
        const QString p = u"P{yy}{000}"_s;
        QVERIFY(zol::ProjectNumbering::matches(u" P26012\n"_s, p, summer2026, amsterdam));
        QVERIFY(!zol::ProjectNumbering::matches(u"P25012"_s, p, summer2026, amsterdam));
        QVERIFY(!zol::ProjectNumbering::matches(u"P2612"_s, p, summer2026, amsterdam));
    }
};

QTEST_GUILESS_MAIN(TstAdministration)
#include "tst_administration.moc"
