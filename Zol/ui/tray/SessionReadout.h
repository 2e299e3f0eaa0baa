#pragma once

#include <QUuid>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class NumberBadge;
class Readout;

// The header during a session: what is tracked, its running clock, task and
// note, Pause or Resume, Stop, "Switch to" the armed work, and "Cancel
// recording" behind its confirmation. The clock area ("readout") takes the
// focus when the panel opens during a session.
class SessionReadout final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionReadout)

public:
    explicit SessionReadout(AppModel& model, QWidget* parent = nullptr);
    ~SessionReadout() override;

    // Everything but the clock; the clock alone with tick().
    void refresh();
    void tick();
    QWidget* readout() const;
    QLineEdit* noteField() const { return m_note; }
    QWidget* lastControl() const;
    // The tab order of the controls, top to bottom.
    QList<QWidget*> controls() const;
    // Whether the confirmation of "Cancel recording" is open; closing it is
    // Escape's first step.
    bool isConfirming() const;
    void closeConfirmation();
    void togglePause();

private:
    void confirm(bool open);

    AppModel& m_model;
    Readout* m_readout;
    NumberBadge* m_badge;
    QLabel* m_title;
    QLabel* m_client;
    QLabel* m_state;
    QLabel* m_elapsed;
    QLabel* m_paused;
    QLabel* m_task;
    QLineEdit* m_note;
    QPushButton* m_pauseOrResume;
    // Whether the button says Resume (else Pause).
    bool m_offersResume = false;
    QPushButton* m_stop;
    QPushButton* m_switch;
    QPushButton* m_cancel;
    QWidget* m_confirmation;
    QPushButton* m_keepTracking;
    QPushButton* m_discard;
    QUuid m_shownSession;
};

} // namespace zol::ui
