#include "support/DataPaths.h"

#include "support/Error.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zol {

namespace {

QString xdgFolder(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    // The XDG rules ignore a relative path.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + u'/' + fallbackBelowHome);
}

Error inTheWay(const QString& folder)
{
    return Error(QStringLiteral("Could not create the folder ") + folder +
                 QStringLiteral(": a file of that name is in the way."));
}

} // namespace

QString dataFolder()
{
    return xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/Zol");
}

QString configFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/Zol");
}

void makePrivateFolder(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QByteArray native = QFile::encodeName(clean);
    const auto refuse = [&clean](const QString& why) {
        return Error(QStringLiteral("Could not use the folder ") + clean + QStringLiteral(": ") +
                     why);
    };

    // Never followed: a link put where the hours are kept would send them,
    // and their backups, wherever it points.
    struct stat info = {};
    if (::lstat(native.constData(), &info) == 0) {
        if (S_ISLNK(info.st_mode))
            throw refuse(QStringLiteral("it is a link to another place. Zol keeps these files "
                                        "only in a folder of its own; put a folder in its place."));
        if (!S_ISDIR(info.st_mode))
            throw inTheWay(clean);
        // Kept owner-only, also when something widened it since.
        if ((info.st_mode & 077) != 0 && info.st_uid == ::geteuid())
            ::chmod(native.constData(), info.st_mode & 0700);
        return;
    }

    // Create the parents as the user's umask allows, then the folder itself
    // owner-only: it holds the user's hours.
    const QString parent = QFileInfo(clean).path();
    if (!QFileInfo(parent).isDir() && !QDir().mkpath(parent)) {
        throw Error(QStringLiteral("Could not create the folder ") + clean
                    + QStringLiteral(": its parent folder cannot be made."));
    }
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        throw Error(QStringLiteral("Could not create the folder ") + clean + QStringLiteral(": ")
                    + QString::fromLocal8Bit(std::strerror(error)) + u'.');
    }
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw inTheWay(clean);
}

} // namespace zol
