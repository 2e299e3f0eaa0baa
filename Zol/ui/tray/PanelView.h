#pragma once

#include <QList>
#include <QMetaObject>
#include <QWidget>

class QShortcut;

namespace zol {
class AppModel;
}

namespace zol::ui {

class AdministrationBadge;
class PanelFooter;
class PanelHeader;
class ProjectPicker;
class StatusLine;
class TaskPicker;

// What the tray's panel shows, top to bottom: the header (the idle prompt,
// the running session, the armed work or today's total), the task picker,
// the status line, the project picker, the administration badge and the
// footer. It holds only what is being typed and which form is open; every
// control reads the controller and calls one of its operations.
//
// The keyboard, while the panel has the focus: Up and Down move the armed
// project, Return starts the armed work (or acts on the focused button or
// form), Space pauses or resumes outside text fields, Ctrl+Return stops,
// Escape closes a form, then clears the filter and the selection, then the
// panel. A letter typed anywhere goes to the search field.
class PanelView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PanelView)

public:
    static constexpr int panelWidth = 360;
    static constexpr int panelHeight = 600;

    explicit PanelView(AppModel& model, QWidget* parent = nullptr);
    ~PanelView() override;

    // Before the panel shows: the focus goes to the readout during a session,
    // else to the search field.
    void prepareToShow();
    // Takes its own size, or what a screen with `available` room holds.
    void fitTo(const QRect& available);
    // The panel closed: what its forms held is dropped.
    void discardForms();

    PanelHeader& header() const { return *m_header; }
    ProjectPicker& picker() const { return *m_picker; }

Q_SIGNALS:
    // Escape with nothing left to close or clear.
    void closeRequested();
    void quitRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void followTracker();
    void refreshHeader();
    void refreshTabOrder();
    void keepFocusInView();
    void pressReturn();
    void pressEscape();
    void editArmedProject();
    QShortcut* shortcut(const QKeySequence& keys, void (PanelView::*action)());

    AppModel& m_model;
    PanelHeader* m_header;
    TaskPicker* m_tasks;
    StatusLine* m_status;
    ProjectPicker* m_picker;
    AdministrationBadge* m_administration;
    PanelFooter* m_footer;
    QShortcut* m_space = nullptr;
    QList<QMetaObject::Connection> m_trackerConnections;
};

} // namespace zol::ui
