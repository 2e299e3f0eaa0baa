#include "files/FileSystem.h"

#include "files/CheckedFileSystem.h"

#include <QRegularExpression>

namespace zol {

std::shared_ptr<FileSystem> FileSystem::confinedTo(const QString& root)
{
    return std::make_shared<CheckedFileSystem>(*this, root, root);
}

bool FileSystem::isOwnTemporary(QStringView name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(?:.+\\.)?[0-9A-Fa-f]{8}\\.tmp$"));
    return !name.startsWith(u".syncthing.") && !name.contains(u".sync-conflict-") &&
           pattern.match(name.toString()).hasMatch();
}

bool FileSystem::isLeftover(QStringView name)
{
    return name.startsWith(u'.') || name.contains(u".sync-conflict-") ||
           name.contains(u".syncthing.") || name.endsWith(u'~');
}

FileSystemError FileSystem::linkRefused(const QString& what, const QString& path,
                                        const QString& link, const QString& root)
{
    return FileSystemError(QStringLiteral("Could not ") + what + u' ' + path +
                           QStringLiteral(": ") + (link == path ? QStringLiteral("it") : link) +
                           QStringLiteral(" is a symbolic link, and nothing below ") + root +
                           QStringLiteral(" is read or written through one."));
}

} // namespace zol
