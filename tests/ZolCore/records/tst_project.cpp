#include "Builders.h"
#include "records/Project.h"
#include "records/ProjectColour.h"

#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::Project;
using zol::ProjectColour;
using zol::test::utc;

Q_DECLARE_METATYPE(Project::Claim)

namespace {

const QString localKey = u"LOCAL:6F9619FF-8B86-D011-B42D-00C04FC964FF"_s;

Project brandBook(const QString& serial = u"2301"_s)
{
    return zol::test::project(serial, u"Brand book"_s, u"Café Noir"_s, utc(2025, 1, 6, 9),
                              utc(2025, 2, 3, 14, 30));
}

} // namespace

class TstProject : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serialForms_data();
    void serialForms();
    void localProjectsHaveAFreshKey();
    void displayName_data();
    void displayName();
    void holds_data();
    void holds();
    void claim_data();
    void claim();
    void matches_data();
    void matches();

    void jsonRoundTrip();
    void jsonDefaults();
    void jsonRejects_data();
    void jsonRejects();

    void colourGolden_data();
    void colourGolden();
    void colourFollowsTheClient_data();
    void colourFollowsTheClient();
    void internalWorkIsNeutral();
};

void TstProject::serialForms_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("displaySerial");
    QTest::addColumn<bool>("isLinked");

    QTest::newRow("number") << u"2301"_s << u"2301"_s << true;
    QTest::newRow("number as typed") << u"23-01a"_s << u"23-01a"_s << true;
    QTest::newRow("empty") << QString() << QString() << false;
    QTest::newRow("local key") << localKey << QString() << false;
    QTest::newRow("bare local prefix") << u"LOCAL:"_s << QString() << false;
}

void TstProject::serialForms()
{
    QFETCH(QString, serial);
    QFETCH(QString, displaySerial);
    QFETCH(bool, isLinked);

    const Project p = brandBook(serial);
    QCOMPARE(p.displaySerial(), displaySerial);
    QCOMPARE(p.isLinked(), isLinked);
    QCOMPARE(p.needsNumber(), !isLinked);
    QCOMPARE(p.id(), serial);
}

void TstProject::localProjectsHaveAFreshKey()
{
    const QDateTime now = utc(2026, 3, 2, 9);
    const Project a = Project::local(u"Pitch"_s, u"Acme"_s, now);
    const Project b = Project::local(u"Pitch"_s, u"Acme"_s, now);

    QVERIFY(a.serial.startsWith(u"LOCAL:"));
    const QString uuid = a.serial.mid(6);
    QCOMPARE(uuid.size(), 36);
    QCOMPARE(uuid, uuid.toUpper());
    QVERIFY(zol::parseUuid(uuid));
    QVERIFY(a.serial != b.serial);
    QVERIFY(a.needsNumber());
    QVERIFY(a.isActive);
    QCOMPARE(a.createdAt, now);
    QCOMPARE(a.updatedAt, now);
}

void TstProject::displayName_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("displayName");

    QTest::newRow("with client") << u"Acme"_s << u"Brand book"_s << u"Acme \u2014 Brand book"_s;
    QTest::newRow("accented client") << u"Café Noir"_s << u"Menu"_s << u"Café Noir \u2014 Menu"_s;
    QTest::newRow("no client") << QString() << u"Brand book"_s << u"Brand book"_s;
}

void TstProject::displayName()
{
    QFETCH(QString, client);
    QFETCH(QString, name);
    QFETCH(QString, displayName);

    Project p = brandBook();
    p.clientName = client;
    p.name = name;
    QCOMPARE(p.displayName(), displayName);
}

