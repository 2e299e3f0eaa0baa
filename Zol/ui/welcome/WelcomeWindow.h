#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The first run's window, "Welcome to Zol", in three steps: the books stay on
// this computer; what the studio should call you (the name field); and the
// ways to start a timer. "Back" and "Continue" move between the steps,
// "Skip" and "Start tracking" finish, and "Set up a studio…" finishes on the
// Administrations section. However it ends, the window is not shown again.
// objectNames: "welcomeSteps", "welcomeName", "back", "continue", "skip",
// "startTracking", "setUpStudio", "hotKeyTitle", "hotKeyDetail".
class WelcomeWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WelcomeWindow)

public:
    explicit WelcomeWindow(AppModel& model, QWidget* parent = nullptr);
    ~WelcomeWindow() override;

    int step() const;
    void setStep(int step);

Q_SIGNALS:
    // Finished with "Start tracking": the panel is to open.
    void startTrackingRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* stepPage(const QString& title, const QString& lede);
    void follow();
    // Saves the name typed on its step; false, with the refusal shown under
    // it, when the name cannot be kept.
    bool keepTypedName();
    void finish();

    AppModel& m_model;
    QStackedWidget* m_steps;
    QLineEdit* m_name;
    QLabel* m_nameRefusal;
    QList<QLabel*> m_dots;
    QPushButton* m_back;
    QPushButton* m_continue;
    QPushButton* m_skip;
    QPushButton* m_start;
    bool m_finished = false;
};

} // namespace zol::ui
