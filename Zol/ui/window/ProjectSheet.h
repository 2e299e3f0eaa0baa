#pragma once

#include "records/Project.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// "New project" and the edit of one: number, name and client. A new
// project's number starts with the books' next number when they number
// automatically. Saving is the catalogue's add or edit; a refusal (a number
// taken, a name missing) stays in the sheet in the catalogue's words, and the
// sheet closes only once the project is stored. objectNames:
// "projectNumber", "projectName", "projectClient", "projectRefusal",
// "saveProject", "cancel".
class ProjectSheet final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectSheet)

public:
    ProjectSheet(AppModel& model, const std::optional<Project>& editing, QWidget* parent);
    ~ProjectSheet() override;

    // As tall as its wrapped sentences are at its fixed width.
    QSize sizeHint() const override;

    static QString explanation();

private:
    void save();

    AppModel& m_model;
    std::optional<Project> m_editing;
    QLineEdit* m_number;
    QLineEdit* m_name;
    QLineEdit* m_client;
    QLabel* m_refusal;
    QPushButton* m_save;
};

} // namespace zol::ui
