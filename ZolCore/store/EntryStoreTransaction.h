#pragma once

// The transaction template of EntryStore, shared by its source files.

#include "store/EntryStore.h"

namespace zol {

template <typename Body> auto EntryStore::transaction(Body&& body) -> decltype(body())
{
    QMutexLocker lock(&m_mutex);
    if (m_transactionDepth > 0)
        return body();
    aboutToWrite();
    m_database.run(QStringLiteral("BEGIN IMMEDIATE;"));
    const struct Depth
    {
        int& depth;
        explicit Depth(int& d)
            : depth(++d)
        {}
        ~Depth() { --depth; }
    } depth(m_transactionDepth);
    try {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            m_database.run(QStringLiteral("COMMIT;"));
        } else {
            auto result = body();
            m_database.run(QStringLiteral("COMMIT;"));
            return result;
        }
    } catch (...) {
        try {
            m_database.execute(QStringLiteral("ROLLBACK;"));
        } catch (const SQLiteDatabase::Error&) {
            // The body's error is the one worth reporting.
        }
        throw;
    }
}

} // namespace zol
