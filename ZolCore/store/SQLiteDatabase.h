#pragma once

#include "support/Error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstddef>
#include <memory>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

namespace zol {

// A thin owner of one SQLite connection, opened in serialized mode with WAL
// journaling, foreign keys on and a 3-second busy timeout. Every failure is
// thrown as SQLiteDatabase::Error carrying SQLite's own message.
class SQLiteDatabase
{
public:
    class Error final : public ErrorOf<Error>
    {
    public:
        // `code` is SQLite's primary result code; 0 when the library gave none.
        explicit Error(QString message, int code = 0);

        int code() const { return m_code; }
        // Another connection held the lock for longer than the busy timeout:
        // the books are in use, not broken.
        bool isBusy() const;

    private:
        int m_code = 0;
    };

    // A bound parameter: integer, real, text or NULL.
    using Value = std::variant<qint64, double, QString, std::nullptr_t>;

    class StatementCache;

    // A compiled statement with its parameters bound. When it goes out of
    // scope it is reset (ending any read it had begun) and kept by its
    // connection for the next prepare() of the same text, so a process
    // compiles each statement once. Columns are read by position.
    class Statement
    {
    public:
        Statement(Statement&& other) noexcept;
        Statement& operator=(Statement&&) = delete;
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        ~Statement();

        // Steps once: true when a row is ready, false when done. Any other
        // result throws the library's message.
        bool step();
        // Makes the statement ready to run again with other values, without
        // compiling it again: for the same statement over many rows.
        void rebind(const QList<Value>& values);

        bool isNull(int column) const;
        qint64 integer(int column) const;
        double real(int column) const;
        // NULL reads as empty text.
        QString text(int column) const;
        // The column's UTF-8 as stored, valid until the next step: for looking
        // at text without making a QString of it.
        QByteArrayView utf8(int column) const;

    private:
        friend class SQLiteDatabase;
        Statement(sqlite3* db, sqlite3_stmt* statement, std::shared_ptr<StatementCache> cache,
                  QByteArray sql);
        void bind(const QList<Value>& values);

        sqlite3* m_db;
        sqlite3_stmt* m_statement;
        std::shared_ptr<StatementCache> m_cache;
        QByteArray m_sql;
    };

    // How a connection is opened.
    enum class Mode {
        // The books: read-write, created when missing, WAL, durable commits.
        books,
        // Reading only, never creating; nothing about the file is changed.
        // `path` may be a "file:" URI.
        readOnly,
        // A file being written whole by copyFrom() and then renamed into
        // place: created, no journal, no syncs of its own (the writer syncs
        // the finished file once).
        scratch,
    };

    // Opens (creating if missing) the database at `path`; ":memory:" opens one
    // that lives in memory only. Throws "Could not open PATH: reason", or the
    // message of the first pragma that fails. The busy timeout is set before
    // anything else, so that another process writing makes this one wait
    // rather than fail.
    explicit SQLiteDatabase(const QString& path, Mode mode = Mode::books);
    ~SQLiteDatabase();
    SQLiteDatabase(const SQLiteDatabase&) = delete;
    SQLiteDatabase& operator=(const SQLiteDatabase&) = delete;

    // Runs a script of one or more statements without parameters.
    void execute(const QString& sql);
    // Prepares one statement, binds `values` to ?1, ?2, … and steps it once.
    void run(const QString& sql, const QList<Value>& values = {});
    // Compiles one statement, or takes the one compiled from the same text
    // before, and binds value i to parameter i + 1. A compile error reads
    // "<library message> — in: <sql>".
    Statement prepare(const QString& sql, const QList<Value>& values = {});

    // Rows changed by the most recent INSERT, UPDATE or DELETE.
    qint64 changes() const;
    // Rows changed by every INSERT, UPDATE or DELETE of this connection.
    qint64 totalChanges() const;

    // Replaces this database's content with `source`'s, page by page, in one
    // write transaction (SQLite's online backup): other connections to this
    // file see it as one ordinary commit. Reads `source` in its current read
    // transaction when it has one open, so the copy is that snapshot. Throws
    // the library's message; on failure this database is left as it was.
    void copyFrom(SQLiteDatabase& source);

    // Folds the write-ahead log into the database and empties it, so that
    // what was just deleted (zeroed in the database, as secure_delete is on)
    // leaves the log too. Best effort: while another connection reads, the
    // log stays as it is until a later fold.
    void forgetDeletedContent();

private:
    void foldLongLog();

    struct Close
    {
        void operator()(sqlite3* db) const;
    };
    Mode m_mode;
    std::unique_ptr<sqlite3, Close> m_db;
    std::shared_ptr<StatementCache> m_statements;
};

} // namespace zol
