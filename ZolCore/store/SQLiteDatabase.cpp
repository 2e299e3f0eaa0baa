#include "store/SQLiteDatabase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

#include <mutex>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::SQLiteDatabase)
};

QString libraryMessage(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The connection's last failure, with its primary result code.
SQLiteDatabase::Error libraryError(sqlite3* db, QString message)
{
    return SQLiteDatabase::Error(std::move(message), sqlite3_errcode(db) & 0xff);
}

SQLiteDatabase::Error libraryError(sqlite3* db)
{
    return libraryError(db, libraryMessage(db));
}

// The library's words for a failure a person can do something about, as a
// sentence that says what.
QString sentenceFor(QString message, int code)
{
    switch (code) {
    case SQLITE_READONLY:
        //: %1 is the database library's own words.
        return Texts::tr("The books cannot be saved: their file is read-only (%1). Check that "
                         "this user may write to Zol's data folder.")
            .arg(message);
    case SQLITE_FULL:
        //: %1 is the database library's own words.
        return Texts::tr("The books cannot be saved: the disk is full (%1). Make room on it and "
                         "try again.")
            .arg(message);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        //: %1 is the database library's own words; “zol backups restore” is a command to type.
        return Texts::tr("The books' file is damaged (%1). A backup can be put back under "
                         "Personal, or with \u201Czol backups restore\u201D.")
            .arg(message);
    default:
        return message;
    }
}

} // namespace

// The statements of one connection that are not in use, by their text. A
// statement comes back here reset and unbound; once the connection is closing
// every one is finalised, and one that comes back later is finalised at once.
class SQLiteDatabase::StatementCache
{
public:
    sqlite3_stmt* take(const QByteArray& sql)
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_idle.find(sql);
        if (found == m_idle.end())
            return nullptr;
        sqlite3_stmt* statement = found.value();
        m_idle.erase(found);
        return statement;
    }

    void giveBack(const QByteArray& sql, sqlite3_stmt* statement)
    {
        sqlite3_reset(statement);
        sqlite3_clear_bindings(statement);
        const std::lock_guard lock(m_mutex);
        // A text in use twice at once keeps one copy; so does a connection
        // that has seen more texts than a process of ours ever runs.
        if (m_closed || m_idle.contains(sql) || m_idle.size() >= maximum) {
            sqlite3_finalize(statement);
            return;
        }
        m_idle.insert(sql, statement);
    }

    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        for (sqlite3_stmt* statement : std::as_const(m_idle))
            sqlite3_finalize(statement);
        m_idle.clear();
    }

private:
    static constexpr qsizetype maximum = 64;
    std::mutex m_mutex;
    QHash<QByteArray, sqlite3_stmt*> m_idle;
    bool m_closed = false;
};

SQLiteDatabase::Error::Error(QString message, int code)
    : ErrorOf(sentenceFor(std::move(message), code))
    , m_code(code)
{}

bool SQLiteDatabase::Error::isBusy() const
{
    return m_code == SQLITE_BUSY || m_code == SQLITE_LOCKED;
}

void SQLiteDatabase::Close::operator()(sqlite3* db) const
{
    // The idle statements are finalised first; v2 tolerates one still in use.
    sqlite3_close_v2(db);
}

