#include "files/WholeFile.h"

#include "support/Timestamps.h"

namespace zol {

namespace {

// ".meta.json.3F2A9C1B.tmp" for ".../meta.json": hidden, so that readers skip
// it, and unique, so that two writes never share one.
QString temporaryFor(const QString& target)
{
    const qsizetype slash = target.lastIndexOf(u'/');
    return target.left(slash + 1) + u'.' + target.mid(slash + 1) + u'.' +
           uuidText(newUuid()).left(8) + QStringLiteral(".tmp");
}

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

} // namespace

void writeWhole(FileSystem& fileSystem, const QByteArray& bytes, const QString& target)
{
    const QString path = temporaryFor(target);
    // Nothing exists to clean up until this has succeeded.
    fileSystem.writeNew(path, bytes);
    TemporaryFile temporary(fileSystem, path);

    try {
        fileSystem.replace(target, temporary.path());
        temporary.placed();
        return;
    } catch (const FileSystemError&) {
        // Some shares refuse a rename over an existing file. If the replace
        // took the temporary file with it there is nothing left to put in place.
        if (!fileSystem.exists(temporary.path()))
            throw;
    }
    try {
        fileSystem.remove(target);
    } catch (const FileSystemError&) {
        // Perhaps it was never there; the move says whether the way is clear.
    }
    fileSystem.move(temporary.path(), target);
    temporary.placed();
}

} // namespace zol
