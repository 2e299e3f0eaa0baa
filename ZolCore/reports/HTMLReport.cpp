#include "reports/HTMLReport.h"

#include "ReportAssets.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zol::HTMLReport {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::HTMLReport)
};

// Where the footer sends a reader who wants to know what made the page: Zol's
// home page (ZOL_HOMEPAGE at configure time), when the build names one.
const auto makerSite = QStringLiteral(ZOL_HOMEPAGE);

QString asset(const unsigned char* bytes, qsizetype size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes), size);
}

// Writes "<", ">" and "&" as escapes, which JSON strings and template
// literals read alike, so that neither "</script>" nor "<!--" can appear
// inside a script element. Whether `c` was one of them.
bool appendScriptEscape(QString& out, QChar c)
{
    switch (c.unicode()) {
    case u'&':
        out += u"\\u0026";
        return true;
    case u'<':
        out += u"\\u003C";
        return true;
    case u'>':
        out += u"\\u003E";
        return true;
    default:
        return false;
    }
}

// A double-quoted JSON string that is also safe inside a script element.
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
        default:
            if (appendScriptEscape(out, c))
                break;
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
    const QString internal = Texts::tr("Internal");
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
        appendField(out, u"c", record.isInternal ? internal : record.clientName);
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

// One object per bar: a month of a year, else a day. The key is the date in
// ISO form; the month's or weekday's name is in `names`.
QString bucketsJson(const QList<StudioHours::Bucket>& buckets, const TimesheetPeriod& period,
                    const QLocale& names)
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
        appendField(out, u"l", names.toString(day, byMonth ? u"MMM" : u"d"));
        out += u',';
        appendField(out, u"s", names.toString(day, byMonth ? u"yyyy" : u"ddd"));
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
    const QString explained = Texts::tr("These people have a folder on the share but handed "
                                        "nothing in for this period. Their hours may simply still "
                                        "be on their own computer.");
    QString html = u"\n<section class=\"note\">\n<h2>"_s +
                   escape(Texts::tr("Nothing uploaded for this period")) + u"</h2>\n<p>"_s +
                   escape(explained) + u"</p>\n<ul>"_s;
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
        const QString link =
            u"<a href=\""_s + escape(href) + u"\" download>"_s + escape(*csvFileName) + u"</a>"_s;
        //: %1 is a link to the spreadsheet's file.
        const QString sameAs = Texts::tr("The same sessions as a spreadsheet, in this folder: %1");
        html += u"<p>"_s + escape(sameAs).arg(link) + u"</p>\n"_s;
    }
    //: %1 is the date and time the report was made ("3 Apr 2026, 16:00").
    const QString madeFrom = Texts::tr("Made %1 from the timesheets uploaded to the studio folder "
                                       "at that moment. Hours people have tracked but not yet "
                                       "uploaded are not in here.");
    html += u"<p>"_s + escape(madeFrom).arg(escape(made)) + u"</p>\n"_s;
    html += u"<p class=\"quiet\">"_s +
            escape(Texts::tr("Zol, every session counted once, by its id.")) + u"</p>\n"_s;
    const QString maker = makerSite.isEmpty()
                              ? u"Zol"_s
                              : u"<a href=\""_s + makerSite.toHtmlEscaped() + u"\">Zol</a>"_s;
    //: %1 is the program's name, a link to its home page where there is one.
    html += u"<p class=\"quiet\">"_s +
            escape(Texts::tr("Made with %1, a time tracker for small studios.")).arg(maker) +
            u"</p>\n"_s;
    html += u"</footer>\n"_s;
    return html;
}

// ---- The page in the reader's language ----

// Whether the reader's language is English, the script's own (the C locale
// reads as English).
bool isEnglish(const QLocale& locale)
{
    return locale.language() == QLocale::English || locale.language() == QLocale::C;
}

// The page's lang attribute: "en", "nl", ….
QString languageOf(const QLocale& locale)
{
    return isEnglish(locale) ? u"en"_s : QLocale::languageToCode(locale.language());
}

// Where the names of months and weekdays come from: the C locale's, which are
// the script's own English ones, or the reader's.
QLocale namesIn(const QLocale& locale)
{
    return isEnglish(locale) ? QLocale::c() : locale;
}

QString jsString(const QString& text)
{
    QString out;
    appendJsonString(out, text);
    return out;
}

