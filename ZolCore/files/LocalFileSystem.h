#pragma once

#include "files/FileSystem.h"

#include <QByteArray>
#include <QString>

#include <expected>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace zol {

// The machine's own file system, straight on the POSIX calls; FileSystem::local()
// is the unconfined one, confinedTo() gives views that walk from their root.
// Every operation first finds where its entry is (a Place), then acts on it
// with the *at calls: unconfined, on the whole path as the platform resolves
// it; confined, on the entry's name in its folder, which is reached one
// component at a time from the root without following links. An instance holds
// no state beyond its root: one serves every thread.
//
// Internal to the file layer: everything else uses FileSystem.
class LocalFileSystem final : public FileSystem
{
public:
    // The machine's file system as the platform resolves paths.
    LocalFileSystem() = default;
    // Confined to `root` (walked from) and `scope` (at or below `root`; every
    // path must lie at or below it). Both clean native paths.
    LocalFileSystem(QByteArray root, QByteArray scope);

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
    std::shared_ptr<FileSystem> confinedTo(const QString& root) override;

    // An open file or folder, closed when it goes.
    class Descriptor
    {
    public:
        explicit Descriptor(int fd = -1)
            : m_fd(fd)
        {}
        ~Descriptor()
        {
            if (m_fd >= 0)
                ::close(m_fd);
        }
        Descriptor(Descriptor&& other) noexcept
            : m_fd(other.release())
        {}
        Descriptor& operator=(Descriptor&& other) noexcept
        {
            if (this != &other) {
                if (m_fd >= 0)
                    ::close(m_fd);
                m_fd = other.release();
            }
            return *this;
        }

        int get() const { return m_fd; }
        int release()
        {
            const int fd = m_fd;
            m_fd = -1;
            return fd;
        }

    private:
        int m_fd;
    };

    // Where an operation acts: the open folder holding the entry, and its name
    // in it; or, where the platform resolves the path, AT_FDCWD and the whole
    // path.
    struct Place
    {
        Descriptor folder;
        QByteArray name;
        // Below a confined root: the entry itself is never followed either.
        bool confined = false;
    };

    // What an errno says stood in the way.
    static FileSystemError::Cause causeOf(int error);
    // "Could not <what> <path>: <the system's reason>." and what a person can
    // do about it.
    [[noreturn]] static void fail(const QString& what, const QString& path, int error,
                                  std::optional<FileSystemError::Cause> cause = std::nullopt);
    // The same for a replace or a move: "Could not move <path> to <other>: …".
    [[noreturn]] static void fail(const QString& what, const QString& path, const QString& other,
                                  int error, std::optional<FileSystemError::Cause> cause);

    // Why a place could not be reached; becomes the operation's sentence.
    struct Unreachable
    {
        // The component that stopped the walk (a native path).
        QByteArray where;
        int error = 0;
        bool isLink = false;
        bool isNotFolder = false;
        bool isOutside = false;
    };

private:
    bool isConfined() const { return m_root.has_value(); }
    // The entry's status: `path` itself when it is a link below a confined
    // root, else what it leads to when `follow`. False when it cannot be had.
    bool status(const QString& path, bool follow, struct stat& info) const;
    // The place of `path`'s entry, or why there is none.
    std::expected<Place, Unreachable> find(const QByteArray& path) const;
    // The same, throwing the operation's sentence when there is none.
    Place locate(const QString& what, const QString& path) const;
    // `path` itself opened as a folder to list; confined, without following.
    Descriptor openFolder(const QString& path) const;
    // The sentence for an operation that could not reach its place.
    [[noreturn]] void refuse(const QString& what, const QString& path,
                             const Unreachable& why) const;
    // Fails with `error`, unless the entry at `place` is a link below the root:
    // then with the sentence that says so.
    [[noreturn]] void failAt(const QString& what, const QString& path, const Place& place,
                             int error) const;
    void createConfinedFolder(const QString& path, const QByteArray& native);
    // The mode of a file or folder made in `folder`, below a confined root
    // (the studio folder); none elsewhere, where the umask decides.
    std::optional<mode_t> shareMode(int folder, bool isFolder) const;

    std::optional<QByteArray> m_root;
    QByteArray m_scope;
};

} // namespace zol
