#pragma once

// The row codec of sessions, shared by the store's source files.

#include "records/Project.h"
#include "records/TimeEntry.h"
#include "store/SQLiteDatabase.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace zol::EntryRows {

// Every statement that reads or writes whole entries uses these columns in
// this order; a row is decoded by position.
extern const QString columns;

enum Column {
    id, machineName, startedAt, endedAt, pausedAt, pausedSeconds, projectSerial, projectName,
    clientName, note, isInternal, uploadedAt, createdAt, updatedAt, deletedAt, task
};

SQLiteDatabase::Value time(const QDateTime& instant);
SQLiteDatabase::Value time(const std::optional<QDateTime>& instant);
SQLiteDatabase::Value text(const QString& value);

// The entry on the statement's current row.
TimeEntry decode(const SQLiteDatabase::Statement& row);

// The parameters ?1…?16 of the upsert, with updated_at = `now`.
QList<SQLiteDatabase::Value> encode(const TimeEntry& entry, double now);

// The project columns every read of whole projects selects, in this order.
// A literal, so that statements built from it at start-up can use it.
inline constexpr QLatin1StringView projectColumns{
    "serial, name, client_name, is_active, updated_at, created_at"};
// The project on the statement's current row, read from projectColumns.
Project decodeProject(const SQLiteDatabase::Statement& row);

// "INSERT INTO entries (…) VALUES (?1,…,?16) ON CONFLICT(id) DO UPDATE SET …"
extern const QString upsert;
// The upsert, giving back the row as the books now hold it (in `columns`).
extern const QString upsertReturningRow;

} // namespace zol::EntryRows
