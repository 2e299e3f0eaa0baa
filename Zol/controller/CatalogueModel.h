#pragma once

#include "Refusal.h"
#include "records/Project.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace zol {

class OpenBooks;
class PanelModel;
class StatusModel;
class EntryStore;

// How much a project has been tracked, for the Projects section's sorts.
struct ProjectUsage
{
    int sessions = 0;
    // Seconds worked, a running session up to now.
    double totalSeconds = 0;
    // When time on it was last tracked: the latest end, or now while it runs.
    QDateTime lastTrackedAt;

    bool operator==(const ProjectUsage& other) const = default;
};

// The controller's project operations: the whole catalogue for the Projects
// section, adding, editing, archiving and removing projects.
//
// Each operation is short local work on the open store, run on the calling
// (UI) thread. After every change the tracker and the catalogue are read
// again and a quiet sync of the project list is asked for. A store failure
// never escapes: its message goes to the status line as a failure.
class CatalogueModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueModel)
    Q_PROPERTY(QList<zol::Project> allProjects READ allProjects NOTIFY allProjectsChanged)
    Q_PROPERTY(QStringList knownClients READ knownClients NOTIFY allProjectsChanged)

public:
    CatalogueModel(OpenBooks& books, PanelModel& panel, StatusModel& status,
                   QObject* parent = nullptr);
    ~CatalogueModel() override;

    // Every project of the open books, archived ones included, by client then
    // name.
    const QList<Project>& allProjects() const { return m_allProjects; }
    // Reads every project of the open books again.
    void reloadAllProjects();

    // The project that already holds `number` (trimmed, ignoring case); never
    // one with a local key. None for a blank number.
    std::optional<Project> projectHolding(const QString& number);

    // Adds a project typed in by hand. The number is trimmed; a blank number
    // gives a project with a local key until it is given one. A number another
    // project holds, archived or not, is refused with a failure that names
    // that project; a name, client or number InputCheck refuses (a blank name
    // among them) is refused in its words. Returns the project added. A
    // refusal is on the status line too.
    Outcome<Project> quickAddProject(const QString& number, const QString& name,
                                     const QString& clientName);
    // Renames a project and, with a non-blank `number`, gives it that number:
    // its sessions move onto the new number and take the new name and client.
    // A number held by another project, and a name, client or number
    // InputCheck refuses, are refused as when adding; a blank number leaves
    // the number as it is. Returns the project as changed.
    Outcome<Project> updateProject(const Project& project, const QString& name,
                                   const QString& clientName, const QString& number);
    // Archives a project (out of the picker) or puts it back. Refused with
    // why the store could not write it.
    Outcome<void> setProjectActive(const Project& project, bool isActive);
    // Removes a project from the catalogue; its sessions keep their copies of
    // its number, name and client. Refused as setProjectActive().
    Outcome<void> deleteProject(const Project& project);

    // Per project number as the sessions carry it: live sessions of projects
    // (internal work left out). Empty when the store cannot be read.
    QHash<QString, ProjectUsage> projectUsage();
    // The next number of the open administration's scheme when it numbers
    // automatically (archived projects count); none for numbers typed by hand.
    std::optional<QString> suggestedProjectNumber();
    // The clients of the catalogue, one spelling per client, in natural order.
    QStringList knownClients() const;

    // --- the panel's picker ---
    // The add form's submit: adds the project (as quickAddProject) and arms
    // it. Returns the project added.
    Outcome<Project> addAndArm(const QString& number, const QString& name,
                               const QString& clientName);
    // The picker's inline editor: edits the project (as updateProject); when it
    // was the armed project, the edited record is armed in its place.
    Outcome<Project> updateInPicker(const Project& project, const QString& name,
                                    const QString& clientName, const QString& number);

Q_SIGNALS:
    void allProjectsChanged();

private:
    void setAllProjects(const QList<Project>& projects);
    // The refusal of a number `holder` already holds.
    std::unexpected<Refusal> refuseTaken(const Project& holder);
    // Reloads the tracker and the catalogue and shares the change quietly.
    void afterChange(bool sessionsChanged = false);
    // Arms the tracker's record of `project`'s number, else `project` itself.
    void armAsListed(const Project& project);
    // Puts `sentence` on the status line and gives it back as a refusal.
    std::unexpected<Refusal> refuse(const QString& sentence);
    EntryStore& store() const;

    OpenBooks& m_books;
    PanelModel& m_panel;
    StatusModel& m_status;
    QList<Project> m_allProjects;
};

} // namespace zol
