#include "share/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

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
// name, as `find` does, and builds no QFileInfo or QDir on the way. The class
// holds no state: one instance serves every thread.

namespace zol {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

[[noreturn]] void fail(const QString& what, const QString& path, int error)
{
    throw FileSystemError(QStringLiteral("Could not ") + what + u' ' + path + QStringLiteral(": ") +
                          qt_error_string(error));
}

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason)
{
    throw FileSystemError(QStringLiteral("Could not ") + what + u' ' + path + QStringLiteral(": ") +
                          reason);
}

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

class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

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

// Removes `name` inside the folder open as `parent` (or a whole path with
// AT_FDCWD): a real folder with everything in it, anything else (a symbolic
// link above all) as the entry itself. A folder is opened with O_NOFOLLOW, so
// one that is swapped for a link between the lstat and the open is refused
// rather than entered. Entries that vanish meanwhile are gone as wanted; any
// other failure is kept (the first one) and the removal goes on, so that one
// stuck file leaves as little behind as possible.
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

// Creates the folder, its missing parents first. Returns 0, or the reason and
// (in `where`) the folder that could not be made.
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

class LocalFileSystem final : public FileSystem
{
public:
    bool exists(const QString& path) const override;
    bool isFolder(const QString& path) const override;
    bool isLink(const QString& path) const override;
    void createFolder(const QString& path) override;
    QList<Entry> list(const QString& folder) const override;
    QByteArray read(const QString& path, qint64 maxSize) const override;
    void writeAtomically(const QString& path, const QByteArray& bytes) override;
    void writeNew(const QString& path, const QByteArray& bytes) override;
    void replace(const QString& target, const QString& replacement) override;
    void move(const QString& from, const QString& to) override;
    void remove(const QString& path) override;
    void setHidden(const QString& path) override;
};

bool LocalFileSystem::exists(const QString& path) const
{
    struct stat info = {};
    return ::stat(native(path).constData(), &info) == 0;
}

bool LocalFileSystem::isLink(const QString& path) const
{
    struct stat info = {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool LocalFileSystem::isFolder(const QString& path) const
{
    struct stat info = {};
    return ::stat(native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

void LocalFileSystem::createFolder(const QString& path)
{
    QByteArray where;
    if (const int error = makeFolder(native(QDir::cleanPath(path)), where))
        fail(QStringLiteral("create the folder"), QFile::decodeName(where), error);
}

QList<FileSystem::Entry> LocalFileSystem::list(const QString& folder) const
{
    const Folder listing(::opendir(native(folder).constData()));
    if (!listing)
        fail(QStringLiteral("list"), folder, errno);
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
            struct stat target = {};
            entry.isFolder = ::fstatat(fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
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
    // Opened without blocking: a named pipe planted among the files would
    // otherwise hold the reader forever. It is refused below.
    int fd = -1;
    do
        fd = ::open(native(path).constData(),
                    O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        fail(what, path, errno);
    const Descriptor file(fd);

    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        fail(what, path, errno);
    if (S_ISDIR(info.st_mode))
        fail(what, path, EISDIR);
    if (!S_ISREG(info.st_mode))
        fail(what, path, QStringLiteral("not a regular file"));

    const qint64 limit =
        std::clamp<qint64>(maxSize, 0, std::numeric_limits<qsizetype>::max() / 2 - 1);
    const auto tooLarge = [&] {
        fail(what, path, QStringLiteral("larger than %1 bytes, the most this reads").arg(limit));
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

// QSaveFile writes a temporary file beside the target and renames it into
// place on commit. On Linux it first tries an unnamed O_TMPFILE file, which
// network file systems (SMB, NFS, sshfs) refuse with EOPNOTSUPP; Qt then falls
// back to a named temporary file in the same folder, so this works on the
// studio's mount as well. A new file gets the usual 0666 less the umask, which
// lets the other people of the studio read it.
void LocalFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("write"), path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(QStringLiteral("write"), path, file.errorString());
}

void LocalFileSystem::writeNew(const QString& path, const QByteArray& bytes)
{
    const QString what = QStringLiteral("write");
    const QByteArray name = native(path);
    int fd = -1;
    do
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        fail(what, path, errno);
    int error = 0;
    {
        const Descriptor file(fd);
        qsizetype done = 0;
        while (done < bytes.size() && error == 0) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno != EINTR)
                error = errno;
            else if (n > 0)
                done += n;
        }
    }
    if (error != 0) {
        ::unlink(name.constData());
        fail(what, path, error);
    }
}

void LocalFileSystem::replace(const QString& target, const QString& replacement)
{
    if (::rename(native(replacement).constData(), native(target).constData()) != 0)
        fail(QStringLiteral("replace"), target + QStringLiteral(" with ") + replacement, errno);
}

void LocalFileSystem::move(const QString& from, const QString& to)
{
    if (::rename(native(from).constData(), native(to).constData()) != 0)
        fail(QStringLiteral("move"), from + QStringLiteral(" to ") + to, errno);
}

void LocalFileSystem::remove(const QString& path)
{
    // Without the clean-up, a trailing "/" would make the lstat follow a link
    // to a folder and empty the folder it points to.
    const QByteArray name = native(QDir::cleanPath(path));
    std::optional<RemoveFailure> failure;
    removeEntry(AT_FDCWD, name.constData(), name, true, failure);
    if (failure)
        fail(QStringLiteral("remove"), QFile::decodeName(failure->path), failure->error);
}

// A leading "." is the only hidden mark here, and the studio folder's own
// names already begin with one.
void LocalFileSystem::setHidden(const QString&) {}

} // namespace

FileSystem& FileSystem::local()
{
    static LocalFileSystem fileSystem;
    return fileSystem;
}

bool FileSystem::isLeftover(QStringView name)
{
    return name.startsWith(u'.') || name.contains(u".sync-conflict-") ||
           name.contains(u".syncthing.") || name.endsWith(u'~');
}

} // namespace zol
