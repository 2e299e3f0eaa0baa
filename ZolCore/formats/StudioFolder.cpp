#include "formats/StudioFolder.h"

#include "files/FileSystem.h"

#include <QCoreApplication>

namespace zol::StudioFolder {

const QString containerName = QStringLiteral(".zol");

QString container(const QString& folder)
{
    return folder + u'/' + containerName;
}

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::StudioFolder)
};

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
    if (copies.timesheets <= 0 && copies.lists <= 0)
        return std::nullopt;
    const auto timesheets = [&] {
        return Texts::tr("%n conflict copies of timesheets", nullptr, copies.timesheets);
    };
    const auto lists = [&] {
        return Texts::tr("%n conflict copies of project and task lists", nullptr, copies.lists);
    };
    if (copies.timesheets > 0 && copies.lists > 0) {
        //: %1 counts the copies of timesheets, %2 those of the lists ("2 conflict copies of
        //: timesheets", "1 conflict copy of project and task lists").
        return Texts::tr("%1 and %2 left by the sync tool").arg(timesheets(), lists());
    }
    //: %1 counts the copies ("2 conflict copies of timesheets").
    return Texts::tr("%1 left by the sync tool")
        .arg(copies.timesheets > 0 ? timesheets() : lists());
}

} // namespace zol::StudioFolder
