#pragma once

#include "HistoryGroups.h"
#include "HistoryModel.h"
#include "records/TimeEntry.h"
#include "support/Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

namespace zol {

// One line of a session's details: what it is and its value.
struct SessionFact
{
    QString label;
    QString value;

    bool operator==(const SessionFact& other) const = default;
};

// What a list, calendar or bin shows where it has nothing.
struct EmptyHistory
{
    QString title;
    QString text;

    bool isEmpty() const { return title.isEmpty() && text.isEmpty(); }
    bool operator==(const EmptyHistory& other) const = default;
};

// The sentences and labels of the history, the session details and the bin.
// Days and months are named in `locale`; times are 24-hour "09:05".
namespace HistoryCaptions {

// "Monday 2 March 2026", "Week 10 · 2 March – 8 March", "March 2026".
QString periodTitle(HistoryScope scope, QDate day, const Calendar& calendar,
                    const QLocale& locale = QLocale());
// "Previous day (Ctrl+←)" for a day, "Previous period (Ctrl+←)" otherwise.
QString previousLabel(HistoryScope scope);
QString nextLabel(HistoryScope scope);
// Whether the day, week or month holding `shown` also holds `today`.
bool showsPresent(HistoryScope scope, QDate shown, QDate today);

// "14 sessions · 32h 5m" over the days shown; empty without sessions.
QString periodSummary(const QList<HistoryDay>& days, const QDateTime& now);

// Nothing in the books at all, an empty day, or an empty week or month; an
// empty value while there are sessions to show.
EmptyHistory emptyState(HistoryScope scope, bool showsSessions, bool booksHoldSessions);

// "Monday 2 March 2026".
QString dayTitle(QDate day, const QLocale& locale = QLocale());
// "Mon 2 Mar".
QString shortDayTitle(QDate day, const QLocale& locale = QLocale());
// "09:00 – 10:30"; "09:00 – now" while it is open.
QString timeSpan(const TimeEntry& entry, const Calendar& calendar);
// "09:05".
QString clockTime(const QDateTime& instant, const Calendar& calendar);

// Whether and how the session went up with its timesheet: "Uploaded today
// 14:05", "Not uploaded yet", or, on a project still without its number,
// "This project has no number yet, so it cannot be uploaded".
QString uploadState(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar,
                    const QLocale& locale = QLocale());
// When, time, duration, paused time, note, task, where it was tracked and
// whether it was uploaded, in that order; the task only when there is one.
QList<SessionFact> details(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar,
                           const QLocale& locale = QLocale());

// The "Clear permanently…" confirmation, naming the tracked time the bin holds.
QString purgeWarning(double deletedSeconds);

} // namespace HistoryCaptions

} // namespace zol
