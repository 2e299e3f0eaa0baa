#pragma once

#include <QObject>

namespace zol {

class AppModel;

// The controller's project operations: the whole catalogue for the Projects
// section, adding, editing, archiving and removing projects.
class CatalogueModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueModel)

public:
    explicit CatalogueModel(AppModel& model);
    ~CatalogueModel() override;

    // Reads every project of the open books again.
    void reloadAllProjects();

private:
    AppModel& m_model;
};

} // namespace zol
