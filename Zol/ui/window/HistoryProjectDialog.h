#pragma once

#include "records/Project.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zol {
class AppModel;
}

namespace zol::ui {

// "Edit project" from the history: the number, name and client of the
// project a day's sessions were tracked on. Giving a number moves its
// sessions onto it; a refusal (a number already held, a blank name) is said
// on the status line and the dialog stays open.
// objectNames: "projectNumber", "projectName", "projectClient", "saveProject".
class HistoryProjectDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryProjectDialog)

public:
    HistoryProjectDialog(AppModel& model, const Project& project, QWidget* parent = nullptr);
    ~HistoryProjectDialog() override;

private:
    void save();

    AppModel& m_model;
    Project m_project;
    QLineEdit* m_number;
    QLineEdit* m_name;
    QLineEdit* m_client;
    QLabel* m_refusal;
};

} // namespace zol::ui
