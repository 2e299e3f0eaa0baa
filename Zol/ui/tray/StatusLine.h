#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The controller's status message: a symbol for its kind, the sentence, and
// "Undo" when it can bring deleted sessions back. Hidden while there is none.
class StatusLine final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLine)

public:
    explicit StatusLine(AppModel& model, QWidget* parent = nullptr);
    ~StatusLine() override;

    void refresh();
    QPushButton* undo() const { return m_undo; }

private:
    AppModel& m_model;
    QLabel* m_symbol;
    QLabel* m_text;
    QPushButton* m_undo;
};

} // namespace zol::ui
