#include "window/CatalogueListModel.h"

#include "ProjectsList.h"
#include "records/ProjectColour.h"

#include <QColor>

namespace zol::ui {

CatalogueListModel::CatalogueListModel(ProjectsList& list, QObject* parent)
    : QAbstractListModel(parent)
    , m_list(list)
{
    connect(&list, &ProjectsList::rowsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

CatalogueListModel::~CatalogueListModel() = default;

int CatalogueListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_list.rows().size());
}

std::optional<Project> CatalogueListModel::project(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= m_list.rows().size())
        return std::nullopt;
    return m_list.rows().at(index.row()).project;
}

QVariant CatalogueListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.rows().size())
        return {};
    const ProjectsList::Row& row = m_list.rows().at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return row.project.name;
    case numberRole:
        return row.project.displaySerial();
    case detailsRole:
        return m_list.details(row);
    case archivedRole:
        return !row.project.isActive;
    case colourRole: {
        const ProjectColour colour = ProjectColour::of(row.project);
        return QColor::fromHsvF(colour.hue, colour.saturation, colour.brightness);
    }
    case Qt::AccessibleTextRole: {
        QString text = row.project.displaySerial();
        if (!text.isEmpty())
            text += u' ';
        text += row.project.name + QStringLiteral(", ") + m_list.details(row);
        if (!row.project.isActive)
            text = tr("%1, archived").arg(text);
        return text;
    }
    default:
        return {};
    }
}

} // namespace zol::ui
