#include "store/EntryStore.h"

#include "store/EntryRows.h"
#include "store/EntryStoreTransaction.h"

#include <QHash>

namespace zol {

namespace {

const QString schema = QStringLiteral(R"SQL(
CREATE TABLE IF NOT EXISTS entries (
    id TEXT PRIMARY KEY NOT NULL,
    machine_name TEXT NOT NULL,
    started_at REAL NOT NULL,
    ended_at REAL,
    paused_at REAL,
    paused_seconds REAL NOT NULL DEFAULT 0,
    project_serial TEXT NOT NULL,
    project_name TEXT NOT NULL,
    client_name TEXT NOT NULL DEFAULT '',
    note TEXT NOT NULL DEFAULT '',
    task TEXT NOT NULL DEFAULT '',
    is_internal INTEGER NOT NULL DEFAULT 0,
    uploaded_at REAL,
    created_at REAL NOT NULL,
    updated_at REAL NOT NULL,
    deleted_at REAL
);
CREATE INDEX IF NOT EXISTS entries_started_at ON entries (started_at DESC);
CREATE TABLE IF NOT EXISTS projects (
    serial TEXT PRIMARY KEY NOT NULL,
    name TEXT NOT NULL,
    client_name TEXT NOT NULL DEFAULT '',
    is_active INTEGER NOT NULL DEFAULT 1,
    updated_at REAL NOT NULL DEFAULT 0,
    created_at REAL NOT NULL DEFAULT 0,
    is_manual INTEGER NOT NULL DEFAULT 0,
    number_key TEXT
);
CREATE TABLE IF NOT EXISTS meta (
    key TEXT PRIMARY KEY NOT NULL,
    value TEXT NOT NULL
);
)SQL");

} // namespace

bool EntryStore::exists(const QString& sql)
{
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("SELECT EXISTS (") + sql + QStringLiteral(");"));
    return statement.step() && statement.integer(0) != 0;
}

QStringList EntryStore::columnNames(const QString& table)
{
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("PRAGMA table_info(") + table + QStringLiteral(");"));
    QStringList names;
    while (statement.step())
        names.append(statement.text(1));
    return names;
}

// The shape of the books this code writes, kept in the file's user_version
// once a file has it. Raise it whenever upgradeSchema() learns a new step, so
// that every file takes that step once.
constexpr qint64 currentSchema = 3;

qint64 EntryStore::schemaVersion()
{
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("PRAGMA user_version;"));
    return statement.step() ? statement.integer(0) : 0;
}

// Runs on every open, with no transaction around it. A file of the current
// shape skips the schema steps (two dozen statements that every command would
// otherwise compile) and only has its rows checked; an older one is brought
// up to date first. Each step is idempotent, so an upgrade interrupted
// part-way completes on the next open, and a file that is already current is
// only read: every write below is asked for first, so that opening the books
// never waits for the write lock another process holds.
void EntryStore::migrate()
{
    QMutexLocker lock(&m_mutex);
    const qint64 version = schemaVersion();
    if (version < currentSchema)
        upgradeSchema(version);
    normaliseRows();
}

// What older programs may still write, asked on every open in one statement
// through indexes that hold exactly the rows concerned, so that asking costs
// the same however long the history.
void EntryStore::normaliseRows()
{
    bool unmarkedInternal = false;
    bool unkeyedProjects = false;
    bool undatedProjects = false;
    bool openInBin = false;
    {
        SQLiteDatabase::Statement ask = m_database.prepare(
            QStringLiteral("SELECT EXISTS (SELECT 1 FROM entries\n"
                           "               WHERE is_internal = 0 AND TRIM(project_serial) = ''),\n"
                           "       EXISTS (SELECT 1 FROM projects WHERE number_key IS NULL),\n"
                           "       EXISTS (SELECT 1 FROM projects WHERE updated_at <= 0),\n"
                           "       EXISTS (SELECT 1 FROM entries\n"
                           "               WHERE ended_at IS NULL AND deleted_at IS NOT NULL);"));
        if (ask.step()) {
            unmarkedInternal = ask.integer(0) != 0;
            unkeyedProjects = ask.integer(1) != 0;
            undatedProjects = ask.integer(2) != 0;
            openInBin = ask.integer(3) != 0;
        }
    }

    // A session without a project number is internal work.
    if (unmarkedInternal)
        m_database.execute(QStringLiteral("UPDATE entries SET is_internal = 1\n"
                                          "WHERE is_internal = 0 AND TRIM(project_serial) = '';"));

    // A project written by a program that knew no number keys.
    if (unkeyedProjects)
        transaction([&] { keyProjects(); });

    if (undatedProjects)
        m_database.run(QStringLiteral("UPDATE projects SET updated_at = ?1 WHERE updated_at <= 0;"),
                       {now()});

    // A session in the bin without an end was discarded while it ran; a
    // restore would bring it back as a second timer.
    if (openInBin)
        transaction([&] { repairOpenSessions(); });
}

