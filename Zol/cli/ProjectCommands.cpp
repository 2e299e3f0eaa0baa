// The project catalogue.

#include "CommandLine.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::ProjectCommands)
};

// A project as the studio folder shares it.
QJsonObject sharedForm(const Project& project)
{
    return QJsonObject{{QStringLiteral("number"), project.displaySerial()},
                       {QStringLiteral("name"), project.name},
                       {QStringLiteral("client"), project.clientName},
                       {QStringLiteral("isActive"), project.isActive},
                       {QStringLiteral("updatedAt"), iso8601(project.updatedAt)},
                       {QStringLiteral("createdAt"), iso8601(project.createdAt)}};
}

int projects(Invocation& call)
{
    CatalogueModel& catalogue = *call.model.catalogue();
    catalogue.reloadAllProjects();
    const bool all = call.has(QStringLiteral("all"));
    QList<Project> shown;
    for (const Project& project : catalogue.allProjects()) {
        if (all || project.isActive)
            shown.append(project);
    }
    if (call.has(QStringLiteral("json"))) {
        QJsonArray array;
        for (const Project& project : shown)
            array.append(sharedForm(project));
        call.out << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return succeeded;
    }
    if (shown.isEmpty())
        call.out << (all ? Texts::tr("No projects.") : Texts::tr("No active projects.")) << '\n';
    for (const Project& project : shown) {
        const QString number =
            project.displaySerial().isEmpty() ? Texts::tr("(no number)") : project.displaySerial();
        QString named = project.name;
        if (!project.clientName.isEmpty())
            named += QStringLiteral(" · ") + project.clientName;
        if (!project.isActive)
            named = Texts::tr("%1 (archived)").arg(named);
        call.out << number.leftJustified(12) << ' ' << named << '\n';
    }
    return call.reportStatus();
}

std::optional<Project> held(Invocation& call)
{
    return call.model.catalogue()->projectHolding(call.arguments.first());
}

int noSuchProject(Invocation& call)
{
    return call.fail(Texts::tr("No project has the number %1. 'zol projects --all' lists them.")
                         .arg(call.arguments.first().trimmed()));
}

int projectAdd(Invocation& call)
{
    if (!call.has(QStringLiteral("name")))
        return call.usageError(Texts::tr("a project needs --name"));
    if (!call.has(QStringLiteral("client")))
        return call.usageError(Texts::tr("a project needs --client"));
    const Outcome<Project> added = call.model.catalogue()->quickAddProject(
        call.arguments.first(), call.value(QStringLiteral("name")),
        call.value(QStringLiteral("client")));
    if (!added)
        return call.fail(added.error().sentence);
    if (call.model.status().message())
        return call.reportStatus();
    call.out << (added->displaySerial().isEmpty()
                     ? Texts::tr("Added a draft %1.").arg(added->name)
                     : Texts::tr("Added %1 %2.").arg(added->displaySerial(), added->name))
             << '\n';
    return succeeded;
}

int projectEdit(Invocation& call)
{
    const std::optional<Project> project = held(call);
    if (!project)
        return noSuchProject(call);
    if (!call.has(QStringLiteral("name")) && !call.has(QStringLiteral("client")) &&
        !call.has(QStringLiteral("number")))
        return call.usageError(Texts::tr("give --name, --client or --number"));
    const Outcome<Project> changed = call.model.catalogue()->updateProject(
        *project,
        call.has(QStringLiteral("name")) ? call.value(QStringLiteral("name")) : project->name,
        call.has(QStringLiteral("client")) ? call.value(QStringLiteral("client"))
                                           : project->clientName,
        call.value(QStringLiteral("number")));
    if (!changed)
        return call.fail(changed.error().sentence);
    return call.reportStatus();
}

int projectActive(Invocation& call, bool active)
{
    const std::optional<Project> project = held(call);
    if (!project)
        return noSuchProject(call);
    if (const Outcome<void> changed = call.model.catalogue()->setProjectActive(*project, active);
        !changed)
        return call.fail(changed.error().sentence);
    return call.reportStatus();
}

int projectRemove(Invocation& call)
{
    const std::optional<Project> project = held(call);
    if (!project)
        return noSuchProject(call);
    if (const Outcome<void> removed = call.model.catalogue()->deleteProject(*project); !removed)
        return call.fail(removed.error().sentence);
    if (call.model.status().message())
        return call.reportStatus();
    call.out << Texts::tr("Removed %1 %2.").arg(project->serial, project->name) << '\n';
    return succeeded;
}

int projectNext(Invocation& call)
{
    const std::optional<QString> next = call.model.catalogue()->suggestedProjectNumber();
    if (!next)
        return call.fail(Texts::tr("Project numbers are typed by hand in %1.")
                             .arg(call.model.books().administration().name));
    call.out << *next << '\n';
    return succeeded;
}

} // namespace

void addProjectCommands(QList<Command>& commands)
{
    const Option json{QStringLiteral("json"), {}};
    commands.append(
        {QStringLiteral("projects"),
         QStringLiteral("[--all] [--json]"),
         Texts::tr("The active projects; --all adds the archived ones."),
         Texts::tr("--json prints number, name, client, isActive, updatedAt and createdAt."),
         {{QStringLiteral("all"), {}}, json},
         0,
         0,
         false,
         projects});
    commands.append(
        {QStringLiteral("project add"),
         QStringLiteral("NUMBER --client CLIENT --name NAME"),
         Texts::tr("Add a project; an empty NUMBER \"\" adds a draft without a number."),
         {},
         {{QStringLiteral("client"), QStringLiteral("CLIENT")},
          {QStringLiteral("name"), QStringLiteral("NAME")}},
         1,
         1,
         true,
         projectAdd});
    commands.append({QStringLiteral("project edit"),
                     QStringLiteral("NUMBER [--name NAME] [--client CLIENT] [--number NEW]"),
                     Texts::tr("Rename or renumber a project; its sessions follow."),
                     {},
                     {{QStringLiteral("name"), QStringLiteral("NAME")},
                      {QStringLiteral("client"), QStringLiteral("CLIENT")},
                      {QStringLiteral("number"), QStringLiteral("NEW")}},
                     1,
                     1,
                     true,
                     projectEdit});
    commands.append({QStringLiteral("project archive"),
                     QStringLiteral("NUMBER"),
                     Texts::tr("Take a project out of the picker."),
                     {},
                     {},
                     1,
                     1,
                     true,
                     [](Invocation& call) { return projectActive(call, false); }});
    commands.append({QStringLiteral("project unarchive"),
                     QStringLiteral("NUMBER"),
                     Texts::tr("Put an archived project back in the picker."),
                     {},
                     {},
                     1,
                     1,
                     true,
                     [](Invocation& call) { return projectActive(call, true); }});
    commands.append({QStringLiteral("project remove"),
                     QStringLiteral("NUMBER"),
                     Texts::tr("Remove a project; its sessions keep their copies."),
                     {},
                     {},
                     1,
                     1,
                     true,
                     projectRemove});
    commands.append({QStringLiteral("project next"),
                     {},
                     Texts::tr("The next project number of the books' numbering."),
                     {},
                     {},
                     0,
                     0,
                     false,
                     projectNext});
}

} // namespace zol::cli