SQLiteDatabase::SQLiteDatabase(const QString& path, Mode mode)
    : m_mode(mode)
    , m_statements(std::make_shared<StatementCache>())
{
    sqlite3* raw = nullptr;
    const QByteArray file = path.toUtf8();
    const int access = mode == Mode::readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI
                                              : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(file.constData(), &raw, access | SQLITE_OPEN_FULLMUTEX, nullptr);
    m_db.reset(raw);
    if (rc != SQLITE_OK) {
        const QString reason = raw ? libraryMessage(raw) : Texts::tr("unknown error");
        m_db.reset();
        throw Error(Texts::tr("Could not open %1: %2").arg(path, reason), rc & 0xff);
    }
    // The write-ahead log outlives the connection: folding it into the
    // database whenever a process closes the books would cost every command
    // two more syncs, and the next one two more to start a new log. Any
    // process reads the books whole, log included. (A long log is folded in
    // on closing, below.)
    sqlite3_db_config(raw, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    // First: switching to (or confirming) WAL may itself need the lock that
    // another process holds for a moment.
    sqlite3_busy_timeout(raw, 3000);
    if (mode == Mode::readOnly)
        return;
    if (mode == Mode::scratch) {
        execute(QStringLiteral("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"));
        return;
    }
    execute(QStringLiteral("PRAGMA journal_mode = WAL;"));
    // FULL is SQLite's usual default; say so, so that every commit is durable
    // whatever the platform's library was built with. Deleted rows are
    // overwritten with zeros: a note deleted is gone from the file.
    execute(QStringLiteral(
        "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL; PRAGMA secure_delete = ON;"));
}

SQLiteDatabase::~SQLiteDatabase()
{
    m_statements->close();
    if (m_db && m_mode == Mode::books)
        foldLongLog();
}

// A process that opens the books while no other has them open (the tray app
// usually has) reads the whole log and checks every page of it, some two
// microseconds a page; and only a process that folds the log in and then
// writes again in the same connection starts it afresh, which the short
// commands never do. Left alone, the log of books used from the command line
// alone would grow without end and every command with it. So a log of more
// than about a hundred pages (some seven starts and stops) is folded into the
// database as the connection closes: SQLite does that only when no other
// connection has the books open, and then removes the log. The cost is one
// sync of the database every few commands.
void SQLiteDatabase::foldLongLog()
{
    constexpr qint64 longLogBytes = 100 * 4096;
    const char* database = sqlite3_db_filename(m_db.get(), "main");
    if (database == nullptr || *database == '\0')
        return;
    if (QFileInfo(QString::fromUtf8(database) + QStringLiteral("-wal")).size() <= longLogBytes)
        return;
    sqlite3_db_config(m_db.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
}

void SQLiteDatabase::forgetDeletedContent()
{
    sqlite3_wal_checkpoint_v2(m_db.get(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

void SQLiteDatabase::execute(const QString& sql)
{
    char* message = nullptr;
    const QByteArray script = sql.toUtf8();
    const int rc = sqlite3_exec(m_db.get(), script.constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : libraryMessage(m_db.get());
        sqlite3_free(message);
        throw Error(text, rc & 0xff);
    }
}

void SQLiteDatabase::run(const QString& sql, const QList<Value>& values)
{
    Statement statement = prepare(sql, values);
    statement.step();
}

SQLiteDatabase::Statement SQLiteDatabase::prepare(const QString& sql, const QList<Value>& values)
{
    sqlite3* db = m_db.get();
    QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = m_statements->take(text);
    if (!raw && sqlite3_prepare_v3(db, text.constData(), int(text.size()),
                                   SQLITE_PREPARE_PERSISTENT, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        throw libraryError(db, libraryMessage(db) + QStringLiteral(" \u2014 in: ") + sql);
    }
    Statement statement(db, raw, m_statements, std::move(text));
    statement.bind(values);
    return statement;
}

void SQLiteDatabase::Statement::rebind(const QList<Value>& values)
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    bind(values);
}

void SQLiteDatabase::Statement::bind(const QList<Value>& values)
{
    sqlite3_stmt* raw = m_statement;
    for (int i = 0; i < values.size(); ++i) {
        const int index = i + 1;
        const int rc = std::visit(
            [&](const auto& value) -> int {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, qint64>) {
                    return sqlite3_bind_int64(raw, index, value);
                } else if constexpr (std::is_same_v<T, double>) {
                    return sqlite3_bind_double(raw, index, value);
                } else if constexpr (std::is_same_v<T, QString>) {
                    const QByteArray utf8 = value.toUtf8();
                    return sqlite3_bind_text64(raw, index, utf8.constData(),
                                               sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                               SQLITE_UTF8);
                } else {
                    return sqlite3_bind_null(raw, index);
                }
            },
            values[i]);
        if (rc != SQLITE_OK)
            throw libraryError(m_db); // the statement goes back as it is dropped
    }
}

qint64 SQLiteDatabase::changes() const
{
    return sqlite3_changes64(m_db.get());
}

qint64 SQLiteDatabase::totalChanges() const
{
    return sqlite3_total_changes64(m_db.get());
}

void SQLiteDatabase::copyFrom(SQLiteDatabase& source)
{
    sqlite3* destination = m_db.get();
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source.m_db.get(), "main");
    if (!backup)
        throw libraryError(destination);
    // All pages in one step: the copy is one snapshot and one transaction.
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE) {
        const int code = stepped == SQLITE_OK ? finished : stepped;
        throw Error(QString::fromUtf8(sqlite3_errstr(code)), code & 0xff);
    }
    if (finished != SQLITE_OK)
        throw libraryError(destination);
}

SQLiteDatabase::Statement::Statement(sqlite3* db, sqlite3_stmt* statement,
                                     std::shared_ptr<StatementCache> cache, QByteArray sql)
    : m_db(db)
    , m_statement(statement)
    , m_cache(std::move(cache))
    , m_sql(std::move(sql))
{}

SQLiteDatabase::Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db)
    , m_statement(std::exchange(other.m_statement, nullptr))
    , m_cache(std::move(other.m_cache))
    , m_sql(std::move(other.m_sql))
{}

SQLiteDatabase::Statement::~Statement()
{
    if (m_statement)
        m_cache->giveBack(m_sql, m_statement);
}

bool SQLiteDatabase::Statement::step()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw Error(libraryMessage(m_db), rc & 0xff);
}

bool SQLiteDatabase::Statement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 SQLiteDatabase::Statement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SQLiteDatabase::Statement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QString SQLiteDatabase::Statement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!data)
        return {};
    return QString::fromUtf8(data, sqlite3_column_bytes(m_statement, column));
}

QByteArrayView SQLiteDatabase::Statement::utf8(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!data)
        return {};
    return QByteArrayView(data, sqlite3_column_bytes(m_statement, column));
}

} // namespace zol
