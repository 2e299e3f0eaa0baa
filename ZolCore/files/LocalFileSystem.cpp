#include "files/LocalFileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The machine's own file system, straight on the POSIX calls. An idle sync pass
// lists every catalogue folder of the studio, thousands of entries over a
// network mount, so a listing costs one readdir per entry and one fstatat per
// name, as `find` does, and builds no QFileInfo or QDir on the way. Where each
// operation acts is found in LocalFileSystemPaths.cpp.

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::LocalFileSystem)
};

template <typename Time> QDateTime instantOf(const Time& time)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(time.tv_sec) * 1000 + time.tv_nsec / 1'000'000,
                                          Qt::UTC);
}

// The modification time with the precision the file system keeps (to the
// millisecond, as far as QDateTime goes). Linux calls the field st_mtim, macOS
// st_mtimespec.
template <typename Stat> QDateTime modifiedOf(const Stat& info)
{
    if constexpr (requires { info.st_mtim; })
        return instantOf(info.st_mtim);
    else
        return instantOf(info.st_mtimespec);
}

// Whether the decoded name gives back the very bytes it came from; plain
// ASCII always does, and is by far the common case.
bool spellsExactly(const char* bytes, const QString& decoded)
{
    for (const char* c = bytes; *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80)
            return QFile::encodeName(decoded) == bytes;
    }
    return true;
}

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

using Descriptor = LocalFileSystem::Descriptor;

struct CloseFolder
{
    void operator()(DIR* folder) const { ::closedir(folder); }
};
using Folder = std::unique_ptr<DIR, CloseFolder>;

// The first failure of a removal, kept while the rest of the tree is removed.
struct RemoveFailure
{
    QByteArray path;
    int error = 0;
};

// Removes `name` inside the folder open as `parent`: a real folder with
// everything in it, anything else (a symbolic link above all) as the entry
// itself. A folder is opened with O_NOFOLLOW, so one that is swapped for a link
// between the lstat and the open is refused rather than entered. Entries that
// vanish meanwhile are gone as wanted; any other failure is kept (the first
// one) and the removal goes on, so that one stuck file leaves as little behind
// as possible.
// Nothing Zol writes nests more than a few folders deep; a deeper tree was
// planted, and walking it would hold one open folder per level.
constexpr int maximumRemovalDepth = 32;

void removeEntry(int parent, const char* name, const QByteArray& path, bool isTop,
                 std::optional<RemoveFailure>& failure, int depth = 0)
{
    const auto note = [&](const QByteArray& where, int error) {
        if (error == ENOENT && !isTop)
            return;
        if (!failure)
            failure = RemoveFailure{where, error};
    };

    struct stat info = {};
    if (::fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return note(path, errno);
    if (!S_ISDIR(info.st_mode)) {
        if (::unlinkat(parent, name, 0) != 0)
            note(path, errno);
        return;
    }

    if (depth >= maximumRemovalDepth)
        return note(path, ELOOP);
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return note(path, errno);
    const Folder folder(::fdopendir(fd));
    if (!folder) {
        const int error = errno;
        ::close(fd);
        return note(path, error);
    }
    // Read the names before removing any: readdir need not be stable while the
    // folder changes under it.
    QList<QByteArray> names;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(folder.get());
        if (!item) {
            if (errno != 0)
                note(path, errno);
            break;
        }
        if (!isDotOrDotDot(item->d_name))
            names.append(QByteArray(item->d_name));
    }
    for (const QByteArray& child : std::as_const(names))
        removeEntry(fd, child.constData(), path + '/' + child, false, failure, depth + 1);
    if (::unlinkat(parent, name, AT_REMOVEDIR) != 0)
        note(path, errno);
}

// Creates `name` in `folder`, which must not exist yet, and writes the bytes;
// with `durable`, forces them to disk before returning. With `mode`, the file
// gets exactly that mode, whatever the umask. Returns 0 or the reason; a file
// left half-written is removed.
int writeNewFile(int folder, const char* name, const QByteArray& bytes, bool durable,
                 std::optional<mode_t> mode)
{
    int fd = -1;
    do
        fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno;
    int error = 0;
    {
        const Descriptor file(fd);
        // A share that keeps no modes (SMB without extensions) says no; the
        // file is written all the same.
        if (mode && ::fchmod(fd, *mode) != 0 && errno != EPERM && errno != ENOTSUP)
            error = errno;
        qsizetype done = 0;
        while (done < bytes.size() && error == 0) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno != EINTR)
                error = errno;
            else if (n > 0)
                done += n;
        }
        // Some file systems cannot sync at all; the bytes are written anyway.
        if (error == 0 && durable && ::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
            error = errno;
    }
    if (error != 0)
        ::unlinkat(folder, name, 0);
    return error;
}

