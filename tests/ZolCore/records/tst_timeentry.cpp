#include "Builders.h"
#include "records/Duration.h"
#include "records/TimeEntry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::TimeEntry;
using zol::test::utc;

namespace {

const QDateTime nine = utc(2026, 3, 2, 9);

QDateTime at(double secondsAfterNine)
{
    return nine.addMSecs(qint64(secondsAfterNine * 1000));
}

std::optional<QDateTime> maybeAt(double secondsAfterNine)
{
    if (secondsAfterNine < 0)
        return std::nullopt;
    return at(secondsAfterNine);
}

// An entry with every field set, the optional instants included, some of them
// with fractions of a second.
TimeEntry fullEntry()
{
    TimeEntry e = zol::test::session(nine, 90, u"2301"_s, u"Brand book"_s, u"Café Noir"_s);
    e.pausedAt = at(600.5);
    e.pausedSeconds = 120.25;
    e.note = u"Logo sketches"_s;
    e.task = u"Editing logos"_s;
    e.uploadedAt = at(7200.125);
    e.updatedAt = at(5400.75);
    e.deletedAt = at(9000);
    return e;
}

} // namespace

class TstTimeEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void duration_data();
    void duration();
    void pauseResumeStop_data();
    void pauseResumeStop();
    void isTooShortToKeep_data();
    void isTooShortToKeep();
    void matches_data();
    void matches();

    void jsonRoundTrip();
    void jsonRequiredKeys_data();
    void jsonRequiredKeys();

    void durationFormats_data();
    void durationFormats();
};

// Times are seconds after 09:00; -1 stands for absent.
void TstTimeEntry::duration_data()
{
    QTest::addColumn<double>("endedAt");
    QTest::addColumn<double>("pausedAt");
    QTest::addColumn<double>("pausedSeconds");
    QTest::addColumn<double>("now");
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("pausedTime");

    QTest::newRow("running grows with now") << -1.0 << -1.0 << 0.0 << 90.0 << 90.0 << 0.0;
    QTest::newRow("running after a pause") << -1.0 << -1.0 << 30.0 << 90.0 << 60.0 << 30.0;
    QTest::newRow("paused stands still") << -1.0 << 60.0 << 10.0 << 600.0 << 50.0 << 550.0;
    QTest::newRow("paused, asked before the pause") << -1.0 << 60.0 << 0.0 << 30.0 << 30.0 << 0.0;
    QTest::newRow("finished ignores now") << 3600.0 << -1.0 << 600.0 << 99999.0 << 3000.0 << 600.0;
    QTest::newRow("finished, asked before it ends")
        << 3600.0 << -1.0 << 0.0 << 10.0 << 3600.0 << 0.0;
    QTest::newRow("more paused than worked is zero")
        << 100.0 << -1.0 << 500.0 << 100.0 << 0.0 << 500.0;
    QTest::newRow("now before the start is zero") << -1.0 << -1.0 << 0.0 << -0.001 << 0.0 << 0.0;
    QTest::newRow("fractions") << 60.5 << -1.0 << 0.25 << 60.5 << 60.25 << 0.25;
}

void TstTimeEntry::duration()
{
    QFETCH(double, endedAt);
    QFETCH(double, pausedAt);
    QFETCH(double, pausedSeconds);
    QFETCH(double, now);
    QFETCH(double, duration);
    QFETCH(double, pausedTime);

    TimeEntry e = zol::test::running(nine);
    e.endedAt = maybeAt(endedAt);
    e.pausedAt = maybeAt(pausedAt);
    e.pausedSeconds = pausedSeconds;
    QCOMPARE(e.duration(at(now)), duration);
    QCOMPARE(e.pausedTime(at(now)), pausedTime);
}

