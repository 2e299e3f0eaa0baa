#pragma once

#include "IdleReport.h"
#include "Refusal.h"
#include "StatusMessage.h"
#include "records/Project.h"
#include "records/TimeEntry.h"
#include "tracking/Tracker.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace zol {

class OpenBooks;
class PanelModel;
class StatusModel;

// What a person does to the session: start, switch, pause, resume, stop,
// discard, note it, take away time off it. The one way the tray menu, the
// panel, the window, the notification buttons, the hot key and the command
// line do each of these. Each acts on the books as they are now, which another
// process may have changed since this process last looked, and does what was
// asked or says why not; none reads the tracker first and then decides.
//
// A note typed in the panel and not saved yet is saved before any of them.
class SessionOperations
{
public:
    struct PauseChange
    {
        // The session as it is now.
        TimeEntry session;
        // False when it already was as asked (another process got there first).
        bool changed = false;
    };

    SessionOperations(OpenBooks& books, PanelModel& panel, StatusModel& status);

    // Starts `project` with the note and task typed for the next session,
    // stopping the open session first (Tracker::stoppedByLastStart says what
    // became of it). Returns the session started; another process may have
    // stopped it again by the time the tracker shows the books. Refused with
    // why the books could not be written.
    Outcome<TimeEntry> start(const Project& project);
    // Internal work, described (trimmed) as InputCheck allows.
    Outcome<TimeEntry> startInternal(const QString& description);
    // The panel's Start: the armed internal work, else the armed project.
    // Refused with "Pick a project first." when nothing is armed.
    Outcome<TimeEntry> startArmed();
    // Return in the panel: starts the armed work, except that with a filter
    // typed and the armed project not among its matches (or nothing armed) it
    // arms the first match instead, so a second Return starts it. Work the
    // current session is on already is not started over. None when nothing
    // was started.
    std::optional<Outcome<TimeEntry>> startFromPicker();
    // The start-and-pause key: pauses a ticking session, otherwise starts the
    // last project again (a paused session counts as not running), or asks
    // for a project when there is none. Returns what it did.
    Tracker::ToggleResult toggle();
    // Refused with "No timer is running." when nothing is open. With
    // `session` (a reminder's button), only that session is paused: refused
    // as when nothing is open when another one is open by now.
    Outcome<PauseChange> pause(const std::optional<QUuid>& session = std::nullopt);
    // Refused with "Nothing is paused." when nothing is open.
    Outcome<PauseChange> resume();
    // Stops the open session and says on the status line what was logged.
    // Refused with "No timer is running." when nothing is open, or with why
    // the books could not be written. `session` as for pause().
    Outcome<Tracker::StopResult> stop(const std::optional<QUuid>& session = std::nullopt);
    // Throws the open session away, whatever its length; refused as stop().
    // Returns the session, as discarded.
    Outcome<TimeEntry> discard();
    // The note of the open (running or paused) session: replaced by `note`,
    // or, with `append`, `note` added as a line of its own under what it
    // says (as the books hold it now). The blanks around `note` go. Refused
    // with "No timer is running.", InputCheck's words, or a store failure.
    Outcome<TimeEntry> setNote(const QString& note, bool append = false);
    // The task picker's choice becomes the current session's task, or, with
    // none current, the next session's. A task not on the list is ignored.
    void chooseTask(const QString& task);
    // "Take it off": the away time leaves the session it was reported for.
    void discardIdleTime(const IdleReport& report);

    // What the status line says of a stop: "Logged 1h 5m to Brand book.", or
    // that nothing was kept; none when nothing was stopped. A start that
    // stops the open session may say the same (Tracker::stoppedByLastStart).
    static std::optional<StatusMessage> stopMessage(const Tracker::StopResult& result,
                                                    const QDateTime& now);
    // "Discarded the recording on 2301."
    static StatusMessage discardMessage(const TimeEntry& discarded);

private:
    Outcome<PauseChange> changePause(bool pausing, const QString& nothingOpen,
                                     const std::optional<QUuid>& session = std::nullopt);
    // Why nothing open could be acted on: the step read the books, so a load
    // error is this step's own.
    std::unexpected<Refusal> nothingOpen(const QString& sentence) const;
    Outcome<TimeEntry> started(const std::optional<TimeEntry>& session);

    OpenBooks& m_books;
    PanelModel& m_panel;
    StatusModel& m_status;
};

} // namespace zol