// One character of a template literal's text, safe inside a script element.
void appendTemplateCharacter(QString& out, QChar c)
{
    switch (c.unicode()) {
    case u'`':
        out += u"\\`";
        break;
    case u'\\':
        out += u"\\\\";
        break;
    case u'$':
        out += u"\\$";
        break;
    default:
        if (!appendScriptEscape(out, c))
            out += c;
    }
}

// A text with place markers as a template literal: %1, %2, … stand for the
// expressions of those numbers.
QString jsTemplate(const QString& text, const QStringList& expressions)
{
    QString out = u"`"_s;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'%' && i + 1 < text.size()) {
            const int number = text.at(i + 1).digitValue();
            if (number >= 1 && number <= expressions.size()) {
                out += u"${"_s + expressions.at(number - 1) + u'}';
                ++i;
                continue;
            }
        }
        appendTemplateCharacter(out, c);
    }
    return out + u'`';
}

// The expression that writes `iso`, an expression holding a date as
// "yyyy-MM-dd", in the locale's short form: day, month and year in figures,
// in its order and with its separators. `iso` itself where the short form
// names the month or the weekday.
QString jsShortDate(const QLocale& locale, const QString& iso)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString out = u"`"_s;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            // Quoted text, in which '' is a quote; '' alone is one too.
            qsizetype j = i + 1;
            if (j < format.size() && format.at(j) == u'\'') {
                out += u'\'';
                i = j + 1;
                continue;
            }
            while (j < format.size()) {
                if (format.at(j) == u'\'') {
                    if (j + 1 < format.size() && format.at(j + 1) == u'\'') {
                        out += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                appendTemplateCharacter(out, format.at(j));
                ++j;
            }
            i = j + 1;
            continue;
        }
        if (!c.isLetter()) {
            appendTemplateCharacter(out, c);
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < format.size() && format.at(end) == c)
            ++end;
        const qsizetype run = end - i;
        // The figures of the field, with a leading zero or without one.
        const auto field = [&](const QString& slice, bool padded) -> QString {
            const QString figures = iso + u".slice("_s + slice + u')';
            if (padded)
                return u"${"_s + figures + u'}';
            return u"${Number("_s + figures + u")}"_s;
        };
        if (c == u'y')
            out += field(run == 2 ? u"2, 4"_s : u"0, 4"_s, true);
        else if (c == u'M' && run <= 2)
            out += field(u"5, 7"_s, run == 2);
        else if (c == u'd' && run <= 2)
            out += field(u"8, 10"_s, run == 2);
        else
            return iso;
        i = end;
    }
    return out + u'`';
}

// `function <name>(…) { … }` of the script, with its indentation.
qsizetype functionStart(const QString& script, QStringView name)
{
    return script.indexOf(u"\n  function "_s + name + u'(') + 1;
}

