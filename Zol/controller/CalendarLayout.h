#pragma once

#include "records/TimeEntry.h"
#include "support/Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QList>

namespace zol {

// One session, or the part of it that falls on one day, placed in a week's
// day column by its hours of the local clock.
struct CalendarBlock
{
    // 0 for Monday … 6 for Sunday.
    int column = 0;
    // Hours after the day's midnight on the wall clock, 0 … 24.
    double fromHour = 0;
    double toHour = 0;
    TimeEntry entry;
    // The session goes on past this day, or began on an earlier one.
    bool continuesAfter = false;
    bool continuedFrom = false;

    bool operator==(const CalendarBlock& other) const = default;
};

// A week as day columns.
struct CalendarWeek
{
    // Monday first, seven days.
    QList<QDate> days;
    // The hours drawn: at least the working day (8 to 18), widened to whole
    // hours so that every block fits.
    int firstHour = 8;
    int lastHour = 18;
    QList<CalendarBlock> blocks;
    // Seconds worked on each day, the open session up to now.
    QList<double> dayTotals;
};

// One day of a month's grid.
struct CalendarDay
{
    QDate date;
    // False for the days of the neighbouring months that fill the grid's
    // first and last week; their sessions are not counted.
    bool inMonth = false;
    int sessions = 0;
    double totalSeconds = 0;
    // The part of the total that is internal work.
    double internalSeconds = 0;
    // The running (ticking) session started on this day.
    bool holdsRunning = false;

    bool operator==(const CalendarDay& other) const = default;
};

// A month as a grid of whole weeks, Monday first.
struct CalendarMonth
{
    QDate first;
    // Seven a row, four to six rows.
    QList<CalendarDay> days;
};

namespace CalendarLayout {

// The week (Monday to Sunday) holding `day`, with `entries` placed in it. A
// session is cut at each midnight it runs past; an open one runs up to `now`.
// Sessions outside the week are left out.
CalendarWeek week(QDate day, const QList<TimeEntry>& entries, const Calendar& calendar,
                  const QDateTime& now);

// The month holding `day`, each day with the total of the sessions that
// started on it.
CalendarMonth month(QDate day, const QList<TimeEntry>& entries, const Calendar& calendar,
                    const QDateTime& now);

} // namespace CalendarLayout

} // namespace zol
