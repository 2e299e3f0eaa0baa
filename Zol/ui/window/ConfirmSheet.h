#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace zol::ui {

// A question before something that cannot simply be undone: a heading, the
// story, Cancel, and the button that does it. Opened window-modal with
// open(), so nothing waits on it: accepted() runs the action. objectNames:
// "question", "explanation", "confirm", "cancel".
class ConfirmSheet final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConfirmSheet)

public:
    ConfirmSheet(const QString& question, const QString& explanation, const QString& action,
                 QWidget* parent);
    ~ConfirmSheet() override;

    // As tall as its wrapped sentences are at its fixed width.
    QSize sizeHint() const override;

    QPushButton* confirmButton() const { return m_confirm; }
    // Where a sheet with more to it puts its extra controls, above the buttons.
    QVBoxLayout* body() const { return m_body; }
    // Draws the action as one that destroys; Return then cancels.
    void setDestructive(bool destructive);

private:
    QVBoxLayout* m_body;
    QPushButton* m_confirm;
    QPushButton* m_cancel = nullptr;
};

} // namespace zol::ui
