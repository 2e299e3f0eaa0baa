#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace zol {

class Calendar;

// Suggested project numbers for an administration with automatic numbering.
//
// A pattern is text with an optional year token and one counter: "{yyyy}" is
// the four-digit year, "{yy}" its last two digits, and "{" with one or more
// "0" and "}" is the counter, as wide as it has zeros ("P{yy}{000}"). The year
// is the local calendar year of `now`, so the count starts again each January
// in the user's own time zone.
//
// Pure computation: nothing is stored and nothing throws. A pattern that does
// not parse (no counter, anything but zeros inside the first braces) yields no
// suggestion and matches no number.
namespace ProjectNumbering {

// The next number: the highest count among `existing` numbers that fit the
// pattern, plus one, padded to the counter's width (a wider count is written
// in full, never cut). Numbers that do not fit exactly (prefix, suffix and
// exactly `width` ASCII digits, after trimming blanks) are ignored, so gaps
// stay gaps and a hand-typed number in another form changes nothing.
std::optional<QString> next(const QString& pattern, const QStringList& existing,
                            const QDateTime& now, const Calendar& calendar);

// Whether `number` is one of the pattern's numbers at `now`.
bool matches(const QString& number, const QString& pattern, const QDateTime& now,
             const Calendar& calendar);

} // namespace ProjectNumbering
} // namespace zol
