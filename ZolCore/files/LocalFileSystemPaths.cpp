// Finding where an operation acts, and creating folders: as the platform
// resolves paths, or confined below a root without following any link.

#include "files/LocalFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifdef SYS_openat2
#include <linux/openat2.h>
#endif

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::LocalFileSystemPaths)
};

// A folder opened only to reach what is inside it. O_PATH asks nothing of the
// folder beyond looking it up, which on a network mount saves a round trip.
#ifdef O_PATH
constexpr int folderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif
// One step below a confined root: a link is not a folder here.
constexpr int walkFlags = folderFlags | O_NOFOLLOW;

QByteArray native(const QString& path)
{
    return QFile::encodeName(QDir::cleanPath(path));
}

// Whether `path` is `base` or lies below it (both clean).
bool within(const QByteArray& path, const QByteArray& base)
{
    if (base == "/")
        return path.startsWith('/');
    return path == base || (path.startsWith(base) && path.at(base.size()) == '/');
}

// The components of `path` below `base` (which it lies within).
QList<QByteArray> below(const QByteArray& path, const QByteArray& base)
{
    const qsizetype start = base == "/" ? 1 : base.size() + 1;
    return start >= path.size() ? QList<QByteArray>() : path.mid(start).split('/');
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

using Unreachable = LocalFileSystem::Unreachable;
using Descriptor = LocalFileSystem::Descriptor;

// Opens `name` in `folder` as the next folder of a walk, without following a
// link; `reached` is its path, for the sentence when it cannot be entered.
std::expected<Descriptor, Unreachable> step(const Descriptor& folder, const QByteArray& name,
                                            const QByteArray& reached)
{
    const int fd = ::openat(folder.get(), name.constData(), walkFlags);
    if (fd >= 0)
        return Descriptor(fd);
    Unreachable why{reached, errno};
    struct stat info = {};
    if (::fstatat(folder.get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        why.isLink = S_ISLNK(info.st_mode);
        why.isNotFolder = !why.isLink && !S_ISDIR(info.st_mode);
    }
    return std::unexpected(why);
}

// The folder `relative` names below `root` in one look-up, by a kernel that
// can walk a path refusing every link on it and every way out of the root
// (openat2): the folder the walk of step() would reach. None where the
// kernel cannot, or the look-up fails: the walk then finds out why.
std::optional<Descriptor> folderAtOnce(const Descriptor& root, const QByteArray& relative)
{
#ifdef SYS_openat2
    static std::atomic<bool> unsupported = false;
    if (unsupported.load(std::memory_order_relaxed))
        return std::nullopt;
    open_how how = {};
    how.flags = folderFlags;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    const long fd = ::syscall(SYS_openat2, root.get(), relative.constData(), &how, sizeof how);
    if (fd >= 0)
        return Descriptor(int(fd));
    if (errno == ENOSYS || errno == EPERM)
        unsupported.store(true, std::memory_order_relaxed);
#else
    Q_UNUSED(root);
    Q_UNUSED(relative);
#endif
    return std::nullopt;
}

// Creates the folder, its missing parents first, as the platform resolves the
// path. Returns 0, or the reason and (in `where`) the folder that could not be
// made.
int makeFolder(const QByteArray& path, QByteArray& where)
{
    if (::mkdir(path.constData(), 0777) == 0)
        return 0;
    int error = errno;
    if (error == ENOENT) {
        const qsizetype slash = path.lastIndexOf('/');
        if (slash > 0) {
            if (const int parentError = makeFolder(path.left(slash), where))
                return parentError;
            if (::mkdir(path.constData(), 0777) == 0)
                return 0;
            error = errno;
        }
    }
    // Another machine may have made it meanwhile; a link to a folder will do.
    struct stat info = {};
    if (error == EEXIST && ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return 0;
    where = path;
    return error;
}

} // namespace

LocalFileSystem::LocalFileSystem(QByteArray root, QByteArray scope)
    : m_root(std::move(root))
    , m_scope(std::move(scope))
{}

std::shared_ptr<FileSystem> LocalFileSystem::confinedTo(const QString& root)
{
    const QByteArray scope = native(root);
    return std::make_shared<LocalFileSystem>(m_root.value_or(scope), scope);
}

FileSystemError::Cause LocalFileSystem::causeOf(int error)
{
    using Cause = FileSystemError::Cause;
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENODEV:
    case ENXIO:
    case ENOTCONN:
    case ESTALE:
        return Cause::missing;
    case EROFS:
        return Cause::readOnly;
    case ENOSPC:
    case EDQUOT:
        return Cause::full;
    case EBUSY:
    case ETXTBSY:
        return Cause::inUse;
    case EACCES:
    case EPERM:
        return Cause::denied;
    default:
        return Cause::other;
    }
}

// What a person can do about a failure of each cause, after the system's
// own words.
static QString adviceFor(FileSystemError::Cause cause)
{
    using Cause = FileSystemError::Cause;
    switch (cause) {
    case Cause::missing:
        return Texts::tr("Is the folder still there, and the share still mounted?");
    case Cause::readOnly:
        return Texts::tr("The folder can only be read from this computer; ask whoever looks "
                         "after it for write access.");
    case Cause::full:
        return Texts::tr("The disk is full; make room on it and try again.");
    case Cause::inUse:
        return Texts::tr("Another computer has it open; it is tried again shortly.");
    case Cause::denied:
        return Texts::tr("This user may not change it; ask whoever looks after the folder for "
                         "write access.");
    case Cause::other:
        break;
    }
    return {};
}

// "<failure>: <the system's reason>." and the advice for its cause.
[[noreturn]] static void failBecause(const QString& failure, int error,
                                     std::optional<FileSystemError::Cause> cause)
{
    const FileSystemError::Cause why = cause.value_or(LocalFileSystem::causeOf(error));
    QString message = failure + QStringLiteral(": ") + qt_error_string(error) + u'.';
    if (const QString advice = adviceFor(why); !advice.isEmpty())
        message += u' ' + advice;
    throw FileSystemError(message, why);
}

void LocalFileSystem::fail(const QString& what, const QString& path, int error,
                           std::optional<FileSystemError::Cause> cause)
{
    failBecause(couldNot(what, path), error, cause);
}

void LocalFileSystem::fail(const QString& what, const QString& path, const QString& other,
                           int error, std::optional<FileSystemError::Cause> cause)
{
    failBecause(couldNot(what, path, other), error, cause);
}

// The root of a confined view is resolved by the platform like any path
// outside one; everything below it is walked to.
std::expected<LocalFileSystem::Place, Unreachable>
LocalFileSystem::find(const QByteArray& path) const
{
    if (isConfined() && (!within(path, m_scope) || !within(path, *m_root))) {
        Unreachable outside{path, 0};
        outside.isOutside = true;
        return std::unexpected(outside);
    }
    if (!isConfined() || path == *m_root)
        return Place{Descriptor(AT_FDCWD), path, false};

    const int rootFd = ::open(m_root->constData(), folderFlags);
    if (rootFd < 0)
        return std::unexpected(Unreachable{path, errno});
    Descriptor folder(rootFd);
    const QList<QByteArray> parts = below(path, *m_root);
    if (parts.size() > 1) {
        const qsizetype nameStart = path.size() - parts.last().size();
        const qsizetype start = *m_root == "/" ? 1 : m_root->size() + 1;
        if (std::optional<Descriptor> inside =
                folderAtOnce(folder, path.mid(start, nameStart - 1 - start)))
            return Place{std::move(*inside), parts.last(), true};
    }
    QByteArray reached = *m_root;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        reached = joined(reached, parts.at(i));
        std::expected<Descriptor, Unreachable> next = step(folder, parts.at(i), reached);
        if (!next)
            return std::unexpected(next.error());
        folder = std::move(*next);
    }
    return Place{std::move(folder), parts.last(), true};
}

