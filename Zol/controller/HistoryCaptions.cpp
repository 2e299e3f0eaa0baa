#include "HistoryCaptions.h"

#include "SharingModelState.h"
#include "formats/TimesheetPeriod.h"
#include "records/Duration.h"

#include <QCoreApplication>

namespace zol::HistoryCaptions {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::HistoryCaptions)
};

} // namespace

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
    return scope == HistoryScope::day ? Texts::tr("Previous day (Ctrl+←)")
                                      : Texts::tr("Previous period (Ctrl+←)");
}

QString nextLabel(HistoryScope scope)
{
    return scope == HistoryScope::day ? Texts::tr("Next day (Ctrl+→)")
                                      : Texts::tr("Next period (Ctrl+→)");
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
    return Texts::tr("%n sessions · %1", nullptr, sessions).arg(Duration::coarseString(seconds));
}

EmptyHistory emptyState(HistoryScope scope, bool showsSessions, bool booksHoldSessions)
{
    if (showsSessions)
        return {};
    if (!booksHoldSessions)
        return {Texts::tr("Nothing tracked yet"),
                Texts::tr("Click the clock in the tray, pick a project, and press Start.")};
    if (scope == HistoryScope::day)
        return {QString(),
                Texts::tr("Nothing on this day. The rest of your history is still there.")};
    return {Texts::tr("Nothing tracked here"), QString()};
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
           (entry.endedAt ? clockTime(*entry.endedAt, calendar) : Texts::tr("now"));
}

QString uploadState(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar,
                    const QLocale& locale)
{
    if (!entry.isInternal && Project::isLocalKey(entry.projectSerial))
        return Texts::tr("This project has no number yet, so it cannot be uploaded");
    if (entry.uploadedAt && entry.updatedAt <= *entry.uploadedAt && !entry.isOpen())
        return Texts::tr("Uploaded %1")
            .arg(UploadState::stamp(*entry.uploadedAt, now, calendar, locale));
    return Texts::tr("Not uploaded yet");
}

QList<SessionFact> details(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar,
                           const QLocale& locale)
{
    const QDateTime upTo = entry.endedAt.value_or(now);
    const double paused = entry.pausedTime(upTo);
    QList<SessionFact> facts{
        {Texts::tr("When"), dayTitle(calendar.day(entry.startedAt), locale)},
        {Texts::tr("Time"), timeSpan(entry, calendar)},
        {Texts::tr("Duration"), Duration::coarseString(entry.duration(now))},
        {Texts::tr("Paused"),
         paused >= 1 ? Duration::coarseString(paused) : Texts::tr("Not paused")},
        {Texts::tr("Note"), entry.note.isEmpty() ? Texts::tr("No note") : entry.note},
    };
    if (!entry.task.isEmpty())
        facts.append({Texts::tr("Task"), entry.task});
    // The name a session is recorded with is its person's, as the studio
    // reads it off the timesheets.
    QString trackedBy =
        entry.machineName.isEmpty() ? QStringLiteral("Onbekend") : entry.machineName;
    if (entry.isTicking())
        trackedBy = Texts::tr("%1 · running now").arg(trackedBy);
    else if (entry.isPaused())
        trackedBy = Texts::tr("%1 · paused now").arg(trackedBy);
    facts.append({Texts::tr("Tracked by"), trackedBy});
    facts.append({Texts::tr("Uploaded"), uploadState(entry, now, calendar, locale)});
    return facts;
}

QString purgeWarning(double deletedSeconds)
{
    return Texts::tr("%1 of tracked time is thrown away for good. This is the only place these "
                     "sessions still exist.")
        .arg(Duration::coarseString(deletedSeconds));
}

} // namespace zol::HistoryCaptions
