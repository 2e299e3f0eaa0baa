#pragma once

// The worker side of the studio folder: what SharingModel runs off the UI
// thread. Nothing here touches the open books
// or any QObject of the UI thread; each worker gets copies of the values it needs.

#include "OffThread.h"
#include "files/FileSystem.h"
#include "formats/TimesheetPeriod.h"
#include "records/TimeEntry.h"
#include "support/Calendar.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>

namespace zol {

class EntryStore;

namespace SharingWork {

// Everything a worker needs to hand timesheets in, copied on the UI thread.
// The workers reach the studio folder through `fileSystem`'s view confined to
// it.
struct UploadTarget
{
    // Kept alive by the worker even when other books are opened meanwhile.
    std::shared_ptr<EntryStore> store;
    FileSystem* fileSystem = nullptr;
    QString studioFolder;
    QString person;
    QString machineId;
    Calendar calendar;
    QDateTime now;
    // Goes false when the books close: a pass then writes no further file.
    std::shared_ptr<const std::atomic_bool> booksOpen;

    bool stillOpen() const { return !booksOpen || booksOpen->load(); }
};

// One period handed in.
struct PeriodWrite
{
    TimesheetPeriod period;
    double hours = 0;
    // Sessions the file holds, as read before it was built.
    QList<TimeEntry> sessions;
    // Sessions handed in earlier and deleted since, which the file leaves out.
    QList<TimeEntry> withdrawn;
    // False when the share held these very bytes already.
    bool wroteFile = false;
};

// What a run of writes did.
struct WriteRun
{
    QList<PeriodWrite> written;
    // The former name of this person's folder when resolving it moved it.
    std::optional<QString> renamedFrom;
    // Sessions whose upload mark was set or cleared.
    int marksChanged = 0;
    // Periods whose file another computer held open: written next time.
    QList<TimesheetPeriod> inUse;

    // How many files the run wrote.
    int filesWritten() const
    {
        return int(std::count_if(written.cbegin(), written.cend(),
                                 [](const PeriodWrite& w) { return w.wroteFile; }));
    }
    // The failure that ended the run early, if any.
    std::exception_ptr error;
};

// Writes each period's timesheet into this person's folder (resolved once),
// in order, stopping at the first failure or when the books close. A file
// whose text is already on the share is left alone unless `force`. Then the
// sessions of the written files are marked uploaded and withdrawn sessions
// have their marks cleared, except those that a listed period not written
// also holds: a session counts as handed in only once its week and its month
// are. A session edited while the run went on keeps its mark as it was.
WriteRun writePeriods(const UploadTarget& target, const QList<TimesheetPeriod>& periods,
                      bool force);

// The current week and month, every period holding a session that changed
// since it was handed in (newest first), then the periods whose handed-in
// timesheets hold an older copy of a session changed since.
QList<TimesheetPeriod> periodsToUpload(const UploadTarget& target);

// Every week and month with tracked days whose file is missing from this
// person's folder; empty when this machine claims no folder on the share.
QList<TimesheetPeriod> periodsMissingFromShare(const UploadTarget& target);

// Where the period's file of this person is on the share, and when it was
// written.
struct PeriodFile
{
    // The folder this machine claims; none when it claims none.
    std::optional<QString> personFolder;
    // The period's file, when it exists.
    std::optional<QString> file;
    std::optional<QDateTime> modified;
};

PeriodFile findPeriodFile(FileSystem& fileSystem, const QString& studioFolder,
                          const QString& machineId, const TimesheetPeriod& period);

// Why a studio folder cannot be chosen as it stands: the sentence naming the
// symbolic link, or the file, found where one of the folders this machine
// writes in should be (".zol", its "peers" and "hours", this machine's own
// catalogue folder). None when nothing is in the way (or nothing is there yet).
std::optional<QString> layoutRefusal(FileSystem& fileSystem, const QString& studioFolder,
                                     const QString& machineId);

} // namespace SharingWork
} // namespace zol
