#include "files/WholeFile.h"

#include "support/Timestamps.h"

#include <QThread>

namespace zol {

namespace {

// Deletes the temporary file on the way out unless it was renamed into place.
// Whatever is left is only a leftover, so a failure to delete it is ignored.
class TemporaryFile
{
public:
    TemporaryFile(FileSystem& fileSystem, QString path)
        : m_fileSystem(fileSystem)
        , m_path(std::move(path))
    {}
    ~TemporaryFile()
    {
        if (m_placed)
            return;
        try {
            m_fileSystem.remove(m_path);
        } catch (const FileSystemError&) {
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const QString& path() const { return m_path; }
    void placed() { m_placed = true; }

private:
    FileSystem& m_fileSystem;
    QString m_path;
    bool m_placed = false;
};

// Whether a failure says the folder cannot take the file at all, as opposed
// to the old file standing in the way.
bool folderRefuses(FileSystemError::Cause cause)
{
    using Cause = FileSystemError::Cause;
    return cause == Cause::missing || cause == Cause::readOnly || cause == Cause::full;
}

// How often, and after how long, a replace that the old file stood in the way
// of is tried again: a reader on another computer holds a file for a moment.
constexpr int replaceRetries = 3;
constexpr unsigned long firstRetryMilliseconds = 50;

} // namespace

QString temporaryFor(const QString& target)
{
    const qsizetype slash = target.lastIndexOf(u'/');
    return target.left(slash + 1) + u'.' + target.mid(slash + 1) + u'.' +
           uuidText(newUuid()).left(8) + QStringLiteral(".tmp");
}

void writeWhole(FileSystem& fileSystem, const QByteArray& bytes, const QString& target)
{
    const QString path = temporaryFor(target);
    // Nothing exists to clean up until this has succeeded.
    fileSystem.writeNew(path, bytes);
    TemporaryFile temporary(fileSystem, path);

    QString refusal;
    for (int attempt = 0;; ++attempt) {
        try {
            fileSystem.replace(target, temporary.path());
            temporary.placed();
            return;
        } catch (const FileSystemError& error) {
            // If the replace took the temporary file with it there is nothing
            // left to put in place.
            if (!fileSystem.exists(temporary.path()) || folderRefuses(error.cause()))
                throw;
            refusal = error.message();
            if (attempt == replaceRetries)
                break;
        }
        QThread::msleep(firstRetryMilliseconds << attempt);
    }
    // Some shares refuse a rename over an existing file but let it go first.
    try {
        fileSystem.remove(target);
    } catch (const FileSystemError&) {
        // Perhaps it was never there; the move says whether the way is clear.
    }
    try {
        fileSystem.move(temporary.path(), target);
    } catch (const FileSystemError& error) {
        if (folderRefuses(error.cause()))
            throw;
        // The new copy went in beside the old one, so the folder takes
        // writes: the old file is held, by another computer reading it.
        throw FileSystemError(refusal, FileSystemError::Cause::inUse);
    }
    temporary.placed();
}

} // namespace zol
