#pragma once

#include "ProjectDraft.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class ClientField;

// "Add a project, or internal time": a new project's number (the next free
// one already in it where the books number automatically), client and name,
// or, switched to internal, what the work is. Says what is still needed,
// warns when the number belongs to a project already, and on submit adds
// the project (or takes the internal work) and arms it.
class AddEntryForm final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AddEntryForm)

public:
    explicit AddEntryForm(AppModel& model, QWidget* parent = nullptr);
    ~AddEntryForm() override;

    // Starts afresh: the suggested number, nothing else typed.
    void reset();
    // The field the form opens on: the first one still empty.
    QWidget* firstEmptyField() const;
    // The tab order of the controls, top to bottom.
    QList<QWidget*> controls() const;
    ProjectDraft draft() const;
    // Adds (or arms the internal work) when the form is complete; closes it
    // when that worked.
    void submit();

Q_SIGNALS:
    void done();

private:
    void update();

    AppModel& m_model;
    QCheckBox* m_internal;
    QWidget* m_projectFields;
    QWidget* m_internalFields;
    QLineEdit* m_number;
    ClientField* m_client;
    QLineEdit* m_name;
    QLineEdit* m_description;
    QWidget* m_notice;
    QLabel* m_noticeTitle;
    QLabel* m_stillNeeded;
    QPushButton* m_submit;
};

} // namespace zol::ui
