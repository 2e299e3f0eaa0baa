#include "support/Calendar.h"

namespace zol {

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
    return local(instant).addDays(days).toUTC();
}

QDateTime Calendar::addMonths(const QDateTime& instant, int months) const
{
    return local(instant).addMonths(months).toUTC();
}

QDateTime Calendar::addYears(const QDateTime& instant, int years) const
{
    return local(instant).addYears(years).toUTC();
}

} // namespace zol
