// The studio folder: its state, choosing and leaving it, sync and upload.

#include "CommandLine.h"

#include "AppModel.h"
#include "SharingModel.h"
#include "books/AppSettings.h"
#include "files/FileSystem.h"
#include "files/WholeFile.h"
#include "formats/StudioFolder.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "share/SharedCatalog.h"
#include "share/SharedFolderSync.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::StudioCommands)
};

// The other machines' names, from their meta files. The share is read
// through the file layer confined to it, which refuses links, pipes and
// oversized files.
QStringList peerNames(FileSystem& fileSystem, const QString& folder, const QString& ownId)
{
    const std::shared_ptr<FileSystem> files = fileSystem.confinedTo(folder);
    const QString peers = StudioFolder::container(folder) + QStringLiteral("/peers");
    QStringList names;
    try {
        for (const FileSystem::Entry& entry : files->list(peers)) {
            if (!entry.isFolder || entry.isLink || entry.name == ownId)
                continue;
            try {
                const QByteArray bytes =
                    files->read(peers + u'/' + entry.name + QStringLiteral("/meta.json"),
                                SharedCatalog::maximumFileSize);
                if (const std::optional<PeerMeta> meta = PeerMeta::decode(bytes))
                    names.append(meta->machineName);
            } catch (const FileSystemError&) {
                // A peer without a readable meta file has no name to show.
            }
        }
    } catch (const FileSystemError&) {
        return {};
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

// The newest modification time of the timesheets in `folder` and the folders
// below it, down to the depth the person folder's own layout has.
std::optional<QDateTime> newestTimesheet(FileSystem& files, const QString& folder, int depth)
{
    std::optional<QDateTime> newest;
    QList<FileSystem::Entry> entries;
    try {
        entries = files.list(folder);
    } catch (const FileSystemError&) {
        return newest;
    }
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (!entry.hasExactName || FileSystem::isLeftover(entry.name))
            continue;
        std::optional<QDateTime> modified;
        if (entry.isFolder && depth > 0)
            modified = newestTimesheet(files, folder + u'/' + entry.name, depth - 1);
        else if (entry.isFile() && entry.name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
            modified = entry.modified;
        if (modified && (!newest || *modified > *newest))
            newest = modified;
    }
    return newest;
}

// When this person's newest timesheet file on the share was written.
std::optional<QDateTime> lastUploadAt(FileSystem& fileSystem, const QString& folder,
                                      const QString& machineId)
{
    const std::shared_ptr<FileSystem> files = fileSystem.confinedTo(folder);
    const std::optional<QString> personFolder =
        TimesheetFolder::folderClaimed(*files, machineId, Timesheet::root(folder));
    if (!personFolder)
        return std::nullopt;
    // <person>/<year>/<weeks|months|years>/<id>.csv
    return newestTimesheet(*files, *personFolder, 2);
}

// Whether this computer can write into the studio folder: a file of the
// program's own temporary kind is written and removed again, inside ".zol"
// when it is there. A read-only share lists and reads like any other.
bool takesWrites(FileSystem& files, const QString& folder)
{
    const QString container = StudioFolder::container(folder);
    const QString probe = temporaryFor((files.isFolder(container) ? container : folder) +
                                       QStringLiteral("/zol-probe"));
    try {
        files.writeNew(probe, QByteArray());
    } catch (const FileSystemError&) {
        return false;
    }
    try {
        files.remove(probe);
    } catch (const FileSystemError&) {
        // Tidied as a leftover by the next sync.
    }
    return true;
}

int studio(Invocation& call)
{
    const AppSettings& settings = *call.model.books().settings();
    const QString folder = settings.sharedFolder().value_or(QString());
    const bool reachable = !folder.isEmpty() && QFileInfo(folder).isDir();
    FileSystem& files = call.model.fileSystem();
    const QStringList peers =
        reachable ? peerNames(files, folder, settings.machineId()) : QStringList();
    const std::optional<QDateTime> uploaded =
        reachable ? lastUploadAt(files, folder, settings.machineId()) : std::nullopt;
    const bool writable = reachable && takesWrites(files, folder);
    const bool sharing = call.model.sharing()->canUpload();
    const StudioFolder::ConflictCopies conflicts =
        reachable ? StudioFolder::findConflictCopies(files, folder)
                  : StudioFolder::ConflictCopies{};
    if (call.has(QStringLiteral("json"))) {
        const QJsonObject object{
            {QStringLiteral("folder"), folder.isEmpty() ? QJsonValue() : QJsonValue(folder)},
            {QStringLiteral("sharing"), sharing},
            {QStringLiteral("reachable"), reachable},
            {QStringLiteral("writable"), writable},
            {QStringLiteral("peers"), QJsonArray::fromStringList(peers)},
            {QStringLiteral("lastUploadAt"),
             uploaded ? QJsonValue(iso8601(*uploaded)) : QJsonValue()},
            {QStringLiteral("conflictCopies"),
             QJsonObject{{QStringLiteral("timesheets"), conflicts.timesheets},
                         {QStringLiteral("lists"), conflicts.lists}}},
        };
        call.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return succeeded;
    }
    if (call.model.books().administration().isLocalOnly()) {
        call.out << Texts::tr("%1 never leaves this machine.")
                        .arg(call.model.books().administration().name)
                 << '\n';
        return succeeded;
    }
    if (folder.isEmpty()) {
        call.out << Texts::tr("No folder chosen. 'zol studio folder PATH' chooses one.") << '\n';
        return succeeded;
    }
    call.out << Texts::tr("Studio folder: %1").arg(folder) << '\n';
    if (!sharing)
        call.out << Texts::tr("Chosen, but sharing is switched off.") << '\n';
    else if (!reachable)
        call.out << Texts::tr("Studio folder unreachable: there is no folder at %1. Is the NAS "
                              "mounted?")
                        .arg(folder)
                 << '\n';
    else if (!writable)
        call.out << Texts::tr("Reachable, but read-only from this computer: projects and "
                              "timesheets cannot be handed in. Ask whoever looks after the share "
                              "for write access.")
                 << '\n';
    else
        call.out << (peers.isEmpty()
                         ? Texts::tr("Reachable · no other machines yet")
                         : Texts::tr("Other machines: %1").arg(peers.join(QStringLiteral(", "))))
                 << '\n';
    call.out << (uploaded ? Texts::tr("Timesheets last handed in: %1")
                                .arg(call.model.books().calendar().local(*uploaded).toString(
                                    u"yyyy-MM-dd HH:mm"))
                          : Texts::tr("Timesheets last handed in: never"))
             << '\n';
    if (const std::optional<QString> copies = SharingModel::conflictCopiesSentence(conflicts))
        call.out << *copies << '\n';
    return succeeded;
}

int studioFolder(Invocation& call)
{
    const QString typed = call.arguments.first().trimmed();
    if (typed.isEmpty())
        return call.usageError(Texts::tr("give the studio folder's path"));
    if (!QFileInfo(typed).isDir())
        return call.fail(Texts::tr("There is no folder at %1. Is the NAS mounted?").arg(typed));
    const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(typed));
    // A folder other books use is refused with a sentence that the longer
    // story follows here. Whether that is the refusal is asked of the
    // settings, not read off the sentence, which may be in any language.
    const Administration& books = call.model.books().administration();
    const bool taken =
        !books.isLocalOnly() &&
        AppSettings::administrationUsing(folder.trimmed(), books.id, call.model.defaults())
            .has_value();
    Invocation::wait(call.model.sharing()->chooseStudioFolder(folder));
    const std::optional<StatusMessage>& status = call.model.status().message();
    if (status && status->kind == StatusMessage::Kind::failure && taken) {
        call.err << status->text << '\n' << SharingModel::folderTakenExplanation() << '\n';
        return failed;
    }
    if (!status)
        call.out
            << Texts::tr("Studio folder: %1").arg(call.model.books().settings()->sharedFolderPath())
            << '\n';
    return call.reportStatus();
}

int studioDisconnect(Invocation& call)
{
    if (!call.model.books().settings()->sharedFolder())
        return call.fail(
            Texts::tr("%1 has no studio folder.").arg(call.model.books().administration().name));
    call.model.sharing()->disconnectStudioFolder();
    return call.reportStatus();
}

int studioSync(Invocation& call)
{
    SharingModel& sharing = *call.model.sharing();
    if (!sharing.canUpload())
        return call.fail(Texts::tr("Set up the studio folder first."));
    Invocation::wait(call.has(QStringLiteral("force")) ? sharing.syncNow()
                                                       : sharing.shareNow(false, false));
    return call.reportStatus();
}

// The period `studio upload` names, as `log` takes it: a bare PERIOD, or
// --week and --month with or without a value (without: today's). None with
// `*status` set when what was given is not understood.
std::optional<TimesheetPeriod> uploadPeriod(Invocation& call, int* status)
{
    const bool week = call.has(QStringLiteral("week"));
    const bool month = call.has(QStringLiteral("month"));
    const int given = int(week) + int(month) + int(!call.arguments.isEmpty());
    if (given > 1) {
        *status = call.usageError(Texts::tr("give one of PERIOD, --week and --month"));
        return std::nullopt;
    }
    const Calendar& calendar = call.model.books().calendar();
    const QString text = week    ? call.value(QStringLiteral("week"))
                         : month ? call.value(QStringLiteral("month"))
                                 : call.arguments.value(0);
    if ((week || month) && text.isEmpty())
        return TimesheetPeriod(week ? TimesheetPeriod::Kind::week : TimesheetPeriod::Kind::month,
                               call.model.clock().now(), calendar);
    const std::optional<TimesheetPeriod> period = TimesheetPeriod::fromId(text, calendar);
    const bool fits = period && (week    ? period->kind() == TimesheetPeriod::Kind::week
                                 : month ? period->kind() == TimesheetPeriod::Kind::month
                                         : period->kind() != TimesheetPeriod::Kind::year);
    if (!fits) {
        *status = call.usageError(week    ? Texts::tr("--week takes a week such as 2026-W10")
                                  : month ? Texts::tr("--month takes a month such as 2026-03")
                                          : Texts::tr("upload a week (2026-W10) or a month "
                                                      "(2026-03)"));
        return std::nullopt;
    }
    return period;
}

int studioUpload(Invocation& call)
{
    SharingModel& sharing = *call.model.sharing();
    if (call.arguments.isEmpty() && !call.has(QStringLiteral("week")) &&
        !call.has(QStringLiteral("month"))) {
        if (!sharing.canUpload())
            return call.fail(Texts::tr("Set up the studio folder first."));
        if (!call.model.books().settings()->autoUploadEnabled())
            return call.fail(Texts::tr("Automatic upload is off; name a period to upload it."));
        Invocation::wait(sharing.autoUploadNow());
        if (const std::optional<QString>& error = sharing.autoUploadError())
            return call.fail(*error);
        const int files = sharing.lastUploadFiles();
        if (files == 0)
            call.out << Texts::tr("Timesheets were up to date on the studio folder already.")
                     << '\n';
        else
            call.out << Texts::tr("Handed in %n timesheets; the studio folder is up to date.",
                                  nullptr, files)
                     << '\n';
        return succeeded;
    }
    int status = succeeded;
    const std::optional<TimesheetPeriod> period = uploadPeriod(call, &status);
    if (!period)
        return status;
    sharing.setPeriod(*period);
    Invocation::wait(sharing.refreshPeriod());
    Invocation::wait(sharing.uploadTimesheet());
    return call.reportStatus();
}

} // namespace