// The script speaks English. For another language, the places where it holds
// words, names of months and days, and its ways of writing a number, a date
// and of sorting are given the reader's instead; a place whose text comes out
// the same is left alone, so that an English page carries the script exactly
// as it is written.
QString localisedScript(const QLocale& locale)
{
    QString script = asset(ReportAssets::js, sizeof(ReportAssets::js));
    // Every place is looked for whatever the language, so that a change to the
    // script that loses one shows in any debug run.
    const auto swap = [&script](const QString& english, const QString& own) {
        Q_ASSERT_X(script.contains(english), "HTMLReport", qPrintable(english));
        if (own != english)
            script.replace(english, own);
    };

    // A count's word, after 1 and after any other number, as in "1 session",
    // "2 sessions"; Dutch, like English, has the two.
    const QString session = Texts::tr("session", "after the number 1");
    const QString sessions = Texts::tr("sessions", "after any other number");
    const QString person = Texts::tr("person", "after the number 1");
    const QString people = Texts::tr("people", "after any other number");
    const QString project = Texts::tr("project", "after the number 1");
    const QString projects = Texts::tr("projects", "after any other number");
    const auto pair = [](const QString& one, const QString& many) -> QString {
        return jsString(one) + u", "_s + jsString(many);
    };

    // The lede, a sentence around the hours in bold: the function as a whole.
    //: The hours in bold at the start of the report's first sentence; %1 has two decimals.
    const QString hoursText = Texts::tr("%1 hours", "in bold, with two decimals");
    //: %1 is the hours in bold ("7.50 hours"), %2 the sessions found ("12 sessions"), %3 what
    //: was searched for.
    const QString matching = Texts::tr("%1 across %2 matching “%3”.");
    //: %1 is the hours in bold ("7.50 hours"), %2 the people ("3 people"), %3 the projects
    //: ("5 projects").
    const QString across = Texts::tr("%1 across %2 and %3.");
    const bool ledeAsWritten =
        hoursText == u"%1 hours" && matching == u"%1 across %2 matching \u201C%3\u201D." &&
        across == u"%1 across %2 and %3." && session == u"session" && sessions == u"sessions" &&
        person == u"person" && people == u"people" && project == u"project" &&
        projects == u"projects";
    const qsizetype lede = functionStart(script, u"renderLede");
    const qsizetype ledeEnd = script.indexOf(u"\n  }\n"_s, lede) + 5;
    Q_ASSERT(lede > 0 && ledeEnd > lede);
    if (!ledeAsWritten && lede > 0 && ledeEnd > lede) {
        script.replace(lede, ledeEnd - lede,
                       uR"js(  function renderLede(list, seconds) {
    const strong = el("strong", { text: )js"_s +
                           jsTemplate(hoursText, {u"hours(seconds)"_s}) + uR"js( });
    const sentence = state.query ? )js"_s +
                           jsString(matching) + u" : "_s + jsString(across) + uR"js(;
    const values = state.query
      ? [counted(list.length, )js"_s +
                           pair(session, sessions) + uR"js(), state.query]
      : [counted(peopleIn(list), )js"_s +
                           pair(person, people) + u"), counted(projectsIn(list), "_s +
                           pair(project, projects) + uR"js()];
    const fill = (part) => part.replace(/%([23])/g, (_, n) => values[n - 2]);
    const [before, ...after] = sentence.split("%1");
    $("lede").replaceChildren(fill(before), strong, fill(after.join("%1")));
  }
)js"_s);
    }

    swap(u"`${minutes}m`"_s, jsTemplate(Texts::tr("%1m", "minutes, short"), {u"minutes"_s}));
    swap(u"`${Math.floor(minutes / 60)}h ${rest}m`"_s,
         jsTemplate(Texts::tr("%1h %2m", "hours and minutes, short"),
                    {u"Math.floor(minutes / 60)"_s, u"rest"_s}));
    swap(u"`${Math.floor(minutes / 60)}h`"_s,
         jsTemplate(Texts::tr("%1h", "hours, short"), {u"Math.floor(minutes / 60)"_s}));

    swap(u"tile(coarse(seconds), \"tracked\", true)"_s,
         u"tile(coarse(seconds), "_s + jsString(Texts::tr("tracked", "beside the time tracked")) +
             u", true)"_s);
    const auto choice = [](const QString& count, const QString& one,
                           const QString& many) -> QString {
        return count + u" === 1 ? "_s + jsString(one) + u" : "_s + jsString(many);
    };
    swap(u"people === 1 ? \"person\" : \"people\""_s, choice(u"people"_s, person, people));
    swap(u"projects === 1 ? \"project\" : \"projects\""_s,
         choice(u"projects"_s, project, projects));
    swap(u"list.length === 1 ? \"session\" : \"sessions\""_s,
         choice(u"list.length"_s, session, sessions));
    swap(u"\"session\", \"sessions\")"_s, pair(session, sessions) + u')');

    swap(u"chip(\"Whole year\", "_s, u"chip("_s + jsString(Texts::tr("Whole year")) + u", "_s);
    swap(u"state.month ? \"Day by day\" : chartTitle"_s,
         u"state.month ? "_s + jsString(Texts::tr("Day by day")) + u" : chartTitle"_s);
    //: Beside a chart: the time of its highest bar.
    swap(u"`tallest ${coarse(peak)}`"_s, jsTemplate(Texts::tr("tallest %1"), {u"coarse(peak)"_s}));

    const auto group = [](const QString& title, const QString& column) -> QString {
        return u"title: "_s + jsString(title) + u", column: "_s + jsString(column) + u',';
    };
    swap(u"title: \"By person\", column: \"Name\","_s,
         group(Texts::tr("By person"), Texts::tr("Name")));
    swap(u"title: \"By client\", column: \"Client\","_s,
         group(Texts::tr("By client"), Texts::tr("Client")));
    swap(u"title: \"By task\", column: \"Task\","_s,
         group(Texts::tr("By task"), Texts::tr("Task")));
    swap(u"title: \"By project\", column: \"Number\","_s,
         group(Texts::tr("By project"), Texts::tr("Number")));
    swap(u"r.c || \"No client\""_s, u"r.c || "_s + jsString(Texts::tr("No client")));
    swap(u"r.a || \"No task\""_s, u"r.a || "_s + jsString(Texts::tr("No task")));
    const QString internal = Texts::tr("Internal");
    swap(u"r.i ? \"Internal\" : r.k || r.n"_s,
         u"r.i ? "_s + jsString(internal) + u" : r.k || r.n"_s);
    // Searching for the word finds internal work.
    swap(u"row.i ? \"internal\" : \"\""_s,
         u"row.i ? "_s + jsString(internal.toLower()) + u" : \"\""_s);

    swap(u"text: \"Nothing matches.\" }"_s,
         u"text: "_s + jsString(Texts::tr("Nothing matches.")) + u" }"_s);
    //: The last row of a table cut short: %1 counts all its rows.
    swap(u"capped ? `Total (all ${sorted.length})` : \"Total\""_s,
         u"capped ? "_s + jsTemplate(Texts::tr("Total (all %1)"), {u"sorted.length"_s}) + u" : "_s +
             jsString(Texts::tr("Total")));
    //: %1 rows shown of %2.
    const QString shownOf = Texts::tr("%1 of %2", "rows shown of all");
    swap(u"`${shown.length} of ${sorted.length}`"_s,
         jsTemplate(shownOf, {u"shown.length"_s, u"sorted.length"_s}));
    swap(u"`${shown.length} of ${list.length}`"_s,
         jsTemplate(shownOf, {u"shown.length"_s, u"list.length"_s}));
    //: A button under a table cut short: %1 more rows of the %2 not shown.
    const QString showMore = Texts::tr("Show %1 more of %2");
    swap(u"`Show ${Math.min(BREAKDOWN_PAGE, left)} more of ${left}`"_s,
         jsTemplate(showMore, {u"Math.min(BREAKDOWN_PAGE, left)"_s, u"left"_s}));
    swap(u"`Show ${Math.min(PAGE, left)} more of ${left}`"_s,
         jsTemplate(showMore, {u"Math.min(PAGE, left)"_s, u"left"_s}));

    const auto column = [&swap](const QString& english, const QString& own) {
        swap(u"label: \""_s + english + u'"', u"label: "_s + jsString(own));
    };
    column(u"Date"_s, Texts::tr("Date"));
    column(u"Who"_s, Texts::tr("Who"));
    column(u"Client"_s, Texts::tr("Client"));
    column(u"Project"_s, Texts::tr("Project"));
    column(u"Number"_s, Texts::tr("Number"));
    column(u"Task"_s, Texts::tr("Task"));
    column(u"Hours"_s, Texts::tr("Hours"));
    column(u"Note"_s, Texts::tr("Note"));
    //: Beside a month in which nobody tracked anything.
    swap(u"text: \"nothing tracked\""_s, u"text: "_s + jsString(Texts::tr("nothing tracked")));

    // The reader's names of months and days, numbers, dates and order; the
    // script's own are English.
    const bool english = isEnglish(locale);
    const auto reader = [&](const QString& written, const auto& own) {
        swap(written, english ? written : own());
    };
    const auto names = [](const auto& name, int first, int last) {
        QStringList list;
        for (int i = first; i <= last; ++i)
            list.append(jsString(name(i)));
        return list.join(u", "_s);
    };
    reader(u"const MONTHS = [\"January\", \"February\", \"March\", \"April\", \"May\", \"June\", "
           u"\"July\",\n    \"August\", \"September\", \"October\", \"November\", \"December\"];"_s,
           [&]() -> QString {
               return u"const MONTHS = ["_s +
                      names([&](int m) { return locale.standaloneMonthName(m); }, 1, 12) + u"];"_s;
           });
    reader(u"const SHORT_MONTHS = MONTHS.map((name) => name.slice(0, 3));"_s, [&]() -> QString {
        return u"const SHORT_MONTHS = ["_s +
               names([&](int m) { return locale.monthName(m, QLocale::ShortFormat); }, 1, 12) +
               u"];"_s;
    });
    // Sunday first, as Date.getUTCDay() counts.
    reader(u"const WEEKDAYS = [\"Sun\", \"Mon\", \"Tue\", \"Wed\", \"Thu\", \"Fri\", \"Sat\"];"_s,
           [&]() -> QString {
               const auto day = [&](int d) {
                   return locale.dayName(d == 0 ? 7 : d, QLocale::ShortFormat);
               };
               return u"const WEEKDAYS = ["_s + names(day, 0, 6) + u"];"_s;
           });
    reader(u"new Intl.Collator(\"en\", "_s, [&]() -> QString {
        return u"new Intl.Collator("_s + jsString(languageOf(locale)) + u", "_s;
    });
    const QString hoursWritten = u"(Math.round(seconds / 36) / 100).toFixed(2);"_s;
    reader(hoursWritten, [&]() -> QString {
        if (locale.decimalPoint() == u".")
            return hoursWritten;
        return u"(Math.round(seconds / 36) / 100).toFixed(2).replace(\".\", "_s +
               jsString(locale.decimalPoint()) + u");"_s;
    });
    reader(u"cell: (r) => r.d, class: \"date\""_s, [&]() -> QString {
        return u"cell: (r) => "_s + jsShortDate(locale, u"r.d"_s) + u", class: \"date\""_s;
    });
    return script;
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
<html lang=")html"_s;
    html += languageOf(locale);
    html += uR"html(">
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
    html += u"\" placeholder=\""_s +
            escape(Texts::tr("Search person, client, project, number, task or note")) +
            u"\" aria-label=\""_s + escape(Texts::tr("Search")) +
            u"\" autocomplete=\"off\" spellcheck=\"false\">\n"_s;
    html += u"<div class=\"groups\" role=\"group\" aria-label=\""_s +
            escape(Texts::tr("Group by")) + u"\">"_s;
    html += u"<button type=\"button\" data-group=\"person\" aria-pressed=\"true\">"_s +
            escape(Texts::tr("People")) + u"</button>"_s;
    html += u"<button type=\"button\" data-group=\"client\" aria-pressed=\"false\">"_s +
            escape(Texts::tr("Clients")) + u"</button>"_s;
    html += u"<button type=\"button\" data-group=\"project\" aria-pressed=\"false\">"_s +
            escape(Texts::tr("Projects")) + u"</button>"_s;
    html += u"<button type=\"button\" data-group=\"task\" aria-pressed=\"false\">"_s +
            escape(Texts::tr("Tasks")) + u"</button></div>\n"_s;
    html += u"<button type=\"button\" id=\"reset\" hidden>"_s +
            escape(Texts::tr("Clear", "the search")) + u"</button>\n</div>\n\n"_s;
    html += u"<nav id=\"months\" class=\"months\" aria-label=\""_s + escape(Texts::tr("Months")) +
            u"\" hidden></nav>\n"_s;
    html += uR"html(<div id="figures" class="figures"></div>

<section id="chart-block" class="block">
<div class="block-head"><h2>)html"_s;
    html += byMonth ? escape(Texts::tr("Month by month")) : escape(Texts::tr("Day by day"));
    html += uR"html(</h2><span id="chart-peak" class="count"></span></div>
<div id="chart" class="chart"></div>
</section>

<section class="block">
<div class="block-head"><h2 id="breakdown-title">)html"_s;
    html += escape(Texts::tr("By person"));
    html += uR"html(</h2><span id="breakdown-count" class="count"></span></div>
