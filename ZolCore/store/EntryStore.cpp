#include "store/EntryStore.h"

#include "store/EntryRows.h"
#include "store/EntryStoreTransaction.h"
#include "store/StoreBackups.h"
#include "support/DataPaths.h"
#include "support/Folding.h"
#include "support/Timestamps.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace zol {

using Value = SQLiteDatabase::Value;

namespace {

// Creates a missing database file readable by the owner only, so SQLite (which
// gives its -wal and -shm files the database's permissions) never makes the
// user's hours world-readable. An existing file is left exactly as it is.
const QString& createPrivately(const QString& path)
{
    if (path != QStringLiteral(":memory:")) {
        const QByteArray native = QFile::encodeName(path);
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
    }
    return path;
}

QList<Value> idValues(const QUuid& id)
{
    return {uuidText(id)};
}

} // namespace

QString EntryStore::url(const QString& administrationId)
{
    const QString folder = dataFolder();
    makePrivateFolder(folder);
    const QString name =
        administrationId == QStringLiteral("default")
            ? QStringLiteral("zol.sqlite3")
            : QStringLiteral("zol-") + administrationId + QStringLiteral(".sqlite3");
    return folder + u'/' + name;
}

QString EntryStore::defaultURL()
{
    return url(QStringLiteral("default"));
}

EntryStore::EntryStore(const QString& path, const Clock& clock)
    : m_path(path)
    , m_clock(&clock)
    , m_database(createPrivately(path))
{
    migrate();
}

std::unique_ptr<EntryStore> EntryStore::inMemory(const Clock& clock)
{
    return std::make_unique<EntryStore>(QStringLiteral(":memory:"), clock);
}

EntryStore::~EntryStore() = default;

void EntryStore::keepBackups(std::unique_ptr<StoreBackups> backups)
{
    QMutexLocker lock(&m_mutex);
    m_backups = std::move(backups);
}

void EntryStore::aboutToWrite()
{
    if (m_backups && m_transactionDepth == 0)
        m_backups->beforeChange();
}

void EntryStore::replaceWith(const QString& source)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    {
        SQLiteDatabase from(source, SQLiteDatabase::Mode::readOnly);
        m_database.copyFrom(from);
    }
    migrate();
    ++m_projectsRevision;
}

double EntryStore::now() const
{
    return secondsSince1970(m_clock->now());
}

QList<TimeEntry> EntryStore::queryEntries(const QString& clause, const QList<Value>& values,
                                          qsizetype expected)
{
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("SELECT ") + EntryRows::columns + clause, values);
    QList<TimeEntry> result;
    result.reserve(expected);
    while (statement.step())
        result.append(EntryRows::decode(statement));
    return result;
}

std::optional<TimeEntry> EntryStore::entry(const QUuid& id)
{
    QMutexLocker lock(&m_mutex);
    const QList<TimeEntry> found = queryEntries(
        QStringLiteral(" FROM entries WHERE id = ?1 AND deleted_at IS NULL;"), idValues(id));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

std::optional<TimeEntry> EntryStore::openEntry()
{
    QMutexLocker lock(&m_mutex);
    const QList<TimeEntry> found =
        queryEntries(QStringLiteral(" FROM entries WHERE ended_at IS NULL AND deleted_at IS NULL "
                                    "ORDER BY started_at DESC LIMIT 1;"),
                     {});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<TimeEntry> EntryStore::recentEntries(int limit, int skip)
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(QStringLiteral(" FROM entries WHERE deleted_at IS NULL "
                                       "ORDER BY started_at DESC LIMIT ?1 OFFSET ?2;"),
                        {qint64(limit), qint64(skip)}, std::min(limit, 1000));
}

QList<TimeEntry> EntryStore::entries(QDate day, const Calendar& calendar)
{
    QMutexLocker lock(&m_mutex);
    const QDateTime start = calendar.startOfDay(day);
    const QDateTime end = calendar.startOfDay(day.addDays(1));
    return queryEntries(
        QStringLiteral(" FROM entries\n"
                       "WHERE started_at >= ?1 AND started_at < ?2 AND deleted_at IS NULL\n"
                       "ORDER BY started_at ASC;"),
        {EntryRows::time(start), EntryRows::time(end)});
}

QList<TimeEntry> EntryStore::entries(const QDateTime& from, const QDateTime& to)
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(
        QStringLiteral(" FROM entries\n"
                       "WHERE started_at >= ?1 AND started_at < ?2 AND deleted_at IS NULL\n"
                       "ORDER BY started_at DESC;"),
        {EntryRows::time(from), EntryRows::time(to)});
}

