#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The header while away time waits for an answer: how long the user was
// away, since when the timer kept running, "Keep it" and "Take it off".
class IdlePrompt final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IdlePrompt)

public:
    explicit IdlePrompt(AppModel& model, QWidget* parent = nullptr);
    ~IdlePrompt() override;

    void refresh();
    QWidget* firstControl() const;
    QWidget* lastControl() const;

private:
    AppModel& m_model;
    QLabel* m_awayTime;
    QLabel* m_since;
    QPushButton* m_keep;
    QPushButton* m_takeOff;
};

} // namespace zol::ui
