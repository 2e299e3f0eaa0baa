#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

namespace zol {

// Civil-calendar arithmetic in one time zone (by default the system's): start
// of day, adding days, months and years with the local time of day kept and
// the day clamped to the month's length (31 March minus one month is the last
// day of February); a time of day that the clocks skip on the day arrived at
// moves on by the length of the gap. Instants go in and come out in UTC.
class Calendar
{
public:
    // The system's current time zone.
    Calendar();
    explicit Calendar(QTimeZone zone);

    const QTimeZone& timeZone() const { return m_zone; }

    // The instant as wall-clock time in this calendar's zone.
    QDateTime local(const QDateTime& instant) const;
    // The day on which the instant falls, locally.
    QDate day(const QDateTime& instant) const;
    // The first instant of the day (local midnight, or the first valid time when
    // a clock change skips midnight).
    QDateTime startOfDay(QDate day) const;
    QDateTime startOfDay(const QDateTime& instant) const;
    // The first instant of the instant's local year.
    QDateTime startOfYear(const QDateTime& instant) const;

    QDateTime addDays(const QDateTime& instant, int days) const;
    QDateTime addMonths(const QDateTime& instant, int months) const;
    QDateTime addYears(const QDateTime& instant, int years) const;

private:
    QTimeZone m_zone;
};

} // namespace zol
