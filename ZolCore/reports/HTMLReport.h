#pragma once

#include "formats/TimesheetPeriod.h"
#include "reports/StudioHours.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

// The studio's hours for one period as one self-contained HTML file: its own
// style sheet, every session of the period as embedded JSON, and a script that
// filters, groups, charts and pages them in the reader's browser. Nothing in
// the page loads anything from anywhere.
namespace zol::HTMLReport {

// The whole document. `query` narrows the sessions (and drops the "nothing
// uploaded" section); `csvFileName` adds a link to the same sessions as CSV
// beside the report; `now` is the moment of making. The page's texts are in
// the language Zol speaks; `locale` gives its lang attribute, the moment of
// making, the period's title, and the names of months and days, the dates,
// the decimal point and the sort order of its script. In English (or the C
// locale) the script goes out exactly as written.
QString make(const StudioHours::Snapshot& snapshot, const TimesheetPeriod& period,
             const QString& studioName, QStringView query,
             const std::optional<QString>& csvFileName, const QDateTime& now,
             const QLocale& locale = QLocale());

// "zol-<period id>-studio.html"
QString fileName(const TimesheetPeriod& period);

// The embedded rows: a JSON array safe to place inside a script element.
// Days are written as dates in the system's time zone (make() uses the
// snapshot's calendar).
QString json(const QList<StudioHours::Record>& records);

// Text made safe for HTML: & < > " ' escaped.
QString escape(QStringView text);

} // namespace zol::HTMLReport
