#include "share/SharedFolderSync.h"

#include "formats/StudioFolder.h"
#include "support/Fnv.h"

#include <QCoreApplication>

#include <algorithm>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::SharedFolderSync)
};

} // namespace

SharedFolderSync::SyncError::SyncError(const QString& message, const QString& path)
    : ErrorOf(message)
    , m_path(path)
{
}

SharedFolderSync::SyncError SharedFolderSync::SyncError::folderUnreachable(const QString& path)
{
    return SyncError(
        Texts::tr("Cannot reach the shared folder at %1. Is the NAS mounted?").arg(path), path);
}

SharedFolderSync::SharedFolderSync(SharedLists& books, const QString& folder,
                                   const QString& machineId, const QString& machineName,
                                   FileSystem& fileSystem, const Clock& clock)
    : m_store(books)
    , m_folder(folder)
    , m_machineId(machineId)
    , m_machineName(machineName)
    , m_confined(fileSystem.confinedTo(folder))
    , m_fileSystem(*m_confined)
    , m_clock(clock)
{
}

SharedFolderSync::~SharedFolderSync() = default;

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
    return StudioFolder::container(m_folder) + QStringLiteral("/peers");
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
            || Project::isLocalKey(project.serial))
            continue;
        if (!project.isActive
            && double(project.updatedAt.msecsTo(now)) / 1000.0 >= closedProjectGracePeriod)
            continue;
        shared.append(project);
    }
    return shared;
}

// Creates ".zol/peers/<machine id>". The file system is confined to the
// studio folder, so a link another machine planted at ".zol", "peers" or this
// machine's own folder is refused with a sentence naming it, before anything
// is written, pruned or tidied through it. A file in the place of this
// machine's own folder is only in the way, and goes.
void SharedFolderSync::prepareFolder()
{
    if (!m_fileSystem.isFolder(m_folder))
        throw SyncError::folderUnreachable(m_folder);
    if (m_machineId.isEmpty() || m_machineId.contains(u'/') || m_machineId.startsWith(u'.'))
        throw Error(Texts::tr("This computer's identity in the studio folder (\"%1\") cannot "
                              "name a folder.")
                        .arg(m_machineId));
    const QString own = ownFolder();
    if (m_fileSystem.exists(own) && !m_fileSystem.isFolder(own) && !m_fileSystem.isLink(own))
        m_fileSystem.remove(own);
    m_fileSystem.createFolder(own);
    try {
        m_fileSystem.setHidden(StudioFolder::container(m_folder));
    } catch (const FileSystemError&) {
        // The leading "." hides it where a mark cannot be set.
    }
}

SharedFolderSync::Summary SharedFolderSync::sync(bool force)
{
    QMutexLocker lock(&m_mutex);
    prepareFolder();

    Summary summary;
    m_inUse.clear();
    // What was read only counts as seen once it is safely in the store: if the
    // merge fails, the next pass reads the same files again.
    const QHash<QString, FileStamp> seenBefore = m_seen;
    const QHash<QString, QString> peerNamesBefore = m_peerNames;
    const ReadResult read = readPeers(force);
    summary.peersSeen = int(read.peers.size());
    summary.peerNames = QStringList(read.peers.cbegin(), read.peers.cend());
    std::sort(summary.peerNames.begin(), summary.peerNames.end());
    summary.shardsRead = read.shardsRead;
    summary.shardsUnchanged = read.shardsUnchanged;
    summary.filesSkipped = read.skipped;

    try {
        if (!read.projects.isEmpty()) {
            // A peer's legacy file repeats its shards: an exact repeat can
            // change nothing, so each distinct record is merged once.
            QList<Project> received;
            received.reserve(read.projects.size());
            QSet<SharedProject> distinct;
            distinct.reserve(read.projects.size());
            for (const SharedProject& shared : read.projects) {
                if (!distinct.contains(shared)) {
                    distinct.insert(shared);
                    received.append(shared.project());
                }
            }
            summary.projectsReceived = m_store.mergeProjects(received);
        }
        // Last change wins; a tie keeps the local list.
        for (const TaskList& list : read.taskLists) {
            if (m_store.mergeTaskList(list))
                summary.tasksReceived = true;
        }
    } catch (...) {
        m_seen = seenBefore;
        m_peerNames = peerNamesBefore;
        throw;
    }

    // One listing of this machine's folder serves publishing (which files
    // exist) and tidying; the read's listing of "peers" serves pruning.
    QList<FileSystem::Entry> ownEntries;
    try {
        ownEntries = m_fileSystem.list(ownFolder());
    } catch (const FileSystemError&) {
        // Then nothing counts as existing, and everything is written.
    }
    Existing existing;
    for (const FileSystem::Entry& entry : std::as_const(ownEntries)) {
        if (entry.isFile())
            existing.ownFiles.insert(entry.name);
    }
    existing.legacyFile = std::any_of(read.peersEntries.cbegin(), read.peersEntries.cend(),
                                      [this](const FileSystem::Entry& entry) {
                                          return entry.isFile()
                                              && entry.name == m_machineId + QStringLiteral(".json");
                                      });

    const std::optional<int> unchanged = force ? std::nullopt : catalogueUnchanged(existing);
    if (unchanged) {
        summary.projectsShared = *unchanged;
    } else {
        const Published stamp{m_store.projectsRevision(), m_store.dataVersion(), 0, std::nullopt};
        const QDateTime now = m_clock.now();
        const QList<Project> shared = worthSharing(m_store.projects(true), now);
        summary.projectsShared = int(shared.size());
        summary.shardsWritten = publish(shared, force, existing);
        m_published = stamp;
        m_published->projectsShared = summary.projectsShared;
        // An archived project stops travelling 90 days after its last edit:
        // the first such moment ahead makes the list change by itself.
        for (const Project& project : shared) {
            if (project.isActive)
                continue;
            const QDateTime expiry = project.updatedAt.addMSecs(qint64(closedProjectGracePeriod * 1000));
            if (!m_published->nextExpiry || expiry < *m_published->nextExpiry)
                m_published->nextExpiry = expiry;
        }
    }
    publishTasks(m_store.taskList(), force, existing);
    // What could not be put in place is written on the next pass, whatever
    // the catalogue does meanwhile.
    if (!m_inUse.isEmpty())
        m_published.reset();
    summary.filesInUse = m_inUse;
    const QDateTime countedNow = m_clock.now();
    if (force || !m_conflictsCountedAt ||
        m_conflictsCountedAt->msecsTo(countedNow) >= qint64(conflictCountInterval * 1000)) {
        m_conflicts = StudioFolder::findConflictCopies(m_fileSystem, m_folder);
        m_conflictsCountedAt = countedNow;
    }
    summary.conflictCopies = m_conflicts;

    summary.legacyPeers = read.legacyPeers;
    summary.stalePeersRemoved = pruneStalePeers(read.peersEntries);
    tidyOwnDirectory(ownEntries, read.peersEntries);
    return summary;
}

