#pragma once

#include <QWidget>

namespace zol {
class AppModel;
}

namespace zol::ui {

// What the tray's panel shows, top to bottom: the header (the idle prompt,
// the running session, the armed work or today's total), the task picker,
// the status line, the project picker, the administration badge and the
// footer. It holds only what is being typed and which form is open; every
// control reads the controller and calls one of its operations.
class PanelView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelView)

public:
    explicit PanelView(AppModel& model, QWidget* parent = nullptr);
    ~PanelView() override;

    // Before the panel shows: the focus goes to the readout during a session,
    // else to the search field.
    void prepareToShow();
    // The panel closed: what its forms held is dropped.
    void discardForms();

Q_SIGNALS:
    // Escape with nothing left to close or clear.
    void closeRequested();
    void quitRequested();

private:
    AppModel& m_model;
};

} // namespace zol::ui
