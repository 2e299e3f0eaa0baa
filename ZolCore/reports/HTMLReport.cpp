#include "reports/HTMLReport.h"

#include "ReportAssets.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zol::HTMLReport {

namespace {

// Where the footer sends a reader who wants to know what made the page: Zol's
// home page (ZOL_HOMEPAGE at configure time), when the build names one.
const auto makerSite = QStringLiteral(ZOL_HOMEPAGE);

QString asset(const unsigned char* bytes, qsizetype size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes), size);
}

// A double-quoted JSON string that is also safe inside a script element: no
// "<", ">" or "&" survives, so neither "</script>" nor "<!--" can appear.
void appendJsonString(QString& out, QStringView text)
{
    static constexpr char16_t hex[] = u"0123456789abcdef";
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\t':
            out += u"\\t";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'"':
            out += u"\\\"";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        case u'&':
            out += u"\\u0026";
            break;
        case u'<':
            out += u"\\u003C";
            break;
        case u'>':
            out += u"\\u003E";
            break;
        default:
            if (c.unicode() < 0x20) {
                out += u"\\u00";
                out += QChar(hex[c.unicode() >> 4]);
                out += QChar(hex[c.unicode() & 0xf]);
            } else {
                out += c;
            }
        }
    }
    out += u'"';
}

void appendField(QString& out, QStringView key, QStringView value)
{
    out += u'"';
    out += key;
    out += u"\":";
    appendJsonString(out, value);
}

// Whole seconds, halves away from zero; nonsense (NaN, infinities) reads as 0.
qint64 wholeSeconds(double seconds)
{
    return std::isfinite(seconds) ? std::llround(seconds) : 0;
}

QString rowsJson(const QList<StudioHours::Record>& records, const Calendar& calendar)
{
    const QLocale posix = QLocale::c();
    QString out;
    out.reserve(records.size() * 160 + 2);
    out += u'[';
    bool first = true;
    for (const StudioHours::Record& record : records) {
        if (!first)
            out += u",\n";
        first = false;
        out += u'{';
        appendField(out, u"d", posix.toString(calendar.day(record.day), u"yyyy-MM-dd"));
        out += u',';
        appendField(out, u"p", record.person);
        out += u',';
        appendField(out, u"c", record.isInternal ? QStringLiteral("Internal") : record.clientName);
        out += u',';
        appendField(out, u"n", record.projectName);
        out += u',';
        appendField(out, u"k", record.projectNumber);
        out += u',';
        appendField(out, u"a", record.task);
        out += u',';
        appendField(out, u"t", record.note);
        out += record.isInternal ? u",\"i\":1" : u",\"i\":0";
        out += u",\"s\":";
        out += QString::number(wholeSeconds(record.seconds));
        out += u'}';
    }
    out += u']';
    return out;
}

// One object per bar: a month of a year, else a day.
QString bucketsJson(const QList<StudioHours::Bucket>& buckets, const TimesheetPeriod& period)
{
    const QLocale posix = QLocale::c();
    const bool byMonth = period.kind() == TimesheetPeriod::Kind::year;
    QString out = QStringLiteral("[");
    for (qsizetype i = 0; i < buckets.size(); ++i) {
        const QDate day = period.calendar().day(buckets[i].start);
        if (i > 0)
            out += u',';
        out += u'{';
        appendField(out, u"k", posix.toString(day, byMonth ? u"yyyy-MM" : u"yyyy-MM-dd"));
        out += u',';
        appendField(out, u"l", posix.toString(day, byMonth ? u"MMM" : u"d"));
        out += u',';
        appendField(out, u"s", posix.toString(day, byMonth ? u"yyyy" : u"ddd"));
        out += u'}';
    }
    out += u']';
    return out;
}

// The date in the locale's long form without the weekday and with the short
// month name ("14 Mar 2025", "Mar 14, 2025"), then the short time.
QString madeAt(const QDateTime& now, const Calendar& calendar, const QLocale& locale)
{
    static const QRegularExpression weekday(QStringLiteral("\\s*dddd[,.\\s]*"));
    QString dateFormat = locale.dateFormat(QLocale::LongFormat);
    dateFormat.remove(weekday);
    dateFormat.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    const QDateTime local = calendar.local(now);
    return locale.toString(local.date(), dateFormat.trimmed()) + QStringLiteral(", ") +
           locale.toString(local.time(), QLocale::ShortFormat);
}

// "Nothing uploaded for this period", or nothing when everybody handed in.
QString nothingUploaded(const QStringList& people)
{
    if (people.isEmpty())
        return {};
    QString html = uR"html(
<section class="note">
<h2>Nothing uploaded for this period</h2>
<p>These people have a folder on the share but handed nothing in for this period. Their hours may simply still be on their own computer.</p>
<ul>)html"_s;
    for (const QString& person : people)
        html += u"<li>"_s + escape(person) + u"</li>"_s;
    return html + u"</ul>\n</section>\n"_s;
}