LocalFileSystem::Place LocalFileSystem::locate(const QString& what, const QString& path) const
{
    std::expected<Place, Unreachable> place = find(native(path));
    if (!place)
        refuse(what, path, place.error());
    return std::move(*place);
}

void LocalFileSystem::refuse(const QString& what, const QString& path, const Unreachable& why) const
{
    if (why.isOutside) {
        throw FileSystemError(Texts::tr("%1: it is not inside %2")
                                  .arg(couldNot(what, path), QFile::decodeName(m_scope)));
    }
    if (why.isLink)
        throw linkRefused(what, path, QFile::decodeName(why.where), QFile::decodeName(*m_root));
    if (why.isNotFolder) {
        throw FileSystemError(Texts::tr("%1: %2 is not a folder")
                                  .arg(couldNot(what, path), QFile::decodeName(why.where)));
    }
    fail(what, path, why.error);
}

void LocalFileSystem::failAt(const QString& what, const QString& path, const Place& place,
                             int error) const
{
    struct stat info = {};
    if (place.confined &&
        ::fstatat(place.folder.get(), place.name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(info.st_mode))
        throw linkRefused(what, path, path, QFile::decodeName(*m_root));
    fail(what, path, error);
}

bool LocalFileSystem::status(const QString& path, bool follow, struct stat& info) const
{
    const std::expected<Place, Unreachable> place = find(native(path));
    if (!place)
        return false;
    const int flags = follow && !place->confined ? 0 : AT_SYMLINK_NOFOLLOW;
    return ::fstatat(place->folder.get(), place->name.constData(), &info, flags) == 0;
}

LocalFileSystem::Descriptor LocalFileSystem::openFolder(const QString& path) const
{
    const Place place = locate(QStringLiteral("list"), path);
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (place.confined ? O_NOFOLLOW : 0);
    const int fd = ::openat(place.folder.get(), place.name.constData(), flags);
    if (fd < 0)
        failAt(QStringLiteral("list"), path, place, errno);
    return Descriptor(fd);
}

void LocalFileSystem::createFolder(const QString& path)
{
    const QByteArray name = native(path);
    if (isConfined())
        return createConfinedFolder(path, name);
    QByteArray where;
    if (const int error = makeFolder(name, where))
        fail(QStringLiteral("create the folder"), QFile::decodeName(where), error);
}

// Each folder is made, then entered without following a link, so one that is
// a link, or is swapped for one meanwhile, is refused rather than entered. The
// root itself is never made: a missing root is a share that is not mounted,
// and making it would fill the mount point on this machine's own disk.
void LocalFileSystem::createConfinedFolder(const QString& path, const QByteArray& name)
{
    const QString what = QStringLiteral("create the folder");
    if (!within(name, m_scope) || !within(name, *m_root)) {
        Unreachable outside{name, 0};
        outside.isOutside = true;
        refuse(what, path, outside);
    }
    const int rootFd = ::open(m_root->constData(), folderFlags);
    if (rootFd < 0)
        fail(what, QFile::decodeName(*m_root), errno);
    Descriptor folder(rootFd);
    QByteArray reached = *m_root;
    for (const QByteArray& part : below(name, *m_root)) {
        reached = joined(reached, part);
        const bool made = ::mkdirat(folder.get(), part.constData(), 0777) == 0;
        if (!made && errno != EEXIST)
            fail(what, QFile::decodeName(reached), errno);
        const std::optional<mode_t> mode = made ? shareMode(folder.get(), true) : std::nullopt;
        std::expected<Descriptor, Unreachable> next = step(folder, part, reached);
        if (!next)
            refuse(what, path, next.error());
        folder = std::move(*next);
        // The folder just made, by the descriptor it was entered by (which
        // may be one that fchmod does not take).
        if (mode)
            ::chmod(QByteArray("/proc/self/fd/" + QByteArray::number(folder.get())).constData(),
                    *mode);
    }
}

} // namespace zol
