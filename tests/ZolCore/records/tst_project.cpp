#include "Builders.h"
#include "records/Project.h"
#include "records/ProjectColour.h"

#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::Project;
using zol::ProjectColour;
using zol::test::utc;

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
    void numbersAndNames()
    {
        QCOMPARE(brandBook().displayName(), u"Café Noir \u2014 Brand book"_s);
        Project noClient = brandBook(localKey);
        noClient.clientName.clear();
        QCOMPARE(noClient.displayName(), u"Brand book"_s);
        QCOMPARE(noClient.displaySerial(), QString());
        QVERIFY(noClient.needsNumber() && brandBook(QString()).needsNumber());

        const Project local = Project::local(u"Pitch"_s, u"Acme"_s, utc(2026, 3, 2));
        QVERIFY(local.serial.startsWith(u"LOCAL:"));
        QVERIFY(zol::parseUuid(local.serial.mid(6)));
        QCOMPARE(local.serial.size(), 6 + 36);
        QCOMPARE(local.serial, local.serial.toUpper());
        QVERIFY(local.serial != Project::local(u"Pitch"_s, u"Acme"_s, utc(2026, 3, 2)).serial);

        QVERIFY(brandBook(u"ab12"_s).holds(u" \tAB12\n"));
        QVERIFY(brandBook(u" AB12 "_s).holds(u"ab12"));
        QVERIFY(!brandBook().holds(u"23 01"));
        QVERIFY(!brandBook().holds(u"  "));
        QVERIFY(!brandBook(localKey).holds(localKey));
    }

    // More than a second between the creation dates makes the later record a
    // younger claim to the number; within it, the rounding of stored times.
    void claim()
    {
        const Project earlier = brandBook();
        Project later = brandBook();
        later.name = u"Another name"_s;
        later.createdAt = earlier.createdAt.addMSecs(1000);
        QCOMPARE(later.claim(earlier), Project::Claim::sameLineage);
        QCOMPARE(earlier.claim(later), Project::Claim::sameLineage);
        later.createdAt = earlier.createdAt.addMSecs(1001);
        QCOMPARE(later.claim(earlier), Project::Claim::youngerClaim);
        QCOMPARE(earlier.claim(later), Project::Claim::olderClaim);
    }

    void matches()
    {
        for (const auto query : {u" \n\t ", u"\u0301", u"230", u"BRAND  book", u"cafe"})
            QVERIFY2(brandBook().matches(query), qPrintable(QString::fromUtf16(query)));
        QVERIFY(!brandBook().matches(u"noir brand")); // never across fields
        QVERIFY(!brandBook(localKey).matches(u"local"));
        QVERIFY(brandBook(localKey).matches(u"book"));
    }

    void json()
    {
        Project p = brandBook(u"23-01a"_s);
        p.isActive = false;
        p.createdAt = p.createdAt.addMSecs(250);
        const QJsonObject json = p.toJson();
        QCOMPARE(json.value(u"createdAt"_s).toDouble(), zol::secondsSince2001(p.createdAt));
        const QByteArray text = QJsonDocument(json).toJson();
        QCOMPARE(Project::fromJson(QJsonDocument::fromJson(text).object(), utc(2026, 1, 1)), p);

        const QDateTime now = utc(2026, 3, 2, 9, 30);
        const auto least = Project::fromJson({{u"serial"_s, u"2301"_s}, {u"name"_s, u"B"_s}}, now);
        QCOMPARE(least, zol::test::project(u"2301"_s, u"B"_s, QString(), utc(1970, 1, 1), now));

        const auto readsWith = [&](const QString& key, const QJsonValue& value) {
            QJsonObject changed = json;
            value.isUndefined() ? void(changed.remove(key)) : void(changed.insert(key, value));
            return Project::fromJson(changed, now).has_value();
        };
        QVERIFY(!readsWith(u"serial"_s, QJsonValue::Undefined));
        QVERIFY(!readsWith(u"name"_s, QJsonValue::Undefined));
        QVERIFY(!readsWith(u"serial"_s, 2301));
        QVERIFY(!readsWith(u"name"_s, QJsonValue::Null));
        QVERIFY(!readsWith(u"clientName"_s, 5));
        QVERIFY(!readsWith(u"isActive"_s, u"true"_s));
        QVERIFY(!readsWith(u"createdAt"_s, false));
    }

    // Computed apart from the code under test by project_colours.py beside this
    // file; rerun it to change the table.
    void colour_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<double>("hue");
        QTest::addColumn<double>("saturation");
        QTest::addColumn<double>("brightness");

        // clang-format off
        QTest::newRow("plain client") << u"Acme"_s << u"2301"_s << 0.7020432353019714 << 0.5900000000000001 << 0.7699999999999999;
        QTest::newRow("accented client") << u"Caf\u00E9 Noir"_s << u"2303"_s << 0.12422680854797363 << 0.5900000000000001 << 0.7699999999999999;
        QTest::newRow("full-width client") << u"\uFF21\uFF23\uFF2D\uFF25"_s << u"2308"_s << 0.24761563539505005 << 0.52 << 0.82;
        QTest::newRow("emoji client") << u"Bloem \U0001F337"_s << u"2309"_s << 0.816206157207489 << 0.5900000000000001 << 0.7699999999999999;
        QTest::newRow("no client: the number") << u""_s << u"2310"_s << 0.26922351121902466 << 0.73 << 0.6699999999999999;
        // clang-format on
    }

    void colour()
    {
        QFETCH(QString, client);
        QFETCH(QString, fallback);
        const ProjectColour colour = ProjectColour::of(client, fallback, false);
        QTEST(colour.hue, "hue");
        QTEST(colour.saturation, "saturation");
        QTEST(colour.brightness, "brightness");
        QVERIFY(!colour.isNeutral);
        // Every project and session of one client shares it, whatever the number
        // or the letter case.
        const QString number = client.isEmpty() ? fallback : u"9999"_s;
        const Project p = zol::test::project(number, u"P"_s, client.toUpper(), {}, {});
        QCOMPARE(ProjectColour::of(p), colour);
        QCOMPARE(ProjectColour::of(zol::test::session({}, 30, number, u"S"_s, client)), colour);
    }

    void internalWorkIsNeutral()
    {
        QVERIFY(ProjectColour::of(u"Acme", u"2301", true).isNeutral);
        QVERIFY(!ProjectColour::of(QStringView(), QStringView(), false).isNeutral);
        const auto admin =
            zol::TimeEntry::makeInternal(u"Admin"_s, u"mac"_s, utc(2026, 3, 2), utc(2026, 3, 2));
        QCOMPARE(ProjectColour::of(admin), ProjectColour::neutral());
    }
};

QTEST_GUILESS_MAIN(TstProject)
#include "tst_project.moc"
