// Writing this machine's own catalogue files.

#include "files/WholeFile.h"
#include "share/SharedFolderSync.h"

#include <QSet>

#include <algorithm>

namespace zol {

bool SharedFolderSync::place(const QByteArray& bytes, const QString& target)
{
    try {
        writeWhole(m_fileSystem, bytes, target);
        return true;
    } catch (const FileSystemError& error) {
        if (error.cause() != FileSystemError::Cause::inUse)
            throw;
        m_inUse.append(target.mid(target.lastIndexOf(u'/') + 1));
        return false;
    }
}

int SharedFolderSync::publish(const QList<Project>& projects, bool force, const Existing& existingFiles)
{
    QList<SharedProject> all;
    all.reserve(projects.size());
    QHash<int, QList<SharedProject>> groups;
    for (const Project& project : projects) {
        SharedProject shared(project);
        groups[shardIndex(shared.number)].append(shared);
        all.append(shared);
    }
    const auto byNumber = [](const SharedProject& a, const SharedProject& b) {
        return numberLess(a.number, b.number);
    };

    const QSet<QString>& existing = existingFiles.ownFiles;

    int written = 0;
    for (int index = 0; index < shardCount; ++index) {
        const QString name = shardFileName(index);
        const QString target = ownFolder() + u'/' + name;
        auto group = groups.find(index);
        if (group == groups.end() || group->isEmpty()) {
            if (existing.contains(name)) {
                try {
                    m_fileSystem.remove(target);
                } catch (const FileSystemError&) {
                }
            }
            m_publishedShards.remove(index);
            continue;
        }
        std::sort(group->begin(), group->end(), byNumber);
        const auto published = m_publishedShards.constFind(index);
        if (!force && published != m_publishedShards.cend() && *published == *group
            && existing.contains(name))
            continue;
        const CatalogShard shard{SharedCatalog::currentVersion, m_machineId, index, *group};
        if (!place(shard.encode(), target)) {
            m_publishedShards.remove(index);
            continue;
        }
        m_publishedShards.insert(index, *group);
        ++written;
    }

    const QDateTime now = m_clock.now();
    if (force || written > 0 || m_metaOwed || !existing.contains(QStringLiteral("meta.json"))) {
        const PeerMeta meta{SharedCatalog::currentVersion, m_machineId, m_machineName, now,
                            int(projects.size()), shardCount};
        m_metaOwed = !place(meta.encode(), ownFolder() + QStringLiteral("/meta.json"));
    }

    // The older single-file format, for machines that read only that. Best
    // effort: the shards are what counts.
    try {
        if (force || written > 0 || !existingFiles.legacyFile) {
            std::sort(all.begin(), all.end(), byNumber);
            const LegacyCatalog legacy{SharedCatalog::currentVersion, m_machineId, m_machineName,
                                       now, all};
            writeWhole(m_fileSystem, legacy.encode(), ownLegacyFile());
        }
    } catch (const FileSystemError&) {
    }
    return written;
}

void SharedFolderSync::publishTasks(const TaskList& list, bool force, const Existing& existing)
{
    // A list nobody ever edited has nothing to say to other machines.
    if (!list.hasBeenSet())
        return;
    const QString target = ownFolder() + QStringLiteral("/tasks.json");
    if (!force && m_publishedTasks == list && existing.ownFiles.contains(QStringLiteral("tasks.json")))
        return;
    const SharedTasks tasks{SharedCatalog::currentVersion, m_machineId, list};
    if (place(tasks.encode(), target))
        m_publishedTasks = list;
}

} // namespace zol
