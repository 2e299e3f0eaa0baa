#pragma once

#include "books/SharedLists.h"
#include "books/TaskList.h"
#include "records/Project.h"
#include "records/SearchRange.h"
#include "records/TimeEntry.h"
#include "store/SQLiteDatabase.h"
#include "support/Calendar.h"
#include "support/Clock.h"

#include <QDate>
#include <QList>
#include <QMutex>
#include <QString>

#include <atomic>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace zol {

class StoreBackups;

// One administration's database: its sessions, its project catalogue and the
// settings that belong to the books (the task list). Opening migrates any older
// file to the current schema.
//
// Every public operation runs alone: the store serialises them (transactions
// included) on one lock, so the UI thread and a worker may share a store. Each
// throws SQLiteDatabase::Error on failure; an operation that writes several
// rows applies entirely or not at all. "Now" comes from the clock given at
// construction.
//
// The books hold at most one open session: the database refuses a second
// (a unique index), and every step of the timer reads the open session and
// writes its change in one writeTransaction(), so that the steps of several
// processes on one file take turns.
class EntryStore final : public SharedLists
{
public:
    // Where the database of an administration lives: "zol.sqlite3" for
    // "default", "zol-<id>.sqlite3" for any other, in Zol's data folder, which
    // is created (owner-only) when missing. Throws zol::Error when it cannot be.
    static QString url(const QString& administrationId);
    static QString defaultURL();

    // Opens (creating it owner-only when missing) and migrates the file.
    explicit EntryStore(const QString& path, const Clock& clock = Clock::system());
    // A store that lives in memory only, migrated like a file.
    static std::unique_ptr<EntryStore> inMemory(const Clock& clock = Clock::system());

    ~EntryStore();
    EntryStore(const EntryStore&) = delete;
    EntryStore& operator=(const EntryStore&) = delete;

    const QString& path() const { return m_path; }

    // --- entry reads (live sessions only unless said otherwise) ---
    std::optional<TimeEntry> entry(const QUuid& id);
    // The open session (there is at most one).
    std::optional<TimeEntry> openEntry();
    // Newest first, the open session included; `skip` passes over that many
    // of the newest.
    QList<TimeEntry> recentEntries(int limit, int skip = 0);
    // The sessions that started on `day`, oldest first.
    QList<TimeEntry> entries(QDate day, const Calendar& calendar);
    // Sessions that started in [from, to), newest first.
    QList<TimeEntry> entries(const QDateTime& from, const QDateTime& to);
    // Finished live sessions never handed in, oldest first.
    QList<TimeEntry> entriesNotUploaded();
    // Finished sessions whose handed-in copy is missing or stale: never handed
    // in, changed since, or deleted after being handed in. Oldest first.
    QList<TimeEntry> entriesNeedingUpload();
    // Sessions handed in and later deleted that started in [from, to].
    QList<TimeEntry> deletedEntries(const QDateTime& from, const QDateTime& to);
    // The bin, most recently deleted first.
    QList<TimeEntry> deletedEntries(int limit);
    // Every row changed after `since`, deleted ones included, oldest change first.
    QList<TimeEntry> entriesChanged(const QDateTime& since, int limit);
    // Finished live sessions overlapping the entry's interval (touching is not
    // overlapping). Empty for an open entry.
    QList<TimeEntry> overlaps(const TimeEntry& entry);
    // Live sessions other than `entry` overlapping [from, to), the open one
    // counted up to now, oldest first.
    QList<TimeEntry> liveSessionsWithin(const QUuid& entry, const QDateTime& from,
                                        const QDateTime& to);
    // The sessions whose id begins with `prefix` (canonical upper-case text;
    // letters of the prefix in either case), live ones or, with `deleted`,
    // those in the bin; in id order, at most `limit`. A lookup in the id's
    // own index, however long the history.
    QList<TimeEntry> entriesWithIdPrefix(QStringView prefix, bool deleted, int limit);
    // The days with live sessions, newest first, each once.
    QList<QDate> trackedDays(const Calendar& calendar);
    // Live sessions matching the query (see TimeEntry::matches) that started
    // within `range` of `now`, newest first, at most `limit`. A blank query
    // finds nothing. `abandoned` is asked every few hundred sessions; once it
    // says so, the search stops and gives back what it found so far (a
    // search typed over by the next key is not worth finishing).
    QList<TimeEntry> search(QStringView query, SearchRange range, const QDateTime& now,
                            int limit = std::numeric_limits<int>::max(),
                            const Calendar& calendar = Calendar(),
                            const std::function<bool()>& abandoned = {});

