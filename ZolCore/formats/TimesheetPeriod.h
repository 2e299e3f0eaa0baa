#pragma once

#include "support/Calendar.h"

#include <QDateTime>
#include <QHashFunctions>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace zol {

// A week (ISO: Monday first, week 1 holds the year's first Thursday), month or
// year in a calendar's time zone; boundaries are local midnights. Weeks and
// months are what people hand in; a year is only a view.
//
// Membership is half-open: an instant belongs to the period from `start` up
// to, not including, the next period's start, so no instant (not even one in
// the last fraction of a Sunday's last second) falls between two periods.
// `end` (one second before the next start) is for display.
class TimesheetPeriod
{
public:
    enum class Kind { week, month, year };

    static QList<Kind> allKinds();
    // The kinds handed in: week, month.
    static QList<Kind> uploadedKinds();
    // "week", "month", "year"
    static QString id(Kind kind);
    static std::optional<Kind> kindFromRawValue(QStringView raw);
    // "Week", "Month", "Year"
    static QString label(Kind kind);
    // "weeks", "months", "years"
    static QString folderName(Kind kind);

    // The period of `kind` that contains `date`.
    TimesheetPeriod(Kind kind, const QDateTime& date, const Calendar& calendar = Calendar());
    // The period an id names ("2026-W10", "2026-03", "2026"); none when the
    // text is not exactly such an id or names no such week or month.
    static std::optional<TimesheetPeriod> fromId(QStringView id, const Calendar& calendar = Calendar());

    Kind kind() const { return m_kind; }
    // The first instant, UTC.
    const QDateTime& start() const { return m_start; }
    // The first instant of the next period.
    QDateTime nextStart() const;
    // One second before the next period's start.
    QDateTime end() const;
    bool contains(const QDateTime& date) const;
    bool isCurrent(const QDateTime& now) const;
    // The ISO week-numbering year for a week, else the calendar year of the start.
    int year() const;
    // "2025-W03", "2025-03", "2025"
    QString id() const;
    // "Week 12 · 17 March – 23 March", "March 2026", "2026"; names and order of
    // day and month from `locale`.
    QString title(const QLocale& locale = QLocale()) const;
    // The period of the same kind `n` units later (earlier for negative n).
    TimesheetPeriod offset(int n) const;
    const Calendar& calendar() const { return m_calendar; }

    bool operator==(const TimesheetPeriod& other) const
    {
        return m_kind == other.m_kind && m_start == other.m_start;
    }

private:
    Kind m_kind;
    QDateTime m_start;
    // Kept beside the start: `contains` is what filters sessions into
    // timesheets, and working it out is a time-zone conversion each time.
    QDateTime m_nextStart;
    Calendar m_calendar;
};

size_t qHash(const TimesheetPeriod& period, size_t seed = 0);

} // namespace zol
