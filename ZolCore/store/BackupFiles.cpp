#include "store/BackupFiles.h"

#include "store/BackupRetention.h"
#include "support/DataPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace zol {

namespace {

const QString suffix = QStringLiteral(".sqlite3");

QString kindWord(BackupFiles::Kind kind)
{
    return kind == BackupFiles::Kind::beforeRestore ? QStringLiteral("restore")
                                                    : QStringLiteral("empty");
}

} // namespace

BackupFiles::BackupFiles(const QString& databasePath, QString folder)
    : m_folder(std::move(folder))
    , m_name(QFileInfo(databasePath).fileName())
{
    if (m_name.endsWith(suffix))
        m_name.chop(suffix.size());
}

QString BackupFiles::defaultFolder()
{
    return dataFolder() + QStringLiteral("/backups");
}

QString BackupFiles::dailyPath(QDate day) const
{
    return m_folder + u'/' + m_name + u'-' + day.toString(Qt::ISODate) + suffix;
}

QString BackupFiles::snapshotPath(Kind kind, const QDateTime& localTime) const
{
    return m_folder + u'/' + m_name + u'-' + localTime.date().toString(Qt::ISODate) +
           QStringLiteral("-before-") + kindWord(kind) + u'-' +
           QLocale::c().toString(localTime.time(), QStringLiteral("HHmmss")) + suffix;
}

QList<BackupFiles::Backup> BackupFiles::list() const
{
    const QRegularExpression shape(
        QStringLiteral("^") + QRegularExpression::escape(m_name) +
        QStringLiteral("-(\\d{4}-\\d{2}-\\d{2})(?:-before-(restore|empty)-(\\d{6}))?\\.sqlite3$"));
    QList<Backup> found;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        if (file.isSymLink())
            continue;
        const QRegularExpressionMatch match = shape.match(file.fileName());
        if (!match.hasMatch())
            continue;
        Backup backup;
        backup.path = file.absoluteFilePath();
        backup.date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
        if (!backup.date.isValid())
            continue;
        if (match.hasCaptured(2)) {
            backup.kind =
                match.captured(2) == u"restore" ? Kind::beforeRestore : Kind::beforeEmptying;
            backup.time = QTime::fromString(match.captured(3), QStringLiteral("HHmmss"));
            if (!backup.time.isValid())
                continue;
        }
        backup.bytes = file.size();
        backup.written = file.lastModified().toUTC();
        found.append(backup);
    }
    std::sort(found.begin(), found.end(), [](const Backup& a, const Backup& b) {
        if (a.date != b.date)
            return a.date > b.date;
        return a.written > b.written;
    });
    return found;
}

std::optional<BackupFiles::Backup> BackupFiles::daily(QDate day) const
{
    for (const Backup& backup : list()) {
        if (backup.kind == Kind::daily && backup.date == day)
            return backup;
    }
    return std::nullopt;
}

int BackupFiles::prune(QDate today) const
{
    const QList<Backup> backups = list();
    QList<QDate> dailies;
    for (const Backup& backup : backups) {
        if (backup.kind == Kind::daily)
            dailies.append(backup.date);
    }
    const QList<QDate> expired = BackupRetention::expired(dailies, today);
    int removed = 0;
    for (const Backup& backup : backups) {
        const bool goes = backup.kind == Kind::daily
                              ? expired.contains(backup.date)
                              : BackupRetention::snapshotExpired(backup.date, today);
        if (goes && QFile::remove(backup.path))
            ++removed;
    }
    return removed;
}

} // namespace zol