void addStudioCommands(QList<Command>& commands)
{
    commands.append({QStringLiteral("studio"),
                     QStringLiteral("[--json]"),
                     Texts::tr("The studio folder of the open books and who else is on it."),
                     Texts::tr("--json prints folder, sharing, reachable, peers and lastUploadAt."),
                     {{QStringLiteral("json"), {}}},
                     0,
                     0,
                     false,
                     studio});
    commands.append({QStringLiteral("studio folder"),
                     QStringLiteral("PATH"),
                     Texts::tr("Share the open books through a studio folder."),
                     {},
                     {},
                     1,
                     1,
                     false,
                     studioFolder,
                     {{folderArgument}}});
    commands.append({QStringLiteral("studio disconnect"),
                     {},
                     Texts::tr("Stop sharing; nothing on the studio folder is deleted."),
                     {},
                     {},
                     0,
                     0,
                     false,
                     studioDisconnect});
    commands.append({QStringLiteral("studio sync"),
                     QStringLiteral("[--force]"),
                     Texts::tr("Sync the project list once; --force reads and writes everything."),
                     {},
                     {{QStringLiteral("force"), {}}},
                     0,
                     0,
                     true,
                     studioSync});
    commands.append(
        {QStringLiteral("studio upload"),
         QStringLiteral("[PERIOD | --week [YYYY-Www] | --month [YYYY-MM]]"),
         Texts::tr("Hand in timesheets: one automatic pass, or the week or month named."),
         Texts::tr("PERIOD is a week (2026-W10) or a month (2026-03); --week and --month "
                   "take the same,\nand alone mean this week and this month."),
         {periodOption(QStringLiteral("week"), QStringLiteral("YYYY-Www")),
          periodOption(QStringLiteral("month"), QStringLiteral("YYYY-MM"))},
         0,
         1,
         true,
         studioUpload});
}

} // namespace zol::cli