// A script of commands, each "p", "r" or "s" (pause, resume, stop) with its time
// in seconds after 09:00; the state it leaves.
void TstTimeEntry::pauseResumeStop_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<double>("endedAt");  // -1: still open
    QTest::addColumn<double>("pausedAt"); // -1: not paused
    QTest::addColumn<double>("pausedSeconds");

    const auto script = [](const char* s) {
        return QString::fromLatin1(s).split(u' ', Qt::SkipEmptyParts);
    };
    QTest::newRow("pause") << script("p60") << -1.0 << 60.0 << 0.0;
    QTest::newRow("pause and resume") << script("p60 r90") << -1.0 << -1.0 << 30.0;
    QTest::newRow("two pauses add up") << script("p60 r90 p100 r110") << -1.0 << -1.0 << 40.0;
    QTest::newRow("second pause keeps the first start")
        << script("p60 p80 r90") << -1.0 << -1.0 << 30.0;
    QTest::newRow("resume before the pause counts nothing")
        << script("p60 r50") << -1.0 << -1.0 << 0.0;
    QTest::newRow("resume without a pause") << script("r50") << -1.0 << -1.0 << 0.0;
    QTest::newRow("stop") << script("s120") << 120.0 << -1.0 << 0.0;
    QTest::newRow("stop before the start ends at the start")
        << script("s-30") << 0.0 << -1.0 << 0.0;
    QTest::newRow("stop while paused ends at the pause")
        << script("p60 s500") << 60.0 << -1.0 << 0.0;
    QTest::newRow("stop while paused keeps earlier pauses")
        << script("p60 r90 p100 s500") << 100.0 << -1.0 << 30.0;
    QTest::newRow("second stop changes nothing") << script("s120 s240") << 120.0 << -1.0 << 0.0;
    QTest::newRow("no pause after the stop") << script("s120 p130") << 120.0 << -1.0 << 0.0;
    QTest::newRow("no resume after the stop") << script("p60 s100 r130") << 60.0 << -1.0 << 0.0;
}

void TstTimeEntry::pauseResumeStop()
{
    QFETCH(QStringList, script);
    QFETCH(double, endedAt);
    QFETCH(double, pausedAt);
    QFETCH(double, pausedSeconds);

    TimeEntry e = zol::test::running(nine);
    for (const QString& step : std::as_const(script)) {
        const QDateTime when = nine.addSecs(step.mid(1).toInt());
        switch (step.front().unicode()) {
        case u'p':
            e.pause(when);
            break;
        case u'r':
            e.resume(when);
            break;
        default:
            e.stop(when);
            break;
        }
    }
    QCOMPARE(e.endedAt, maybeAt(endedAt));
    QCOMPARE(e.pausedAt, maybeAt(pausedAt));
    QCOMPARE(e.pausedSeconds, pausedSeconds);
    QCOMPARE(e.isOpen(), endedAt < 0);
    QCOMPARE(e.isPaused(), endedAt < 0 && pausedAt >= 0);
    QCOMPARE(e.isTicking(), endedAt < 0 && pausedAt < 0);
}

void TstTimeEntry::isTooShortToKeep_data()
{
    QTest::addColumn<double>("endedAt"); // -1: still open
    QTest::addColumn<double>("pausedSeconds");
    QTest::addColumn<bool>("tooShort");

    QTest::newRow("59.9 s") << 59.9 << 0.0 << true;
    QTest::newRow("59.999 s") << 59.999 << 0.0 << true;
    QTest::newRow("exactly a minute") << 60.0 << 0.0 << false;
    QTest::newRow("nothing at all") << 0.0 << 0.0 << true;
    QTest::newRow("long, but mostly paused") << 600.0 << 570.0 << true;
    QTest::newRow("a minute left after pauses") << 600.0 << 540.0 << false;
    QTest::newRow("open, just started") << -1.0 << 0.0 << false;
}

void TstTimeEntry::isTooShortToKeep()
{
    QFETCH(double, endedAt);
    QFETCH(double, pausedSeconds);
    QFETCH(bool, tooShort);

    TimeEntry e = zol::test::running(nine);
    e.endedAt = maybeAt(endedAt);
    e.pausedSeconds = pausedSeconds;
    QCOMPARE(e.isTooShortToKeep(), tooShort);
}