void TstProject::holds_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("holds");

    QTest::newRow("same") << u"2301"_s << u"2301"_s << true;
    QTest::newRow("blanks around") << u"2301"_s << u" \t2301\n"_s << true;
    QTest::newRow("letter case") << u"23-01a"_s << u"23-01A"_s << true;
    QTest::newRow("blanks and case") << u"ab12"_s << u"  AB12 "_s << true;
    QTest::newRow("serial with blanks") << u" AB12 "_s << u"ab12"_s << true;
    QTest::newRow("other number") << u"2301"_s << u"2302"_s << false;
    QTest::newRow("blank inside") << u"2301"_s << u"23 01"_s << false;
    QTest::newRow("empty number") << u"2301"_s << QString() << false;
    QTest::newRow("blank number") << u"2301"_s << u"  "_s << false;
    QTest::newRow("empty serial") << QString() << QString() << false;
    QTest::newRow("local key, the same key") << localKey << localKey << false;
}

void TstProject::holds()
{
    QFETCH(QString, serial);
    QFETCH(QString, number);
    QFETCH(bool, holds);
    QCOMPARE(brandBook(serial).holds(number), holds);
}

void TstProject::claim_data()
{
    QTest::addColumn<qint64>("laterByMs"); // how much later this record was created
    QTest::addColumn<Project::Claim>("claim");
    QTest::addColumn<Project::Claim>("reverse");

    QTest::newRow("same instant") << qint64(0) << Project::Claim::sameLineage
                                  << Project::Claim::sameLineage;
    QTest::newRow("a second apart")
        << qint64(1000) << Project::Claim::sameLineage << Project::Claim::sameLineage;
    QTest::newRow("rounding apart")
        << qint64(999) << Project::Claim::sameLineage << Project::Claim::sameLineage;
    QTest::newRow("just over a second")
        << qint64(1001) << Project::Claim::youngerClaim << Project::Claim::olderClaim;
    QTest::newRow("a second and a half")
        << qint64(1500) << Project::Claim::youngerClaim << Project::Claim::olderClaim;
    QTest::newRow("a year") << qint64(365) * 86'400'000 << Project::Claim::youngerClaim
                            << Project::Claim::olderClaim;
}

void TstProject::claim()
{
    QFETCH(qint64, laterByMs);
    QFETCH(Project::Claim, claim);
    QFETCH(Project::Claim, reverse);

    const Project earlier = brandBook();
    Project later = brandBook();
    later.createdAt = earlier.createdAt.addMSecs(laterByMs);
    // Other details do not matter: only the creation dates decide.
    later.name = u"Another name"_s;
    later.updatedAt = earlier.updatedAt.addDays(-30);

    QCOMPARE(later.claim(earlier), claim);
    QCOMPARE(earlier.claim(later), reverse);
}

void TstProject::matches_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("matches");

    QTest::newRow("empty query") << u"2301"_s << QString() << true;
    QTest::newRow("blank query") << u"2301"_s << u" \n\t "_s << true;
    QTest::newRow("only a combining mark") << u"2301"_s << u"\u0301"_s << true;
    QTest::newRow("number") << u"2301"_s << u"230"_s << true;
    QTest::newRow("name") << u"2301"_s << u"BRAND  book"_s << true;
    QTest::newRow("client without accent") << u"2301"_s << u"cafe"_s << true;
    QTest::newRow("full-width query") << u"2301"_s << u"\uFF2E\uFF4F\uFF49\uFF52"_s << true;
    QTest::newRow("not there") << u"2301"_s << u"logo"_s << false;
    QTest::newRow("across fields") << u"2301"_s << u"noir brand"_s << false;
    QTest::newRow("local key not searched") << localKey << u"local"_s << false;
    QTest::newRow("local key, name searched") << localKey << u"book"_s << true;
}

void TstProject::matches()
{
    QFETCH(QString, serial);
    QFETCH(QString, query);
    QFETCH(bool, matches);
    QCOMPARE(brandBook(serial).matches(query), matches);
}

