#pragma once

#include "records/TimeEntry.h"
#include "support/Calendar.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

namespace zol {

// The sessions of one project (or of one kind of internal work) on one day,
// as the history's list shows them under one heading with their total.
struct ProjectTotal
{
    // As the sessions carry it: a number, a local key, or empty for internal work.
    QString projectSerial;
    // The newest session's name and client (a project renamed since keeps one heading).
    QString projectName;
    QString clientName;
    bool isInternal = false;
    // Newest first.
    QList<TimeEntry> entries;

    // "2301 Brand book"; the name alone for internal work and projects
    // without a number.
    QString title() const;
    // The number to show on the badge; empty without one.
    QString badge() const;
    // Seconds worked in the group, an open session up to `now`.
    double totalSeconds(const QDateTime& now) const;
    // Whether the open session (running or paused) is one of the group's.
    bool holdsOpenSession() const;
    bool holdsRunningSession() const;
    QList<QUuid> ids() const;

    bool operator==(const ProjectTotal& other) const = default;
};

// One day of the list: its groups, the most recently worked first.
struct HistoryDay
{
    QDate day;
    QList<ProjectTotal> groups;

    double totalSeconds(const QDateTime& now) const;
    int sessionCount() const;

    bool operator==(const HistoryDay& other) const = default;
};

namespace HistoryGroups {

// Sessions (newest first, as the history holds them) by the day they started
// on in `calendar`, newest day first, and within a day by project: internal
// work by its description, folded, so that "Admin" and "admin " are one
// heading.
QList<HistoryDay> byDay(const QList<TimeEntry>& entries, const Calendar& calendar);

} // namespace HistoryGroups

} // namespace zol
