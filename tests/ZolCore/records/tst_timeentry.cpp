#include "Builders.h"
#include "records/Duration.h"
#include "records/TimeEntry.h"

#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::TimeEntry;

namespace {

const QDateTime nine = zol::test::utc(2026, 3, 2, 9);

// Seconds after 09:00; negative for absent.
std::optional<QDateTime> at(double seconds)
{
    if (seconds < 0)
        return std::nullopt;
    return nine.addMSecs(qint64(seconds * 1000));
}

} // namespace

class TstTimeEntry : public QObject
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

    void matches()
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

    void json()
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
};

QTEST_GUILESS_MAIN(TstTimeEntry)
#include "tst_timeentry.moc"