// ".2026-W10.csv.3F2A9C1B.tmp" beside "2026-W10.csv" (a name or a path):
// hidden, so that every reader skips it, and unique. A name too long to carry
// along is left out.
QByteArray temporaryName(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = path.left(slash + 1);
    const QByteArray name = path.mid(slash + 1);
    const QByteArray unique =
        QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0');
    if (name.size() > 200)
        return folder + '.' + unique + ".tmp";
    return folder + '.' + name + '.' + unique + ".tmp";
}

// A rename that says the target exists cannot mean it: a rename replaces.
// A share answers so when another computer holds the target open.
std::optional<FileSystemError::Cause> heldCause(int error)
{
    if (error == EEXIST)
        return FileSystemError::Cause::inUse;
    return std::nullopt;
}

} // namespace

std::optional<mode_t> LocalFileSystem::shareMode(int folder, bool isFolder) const
{
    if (!isConfined())
        return std::nullopt;
    struct stat info = {};
    if (::fstat(folder, &info) != 0)
        return std::nullopt;
    // Whoever may read the folder may read what is written in it, whatever
    // this process's umask says: the studio reads everybody's files. A
    // folder takes its parent's mode, so the folders every computer writes
    // into stay writable to all of them; only its owner ever writes a file.
    if (isFolder)
        return mode_t((info.st_mode & 07777) | S_IRWXU);
    return mode_t(S_IRUSR | S_IWUSR | (info.st_mode & (S_IRGRP | S_IROTH)));
}

bool LocalFileSystem::exists(const QString& path) const
{
    struct stat info = {};
    return status(path, true, info);
}

bool LocalFileSystem::isLink(const QString& path) const
{
    struct stat info = {};
    return status(path, false, info) && S_ISLNK(info.st_mode);
}

bool LocalFileSystem::isFolder(const QString& path) const
{
    struct stat info = {};
    return status(path, true, info) && S_ISDIR(info.st_mode);
}

QList<FileSystem::Entry> LocalFileSystem::list(const QString& folder) const
{
    Descriptor opened = openFolder(folder);
    const Folder listing(::fdopendir(opened.get()));
    if (!listing)
        fail(QStringLiteral("list"), folder, errno);
    opened.release();
    const int fd = ::dirfd(listing.get());

    QList<Entry> entries;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(listing.get());
        if (!item) {
            if (errno != 0)
                fail(QStringLiteral("list"), folder, errno);
            break;
        }
        const char* name = item->d_name;
        if (isDotOrDotDot(name))
            continue;

        Entry entry;
        struct stat info = {};
        if (::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            // Removed since the folder was read: not there any more.
            if (errno == ENOENT)
                continue;
            // There, but the file system says nothing more about it.
            entry.name = QFile::decodeName(name);
            entry.hasExactName = spellsExactly(name, entry.name);
            entry.isLink = item->d_type == DT_LNK;
            entry.isFolder = item->d_type == DT_DIR;
            entries.append(std::move(entry));
            continue;
        }
        entry.name = QFile::decodeName(name);
        entry.hasExactName = spellsExactly(name, entry.name);
        entry.modified = modifiedOf(info);
        if (S_ISLNK(info.st_mode)) {
            entry.isLink = true;
            // A confined view looks nothing up through a link.
            struct stat target = {};
            entry.isFolder =
                !isConfined() && ::fstatat(fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        } else if (S_ISDIR(info.st_mode)) {
            entry.isFolder = true;
        } else if (S_ISREG(info.st_mode)) {
            entry.size = info.st_size;
        }
        entries.append(std::move(entry));
    }
    return entries;
}

