// Administrations: the stored list and its fallbacks, the open one, studio
// folders claimed by two sets of books, and the editor's and list's rules.

#include "Builders.h"
#include "books/Administration.h"
#include "support/Calendar.h"

#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::Administration;
using zol::test::utc;

using Numbering = Administration::Numbering;
using Scheme = Administration::Scheme;
using Editor = Administration::Editor;
using Administrations = QList<Administration>;
using StoredList = std::optional<QByteArray>;

Q_DECLARE_METATYPE(Administration)
Q_DECLARE_METATYPE(Editor)
Q_DECLARE_METATYPE(Scheme)
Q_DECLARE_METATYPE(StoredList)

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
const QString idD = u"D3E2F1A0-B9C8-4D7E-A6F5-E4D3C2B1A0F9"_s;

Administration record(const QString& id, const QString& name, Numbering numbering = {},
                      bool keepsLocal = false)
{
    return Administration{id, name, std::move(numbering), keepsLocal};
}

Numbering automatic(const QString& prefix, bool includesYear, int digits)
{
    return Numbering::automatic(Scheme{prefix, includesYear, digits});
}

const Administration local = record(u"default"_s, u"Local"_s);
const Administration localOnly = record(u"default"_s, u"Local"_s, {}, true);
const Administration studio = record(idA, u"Studio"_s, automatic(u"P"_s, true, 3));
const Administration freelance = record(idB, u"Freelance"_s);

// Already 2027 in Amsterdam, still 2026 in UTC.
const QDateTime newYearsEve = utc(2026, 12, 31, 23, 30);
const zol::Calendar amsterdam{QTimeZone("Europe/Amsterdam")};

} // namespace

