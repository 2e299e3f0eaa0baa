#pragma once

#include "support/Error.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace zol {

// The few file operations the studio folder needs, behind one interface so
// that tests can count, slow down or break them. Paths are absolute. Nothing
// here assumes local-disk semantics beyond an atomic rename within one folder:
// the studio folder is usually a network mount.
//
// Every failing operation throws FileSystemError with a sentence naming the
// path and the system's reason.
//
// The studio folder is reached through a confined view (confinedTo): another
// machine can put a symbolic link anywhere in the folder, and nothing this
// machine reads or writes may be carried out of it.
class FileSystem
{
public:
    class FileSystemError final : public ErrorOf<FileSystemError>
    {
    public:
        // What stood in the way, where the system said: the path is not there
        // (a share that went away), the file system takes no writes or has no
        // room, the file is held by somebody else (a share refuses to replace
        // or delete a file another computer has open), or access is refused.
        enum class Cause { other, missing, readOnly, full, inUse, denied };

        explicit FileSystemError(QString message, Cause cause = Cause::other)
            : ErrorOf(std::move(message))
            , m_cause(cause)
        {}
        Cause cause() const { return m_cause; }

    private:
        Cause m_cause;
    };

    // One entry of a folder listing. Hidden names are listed too.
    struct Entry
    {
        QString name;
        // A folder, or a symbolic link to one (in a confined view, a real
        // folder only: nothing is looked up through a link there).
        bool isFolder = false;
        // A symbolic link (to anything, or to nothing).
        bool isLink = false;
        // The entry's own modification time (of the link itself for a link);
        // absent when the file system does not say.
        std::optional<QDateTime> modified;
        // Size in bytes; -1 when not reported (folders, links).
        qint64 size = -1;
        // False when the name's bytes are not valid text: then `name` holds
        // replacement characters and does not address the entry, which must
        // be neither read nor removed by it.
        bool hasExactName = true;

        // A plain file (not a folder, not a link).
        bool isFile() const { return !isFolder && !isLink && size >= 0; }
    };

    virtual ~FileSystem() = default;

    // Whether something exists at the path (a dangling link does not; in a
    // confined view every link does, and is neither a folder nor a file).
    virtual bool exists(const QString& path) const = 0;
    virtual bool isFolder(const QString& path) const = 0;
    // Whether the path itself is a symbolic link (to anything, or to nothing).
    virtual bool isLink(const QString& path) const = 0;
    // Creates the folder and any missing parents; an existing folder is fine.
    virtual void createFolder(const QString& path) = 0;
    // The folder's entries, "." and ".." left out, in no particular order.
    virtual QList<Entry> list(const QString& folder) const = 0;
    // The whole file. A file larger than `maxSize` bytes is not read: that
    // throws, so that nobody can make a reader swallow a huge file. A path
    // that is itself a symbolic link is refused.
    virtual QByteArray read(const QString& path, qint64 maxSize) const = 0;
    // Writes the whole file so that readers see the old or the new bytes,
    // never a mixture (a temporary file renamed into place).
    virtual void writeAtomically(const QString& path, const QByteArray& bytes) = 0;
    // Creates a file that must not exist yet and writes the bytes. For a
    // temporary file of a unique name, which nobody reads before it is
    // complete; a file left half-written by a failure is removed. The bytes
    // are not forced to disk: what goes through here (catalogue files,
    // timesheets) is rebuilt from the local books whenever it is found missing
    // or different, and a flush per file would make a machine's first pass
    // over a studio wait on the NAS dozens of times.
    virtual void writeNew(const QString& path, const QByteArray& bytes) = 0;
    // Puts `replacement` in the place of `target`, in one step; works when the
    // target does not exist yet.
    virtual void replace(const QString& target, const QString& replacement) = 0;
    virtual void move(const QString& from, const QString& to) = 0;
    // Removes a file, a link or a folder with everything in it. A symbolic link
    // is removed itself; what it points to is never touched. Folders nested
    // absurdly deep are refused rather than walked.
    virtual void remove(const QString& path) = 0;
    // Marks the path hidden where the platform has such a mark (a leading "."
    // already hides it on Linux).
    virtual void setHidden(const QString& path) = 0;

    // This file system seen from `root`, for a folder that others can write
    // to. `root` itself is reached as the platform resolves it (a share is
    // often mounted under a linked path); below it, every path is taken one
    // component at a time and no symbolic link is ever followed, so nothing is
    // read, written, moved or removed anywhere else. A link met on the way is
    // refused with linkRefused()'s sentence; a path that is not `root` or
    // below it is refused as well. Confining a view again narrows it: the
    // first root still holds. Touches nothing on disk.
    //
    // The machine's own file system walks from the root's open folder, so a
    // link swapped in while an operation runs is refused as well. The default,
    // for file systems that wrap another (meters, fakes), looks at every
    // component through isLink() before passing the operation on: it keeps
    // out what is planted, but not what is swapped in mid-operation. A wrapper
    // of the machine's own file system should override this and wrap its
    // inner file system's view instead.
    virtual std::shared_ptr<FileSystem> confinedTo(const QString& root);

    // The machine's own file system.
    static FileSystem& local();

    // Whether a name is one of the temporary files this program's own writes
    // use (".<name>.<8 hex digits>.tmp", or ".<8 hex digits>.tmp" for a long
    // name): the only leftovers a pass may delete. Other tools' temporary
    // files (a sync engine's ".syncthing.….tmp") are theirs to tidy.
    static bool isOwnTemporary(QStringView name);

    // Whether a name in a shared folder is somebody's leftover rather than a
    // file a machine wrote for the others: hidden names (temporary files, the
    // "._" companions a Mac leaves on SMB and FAT shares), sync tools'
    // conflict copies and temporaries, and editor backups ending in "~".
    static bool isLeftover(QStringView name);

    // "Could not <what> <path>: <link> is a symbolic link, and nothing below
    // <root> is read or written through one." (With "it" for the link when
    // the path is the link.)
    static FileSystemError linkRefused(const QString& what, const QString& path,
                                       const QString& link, const QString& root);

    // "Could not <what> <path>", the opening of every refusal, in the reader's
    // language. `what` names the operation as the code does ("read", "write",
    // "create the folder", "use", …); a name not known here is put in as it is.
    static QString couldNot(const QString& what, const QString& path);
    // The same for an operation on two paths: "Could not replace <path> with
    // <other>", "Could not move <path> to <other>".
    static QString couldNot(const QString& what, const QString& path, const QString& other);
};

using FileSystemError = FileSystem::FileSystemError;

} // namespace zol
