// The timer: status, start, pause, resume, stop, discard.

#include "CommandLine.h"

#include "AppModel.h"
#include "InputCheck.h"
#include "SessionOperations.h"
#include "books/AppSettings.h"
#include "formats/EntryExporter.h"
#include "records/Duration.h"
#include "store/EntryStore.h"
#include "tracking/WorkStatus.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::TrackingCommands)
};

WorkStatus workStatus(const Tracker& tracker)
{
    return WorkStatus::forTime(tracker.todayTotal()).value_or(WorkStatus::notStarted());
}

int status(Invocation& call)
{
    AppModel& model = call.model;
    const Tracker& tracker = *model.books().tracker();
    const std::optional<TimeEntry>& current = tracker.current();
    if (call.has(QStringLiteral("json"))) {
        QJsonObject entry;
        if (current) {
            const QJsonDocument doc =
                QJsonDocument::fromJson(EntryExporter::json({*current}, tracker.now()));
            entry = doc.object().value(QStringLiteral("entries")).toArray().first().toObject();
        }
        const QJsonObject object{
            {QStringLiteral("tracking"), tracker.isTracking()},
            {QStringLiteral("paused"), tracker.isPaused()},
            {QStringLiteral("elapsedSeconds"), tracker.elapsed()},
            {QStringLiteral("todayTotalSeconds"), tracker.todayTotal()},
            {QStringLiteral("workStatus"), workStatus(tracker).phrase},
            {QStringLiteral("administration"),
             QJsonObject{{QStringLiteral("id"), model.books().administration().id},
                         {QStringLiteral("name"), model.books().administration().name}}},
            {QStringLiteral("person"), model.books().settings()->machineName()},
            {QStringLiteral("machineId"), model.books().settings()->machineId()},
            {QStringLiteral("entry"), current ? QJsonValue(entry) : QJsonValue()},
        };
        call.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return succeeded;
    }
    if (!current)
        call.out << Texts::tr("Not tracking.") << '\n';
    else
        call.out << (current->isPaused() ? Texts::tr("Paused: %1 · %2")
                                         : Texts::tr("Tracking %1 · %2"))
                        .arg(describeSession(*current), Duration::clockString(tracker.elapsed()))
                 << '\n';
    // The day's phrase with its picture, as the panel shows it: alone,
    // "Off the mark" reads like a remark about the command.
    const WorkStatus status = workStatus(tracker);
    call.out << Texts::tr("Today: %1 · %2")
                    .arg(Duration::coarseString(tracker.todayTotal()),
                         status.emoji.isEmpty() ? status.phrase
                                                : status.emoji + u' ' + status.phrase)
             << '\n';
    call.out << Texts::tr("Administration: %1 · filed under %2")
                    .arg(model.books().administration().name,
                         model.books().settings()->machineName())
             << '\n';
    if (const std::optional<QString>& error = tracker.loadError())
        return call.fail(*error);
    return succeeded;
}

// The note and the task a start records; a task that is not on the list is
// refused rather than quietly replaced.
int takePending(Invocation& call)
{
    AppModel& model = call.model;
    if (const std::optional<QString> refusal =
            InputCheck::refuseNote(call.value(QStringLiteral("note"))))
        return call.fail(*refusal);
    model.panel().setPendingNote(call.value(QStringLiteral("note")));
    if (!call.has(QStringLiteral("task"))) {
        model.panel().setPendingTask(model.books().taskList().defaultTask());
        return succeeded;
    }
    const QString task = call.value(QStringLiteral("task")).trimmed();
    if (!model.books().taskList().isEnabled())
        return call.fail(
            Texts::tr("Tasks are switched off in %1. Switch them on with 'zol tasks on'.")
                .arg(model.books().administration().name));
    for (const QString& choice : model.books().taskList().choices()) {
        if (choice.compare(task, Qt::CaseInsensitive) == 0) {
            model.panel().setPendingTask(choice);
            return succeeded;
        }
    }
    return call.fail(Texts::tr("There is no task called %1. The tasks are: %2.")
                         .arg(task, model.books().taskList().choices().join(QStringLiteral(", "))));
}

