#include "support/DataPaths.h"

#include "support/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::DataPaths)
};

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
    return Error(Texts::tr("Could not create the folder %1: a file of that name is in the way.")
                     .arg(folder));
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

    // Never followed: a link put where the hours are kept would send them,
    // and their backups, wherever it points.
    struct stat info = {};
    if (::lstat(native.constData(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            throw Error(Texts::tr("Could not use the folder %1: it is a link to another place. "
                                  "Zol keeps these files only in a folder of its own; put a "
                                  "folder in its place.")
                            .arg(clean));
        }
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
        throw Error(Texts::tr("Could not create the folder %1: its parent folder cannot be made.")
                        .arg(clean));
    }
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        throw Error(Texts::tr("Could not create the folder %1: %2.")
                        .arg(clean, QString::fromLocal8Bit(std::strerror(error))));
    }
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw inTheWay(clean);
}

} // namespace zol
