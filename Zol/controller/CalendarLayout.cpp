#include "CalendarLayout.h"

#include <algorithm>
#include <cmath>

namespace zol::CalendarLayout {

namespace {

QDate mondayOf(QDate day)
{
    return day.addDays(1 - day.dayOfWeek());
}

// Wall-clock hours after midnight of `instant` on its own day.
double hourOf(const QDateTime& instant, const Calendar& calendar)
{
    const QTime time = calendar.local(instant).time();
    return time.hour() + time.minute() / 60.0 + time.second() / 3600.0;
}

} // namespace

CalendarWeek week(QDate day, const QList<TimeEntry>& entries, const Calendar& calendar,
                  const QDateTime& now)
{
    CalendarWeek week;
    const QDate monday = mondayOf(day);
    for (int i = 0; i < 7; ++i)
        week.days.append(monday.addDays(i));
    week.dayTotals.fill(0.0, 7);
    const QDate sunday = monday.addDays(6);

    double earliest = week.firstHour;
    double latest = week.lastHour;
    for (const TimeEntry& entry : entries) {
        const QDateTime end = entry.endedAt.value_or(std::max(now, entry.startedAt));
        const QDate firstDay = calendar.day(entry.startedAt);
        // A session that ends exactly at midnight does not reach the next day.
        const QDate lastDay = calendar.day(end.addMSecs(end > entry.startedAt ? -1 : 0));
        if (lastDay < monday || firstDay > sunday)
            continue;
        const int startColumn = int(monday.daysTo(firstDay));
        if (startColumn >= 0 && startColumn < 7)
            week.dayTotals[startColumn] += entry.duration(now);
        for (QDate d = std::max(firstDay, monday); d <= std::min(lastDay, sunday);
             d = d.addDays(1)) {
            CalendarBlock block;
            block.column = int(monday.daysTo(d));
            block.continuedFrom = d > firstDay;
            block.continuesAfter = d < lastDay;
            block.fromHour = block.continuedFrom ? 0.0 : hourOf(entry.startedAt, calendar);
            block.toHour = block.continuesAfter ? 24.0 : hourOf(end, calendar);
            if (!block.continuesAfter && calendar.day(end) != d)
                block.toHour = 24.0; // ended on the stroke of midnight
            block.toHour = std::max(block.toHour, block.fromHour);
            block.entry = entry;
            earliest = std::min(earliest, block.fromHour);
            latest = std::max(latest, block.toHour);
            week.blocks.append(block);
        }
    }
    week.firstHour = int(std::floor(earliest));
    week.lastHour = std::min(24, int(std::ceil(latest)));
    // Earliest first within a column, so the blocks are read in time order.
    std::stable_sort(
        week.blocks.begin(), week.blocks.end(), [](const CalendarBlock& a, const CalendarBlock& b) {
            return a.column != b.column ? a.column < b.column : a.fromHour < b.fromHour;
        });
    return week;
}

CalendarMonth month(QDate day, const QList<TimeEntry>& entries, const Calendar& calendar,
                    const QDateTime& now)
{
    CalendarMonth month;
    month.first = QDate(day.year(), day.month(), 1);
    const QDate last = month.first.addDays(month.first.daysInMonth() - 1);
    const QDate gridStart = mondayOf(month.first);
    const QDate gridEnd = mondayOf(last).addDays(6);
    for (QDate d = gridStart; d <= gridEnd; d = d.addDays(1))
        month.days.append(CalendarDay{d, d.month() == month.first.month(), 0, 0, 0, false});

    for (const TimeEntry& entry : entries) {
        const QDate started = calendar.day(entry.startedAt);
        if (started < month.first || started > last)
            continue;
        CalendarDay& cell = month.days[gridStart.daysTo(started)];
        const double seconds = entry.duration(now);
        ++cell.sessions;
        cell.totalSeconds += seconds;
        if (entry.isInternal)
            cell.internalSeconds += seconds;
        if (entry.isTicking())
            cell.holdsRunning = true;
    }
    return month;
}

} // namespace zol::CalendarLayout