QList<TimeEntry> EntryStore::entriesNotUploaded()
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(
        QStringLiteral(" FROM entries\n"
                       "WHERE ended_at IS NOT NULL AND deleted_at IS NULL AND uploaded_at IS NULL\n"
                       "ORDER BY started_at ASC;"),
        {});
}

QList<TimeEntry> EntryStore::entriesNeedingUpload()
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(
        QStringLiteral(
            " FROM entries\n"
            "WHERE ended_at IS NOT NULL\n"
            "  AND (\n"
            "    (deleted_at IS NULL AND (uploaded_at IS NULL OR updated_at > uploaded_at))\n"
            "    OR (deleted_at IS NOT NULL AND uploaded_at IS NOT NULL)\n"
            "  )\n"
            "ORDER BY started_at ASC;"),
        {});
}

QList<TimeEntry> EntryStore::deletedEntries(const QDateTime& from, const QDateTime& to)
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(QStringLiteral(" FROM entries\n"
                                       "WHERE deleted_at IS NOT NULL AND uploaded_at IS NOT NULL\n"
                                       "  AND started_at >= ?1 AND started_at <= ?2;"),
                        {EntryRows::time(from), EntryRows::time(to)});
}

QList<TimeEntry> EntryStore::deletedEntries(int limit)
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(QStringLiteral(" FROM entries\n"
                                       "WHERE deleted_at IS NOT NULL\n"
                                       "ORDER BY deleted_at DESC LIMIT ?1;"),
                        {qint64(limit)});
}

QList<TimeEntry> EntryStore::entriesChanged(const QDateTime& since, int limit)
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(QStringLiteral(" FROM entries\n"
                                       "WHERE updated_at > ?1\n"
                                       "ORDER BY updated_at ASC LIMIT ?2;"),
                        {EntryRows::time(since), qint64(limit)});
}

QList<TimeEntry> EntryStore::overlaps(const TimeEntry& entry)
{
    if (!entry.endedAt)
        return {};
    QMutexLocker lock(&m_mutex);
    return queryEntries(
        QStringLiteral(" FROM entries\n"
                       "WHERE id != ?1\n"
                       "  AND deleted_at IS NULL\n"
                       "  AND ended_at IS NOT NULL\n"
                       "  AND started_at < ?3\n"
                       "  AND ended_at > ?2\n"
                       "ORDER BY started_at ASC;"),
        {uuidText(entry.id), EntryRows::time(entry.startedAt), EntryRows::time(*entry.endedAt)});
}

QList<TimeEntry> EntryStore::liveSessionsWithin(const QUuid& entry, const QDateTime& from,
                                                const QDateTime& to)
{
    QMutexLocker lock(&m_mutex);
    return queryEntries(QStringLiteral(" FROM entries\n"
                                       "WHERE id != ?1\n"
                                       "  AND deleted_at IS NULL\n"
                                       "  AND started_at < ?3\n"
                                       "  AND COALESCE(ended_at, ?4) > ?2\n"
                                       "ORDER BY started_at ASC;"),
                        {uuidText(entry), EntryRows::time(from), EntryRows::time(to), now()});
}

QList<TimeEntry> EntryStore::entriesWithIdPrefix(QStringView prefix, bool deleted, int limit)
{
    const QString from = prefix.toString().toUpper();
    // Ids are ASCII: every id that begins with the prefix sorts below it
    // followed by DEL.
    const QString to = from + QChar(0x7f);
    QMutexLocker lock(&m_mutex);
    return queryEntries(
        QStringLiteral(" FROM entries WHERE id >= ?1 AND id < ?2 AND deleted_at IS ") +
            (deleted ? QStringLiteral("NOT NULL") : QStringLiteral("NULL")) +
            QStringLiteral(" ORDER BY id LIMIT ?3;"),
        {from, to, qint64(limit)});
}