void EntryStore::upgradeSchema(qint64 version)
{
    m_database.execute(schema);

    const QStringList entryColumns = columnNames(QStringLiteral("entries"));
    const std::pair<const char*, const char*> addedEntryColumns[] = {
        {"paused_at", "ALTER TABLE entries ADD COLUMN paused_at REAL;"},
        {"paused_seconds",
         "ALTER TABLE entries ADD COLUMN paused_seconds REAL NOT NULL DEFAULT 0;"},
        {"deleted_at", "ALTER TABLE entries ADD COLUMN deleted_at REAL;"},
        {"uploaded_at", "ALTER TABLE entries ADD COLUMN uploaded_at REAL;"},
        {"task", "ALTER TABLE entries ADD COLUMN task TEXT NOT NULL DEFAULT '';"},
    };
    for (const auto& [column, sql] : addedEntryColumns) {
        if (!entryColumns.contains(QLatin1StringView(column)))
            m_database.execute(QString::fromLatin1(sql));
    }

    if (!columnNames(QStringLiteral("projects")).contains(QStringLiteral("created_at")))
        m_database.execute(
            QStringLiteral("ALTER TABLE projects ADD COLUMN created_at REAL NOT NULL DEFAULT 0;"));

    // Older books kept internal work under pseudo-projects numbered "INT:…".
    if (!entryColumns.contains(QStringLiteral("is_internal"))) {
        m_database.execute(QStringLiteral(
            "ALTER TABLE entries ADD COLUMN is_internal INTEGER NOT NULL DEFAULT 0;"));
        m_database.run(QStringLiteral("UPDATE entries SET is_internal = 1, project_serial = ''\n"
                                      "WHERE project_serial LIKE ?1;"),
                       {QStringLiteral("INT:%")});
        m_database.run(QStringLiteral("DELETE FROM projects WHERE serial LIKE ?1;"),
                       {QStringLiteral("INT:%")});
    }

    // The sessions without a project number, which every open asks for.
    m_database.execute(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS entries_unmarked_internal ON entries (is_internal)\n"
        "WHERE is_internal = 0 AND TRIM(project_serial) = '';"));

    // Finished sessions under the minute are soft-deleted once, when a file
    // first reaches version 1; never again after that.
    if (version < 1) {
        m_database.run(QStringLiteral("UPDATE entries SET deleted_at = ?1, updated_at = ?1\n"
                                      "WHERE deleted_at IS NULL AND ended_at IS NOT NULL\n"
                                      "  AND (ended_at - started_at - paused_seconds) < 60;"),
                       {now()});
        m_database.execute(QStringLiteral("PRAGMA user_version = 1;"));
    }

    if (exists(QStringLiteral(
            "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = 'entries_sync_state'")))
        m_database.execute(QStringLiteral("DROP INDEX IF EXISTS entries_sync_state;"));

    for (const char* obsolete : {"sync_state", "sync_error", "remote_serial"}) {
        if (!entryColumns.contains(QLatin1StringView(obsolete)))
            continue;
        try {
            m_database.execute(QStringLiteral("ALTER TABLE entries DROP COLUMN ") +
                               QLatin1StringView(obsolete) + u';');
        } catch (const SQLiteDatabase::Error&) {
            // Harmless to keep: nothing reads it.
        }
    }

    m_database.execute(
        QStringLiteral("CREATE INDEX IF NOT EXISTS entries_uploaded ON entries (uploaded_at);"));

    if (!columnNames(QStringLiteral("projects")).contains(QStringLiteral("updated_at")))
        m_database.execute(
            QStringLiteral("ALTER TABLE projects ADD COLUMN updated_at REAL NOT NULL DEFAULT 0;"));

    // Finding the running session is the first thing every start does. Without
    // this index, asking while nothing runs walks the whole history.
    m_database.execute(
        QStringLiteral("CREATE INDEX IF NOT EXISTS entries_open ON entries (started_at DESC)\n"
                       "WHERE ended_at IS NULL AND deleted_at IS NULL;"));
    // The bin, listed by when its sessions were deleted, and the sessions in
    // it without an end (asked on every open): each an index of its own few
    // rows, so neither read walks the history.
    m_database.execute(
        QStringLiteral("CREATE INDEX IF NOT EXISTS entries_deleted ON entries (deleted_at)\n"
                       "WHERE deleted_at IS NOT NULL;"));
    m_database.execute(
        QStringLiteral("CREATE INDEX IF NOT EXISTS entries_discarded_open ON entries (deleted_at)\n"
                       "WHERE ended_at IS NULL AND deleted_at IS NOT NULL;"));

    keepOneOpenSession();

    // Numbers are one project however they are spelled; books from before the
    // rule may hold twins, made one before the rule is laid down.
    if (!columnNames(QStringLiteral("projects")).contains(QStringLiteral("number_key")))
        m_database.execute(QStringLiteral("ALTER TABLE projects ADD COLUMN number_key TEXT;"));
    if (!exists(QStringLiteral(
            "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = 'projects_number_key'"))) {
        transaction([&] {
            keyProjects();
            m_database.execute(QStringLiteral(
                "CREATE UNIQUE INDEX projects_number_key ON projects (number_key);\n"
                "CREATE INDEX IF NOT EXISTS projects_unkeyed ON projects (number_key)\n"
                "WHERE number_key IS NULL;"));
        });
    }

    m_database.execute(QStringLiteral("PRAGMA user_version = %1;").arg(currentSchema));
}