QByteArray LocalFileSystem::read(const QString& path, qint64 maxSize) const
{
    const QString what = QStringLiteral("read");
    const Place place = locate(what, path);
    // Opened without blocking: a named pipe planted among the files would
    // otherwise hold the reader forever. It is refused below.
    int fd = -1;
    do
        fd = ::openat(place.folder.get(), place.name.constData(),
                      O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        failAt(what, path, place, errno);
    const Descriptor file(fd);

    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        fail(what, path, errno);
    if (S_ISDIR(info.st_mode))
        fail(what, path, EISDIR);
    if (!S_ISREG(info.st_mode))
        throw FileSystemError(Texts::tr("%1: not a regular file").arg(couldNot(what, path)));

    const qint64 limit =
        std::clamp<qint64>(maxSize, 0, std::numeric_limits<qsizetype>::max() / 2 - 1);
    const auto tooLarge = [&] {
        throw FileSystemError(Texts::tr("%1: larger than %2 bytes, the most this reads")
                                  .arg(couldNot(what, path), QString::number(limit)));
    };
    if (info.st_size > limit)
        tooLarge();

    // The file may change while it is read: read to its end, whatever fstat
    // said, but never past the limit. One byte beyond the size stated lets the
    // usual file end in a single pass.
    QByteArray bytes(qMin<qint64>(info.st_size, limit) + 1, Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > limit)
                tooLarge();
            bytes.resize(qMin<qint64>(done * 2, limit + 1));
        }
        const ssize_t count = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            fail(what, path, errno);
        }
        if (count == 0)
            break;
        done += count;
    }
    bytes.truncate(done);
    return bytes;
}

// A hidden temporary file beside the target, forced to disk, then renamed over
// the target: the target itself is replaced, a link in its place included,
// and never written through. A new file gets the usual 0666 less the umask,
// or, below a confined root, the mode shareMode() gives it.
void LocalFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    const QString what = QStringLiteral("write");
    const Place place = locate(what, path);
    const QByteArray temporary = temporaryName(place.name);
    if (const int error = writeNewFile(place.folder.get(), temporary.constData(), bytes, true,
                                       shareMode(place.folder.get(), false)))
        fail(what, path, error);
    if (::renameat(place.folder.get(), temporary.constData(), place.folder.get(),
                   place.name.constData()) != 0) {
        const int error = errno;
        ::unlinkat(place.folder.get(), temporary.constData(), 0);
        fail(what, path, error);
    }
}

void LocalFileSystem::writeNew(const QString& path, const QByteArray& bytes)
{
    const QString what = QStringLiteral("write");
    const Place place = locate(what, path);
    if (const int error = writeNewFile(place.folder.get(), place.name.constData(), bytes, false,
                                       shareMode(place.folder.get(), false)))
        failAt(what, path, place, error);
}

void LocalFileSystem::replace(const QString& target, const QString& replacement)
{
    const QString what = QStringLiteral("replace");
    const Place to = locate(what, target);
    const Place from = locate(what, replacement);
    if (::renameat(from.folder.get(), from.name.constData(), to.folder.get(),
                   to.name.constData()) != 0)
        fail(what, target, replacement, errno, heldCause(errno));
}

void LocalFileSystem::move(const QString& from, const QString& to)
{
    const QString what = QStringLiteral("move");
    const Place source = locate(what, from);
    const Place destination = locate(what, to);
    if (::renameat(source.folder.get(), source.name.constData(), destination.folder.get(),
                   destination.name.constData()) != 0)
        fail(what, from, to, errno, heldCause(errno));
}

void LocalFileSystem::remove(const QString& path)
{
    // The entry is found in its folder by name, so a trailing "/" cannot make
    // this follow a link to a folder and empty the folder it points to.
    const Place place = locate(QStringLiteral("remove"), path);
    const QByteArray name = QFile::encodeName(QDir::cleanPath(path));
    std::optional<RemoveFailure> failure;
    removeEntry(place.folder.get(), place.name.constData(), name, true, failure);
    if (failure)
        fail(QStringLiteral("remove"), QFile::decodeName(failure->path), failure->error);
}

// A leading "." is the only hidden mark here, and the studio folder's own
// names already begin with one.
void LocalFileSystem::setHidden(const QString&) {}

FileSystem& FileSystem::local()
{
    static LocalFileSystem fileSystem;
    return fileSystem;
}

} // namespace zol
