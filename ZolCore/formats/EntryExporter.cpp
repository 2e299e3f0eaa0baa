#include "formats/EntryExporter.h"

#include "formats/Timesheet.h"
#include "records/Duration.h"
#include "records/Project.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zol::EntryExporter {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::EntryExporter)
};

qint64 wholeSeconds(double seconds)
{
    return std::isfinite(seconds) ? std::llround(seconds) : 0;
}

// Paused seconds up to the end, or up to `now` while the session runs.
qint64 pausedSecondsOf(const TimeEntry& entry, const QDateTime& now)
{
    return wholeSeconds(std::max(0.0, entry.pausedTime(entry.endedAt.value_or(now))));
}

// The number to write: none for internal work and for a project that only
// has a local key so far.
QString projectNumber(const TimeEntry& entry)
{
    if (Project::isLocalKey(entry.projectSerial))
        return {};
    return entry.projectSerial;
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

// Earliest start first; sessions that start together keep their given order.
QList<TimeEntry> byStart(QList<TimeEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const TimeEntry& a, const TimeEntry& b) {
        return a.startedAt < b.startedAt;
    });
    return entries;
}

QJsonObject exportedEntry(const TimeEntry& entry, const QDateTime& now)
{
    const double worked = entry.duration(now);
    QJsonObject object{
        {QStringLiteral("id"), uuidText(entry.id)},
        {QStringLiteral("client"), entry.clientName},
        {QStringLiteral("projectName"), entry.projectName},
        {QStringLiteral("task"), entry.task},
        {QStringLiteral("startedAt"), iso8601(entry.startedAt)},
        {QStringLiteral("durationSeconds"), wholeSeconds(worked)},
        {QStringLiteral("durationHours"), Duration::decimalHours(worked)},
        {QStringLiteral("pausedSeconds"), pausedSecondsOf(entry, now)},
        {QStringLiteral("note"), entry.note},
        {QStringLiteral("computer"), entry.machineName},
        {QStringLiteral("uploaded"), entry.isUploaded()},
    };
    if (const QString number = projectNumber(entry); !number.isEmpty())
        object.insert(QStringLiteral("projectNumber"), number);
    if (entry.endedAt)
        object.insert(QStringLiteral("endedAt"), iso8601(*entry.endedAt));
    return object;
}

} // namespace

QList<Format> allFormats()
{
    return {Format::csv, Format::json};
}

QString rawValue(Format format)
{
    return format == Format::csv ? QStringLiteral("csv") : QStringLiteral("json");
}

std::optional<Format> formatFromRawValue(QStringView raw)
{
    for (const Format format : allFormats()) {
        if (raw == rawValue(format))
            return format;
    }
    return std::nullopt;
}

QString fileExtension(Format format)
{
    return rawValue(format);
}

QString displayName(Format format)
{
    return format == Format::csv ? Texts::tr("CSV (spreadsheet)") : QStringLiteral("JSON");
}

const QStringList& columns()
{
    static const QStringList names{
        QStringLiteral("id"),
        QStringLiteral("date"),
        QStringLiteral("day"),
        QStringLiteral("start"),
        QStringLiteral("end"),
        QStringLiteral("hours"),
        QStringLiteral("duration_seconds"),
        QStringLiteral("paused_seconds"),
        QStringLiteral("project_number"),
        QStringLiteral("client"),
        QStringLiteral("project_name"),
        QStringLiteral("internal"),
        QStringLiteral("task"),
        QStringLiteral("note"),
        QStringLiteral("who"),
        QStringLiteral("computer"),
        QStringLiteral("started_at_utc"),
        QStringLiteral("ended_at_utc"),
        QStringLiteral("uploaded"),
    };
    return names;
}

const QList<CSVWriter::Field>& columnFields()
{
    using enum CSVWriter::Field;
    static const QList<CSVWriter::Field> fields{
        formatted, // id, a UUID Zol writes itself
        formatted, // date
        formatted, // day
        formatted, // start
        formatted, // end
        formatted, // hours
        formatted, // duration_seconds
        formatted, // paused_seconds
        text,      // project_number
        text,      // client
        text,      // project_name
        formatted, // internal
        text,      // task
        text,      // note
        text,      // who
        text,      // computer
        formatted, // started_at_utc
        formatted, // ended_at_utc
        formatted, // uploaded
    };
    return fields;
}

