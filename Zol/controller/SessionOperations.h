#pragma once

#include "Refusal.h"
#include "records/TimeEntry.h"

namespace zol {

class Tracker;

// Pausing and resuming the open session: the one way the tray menu, the
// panel, the notification buttons and the command line do it. Each acts on
// the session as the books hold it now, which another process may have
// paused, resumed or stopped since this tracker last looked, and does what
// the person asked for or says why not; none turns one into the other.
namespace SessionOperations {

struct PauseChange
{
    // The session as it is now.
    TimeEntry session;
    // False when it already was as asked (another process got there first).
    bool changed = false;
};

// Refused with "No timer is running." when nothing is open.
Outcome<PauseChange> pause(Tracker& tracker);
// Refused with "Nothing is paused." when nothing is open.
Outcome<PauseChange> resume(Tracker& tracker);

} // namespace SessionOperations

} // namespace zol
