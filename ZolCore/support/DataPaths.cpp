#include "support/DataPaths.h"

#include "support/Error.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

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
    if (QFileInfo(clean).isDir())
        return;

    // Create the parents as the user's umask allows, then the folder itself
    // owner-only: it holds the user's hours.
    const QString parent = QFileInfo(clean).path();
    if (!QFileInfo(parent).isDir() && !QDir().mkpath(parent)) {
        throw Error(QStringLiteral("Could not create the folder ") + clean
                    + QStringLiteral(": its parent folder cannot be made."));
    }
    const QByteArray native = QFile::encodeName(clean);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        throw Error(QStringLiteral("Could not create the folder ") + clean + QStringLiteral(": ")
                    + QString::fromLocal8Bit(std::strerror(error)) + u'.');
    }
    if (!QFileInfo(clean).isDir())
        throw Error(QStringLiteral("Could not create the folder ") + clean
                    + QStringLiteral(": a file of that name is in the way."));
}

} // namespace zol
