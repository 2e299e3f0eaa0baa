#pragma once

#include "books/SharedLists.h"
#include "books/TaskList.h"
#include "files/FileSystem.h"
#include "formats/StudioFolder.h"
#include "records/Project.h"
#include "share/SharedCatalog.h"
#include "support/Clock.h"
#include "support/Error.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace zol {

// Keeps the project lists of every machine on one studio folder in step, both
// ways, and carries the task list along. There is no server and no lock: each
// machine writes only its own files, inside ".zol/peers/<its machine id>/" (plus
// its own legacy file beside that folder), and reads everybody else's.
//
// A pass reads the peer files that changed since the last pass (by their
// modification time and size), merges their projects into the store by the
// ownership rule of numbers, adopts a newer task list, publishes this
// machine's shareable projects in 64 shard files and its task list, and tidies
// up. A pass that finds nothing new reads no file contents and writes nothing.
//
// What a pass remembers (which files it has seen, what it last wrote) lives in
// memory only, so a new instance reads everything once and rewrites its own
// shards. Passes of one instance run one at a time, from any thread; the owner
// must not destroy an instance while a pass runs, and keeps one instance per
// studio folder and machine (two would tidy away each other's temporary files).
// Everything on the share written by another machine is untrusted: a file that
// cannot be read or decoded is skipped and counted, never fatal, and nothing is
// read or written through a symbolic link below the studio folder (a link
// where one of this machine's folders should be ends the pass, naming it).
class SharedFolderSync
{
public:
    class SyncError final : public ErrorOf<SyncError>
    {
    public:
        // "Cannot reach the shared folder at <path>. Is the NAS mounted?"
        static SyncError folderUnreachable(const QString& path);
        const QString& path() const { return m_path; }

    private:
        SyncError(const QString& message, const QString& path);
        QString m_path;
    };

    struct Summary
    {
        int peersSeen = 0;
        // The peers' machine names, sorted.
        QStringList peerNames;
        // Rows the store wrote while merging what was read.
        int projectsReceived = 0;
        // This machine's projects that are worth sharing.
        int projectsShared = 0;
        int shardsRead = 0;
        int shardsUnchanged = 0;
        int shardsWritten = 0;
        // Peer files that could not be read, did not decode, or were too new.
        int filesSkipped = 0;
        int stalePeersRemoved = 0;
        int legacyPeers = 0;
        bool tasksReceived = false;
        // This machine's own files that another computer held open, so that
        // they could not be replaced: each is written on the next pass.
        QStringList filesInUse;
        // Sync engines' conflict copies of the program's files, as last
        // counted (at most hourly, and on every forced pass).
        StudioFolder::ConflictCopies conflictCopies;

        bool didPublish() const { return shardsWritten > 0; }
        bool operator==(const Summary& other) const = default;
    };

    static constexpr int shardCount = 64;
    // Peers whose entries have not changed for this long are removed (180 days).
    static constexpr double stalePeerLifetime = 15'552'000;
    // Archived projects stop travelling this long after their last edit (90 days).
    static constexpr double closedProjectGracePeriod = 7'776'000;
    // A file modified this close to the moment it was listed may change again
    // within the same second of a coarse clock (SMB, sshfs and FAT keep whole
    // or even two seconds), so its stamp is not trusted to mean "seen".
    static constexpr double freshStampWindow = 5;
    // How often the conflict copies are counted, a walk of the whole ".zol".
    static constexpr double conflictCountInterval = 3600;

    // Touches nothing on disk. `folder` is the studio folder itself, not ".zol";
    // it is reached through `fileSystem`'s view confined to it.
    SharedFolderSync(SharedLists& books, const QString& folder, const QString& machineId,
                     const QString& machineName, FileSystem& fileSystem,
                     const Clock& clock = Clock::system());
    ~SharedFolderSync();
    SharedFolderSync(const SharedFolderSync&) = delete;
    SharedFolderSync& operator=(const SharedFolderSync&) = delete;

    const QString& folder() const { return m_folder; }
    const QString& machineId() const { return m_machineId; }
    const QString& machineName() const { return m_machineName; }

