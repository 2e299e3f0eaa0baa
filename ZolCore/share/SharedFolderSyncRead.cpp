// Reading the other machines' catalogue files.

#include "share/SharedFolderSync.h"

namespace zol {

// Names that are never catalogue files: temporary files (a leading "."), and
// what other sync tools leave beside the files they carry: conflict copies
// ("shard-0a.sync-conflict-20250314-092653-ABCDEF.json" would otherwise read as
// a shard), their temporary files, and backups ending in "~".
bool SharedFolderSync::isCatalogName(const QString& name)
{
    return !FileSystem::isLeftover(name) && name.endsWith(QStringLiteral(".json"));
}

std::optional<QByteArray> SharedFolderSync::readPeerFile(const QString& path)
{
    try {
        return m_fileSystem.read(path, SharedCatalog::maximumFileSize);
    } catch (const FileSystemError&) {
        return std::nullopt;
    }
}

// Remembers that the file was read with this stamp, unless the stamp is too
// fresh to be final: a rewrite within the same coarse second would keep it.
// Not remembering only ever costs one more read next pass.
void SharedFolderSync::remember(const QString& key, const FileStamp& stamp,
                                const QDateTime& listedAt)
{
    if (stamp.modified
        && *stamp.modified >= listedAt.addMSecs(-qint64(freshStampWindow * 1000))) {
        m_seen.remove(key);
        return;
    }
    m_seen.insert(key, stamp);
}

SharedFolderSync::ReadResult SharedFolderSync::readPeers(bool force)
{
    ReadResult result;
    QSet<QString> present;
    const QDateTime listedAt = m_clock.now();

    QList<FileSystem::Entry> entries;
    try {
        entries = m_fileSystem.list(peersFolder());
    } catch (const FileSystemError&) {
        // Read as an empty folder: nothing new this pass.
    }
    result.peersEntries = entries;
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (entry.name.startsWith(u'.'))
            continue;
        // Zol writes no links and only names it can spell: anything else was
        // planted, and is neither followed nor read.
        if (entry.isLink || !entry.hasExactName) {
            ++result.skipped;
            continue;
        }
        if (entry.isFolder) {
            if (entry.name != m_machineId)
                readPeerFolder(entry.name, force, listedAt, present, result);
        } else if (isCatalogName(entry.name) && entry.name != m_machineId + QStringLiteral(".json")) {
            readLegacyPeer(entry, listedAt, present, result);
        }
    }

    for (auto it = m_seen.begin(); it != m_seen.end();) {
        if (present.contains(it.key()))
            ++it;
        else
            it = m_seen.erase(it);
    }
    for (auto it = m_peerNames.begin(); it != m_peerNames.end();) {
        if (present.contains(it.key() + QStringLiteral("/meta.json")) || present.contains(it.key())) {
            result.peers.insert(it.value());
            ++it;
        } else {
            it = m_peerNames.erase(it);
        }
    }
    return result;
}

void SharedFolderSync::readPeerFolder(const QString& peer, bool force, const QDateTime& listedAt,
                                      QSet<QString>& present, ReadResult& result)
{
    const QString folder = peersFolder() + u'/' + peer;
    QList<FileSystem::Entry> entries;
    try {
        entries = m_fileSystem.list(folder);
    } catch (const FileSystemError&) {
        return;
    }
    const QDateTime now = m_clock.now();
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (!isCatalogName(entry.name))
            continue;
        if (!entry.isFile() || !entry.hasExactName) {
            ++result.skipped;
            continue;
        }
        const QString key = peer + u'/' + entry.name;
        const QString path = folder + u'/' + entry.name;
        const FileStamp stamp{entry.modified, entry.size};
        present.insert(key);
        const auto seen = m_seen.constFind(key);
        const bool unchanged = !force && seen != m_seen.cend() && *seen == stamp;

        if (entry.name == QStringLiteral("meta.json")) {
            if (unchanged && m_peerNames.contains(peer)) {
                result.peers.insert(m_peerNames.value(peer));
                continue;
            }
            const std::optional<QByteArray> bytes = readPeerFile(path);
            const std::optional<PeerMeta> meta = bytes ? PeerMeta::decode(*bytes) : std::nullopt;
            if (meta) {
                remember(key, stamp, listedAt);
                m_peerNames.insert(peer, meta->machineName);
                result.peers.insert(meta->machineName);
            } else {
                m_seen.remove(key);
                m_peerNames.remove(peer);
                ++result.skipped;
            }
        } else if (entry.name.startsWith(QStringLiteral("shard-"))) {
            if (unchanged) {
                ++result.shardsUnchanged;
                continue;
            }
            const std::optional<QByteArray> bytes = readPeerFile(path);
            const std::optional<CatalogShard> shard =
                bytes ? CatalogShard::decode(*bytes, now) : std::nullopt;
            if (shard) {
                remember(key, stamp, listedAt);
                ++result.shardsRead;
                result.projects += shard->projects;
            } else {
                m_seen.remove(key);
                ++result.skipped;
            }
        } else if (entry.name == QStringLiteral("tasks.json")) {
            if (unchanged)
                continue;
            const std::optional<QByteArray> bytes = readPeerFile(path);
            const std::optional<SharedTasks> tasks = bytes ? SharedTasks::decode(*bytes) : std::nullopt;
            if (tasks) {
                remember(key, stamp, listedAt);
                result.taskLists.append(tasks->list);
            } else {
                m_seen.remove(key);
                ++result.skipped;
            }
        }
    }
}

// A legacy catalogue is read whenever its stamp changed; `force` does not
// apply to it.
void SharedFolderSync::readLegacyPeer(const FileSystem::Entry& entry, const QDateTime& listedAt,
                                      QSet<QString>& present, ReadResult& result)
{
    const QString& key = entry.name;
    const FileStamp stamp{entry.modified, entry.size};
    present.insert(key);
    const auto seen = m_seen.constFind(key);
    if (seen != m_seen.cend() && *seen == stamp && m_peerNames.contains(key)) {
        result.peers.insert(m_peerNames.value(key));
        ++result.legacyPeers;
        return;
    }
    const std::optional<QByteArray> bytes = readPeerFile(peersFolder() + u'/' + key);
    const std::optional<LegacyCatalog> legacy =
        bytes ? LegacyCatalog::decode(*bytes, m_clock.now()) : std::nullopt;
    if (!legacy) {
        m_seen.remove(key);
        ++result.skipped;
        return;
    }
    remember(key, stamp, listedAt);
    m_peerNames.insert(key, legacy->machineName);
    result.peers.insert(legacy->machineName);
    result.projects += legacy->projects;
    ++result.legacyPeers;
}

} // namespace zol