QList<QDate> EntryStore::trackedDays(const Calendar& calendar)
{
    QMutexLocker lock(&m_mutex);
    SQLiteDatabase::Statement statement = m_database.prepare(QStringLiteral(
        "SELECT started_at FROM entries WHERE deleted_at IS NULL ORDER BY started_at DESC;"));
    QList<QDate> days;
    QSet<QDate> seen;
    while (statement.step()) {
        const QDate day = calendar.day(fromSecondsSince1970(statement.real(0)));
        if (!seen.contains(day)) {
            seen.insert(day);
            days.append(day);
        }
    }
    return days;
}

QList<TimeEntry> EntryStore::search(QStringView query, SearchRange range, const QDateTime& now,
                                    int limit, const Calendar& calendar,
                                    const std::function<bool()>& abandoned)
{
    if (query.trimmed().isEmpty() || limit <= 0)
        return {};
    // A query of marks alone folds to nothing and so matches every session.
    const QString folded = fold(query);
    const std::optional<QDateTime> start = range.start(now, calendar);

    // Over all time and without a limit the table is read in its own order,
    // several times quicker than walking the index of start times and looking
    // up every row from it, and the matches are put in order after: newest
    // first, sessions that started together in the order the index keeps
    // them (the table's). Otherwise the index gives them in order, from the
    // range's start, and the search stops at `limit`.
    const bool wholeTable = !start && limit == std::numeric_limits<int>::max();
    QMutexLocker lock(&m_mutex);
    SQLiteDatabase::Statement statement = m_database.prepare(
        QStringLiteral("SELECT ") + EntryRows::columns +
            QStringLiteral(" FROM entries\n"
                           "WHERE deleted_at IS NULL\n"
                           "  AND (?1 IS NULL OR started_at >= ?1)") +
            (wholeTable ? QStringLiteral(";") : QStringLiteral("\nORDER BY started_at DESC;")),
        {EntryRows::time(start)});
    FoldedMatcher contains(folded);
    QList<TimeEntry> found;
    std::vector<std::pair<double, qsizetype>> order;
    for (qint64 row = 0; statement.step(); ++row) {
        if (abandoned && row % 256 == 0 && abandoned())
            break;
        // Match on the five searched fields as stored; decode only the hits.
        using namespace EntryRows;
        if (!folded.isEmpty() &&
            !TimeEntry::matchesFields(statement.integer(isInternal) != 0,
                                      statement.utf8(projectSerial), statement.utf8(clientName),
                                      statement.utf8(projectName), statement.utf8(note),
                                      statement.utf8(machineName), contains))
            continue;
        if (wholeTable)
            order.emplace_back(statement.real(EntryRows::startedAt), found.size());
        found.append(decode(statement));
        if (found.size() >= limit)
            break;
    }
    if (!wholeTable)
        return found;
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<TimeEntry> sorted;
    sorted.reserve(found.size());
    for (const auto& [startedAt, index] : order)
        sorted.append(std::move(found[index]));
    return sorted;
}

qint64 EntryStore::dataVersion()
{
    QMutexLocker lock(&m_mutex);
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("PRAGMA data_version;"));
    return statement.step() ? statement.integer(0) : 0;
}

TimeEntry EntryStore::save(const TimeEntry& entry)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    SQLiteDatabase::Statement statement =
        m_database.prepare(EntryRows::upsertReturningRow, EntryRows::encode(entry, now()));
    statement.step();
    TimeEntry stored = EntryRows::decode(statement);
    // Stepped to its end, where a write outside a transaction is committed:
    // a failure to commit is thrown here, not lost in finalising.
    while (statement.step()) {
    }
    return stored;
}

qint64 EntryStore::rowsWritten() const
{
    return m_database.totalChanges();
}

void EntryStore::deleteEntry(const QUuid& id)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    m_database.run(
        QStringLiteral("UPDATE entries SET deleted_at = ?1, updated_at = ?1 WHERE id = ?2;"),
        {now(), uuidText(id)});
}

QList<TimeEntry> EntryStore::restore(const QUuid& id)
{
    return transaction([&]() -> QList<TimeEntry> {
        const QList<TimeEntry> deleted =
            queryEntries(QStringLiteral(" FROM entries WHERE id = ?1 AND deleted_at IS NOT NULL;"),
                         idValues(id));
        if (deleted.isEmpty())
            return {};
        const TimeEntry& entry = deleted.first();
        // Sessions in the bin are finished (a discard ends them); one that is
        // not would restore as a second running timer, which the books refuse.
        const QDateTime end = entry.endedAt.value_or(m_clock->now());
        QList<TimeEntry> conflicts = liveSessionsWithin(id, entry.startedAt, end);
        if (!conflicts.isEmpty())
            return conflicts;
        m_database.run(
            QStringLiteral("UPDATE entries SET deleted_at = NULL, updated_at = ?1 WHERE id = ?2;"),
            {now(), uuidText(id)});
        return {};
    });
}

