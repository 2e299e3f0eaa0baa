#include "files/FileSystem.h"

#include "files/CheckedFileSystem.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::FileSystem)
};

// The opening of a refusal for each operation, by the name the code gives it.
struct Operation
{
    const char16_t* what;
    const char* failure;
};

constexpr Operation operations[] = {
    {u"list", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not list %1")},
    {u"read", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not read %1")},
    {u"write", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not write %1")},
    {u"replace", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not replace %1")},
    {u"move", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not move %1")},
    {u"remove", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not remove %1")},
    {u"hide", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not hide %1")},
    {u"create the folder",
     QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not create the folder %1")},
    {u"use", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not use %1")},
};

constexpr Operation twoPathOperations[] = {
    {u"replace", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not replace %1 with %2")},
    {u"move", QT_TRANSLATE_NOOP("zol::core::FileSystem", "Could not move %1 to %2")},
};

} // namespace

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
    if (link == path) {
        return FileSystemError(
            Texts::tr("%1: it is a symbolic link, and nothing below %2 is read or written "
                      "through one.")
                .arg(couldNot(what, path), root));
    }
    return FileSystemError(
        Texts::tr("%1: %2 is a symbolic link, and nothing below %3 is read or written through one.")
            .arg(couldNot(what, path), link, root));
}

QString FileSystem::couldNot(const QString& what, const QString& path)
{
    for (const Operation& operation : operations) {
        if (what == QStringView(operation.what))
            return QCoreApplication::translate("zol::core::FileSystem", operation.failure)
                .arg(path);
    }
    return QStringLiteral("Could not ") + what + u' ' + path;
}

QString FileSystem::couldNot(const QString& what, const QString& path, const QString& other)
{
    for (const Operation& operation : twoPathOperations) {
        if (what == QStringView(operation.what))
            return QCoreApplication::translate("zol::core::FileSystem", operation.failure)
                .arg(path, other);
    }
    return couldNot(what, path) + u' ' + other;
}

} // namespace zol
