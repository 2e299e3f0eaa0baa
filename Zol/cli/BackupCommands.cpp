// The backups of the open books: listing them and restoring one.

#include "CommandLine.h"

#include "AppModel.h"
#include "store/BackupCopy.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"
#include "support/Timestamps.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace zol::cli {

namespace {

QString kindText(BackupFiles::Kind kind)
{
    switch (kind) {
    case BackupFiles::Kind::daily:
        return QStringLiteral("daily");
    case BackupFiles::Kind::beforeRestore:
        return QStringLiteral("before restore");
    case BackupFiles::Kind::beforeEmptying:
        return QStringLiteral("before emptying");
    }
    return {};
}

// The open books' backups, or the refusal printed when they keep none.
const StoreBackups* backupsOf(Invocation& call, int* status)
{
    const StoreBackups* backups = call.model.books().store()->backups();
    if (!backups)
        *status = call.fail(
            QStringLiteral("These books are a temporary database, which has no backups."));
    return backups;
}

int backups(Invocation& call)
{
    int status = succeeded;
    const StoreBackups* backups = backupsOf(call, &status);
    if (!backups)
        return status;
    const QList<BackupFiles::Backup> found = backups->files().list();
    const QString name = call.model.books().administration().name;
    if (call.has(QStringLiteral("json"))) {
        QJsonArray rows;
        for (const BackupFiles::Backup& backup : found) {
            const std::optional<qint64> sessions = BackupCopy::sessionsIn(backup.path);
            rows.append(QJsonObject{
                {QStringLiteral("date"), backup.date.toString(Qt::ISODate)},
                {QStringLiteral("kind"), kindText(backup.kind)},
                {QStringLiteral("written"), iso8601(backup.written)},
                {QStringLiteral("sessions"), sessions ? QJsonValue(*sessions) : QJsonValue()},
                {QStringLiteral("bytes"), backup.bytes},
                {QStringLiteral("file"), backup.path},
            });
        }
        call.out << QJsonDocument(rows).toJson(QJsonDocument::Indented);
        return succeeded;
    }
    if (found.isEmpty()) {
        call.out << name
                 << " has no backups yet. One is taken before the first change of each day.\n";
        return succeeded;
    }
    call.out << "Backups of " << name << " in " << OpenBooks::shownPath(backups->files().folder())
             << ", newest first:\n";
    for (const BackupFiles::Backup& backup : found) {
        const std::optional<qint64> sessions = BackupCopy::sessionsIn(backup.path);
        QString line =
            QStringLiteral("  ") + backup.date.toString(Qt::ISODate) + QStringLiteral("  ");
        line +=
            (sessions ? QLocale::c().toString(*sessions) : QStringLiteral("?")).rightJustified(7) +
            (sessions == 1 ? QStringLiteral(" session   ") : QStringLiteral(" sessions  "));
        line += QLocale::c()
                    .formattedDataSize(backup.bytes, 1, QLocale::DataSizeTraditionalFormat)
                    .rightJustified(8);
        if (backup.kind != BackupFiles::Kind::daily)
            line += QStringLiteral("  ") + kindText(backup.kind) + QStringLiteral(", ") +
                    QLocale::c().toString(backup.time, QStringLiteral("HH:mm:ss"));
        call.out << line << '\n';
    }
    return succeeded;
}

int backupsRestore(Invocation& call)
{
    int status = succeeded;
    const StoreBackups* backups = backupsOf(call, &status);
    if (!backups)
        return status;
    const QString which = call.arguments.first();
    const QString name = call.model.books().administration().name;
    QString source;
    if (which.contains(u'/') || which.endsWith(QStringLiteral(".sqlite3"))) {
        source = which;
    } else if (which == u"latest") {
        for (const BackupFiles::Backup& backup : backups->files().list()) {
            if (backup.kind == BackupFiles::Kind::daily) {
                source = backup.path;
                break;
            }
        }
        if (source.isEmpty())
            return call.fail(name + QStringLiteral(" has no backups yet; nothing was changed."));
    } else {
        const QDate day = QDate::fromString(which, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            return call.usageError(QStringLiteral("'") + which +
                                   QStringLiteral("' is not a date like 2026-12-06, 'latest' "
                                                  "or a backup file"));
        const std::optional<BackupFiles::Backup> backup = backups->files().daily(day);
        if (!backup)
            return call.fail(QStringLiteral("There is no backup of ") + name +
                             QStringLiteral(" from ") + which +
                             QStringLiteral("; nothing was changed. 'zol backups' lists them."));
        source = backup->path;
    }
    Invocation::wait(call.model.restoreBackup(source));
    return call.reportStatus();
}

} // namespace

void addBackupCommands(QList<Command>& commands)
{
    commands.append(
        {QStringLiteral("backups"),
         QStringLiteral("[--json]"),
         QStringLiteral("The backups of the open books: date, sessions, size."),
         QStringLiteral("A backup is taken before the first change of each day and before books "
                        "are emptied.\nThe last 14 days are kept, and for 8 weeks before them the "
                        "newest of each week."),
         {{QStringLiteral("json"), {}}},
         0,
         0,
         false,
         backups});
    commands.append(
        {QStringLiteral("backups restore"),
         QStringLiteral("DATE|latest|FILE"),
         QStringLiteral("Put the open books back to their backup of DATE (YYYY-MM-DD)."),
         QStringLiteral("The books as they are now are saved first, as a 'before restore' "
                        "backup kept 14 days.\nA running Zol follows the change. A file that is "
                        "not a Zol database, or is damaged,\nis refused and nothing changes."),
         {},
         1,
         1,
         true,
         backupsRestore,
         {{QStringLiteral("latest")}}});
}

} // namespace zol::cli