class TstAdministration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodedForm_data()
    {
        QTest::addColumn<Administrations>("list");
        QTest::addColumn<QByteArray>("json");

        QTest::newRow("empty") << Administrations() << QByteArray("[]");
        QTest::newRow("open, all four keys")
            << Administrations{Administration::fallback()}
            << QByteArray(R"([{"id":"default","keepsLocal":false,"name":"Local",)"
                          R"("numbering":{"open":{}}}])");
        QTest::newRow("automatic, UTF-8 text, list order kept")
            << Administrations{record(idB, u"Ærø “Studio”"_s, automatic(u"Ø-"_s, false, 4), true),
                               local}
            << (R"([{"id":")" + idB.toUtf8() +
                R"(","keepsLocal":true,"name":"Ærø “Studio”","numbering":{"automatic":)"
                R"({"_0":{"digits":4,"includesYear":false,"prefix":"Ø-"}}}},)"
                R"({"id":"default","keepsLocal":false,"name":"Local","numbering":{"open":{}}}])");
    }

    void encodedForm()
    {
        QFETCH(Administrations, list);
        QFETCH(QByteArray, json);

        QCOMPARE(Administration::encodeList(list), json);
        const auto decoded = Administration::decodeList(json);
        QVERIFY2(decoded.has_value(), qPrintable(decoded.error()));
        QCOMPARE(*decoded, list);
    }

    void decodeRejects_data()
    {
        QTest::addColumn<QByteArray>("json");
        // Checked word for word when given.
        QTest::addColumn<QString>("message");

        const QString keys = u"Invalid number of keys found, expected one."_s;
        // A good first entry, so that the second spoils the whole array.
        auto second = [](const QByteArray& numbering) -> QByteArray {
            return R"([{"id":"default","name":"Local"},{"id":"x","name":"X","numbering":)" +
                   numbering + "}]";
        };
        auto scheme = [&](const char* fields) -> QByteArray {
            return second(R"({"automatic":{"_0":{)" + QByteArray(fields) + "}}}");
        };

        QTest::newRow("numbering without a key") << second("{}") << keys;
        QTest::newRow("numbering with two keys") << second(R"({"open":{},"automatic":{}})") << keys;
        QTest::newRow("unknown numbering") << second(R"({"closed":{}})") << QString();
        QTest::newRow("no prefix") << scheme(R"("includesYear":true,"digits":3)") << QString();
        QTest::newRow("digits as text")
            << scheme(R"("prefix":"","includesYear":true,"digits":"3")") << QString();
        QTest::newRow("fractional digits")
            << scheme(R"("prefix":"","includesYear":true,"digits":2.5)") << QString();
        QTest::newRow("keepsLocal as text")
            << QByteArray(R"([{"id":"x","name":"X","keepsLocal":"yes"}])") << QString();
        QTest::newRow("an object, not an array")
            << QByteArray(R"({"id":"x","name":"X"})") << QString();
    }

    void decodeRejects()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);

        const auto decoded = Administration::decodeList(json);
        QVERIFY(!decoded.has_value());
        QVERIFY(!decoded.error().isEmpty());
        if (!message.isEmpty())
            QCOMPARE(decoded.error(), message);
    }

    void readList_data()
    {
        QTest::addColumn<StoredList>("stored");
        QTest::addColumn<Administrations>("expected");

        const Administrations fallback{Administration::fallback()};
        QTest::newRow("nothing stored") << StoredList() << fallback;
        QTest::newRow("not JSON") << StoredList("admin") << fallback;
        QTest::newRow("empty array") << StoredList("[]") << fallback;
        QTest::newRow("one bad entry spoils the list")
            << StoredList(R"([{"id":"default","name":"Local"},)"
                          R"({"id":"x","name":"X","numbering":{}}])")
            << fallback;
        QTest::newRow("the old first administration")
            << StoredList(R"([{"id":"default","name":"My hours"}])") << Administrations{localOnly};
        QTest::newRow("default always keeps local, other names stay")
            << StoredList(R"([{"id":"default","name":"Books","keepsLocal":false}])")
            << Administrations{record(u"default"_s, u"Books"_s, {}, true)};
        QTest::newRow("others as stored: order, duplicates, My hours")
            << StoredList(Administration::encodeList(
                   {record(idA, u"My hours"_s), local, record(idA, u"Again"_s, {}, true)}))
            << Administrations{record(idA, u"My hours"_s), localOnly,
                               record(idA, u"Again"_s, {}, true)};
        QTest::newRow("null as missing, unknown keys ignored, 5.0 digits")
            << StoredList(
                   R"([{"id":"x","name":"X","keepsLocal":null,"colour":"red","numbering":)"
                   R"({"automatic":{"_0":{"prefix":"","includesYear":true,"digits":5.0}}}}])")
            << Administrations{record(u"x"_s, u"X"_s, automatic(QString(), true, 5))};
    }

    void readList()
    {
        QFETCH(StoredList, stored);
        QFETCH(Administrations, expected);

        QCOMPARE(Administration::readList(stored), expected);
    }

    void currentAndLocalOnly()
    {
        const Administrations list{localOnly, studio, freelance, record(idB, u"Later"_s, {}, true),
                                   record(idC, u"Home"_s, {}, true)};
        QCOMPARE(Administration::current(list, std::nullopt).id, u"default"_s);
        QCOMPARE(Administration::current(list, idD).id, u"default"_s); // removed since
        QCOMPARE(Administration::current(list, idB).name, u"Freelance"_s);

        QVERIFY(Administration::isLocalOnly({}, u"default"_s));
        QVERIFY(Administration::isLocalOnly({local}, u"default"_s));
        QVERIFY(Administration::isLocalOnly(list, idC));
        QVERIFY(!Administration::isLocalOnly(list, idB)); // the first entry answers
        QVERIFY(!Administration::isLocalOnly(list, idD));
    }

    void administrationUsing_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("excluding");
        // Empty: none.
        QTest::addColumn<QString>("expected");

        QTest::newRow("typed loosely") << u"  /Volumes/STUDIO//\n"_s << QString() << idA;
        QTest::newRow("stored loosely") << u"/volumes/other"_s << QString() << idB;
        QTest::newRow("never default, keeps-local or the excluded one")
            << u"/volumes/studio"_s << idA << QString();
        QTest::newRow("a lone slash stays a slash") << u" / "_s << QString() << idC;
        QTest::newRow("a subfolder is another folder")
            << u"/volumes/studio/sub"_s << QString() << QString();
        QTest::newRow("blank matches no unset folder") << u"  "_s << QString() << QString();
    }

    void administrationUsing()
    {
        QFETCH(QString, folder);
        QFETCH(QString, excluding);
        QFETCH(QString, expected);

        const Administrations list{
            local,     record(idD, u"Home"_s, {}, true), studio,
            freelance, record(idC, u"Root"_s),           record(u"E"_s, u"Unset"_s)};
        const QHash<QString, QString> folders{
            {u"default"_s, u"/volumes/studio"_s},
            {idD, u"/volumes/studio"_s},
            {idA, u"/volumes/studio"_s},
            {idB, u"  /Volumes/Other// "_s},
            {idC, u"//"_s},
        };
        const std::optional<Administration> found = Administration::administrationUsing(
            list, folder, excluding, [&](const QString& id) { return folders.value(id); });
        QCOMPARE(found ? found->id : QString(), expected);
    }

    void editorStartsFromTheRecord_data()
    {
        QTest::addColumn<Administration>("administration");
        QTest::addColumn<Editor>("expected");

        QTest::newRow("open: a scheme ready to switch on")
            << freelance << Editor{u"Freelance"_s, false, QString(), true, 5, false};
        QTest::newRow("automatic: its scheme")
            << record(idA, u"Studio"_s, automatic(u"2026."_s, false, 3), true)
            << Editor{u"Studio"_s, true, u"2026."_s, false, 3, true};
        QTest::newRow("default: keep local on")
            << local << Editor{u"Local"_s, false, QString(), true, 5, true};
    }

    void editorStartsFromTheRecord()
    {
        QFETCH(Administration, administration);
        QFETCH(Editor, expected);

        QVERIFY(Editor::from(administration) == expected);
    }

    void editorSaves_data()
    {
        QTest::addColumn<Administration>("original");
        QTest::addColumn<Editor>("editor");
        QTest::addColumn<Administration>("expected");

        QTest::newRow("digits 0 stores 1")
            << freelance << Editor{u"Freelance"_s, true, u"F"_s, true, 0, false}
            << record(idB, u"Freelance"_s, automatic(u"F"_s, true, 1));
        QTest::newRow("digits 12 stores 9")
            << freelance << Editor{u"Freelance"_s, true, u"F"_s, true, 12, false}
            << record(idB, u"Freelance"_s, automatic(u"F"_s, true, 9));
        QTest::newRow("name trimmed, prefix as typed")
            << freelance << Editor{u" \tFree lance\n"_s, true, u" F. "_s, false, 4, true}
            << record(idB, u"Free lance"_s, automatic(u" F. "_s, false, 4), true);
        QTest::newRow("automatic off drops the scheme")
            << studio << Editor{u"Studio"_s, false, u"P"_s, true, 3, false}
            << record(idA, u"Studio"_s);
        QTest::newRow("default keeps local whatever the switch says")
            << local << Editor{u"Home"_s, false, QString(), true, 5, false}
            << record(u"default"_s, u"Home"_s, {}, true);
    }

    void editorSaves()
    {
        QFETCH(Administration, original);
        QFETCH(Editor, editor);
        QFETCH(Administration, expected);

        QCOMPARE(editor.applied(original), expected);
    }

    void canSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");

        QTest::newRow("empty") << QString() << false;
        QTest::newRow("spaces") << u"   "_s << false;
        QTest::newRow("line breaks") << u" \n\t"_s << false;
        QTest::newRow("a letter among spaces") << u"  a "_s << true;
    }

    void canSave()
    {
        QFETCH(QString, name);
        QFETCH(bool, expected);

        Editor editor = Editor::from(freelance);
        editor.name = name;
        QCOMPARE(editor.canSave(), expected);
        // Whatever can be saved is stored with a name.
        QCOMPARE(!editor.applied(freelance).name.isEmpty(), expected);
    }

    void replacing()
    {
        const Administration renamed = record(idA, u"Renamed"_s);
        const Administrations list{local, studio, freelance, studio};
        QCOMPARE(Administration::replacing(list, renamed),
                 (Administrations{local, renamed, freelance, studio}));
        QCOMPARE(Administration::replacing(list, record(idC, u"Other"_s)), list);
    }

    void removing_data()
    {
        QTest::addColumn<Administrations>("list");
        QTest::addColumn<QString>("id");
        QTest::addColumn<Administrations>("expected");

        QTest::newRow("never the last one")
            << Administrations{studio} << idA << Administrations{studio};
        QTest::newRow("never default")
            << Administrations{local, studio} << u"default"_s << Administrations{local, studio};
        QTest::newRow("every entry with the id")
            << Administrations{local, studio, freelance, studio} << idA
            << Administrations{local, freelance};
        QTest::newRow("an id not listed")
            << Administrations{local, studio} << idC << Administrations{local, studio};
    }

    void removing()
    {
        QFETCH(Administrations, list);
        QFETCH(QString, id);
        QFETCH(Administrations, expected);

        QCOMPARE(Administration::removing(list, id), expected);
    }

    void scheme_data()
    {
        QTest::addColumn<Scheme>("scheme");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("example");

        QTest::newRow("with the year") << Scheme{u"P"_s, true, 3} << u"P{yy}{000}"_s << u"P27001"_s;
        QTest::newRow("without the year")
            << Scheme{u"A-"_s, false, 4} << u"A-{0000}"_s << u"A-0001"_s;
        QTest::newRow("prefix untrimmed")
            << Scheme{u" 2026."_s, false, 2} << u" 2026.{00}"_s << u" 2026.01"_s;
        QTest::newRow("a brace in the prefix")
            << Scheme{u"P{"_s, true, 3} << u"P{{yy}{000}"_s << QString();
    }

    void scheme()
    {
        QFETCH(Scheme, scheme);
        QFETCH(QString, pattern);
        QFETCH(QString, example);

        QCOMPARE(scheme.pattern(), pattern);
        QCOMPARE(scheme.example(newYearsEve, amsterdam), example);
    }

    void subtitle_data()
    {
        QTest::addColumn<Administration>("administration");
        QTest::addColumn<QString>("expected");

        QTest::newRow("default") << local << u"This Mac only · Numbers typed by hand"_s;
        QTest::newRow("sharing, open") << freelance << u"Numbers typed by hand"_s;
        QTest::newRow("sharing, automatic") << studio << u"Numbers like P27001"_s;
        QTest::newRow("keeps local, automatic")
            << record(idB, u"Home"_s, automatic(u"A-"_s, false, 4), true)
            << u"This Mac only · Numbers like A-0001"_s;
    }

    void subtitle()
    {
        QFETCH(Administration, administration);
        QFETCH(QString, expected);

        QCOMPARE(administration.subtitle(newYearsEve, amsterdam), expected);
    }

    void freshRecords()
    {
        const Administration first = Administration::fresh();
        QCOMPARE(first.id, zol::uuidText(*zol::parseUuid(first.id)));
        QVERIFY(first.id != Administration::fresh().id);
        QCOMPARE(first, record(first.id, QString()));
    }
};

QTEST_GUILESS_MAIN(TstAdministration)
#include "tst_administration.moc"
