#include "Builders.h"
#include "share/Timesheet.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using zol::TimeEntry;
using zol::Timesheet;
using zol::TimesheetPeriod;
using zol::test::utc;

namespace {

// Thursday 5 March 2026, 16:00 in Amsterdam, in the week 2026-W10.
const QDateTime now = utc(2026, 3, 5, 15);
const TimesheetPeriod week(TimesheetPeriod::Kind::week, now,
                           zol::Calendar(QTimeZone("Europe/Amsterdam")));

TimeEntry session(int id, const QDateTime& start, double minutes, const QString& note)
{
    TimeEntry e = zol::test::session(start, minutes);
    e.id = QUuid::fromString(u"0000000%1-0000-4000-8000-000000000000"_s.arg(id));
    e.note = note;
    return e;
}

} // namespace

class TstTimesheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Notes with commas, quotes, line breaks and a leading "=" or "+" come
    // back as typed: quoted where needed, never given an apostrophe.
    void goldenFile()
    {
        TimeEntry uploaded = session(1, utc(2026, 3, 2, 8, 15), 90, u"Logo, first round"_s);
        uploaded.uploadedAt = utc(2026, 3, 2, 10);
        // 5,998.6 s worked: the row rounds, the total line drops the fraction.
        TimeEntry quote = session(2, utc(2026, 3, 2, 13), 100, u"Client said \"final\""_s);
        quote.pausedSeconds = 1.4;
        quote.clientName = u"Café Noir"_s;
        TimeEntry internal = session(3, utc(2026, 3, 3, 9), 45, u"Line one\nLine two"_s);
        internal.isInternal = true;
        internal.projectSerial.clear();
        internal.projectName = u"Studio admin"_s;
        internal.clientName.clear();
        TimeEntry draft = session(4, utc(2026, 3, 4, 10), 30, u"=SUM(A1,A2)"_s);
        draft.projectSerial = u"LOCAL:5F2A"_s;
        draft.projectName = u"Pitch"_s;
        draft.task = u"Sketches, v2"_s;
        const TimeEntry phone = session(5, utc(2026, 3, 4, 12), 60, u"+31 20 123 4567"_s);
        // Paused for the last half hour, after five minutes of earlier pauses.
        TimeEntry running = session(6, utc(2026, 3, 5, 13, 30), 0, {});
        running.endedAt.reset();
        running.pausedSeconds = 300;
        running.pausedAt = utc(2026, 3, 5, 14, 30);

        const Timesheet sheet(week, u"Anna van der Berg"_s,
                              {running, phone, draft, internal, quote, uploaded});
        QCOMPARE(sheet.entries().first(), uploaded);
        QCOMPARE(sheet.totalHours(now), 6.33);
        QFile file(QStringLiteral(ZOL_GOLDEN "/timesheet-2026-W10.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
        const QStringList actual = sheet.csv(now).split(u'\n');
        for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i)
            QCOMPARE(actual.at(i), expected.at(i));
        QCOMPARE(actual.size(), expected.size());
    }

    void totals()
    {
        TimeEntry e = session(1, utc(2026, 3, 3, 9), 0, {});
        e.endedAt = e.startedAt.addSecs(5999);
        const QStringList lines = Timesheet(week, u"Anna"_s, {e}).csv(now).split(u'\n');
        QCOMPARE(lines.at(1).section(u',', 5, 6), u"1.67,5999"_s);
        QCOMPARE(lines.at(2), u",,,,TOTAL,1.67,5999,,,,,,,,Anna,,,,"_s);

        const QString empty = Timesheet(week, u"Berg, Anna"_s, {}).csv(now);
        QCOMPARE(empty.count(u'\n'), 2);
        QVERIFY(empty.endsWith(u"\n,,,,TOTAL,0.00,0,,,,,,,,\"Berg, Anna\",,,,\n"_s));
    }

    void safeName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("safe");

        QTest::newRow("particle") << u"Anna van der Berg"_s << u"Anna-van-der-Berg"_s;
        QTest::newRow("runs and ends") << u"  --Anna   Smit!! "_s << u"Anna-Smit"_s;
        QTest::newRow("accents") << u"Zoë Çelik-Ørsted"_s << u"Zoë-Çelik-Ørsted"_s;
        QTest::newRow("accent as a mark") << u"Zoe\u0308"_s << u"Zoë"_s;
        QTest::newRow("digits, other scripts") << u"Studio 2 / 北京"_s << u"Studio-2-北京"_s;
        QTest::newRow("letter beyond the BMP") << u"Ann\U0001D400 x"_s << u"Ann\U0001D400-x"_s;
        QTest::newRow("path") << u"../../etc"_s << u"etc"_s;
        QTest::newRow("emoji") << u"🙂 🙂"_s << u"Onbekend"_s;
        QTest::newRow("punctuation and spaces") << u" .-_/ , "_s << u"Onbekend"_s;
        QTest::newRow("empty") << QString() << u"Onbekend"_s;
    }

    void safeName()
    {
        QFETCH(QString, name);
        QTEST(Timesheet::safeName(name), "safe");
    }

    void paths()
    {
        const TimesheetPeriod month(TimesheetPeriod::Kind::month, now, week.calendar());
        QCOMPARE(Timesheet::root(u"/Volumes/Studio"_s), u"/Volumes/Studio/.zol/hours"_s);
        QCOMPARE(Timesheet::file(u"P"_s, month), u"P/2026/months/2026-03.csv"_s);
        QCOMPARE(Timesheet::file(u"P"_s, week), u"P/2026/weeks/2026-W10.csv"_s);
    }
};

QTEST_GUILESS_MAIN(TstTimesheet)
#include "tst_timesheet.moc"
