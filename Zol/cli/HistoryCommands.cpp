// The sessions: listing, editing, deleting and restoring them.

#include "CommandLine.h"

#include "AppModel.h"
#include "Captions.h"
#include "HistoryModel.h"
#include "formats/EntryExporter.h"
#include "formats/TimesheetPeriod.h"
#include "records/Duration.h"
#include "store/EntryStore.h"
#include "support/Error.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QLocale>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::HistoryCommands)
};

// "09:00–10:30" in the user's time zone; a running session ends "now".
QString timesOf(const TimeEntry& entry, const Calendar& calendar)
{
    const QLocale c = QLocale::c();
    QString text = c.toString(calendar.local(entry.startedAt), u"HH:mm") + u'–';
    //: The end of a session still running, as in "09:00–now".
    text += entry.endedAt ? c.toString(calendar.local(*entry.endedAt), u"HH:mm") : Texts::tr("now");
    return text;
}

QString line(const TimeEntry& entry, const QDateTime& now, const Calendar& calendar)
{
    QString text =
        shortId(entry) + QStringLiteral("  ") + timesOf(entry, calendar) + QStringLiteral("  ") +
        Duration::coarseString(entry.duration(now)).rightJustified(7) + QStringLiteral("  ");
    text += describeSession(entry);
    if (!entry.task.isEmpty())
        text += QStringLiteral(" · ") + entry.task;
    if (!entry.note.isEmpty())
        text += QStringLiteral(" · “") + entry.note + QStringLiteral("”");
    if (entry.isPaused())
        text = Texts::tr("%1 (paused)").arg(text);
    return text;
}

int printJson(Invocation& call, const QList<TimeEntry>& entries)
{
    call.out << QString::fromUtf8(EntryExporter::json(entries, call.model.clock().now()));
    return succeeded;
}

int log(Invocation& call)
{
    HistoryModel& history = *call.model.history();
    const QStringList scopes{QStringLiteral("day"), QStringLiteral("week"),
                             QStringLiteral("month")};
    QString chosen;
    for (const QString& scope : scopes) {
        if (call.has(scope)) {
            if (!chosen.isEmpty())
                return call.usageError(Texts::tr("give one of --day, --week and --month"));
            chosen = scope;
        }
    }
    QDate day = call.model.books().today();
    HistoryScope scope = HistoryScope::day;
    if (chosen == u"day") {
        day = QDate::fromString(call.value(chosen), u"yyyy-MM-dd");
        if (!day.isValid())
            return call.usageError(Texts::tr("--day takes a date such as 2026-03-02"));
    } else if (!chosen.isEmpty() && call.value(chosen).isEmpty()) {
        // --week or --month alone: the one of today.
        scope = chosen == u"week" ? HistoryScope::week : HistoryScope::month;
    } else if (!chosen.isEmpty()) {
        const std::optional<TimesheetPeriod> period =
            TimesheetPeriod::fromId(call.value(chosen), call.model.books().calendar());
        const auto kind =
            chosen == u"week" ? TimesheetPeriod::Kind::week : TimesheetPeriod::Kind::month;
        if (!period || period->kind() != kind)
            return call.usageError(chosen == u"week"
                                       ? Texts::tr("--week takes a week such as 2026-W10")
                                       : Texts::tr("--month takes a month such as 2026-03"));
        day = call.model.books().calendar().day(period->start());
        scope = chosen == u"week" ? HistoryScope::week : HistoryScope::month;
    }
    history.setHistoryScope(scope);
    history.showPeriod(day);
    if (call.has(QStringLiteral("json")))
        return printJson(call, history.historyEntries());
    printSessions(call, history.historyEntries());
    return call.reportStatus();
}

QList<QUuid> idsOf(const QList<TimeEntry>& entries)
{
    QList<QUuid> ids;
    for (const TimeEntry& entry : entries)
        ids.append(entry.id);
    return ids;
}

// The characters of an id as typed: braces and blanks around it go; none
// when it holds anything but hexadecimal digits and hyphens.
std::optional<QString> idTyped(const QString& word)
{
    QString typed = word.trimmed();
    if (typed.startsWith(u'{') && typed.endsWith(u'}'))
        typed = typed.mid(1, typed.size() - 2);
    if (typed.isEmpty())
        return std::nullopt;
    for (const QChar c : std::as_const(typed)) {
        const char16_t u = c.unicode();
        const bool hex =
            (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!hex && u != u'-')
            return std::nullopt;
    }
    return typed;
}

// "YYYY-MM-DD HH:MM" in the user's time zone.
std::optional<QDateTime> localTime(const QString& text, const Calendar& calendar)
{
    const QDateTime parsed = QDateTime::fromString(text.trimmed(), u"yyyy-MM-dd HH:mm");
    if (!parsed.isValid())
        return std::nullopt;
    return QDateTime(parsed.date(), parsed.time(), calendar.timeZone()).toUTC();
}

