#include "PersonalFacts.h"

#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "OpenBooks.h"
#include "books/AppSettings.h"
#include "formats/TimesheetFolder.h"
#include "records/Duration.h"
#include "store/BackupCopy.h"
#include "store/EntryStore.h"
#include "store/StoreBackups.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <limits>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::PersonalFacts)
};

void readBackups(PersonalFacts& facts, const OpenBooks& books)
{
    const StoreBackups* backups = books.store()->backups();
    if (!backups) {
        facts.lastBackup = Texts::tr("None: temporary books are not backed up");
        return;
    }
    const QList<BackupFiles::Backup> found = backups->files().list();
    if (found.isEmpty()) {
        facts.lastBackup = Texts::tr("None yet");
    } else {
        // The day is the one in the name; the time is the file's, when it was
        // written that day.
        const BackupFiles::Backup& newest = found.first();
        const QDateTime written = books.calendar().local(newest.written);
        facts.lastBackup = HistoryCaptions::dayTitle(newest.date);
        if (written.date() == newest.date)
            facts.lastBackup += QStringLiteral(", ") +
                                QLocale::c().toString(written.time(), QStringLiteral("HH:mm"));
        facts.canShowBackups = true;
    }
    for (const BackupFiles::Backup& backup : found) {
        if (backup.kind == BackupFiles::Kind::daily)
            facts.restorable.append({HistoryCaptions::dayTitle(backup.date), backup.path});
    }
    facts.backupProblem = backups->problem().value_or(QString());
    facts.backupNote =
        Texts::tr("Taken before the first change of each day and before books are emptied. The "
                  "last 14 days are kept, and for 8 weeks before them the newest of each week. "
                  "Restore… puts one back, as does “zol backups restore DATE”.");
}

} // namespace

PersonalFacts PersonalFacts::of(const OpenBooks& books, HistoryModel& history)
{
    PersonalFacts facts;
    const AppSettings& settings = *books.settings();
    if (settings.machineName().trimmed().isEmpty()) {
        facts.filedUnder = QStringLiteral("Onbekend");
        facts.filedUnderNote =
            Texts::tr("Without a name your timesheets are filed under “Onbekend”.");
    } else {
        facts.filedUnder = TimesheetFolder::folderName(settings.machineName());
        facts.filedUnderNote =
            Texts::tr("Claimed by this computer, so the name is yours on the share.");
    }
    facts.machineId = settings.machineId();

    const QString path = books.store()->path();
    if (path == QLatin1String(":memory:") || path.isEmpty()) {
        facts.databaseFolder = Texts::tr("Nowhere: this run tracks to a temporary database");
    } else {
        facts.databaseFolder = OpenBooks::shownPath(QFileInfo(path).absolutePath());
        facts.canRevealDatabase = QFileInfo::exists(path);
    }

    const PersonalSummary summary = history.personalSummary();
    facts.sessionsTracked = QLocale().toString(summary.sessions);
    facts.trackedInTotal = Duration::coarseString(summary.totalSeconds);
    facts.firstTracked =
        summary.firstDay ? HistoryCaptions::dayTitle(*summary.firstDay) : Texts::tr("Nothing yet");
    readBackups(facts, books);
    return facts;
}

QString PersonalFacts::restoreQuestion(const OpenBooks& books, const Restorable& backup)
{
    return Texts::tr("Restore %1 to %2?").arg(books.administration().name, backup.title);
}

QString PersonalFacts::restoreExplanation(const Restorable& backup)
{
    // The count as the locale writes numbers ("1,204"); it still picks one session or many.
    const std::optional<qint64> sessions = BackupCopy::sessionsIn(backup.path);
    const QString back =
        sessions ? Texts::tr("The books go back to how they were that day, %1 sessions.", nullptr,
                             int(std::min<qint64>(*sessions, std::numeric_limits<int>::max())))
                       .arg(QLocale().toString(*sessions))
                 : Texts::tr("The books go back to how they were that day.");
    return back + u' ' +
           Texts::tr("The books as they are now are saved first, as a backup kept 14 days.");
}

} // namespace zol