    // A number that changes whenever another connection (another process, or
    // another store on the same file) commits a change; this store's own
    // writes leave it alone. Cheap enough to ask every second.
    qint64 dataVersion() override;
    // Rows this store has inserted, changed or deleted since it was opened
    // (counted even when rolled back). With dataVersion() it tells whether
    // anything at all has changed since a look.
    qint64 rowsWritten() const;

    // --- entry writes ---
    // Inserts or updates the whole entry, stamping updated_at with now; the
    // creation time of an existing row never changes. Gives back the session
    // as the books now hold it, as a read of it would.
    TimeEntry save(const TimeEntry& entry);
    // Soft delete: hidden, restorable.
    void deleteEntry(const QUuid& id);
    // Puts a deleted session back where it was, unless that would count hours
    // twice: then it stays deleted, and the live sessions it would run into
    // (the open one included) are returned, oldest first. Empty when it was
    // restored, or when there is no such deleted session.
    QList<TimeEntry> restore(const QUuid& id);
    // Removes the row for good.
    void purge(const QUuid& id);
    // Removes for good every session deleted before `cutOff`.
    void purgeDeleted(const QDateTime& cutOff);
    // Marks sessions handed in at `at`; updated_at takes the same instant.
    void markUploaded(const QList<QUuid>& ids, const QDateTime& at);
    // The same for sessions as they were written into a timesheet, each only
    // while it is still that copy (its updated_at unchanged): a session edited
    // meanwhile stays unsent. Returns how many were marked.
    int markUploadedIfUnchanged(const QList<TimeEntry>& asWritten, const QDateTime& at);
    // Start times (to the millisecond) of sessions that were in a timesheet
    // already handed in and have changed since (edited, moved, deleted): the
    // next upload writes the timesheets of their periods again, so the older
    // copy leaves the share. Kept in the books, so a quit loses none.
    QList<QDateTime> uploadRevisits();
    void addUploadRevisit(const QDateTime& startedAt);
    // Forgets the start times a pass has written the periods of.
    void removeUploadRevisits(const QList<QDateTime>& done);
    // Forgets that sessions were handed in; updated_at is left alone.
    void clearUploaded(const QList<QUuid>& ids);

    // --- project catalogue ---
    // Ordered by client then name, ignoring ASCII case.
    QList<Project> projects(bool includeInactive) override;
    // The project whose number is `number`, trimmed and ignoring case.
    std::optional<Project> project(QStringView number);
    QList<Project> projectsChanged(const QDateTime& since, int limit);
    // A project typed in by hand (survives refreshes from upstream). Adding a
    // number that is already here edits it and keeps its older creation date.
    //
    // Every change made here to a project's details or active flag (adding an
    // existing number again, editing, archiving, putting back, linking)
    // stamps updatedAt with now, but at least one second past the stamp it
    // replaces: the change then always wins over what it replaced, on other
    // machines too, which compare the stamps in whole seconds.
    void addManualProject(const Project& project);
    void setProjectActive(const QString& serial, bool isActive);
    // Sessions keep their copies of the name and client.
    void deleteProject(const QString& serial);
    // Replaces every project that came from upstream; hand-made ones stay.
    void replaceRemoteProjects(const QList<Project>& projects);
    // Merges projects from other machines by the ownership rule of numbers;
    // returns how many rows were written.
    int mergeProjects(const QList<Project>& projects) override;
    // Gives a local project a real number; its sessions follow.
    void linkProject(const QString& localSerial, const QString& number);
    // Renames (and, with a non-blank `newSerial`, renumbers) a project and all
    // its sessions. A blank name does nothing.
    void updateProject(const QString& serial, const QString& name, const QString& clientName,
                       const QString& newSerial);
    // Empties the books: every session, every project and the task list.
    void eraseEverything();
    // A number that moves whenever this store changes the project catalogue.
    // Together with dataVersion() (changes by other connections) it tells
    // whether the catalogue can have changed since it was last looked at.
    quint64 projectsRevision() const override { return m_projectsRevision.load(); }