void TstTimeEntry::matches_data()
{
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("isInternal");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("matches");

    const QString number = u"2301"_s;
    const QString localKey = u"LOCAL:6F9619FF-8B86-D011-B42D-00C04FC964FF"_s;
    QTest::newRow("empty query") << number << false << QString() << true;
    QTest::newRow("blank query") << number << false << u" \t\n"_s << true;
    QTest::newRow("number") << number << false << u"2301"_s << true;
    QTest::newRow("part of the number") << number << false << u" 30 "_s << true;
    QTest::newRow("client, no accent, other case") << number << false << u"CAFE"_s << true;
    QTest::newRow("client, runs of blanks") << number << false << u"café   noir"_s << true;
    QTest::newRow("project name") << number << false << u"brand"_s << true;
    QTest::newRow("note") << number << false << u"sketches"_s << true;
    QTest::newRow("machine") << number << false << u"Studio-MAC"_s << true;
    QTest::newRow("full-width query")
        << number << false << u"\uFF22\uFF52\uFF41\uFF4E\uFF44"_s << true;
    QTest::newRow("across two fields") << number << false << u"book logo"_s << false;
    QTest::newRow("not there") << number << false << u"2302"_s << false;
    QTest::newRow("internal: number not shown") << number << true << u"2301"_s << false;
    QTest::newRow("internal: name still searched") << number << true << u"brand"_s << true;
    QTest::newRow("local key not shown") << localKey << false << u"local"_s << false;
    QTest::newRow("local key's uuid not shown") << localKey << false << u"6f9619ff"_s << false;
    QTest::newRow("local key: client still searched") << localKey << false << u"noir"_s << true;
}

void TstTimeEntry::matches()
{
    QFETCH(QString, serial);
    QFETCH(bool, isInternal);
    QFETCH(QString, query);
    QFETCH(bool, matches);

    TimeEntry e = zol::test::session(nine, 30, serial, u"Brand book"_s, u"Café Noir"_s);
    e.isInternal = isInternal;
    e.note = u"Logo sketches"_s;
    QCOMPARE(e.matches(query), matches);
}

void TstTimeEntry::jsonRoundTrip()
{
    const TimeEntry full = fullEntry();
    const QByteArray text = QJsonDocument(full.toJson()).toJson(QJsonDocument::Compact);
    const std::optional<TimeEntry> read =
        TimeEntry::fromJson(QJsonDocument::fromJson(text).object());
    QVERIFY(read);
    QCOMPARE(*read, full);
    QCOMPARE(read->id.toString(QUuid::WithoutBraces).toUpper(),
             full.toJson().value(u"id"_s).toString());
    QCOMPARE(full.toJson().value(u"startedAt"_s).toDouble(), zol::secondsSince2001(nine));

    // The optional instants are left out when absent and read back absent.
    TimeEntry open = zol::test::running(nine);
    const QJsonObject json = open.toJson();
    for (const auto key : {u"endedAt", u"pausedAt", u"uploadedAt", u"deletedAt"})
        QVERIFY(!json.contains(QStringView(key)));
    QCOMPARE(TimeEntry::fromJson(json), open);

    // null counts as absent.
    QJsonObject withNulls = json;
    withNulls.insert(u"endedAt"_s, QJsonValue::Null);
    QCOMPARE(TimeEntry::fromJson(withNulls), open);
}

