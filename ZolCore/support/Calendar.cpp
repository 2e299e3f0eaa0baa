#include "support/Calendar.h"

namespace zol {

namespace {

// `moved` is QDateTime's own arithmetic on the wall clock of `zone`, meant to
// read `time` on `date`; it keeps the side of a clock change that the original
// time was on. That holds except where the clocks skip the time as they go
// forward: there QDateTime lands up to two hours off, even before the time
// asked for. Such a time is read with the offset from before the change, which
// moves it on by the length of the gap (02:30 on a night that jumps from 02:00
// to 03:00 is 03:30).
QDateTime settled(const QDateTime& moved, QDate date, QTime time, const QTimeZone& zone)
{
    if (moved.isValid() && moved.date() == date && moved.time() == time)
        return moved.toUTC();
    const QDateTime asUtc(date, time, Qt::UTC);
    const QTimeZone::OffsetData change = zone.nextTransition(asUtc.addDays(-1));
    return asUtc.addSecs(-zone.offsetFromUtc(change.atUtc.addSecs(-1)));
}

} // namespace

Calendar::Calendar()
    : m_zone(QTimeZone::systemTimeZone())
{
}

Calendar::Calendar(QTimeZone zone)
    : m_zone(std::move(zone))
{
}

QDateTime Calendar::local(const QDateTime& instant) const
{
    return instant.toTimeZone(m_zone);
}

QDate Calendar::day(const QDateTime& instant) const
{
    return local(instant).date();
}

QDateTime Calendar::startOfDay(QDate day) const
{
    return day.startOfDay(m_zone).toUTC();
}

QDateTime Calendar::startOfDay(const QDateTime& instant) const
{
    return startOfDay(day(instant));
}

QDateTime Calendar::startOfYear(const QDateTime& instant) const
{
    return startOfDay(QDate(day(instant).year(), 1, 1));
}

QDateTime Calendar::addDays(const QDateTime& instant, int days) const
{
    const QDateTime start = local(instant);
    return settled(start.addDays(days), start.date().addDays(days), start.time(), m_zone);
}

QDateTime Calendar::addMonths(const QDateTime& instant, int months) const
{
    const QDateTime start = local(instant);
    return settled(start.addMonths(months), start.date().addMonths(months), start.time(), m_zone);
}

QDateTime Calendar::addYears(const QDateTime& instant, int years) const
{
    const QDateTime start = local(instant);
    return settled(start.addYears(years), start.date().addYears(years), start.time(), m_zone);
}

} // namespace zol