    // --- settings of these books ---
    // The stored task list; the empty list when none is stored or it does not decode.
    TaskList taskList() override;
    void saveTaskList(const TaskList& list);
    // Stores `incoming` only when it was changed later than the stored list.
    bool mergeTaskList(const TaskList& incoming) override;

    // Runs `body` as one write transaction (BEGIN IMMEDIATE … COMMIT): what it
    // reads through this store cannot be changed by another process or
    // thread before what it writes is committed, and it applies entirely or
    // not at all (rolled back, and the error rethrown, when it throws). Store
    // operations called inside join it; so does a nested writeTransaction.
    void writeTransaction(const std::function<void()>& body);

    // Keeps backups of these books from now on: every operation that changes
    // them first lets `backups` see to the day's copy. Set before the store is
    // shared between threads.
    void keepBackups(std::unique_ptr<StoreBackups> backups);
    // Absent for a store that keeps none (one in memory, or a tool's).
    StoreBackups* backups() const { return m_backups.get(); }
    // Replaces everything in these books with the database at `source`, in
    // one transaction that other connections see as one change, and migrates
    // the result. Throws SQLiteDatabase::Error and leaves the books as they
    // were when it cannot. StoreBackups::restore checks the file first.
    void replaceWith(const QString& source);

    // The connection itself, for tests and maintenance tools. Not serialised:
    // do not use it while other threads use the store.
    SQLiteDatabase& database() { return m_database; }

private:
    // Every operation that changes the books calls this first, under the lock.
    void aboutToWrite();
    void migrate();
    qint64 schemaVersion();
    void upgradeSchema(qint64 version);
    void normaliseRows();
    void keepOneOpenSession();
    void repairOpenSessions();
    bool exists(const QString& sql);
    QStringList columnNames(const QString& table);

    double now() const;
    // The sessions `clause` selects; `expected` is room made for them first.
    QList<TimeEntry> queryEntries(const QString& clause, const QList<SQLiteDatabase::Value>& values,
                                  qsizetype expected = 0);
    // The project stored under `key`, a Project::numberKey().
    std::optional<Project> projectByKey(const QString& key);
    struct Rekeyed
    {
        // Where the project and its sessions are now.
        QString serial;
        // The row itself took the number; false when it joined the project
        // already holding it, or nothing changed.
        bool tookNumber;
    };
    // Gives the project `oldSerial` the number `newSerial`, its sessions
    // following.
    Rekeyed rekeyProject(const QString& oldSerial, const QString& newSerial);
    // The sessions filed under one spelling of a number move to another.
    void respellSessions(const QString& oldSerial, const QString& newSerial);
    // Gives every project its number key and makes twins (two spellings of one
    // number, from books older than the key) one project, sessions and all.
    void keyProjects();
    TaskList readTaskList();
    QList<QDateTime> readUploadRevisits();
    void writeUploadRevisits(const QList<QDateTime>& instants);
    void writeTaskList(const TaskList& list);

    // Runs `body` inside BEGIN IMMEDIATE … COMMIT, rolling back when it
    // throws; inside a transaction already, it joins that one.
    template <typename Body> auto transaction(Body&& body) -> decltype(body());

    QString m_path;
    const Clock* m_clock;
    // Recursive: a transaction's body calls the store's own operations.
    QRecursiveMutex m_mutex;
    int m_transactionDepth = 0;
    std::atomic<quint64> m_projectsRevision = 0;
    SQLiteDatabase m_database;
    std::unique_ptr<StoreBackups> m_backups;
};

} // namespace zol
