#include "store/EntryRows.h"

#include "support/PlainText.h"
#include "support/Timestamps.h"

namespace zol::EntryRows {

const QString columns = QStringLiteral(
    "id, machine_name, started_at, ended_at, paused_at, paused_seconds,\n"
    "project_serial, project_name, client_name, note, is_internal,\n"
    "uploaded_at, created_at, updated_at, deleted_at, task");

const QString upsert =
    QStringLiteral("INSERT INTO entries (") + columns +
    QStringLiteral(")\nVALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16)\n"
                   "ON CONFLICT(id) DO UPDATE SET\n"
                   "  machine_name = excluded.machine_name,\n"
                   "  started_at = excluded.started_at,\n"
                   "  ended_at = excluded.ended_at,\n"
                   "  paused_at = excluded.paused_at,\n"
                   "  paused_seconds = excluded.paused_seconds,\n"
                   "  project_serial = excluded.project_serial,\n"
                   "  project_name = excluded.project_name,\n"
                   "  client_name = excluded.client_name,\n"
                   "  note = excluded.note,\n"
                   "  is_internal = excluded.is_internal,\n"
                   "  uploaded_at = excluded.uploaded_at,\n"
                   "  updated_at = excluded.updated_at,\n"
                   "  deleted_at = excluded.deleted_at,\n"
                   "  task = excluded.task");

const QString upsertReturningRow = upsert + QStringLiteral("\nRETURNING ") + columns;

SQLiteDatabase::Value time(const QDateTime& instant)
{
    return secondsSince1970(instant);
}

SQLiteDatabase::Value time(const std::optional<QDateTime>& instant)
{
    if (!instant)
        return nullptr;
    return secondsSince1970(*instant);
}

SQLiteDatabase::Value text(const QString& value)
{
    return value;
}

namespace {

std::optional<QDateTime> optionalTime(const SQLiteDatabase::Statement& row, int column)
{
    if (row.isNull(column))
        return std::nullopt;
    return fromSecondsSince1970(row.real(column));
}

} // namespace

TimeEntry decode(const SQLiteDatabase::Statement& row)
{
    TimeEntry e;
    // A damaged id still gives a usable (if new) identity rather than a failure.
    // A stored id that does not parse reads as a fresh one; only then is one
    // made (value_or would make one for every row).
    const std::optional<QUuid> stored = parseUuid(row.text(id));
    e.id = stored ? *stored : newUuid();
    // Text is read without controls: books written before they were refused
    // may hold some, and nothing that shows a session should meet one. The
    // number is read as stored, as it is the project's key.
    using PlainText::Kind;
    e.machineName = PlainText::withoutControls(row.text(machineName), Kind::line);
    e.startedAt = fromSecondsSince1970(row.real(startedAt));
    e.endedAt = optionalTime(row, endedAt);
    e.pausedAt = optionalTime(row, pausedAt);
    e.pausedSeconds = row.real(pausedSeconds);
    e.projectSerial = row.text(projectSerial);
    e.projectName = PlainText::withoutControls(row.text(projectName), Kind::line);
    e.clientName = PlainText::withoutControls(row.text(clientName), Kind::line);
    e.note = PlainText::withoutControls(row.text(note), Kind::note);
    e.isInternal = row.integer(isInternal) != 0;
    e.uploadedAt = optionalTime(row, uploadedAt);
    e.createdAt = fromSecondsSince1970(row.real(createdAt));
    e.updatedAt = fromSecondsSince1970(row.real(updatedAt));
    e.deletedAt = optionalTime(row, deletedAt);
    e.task = PlainText::withoutControls(row.text(task), Kind::line);
    return e;
}

QList<SQLiteDatabase::Value> encode(const TimeEntry& e, double now)
{
    return {
        uuidText(e.id),
        e.machineName,
        time(e.startedAt),
        time(e.endedAt),
        time(e.pausedAt),
        e.pausedSeconds,
        e.projectSerial,
        e.projectName,
        e.clientName,
        e.note,
        qint64(e.isInternal ? 1 : 0),
        time(e.uploadedAt),
        time(e.createdAt),
        now,
        time(e.deletedAt),
        e.task,
    };
}

Project decodeProject(const SQLiteDatabase::Statement& row)
{
    const double created = row.real(5);
    return Project{
        row.text(0),
        PlainText::withoutControls(row.text(1), PlainText::Kind::line),
        PlainText::withoutControls(row.text(2), PlainText::Kind::line),
        row.integer(3) != 0,
        fromSecondsSince1970(row.real(4)),
        created == 0 ? Project::unknownCreation() : fromSecondsSince1970(created),
    };
}

} // namespace zol::EntryRows
