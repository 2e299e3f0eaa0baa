#include "CatalogueModel.h"

#include "InputCheck.h"
#include "OpenBooks.h"
#include "PanelModel.h"
#include "SharingModel.h"
#include "StatusMessage.h"
#include "StatusModel.h"
#include "books/ProjectNumbering.h"
#include "records/ClientName.h"
#include "store/EntryStore.h"
#include "support/Error.h"
#include "support/PlainText.h"
#include "tracking/Tracker.h"

namespace zol {

namespace {

// Bounds wide enough to hold every session the books can have.
const QDateTime everFrom{QDate(1000, 1, 1), QTime(0, 0), Qt::UTC};
const QDateTime everTo{QDate(9999, 12, 31), QTime(0, 0), Qt::UTC};

// The refusal of a project's name, client or (a non-blank) number as typed.
std::optional<QString> refuseProject(const QString& name, const QString& clientName,
                                     const QString& number)
{
    using InputCheck::Name;
    if (std::optional<QString> refusal = InputCheck::refuseName(Name::project, name))
        return refusal;
    if (std::optional<QString> refusal = InputCheck::refuseName(Name::client, clientName))
        return refusal;
    return InputCheck::refuseName(Name::projectNumber, number);
}

} // namespace

CatalogueModel::CatalogueModel(OpenBooks& books, PanelModel& panel, StatusModel& status,
                               QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_panel(panel)
    , m_status(status)
{
    connect(&books, &OpenBooks::closing, this, [this] { setAllProjects({}); });
    connect(&books, &OpenBooks::opened, this, [this] { reloadAllProjects(); });
    connect(&books, &OpenBooks::projectsChanged, this, [this] { reloadAllProjects(); });
}

CatalogueModel::~CatalogueModel() = default;

EntryStore& CatalogueModel::store() const
{
    return *m_books.store();
}

void CatalogueModel::reloadAllProjects()
{
    if (const auto projects = m_status.attempt([&] { return store().projects(true); }))
        setAllProjects(*projects);
}

std::optional<Project> CatalogueModel::projectHolding(const QString& number)
{
    const Outcome<std::optional<Project>> found =
        m_status.attempt([&] { return store().project(number); });
    if (!found)
        return std::nullopt;
    const std::optional<Project>& holder = *found;
    // A local key is nobody's number, however it was typed.
    if (holder && !holder->holds(number))
        return std::nullopt;
    return holder;
}

std::unexpected<Refusal> CatalogueModel::refuseTaken(const Project& holder)
{
    const QString number = PlainText::isolated(holder.serial);
    const QString name = PlainText::isolated(holder.displayName());
    return refuse(holder.isActive
                      ? tr("%1 is already %2. Pick it from the list, or use a different number.")
                            .arg(number, name)
                      : tr("%1 is already %2, archived. Pick it from the list, or use a different "
                           "number.")
                            .arg(number, name));
}

Outcome<Project> CatalogueModel::quickAddProject(const QString& number, const QString& name,
                                                 const QString& clientName)
{
    if (const std::optional<QString> refusal = refuseProject(name, clientName, number))
        return refuse(*refusal);
    const QString serial = number.trimmed();
    const QString trimmedName = name.trimmed();
    const QString client = clientName.trimmed();
    const QDateTime now = m_books.clock().now();
    Project project;
    if (serial.isEmpty()) {
        project = Project::local(trimmedName, client, now);
    } else {
        if (const std::optional<Project> holder = projectHolding(serial))
            return refuseTaken(*holder);
        project = Project{serial, trimmedName, client, true, now, now};
    }
    if (const auto added = m_status.attempt([&] { store().addManualProject(project); }); !added)
        return std::unexpected(added.error());
    afterChange();
    m_status.succeed(tr("Added %1.").arg(PlainText::isolated(trimmedName)));
    return project;
}

Outcome<Project> CatalogueModel::updateProject(const Project& project, const QString& name,
                                               const QString& clientName, const QString& number)
{
    if (const std::optional<QString> refusal = refuseProject(name, clientName, number))
        return refuse(*refusal);
    const QString trimmedName = name.trimmed();
    const QString serial = number.trimmed();
    if (!serial.isEmpty()) {
        const std::optional<Project> holder = projectHolding(serial);
        if (holder && holder->serial != project.serial)
            return refuseTaken(*holder);
    }
    // One transaction: the new number (sessions follow it), then the name
    // and client of the project and of every session on it.
    if (const auto changed = m_status.attempt([&] {
            store().updateProject(project.serial, trimmedName, clientName.trimmed(), serial);
        });
        !changed)
        return std::unexpected(changed.error());
    afterChange(true);
    m_status.succeed(tr("Updated %1.").arg(PlainText::isolated(trimmedName)));
    Project updated = project;
    updated.name = trimmedName;
    updated.clientName = clientName.trimmed();
    if (!serial.isEmpty())
        updated.serial = serial;
    return updated;
}

Outcome<void> CatalogueModel::setProjectActive(const Project& project, bool isActive)
{
    const Outcome<void> changed =
        m_status.attempt([&] { store().setProjectActive(project.serial, isActive); });
    if (!changed)
        return changed;
    afterChange();
    m_status.succeed((isActive ? tr("%1 is back in the picker.") : tr("Archived %1."))
                         .arg(PlainText::isolated(project.name)));
    return {};
}

Outcome<void> CatalogueModel::deleteProject(const Project& project)
{
    const Outcome<void> removed = m_status.attempt([&] { store().deleteProject(project.serial); });
    if (!removed)
        return removed;
    afterChange();
    m_status.succeed(tr("Removed %1 from the picker. Its hours stay in the history.")
                         .arg(PlainText::isolated(project.name)));
    return {};
}

QHash<QString, ProjectUsage> CatalogueModel::projectUsage()
{
    const Outcome<QList<TimeEntry>> read =
        m_status.attempt([&] { return store().entries(everFrom, everTo); });
    if (!read)
        return {};
    const QList<TimeEntry>& entries = *read;
    const QDateTime now = m_books.clock().now();
    QHash<QString, ProjectUsage> usage;
    for (const TimeEntry& entry : std::as_const(entries)) {
        if (entry.isInternal || entry.projectSerial.isEmpty())
            continue;
        ProjectUsage& figures = usage[entry.projectSerial];
        ++figures.sessions;
        figures.totalSeconds += entry.duration(now);
        const QDateTime last = entry.endedAt.value_or(now);
        if (!figures.lastTrackedAt.isValid() || figures.lastTrackedAt < last)
            figures.lastTrackedAt = last;
    }
    return usage;
}

std::optional<QString> CatalogueModel::suggestedProjectNumber()
{
    const std::optional<Administration::Scheme>& scheme =
        m_books.administration().numbering.scheme();
    if (!scheme)
        return std::nullopt;
    QStringList existing;
    try {
        for (const Project& project : store().projects(true))
            existing.append(project.serial);
    } catch (const Error&) {
        // Unreadable books still get a suggestion: the scheme's first number.
        existing.clear();
    }
    return ProjectNumbering::next(scheme->pattern(), existing, m_books.clock().now(),
                                  m_books.calendar());
}

QStringList CatalogueModel::knownClients() const
{
    QStringList clients;
    clients.reserve(m_allProjects.size());
    for (const Project& project : m_allProjects)
        clients.append(project.clientName);
    return ClientName::distinct(clients);
}

void CatalogueModel::afterChange(bool sessionsChanged)
{
    // Sessions renamed or renumbered show in the history too.
    if (sessionsChanged)
        m_books.reloadTracker();
    else
        m_books.tracker()->reload();
    reloadAllProjects();
    m_books.announceListsEdited();
}

std::unexpected<Refusal> CatalogueModel::refuse(const QString& sentence)
{
    return m_status.refuse(Refusal{sentence});
}

void CatalogueModel::setAllProjects(const QList<Project>& projects)
{
    if (m_allProjects == projects)
        return;
    m_allProjects = projects;
    Q_EMIT allProjectsChanged();
}

void CatalogueModel::armAsListed(const Project& project)
{
    // The tracker's record, as the picker lists it, so that the arrow keys
    // find it there.
    for (const Project& listed : m_books.tracker()->projects()) {
        if (listed.serial == project.serial) {
            m_panel.arm(listed);
            return;
        }
    }
    m_panel.arm(project);
}

Outcome<Project> CatalogueModel::addAndArm(const QString& number, const QString& name,
                                           const QString& clientName)
{
    Outcome<Project> added = quickAddProject(number, name, clientName);
    if (added)
        armAsListed(*added);
    return added;
}

Outcome<Project> CatalogueModel::updateInPicker(const Project& project, const QString& name,
                                                const QString& clientName, const QString& number)
{
    const bool wasArmed =
        m_panel.armedProject() && m_panel.armedProject()->serial == project.serial;
    Outcome<Project> updated = updateProject(project, name, clientName, number);
    if (updated && wasArmed)
        armAsListed(*updated);
    return updated;
}

} // namespace zol
