#include "files/CheckedFileSystem.h"

#include <QCoreApplication>
#include <QDir>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::CheckedFileSystem)
};

bool within(const QString& path, const QString& base)
{
    if (base == u'/')
        return path.startsWith(u'/');
    return path == base || (path.startsWith(base) && path.at(base.size()) == u'/');
}

} // namespace

CheckedFileSystem::CheckedFileSystem(FileSystem& underneath, QString root, QString scope)
    : m_underneath(underneath)
    , m_root(QDir::cleanPath(root))
    , m_scope(QDir::cleanPath(scope))
{}

std::shared_ptr<FileSystem> CheckedFileSystem::confinedTo(const QString& root)
{
    return std::make_shared<CheckedFileSystem>(m_underneath, m_root, root);
}

QString CheckedFileSystem::firstLink(const QString& what, const QString& path, bool entryToo) const
{
    const QString clean = QDir::cleanPath(path);
    if (!within(clean, m_root) || !within(clean, m_scope)) {
        throw FileSystemError(
            Texts::tr("%1: it is not inside %2").arg(couldNot(what, path), m_scope));
    }
    qsizetype from = m_root.size() + (m_root == u'/' ? 0 : 1);
    while (from < clean.size()) {
        const qsizetype slash = clean.indexOf(u'/', from);
        const QString reached = slash < 0 ? clean : clean.left(slash);
        if ((slash >= 0 || entryToo) && m_underneath.isLink(reached))
            return reached;
        if (slash < 0)
            break;
        from = slash + 1;
    }
    return {};
}

void CheckedFileSystem::check(const QString& what, const QString& path, bool entryToo) const
{
    const QString link = firstLink(what, path, entryToo);
    if (!link.isEmpty())
        throw linkRefused(what, path, link, m_root);
}

bool CheckedFileSystem::reachable(const QString& path) const
{
    try {
        return firstLink(QStringLiteral("find"), path, false).isEmpty();
    } catch (const FileSystemError&) {
        return false;
    }
}

bool CheckedFileSystem::exists(const QString& path) const
{
    return reachable(path) && (m_underneath.isLink(path) || m_underneath.exists(path));
}

bool CheckedFileSystem::isFolder(const QString& path) const
{
    return reachable(path) && !m_underneath.isLink(path) && m_underneath.isFolder(path);
}

bool CheckedFileSystem::isLink(const QString& path) const
{
    return reachable(path) && m_underneath.isLink(path);
}

void CheckedFileSystem::createFolder(const QString& path)
{
    const QString what = QStringLiteral("create the folder");
    check(what, path, true);
    // A missing root is a share that is not mounted: never made here.
    if (!m_underneath.isFolder(m_root)) {
        throw FileSystemError(Texts::tr("%1: %2 is not there").arg(couldNot(what, path), m_root));
    }
    m_underneath.createFolder(path);
}

QList<FileSystem::Entry> CheckedFileSystem::list(const QString& folder) const
{
    check(QStringLiteral("list"), folder, true);
    QList<Entry> entries = m_underneath.list(folder);
    for (Entry& entry : entries) {
        if (entry.isLink)
            entry.isFolder = false;
    }
    return entries;
}

QByteArray CheckedFileSystem::read(const QString& path, qint64 maxSize) const
{
    check(QStringLiteral("read"), path, true);
    return m_underneath.read(path, maxSize);
}

void CheckedFileSystem::writeAtomically(const QString& path, const QByteArray& bytes)
{
    check(QStringLiteral("write"), path, false);
    m_underneath.writeAtomically(path, bytes);
}

void CheckedFileSystem::writeNew(const QString& path, const QByteArray& bytes)
{
    check(QStringLiteral("write"), path, true);
    m_underneath.writeNew(path, bytes);
}

void CheckedFileSystem::replace(const QString& target, const QString& replacement)
{
    check(QStringLiteral("replace"), target, false);
    check(QStringLiteral("replace"), replacement, false);
    m_underneath.replace(target, replacement);
}

void CheckedFileSystem::move(const QString& from, const QString& to)
{
    check(QStringLiteral("move"), from, false);
    check(QStringLiteral("move"), to, false);
    m_underneath.move(from, to);
}

void CheckedFileSystem::remove(const QString& path)
{
    check(QStringLiteral("remove"), path, false);
    m_underneath.remove(path);
}

void CheckedFileSystem::setHidden(const QString& path)
{
    check(QStringLiteral("hide"), path, true);
    m_underneath.setHidden(path);
}

} // namespace zol
