#pragma once

#include "ProjectDraft.h"
#include "records/Project.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class ClientField;

// A project's number, client and name edited in place in the picker, with
// "Cancel" and "Save", and a footer that says what the edit will do for the
// studio.
class InlineProjectEditor final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InlineProjectEditor)

public:
    InlineProjectEditor(AppModel& model, const Project& project, QWidget* parent = nullptr);
    ~InlineProjectEditor() override;

    const Project& project() const { return m_project; }
    ProjectDraft draft() const;
    QWidget* firstField() const;
    QList<QWidget*> controls() const;
    // Saves when the fields are complete; done() when it was saved.
    void save();

Q_SIGNALS:
    // Saved or cancelled: the editor is to close.
    void done();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void update();

    AppModel& m_model;
    Project m_project;
    QLineEdit* m_number;
    ClientField* m_client;
    QLineEdit* m_name;
    QLabel* m_notice;
    QLabel* m_footer;
    QLabel* m_stillNeeded;
    QPushButton* m_cancel;
    QPushButton* m_save;
};

} // namespace zol::ui
