#include "SessionOperations.h"

#include "InputCheck.h"
#include "OpenBooks.h"
#include "PanelModel.h"
#include "StatusModel.h"
#include "books/TaskList.h"
#include "records/Duration.h"
#include "support/PlainText.h"

#include <QCoreApplication>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::SessionOperations)
};

QString notRunning()
{
    return Texts::tr("No timer is running.");
}

} // namespace

SessionOperations::SessionOperations(OpenBooks& books, PanelModel& panel, StatusModel& status)
    : m_books(books)
    , m_panel(panel)
    , m_status(status)
{}

std::unexpected<Refusal> SessionOperations::nothingOpen(const QString& sentence) const
{
    return std::unexpected(Refusal{m_books.tracker()->loadError().value_or(sentence)});
}

Outcome<TimeEntry> SessionOperations::started(const std::optional<TimeEntry>& session)
{
    if (!session)
        return std::unexpected(Refusal{m_books.tracker()->loadError().value_or(
            Texts::tr("The session could not be started."))});
    m_panel.startedNext();
    return *session;
}

Outcome<TimeEntry> SessionOperations::start(const Project& project)
{
    m_panel.saveCurrentNote();
    return started(
        m_books.tracker()->start(project, m_panel.pendingNote(), m_panel.taskForNextSession()));
}

Outcome<TimeEntry> SessionOperations::startInternal(const QString& description)
{
    const QString trimmed = description.trimmed();
    if (const std::optional<QString> refusal =
            InputCheck::refuseName(InputCheck::Name::internalWork, trimmed))
        return std::unexpected(Refusal{*refusal});
    m_panel.saveCurrentNote();
    return started(m_books.tracker()->startInternal(trimmed, m_panel.pendingNote(),
                                                    m_panel.taskForNextSession()));
}

Outcome<TimeEntry> SessionOperations::startArmed()
{
    if (m_panel.armedInternal())
        return startInternal(*m_panel.armedInternal());
    if (m_panel.armedProject())
        return start(*m_panel.armedProject());
    return std::unexpected(Refusal{Texts::tr("Pick a project first.")});
}

std::optional<Outcome<TimeEntry>> SessionOperations::startFromPicker()
{
    if (m_panel.returnArmsFirstMatch()) {
        m_panel.armFirstMatch();
        return std::nullopt;
    }
    if (m_panel.armedIsCurrent() || !m_panel.hasArmedWork())
        return std::nullopt;
    return startArmed();
}

Tracker::ToggleResult SessionOperations::toggle()
{
    // The key starts and pauses; stopping closes the entry and stays a
    // deliberate act in the panel.
    m_panel.saveCurrentNote();
    Tracker& tracker = *m_books.tracker();
    const std::optional<Project> last = tracker.lastProject();
    const Tracker::ToggleResult result =
        tracker.toggle(last, m_panel.pendingNote(), m_panel.taskForNextSession());
    switch (result) {
    case Tracker::ToggleResult::started:
        m_panel.startedNext();
        break;
    case Tracker::ToggleResult::paused:
        break;
    case Tracker::ToggleResult::nothing:
        if (!last && !tracker.loadError())
            m_status.show(StatusMessage::info(Texts::tr("Pick a project first.")));
        break;
    }
    return result;
}

// `pausing`: pause, else resume. The step decides on the books as they are
// inside its transaction, and the tracker shows them afterwards.
Outcome<SessionOperations::PauseChange>
SessionOperations::changePause(bool pausing, const QString& nothing,
                               const std::optional<QUuid>& session)
{
    m_panel.saveCurrentNote();
    Tracker& tracker = *m_books.tracker();
    const bool changed = pausing ? tracker.pause(session) : tracker.resume();
    if (const std::optional<QString>& error = tracker.loadError())
        return std::unexpected(Refusal{*error});
    if (!tracker.current() || (session && tracker.current()->id != *session))
        return std::unexpected(Refusal{nothing});
    return PauseChange{*tracker.current(), changed};
}

