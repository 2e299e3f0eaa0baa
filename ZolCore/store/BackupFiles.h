#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace zol {

// The backup files of one database in the backups folder
// ($XDG_DATA_HOME/Zol/backups). For the database "zol.sqlite3":
//   zol-2026-12-06.sqlite3                          the day's backup
//   zol-2026-12-06-before-restore-140312.sqlite3    the books as they were
//   zol-2026-12-06-before-empty-140312.sqlite3      before a restore or emptying
// Only names of this shape for this database are ever listed or deleted;
// "zol-<id>-…" files of other books never match "zol-<date>…".
class BackupFiles
{
public:
    enum class Kind { daily, beforeRestore, beforeEmptying };

    struct Backup
    {
        QString path;
        Kind kind = Kind::daily;
        // The local day in its name.
        QDate date;
        // The time in the name of a copy saved before a restore or an
        // emptying; invalid for a daily backup.
        QTime time;
        qint64 bytes = 0;
        // When the file was written (its modification time), in UTC.
        QDateTime written;
    };

    explicit BackupFiles(const QString& databasePath, QString folder = defaultFolder());

    static QString defaultFolder();

    const QString& folder() const { return m_folder; }
    // The database's file name without ".sqlite3": "zol", "zol-<id>".
    const QString& databaseName() const { return m_name; }

    QString dailyPath(QDate day) const;
    // The copy saved at `localTime` (the person's wall-clock time) before a
    // restore or an emptying.
    QString snapshotPath(Kind kind, const QDateTime& localTime) const;

    // Every backup of this database, newest first (by day, then by time
    // written).
    QList<Backup> list() const;
    std::optional<Backup> daily(QDate day) const;

    // Deletes the daily backups BackupRetention lets go on `today`, and the
    // copies saved before a restore or an emptying once past the recent
    // days. Returns how many files went; a file that cannot be deleted stays
    // (and is tried again next time).
    int prune(QDate today) const;

private:
    QString m_folder;
    QString m_name;
};

} // namespace zol
