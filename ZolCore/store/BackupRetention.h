#pragma once

#include <QDate>
#include <QList>

namespace zol::BackupRetention {

// Daily backups kept whole: today and the 13 days before it.
inline constexpr int recentDays = 14;
// Before those, the newest backup of each of this many calendar weeks
// (Monday first), counted back from the week of the day before the recent
// days begin.
inline constexpr int olderWeeks = 8;

// Of the daily backups dated `dates`, those to delete on `today`. A date
// after today (the clock was set back) is kept: it is not known to be old.
// Applied day after day, a backup past the recent days goes only when a newer
// one of its week has left the recent days too, or when its week falls out
// of the older weeks.
QList<QDate> expired(const QList<QDate>& dates, QDate today);

// Whether a copy saved before a restore or an emptying, dated `date`, is
// past keeping on `today`: such copies are kept for the recent days only.
bool snapshotExpired(QDate date, QDate today);

} // namespace zol::BackupRetention
