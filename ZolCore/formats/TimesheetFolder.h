#pragma once

#include "files/FileSystem.h"

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>

#include <optional>

// A person's folder in the studio folder's "hours": named after the person and
// marked with ".person.json", which records the machine that owns it. Each
// machine writes only inside the folder its marker claims. Renaming oneself
// moves the folder along; a name that belongs to another machine is left
// alone, and this machine files its hours in a folder of its own beside it
// ("<name>-<first 8 characters of the machine id>").
namespace zol::TimesheetFolder {

// ".person.json"
extern const QString markerName;

// The marker file's record.
struct Marker
{
    QString machineId;
    // The person's name as typed (not made safe).
    QString name;
    QDateTime updatedAt;

    // Pretty-printed JSON, sorted keys, ISO 8601 time in whole seconds.
    QByteArray encode() const;
    // All three keys required; anything else gives no marker.
    static std::optional<Marker> decode(const QByteArray& json);
    bool operator==(const Marker& other) const = default;
};

struct Resolution
{
    // The person folder to hand timesheets into.
    QString folder;
    // The former folder name when this call moved the folder.
    std::optional<QString> renamedFrom;
    bool operator==(const Resolution& other) const = default;
};

// The name of `person`'s folder: Timesheet::safeName, cut between characters
// so that it fits a file name (255 bytes) even with takenFolderName's suffix.
QString folderName(QStringView person);
// The name of this machine's folder when folderName belongs to another:
// "<folderName>-<first 8 characters of the machine id>".
QString takenFolderName(QStringView person, const QString& machineId);

// The folder this machine hands timesheets into for `person`, creating,
// moving and claiming it as needed; old-style file names inside it are
// brought up to date. The studio folder is reached through `fileSystem`'s
// view confined to it. Throws FileSystemError when "hours" or the folder
// cannot be made, the folder cannot be moved, or the marker cannot be written,
// and when a symbolic link stands where the person's folder (or a folder on
// the way to it) should be.
Resolution resolve(FileSystem& fileSystem, const QString& studioFolder, const QString& person,
                   const QString& machineId, const QDateTime& now);

// The folder this machine already claims, else where `person`'s folder would
// be. Creates, moves and writes nothing.
QString existingFolder(FileSystem& fileSystem, const QString& studioFolder, const QString& person,
                       const QString& machineId);

// The functions below read the share through `fileSystem` as given: pass a
// view confined to the studio folder (FileSystem::confinedTo).

// The marker of a person folder; none when it is missing, too large or does
// not decode.
std::optional<Marker> readMarker(FileSystem& fileSystem, const QString& folder);

// The first folder in `hoursFolder` whose marker names `machineId`.
std::optional<QString> folderClaimed(FileSystem& fileSystem, const QString& machineId,
                                     const QString& hoursFolder);

// The period id of an old-style file name (without ".csv") that carried the
// person's name: "2025-W03-Anna-Smit" → "2025-W03", "2025-03-Anna" → "2025-03".
std::optional<QString> legacyPeriodId(QStringView name);

// The "id" values of every row of a timesheet file; none when it cannot be read.
std::optional<QSet<QString>> sessionIds(FileSystem& fileSystem, const QString& file);

} // namespace zol::TimesheetFolder
