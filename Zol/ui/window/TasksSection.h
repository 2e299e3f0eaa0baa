#pragma once

#include "common/Widgets.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace zol {
class AppModel;
class TaskListEditor;
} // namespace zol

namespace zol::ui {

// "Tasks": whether sessions record a task, the list in picker order with
// "General" always first, each task's "Move up", "Move down" and remove, and
// the field that adds one. Every change is saved at once; a refused one says
// why under the list.
class TasksSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TasksSection)

public:
    TasksSection(AppModel& model, QWidget* parent = nullptr);
    ~TasksSection() override;

private:
    void showList();
    void showRefusal();
    QWidget* makeRow(const QString& task, int position, int count);

    AppModel& m_model;
    TaskListEditor* m_editor;
    QCheckBox* m_enabled;
    Card* m_listCard;
    QVBoxLayout* m_rows;
    QLabel* m_refusal;
    QLineEdit* m_add;
    QPushButton* m_addButton;
};

} // namespace zol::ui
