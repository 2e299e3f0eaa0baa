#pragma once

#include "files/FileSystem.h"

namespace zol {

// The confined view FileSystem::confinedTo() gives by default: every path is
// checked to lie at or below the root, and each of its components below the
// root is asked isLink() of the file system underneath before the operation
// is passed on to it. A link planted anywhere on the way is refused; one
// swapped in between the check and the operation is not (the machine's own
// file system walks from the root's open folder instead, and has no such gap).
class CheckedFileSystem final : public FileSystem
{
public:
    // A view of `underneath` (which must outlive it) confined to `root`, with
    // every path at or below `scope` (`root` or a folder below it).
    CheckedFileSystem(FileSystem& underneath, QString root, QString scope);

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

private:
    // The first component of `path` below the root that is a link, up to the
    // entry itself when `entryToo`; empty when there is none. Throws when the
    // path is not inside the view.
    QString firstLink(const QString& what, const QString& path, bool entryToo) const;
    // Throws linkRefused() when firstLink() finds a link.
    void check(const QString& what, const QString& path, bool entryToo) const;
    // Whether the path is inside the view with no link on the way to it.
    bool reachable(const QString& path) const;

    FileSystem& m_underneath;
    QString m_root;
    QString m_scope;
};

} // namespace zol
