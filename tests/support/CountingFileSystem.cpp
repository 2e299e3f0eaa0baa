#include "CountingFileSystem.h"

#include <QDir>
#include <QMutexLocker>

namespace zol::test {

namespace {

bool isAtOrBelow(const QString& path, const QStringList& roots)
{
    const QString clean = QDir::cleanPath(path);
    for (const QString& root : roots) {
        if (clean == root || (clean.startsWith(root) && clean.at(root.size()) == u'/'))
            return true;
    }
    return false;
}

[[noreturn]] void injected(const QString& what, const QString& path)
{
    throw FileSystemError(QStringLiteral("Could not ") + what + u' ' + path +
                          QStringLiteral(": failure injected by the test"));
}

} // namespace

CountingFileSystem::CountingFileSystem(FileSystem& inner)
    : m_inner(inner)
    , m_state(std::make_shared<State>())
{}

CountingFileSystem::CountingFileSystem(std::shared_ptr<FileSystem> inner,
                                       std::shared_ptr<State> state)
    : m_ownInner(std::move(inner))
    , m_inner(*m_ownInner)
    , m_state(std::move(state))
{}

std::shared_ptr<FileSystem> CountingFileSystem::confinedTo(const QString& root)
{
    return std::shared_ptr<CountingFileSystem>(
        new CountingFileSystem(m_inner.confinedTo(root), m_state));
}

QStringList CountingFileSystem::writtenPaths() const
{
    const QMutexLocker lock(&m_state->mutex);
    return m_state->writtenPaths;
}

void CountingFileSystem::resetCounts()
{
    const QMutexLocker lock(&m_state->mutex);
    m_state->reads = m_state->writes = 0;
    m_state->writtenPaths.clear();
}

void CountingFileSystem::failWritesTo(const QString& path)
{
    const QMutexLocker lock(&m_state->mutex);
    m_state->unwritable.append(QDir::cleanPath(path));
}

void CountingFileSystem::fillUp(const QString& path)
{
    const QMutexLocker lock(&m_state->mutex);
    m_state->full.append(QDir::cleanPath(path));
}

void CountingFileSystem::refuseIfFull(const QString& path) const
{
    const QMutexLocker lock(&m_state->mutex);
    if (isAtOrBelow(path, m_state->full))
        throw FileSystemError(QStringLiteral("Could not write ") + path +
                                  QStringLiteral(": No space left on device"),
                              FileSystemError::Cause::full);
}

void CountingFileSystem::holdOpen(const QString& path)
{
    const QMutexLocker lock(&m_state->mutex);
    m_state->heldOpen.append(QDir::cleanPath(path));
}

void CountingFileSystem::clearFailures()
{
    const QMutexLocker lock(&m_state->mutex);
    m_state->failReplace = m_state->vanishOnReplace = false;
    m_state->unwritable.clear();
    m_state->heldOpen.clear();
    m_state->full.clear();
}

void CountingFileSystem::refuseIfHeld(const QString& what, const QString& path) const
{
    const QMutexLocker lock(&m_state->mutex);
    if (m_state->heldOpen.contains(QDir::cleanPath(path)))
        throw FileSystemError(QStringLiteral("Could not ") + what + u' ' + path +
                                  QStringLiteral(": File exists"),
                              FileSystemError::Cause::inUse);
}

void CountingFileSystem::countWrite(const QString& what, const QString& destination,
                                    const QStringList& paths)
{
    const QMutexLocker lock(&m_state->mutex);
    ++m_state->writes;
    m_state->writtenPaths.append(destination);
    for (const QString& path : paths) {
        if (isAtOrBelow(path, m_state->unwritable))
            injected(what, path);
    }
}

void CountingFileSystem::createFolder(const QString& path)
{
    if (m_inner.isFolder(path))
        return;
    countWrite(QStringLiteral("create the folder"), path, {path});
    m_inner.createFolder(path);
}

QList<FileSystem::Entry> CountingFileSystem::list(const QString& folder) const
{
    QList<Entry> entries = m_inner.list(folder);
    if (m_state->wholeSecondTimes) {
        for (Entry& entry : entries) {
            if (entry.modified) {
                const qint64 ms = entry.modified->toMSecsSinceEpoch();
                entry.modified =
                    QDateTime::fromMSecsSinceEpoch(ms - ((ms % 1000) + 1000) % 1000, Qt::UTC);
            }
        }
    }
    return entries;
}

QByteArray CountingFileSystem::read(const QString& path, qint64 maxSize) const
{
    ++m_state->reads;
    return m_inner.read(path, maxSize);
}

void CountingFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    countWrite(QStringLiteral("write"), path, {path});
    refuseIfFull(path);
    m_inner.writeAtomically(path, bytes);
}

void CountingFileSystem::writeNew(const QString& path, const QByteArray& bytes)
{
    countWrite(QStringLiteral("write"), path, {path});
    refuseIfFull(path);
    m_inner.writeNew(path, bytes);
}

void CountingFileSystem::replace(const QString& target, const QString& replacement)
{
    countWrite(QStringLiteral("replace"), target, {target, replacement});
    if (m_state->vanishOnReplace) {
        m_inner.remove(replacement);
        throw FileSystemError(QStringLiteral("Could not replace ") + target +
                              QStringLiteral(" with ") + replacement +
                              QStringLiteral(": the replacement vanished (injected by the test)"));
    }
    if (m_state->failReplace)
        injected(QStringLiteral("replace"), target + QStringLiteral(" with ") + replacement);
    refuseIfHeld(QStringLiteral("replace"), target);
    m_inner.replace(target, replacement);
}

void CountingFileSystem::move(const QString& from, const QString& to)
{
    countWrite(QStringLiteral("move"), to, {from, to});
    if (m_inner.exists(to))
        refuseIfHeld(QStringLiteral("move"), to);
    m_inner.move(from, to);
}

void CountingFileSystem::remove(const QString& path)
{
    countWrite(QStringLiteral("remove"), path, {path});
    refuseIfHeld(QStringLiteral("remove"), path);
    m_inner.remove(path);
}

} // namespace zol::test
