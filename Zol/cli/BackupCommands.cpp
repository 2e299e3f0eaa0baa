// The backups of the open books: listing them and restoring one.

#include "CommandLine.h"

#include "AppModel.h"
#include "store/BackupCopy.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::BackupCommands)
};

// The kind as --json gives it.
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

// The kind of a backup taken for a reason, with the time it was taken, as the
// list shows it; none for a daily one.
QString occasion(const BackupFiles::Backup& backup)
{
    const QString time = QLocale::c().toString(backup.time, QStringLiteral("HH:mm:ss"));
    switch (backup.kind) {
    case BackupFiles::Kind::daily:
        return {};
    case BackupFiles::Kind::beforeRestore:
        return Texts::tr("before restore, %1").arg(time);
    case BackupFiles::Kind::beforeEmptying:
        return Texts::tr("before emptying, %1").arg(time);
    }
    return {};
}

// "      5 sessions  ": the count right-aligned in 7 columns and the column
// filled to 11 more, as the list lines its columns up.
QString sessionsColumn(const std::optional<qint64>& sessions)
{
    QString count = QStringLiteral("?");
    //: A backup whose sessions could not be counted.
    QString text = Texts::tr("? sessions");
    if (sessions) {
        count = QString::number(*sessions);
        text = Texts::tr("%n sessions", nullptr, int(*sessions));
    }
    const qsizetype lead = std::max<qsizetype>(0, 7 - count.size());
    const QString column = QString(lead, u' ') + text;
    return column.leftJustified(std::max<qsizetype>(7, count.size()) + 11);
}

// The open books' backups, or the refusal printed when they keep none.
const StoreBackups* backupsOf(Invocation& call, int* status)
{
    const StoreBackups* backups = call.model.books().store()->backups();
    if (!backups)
        *status =
            call.fail(Texts::tr("These books are a temporary database, which has no backups."));
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
        call.out << Texts::tr("%1 has no backups yet. One is taken before the first change of "
                              "each day.")
                        .arg(name)
                 << '\n';
        return succeeded;
    }
    call.out << Texts::tr("Backups of %1 in %2, newest first:")
                    .arg(name, OpenBooks::shownPath(backups->files().folder()))
             << '\n';
    for (const BackupFiles::Backup& backup : found) {
        const std::optional<qint64> sessions = BackupCopy::sessionsIn(backup.path);
        QString line =
            QStringLiteral("  ") + backup.date.toString(Qt::ISODate) + QStringLiteral("  ");
        line += sessionsColumn(sessions);
        line += QLocale::c()
                    .formattedDataSize(backup.bytes, 1, QLocale::DataSizeTraditionalFormat)
                    .rightJustified(8);
        if (backup.kind != BackupFiles::Kind::daily)
            line += QStringLiteral("  ") + occasion(backup);
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
            return call.fail(Texts::tr("%1 has no backups yet; nothing was changed.").arg(name));
    } else {
        const QDate day = QDate::fromString(which, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            return call.usageError(
                Texts::tr("'%1' is not a date like 2026-12-06, 'latest' or a backup file")
                    .arg(which));
        const std::optional<BackupFiles::Backup> backup = backups->files().daily(day);
        if (!backup)
            return call.fail(Texts::tr("There is no backup of %1 from %2; nothing was changed. "
                                       "'zol backups' lists them.")
                                 .arg(name, which));
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
         Texts::tr("The backups of the open books: date, sessions, size."),
         Texts::tr("A backup is taken before the first change of each day and before books "
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
         Texts::tr("Put the open books back to their backup of DATE (YYYY-MM-DD)."),
         Texts::tr("The books as they are now are saved first, as a 'before restore' "
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