void TstTimeEntry::jsonRequiredKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value"); // undefined: the key is removed
    QTest::addColumn<bool>("readable");

    const QJsonValue missing(QJsonValue::Undefined);
    for (const auto key :
         {u"id", u"machineName", u"startedAt", u"pausedSeconds", u"projectSerial", u"projectName",
          u"isInternal", u"clientName", u"note", u"task", u"createdAt", u"updatedAt"}) {
        const QString name = QString::fromUtf16(key);
        QTest::addRow("%s missing", qPrintable(name)) << name << missing << false;
    }
    QTest::newRow("id not a uuid") << u"id"_s << QJsonValue(u"2301"_s) << false;
    QTest::newRow("id lower case")
        << u"id"_s << QJsonValue(u"6f9619ff-8b86-d011-b42d-00c04fc964ff"_s) << true;
    QTest::newRow("machineName a number") << u"machineName"_s << QJsonValue(1) << false;
    QTest::newRow("startedAt as text") << u"startedAt"_s << QJsonValue(u"794134800"_s) << false;
    QTest::newRow("pausedSeconds null")
        << u"pausedSeconds"_s << QJsonValue(QJsonValue::Null) << false;
    QTest::newRow("isInternal a number") << u"isInternal"_s << QJsonValue(0) << false;
    QTest::newRow("note an array") << u"note"_s << QJsonValue(QJsonArray()) << false;
    QTest::newRow("endedAt as text") << u"endedAt"_s << QJsonValue(u"794134800"_s) << false;
    QTest::newRow("deletedAt a bool") << u"deletedAt"_s << QJsonValue(true) << false;
    QTest::newRow("unknown key") << u"colour"_s << QJsonValue(u"red"_s) << true;
}

void TstTimeEntry::jsonRequiredKeys()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QFETCH(bool, readable);

    QJsonObject json = fullEntry().toJson();
    if (value.isUndefined())
        json.remove(key);
    else
        json.insert(key, value);
    QCOMPARE(TimeEntry::fromJson(json).has_value(), readable);
}

void TstTimeEntry::durationFormats_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("coarse");
    QTest::addColumn<double>("hours");

    QTest::newRow("0") << 0.0 << u"0:00"_s << u"0m"_s << 0.0;
    QTest::newRow("0.4") << 0.4 << u"0:00"_s << u"0m"_s << 0.0;
    QTest::newRow("0.5") << 0.5 << u"0:01"_s << u"0m"_s << 0.0;
    QTest::newRow("17.5, rounded first") << 17.5 << u"0:18"_s << u"0m"_s << 0.01;
    QTest::newRow("59.4") << 59.4 << u"0:59"_s << u"0m"_s << 0.02;
    QTest::newRow("59.6") << 59.6 << u"1:00"_s << u"1m"_s << 0.02;
    QTest::newRow("245") << 245.0 << u"4:05"_s << u"4m"_s << 0.07;
    QTest::newRow("3599") << 3599.0 << u"59:59"_s << u"59m"_s << 1.0;
    QTest::newRow("3599.6") << 3599.6 << u"1:00:00"_s << u"1h"_s << 1.0;
    QTest::newRow("3600") << 3600.0 << u"1:00:00"_s << u"1h"_s << 1.0;
    QTest::newRow("3630") << 3630.0 << u"1:00:30"_s << u"1h"_s << 1.01;
    QTest::newRow("3660") << 3660.0 << u"1:01:00"_s << u"1h 1m"_s << 1.02;
    QTest::newRow("3845") << 3845.0 << u"1:04:05"_s << u"1h 4m"_s << 1.07;
    QTest::newRow("5400") << 5400.0 << u"1:30:00"_s << u"1h 30m"_s << 1.5;
    QTest::newRow("7500") << 7500.0 << u"2:05:00"_s << u"2h 5m"_s << 2.08;
    QTest::newRow("100 hours") << 360000.0 << u"100:00:00"_s << u"100h"_s << 100.0;
    QTest::newRow("-245") << -245.0 << u"-4:05"_s << u"-4m"_s << -0.07;
    QTest::newRow("-3660") << -3660.0 << u"-1:01:00"_s << u"-1h 1m"_s << -1.02;
}

void TstTimeEntry::durationFormats()
{
    QFETCH(double, seconds);
    QFETCH(QString, clock);
    QFETCH(QString, coarse);
    QFETCH(double, hours);

    QCOMPARE(zol::Duration::clockString(seconds), clock);
    QCOMPARE(zol::Duration::coarseString(seconds), coarse);
    QCOMPARE(zol::Duration::decimalHours(seconds), hours);
}

QTEST_GUILESS_MAIN(TstTimeEntry)
#include "tst_timeentry.moc"
