#pragma once

#include "store/BackupFiles.h"
#include "support/Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QMutex>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace zol {

class Clock;
class EntryStore;

// The backups of one set of books. Before the first change of each day (the
// local day of the clock) the database is copied to the day's backup, unless
// that exists already; each backup prunes the older ones (BackupRetention).
//
// A copy is taken in two steps (BackupCopy): the state of the books is pinned
// on the thread that is about to write, in milliseconds, and the copy itself
// is written by the runner, which may hand it to a worker: the change that
// asked for it goes ahead at once and the copy still shows the books as they
// were just before it.
//
// Books that fail their integrity check are never copied and never replace a
// backup: the change goes ahead all the same (the person's work must not
// stop) and problem() says what happened.
class StoreBackups
{
public:
    using Job = std::function<void()>;
    // Runs a job that writes a copy, here or elsewhere.
    using Runner = std::function<void(Job)>;

    // Runs the job at once, on the calling thread.
    static Runner here();
    // Runs the job on Qt's global thread pool.
    static Runner onThreadPool();

    StoreBackups(const QString& databasePath, const Clock& clock, Runner runner = here(),
                 QString folder = BackupFiles::defaultFolder(), Calendar calendar = Calendar());
    ~StoreBackups();
    StoreBackups(const StoreBackups&) = delete;
    StoreBackups& operator=(const StoreBackups&) = delete;

    const BackupFiles& files() const { return m_files; }
    const QString& databasePath() const { return m_databasePath; }

    // Called by the store before every change: after the first call of a day
    // it only compares dates.
    void beforeChange();

    // Pins the books for a copy taken before they are emptied, whatever the
    // day, and returns the job that writes it and returns its path: the day's
    // backup when there is none yet, else a "before-empty" copy beside it.
    // Throws zol::Error when the books cannot be read or the folder cannot be
    // made, and the job throws when the copy cannot be written (BackupCopy::
    // Damaged for damaged books): then the books must not be emptied.
    std::function<QString()> prepareBeforeEmptying();

    struct Restored
    {
        // Where the books as they were before were saved; empty when they
        // were damaged and could not be copied.
        QString savedAs;
    };
    // Puts the books of `store` back to the backup at `source`: checks the
    // file (BackupCopy::verify, whose sentence is thrown as zol::Error when
    // it refuses), saves the books as they are as a "before-restore" copy,
    // then replaces them in one transaction, which other processes see as
    // one ordinary change, and migrates the result. On a throw the books are
    // unchanged.
    Restored restore(EntryStore& store, const QString& source);

    // What went wrong with the most recent backup, as a sentence; absent once
    // one succeeds.
    std::optional<QString> problem() const;

private:
    struct Outcome;

    QDate today() const;
    QString ensureFolder() const;

    QString m_databasePath;
    const Clock& m_clock;
    Runner m_runner;
    BackupFiles m_files;
    Calendar m_calendar;
    // The day whose backup was last seen to (there, or on its way).
    QMutex m_dayMutex;
    QDate m_checkedDay;
    std::shared_ptr<Outcome> m_outcome;
};

} // namespace zol