QStringList row(const TimeEntry& entry, const QString& who, const QDateTime& now,
                const Calendar& calendar)
{
    const QLocale posix = QLocale::c();
    const QDateTime start = calendar.local(entry.startedAt);
    const QDateTime end = entry.endedAt ? calendar.local(*entry.endedAt) : QDateTime();
    const double worked = entry.duration(now);
    return {
        uuidText(entry.id),
        posix.toString(start, u"yyyy-MM-dd"),
        posix.toString(start, u"dddd"),
        posix.toString(start, u"HH:mm"),
        entry.endedAt ? posix.toString(end, u"HH:mm") : QString(),
        QString::number(Duration::decimalHours(worked), 'f', 2),
        QString::number(wholeSeconds(worked)),
        QString::number(pausedSecondsOf(entry, now)),
        projectNumber(entry),
        entry.clientName,
        entry.projectName,
        yesNo(entry.isInternal),
        entry.task,
        entry.note,
        who,
        entry.machineName,
        iso8601(entry.startedAt),
        entry.endedAt ? iso8601(*entry.endedAt) : QString(),
        yesNo(entry.isUploaded()),
    };
}

QString csv(const QList<TimeEntry>& entries, const QString& who, const QDateTime& now,
            const Calendar& calendar)
{
    CSVWriter writer(columns(), columnFields());
    writer.reserveLines(entries.size());
    for (const TimeEntry& entry : byStart(entries))
        writer.addLine(row(entry, who, now, calendar));
    return writer.text();
}

QByteArray json(const QList<TimeEntry>& entries, const QDateTime& now)
{
    QJsonArray list;
    for (const TimeEntry& entry : byStart(entries))
        list.append(exportedEntry(entry, now));
    // QJsonObject keeps its keys sorted, and Qt writes "/" as it is.
    const QJsonObject file{
        {QStringLiteral("version"), 1},
        {QStringLiteral("exportedAt"), iso8601(now)},
        {QStringLiteral("entryCount"), entries.size()},
        {QStringLiteral("entries"), list},
    };
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

QByteArray data(const QList<TimeEntry>& entries, Format format, const QString& who,
                const QDateTime& now, const Calendar& calendar)
{
    if (format == Format::json)
        return json(entries, now);
    return csv(entries, who, now, calendar).toUtf8();
}

QString escape(QStringView field)
{
    const auto special = [](QChar c) { return c == u',' || c == u'"' || c == u'\n' || c == u'\r'; };
    if (std::none_of(field.begin(), field.end(), special))
        return field.toString();
    QString quoted;
    quoted.reserve(field.size() + 8);
    quoted += u'"';
    for (const QChar c : field) {
        if (c == u'"')
            quoted += u'"';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

namespace {

bool startsLikeAFormula(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// Whether the field, after any leading apostrophes, starts like a formula.
bool startsLikeAFormulaAfterApostrophes(QStringView field)
{
    qsizetype i = 0;
    while (i < field.size() && field[i] == u'\'')
        ++i;
    return i < field.size() && startsLikeAFormula(field[i]);
}

} // namespace

QString spreadsheetSafe(QStringView field)
{
    if (!startsLikeAFormulaAfterApostrophes(field))
        return field.toString();
    return u'\'' + field.toString();
}

QString fromSpreadsheetSafe(QStringView field)
{
    if (field.startsWith(u'\'') && startsLikeAFormulaAfterApostrophes(field.sliced(1)))
        return field.sliced(1).toString();
    return field.toString();
}

QString suggestedFilename(const QList<TimeEntry>& entries, Format format, const QString& who,
                          const QDateTime& now, const Calendar& calendar)
{
    QDate first = calendar.day(now);
    QDate last = first;
    if (!entries.isEmpty()) {
        first = last = calendar.day(entries.front().startedAt);
        for (const TimeEntry& entry : entries) {
            const QDate day = calendar.day(entry.startedAt);
            first = std::min(first, day);
            last = std::max(last, day);
        }
    }
    const QLocale posix = QLocale::c();
    QString range = posix.toString(first, u"yyyy-MM-dd");
    if (last != first)
        range += u'_' + posix.toString(last, u"yyyy-MM-dd");

    const QString name = who.trimmed();
    const QString extension = u'.' + fileExtension(format);
    if (name.isEmpty())
        return QStringLiteral("zol-") + range + extension;
    return QStringLiteral("zol-") + Timesheet::safeName(name) + u'-' + range + extension;
}

} // namespace zol::EntryExporter