void TstProject::jsonRoundTrip()
{
    Project p = brandBook(u"23-01a"_s);
    p.isActive = false;
    p.createdAt = p.createdAt.addMSecs(250);
    const QByteArray text = QJsonDocument(p.toJson()).toJson(QJsonDocument::Compact);
    const QJsonObject json = QJsonDocument::fromJson(text).object();

    QCOMPARE(json.keys(), (QStringList{u"clientName"_s, u"createdAt"_s, u"isActive"_s, u"name"_s,
                                       u"serial"_s, u"updatedAt"_s}));
    QCOMPARE(json.value(u"createdAt"_s).toDouble(), zol::secondsSince2001(p.createdAt));
    QCOMPARE(Project::fromJson(json, utc(2026, 1, 1)), p);
}

void TstProject::jsonDefaults()
{
    const QDateTime now = utc(2026, 3, 2, 9, 30);
    const QJsonObject json{{u"serial"_s, u"2301"_s}, {u"name"_s, u"Brand book"_s}};
    const std::optional<Project> p = Project::fromJson(json, now);
    QVERIFY(p);
    QCOMPARE(p->clientName, QString());
    QVERIFY(p->isActive);
    QCOMPARE(p->updatedAt, now);
    QCOMPARE(p->createdAt, Project::unknownCreation());
    QCOMPARE(Project::unknownCreation(), utc(1970, 1, 1));
}

void TstProject::jsonRejects_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value"); // undefined: the key is removed

    const QJsonValue missing(QJsonValue::Undefined);
    QTest::newRow("serial missing") << u"serial"_s << missing;
    QTest::newRow("name missing") << u"name"_s << missing;
    QTest::newRow("serial a number") << u"serial"_s << QJsonValue(2301);
    QTest::newRow("name null") << u"name"_s << QJsonValue(QJsonValue::Null);
    QTest::newRow("clientName a number") << u"clientName"_s << QJsonValue(5);
    QTest::newRow("isActive as text") << u"isActive"_s << QJsonValue(u"true"_s);
    QTest::newRow("updatedAt as text") << u"updatedAt"_s << QJsonValue(u"2025-01-01"_s);
    QTest::newRow("createdAt a bool") << u"createdAt"_s << QJsonValue(false);
}

void TstProject::jsonRejects()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);

    QJsonObject json = brandBook().toJson();
    QVERIFY(Project::fromJson(json, utc(2026, 1, 1)));
    if (value.isUndefined())
        json.remove(key);
    else
        json.insert(key, value);
    QVERIFY(!Project::fromJson(json, utc(2026, 1, 1)));
}

// Computed apart from the code under test by project_colours.py beside this
// file; rerun it to extend the table.
void TstProject::colourGolden_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<double>("hue");
    QTest::addColumn<double>("saturation");
    QTest::addColumn<double>("brightness");

    // clang-format off
    QTest::newRow("plain client") << u"Acme"_s << u"2301"_s << 0.7020432353019714 << 0.5900000000000001 << 0.7699999999999999;
    QTest::newRow("client with spaces") << u"Studio Noord"_s << u"2302"_s << 0.29963940382003784 << 0.5900000000000001 << 0.7699999999999999;
    QTest::newRow("accented client") << u"Caf\u00E9 Noir"_s << u"2303"_s << 0.12422680854797363 << 0.5900000000000001 << 0.7699999999999999;
    QTest::newRow("umlaut client") << u"Z\u00FCrich \u00DCbersetzungen"_s << u"2304"_s << 0.8713775873184204 << 0.73 << 0.6699999999999999;
    QTest::newRow("scandinavian client") << u"\u00D8rsted \u00C5ngstr\u00F6m"_s << u"2305"_s << 0.6533264517784119 << 0.66 << 0.72;
    QTest::newRow("greek client") << u"\u0394\u03AD\u03BB\u03C4\u03B1"_s << u"2306"_s << 0.6882357001304626 << 0.73 << 0.6699999999999999;
    QTest::newRow("japanese client") << u"\u6771\u4EAC\u30C7\u30B6\u30A4\u30F3"_s << u"2307"_s << 0.7626807689666748 << 0.5900000000000001 << 0.7699999999999999;
    QTest::newRow("full-width client") << u"\uFF21\uFF23\uFF2D\uFF25"_s << u"2308"_s << 0.24761563539505005 << 0.52 << 0.82;
    QTest::newRow("emoji client") << u"Bloem \U0001F337"_s << u"2309"_s << 0.816206157207489 << 0.5900000000000001 << 0.7699999999999999;
    QTest::newRow("no client: the number") << u""_s << u"2310"_s << 0.26922351121902466 << 0.73 << 0.6699999999999999;
    QTest::newRow("no client: a local key") << u""_s << u"LOCAL:6F9619FF-8B86-D011-B42D-00C04FC964FF"_s << 0.7884610891342163 << 0.5900000000000001 << 0.7699999999999999;
    QTest::newRow("no client, no number") << u""_s << u""_s << 0.9716120958328247 << 0.66 << 0.72;
    // clang-format on
}