Outcome<SessionOperations::PauseChange>
SessionOperations::pause(const std::optional<QUuid>& session)
{
    return changePause(true, notRunning(), session);
}

Outcome<SessionOperations::PauseChange> SessionOperations::resume()
{
    return changePause(false, Texts::tr("Nothing is paused."));
}

Outcome<Tracker::StopResult> SessionOperations::stop(const std::optional<QUuid>& session)
{
    m_panel.saveCurrentNote();
    Tracker& tracker = *m_books.tracker();
    const Tracker::StopResult result = tracker.stop(session);
    if (result.kind == Tracker::StopResult::Kind::nothing)
        return nothingOpen(notRunning());
    if (const std::optional<StatusMessage> message = stopMessage(result, tracker.now()))
        m_status.show(message);
    return result;
}

std::optional<StatusMessage> SessionOperations::stopMessage(const Tracker::StopResult& result,
                                                            const QDateTime& now)
{
    switch (result.kind) {
    case Tracker::StopResult::Kind::logged:
        return StatusMessage::success(Texts::tr("Logged %1 to %2.")
                                          .arg(Duration::coarseString(result.entry->duration(now)),
                                               PlainText::isolated(result.entry->projectName)));
    case Tracker::StopResult::Kind::tooShort:
        return StatusMessage::info(Texts::tr("Under a minute, so nothing was recorded."));
    case Tracker::StopResult::Kind::nothing:
        break;
    }
    return std::nullopt;
}

Outcome<TimeEntry> SessionOperations::discard()
{
    m_panel.saveCurrentNote();
    const std::optional<TimeEntry> discarded = m_books.tracker()->discardRunning();
    if (!discarded)
        return nothingOpen(notRunning());
    m_status.show(discardMessage(*discarded));
    return *discarded;
}

StatusMessage SessionOperations::discardMessage(const TimeEntry& discarded)
{
    return StatusMessage::info(
        Texts::tr("Discarded the recording on %1.").arg(discarded.projectSerialForDisplay()));
}

Outcome<TimeEntry> SessionOperations::setNote(const QString& note, bool append)
{
    // A note typed into the panel and not saved yet goes first: this one
    // replaces it or adds to it.
    m_panel.saveCurrentNote();
    const std::optional<TimeEntry> open = m_books.tracker()->current();
    if (!open)
        return nothingOpen(notRunning());
    const QString text = note.trimmed();
    const auto noted = [&](const QString& before) {
        if (!append || before.isEmpty())
            return text;
        return text.isEmpty() ? before : before + u'\n' + text;
    };
    if (const std::optional<QString> refusal = InputCheck::refuseNote(noted(open->note)))
        return std::unexpected(Refusal{*refusal});
    std::optional<TimeEntry> saved;
    m_books.changeTracker([&](Tracker& tracker) {
        // Added to the note as the books hold it now, not as this process
        // last read it.
        tracker.changeCurrent(open->id, [&](TimeEntry& entry) {
            entry.note = noted(entry.note);
            saved = entry;
        });
    });
    if (!saved)
        return nothingOpen(notRunning());
    return *saved;
}

void SessionOperations::chooseTask(const QString& task)
{
    if (!m_books.taskList().choices().contains(task))
        return;
    Tracker& tracker = *m_books.tracker();
    const std::optional<TimeEntry>& current = tracker.current();
    if (!current) {
        m_panel.setPendingTask(task);
        return;
    }
    if (current->task != task)
        tracker.changeCurrent(current->id, [&](TimeEntry& open) { open.task = task; });
}

void SessionOperations::discardIdleTime(const IdleReport& report)
{
    // Added to the pauses the session has, as the books hold it now.
    const bool takenOff = m_books.tracker()->changeCurrent(
        report.entryId, [&](TimeEntry& open) { open.pausedSeconds += report.seconds; });
    m_panel.setIdleReport(std::nullopt);
    if (takenOff)
        m_status.show(StatusMessage::success(Texts::tr("Took %1 of idle time off the timer.")
                                                 .arg(Duration::coarseString(report.seconds))));
}

} // namespace zol
