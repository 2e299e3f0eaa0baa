#pragma once

#include "HistoryModel.h"

#include <QList>
#include <QString>

namespace zol {

class HistoryModel;
class OpenBooks;

// What the Personal section shows of this person and this computer: where
// their timesheets are filed, the identifier of this computer, where the
// database lives, and what the books hold.
struct PersonalFacts
{
    // The folder timesheets go into on the share: the name made safe, or
    // "Onbekend" without a name.
    QString filedUnder;
    // Why that folder is this person's, or that there is no name.
    QString filedUnderNote;
    // This computer's identifier within the open books' studio folder.
    QString machineId;
    // The folder the database file is in, the home folder written "~";
    // "Nowhere: this run tracks to a temporary database" when it is in memory.
    QString databaseFolder;
    // The database is a file that can be shown in the file browser.
    bool canRevealDatabase = false;
    // "1,204", "312h 40m", "Monday 5 January 2026" ("Nothing yet" without sessions).
    QString sessionsTracked;
    QString trackedInTotal;
    QString firstTracked;

    // The newest backup of these books: "Sunday 6 December 2026, 12:04";
    // "None yet"; "None: temporary books are not backed up" in memory.
    QString lastBackup;
    // How backups are taken and kept, and how to put one back.
    QString backupNote;
    // What went wrong with the latest backup, when something did.
    QString backupProblem;
    // There is a backup to show in the file browser.
    bool canShowBackups = false;
    // A daily backup the books can be put back to, newest first.
    struct Restorable
    {
        // "Sunday 6 December 2026"
        QString title;
        QString path;
        bool operator==(const Restorable& other) const = default;
    };
    QList<Restorable> restorable;

    // Reads the open books' figures (personalSummary).
    static PersonalFacts of(const OpenBooks& books, HistoryModel& history);

    // The question before a restore, "Restore Local to Sunday 6 December 2026?",
    // and what it does: "The books go back to how they were that day, 1,204
    // sessions. …" (the count read from the backup).
    static QString restoreQuestion(const OpenBooks& books, const Restorable& backup);
    static QString restoreExplanation(const Restorable& backup);

    bool operator==(const PersonalFacts& other) const = default;
};

} // namespace zol