int edit(Invocation& call)
{
    HistoryModel& history = *call.model.history();
    int status = succeeded;
    const std::optional<QList<TimeEntry>> named =
        sessionsNamed(call, call.arguments.mid(0, 1), false, &status);
    if (!named)
        return status;
    std::optional<TimeEntry> found = history.entry(named->first().id);
    if (!found)
        return call.fail(Texts::tr("No session has the id %1. %2 shows them.")
                             .arg(call.arguments.first(), QStringLiteral("'zol log'")));
    TimeEntry edited = *found;
    for (const QString& which : {QStringLiteral("start"), QStringLiteral("end")}) {
        if (!call.has(which))
            continue;
        const std::optional<QDateTime> at =
            localTime(call.value(which), call.model.books().calendar());
        if (!at)
            return call.usageError(Texts::tr("%1 takes a time such as \"2026-03-02 09:30\"")
                                       .arg(QStringLiteral("--") + which));
        if (which == u"start")
            edited.startedAt = *at;
        else if (edited.isOpen())
            return call.fail(Texts::tr("The session is still running. Stop it first."));
        else
            edited.endedAt = *at;
    }
    if (call.has(QStringLiteral("note")))
        edited.note = call.value(QStringLiteral("note"));
    if (call.has(QStringLiteral("task")))
        edited.task = call.value(QStringLiteral("task")).trimmed();
    if (edited == *found) {
        call.out << Texts::tr("Nothing to change.") << '\n';
        return succeeded;
    }
    const EditCheck check = history.checkEdit(edited);
    if (check.isRefused()) {
        // The sessions in the way first: the explanation speaks of them as
        // "above".
        for (const TimeEntry& other : check.overlaps)
            call.err << "  " << line(other, call.model.clock().now(), call.model.books().calendar())
                     << '\n';
        call.err << check.refusal << '\n';
        if (!check.explanation.isEmpty())
            call.err << check.explanation << '\n';
        return failed;
    }
    if (const Outcome<TimeEntry> saved = history.saveEdit(edited); !saved)
        return call.fail(saved.error().sentence);
    if (!check.warning.isEmpty())
        call.out << check.warning << '\n';
    if (call.model.status().message())
        return call.reportStatus();
    call.out << Texts::tr("Saved.") << '\n';
    return succeeded;
}

int remove(Invocation& call)
{
    int status = succeeded;
    const std::optional<QList<TimeEntry>> named =
        sessionsNamed(call, call.arguments, false, &status);
    if (!named)
        return status;
    const Outcome<int> deleted = call.model.history()->deleteEntries(idsOf(*named));
    if (!deleted)
        return call.fail(deleted.error().sentence);
    if (*deleted == 0)
        return call.fail(Texts::tr("No such session."));
    return call.reportStatus();
}

int restore(Invocation& call)
{
    int status = succeeded;
    const std::optional<QList<TimeEntry>> named =
        sessionsNamed(call, call.arguments, true, &status);
    if (!named)
        return status;
    if (const Outcome<int> restored = call.model.history()->restore(idsOf(*named)); !restored)
        return call.fail(restored.error().sentence);
    return call.reportStatus();
}

int deleted(Invocation& call)
{
    HistoryModel& history = *call.model.history();
    history.reloadDeletedEntries();
    if (call.has(QStringLiteral("json")))
        return printJson(call, history.deletedEntries());
    printSessions(call, history.deletedEntries());
    return call.reportStatus();
}

int clearDeleted(Invocation& call)
{
    call.model.history()->purgeDeleted();
    return call.reportStatus();
}

} // namespace

QString describeSession(const TimeEntry& entry)
{
    QString text = entry.isInternal ? Texts::tr("internal work: %1").arg(entry.projectName)
                                    : Captions::sessionTitle(entry);
    if (!entry.clientName.isEmpty())
        text += QStringLiteral(" · ") + entry.clientName;
    return text;
}

QString shortId(const TimeEntry& entry)
{
    return uuidText(entry.id).left(8);
}

