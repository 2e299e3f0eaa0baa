#include "SessionOperations.h"

#include "tracking/Tracker.h"

namespace zol::SessionOperations {

namespace {

// `pausing`: pause, else resume.
Outcome<PauseChange> change(Tracker& tracker, bool pausing, const QString& nothingOpen)
{
    tracker.reloadIfChangedElsewhere();
    if (!tracker.current())
        return std::unexpected(Refusal{tracker.loadError().value_or(nothingOpen)});
    const auto isAsked = [&tracker, pausing] {
        return pausing ? tracker.isPaused() : tracker.isRunning();
    };
    if (isAsked())
        return PauseChange{*tracker.current(), false};
    if (pausing)
        tracker.pause();
    else
        tracker.resume();
    if (tracker.current() && isAsked())
        return PauseChange{*tracker.current(), true};
    // The books could not be written, or between the look and the step
    // another process stopped the session.
    return std::unexpected(Refusal{tracker.loadError().value_or(nothingOpen)});
}

} // namespace

Outcome<PauseChange> pause(Tracker& tracker)
{
    return change(tracker, true, QStringLiteral("No timer is running."));
}

Outcome<PauseChange> resume(Tracker& tracker)
{
    return change(tracker, false, QStringLiteral("Nothing is paused."));
}

} // namespace zol::SessionOperations
