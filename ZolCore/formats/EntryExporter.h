#pragma once

#include "formats/CSVWriter.h"
#include "records/TimeEntry.h"
#include "support/Calendar.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Sessions as files people save: CSV for a spreadsheet, JSON for other
// programs. Pure functions; which sessions and where to save is the caller's.
// The row layout is shared with the timesheets, and the field rules
// (escape, spreadsheetSafe) with every CSV file Zol writes.
//
// "now" is the moment of export: a running session counts up to it. Dates and
// times of day are written in `calendar`'s time zone with English names; the
// "_utc" columns are UTC.
namespace zol::EntryExporter {

enum class Format { csv, json };

QList<Format> allFormats();
// "csv", "json"
QString rawValue(Format format);
std::optional<Format> formatFromRawValue(QStringView raw);
// "csv", "json"
QString fileExtension(Format format);
// "CSV (spreadsheet)", "JSON"
QString displayName(Format format);

// The 19 column names of the CSV header, in order.
const QStringList& columns();
// How each of those columns is written: the project number, client, project
// name, task, note, person and computer are text; the rest Zol formats itself.
const QList<CSVWriter::Field>& columnFields();

// One session as the 19 values of `columns()`, unescaped.
QStringList row(const TimeEntry& entry, const QString& who, const QDateTime& now,
                const Calendar& calendar = Calendar());

// Header and one line per session (earliest start first), written by
// CSVWriter: text values made spreadsheet-safe, every value escaped; "\n"
// after every line.
QString csv(const QList<TimeEntry>& entries, const QString& who, const QDateTime& now,
            const Calendar& calendar = Calendar());

// {"entries": [...], "entryCount": n, "exportedAt": …, "version": 1}, sorted
// keys, indented, absent optionals left out.
QByteArray json(const QList<TimeEntry>& entries, const QDateTime& now);

QByteArray data(const QList<TimeEntry>& entries, Format format, const QString& who,
                const QDateTime& now, const Calendar& calendar = Calendar());

// In double quotes, inner quotes doubled, when the field holds a comma, a
// quote, a line feed or a carriage return; otherwise as it is.
QString escape(QStringView field);
// An apostrophe in front of a field a spreadsheet would take for a formula
// (first character "=", "+", "-", "@", a tab or a carriage return), and in
// front of one that only looks guarded already because a person typed
// apostrophes before such a character ("'=x" is written "''=x"), so that
// fromSpreadsheetSafe gives every field back exactly.
QString spreadsheetSafe(QStringView field);
// The text a field made spreadsheet-safe stood for: one leading apostrophe
// taken off when it is followed, after any further apostrophes, by one of the
// characters spreadsheetSafe guards; any other field as it is.
QString fromSpreadsheetSafe(QStringView field);

// "zol-<safe name>-<first day>_<last day>.<ext>", or "zol-<day>.<ext>" without
// a name and for a single day; today when there are no sessions.
QString suggestedFilename(const QList<TimeEntry>& entries, Format format, const QString& who,
                          const QDateTime& now, const Calendar& calendar = Calendar());

} // namespace zol::EntryExporter
