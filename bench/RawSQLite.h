#pragma once

// A bare SQLite connection and statement, used the way a program calling the C
// API directly would: the baselines the store's figures are compared with.
// Failures throw zol::Error with the library's message.

#include "support/Error.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

namespace zol::bench {

class RawStatement
{
public:
    RawStatement(sqlite3* db, const QByteArray& sql)
    {
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_statement, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(m_statement);
            throw Error(QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral(" — in: ") +
                        QString::fromUtf8(sql));
        }
    }
    ~RawStatement() { sqlite3_finalize(m_statement); }
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;

    sqlite3_stmt* get() const { return m_statement; }

private:
    sqlite3_stmt* m_statement = nullptr;
};

class RawDatabase
{
public:
    explicit RawDatabase(const QString& path)
    {
        const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc != SQLITE_OK) {
            const QString reason = QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_close_v2(m_db);
            throw Error(QStringLiteral("Could not open ") + path + QStringLiteral(": ") + reason);
        }
    }
    ~RawDatabase() { sqlite3_close_v2(m_db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    sqlite3* handle() const { return m_db; }

    void execute(const QByteArray& sql)
    {
        if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw Error(QString::fromUtf8(sqlite3_errmsg(m_db)) + QStringLiteral(" — in: ") +
                        QString::fromUtf8(sql));
    }

    // Steps until done; any other result throws.
    void finish(sqlite3_stmt* statement)
    {
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW)
            rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE)
            throw Error(QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

private:
    sqlite3* m_db = nullptr;
};

} // namespace zol::bench
