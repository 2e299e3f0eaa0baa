#include "store/BackupRetention.h"

#include <QHash>

namespace zol::BackupRetention {

namespace {

QDate mondayOf(QDate day)
{
    return day.addDays(1 - day.dayOfWeek());
}

} // namespace

QList<QDate> expired(const QList<QDate>& dates, QDate today)
{
    const QDate recentStart = today.addDays(1 - recentDays);
    const QDate oldestWeek = mondayOf(recentStart.addDays(-1)).addDays(-7 * (olderWeeks - 1));

    QHash<QDate, QDate> newestOfWeek;
    for (const QDate& date : dates) {
        if (date >= recentStart || date < oldestWeek)
            continue;
        QDate& newest = newestOfWeek[mondayOf(date)];
        if (!newest.isValid() || date > newest)
            newest = date;
    }
    QList<QDate> result;
    for (const QDate& date : dates) {
        if (date >= recentStart)
            continue;
        if (date < oldestWeek || newestOfWeek.value(mondayOf(date)) != date)
            result.append(date);
    }
    return result;
}

bool snapshotExpired(QDate date, QDate today)
{
    return date < today.addDays(1 - recentDays);
}

} // namespace zol::BackupRetention
