#pragma once

#include "share/FileSystem.h"

#include <QMutex>
#include <QStringList>

namespace zol::test {

// A real file system (the machine's own unless told otherwise) that counts what
// is done through it and fails on request, for tests of the studio folder.
//
// Counts are of calls made, failed ones included: reads, listings, and writes,
// which are writeAtomically, replace, move, remove, and createFolder of a
// folder that did not exist yet. exists() and isFolder() are not counted.
// Injected failures throw FileSystemError as a real one would. Safe to use
// from several threads at once.
class CountingFileSystem final : public FileSystem
{
public:
    explicit CountingFileSystem(FileSystem& inner = FileSystem::local());

    int reads() const;
    int writes() const;
    int listings() const;
    // The path each counted write went to, in order: the destination of a
    // replace or a move.
    QStringList writtenPaths() const;
    void resetCounts();

    // Listings report modification times cut to whole seconds, as SMB, sshfs
    // and FAT shares do.
    void setWholeSecondTimes(bool whole);
    // replace() throws and leaves both files as they were, as on a share that
    // refuses to rename over an existing file.
    void failReplace(bool fail);
    // replace() deletes the replacement file and then throws.
    void vanishTemporaryOnReplace(bool vanish);
    // list() and read() of the path, or of anything below it, throw.
    void makeUnreadable(const QString& path);
    // Every write touching the path, or anything below it, throws and does
    // nothing.
    void failWritesTo(const QString& path);
    // Ends every injected failure; the counts stay.
    void clearFailures();

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

private:
    // Counts a write to `destination`; throws when any of `paths` is broken.
    void countWrite(const QString& what, const QString& destination,
                    const QStringList& paths) const;
    void checkReadable(const QString& what, const QString& path) const;

    FileSystem& m_inner;
    mutable QMutex m_mutex;
    mutable int m_reads = 0;
    mutable int m_writes = 0;
    mutable int m_listings = 0;
    mutable QStringList m_writtenPaths;
    bool m_wholeSecondTimes = false;
    bool m_failReplace = false;
    bool m_vanishOnReplace = false;
    QStringList m_unreadable;
    QStringList m_unwritable;
};

} // namespace zol::test
