#include "SharingModelWork.h"

#include "files/WholeFile.h"
#include "formats/StudioFolder.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "share/AutoUpload.h"
#include "share/SharedFolderSync.h"
#include "store/EntryStore.h"
#include "support/Error.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace zol::SharingWork {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::SharingModelWork)
};

// Whether the share already holds exactly `bytes` at `file`. Anything that
// cannot be read counts as different, and so gets written.
bool holds(FileSystem& fileSystem, const QString& file, const QByteArray& bytes)
{
    if (!fileSystem.exists(file))
        return false;
    try {
        // One byte more than expected is enough to tell a longer file apart.
        return fileSystem.read(file, bytes.size() + 1) == bytes;
    } catch (const Error&) {
        return false;
    }
}

PeriodWrite writePeriod(const UploadTarget& target, FileSystem& files, const QString& personFolder,
                        const TimesheetPeriod& period, bool force)
{
    EntryStore& store = *target.store;
    // Withdrawn sessions are read before the live ones: a session deleted in
    // between is then in neither list and keeps its mark, so the next pass
    // takes it out of the file. Read the other way round it could be in the
    // file and have its mark cleared, and the file would keep it for good.
    QList<TimeEntry> withdrawn =
        store.deletedEntries(period.start(), period.nextStart().addMSecs(-1));
    QList<TimeEntry> sessions = store.entries(period.start(), period.nextStart());
    sessions.removeIf([](const TimeEntry& e) { return !AutoUpload::shouldSend(e); });
    withdrawn.removeIf([&](const TimeEntry& gone) {
        return std::any_of(sessions.cbegin(), sessions.cend(),
                           [&](const TimeEntry& e) { return e.id == gone.id; });
    });

    const Timesheet sheet(period, target.person, sessions);
    const QByteArray bytes = sheet.csv(target.now).toUtf8();
    const QString file = Timesheet::file(personFolder, period);
    const bool write = force || !holds(files, file, bytes);
    if (write) {
        files.createFolder(Timesheet::folder(personFolder, period));
        writeWhole(files, bytes, file);
    }
    return {period, sheet.totalHours(target.now), sessions, withdrawn, write};
}

bool needsMark(const TimeEntry& e)
{
    return !e.uploadedAt || e.updatedAt > *e.uploadedAt;
}

// Sets and clears the upload marks of a run (see writePeriods); returns how
// many sessions changed.
int settleMarks(const UploadTarget& target, const QList<PeriodWrite>& written,
                const QList<TimesheetPeriod>& unwritten)
{
    const auto heldElsewhere = [&](const TimeEntry& e) {
        return std::any_of(unwritten.cbegin(), unwritten.cend(),
                           [&](const TimesheetPeriod& p) { return p.contains(e.startedAt); });
    };
    QList<TimeEntry> mark;
    QList<QUuid> clear;
    QSet<QUuid> seen;
    for (const PeriodWrite& write : written) {
        for (const TimeEntry& e : write.sessions) {
            if (needsMark(e) && !heldElsewhere(e) && !seen.contains(e.id)) {
                seen.insert(e.id);
                mark.append(e);
            }
        }
        for (const TimeEntry& e : write.withdrawn) {
            if (!heldElsewhere(e) && !seen.contains(e.id)) {
                seen.insert(e.id);
                clear.append(e.id);
            }
        }
    }
    // A session edited since it was read keeps its older copy's state: the
    // file holds that copy, and the edit goes up next time.
    const int marked = target.store->markUploadedIfUnchanged(mark, target.now);
    target.store->clearUploaded(clear);
    return marked + int(clear.size());
}

} // namespace

