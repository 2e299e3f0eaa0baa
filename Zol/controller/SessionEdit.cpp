#include "SessionEdit.h"

#include <algorithm>
#include <cmath>

namespace zol {

namespace {

// A whole number of milliseconds, as the store keeps no finer.
qint64 msecs(double seconds)
{
    return std::llround(seconds * 1000.0);
}

} // namespace

SessionEdit SessionEdit::of(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar)
{
    const QDateTime local = calendar.local(entry.startedAt);
    const QDateTime upTo = entry.endedAt.value_or(now);
    return SessionEdit{local.date(), local.time(), entry.duration(now), entry.pausedTime(upTo),
                       entry.note,   entry.task,   std::nullopt};
}

TimeEntry SessionEdit::applied(const TimeEntry& original, const QDateTime& now,
                               const Calendar& calendar) const
{
    TimeEntry edited = moveTo ? original.moved(*moveTo, now) : original;
    QDateTime wall(date, from, calendar.timeZone());
    // A clock time the day skips (the spring gap) lands as far past the gap
    // as it was into it.
    if (!wall.isValid())
        wall = calendar.startOfDay(date).addMSecs(from.msecsSinceStartOfDay());
    edited.startedAt = wall.toUTC();
    edited.note = note.trimmed();
    edited.task = task.trimmed();
    if (!original.isOpen()) {
        edited.pausedSeconds = std::max(0.0, pausedSeconds);
        // Less than no work (an end typed before the start) is kept as such,
        // for the check to refuse in its own words.
        edited.endedAt =
            edited.startedAt.addMSecs(msecs(workedSeconds) + msecs(edited.pausedSeconds));
    }
    return edited;
}

} // namespace zol