// What a start did to the session open before it, as a stop would say it.
void sayWhatWasStopped(Invocation& call)
{
    const Tracker& tracker = *call.model.books().tracker();
    if (const std::optional<StatusMessage> stopped =
            SessionOperations::stopMessage(tracker.stoppedByLastStart(), tracker.now()))
        call.out << stopped->text << '\n';
}

// Says what was started: the session written, which another process may
// already have stopped again. A session it stopped first is said first.
int afterStart(Invocation& call, const Outcome<TimeEntry>& started)
{
    if (!started)
        return call.fail(started.error().sentence);
    sayWhatWasStopped(call);
    //: The program adds the full stop, unless the session's name ends with one.
    call.out << sentence(Texts::tr("Started %1").arg(describeSession(*started))) << '\n';
    return succeeded;
}

int start(Invocation& call)
{
    AppModel& model = call.model;
    const bool internal = call.has(QStringLiteral("internal"));
    if (internal == !call.arguments.isEmpty())
        return call.usageError(internal ? Texts::tr("give either NUMBER or --internal")
                                        : Texts::tr("missing NUMBER"));
    if (const int refused = takePending(call))
        return refused;
    if (internal)
        return afterStart(call,
                          model.sessions().startInternal(call.value(QStringLiteral("internal"))));
    const QString number = call.arguments.first();
    std::optional<Project> project;
    try {
        project = model.books().store()->project(number);
    } catch (const Error& error) {
        return call.fail(error.message());
    }
    if (!project || project->serial.isEmpty())
        return call.fail(Texts::tr("No project has the number %1. 'zol projects' lists them; "
                                   "'zol project add' adds one.")
                             .arg(number.trimmed()));
    if (!project->isActive)
        return call.fail(Texts::tr("%1 is archived. 'zol project unarchive %1' puts it back.")
                             .arg(project->serial));
    return afterStart(call, model.sessions().start(*project));
}

int pause(Invocation& call)
{
    const auto done = call.model.sessions().pause();
    if (!done)
        return call.fail(done.error().sentence);
    if (!done->changed) {
        call.out << Texts::tr("Already paused.") << '\n';
        return succeeded;
    }
    call.out << Texts::tr("Paused %1 at %2.")
                    .arg(describeSession(done->session),
                         Duration::clockString(call.model.books().tracker()->elapsed()))
             << '\n';
    return succeeded;
}

int resume(Invocation& call)
{
    const auto done = call.model.sessions().resume();
    if (!done)
        return call.fail(done.error().sentence);
    if (!done->changed) {
        call.out << Texts::tr("Already running.") << '\n';
        return succeeded;
    }
    //: The program adds the full stop, unless the session's name ends with one.
    call.out << sentence(Texts::tr("Resumed %1").arg(describeSession(done->session))) << '\n';
    return succeeded;
}

// Stop and discard say what their own result was, never what the status line
// holds by the time they print: another process writing the books meanwhile
// may have replaced or cleared it.
int stop(Invocation& call)
{
    const auto stopped = call.model.sessions().stop();
    if (!stopped)
        return call.fail(stopped.error().sentence);
    if (const std::optional<StatusMessage> said =
            SessionOperations::stopMessage(*stopped, call.model.books().tracker()->now()))
        call.out << said->text << '\n';
    return succeeded;
}

int discard(Invocation& call)
{
    const auto discarded = call.model.sessions().discard();
    if (!discarded)
        return call.fail(discarded.error().sentence);
    call.out << SessionOperations::discardMessage(*discarded).text << '\n';
    return succeeded;
}

int note(Invocation& call)
{
    const Outcome<TimeEntry> noted =
        call.model.sessions().setNote(call.arguments.first(), call.has(QStringLiteral("append")));
    if (!noted)
        return call.fail(noted.error().sentence);
    if (noted->note.isEmpty())
        //: The program adds the full stop, unless the session's name ends with one.
        call.out << sentence(Texts::tr("Cleared the note of %1").arg(describeSession(*noted)))
                 << '\n';
    else
        call.out << Texts::tr("Note on %1: “%2”").arg(describeSession(*noted), noted->note) << '\n';
    return succeeded;
}