<table id="breakdown" class="breakdown">
<thead><tr><th>)html"_s;
    html += escape(Texts::tr("Name")) + u"</th><th class=\"num\">"_s + escape(Texts::tr("Hours")) +
            u"</th><th class=\"share\">"_s + escape(Texts::tr("Share", "a part of the whole")) +
            u"</th>"_s;
    html += uR"html(</tr></thead>
<tbody></tbody>
<tfoot></tfoot>
</table>
<button type="button" id="breakdown-more" class="more" hidden></button>
</section>

<section class="block">
<div class="block-head"><h2>)html"_s;
    html += byMonth ? escape(Texts::tr("Sessions by month")) : escape(Texts::tr("Every session"));
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
    const QString noScript = Texts::tr("This report filters itself, which needs JavaScript. With "
                                       "it switched off you are seeing the headings and nothing "
                                       "else.");
    html += u"</main>\n\n<noscript><p class=\"noscript\">"_s + escape(noScript) +
            u"</p></noscript>\n\n"_s;
    html += uR"html(<script type="application/json" id="rows">)html"_s;
    html += rowsJson(records, snapshot.calendar);
    html += u"</script>\n<script>\n\"use strict\";\nconst BUCKETS = "_s;
    html += bucketsJson(snapshot.buckets(period, records), period, namesIn(locale));
    html += byMonth ? u";\nconst BY_MONTH = true;\n"_s : u";\nconst BY_MONTH = false;\n"_s;
    html += localisedScript(locale);
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
