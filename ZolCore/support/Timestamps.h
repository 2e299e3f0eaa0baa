#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QUuid>

#include <optional>

namespace zol {

// Seconds since 1970-01-01 00:00 UTC: how the database stores instants.
double secondsSince1970(const QDateTime& instant);
QDateTime fromSecondsSince1970(double seconds);

// Seconds since 2001-01-01 00:00 UTC: how the JSON Zol keeps for itself
// (administrations, the task list, records) stores instants.
double secondsSince2001(const QDateTime& instant);
QDateTime fromSecondsSince2001(double seconds);

// ISO 8601 internet date-time in UTC with whole seconds, "2025-03-14T09:26:53Z":
// the form of files written for other machines and for people. Any fraction of
// a second is dropped.
QString iso8601(const QDateTime& instant);
// Reads "YYYY-MM-DDTHH:MM:SS" followed by "Z" or an offset "+HH:MM"/"-HH:MM".
// Anything else, a fraction of a second included, gives no value.
std::optional<QDateTime> parseIso8601(QStringView text);

// The canonical text of an identifier: 36 characters, upper case, with hyphens.
QString uuidText(const QUuid& id);
// The identifier in `text` (any case, with or without braces), or none.
std::optional<QUuid> parseUuid(QStringView text);
// A fresh random identifier.
QUuid newUuid();

} // namespace zol