void EntryStore::purge(const QUuid& id)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    m_database.run(QStringLiteral("DELETE FROM entries WHERE id = ?1;"), idValues(id));
}

void EntryStore::purgeDeleted(const QDateTime& cutOff)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    m_database.run(
        QStringLiteral("DELETE FROM entries WHERE deleted_at IS NOT NULL AND deleted_at < ?1;"),
        {EntryRows::time(cutOff)});
    if (m_database.changes() > 0 && m_transactionDepth == 0)
        m_database.forgetDeletedContent();
}

void EntryStore::markUploaded(const QList<QUuid>& ids, const QDateTime& at)
{
    if (ids.isEmpty())
        return;
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        for (const QUuid& id : ids) {
            m_database.run(
                QStringLiteral(
                    "UPDATE entries SET uploaded_at = ?1, updated_at = ?1 WHERE id = ?2;"),
                {EntryRows::time(at), uuidText(id)});
        }
    });
}

int EntryStore::markUploadedIfUnchanged(const QList<TimeEntry>& asWritten, const QDateTime& at)
{
    if (asWritten.isEmpty())
        return 0;
    QMutexLocker lock(&m_mutex);
    return transaction([&] {
        int marked = 0;
        for (const TimeEntry& entry : asWritten) {
            // Stored times are REAL seconds; half a millisecond tells copies apart.
            m_database.run(
                QStringLiteral("UPDATE entries SET uploaded_at = ?1, updated_at = ?1 "
                               "WHERE id = ?2 AND abs(updated_at - ?3) < 0.0005;"),
                {EntryRows::time(at), uuidText(entry.id), EntryRows::time(entry.updatedAt)});
            marked += int(m_database.changes());
        }
        return marked;
    });
}

void EntryStore::clearUploaded(const QList<QUuid>& ids)
{
    if (ids.isEmpty())
        return;
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        for (const QUuid& id : ids) {
            m_database.run(QStringLiteral("UPDATE entries SET uploaded_at = NULL WHERE id = ?1;"),
                           idValues(id));
        }
    });
}

void EntryStore::writeTransaction(const std::function<void()>& body)
{
    transaction(body);
}

void EntryStore::eraseEverything()
{
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        m_database.run(QStringLiteral("DELETE FROM entries;"));
        m_database.run(QStringLiteral("DELETE FROM projects;"));
        m_database.run(QStringLiteral("DELETE FROM meta WHERE key IN (?1, ?2);"),
                       {QStringLiteral("tasks"), QStringLiteral("upload.revisits")});
    });
    if (m_transactionDepth == 0)
        m_database.forgetDeletedContent();
    ++m_projectsRevision;
}

TaskList EntryStore::readTaskList()
{
    SQLiteDatabase::Statement statement = m_database.prepare(
        QStringLiteral("SELECT value FROM meta WHERE key = ?1;"), {QStringLiteral("tasks")});
    if (!statement.step())
        return TaskList();
    return TaskList::fromJson(statement.text(0).toUtf8()).value_or(TaskList());
}

void EntryStore::writeTaskList(const TaskList& list)
{
    m_database.run(QStringLiteral("INSERT INTO meta (key, value) VALUES (?1, ?2)\n"
                                  "ON CONFLICT(key) DO UPDATE SET value = excluded.value;"),
                   {QStringLiteral("tasks"), QString::fromUtf8(list.toJson())});
}

TaskList EntryStore::taskList()
{
    QMutexLocker lock(&m_mutex);
    return readTaskList();
}

void EntryStore::saveTaskList(const TaskList& list)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    writeTaskList(list);
}

bool EntryStore::mergeTaskList(const TaskList& incoming)
{
    QMutexLocker lock(&m_mutex);
    // Read and write under one write lock, so that another process saving its
    // own list in between cannot be overwritten by an older one.
    return transaction([&] {
        if (incoming.updatedAt() <= readTaskList().updatedAt())
            return false;
        writeTaskList(incoming);
        return true;
    });
}

} // namespace zol
