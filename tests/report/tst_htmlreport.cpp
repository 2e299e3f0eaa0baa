#include "reports/HTMLReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using zol::StudioHours;
using zol::TimesheetPeriod;

namespace {

const zol::Calendar utcCalendar(QTimeZone::utc());

StudioHours::Record record(const QString& id, const QString& person, QDate day,
                           double seconds = 3600, const QString& note = {})
{
    StudioHours::Record r;
    r.id = id;
    r.person = person;
    r.day = utcCalendar.startOfDay(day);
    r.seconds = seconds;
    r.projectNumber = u"2301"_s;
    r.clientName = u"Acme"_s;
    r.projectName = u"Brand book"_s;
    r.note = note;
    return r;
}

TimesheetPeriod week()
{
    return TimesheetPeriod(TimesheetPeriod::Kind::week, utcCalendar.startOfDay(QDate(2025, 3, 12)),
                           utcCalendar);
}

StudioHours::Snapshot snapshot(QList<StudioHours::Record> records)
{
    StudioHours::Snapshot s;
    s.calendar = utcCalendar;
    s.records = std::move(records);
    s.people = {u"Anna"_s, u"Bram"_s, u"Eva <admin>"_s};
    return s;
}

QString make(const StudioHours::Snapshot& s, QStringView query = {})
{
    return zol::HTMLReport::make(s, week(), u"Studio"_s, query, std::nullopt,
                                 QDateTime(QDate(2025, 4, 1), QTime(9, 5), Qt::UTC));
}

// The text of the embedded rows between their script tags.
QString rowsOf(const QString& html)
{
    const auto start = html.indexOf(u"<script type=\"application/json\" id=\"rows\">"_s);
    const auto open = html.indexOf(u'>', start) + 1;
    return html.mid(open, html.indexOf(u"</script>"_s, open) - open);
}

} // namespace

class TstHTMLReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jsonEscaping_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("written");
        QTest::newRow("tab, new line, return") << u"a\tb\nc\rd"_s << u"\"a\\tb\\nc\\rd\""_s;
        QTest::newRow("quote and backslash")
            << u"say \"hi\" \\o/"_s << u"\"say \\\"hi\\\" \\\\o/\""_s;
        QTest::newRow("script end cannot close the element")
            << u"</script><!--"_s << u"\"\\u003C/script\\u003E\\u003C!--\""_s;
        QTest::newRow("ampersand") << u"R&D"_s << u"\"R\\u0026D\""_s;
        QTest::newRow("other controls in lower-case hex")
            << u"\x01\x1f\x0b"_s << u"\"\\u0001\\u001f\\u000b\""_s;
        QTest::newRow("everything else as is")
            << u"Crème · “quoted” \u2028 '"_s << u"\"Crème · “quoted” \u2028 '\""_s;
    }

    void jsonEscaping()
    {
        QFETCH(QString, note);
        QFETCH(QString, written);
        const QString json =
            zol::HTMLReport::json({record(u"1"_s, u"Anna"_s, {2025, 3, 10}, 60, note)});
        QVERIFY2(json.contains(u"\"t\":"_s + written), qPrintable(json));
        // And it reads back as the very same text.
        const QJsonArray rows = QJsonDocument::fromJson(json.toUtf8()).array();
        QCOMPARE(rows.at(0).toObject().value(u"t"_s).toString(), note);
    }

    void jsonRow()
    {
        StudioHours::Record internal = record(u"2"_s, u"Bram"_s, {2025, 3, 11}, 59.5);
        internal.isInternal = true;
        internal.clientName = u"Ignored"_s;
        internal.projectNumber.clear();
        internal.projectName = u"Studio admin"_s;
        internal.task = u"Filing"_s;
        const QJsonArray rows =
            QJsonDocument::fromJson(
                zol::HTMLReport::json({record(u"1"_s, u"Anna"_s, {2025, 3, 10}, 1799.5), internal})
                    .toUtf8())
                .array();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).toObject(), (QJsonObject{{u"d"_s, u"2025-03-10"_s},
                                                     {u"p"_s, u"Anna"_s},
                                                     {u"c"_s, u"Acme"_s},
                                                     {u"n"_s, u"Brand book"_s},
                                                     {u"k"_s, u"2301"_s},
                                                     {u"a"_s, u""_s},
                                                     {u"t"_s, u""_s},
                                                     {u"i"_s, 0},
                                                     {u"s"_s, 1800}}));
        const QJsonObject second = rows.at(1).toObject();
        QCOMPARE(second.value(u"c"_s).toString(), u"Internal"_s);
        QCOMPARE(second.value(u"n"_s).toString(), u"Studio admin"_s);
        QCOMPARE(second.value(u"i"_s).toInt(), 1);
        QCOMPARE(second.value(u"s"_s).toInt(), 60);
        QCOMPARE(zol::HTMLReport::json({}), u"[]"_s);
    }

    void escape()
    {
        QCOMPARE(zol::HTMLReport::escape(u"a & b <c> \"d\" 'e' é"_s),
                 u"a &amp; b &lt;c&gt; &quot;d&quot; &#39;e&#39; é"_s);
    }

    void fileName()
    {
        const QDateTime day = utcCalendar.startOfDay(QDate(2025, 3, 12));
        QCOMPARE(zol::HTMLReport::fileName(
                     TimesheetPeriod(TimesheetPeriod::Kind::week, day, utcCalendar)),
                 u"zol-2025-W11-studio.html"_s);
        QCOMPARE(zol::HTMLReport::fileName(
                     TimesheetPeriod(TimesheetPeriod::Kind::month, day, utcCalendar)),
                 u"zol-2025-03-studio.html"_s);
        QCOMPARE(zol::HTMLReport::fileName(
                     TimesheetPeriod(TimesheetPeriod::Kind::year, day, utcCalendar)),
                 u"zol-2025-studio.html"_s);
    }

    // The rows are the period's, in day-then-person order; nothing in them
    // ends the script early; a search drops the people without uploads.
    void document()
    {
        const StudioHours::Snapshot s = snapshot({
            record(u"late"_s, u"Bram"_s, {2025, 3, 16}),
            record(u"outside"_s, u"Eva <admin>"_s, {2025, 3, 17}),
            record(u"b"_s, u"Bram"_s, {2025, 3, 10}, 3600, u"</script><img src=x>"_s),
            record(u"a"_s, u"Anna"_s, {2025, 3, 10}),
        });
        const QString html = make(s);
        QStringList order;
        for (const auto& row : QJsonDocument::fromJson(rowsOf(html).toUtf8()).array())
            order << row[u"p"_s].toString() + u' ' + row[u"d"_s].toString();
        QCOMPARE(order,
                 (QStringList{u"Anna 2025-03-10"_s, u"Bram 2025-03-10"_s, u"Bram 2025-03-16"_s}));
        QCOMPARE(html.count(u"</script>"_s), 2);
        QVERIFY(!html.contains(u"<img"_s));
        QVERIFY(html.contains(u"<li>Eva &lt;admin&gt;</li>"_s));

        const QString searched = make(s, u" bram "_s);
        QCOMPARE(QJsonDocument::fromJson(rowsOf(searched).toUtf8()).array().size(), 2);
        QVERIFY(searched.contains(u"id=\"q\" type=\"search\" value=\"bram\""_s));
        QVERIFY(!searched.contains(u"Nothing uploaded for this period"_s));
    }

    void yearBuckets()
    {
        const TimesheetPeriod year(TimesheetPeriod::Kind::year,
                                   utcCalendar.startOfDay(QDate(2025, 6, 1)), utcCalendar);
        const QString html =
            zol::HTMLReport::make(snapshot({}), year, u"Studio"_s, {}, std::nullopt,
                                  QDateTime(QDate(2025, 4, 1), QTime(9, 5), Qt::UTC));
        const QRegularExpression buckets(u"const BUCKETS = (\\[.*\\]);"_s);
        const QJsonArray list =
            QJsonDocument::fromJson(buckets.match(html).captured(1).toUtf8()).array();
        QCOMPARE(list.size(), 12);
        QCOMPARE(list.at(0).toObject(),
                 (QJsonObject{{u"k"_s, u"2025-01"_s}, {u"l"_s, u"Jan"_s}, {u"s"_s, u"2025"_s}}));
        QCOMPARE(list.at(11).toObject().value(u"k"_s).toString(), u"2025-12"_s);
        QVERIFY(html.contains(u"const BY_MONTH = true;"_s));
    }
};

QTEST_GUILESS_MAIN(TstHTMLReport)
#include "tst_htmlreport.moc"