    // One pass. With `force`, every peer file is read again and every own file
    // written again. Throws SyncError when the studio folder is not there,
    // FileSystemError when this machine's files cannot be written, and
    // SQLiteDatabase::Error from the store.
    Summary sync(bool force = false);

    // Looks a number up directly on the share (any machine's shards, this
    // one's included, and legacy files), ignoring surrounding blanks and case.
    // Throws SyncError when the studio folder is not there. It does not wait
    // for a pass in progress, but it does read the share: call it off the UI
    // thread.
    std::optional<Project> projectOnShare(QStringView number);

    // The projects that travel: those with a real number, archived ones only
    // until 90 days after their last edit. Order kept.
    static QList<Project> worthSharing(const QList<Project>& projects, const QDateTime& now);
    // The shard (0 to 63) of a number exactly as stored.
    static int shardIndex(QStringView number);
    // "shard-%02x.json"
    static QString shardFileName(int index);

private:
    struct FileStamp
    {
        std::optional<QDateTime> modified;
        qint64 size = -1;
        bool operator==(const FileStamp& other) const = default;
    };

    struct ReadResult
    {
        QList<SharedProject> projects;
        QSet<QString> peers;
        int shardsRead = 0;
        int shardsUnchanged = 0;
        int skipped = 0;
        int legacyPeers = 0;
        QList<TaskList> taskLists;
        // The listing of "peers" the read was made from.
        QList<FileSystem::Entry> peersEntries;
    };

    // Which of this machine's own files exist, from this pass's listings.
    struct Existing
    {
        QSet<QString> ownFiles;
        bool legacyFile = false;
    };

    // What the catalogue was when it was last published.
    struct Published
    {
        quint64 revision = 0;
        qint64 dataVersion = 0;
        int projectsShared = 0;
        std::optional<QDateTime> nextExpiry;
    };

    static bool isCatalogName(const QString& name);
    void prepareFolder();
    ReadResult readPeers(bool force);
    void readPeerFolder(const QString& peer, bool force, const QDateTime& listedAt,
                        QSet<QString>& present, ReadResult& result);
    void readLegacyPeer(const FileSystem::Entry& entry, const QDateTime& listedAt,
                        QSet<QString>& present, ReadResult& result);
    std::optional<QByteArray> readPeerFile(const QString& path);
    void remember(const QString& key, const FileStamp& stamp, const QDateTime& listedAt);
    std::optional<int> catalogueUnchanged(const Existing& existing);
    int publish(const QList<Project>& projects, bool force, const Existing& existing);
    void publishTasks(const TaskList& list, bool force, const Existing& existing);
    // Writes one of this machine's files; false, and the file named in
    // m_inUse, when another computer held the old one open.
    bool place(const QByteArray& bytes, const QString& target);
    int pruneStalePeers(const QList<FileSystem::Entry>& entries);
    void tidyOwnDirectory(const QList<FileSystem::Entry>& ownEntries,
                          const QList<FileSystem::Entry>& peersEntries);

    QString peersFolder() const;
    QString ownFolder() const;
    QString ownLegacyFile() const;

    SharedLists& m_store;
    QString m_folder;
    QString m_machineId;
    QString m_machineName;
    // Everything goes through a view confined to the studio folder.
    std::shared_ptr<FileSystem> m_confined;
    FileSystem& m_fileSystem;
    const Clock& m_clock;
    QMutex m_mutex;

    QHash<QString, FileStamp> m_seen;
    QHash<QString, QString> m_peerNames;
    QHash<int, QList<SharedProject>> m_publishedShards;
    std::optional<TaskList> m_publishedTasks;
    std::optional<Published> m_published;
    // The files of the pass under way that were left in use.
    QStringList m_inUse;
    // The last "meta.json" was left in use: it is written on the next pass.
    bool m_metaOwed = false;
    StudioFolder::ConflictCopies m_conflicts;
    std::optional<QDateTime> m_conflictsCountedAt;
};

} // namespace zol
