// The records: sessions with their pause arithmetic, search and stored form,
// and durations as shown; projects with their numbers and names, claims on a
// number, search, stored form and colours; and one spelling per client.

#include "Builders.h"
#include "records/ClientName.h"
#include "records/Duration.h"
#include "records/Project.h"
#include "records/ProjectColour.h"

#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::Project;
using zol::ProjectColour;
using zol::TimeEntry;
using zol::test::utc;
namespace ClientName = zol::ClientName;

namespace {

const QDateTime nine = zol::test::utc(2026, 3, 2, 9);

// Seconds after 09:00; negative for absent.
std::optional<QDateTime> at(double seconds)
{
    if (seconds < 0)
        return std::nullopt;
    return nine.addMSecs(qint64(seconds * 1000));
}

const QString localKey = u"LOCAL:6F9619FF-8B86-D011-B42D-00C04FC964FF"_s;

Project brandBook(const QString& serial = u"2301"_s)
{
    return zol::test::project(serial, u"Brand book"_s, u"Café Noir"_s, utc(2025, 1, 6, 9),
                              utc(2025, 2, 3, 14, 30));
}

} // namespace

class TstRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void duration()
    {
        // Worked and paused seconds at `now`, and whether the finished entry is
        // too short to keep; times in seconds after 09:00, negative for absent.
        const auto state = [](double endedAt, double pausedAt, double pausedSeconds,
                              double now) -> QString {
            TimeEntry e = zol::test::running(nine);
            e.endedAt = at(endedAt);
            e.pausedAt = at(pausedAt);
            e.pausedSeconds = pausedSeconds;
            return QString::number(e.duration(*at(now))) + u' ' +
                   QString::number(e.pausedTime(*at(now))) +
                   (e.isTooShortToKeep() ? u" too short"_s : QString());
        };
        QCOMPARE(state(-1, -1, 30, 90), u"60 30"_s);
        QCOMPARE(state(-1, 60, 10, 600), u"50 550"_s); // a pause stands still
        QCOMPARE(state(3600, -1, 600, 1e5), u"3000 600"_s);
        QCOMPARE(state(100, -1, 500, 100), u"0 500 too short"_s);
        QCOMPARE(state(59.9, -1, 0, 59.9), u"59.9 0 too short"_s);
        QCOMPARE(state(60, -1, 0, 60), u"60 0"_s);
    }

    void pauseResumeStop()
    {
        // Runs commands "p", "r" and "s" (pause, resume, stop), each with its time
        // in seconds after 09:00; reads back the end, the pause in progress and
        // the paused seconds.
        const auto run = [](const QString& script) -> QString {
            TimeEntry e = zol::test::running(nine);
            for (const QString& step : script.split(u' ')) {
                const QDateTime when = nine.addSecs(step.mid(1).toInt());
                step[0] == u'p' ? e.pause(when) : step[0] == u'r' ? e.resume(when) : e.stop(when);
            }
            const auto secs = [](const std::optional<QDateTime>& t) {
                return t ? QString::number(nine.secsTo(*t)) : u"-"_s;
            };
            return secs(e.endedAt) + u' ' + secs(e.pausedAt) + u' ' +
                   QString::number(e.pausedSeconds);
        };
        QCOMPARE(run(u"p60 r90 p100 r110"_s), u"- - 40"_s);
        QCOMPARE(run(u"p60 p80 r90"_s), u"- - 30"_s);
        QCOMPARE(run(u"p60 r50"_s), u"- - 0"_s);
        QCOMPARE(run(u"s-30"_s), u"0 - 0"_s);
        QCOMPARE(run(u"p60 r90 p100 s500"_s), u"100 - 30"_s);
        QCOMPARE(run(u"p60 s100 r130 s200 p210"_s), u"60 - 0"_s);
    }

    void entryMatches()
    {
        TimeEntry e = zol::test::session(nine, 30, u"2301"_s, u"Brand book"_s, u"Café Noir"_s);
        e.note = u"Logo sketches"_s;
        for (const auto query : {u" \t\n", u" 30 ", u"CAFE   noir", u"sketches", u"Studio-MAC"})
            QVERIFY2(e.matches(query), qPrintable(QString::fromUtf16(query)));
        QVERIFY(!e.matches(u"book logo")); // never across two fields
        e.isInternal = true;
        QVERIFY(!e.matches(u"2301"));
        QVERIFY(e.matches(u"brand"));
        e.isInternal = false;
        e.projectSerial = u"LOCAL:6F9619FF-8B86-D011-B42D-00C04FC964FF"_s;
        QVERIFY(!e.matches(u"6f9619ff"));
        QVERIFY(e.matches(u"noir"));
    }

    void entryJson()
    {
        TimeEntry full = zol::test::session(nine, 90, u"2301"_s, u"Brand book"_s, u"Café"_s);
        full.pausedAt = at(600.5);
        full.pausedSeconds = 120.25;
        full.uploadedAt = at(7200.125);
        full.deletedAt = at(9000);
        const QJsonObject json = full.toJson();
        QCOMPARE(
            TimeEntry::fromJson(QJsonDocument::fromJson(QJsonDocument(json).toJson()).object()),
            full);
        QCOMPARE(json.value(u"startedAt"_s).toDouble(), zol::secondsSince2001(nine));

        // Absent instants are left out, and null reads as absent.
        const TimeEntry open = zol::test::running(nine);
        QVERIFY(!open.toJson().contains(u"endedAt"_s));
        QJsonObject withNull = open.toJson();
        withNull.insert(u"endedAt"_s, QJsonValue::Null);
        QCOMPARE(TimeEntry::fromJson(withNull), open);

        const auto readsWith = [&](const QString& key, const QJsonValue& value) {
            QJsonObject changed = json;
            value.isUndefined() ? void(changed.remove(key)) : void(changed.insert(key, value));
            return TimeEntry::fromJson(changed).has_value();
        };
        for (const auto key : {u"id", u"machineName", u"startedAt", u"pausedSeconds",
                               u"projectSerial", u"projectName", u"isInternal", u"clientName",
                               u"note", u"task", u"createdAt", u"updatedAt"})
            QVERIFY2(!readsWith(QString::fromUtf16(key), QJsonValue::Undefined),
                     qPrintable(QString::fromUtf16(key)));
        QVERIFY(!readsWith(u"id"_s, u"2301"_s));
        QVERIFY(!readsWith(u"startedAt"_s, u"794134800"_s));
        QVERIFY(!readsWith(u"isInternal"_s, 0));
        QVERIFY(!readsWith(u"endedAt"_s, u"794134800"_s));
        QVERIFY(readsWith(u"id"_s, u"6f9619ff-8b86-d011-b42d-00c04fc964ff"_s));
        QVERIFY(readsWith(u"colour"_s, u"red"_s));
    }

    // Each rounds to the second first, halves away from zero.
    void durationFormats()
    {
        const auto formats = [](double seconds) -> QString {
            return zol::Duration::clockString(seconds) + u" | " +
                   zol::Duration::coarseString(seconds) + u" | " +
                   QString::number(zol::Duration::decimalHours(seconds));
        };
        QCOMPARE(formats(0.4), u"0:00 | 0m | 0"_s);
        QCOMPARE(formats(0.5), u"0:01 | 0m | 0"_s);
        QCOMPARE(formats(59.6), u"1:00 | 1m | 0.02"_s);
        QCOMPARE(formats(3599.6), u"1:00:00 | 1h | 1"_s);
        QCOMPARE(formats(3660), u"1:01:00 | 1h 1m | 1.02"_s);
        QCOMPARE(formats(5400), u"1:30:00 | 1h 30m | 1.5"_s);
        QCOMPARE(formats(360000), u"100:00:00 | 100h | 100"_s);
        QCOMPARE(formats(-3660), u"-1:01:00 | -1h 1m | -1.02"_s);
    }
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

    void projectMatches()
    {
        for (const auto query : {u" \n\t ", u"\u0301", u"230", u"BRAND  book", u"cafe"})
            QVERIFY2(brandBook().matches(query), qPrintable(QString::fromUtf16(query)));
        QVERIFY(!brandBook().matches(u"noir brand")); // never across fields
        QVERIFY(!brandBook(localKey).matches(u"local"));
        QVERIFY(brandBook(localKey).matches(u"book"));
    }

    void projectJson()
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

    void sameClient()
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
    void distinctClients()
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
    void clientSuggestions()
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

QTEST_GUILESS_MAIN(TstRecords)
#include "tst_records.moc"
