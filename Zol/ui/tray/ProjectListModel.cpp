#include "tray/ProjectListModel.h"

#include "AppModel.h"
#include "records/ProjectColour.h"
#include "tray/NumberBadge.h"

#include <QColor>

namespace zol::ui {

namespace {

QString chipText(const Project& project)
{
    const QString number = project.displaySerial();
    return number.isEmpty() ? ProjectListModel::tr("No number") : number;
}

} // namespace

ProjectListModel::ProjectListModel(AppModel& model, QObject* parent)
    : QAbstractListModel(parent)
    , m_model(model)
{}

ProjectListModel::~ProjectListModel() = default;

void ProjectListModel::refresh()
{
    QList<Project> projects = m_model.panel().pickerProjects();
    if (projects == m_projects) {
        refreshMarks();
        return;
    }
    beginResetModel();
    m_projects = std::move(projects);
    m_widestNumber.clear();
    qsizetype widest = 0;
    for (const Project& project : std::as_const(m_projects)) {
        const QString text = chipText(project);
        if (text.size() > widest) {
            widest = text.size();
            m_widestNumber = text;
        }
    }
    endResetModel();
}

void ProjectListModel::refreshMarks()
{
    if (!m_projects.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_projects.size()) - 1), {MarkRole});
}

int ProjectListModel::rowOf(const QString& serial) const
{
    for (qsizetype row = 0; row < m_projects.size(); ++row) {
        if (m_projects.at(row).serial == serial)
            return int(row);
    }
    return -1;
}

void ProjectListModel::setEditing(const QString& serial)
{
    if (serial == m_editing)
        return;
    const int before = rowOf(m_editing);
    m_editing = serial;
    const int after = rowOf(m_editing);
    for (const int row : {before, after}) {
        if (row >= 0)
            Q_EMIT dataChanged(index(row), index(row), {EditingRole, Qt::SizeHintRole});
    }
}

int ProjectListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_projects.size());
}

ProjectListModel::Mark ProjectListModel::markOf(const Project& project) const
{
    const std::optional<TimeEntry>& current = m_model.books().tracker()->current();
    if (current && !current->isInternal && current->projectSerial == project.serial)
        return Mark::running;
    const std::optional<Project>& armed = m_model.panel().armedProject();
    if (armed && armed->serial == project.serial)
        return Mark::armed;
    return Mark::other;
}

QVariant ProjectListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_projects.size())
        return {};
    const Project& project = m_projects.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return project.name;
    case Qt::AccessibleTextRole: {
        QString text = chipText(project) + QStringLiteral(", ") + project.name;
        if (!project.clientName.isEmpty())
            text += QStringLiteral(", ") + project.clientName;
        switch (markOf(project)) {
        case Mark::running:
            return tr("%1, tracking").arg(text);
        case Mark::armed:
            return tr("%1, selected").arg(text);
        case Mark::other:
            break;
        }
        return text;
    }
    case Qt::ToolTipRole:
        return project.displayName();
    case ProjectRole:
        return QVariant::fromValue(project);
    case NumberRole:
        return chipText(project);
    case ClientRole:
        return project.clientName;
    case ColourRole:
        return NumberBadge::fill(ProjectColour::of(project));
    case MarkRole:
        return QVariant::fromValue(markOf(project));
    case EditingRole:
        return !m_editing.isEmpty() && project.serial == m_editing;
    default:
        break;
    }
    return {};
}

} // namespace zol::ui