int toggle(Invocation& call)
{
    AppModel& model = call.model;
    const Tracker& tracker = *model.books().tracker();
    switch (model.sessions().toggle()) {
    case Tracker::ToggleResult::paused:
        if (tracker.current())
            call.out << Texts::tr("Paused %1 at %2.")
                            .arg(describeSession(*tracker.current()),
                                 Duration::clockString(tracker.elapsed()))
                     << '\n';
        return succeeded;
    case Tracker::ToggleResult::started:
        sayWhatWasStopped(call);
        if (tracker.current())
            call.out << sentence(Texts::tr("Started %1").arg(describeSession(*tracker.current())))
                     << '\n';
        return succeeded;
    case Tracker::ToggleResult::nothing:
        break;
    }
    if (const std::optional<QString>& error = tracker.loadError())
        return call.fail(*error);
    // "Pick a project first.": nothing was started, so it is a failure here.
    return call.fail(model.status().message() ? model.status().text()
                                              : Texts::tr("Nothing to do."));
}

} // namespace

void addTrackingCommands(QList<Command>& commands)
{
    const qsizetype first = commands.size();
    const QList<Option> noteAndTask{{QStringLiteral("note"), QStringLiteral("TEXT")},
                                    {QStringLiteral("task"), QStringLiteral("TASK")},
                                    {QStringLiteral("internal"), QStringLiteral("DESCRIPTION")}};
    commands.append({QStringLiteral("status"),
                     QStringLiteral("[--json]"),
                     Texts::tr("What the timer is doing, and today's total."),
                     Texts::tr("--json prints tracking, paused, elapsedSeconds, "
                               "todayTotalSeconds, workStatus, administration {id, name},\n"
                               "person, machineId and entry (the running session, or null)."),
                     {{QStringLiteral("json"), {}}},
                     0,
                     0,
                     false,
                     status});
    commands.append(
        {QStringLiteral("start"),
         QStringLiteral("NUMBER [--note TEXT] [--task TASK]\n       zol start --internal "
                        "DESCRIPTION [--note TEXT] [--task TASK]"),
         Texts::tr("Start the timer on a project, or on internal work."),
         Texts::tr("A session already open is stopped first, and said so first (\"Logged "
                   "1h 5m to Brand book.\").\nThe session is in the database from this "
                   "moment on."),
         noteAndTask, 0, 1, true, start});
    commands.append({QStringLiteral("pause"),
                     {},
                     Texts::tr("Pause the running timer."),
                     {},
                     {},
                     0,
                     0,
                     true,
                     pause});
    commands.append({QStringLiteral("resume"),
                     {},
                     Texts::tr("Resume the paused timer."),
                     {},
                     {},
                     0,
                     0,
                     true,
                     resume});
    commands.append({QStringLiteral("stop"),
                     {},
                     Texts::tr("Stop the timer and log the session."),
                     Texts::tr("A session with under a minute of work is not kept."),
                     {},
                     0,
                     0,
                     true,
                     stop});
    commands.append({QStringLiteral("discard"),
                     {},
                     Texts::tr("Throw the open session away."),
                     {},
                     {},
                     0,
                     0,
                     true,
                     discard});
    commands.append({QStringLiteral("note"),
                     QStringLiteral("TEXT [--append]"),
                     Texts::tr("Set the note of the running session; --append adds a line to it."),
                     Texts::tr("A paused session counts as running. \"\" clears the note."),
                     {{QStringLiteral("append"), {}}},
                     1,
                     1,
                     true,
                     note});
    commands.append(
        {QStringLiteral("toggle"),
         {},
         Texts::tr("Pause the running timer, or start the last project again."),
         Texts::tr("What Super+Alt+T does. Where the desktop does not let programs claim\n"
                   "keys, bind this command to a key in the desktop's keyboard settings.\n"
                   "A paused session counts as not running: it is stopped and the last\n"
                   "project starts afresh."),
         {},
         0,
         0,
         true,
         toggle});
    for (qsizetype i = first; i < commands.size(); ++i)
        commands[i].tracksOnly = true;
}

} // namespace zol::cli
