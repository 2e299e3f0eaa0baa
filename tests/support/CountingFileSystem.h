#pragma once

#include "files/FileSystem.h"

#include <QMutex>
#include <QStringList>

#include <atomic>
#include <memory>

namespace zol::test {

// A real file system (the machine's own unless told otherwise) that counts what
// is done through it and fails on request, for tests of the studio folder.
//
// Counts are of calls made, failed ones included: reads, and writes, which are
// writeAtomically, writeNew, replace, move, remove, and createFolder of a
// folder that did not exist yet. Nothing else is counted. Injected failures
// throw FileSystemError as a real one would. Safe to use from several threads
// at once.
//
// A confined view (confinedTo) is the inner file system's own view with the
// same counting on top: what goes through it counts here, and the failures
// injected here apply to it.
class CountingFileSystem final : public FileSystem
{
public:
    explicit CountingFileSystem(FileSystem& inner = FileSystem::local());

    int reads() const { return m_state->reads; }
    int writes() const { return m_state->writes; }
    // The path each counted write went to, in order: the destination of a
    // replace or a move.
    QStringList writtenPaths() const;
    void resetCounts();

    // Listings report modification times cut to whole seconds, as SMB, sshfs
    // and FAT shares do.
    void setWholeSecondTimes(bool whole) { m_state->wholeSecondTimes = whole; }
    // replace() throws and leaves both files as they were, as on a share that
    // refuses to rename over an existing file.
    void failReplace(bool fail) { m_state->failReplace = fail; }
    // replace() deletes the replacement file and then throws.
    void vanishTemporaryOnReplace(bool vanish) { m_state->vanishOnReplace = vanish; }
    // Every write touching the path, or anything below it, throws and does
    // nothing.
    void failWritesTo(const QString& path);
    // Files written anywhere below the path fail as on a full disk, while
    // folders are still made (a folder takes no data blocks).
    void fillUp(const QString& path);
    // The file is held open by another computer on an SMB share: replacing
    // it, moving onto it and removing it are refused ("File exists"), as a
    // share refuses them for a file another client has open.
    void holdOpen(const QString& path);
    // Ends every injected failure; the counts stay.
    void clearFailures();

    bool exists(const QString& path) const override { return m_inner.exists(path); }
    bool isFolder(const QString& path) const override { return m_inner.isFolder(path); }
    bool isLink(const QString& path) const override { return m_inner.isLink(path); }
    void createFolder(const QString& path) override;
    QList<Entry> list(const QString& folder) const override;
    QByteArray read(const QString& path, qint64 maxSize) const override;
    void writeAtomically(const QString& path, const QByteArray& bytes) override;
    void writeNew(const QString& path, const QByteArray& bytes) override;
    void replace(const QString& target, const QString& replacement) override;
    void move(const QString& from, const QString& to) override;
    void remove(const QString& path) override;
    void setHidden(const QString& path) override { m_inner.setHidden(path); }
    std::shared_ptr<FileSystem> confinedTo(const QString& root) override;

private:
    // What a file system and its confined views count and break together.
    struct State
    {
        QMutex mutex;
        std::atomic<int> reads = 0;
        std::atomic<int> writes = 0;
        QStringList writtenPaths;
        std::atomic<bool> wholeSecondTimes = false;
        std::atomic<bool> failReplace = false;
        std::atomic<bool> vanishOnReplace = false;
        QStringList unwritable;
        QStringList heldOpen;
        QStringList full;
    };
    // Throws as a full disk does when `path` is below a full folder.
    void refuseIfFull(const QString& path) const;
    // Throws as the share does when `path` is held open.
    void refuseIfHeld(const QString& what, const QString& path) const;

    CountingFileSystem(std::shared_ptr<FileSystem> inner, std::shared_ptr<State> state);

    // Counts a write to `destination`; throws when any of `paths` is broken.
    void countWrite(const QString& what, const QString& destination, const QStringList& paths);

    // Held when this is a confined view; `m_inner` refers to it.
    std::shared_ptr<FileSystem> m_ownInner;
    FileSystem& m_inner;
    std::shared_ptr<State> m_state;
};

} // namespace zol::test