void TstProject::colourGolden()
{
    QFETCH(QString, client);
    QFETCH(QString, fallback);
    QFETCH(double, hue);
    QFETCH(double, saturation);
    QFETCH(double, brightness);

    const ProjectColour colour = ProjectColour::of(client, fallback, false);
    QCOMPARE(colour.hue, hue);
    QCOMPARE(colour.saturation, saturation);
    QCOMPARE(colour.brightness, brightness);
    QVERIFY(!colour.isNeutral);

    // A project and a session of that client and number share the colour.
    const Project p =
        zol::test::project(fallback, u"Anything"_s, client, utc(2025, 1, 1), utc(2025, 1, 1));
    QCOMPARE(ProjectColour::of(p), colour);
    const zol::TimeEntry e =
        zol::test::session(utc(2026, 3, 2, 9), 30, fallback, u"Other"_s, client);
    QCOMPARE(ProjectColour::of(e), colour);
}

void TstProject::colourFollowsTheClient_data()
{
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("sameClient");

    QTest::newRow("upper case") << u"Acme"_s << u"ACME"_s;
    QTest::newRow("lower case") << u"Acme"_s << u"acme"_s;
    QTest::newRow("accented capitals") << u"Café Noir"_s << u"CAFÉ NOIR"_s;
    QTest::newRow("umlauts") << u"Zürich Übersetzungen"_s << u"zürich übersetzungen"_s;
}

// Every project of one client shares a colour, whatever its number and
// whichever letter case the client was typed in.
void TstProject::colourFollowsTheClient()
{
    QFETCH(QString, client);
    QFETCH(QString, sameClient);
    QCOMPARE(ProjectColour::of(sameClient, u"2302"_s, false),
             ProjectColour::of(client, u"2301"_s, false));
}

void TstProject::internalWorkIsNeutral()
{
    const ProjectColour neutral = ProjectColour::neutral();
    QCOMPARE(neutral.hue, 0.78);
    QCOMPARE(neutral.saturation, 0.45);
    QCOMPARE(neutral.brightness, 0.78);
    QVERIFY(neutral.isNeutral);

    QCOMPARE(ProjectColour::of(u"Acme", u"2301", true), neutral);
    QCOMPARE(ProjectColour::of(QStringView(), QStringView(), true), neutral);
    zol::TimeEntry admin = zol::TimeEntry::makeInternal(u"Admin"_s, u"studio-mac"_s,
                                                        utc(2026, 3, 2, 9), utc(2026, 3, 2, 9));
    QCOMPARE(ProjectColour::of(admin), neutral);
    // A colour of a client is never the neutral one, even for an empty key.
    QVERIFY(!ProjectColour::of(QStringView(), QStringView(), false).isNeutral);
}

QTEST_GUILESS_MAIN(TstProject)
#include "tst_project.moc"
