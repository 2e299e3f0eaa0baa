#pragma once

#include <QAbstractListModel>

namespace zol {
class ProjectsList;
struct Project;
} // namespace zol

namespace zol::ui {

// The Projects screen's rows as a list, read straight from the controller's
// ProjectsList (no copy); reset whenever its rows are replaced.
class CatalogueListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueListModel)

public:
    enum Role {
        // The number as shown; empty for a project still without one.
        numberRole = Qt::UserRole + 1,
        // The row's second line.
        detailsRole,
        // bool: put out of the picker.
        archivedRole,
        // The badge's colour (QColor).
        colourRole,
    };

    explicit CatalogueListModel(ProjectsList& list, QObject* parent = nullptr);
    ~CatalogueListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The project of a row, copied: the list may be rebuilt by what is done
    // with it.
    std::optional<Project> project(const QModelIndex& index) const;

private:
    ProjectsList& m_list;
};

} // namespace zol::ui
