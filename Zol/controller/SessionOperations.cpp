#include "SessionOperations.h"

#include "tracking/Tracker.h"

namespace zol::SessionOperations {

namespace {

// `pausing`: pause, else resume. The step decides on the books as they are
// inside its transaction, and the tracker shows them afterwards.
Outcome<PauseChange> change(Tracker& tracker, bool pausing, const QString& nothingOpen)
{
    const bool changed = pausing ? tracker.pause() : tracker.resume();
    if (const std::optional<QString>& error = tracker.loadError())
        return std::unexpected(Refusal{*error});
    if (!tracker.current())
        return std::unexpected(Refusal{nothingOpen});
    return PauseChange{*tracker.current(), changed};
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
