#pragma once

#include "formats/TimesheetPeriod.h"
#include "records/TimeEntry.h"

#include <QDate>
#include <QList>

// Which weeks and months need a new timesheet, from the sessions changed since
// they were last handed in. Pure: what was handed in is recorded per session
// in the store, so the answer is the same after a restart.
namespace zol::AutoUpload {

// The current week and month, then the week and month of every finished
// session given; each once, later start first, a week before a month that
// starts at the same moment.
QList<TimesheetPeriod> periodsNeedingUpload(const QList<TimeEntry>& entries, const QDateTime& now,
                                            const Calendar& calendar = Calendar());

// Every week and month containing one of the days, ordered as above.
QList<TimesheetPeriod> allPeriods(const QList<QDate>& days, const Calendar& calendar = Calendar());

// Whether a session belongs in a timesheet: finished and not deleted.
bool shouldSend(const TimeEntry& entry);

} // namespace zol::AutoUpload
