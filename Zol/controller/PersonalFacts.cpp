#include "PersonalFacts.h"

#include "AppModel.h"
#include "HistoryCaptions.h"
#include "books/AppSettings.h"
#include "records/Duration.h"
#include "share/TimesheetFolder.h"
#include "store/EntryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace zol {

PersonalFacts PersonalFacts::of(AppModel& model)
{
    PersonalFacts facts;
    const AppSettings& settings = *model.settings();
    if (settings.machineName().trimmed().isEmpty()) {
        facts.filedUnder = QStringLiteral("Onbekend");
        facts.filedUnderNote =
            QStringLiteral("Without a name your timesheets are filed under “Onbekend”.");
    } else {
        facts.filedUnder = TimesheetFolder::folderName(settings.machineName());
        facts.filedUnderNote =
            QStringLiteral("Claimed by this computer, so the name is yours on the share.");
    }
    facts.machineId = settings.machineId();

    const QString path = model.store()->path();
    if (path == QLatin1String(":memory:") || path.isEmpty()) {
        facts.databaseFolder = QStringLiteral("Nowhere: this run tracks to a temporary database");
    } else {
        const QString folder = QDir::cleanPath(QFileInfo(path).absolutePath());
        const QString home = QDir::cleanPath(QDir::homePath());
        facts.databaseFolder =
            folder.startsWith(home + u'/') ? u'~' + folder.mid(home.size()) : folder;
        facts.canRevealDatabase = QFileInfo::exists(path);
    }

    const PersonalSummary summary = model.history()->personalSummary();
    facts.sessionsTracked = QLocale().toString(summary.sessions);
    facts.trackedInTotal = Duration::coarseString(summary.totalSeconds);
    facts.firstTracked = summary.firstDay ? HistoryCaptions::dayTitle(*summary.firstDay)
                                          : QStringLiteral("Nothing yet");
    return facts;
}

} // namespace zol
