#pragma once

#include "common/Widgets.h"
#include "records/Project.h"
#include "window/CatalogueRowDelegate.h"

#include <QMap>

class QAction;
class QComboBox;
class QLineEdit;
class QListView;

namespace zol {
class AppModel;
class ProjectsList;
} // namespace zol

namespace zol::ui {

class EmptyState;
class CatalogueListModel;
class SegmentedPicker;

// "Projects": the whole catalogue, active, archived or never used, in one of
// five orders and narrowed by a search, with "New project" and, per row,
// edit, archive or "Put back in the picker", and "Delete from my picker".
// The list scrolls by itself within the window, so thousands of rows stay
// quick; the row actions are also in the row's context menu and on keys
// (Return edits, Delete deletes from the picker).
class ProjectsSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectsSection)

public:
    ProjectsSection(AppModel& model, QWidget* parent = nullptr);
    ~ProjectsSection() override;

    ProjectsList& list() const { return *m_list; }
    QListView* view() const { return m_view; }
    // Runs a row action on the project of `row`.
    void act(int row, CatalogueRowDelegate::Action action);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeControls();
    void showRows();
    void updateActions();
    void fitList();
    void openSheet(const std::optional<Project>& editing);

    AppModel& m_model;
    ProjectsList* m_list;
    CatalogueListModel* m_rows = nullptr;
    SegmentedPicker* m_filter = nullptr;
    QComboBox* m_sort = nullptr;
    QLineEdit* m_search = nullptr;
    QListView* m_view = nullptr;
    EmptyState* m_empty = nullptr;
    QMap<CatalogueRowDelegate::Action, QAction*> m_actions;
};

} // namespace zol::ui
