#pragma once

#include <QString>

#include <optional>

namespace zol {
class FileSystem;
}

// Where Zol keeps its files inside a studio folder: all of them under one
// hidden folder, so that the studio's own files stay as they are.
namespace zol::StudioFolder {

// ".zol"
extern const QString containerName;
// The ".zol" folder inside a studio folder (nothing is created).
QString container(const QString& folder);

// Copies that a sync engine (Syncthing's ".sync-conflict-", a "conflicted
// copy") made of this program's files when two computers changed one at
// once: of the project and task lists under "peers", of the timesheets under
// "hours". The program reads neither; they wait for a person to tidy them.
struct ConflictCopies
{
    int lists = 0;
    int timesheets = 0;

    int total() const { return lists + timesheets; }
    bool operator==(const ConflictCopies& other) const = default;
};

// Whether a file name is a sync engine's conflict copy.
bool isConflictCopy(QStringView name);
// Counts the conflict copies under the studio folder's ".zol", through
// `files`' view confined to it. What cannot be listed is passed over.
ConflictCopies findConflictCopies(FileSystem& files, const QString& folder);
// "2 conflict copies of timesheets left by the sync tool", with the lists'
// copies after them; none when there are none.
std::optional<QString> describe(const ConflictCopies& copies);

} // namespace zol::StudioFolder
