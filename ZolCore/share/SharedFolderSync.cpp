#include "share/SharedFolderSync.h"

#include "store/EntryStore.h"
#include "support/Fnv.h"

#include <algorithm>

namespace zol {

const QString SharedFolderSync::containerName = QStringLiteral(".zol");

SharedFolderSync::SyncError::SyncError(const QString& message, const QString& path)
    : ErrorOf(message)
    , m_path(path)
{
}

SharedFolderSync::SyncError SharedFolderSync::SyncError::folderUnreachable(const QString& path)
{
    return SyncError(QStringLiteral("Cannot reach the shared folder at ") + path
                         + QStringLiteral(". Is the NAS mounted?"),
                     path);
}

SharedFolderSync::SharedFolderSync(EntryStore& store, const QString& folder,
                                   const QString& machineId, const QString& machineName,
                                   FileSystem& fileSystem, const Clock& clock)
    : m_store(store)
    , m_folder(folder)
    , m_machineId(machineId)
    , m_machineName(machineName)
    , m_fileSystem(fileSystem)
    , m_clock(clock)
{
}

SharedFolderSync::~SharedFolderSync() = default;

QString SharedFolderSync::container(const QString& folder)
{
    return folder + u'/' + containerName;
}

int SharedFolderSync::shardIndex(QStringView number)
{
    return int(fnv1a64(number.toUtf8()) & 63U);
}

QString SharedFolderSync::shardFileName(int index)
{
    return QStringLiteral("shard-%1.json").arg(index, 2, 16, QChar(u'0'));
}

QString SharedFolderSync::peersFolder() const
{
    return container(m_folder) + QStringLiteral("/peers");
}

QString SharedFolderSync::ownFolder() const
{
    return peersFolder() + u'/' + m_machineId;
}

QString SharedFolderSync::ownLegacyFile() const
{
    return peersFolder() + u'/' + m_machineId + QStringLiteral(".json");
}

QList<Project> SharedFolderSync::worthSharing(const QList<Project>& projects, const QDateTime& now)
{
    QList<Project> shared;
    for (const Project& project : projects) {
        if (project.serial.isEmpty() || project.serial.startsWith(QStringLiteral("INT:"))
            || project.serial.startsWith(Project::localPrefix))
            continue;
        if (!project.isActive
            && double(project.updatedAt.msecsTo(now)) / 1000.0 >= closedProjectGracePeriod)
            continue;
        shared.append(project);
    }
    return shared;
}

void SharedFolderSync::prepareFolder()
{
    if (!m_fileSystem.isFolder(m_folder))
        throw SyncError::folderUnreachable(m_folder);
    m_fileSystem.createFolder(ownFolder());
    try {
        m_fileSystem.setHidden(container(m_folder));
    } catch (const FileSystemError&) {
        // The leading "." hides it where a mark cannot be set.
    }
}

SharedFolderSync::Summary SharedFolderSync::sync(bool force)
{
    QMutexLocker lock(&m_mutex);
    prepareFolder();

    Summary summary;
    const ReadResult read = readPeers(force);
    summary.peersSeen = int(read.peers.size());
    summary.peerNames = QStringList(read.peers.cbegin(), read.peers.cend());
    std::sort(summary.peerNames.begin(), summary.peerNames.end());
    summary.shardsRead = read.shardsRead;
    summary.shardsUnchanged = read.shardsUnchanged;
    summary.filesSkipped = read.skipped;

    if (!read.projects.isEmpty()) {
        QList<Project> received;
        received.reserve(read.projects.size());
        for (const SharedProject& shared : read.projects)
            received.append(shared.project());
        summary.projectsReceived = m_store.mergeProjects(received);
    }

    // Last change wins; a tie keeps the local list.
    for (const TaskList& list : read.taskLists) {
        if (m_store.mergeTaskList(list))
            summary.tasksReceived = true;
    }

    const QList<Project> shared = worthSharing(m_store.projects(true), m_clock.now());
    summary.projectsShared = int(shared.size());
    summary.shardsWritten = publish(shared, force);
    publishTasks(m_store.taskList(), force);

    summary.legacyPeers = read.legacyPeers;
    summary.stalePeersRemoved = pruneStalePeers();
    tidyOwnDirectory();
    return summary;
}

// Entries older than the cut-off are other machines that stopped syncing half
// a year ago. A machine still alive simply writes everything again.
int SharedFolderSync::pruneStalePeers()
{
    const QDateTime cutOff = m_clock.now().addMSecs(-qint64(stalePeerLifetime * 1000));
    QList<FileSystem::Entry> entries;
    try {
        entries = m_fileSystem.list(peersFolder());
    } catch (const FileSystemError&) {
        return 0;
    }
    int removed = 0;
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (entry.name == m_machineId || entry.name == m_machineId + QStringLiteral(".json"))
            continue;
        if (!entry.modified || *entry.modified >= cutOff)
            continue;
        try {
            m_fileSystem.remove(peersFolder() + u'/' + entry.name);
            ++removed;
        } catch (const FileSystemError&) {
            // Somebody else may have pruned it first; try again next pass.
        }
    }
    return removed;
}

