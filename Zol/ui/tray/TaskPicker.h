#pragma once

#include <QWidget>

class QComboBox;

namespace zol {
class AppModel;
}

namespace zol::ui {

// "Task": what kind of work the current session is, or the next one will be.
// Shown only while the open books record tasks.
class TaskPicker final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TaskPicker)

public:
    explicit TaskPicker(AppModel& model, QWidget* parent = nullptr);
    ~TaskPicker() override;

    void refresh();
    QComboBox* menu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppModel& m_model;
    QComboBox* m_menu;
};

} // namespace zol::ui
