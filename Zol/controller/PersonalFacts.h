#pragma once

#include "HistoryModel.h"

#include <QString>

namespace zol {

class AppModel;

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

    // Reads the open books' figures (personalSummary).
    static PersonalFacts of(AppModel& model);

    bool operator==(const PersonalFacts& other) const = default;
};

} // namespace zol