// Leftovers of interrupted writes: ours in our folder, anybody's temporary
// legacy files directly in "peers".
void SharedFolderSync::tidyOwnDirectory()
{
    const auto removeWhere = [this](const QString& folder, auto isLeftover) {
        QList<FileSystem::Entry> entries;
        try {
            entries = m_fileSystem.list(folder);
        } catch (const FileSystemError&) {
            return;
        }
        for (const FileSystem::Entry& entry : std::as_const(entries)) {
            if (!isLeftover(entry.name))
                continue;
            try {
                m_fileSystem.remove(folder + u'/' + entry.name);
            } catch (const FileSystemError&) {
            }
        }
    };
    removeWhere(ownFolder(), [](const QString& name) {
        return name.contains(QStringLiteral(".tmp")) || name.startsWith(QStringLiteral(".sb-"));
    });
    removeWhere(peersFolder(), [](const QString& name) { return name.contains(QStringLiteral(".tmp")); });
}

std::optional<Project> SharedFolderSync::projectOnShare(QStringView number)
{
    const QString trimmed = number.trimmed().toString();
    const QString key = trimmed.toUpper();
    if (key.isEmpty())
        return std::nullopt;

    QMutexLocker lock(&m_mutex);
    if (!m_fileSystem.isFolder(m_folder))
        throw SyncError::folderUnreachable(m_folder);

    QStringList shardFiles;
    for (const QString& spelling : {key, trimmed}) {
        const QString name = shardFileName(shardIndex(spelling));
        if (!shardFiles.contains(name))
            shardFiles.append(name);
    }
    const QDateTime now = m_clock.now();
    const auto find = [&key](const QList<SharedProject>& projects) -> std::optional<Project> {
        for (const SharedProject& shared : projects) {
            if (shared.number.isEmpty() || shared.number.startsWith(Project::localPrefix))
                continue;
            if (shared.number.trimmed().toUpper() == key)
                return shared.project();
        }
        return std::nullopt;
    };

    QList<FileSystem::Entry> entries;
    try {
        entries = m_fileSystem.list(peersFolder());
    } catch (const FileSystemError&) {
        return std::nullopt;
    }
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (entry.name.startsWith(u'.'))
            continue;
        const QString path = peersFolder() + u'/' + entry.name;
        if (entry.isFolder) {
            for (const QString& file : std::as_const(shardFiles)) {
                const QString shardPath = path + u'/' + file;
                if (!m_fileSystem.exists(shardPath))
                    continue;
                const std::optional<QByteArray> bytes = readPeerFile(shardPath);
                const std::optional<CatalogShard> shard =
                    bytes ? CatalogShard::decode(*bytes, now) : std::nullopt;
                if (!shard)
                    continue;
                if (std::optional<Project> found = find(shard->projects))
                    return found;
            }
        } else if (entry.name.endsWith(QStringLiteral(".json"))
                   && entry.name != m_machineId + QStringLiteral(".json")) {
            const std::optional<QByteArray> bytes = readPeerFile(path);
            const std::optional<LegacyCatalog> legacy =
                bytes ? LegacyCatalog::decode(*bytes, now) : std::nullopt;
            if (!legacy)
                continue;
            if (std::optional<Project> found = find(legacy->projects))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace zol
