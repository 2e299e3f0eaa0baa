#pragma once

#include "records/Project.h"
#include "records/TimeEntry.h"
#include "support/Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace zol {

// What the session editor holds while a session is being edited: the fields
// as typed, in the terms people think in (a day, a start on the clock, how
// long was worked, how long was paused), turned into the edited session.
struct SessionEdit
{
    QDate date;
    // "From", on the local clock.
    QTime from;
    // Seconds worked; the session ends after this and the pauses. Negative
    // when the end typed lies before the start.
    double workedSeconds = 0;
    double pausedSeconds = 0;
    QString note;
    QString task;
    // Set to move the session to another project ("Move this session to
    // another project"); none keeps the project it is on.
    std::optional<Project> moveTo;

    // The fields of `entry` as the editor first shows them.
    static SessionEdit of(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar);

    // `original` with these fields: it starts at `from` on `date` (the first
    // valid time after it when the clocks skip it), and a finished session
    // ends after the work and the pauses. An open session keeps running: its
    // work and pauses go on being counted, so only its start, note, task and
    // project change. Note and task are trimmed.
    TimeEntry applied(const TimeEntry& original, const QDateTime& now,
                      const Calendar& calendar) const;

    bool operator==(const SessionEdit& other) const = default;
};

} // namespace zol