std::optional<QList<TimeEntry>> sessionsNamed(Invocation& call, const QStringList& words,
                                              bool deleted, int* status)
{
    // Enough to list a few of the sessions an ambiguous prefix matches.
    constexpr int shown = 10;
    const QString shows = deleted ? QStringLiteral("'zol deleted'") : QStringLiteral("'zol log'");
    QList<TimeEntry> found;
    for (const QString& word : words) {
        const std::optional<QString> typed = idTyped(word);
        if (!typed) {
            *status = call.usageError(
                Texts::tr("'%1' is not a session id, as %2 shows them").arg(word, shows));
            return std::nullopt;
        }
        if (typed->size() < 4) {
            *status = call.usageError(
                Texts::tr("'%1' is too short: give at least 4 characters of a session id")
                    .arg(word));
            return std::nullopt;
        }
        QList<TimeEntry> matches;
        try {
            matches = call.model.books().store()->entriesWithIdPrefix(*typed, deleted, shown + 1);
        } catch (const Error& error) {
            *status = call.fail(error.message());
            return std::nullopt;
        }
        if (matches.isEmpty()) {
            *status = call.fail((deleted ? Texts::tr("No deleted session has the id %1. %2 shows "
                                                     "them.")
                                         : Texts::tr("No session has the id %1. %2 shows them."))
                                    .arg(word.trimmed(), shows));
            return std::nullopt;
        }
        if (matches.size() > 1) {
            call.err << (matches.size() > shown
                             ? Texts::tr("%1 is the beginning of the ids of more than %n sessions:",
                                         nullptr, shown)
                             : Texts::tr("%1 is the beginning of the ids of %n sessions:", nullptr,
                                         int(matches.size())))
                            .arg(word.trimmed())
                     << '\n';
            for (const TimeEntry& match : matches.mid(0, shown))
                call.err << "  " << uuidText(match.id) << "  "
                         << call.model.books()
                                .calendar()
                                .local(match.startedAt)
                                .toString(u"yyyy-MM-dd HH:mm")
                         << "  " << describeSession(match) << '\n';
            *status = call.fail(Texts::tr("Give more of the id."));
            return std::nullopt;
        }
        if (!std::any_of(found.cbegin(), found.cend(),
                         [&](const TimeEntry& e) { return e.id == matches.first().id; }))
            found.append(matches.first());
    }
    return found;
}

// Sessions listed oldest first, under a heading per day, with the total.
void printSessions(Invocation& call, QList<TimeEntry> entries)
{
    const Calendar& calendar = call.model.books().calendar();
    const QDateTime now = call.model.clock().now();
    std::sort(entries.begin(), entries.end(),
              [](const TimeEntry& a, const TimeEntry& b) { return a.startedAt < b.startedAt; });
    QDate shownDay;
    double total = 0;
    for (const TimeEntry& entry : entries) {
        const QDate day = calendar.day(entry.startedAt);
        if (day != shownDay) {
            call.out << (shownDay.isValid() ? "\n" : "")
                     << QLocale().toString(day, u"dddd d MMMM yyyy") << '\n';
            shownDay = day;
        }
        call.out << "  " << line(entry, now, calendar) << '\n';
        total += entry.duration(now);
    }
    if (entries.isEmpty())
        call.out << Texts::tr("No sessions.") << '\n';
    else
        call.out << '\n'
                 << Texts::tr("Total %1 in %n sessions.", nullptr, int(entries.size()))
                        .arg(Duration::coarseString(total))
                 << '\n';
}

void addHistoryCommands(QList<Command>& commands)
{
    const Option json{QStringLiteral("json"), {}};
    commands.append(
        {QStringLiteral("log"),
         QStringLiteral("[--day YYYY-MM-DD | --week [YYYY-Www] | --month [YYYY-MM]] [--json]"),
         Texts::tr("The sessions of a day (today), a week or a month."),
         Texts::tr("--week and --month alone mean this week and this month. Each session "
                   "is shown with\nthe first 8 characters of its id. --json prints the "
                   "JSON export of those sessions,\nwith whole ids."),
         {{QStringLiteral("day"), QStringLiteral("YYYY-MM-DD")},
          periodOption(QStringLiteral("week"), QStringLiteral("YYYY-Www")),
          periodOption(QStringLiteral("month"), QStringLiteral("YYYY-MM")),
          json},
         0,
         0,
         false,
         log});
    commands.append(
        {QStringLiteral("edit"),
         QStringLiteral("ID [--start \"YYYY-MM-DD HH:MM\"] [--end \"YYYY-MM-DD HH:MM\"] [--note "
                        "TEXT] [--task TASK]"),
         Texts::tr("Correct a session."),
         Texts::tr("Times are in your time zone. A session may not end before it starts, nor "
                   "run into\nother sessions. An uploaded session goes up again with the "
                   "next upload of its period."),
         {{QStringLiteral("start"), QStringLiteral("TIME")},
          {QStringLiteral("end"), QStringLiteral("TIME")},
          {QStringLiteral("note"), QStringLiteral("TEXT")},
          {QStringLiteral("task"), QStringLiteral("TASK")}},
         1,
         1,
         true,
         edit});
    commands.append({QStringLiteral("delete"),
                     QStringLiteral("ID..."),
                     Texts::tr("Delete sessions; 'zol restore' brings them back."),
                     {},
                     {},
                     1,
                     -1,
                     true,
                     remove});
    commands.append({QStringLiteral("restore"),
                     QStringLiteral("ID..."),
                     Texts::tr("Bring deleted sessions back."),
                     {},
                     {},
                     1,
                     -1,
                     true,
                     restore});
    commands.append({QStringLiteral("deleted"),
                     QStringLiteral("[--json]"),
                     Texts::tr("The deleted sessions."),
                     {},
                     {json},
                     0,
                     0,
                     false,
                     deleted});
    commands.append({QStringLiteral("clear-deleted"),
                     {},
                     Texts::tr("Remove the deleted sessions for good."),
                     {},
                     {},
                     0,
                     0,
                     true,
                     clearDeleted});
}

} // namespace zol::cli
