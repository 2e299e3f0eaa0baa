#include "formats/StudioFolder.h"

#include "files/FileSystem.h"

namespace zol::StudioFolder {

const QString containerName = QStringLiteral(".zol");

QString container(const QString& folder)
{
    return folder + u'/' + containerName;
}

namespace {

// The folders a walk goes down at most: "hours" / person / year / kind.
constexpr int timesheetDepth = 3;
constexpr int listDepth = 1;

// Counts the conflict copies in `folder` and the folders below it, down to
// `depth` levels; links are not followed.
int countBelow(FileSystem& files, const QString& folder, int depth)
{
    QList<FileSystem::Entry> entries;
    try {
        entries = files.list(folder);
    } catch (const FileSystemError&) {
        return 0;
    }
    int found = 0;
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (entry.isLink || !entry.hasExactName)
            continue;
        if (entry.isFolder) {
            if (depth > 0 && !entry.name.startsWith(u'.'))
                found += countBelow(files, folder + u'/' + entry.name, depth - 1);
        } else if (isConflictCopy(entry.name)) {
            ++found;
        }
    }
    return found;
}

QString copiesOf(int count, const QString& what)
{
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" conflict copy of ")
                       : QStringLiteral(" conflict copies of ")) +
           what;
}

} // namespace

bool isConflictCopy(QStringView name)
{
    return name.contains(u".sync-conflict-") || name.contains(u"conflicted copy");
}

ConflictCopies findConflictCopies(FileSystem& files, const QString& folder)
{
    const std::shared_ptr<FileSystem> confined = files.confinedTo(folder);
    const QString zol = container(folder);
    return {countBelow(*confined, zol + QStringLiteral("/peers"), listDepth),
            countBelow(*confined, zol + QStringLiteral("/hours"), timesheetDepth)};
}

std::optional<QString> describe(const ConflictCopies& copies)
{
    QStringList parts;
    if (copies.timesheets > 0)
        parts.append(copiesOf(copies.timesheets, QStringLiteral("timesheets")));
    if (copies.lists > 0)
        parts.append(copiesOf(copies.lists, QStringLiteral("project and task lists")));
    if (parts.isEmpty())
        return std::nullopt;
    return parts.join(QStringLiteral(" and ")) + QStringLiteral(" left by the sync tool");
}

} // namespace zol::StudioFolder