// The number of projects shared when nothing about them can have changed
// since the last publish: the same catalogue (no write here, none by another
// process), no archived project past its 90 days since, and every file that
// publish wrote still there (another machine may have pruned this one).
std::optional<int> SharedFolderSync::catalogueUnchanged(const Existing& existing)
{
    if (!m_published || m_published->revision != m_store.projectsRevision()
        || m_published->dataVersion != m_store.dataVersion())
        return std::nullopt;
    if (m_published->nextExpiry && m_clock.now() >= *m_published->nextExpiry)
        return std::nullopt;
    if (!existing.legacyFile || !existing.ownFiles.contains(QStringLiteral("meta.json")))
        return std::nullopt;
    for (auto it = m_publishedShards.cbegin(); it != m_publishedShards.cend(); ++it) {
        if (!existing.ownFiles.contains(shardFileName(it.key())))
            return std::nullopt;
    }
    return m_published->projectsShared;
}

// Entries older than the cut-off are other machines that stopped syncing half
// a year ago. A machine still alive simply writes everything again. Only a
// machine's folder or catalogue file is one: a sync tool's files, and a note
// somebody left in "peers", stay however old they are.
int SharedFolderSync::pruneStalePeers(const QList<FileSystem::Entry>& entries)
{
    const QDateTime cutOff = m_clock.now().addMSecs(-qint64(stalePeerLifetime * 1000));
    int removed = 0;
    for (const FileSystem::Entry& entry : entries) {
        if (entry.name == m_machineId || entry.name == m_machineId + QStringLiteral(".json"))
            continue;
        if (FileSystem::isLeftover(entry.name) ||
            (entry.isFile() && !entry.name.endsWith(QStringLiteral(".json"))))
            continue;
        if (!entry.hasExactName || !entry.modified || *entry.modified >= cutOff)
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
void SharedFolderSync::tidyOwnDirectory(const QList<FileSystem::Entry>& ownEntries,
                                        const QList<FileSystem::Entry>& peersEntries)
{
    const auto removeWhere = [this](const QString& folder, const QList<FileSystem::Entry>& entries,
                                    auto isLeftover) {
        for (const FileSystem::Entry& entry : entries) {
            if (!entry.hasExactName || !isLeftover(entry.name))
                continue;
            try {
                m_fileSystem.remove(folder + u'/' + entry.name);
            } catch (const FileSystemError&) {
            }
        }
    };
    removeWhere(ownFolder(), ownEntries, &FileSystem::isOwnTemporary);
    removeWhere(peersFolder(), peersEntries, &FileSystem::isOwnTemporary);
}

std::optional<Project> SharedFolderSync::projectOnShare(QStringView number)
{
    const QString trimmed = number.trimmed().toString();
    const QString key = trimmed.toUpper();
    if (key.isEmpty())
        return std::nullopt;

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
            if (shared.number.isEmpty() || Project::isLocalKey(shared.number))
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
        if (entry.name.startsWith(u'.') || entry.isLink || !entry.hasExactName)
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
        } else if (isCatalogName(entry.name) && entry.name != m_machineId + QStringLiteral(".json")) {
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
