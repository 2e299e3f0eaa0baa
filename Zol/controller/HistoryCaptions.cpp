#include "HistoryCaptions.h"

#include "SharingModelState.h"
#include "formats/TimesheetPeriod.h"
#include "records/Duration.h"

namespace zol::HistoryCaptions {

QString periodTitle(HistoryScope scope, QDate day, const Calendar& calendar, const QLocale& locale)
{
    switch (scope) {
    case HistoryScope::day:
        return dayTitle(day, locale);
    case HistoryScope::week:
        return TimesheetPeriod(TimesheetPeriod::Kind::week, calendar.startOfDay(day), calendar)
            .title(locale);
    case HistoryScope::month:
        break;
    }
    return TimesheetPeriod(TimesheetPeriod::Kind::month, calendar.startOfDay(day), calendar)
        .title(locale);
}

QString previousLabel(HistoryScope scope)
{
    return scope == HistoryScope::day ? QStringLiteral("Previous day (Ctrl+←)")
                                      : QStringLiteral("Previous period (Ctrl+←)");
}

QString nextLabel(HistoryScope scope)
{
    return scope == HistoryScope::day ? QStringLiteral("Next day (Ctrl+→)")
                                      : QStringLiteral("Next period (Ctrl+→)");
}

bool showsPresent(HistoryScope scope, QDate shown, QDate today)
{
    switch (scope) {
    case HistoryScope::day:
        return shown == today;
    case HistoryScope::week:
        return shown.addDays(1 - shown.dayOfWeek()) == today.addDays(1 - today.dayOfWeek());
    case HistoryScope::month:
        break;
    }
    return shown.year() == today.year() && shown.month() == today.month();
}

QString periodSummary(const QList<HistoryDay>& days, const QDateTime& now)
{
    int sessions = 0;
    double seconds = 0;
    for (const HistoryDay& day : days) {
        sessions += day.sessionCount();
        seconds += day.totalSeconds(now);
    }
    if (sessions == 0)
        return {};
    return QString::number(sessions) +
           (sessions == 1 ? QStringLiteral(" session · ") : QStringLiteral(" sessions · ")) +
           Duration::coarseString(seconds);
}

EmptyHistory emptyState(HistoryScope scope, bool showsSessions, bool booksHoldSessions)
{
    if (showsSessions)
        return {};
    if (!booksHoldSessions)
        return {
            QStringLiteral("Nothing tracked yet"),
            QStringLiteral("Click the clock in the tray, pick a project, and press Start.")};
    if (scope == HistoryScope::day)
        return {QString(),
                QStringLiteral("Nothing on this day. The rest of your history is still there.")};
    return {QStringLiteral("Nothing tracked here"), QString()};
}

QString dayTitle(QDate day, const QLocale& locale)
{
    return locale.toString(day, u"dddd d MMMM yyyy");
}

QString shortDayTitle(QDate day, const QLocale& locale)
{
    return locale.toString(day, u"ddd d MMM");
}

QString clockTime(const QDateTime& instant, const Calendar& calendar)
{
    return calendar.local(instant).time().toString(u"HH:mm");
}

QString timeSpan(const TimeEntry& entry, const Calendar& calendar)
{
    return clockTime(entry.startedAt, calendar) + QStringLiteral(" – ") +
           (entry.endedAt ? clockTime(*entry.endedAt, calendar) : QStringLiteral("now"));
}

QString uploadState(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar,
                    const QLocale& locale)
{
    if (!entry.isInternal && Project::isLocalKey(entry.projectSerial))
        return QStringLiteral("This project has no number yet, so it cannot be uploaded");
    if (entry.uploadedAt && entry.updatedAt <= *entry.uploadedAt && !entry.isOpen())
        return QStringLiteral("Uploaded ") +
               UploadState::stamp(*entry.uploadedAt, now, calendar, locale);
    return QStringLiteral("Not uploaded yet");
}

QList<SessionFact> details(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar,
                           const QLocale& locale)
{
    const QDateTime upTo = entry.endedAt.value_or(now);
    const double paused = entry.pausedTime(upTo);
    QList<SessionFact> facts{
        {QStringLiteral("When"), dayTitle(calendar.day(entry.startedAt), locale)},
        {QStringLiteral("Time"), timeSpan(entry, calendar)},
        {QStringLiteral("Duration"), Duration::coarseString(entry.duration(now))},
        {QStringLiteral("Paused"),
         paused >= 1 ? Duration::coarseString(paused) : QStringLiteral("Not paused")},
        {QStringLiteral("Note"), entry.note.isEmpty() ? QStringLiteral("No note") : entry.note},
    };
    if (!entry.task.isEmpty())
        facts.append({QStringLiteral("Task"), entry.task});
    // The name a session is recorded with is its person's, as the studio
    // reads it off the timesheets.
    QString trackedBy =
        entry.machineName.isEmpty() ? QStringLiteral("Onbekend") : entry.machineName;
    if (entry.isTicking())
        trackedBy += QStringLiteral(" · running now");
    else if (entry.isPaused())
        trackedBy += QStringLiteral(" · paused now");
    facts.append({QStringLiteral("Tracked by"), trackedBy});
    facts.append({QStringLiteral("Uploaded"), uploadState(entry, now, calendar, locale)});
    return facts;
}

QString purgeWarning(double deletedSeconds)
{
    return Duration::coarseString(deletedSeconds) +
           QStringLiteral(" of tracked time is thrown away for good. This is the only place these "
                          "sessions still exist.");
}

} // namespace zol::HistoryCaptions
