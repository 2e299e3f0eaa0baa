#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class NumberBadge;

// The header when nothing is tracked and work is armed: the project (or the
// internal work) that Start would begin, with "Clear" and "Start".
class ArmedWork final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArmedWork)

public:
    explicit ArmedWork(AppModel& model, QWidget* parent = nullptr);
    ~ArmedWork() override;

    void refresh();
    QList<QWidget*> controls() const;

private:
    AppModel& m_model;
    NumberBadge* m_badge;
    QLabel* m_title;
    QLabel* m_client;
    QToolButton* m_clear;
    QPushButton* m_start;
};

} // namespace zol::ui
