#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The controller's status line at the foot of the main window: the sentence,
// coloured by how it reads, and "Undo" after a deletion. Hidden while the
// line is empty. objectNames: "statusText", "statusUndo".
class StatusStrip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusStrip)

public:
    explicit StatusStrip(AppModel& model, QWidget* parent = nullptr);
    ~StatusStrip() override;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    AppModel& m_model;
    QLabel* m_icon;
    QLabel* m_text;
    QPushButton* m_undo;
};

} // namespace zol::ui