WriteRun writePeriods(const UploadTarget& target, const QList<TimesheetPeriod>& periods, bool force)
{
    WriteRun run;
    const std::shared_ptr<FileSystem> files = target.fileSystem->confinedTo(target.studioFolder);
    std::optional<QString> personFolder;
    try {
        for (const TimesheetPeriod& period : periods) {
            if (!target.stillOpen())
                break;
            if (!personFolder) {
                // Resolving creates folders: on a share that is not mounted it
                // would make the mount point on this machine's own disk.
                if (!files->isFolder(target.studioFolder))
                    throw SharedFolderSync::SyncError::folderUnreachable(target.studioFolder);
                const TimesheetFolder::Resolution resolution = TimesheetFolder::resolve(
                    *files, target.studioFolder, target.person, target.machineId, target.now);
                personFolder = resolution.folder;
                run.renamedFrom = resolution.renamedFrom;
            }
            try {
                run.written.append(writePeriod(target, *files, *personFolder, period, force));
            } catch (const FileSystemError& error) {
                // Somebody is reading the old file: it is written next time,
                // and the rest goes now.
                if (error.cause() != FileSystemError::Cause::inUse)
                    throw;
                run.inUse.append(period);
            }
        }
    } catch (...) {
        run.error = std::current_exception();
    }

    QList<TimesheetPeriod> unwritten = periods;
    unwritten.removeIf([&](const TimesheetPeriod& p) {
        return std::any_of(run.written.cbegin(), run.written.cend(),
                           [&](const PeriodWrite& w) { return w.period == p; });
    });
    try {
        run.marksChanged = settleMarks(target, run.written, unwritten);
    } catch (...) {
        if (!run.error)
            run.error = std::current_exception();
    }
    return run;
}

QList<TimesheetPeriod> periodsToUpload(const UploadTarget& target)
{
    QList<TimesheetPeriod> periods = AutoUpload::periodsNeedingUpload(
        target.store->entriesNeedingUpload(), target.now, target.calendar);
    for (const QDateTime& startedAt : target.store->uploadRevisits()) {
        for (const TimesheetPeriod::Kind kind : TimesheetPeriod::uploadedKinds()) {
            const TimesheetPeriod period(kind, startedAt, target.calendar);
            if (!periods.contains(period))
                periods.append(period);
        }
    }
    return periods;
}

QList<TimesheetPeriod> periodsMissingFromShare(const UploadTarget& target)
{
    const std::shared_ptr<FileSystem> files = target.fileSystem->confinedTo(target.studioFolder);
    FileSystem& fileSystem = *files;
    const std::optional<QString> own = TimesheetFolder::folderClaimed(
        fileSystem, target.machineId, Timesheet::root(target.studioFolder));
    if (!own)
        return {};
    QList<TimesheetPeriod> periods =
        AutoUpload::allPeriods(target.store->trackedDays(target.calendar), target.calendar);
    periods.removeIf(
        [&](const TimesheetPeriod& p) { return fileSystem.exists(Timesheet::file(*own, p)); });
    return periods;
}

PeriodFile findPeriodFile(FileSystem& unconfined, const QString& studioFolder,
                          const QString& machineId, const TimesheetPeriod& period)
{
    const std::shared_ptr<FileSystem> files = unconfined.confinedTo(studioFolder);
    FileSystem& fileSystem = *files;
    PeriodFile found;
    found.personFolder =
        TimesheetFolder::folderClaimed(fileSystem, machineId, Timesheet::root(studioFolder));
    if (!found.personFolder)
        return found;
    const QString folder = Timesheet::folder(*found.personFolder, period);
    if (!fileSystem.isFolder(folder))
        return found;
    const QString name = Timesheet::fileName(period);
    for (const FileSystem::Entry& entry : fileSystem.list(folder)) {
        if (entry.name == name && entry.isFile()) {
            found.file = folder + u'/' + name;
            found.modified = entry.modified;
        }
    }
    return found;
}

std::optional<QString> layoutRefusal(FileSystem& unconfined, const QString& studioFolder,
                                     const QString& machineId)
{
    const std::shared_ptr<FileSystem> files = unconfined.confinedTo(studioFolder);
    const QString container = StudioFolder::container(studioFolder);
    const QString peers = container + QStringLiteral("/peers");
    for (const QString& folder :
         QStringList{container, peers, peers + u'/' + machineId, Timesheet::root(studioFolder)}) {
        if (files->isLink(folder)) {
            return FileSystem::linkRefused(QStringLiteral("use"), folder, folder, studioFolder)
                .message();
        }
        if (files->exists(folder) && !files->isFolder(folder))
            return Texts::tr("Could not use %1: it is not a folder.").arg(folder);
    }
    return std::nullopt;
}

} // namespace zol::SharingWork