// The books hold at most one open session, and the database itself keeps it
// so: a unique index over the one value every open, live row shares. Books
// written before the rule may break it (processes starting at once); they are
// repaired first, in the transaction that creates the rule.
void EntryStore::keepOneOpenSession()
{
    if (exists(QStringLiteral(
            "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = 'entries_one_open'")))
        return;
    transaction([&] {
        repairOpenSessions();
        m_database.execute(QStringLiteral(
            "CREATE UNIQUE INDEX IF NOT EXISTS entries_one_open ON entries ((ended_at IS NULL))\n"
            "WHERE ended_at IS NULL AND deleted_at IS NULL;"));
    });
}

void EntryStore::keyProjects()
{
    SQLiteDatabase::Statement read = m_database.prepare(
        QStringLiteral("SELECT ") + EntryRows::projectColumns +
        QStringLiteral(", is_manual, number_key FROM projects ORDER BY serial;"));
    struct Row
    {
        Project project;
        bool isManual;
        bool isKeyed;
    };
    QHash<QString, QList<Row>> byKey;
    while (read.step()) {
        Project project = EntryRows::decodeProject(read);
        const QString key = project.numberKey();
        const bool isKeyed = !read.isNull(7) && read.text(7) == key;
        byKey[key].append(Row{std::move(project), read.integer(6) != 0, isKeyed});
    }

    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        const QList<Row>& twins = it.value();
        qsizetype kept = 0;
        for (qsizetype i = 1; i < twins.size(); ++i) {
            if (twins.at(i).project.prevailsOver(twins.at(kept).project))
                kept = i;
        }
        const Row& keeper = twins.at(kept);
        bool isManual = keeper.isManual;
        for (qsizetype i = 0; i < twins.size(); ++i) {
            if (i == kept)
                continue;
            isManual = isManual || twins.at(i).isManual;
            m_database.run(QStringLiteral("DELETE FROM projects WHERE serial = ?1;"),
                           {twins.at(i).project.serial});
            respellSessions(twins.at(i).project.serial, keeper.project.serial);
        }
        if (twins.size() > 1 || !keeper.isKeyed)
            m_database.run(QStringLiteral("UPDATE projects SET number_key = ?1, is_manual = ?2\n"
                                          "WHERE serial = ?3;"),
                           {it.key(), qint64(isManual ? 1 : 0), keeper.project.serial});
    }
}

void EntryStore::repairOpenSessions()
{
    // A session in the bin without an end was discarded while it ran: it
    // ended when it was discarded, or where its pause began.
    m_database.run(
        QStringLiteral(
            "UPDATE entries\n"
            "SET ended_at = MAX(started_at, COALESCE(paused_at, deleted_at)), paused_at = NULL,\n"
            "    updated_at = ?1\n"
            "WHERE ended_at IS NULL AND deleted_at IS NOT NULL;"),
        {now()});

    // Of several open sessions the newest stays open; each older one ends
    // where the next one began (or where its own pause began, if earlier).
    const QList<TimeEntry> open =
        queryEntries(QStringLiteral(" FROM entries WHERE ended_at IS NULL AND deleted_at IS NULL\n"
                                    "ORDER BY started_at ASC, id ASC;"),
                     {});
    for (qsizetype i = 0; i + 1 < open.size(); ++i) {
        TimeEntry older = open.at(i);
        const QDateTime cut = open.at(i + 1).startedAt;
        if (older.pausedAt && *older.pausedAt >= cut)
            older.pausedAt.reset();
        older.stop(cut);
        m_database.run(EntryRows::upsert, EntryRows::encode(older, now()));
    }
}

} // namespace zol
