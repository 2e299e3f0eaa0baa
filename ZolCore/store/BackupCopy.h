#pragma once

#include "store/SQLiteDatabase.h"
#include "support/Error.h"

#include <QString>

#include <memory>
#include <optional>

namespace zol {

// A consistent copy of a database file, in two steps. The constructor pins
// the database as it stands: a connection of its own opens a read
// transaction, which takes milliseconds, and from then on writers on other
// connections go ahead (WAL) while this one keeps seeing the pinned state.
// write() then copies that state into a file, on any thread, however long it
// takes.
class BackupCopy
{
public:
    // The copy failed its integrity check: the database it came from is
    // damaged. Nothing was written.
    class Damaged final : public ErrorOf<Damaged>
    {
    public:
        using ErrorOf::ErrorOf;
    };

    // Throws SQLiteDatabase::Error when the file cannot be read.
    explicit BackupCopy(const QString& databasePath);
    ~BackupCopy();
    BackupCopy(const BackupCopy&) = delete;
    BackupCopy& operator=(const BackupCopy&) = delete;

    // Writes the pinned state to `target`, readable by the owner only: into a
    // temporary file beside it, checked (PRAGMA quick_check), synced, then
    // renamed over `target`. A copy that fails the check is thrown as
    // Damaged, any other failure as zol::Error; either way `target` is left
    // as it was and the temporary file is gone. Call once.
    void write(const QString& target);

    // Refuses, with a sentence a person can act on, a file that is not a Zol
    // database in good order: missing, not SQLite, damaged, or without the
    // tables of the books. Returns normally when the file can be restored.
    static void verify(const QString& path);

    // The live sessions in the database at `path`, read without changing
    // anything there; absent when it cannot be read.
    static std::optional<qint64> sessionsIn(const QString& path);

private:
    QString m_source;
    std::unique_ptr<SQLiteDatabase> m_database;
};

} // namespace zol