QString footer(const std::optional<QString>& csvFileName, const QString& made)
{
    QString html = u"\n<footer>\n"_s;
    if (csvFileName) {
        // Relative, so the report and its spreadsheet travel together.
        const QString href = QString::fromUtf8(QUrl::toPercentEncoding(*csvFileName));
        html += u"<p>The same sessions as a spreadsheet, in this folder: <a href=\""_s +
                escape(href) + u"\" download>"_s + escape(*csvFileName) + u"</a></p>\n"_s;
    }
    html += u"<p>Made "_s + escape(made) +
            u" from the timesheets uploaded to the studio folder at that moment. Hours people have "
            u"tracked but not yet uploaded are not in here.</p>\n"_s;
    html += u"<p class=\"quiet\">Zol, every session counted once, by its id.</p>\n"_s;
    html += makerSite.isEmpty()
                ? u"<p class=\"quiet\">Made with Zol, a time tracker for small studios.</p>\n"_s
                : u"<p class=\"quiet\">Made with <a href=\""_s + makerSite.toHtmlEscaped() +
                      u"\">Zol</a>, a time tracker for small studios.</p>\n"_s;
    html += u"</footer>\n"_s;
    return html;
}

} // namespace

QString make(const StudioHours::Snapshot& snapshot, const TimesheetPeriod& period,
             const QString& studioName, QStringView query,
             const std::optional<QString>& csvFileName, const QDateTime& now, const QLocale& locale)
{
    QList<StudioHours::Record> records = snapshot.recordsIn(period, query);
    std::stable_sort(records.begin(), records.end(),
                     [](const StudioHours::Record& a, const StudioHours::Record& b) {
                         if (a.day != b.day)
                             return a.day < b.day;
                         return a.person < b.person;
                     });
    const bool byMonth = period.kind() == TimesheetPeriod::Kind::year;
    const QString studio = escape(studioName);
    const QString title = escape(period.title(locale));
    const QString queryText = query.trimmed().toString();

    QString html;
    html.reserve(records.size() * 180 + 40'000);
    html += uR"html(<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>)html"_s;
    html += studio + u": "_s + title;
    html += u"</title>\n<style>\n"_s;
    html += asset(ReportAssets::css, sizeof(ReportAssets::css));
    html += uR"html(</style>
</head>
<body>
<main>
<header class="masthead">
<p class="eyebrow">)html"_s;
    html += studio;
    html += u"</p>\n<h1>"_s;
    html += title;
    html += uR"html(</h1>
<p id="lede" class="lede"></p>
</header>

<div class="controls">
<input id="q" type="search" value=")html"_s;
    html += escape(queryText);
    html +=
        uR"html(" placeholder="Search person, client, project, number, task or note" aria-label="Search" autocomplete="off" spellcheck="false">
<div class="groups" role="group" aria-label="Group by"><button type="button" data-group="person" aria-pressed="true">People</button><button type="button" data-group="client" aria-pressed="false">Clients</button><button type="button" data-group="project" aria-pressed="false">Projects</button><button type="button" data-group="task" aria-pressed="false">Tasks</button></div>
<button type="button" id="reset" hidden>Clear</button>
</div>

<nav id="months" class="months" aria-label="Months" hidden></nav>
<div id="figures" class="figures"></div>

<section id="chart-block" class="block">
<div class="block-head"><h2>)html"_s;
    html += byMonth ? u"Month by month"_s : u"Day by day"_s;
    html += uR"html(</h2><span id="chart-peak" class="count"></span></div>
<div id="chart" class="chart"></div>
</section>

<section class="block">
<div class="block-head"><h2 id="breakdown-title">By person</h2><span id="breakdown-count" class="count"></span></div>
<table id="breakdown" class="breakdown">
<thead><tr><th>Name</th><th class="num">Hours</th><th class="share">Share</th></tr></thead>
<tbody></tbody>
<tfoot></tfoot>
</table>
<button type="button" id="breakdown-more" class="more" hidden></button>
</section>

<section class="block">
<div class="block-head"><h2>)html"_s;
    html += byMonth ? u"Sessions by month"_s : u"Every session"_s;
    html += uR"html(</h2><span id="session-count" class="count"></span></div>
<div id="sessions-host"></div>
<button type="button" id="more" class="more" hidden></button>
</section>
)html"_s;
    // A search report is about the sessions found; who handed nothing in is
    // beside its point.
    if (queryText.isEmpty())
        html += nothingUploaded(snapshot.peopleWithNothing(period));
    html += footer(csvFileName, madeAt(now, period.calendar(), locale));
    html += uR"html(</main>

<noscript><p class="noscript">This report filters itself, which needs JavaScript. With it switched off you are seeing the headings and nothing else.</p></noscript>

<script type="application/json" id="rows">)html"_s;
    html += rowsJson(records, snapshot.calendar);
    html += u"</script>\n<script>\n\"use strict\";\nconst BUCKETS = "_s;
    html += bucketsJson(snapshot.buckets(period, records), period);
    html += byMonth ? u";\nconst BY_MONTH = true;\n"_s : u";\nconst BY_MONTH = false;\n"_s;
    html += asset(ReportAssets::js, sizeof(ReportAssets::js));
    html += u"</script>\n</body>\n</html>\n"_s;
    return html;
}

QString fileName(const TimesheetPeriod& period)
{
    return QStringLiteral("zol-") + period.id() + QStringLiteral("-studio.html");
}

QString json(const QList<StudioHours::Record>& records)
{
    return rowsJson(records, Calendar());
}

QString escape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += u"&amp;";
            break;
        case u'<':
            out += u"&lt;";
            break;
        case u'>':
            out += u"&gt;";
            break;
        case u'"':
            out += u"&quot;";
            break;
        case u'\'':
            out += u"&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace zol::HTMLReport
