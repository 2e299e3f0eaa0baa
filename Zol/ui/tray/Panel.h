#pragma once

#include "SessionKind.h"

#include <QRect>
#include <QWidget>

namespace zol {
class AppModel;
}

namespace zol::ui {

class PanelView;

// The window the tray's panel lives in. Under X11 a popup placed against the
// tray's bar and closed by a click elsewhere; on Wayland, where a client
// cannot place itself, a frameless window the compositor places; with no tray
// at all, an ordinary window, so that the app is never out of reach.
class Panel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Panel)

public:
    enum class Mode { popup, placedByCompositor, window };

    Panel(AppModel& model, Mode mode, QWidget* parent = nullptr);
    ~Panel() override;

    // The mode `session` calls for: a popup in an X11 session; in a Wayland
    // one (native or through XWayland) a window of the panel's fixed size
    // that the compositor places, and a tiling one floats.
    static Mode modeFor(const SessionKind& session);

    Mode mode() const { return m_mode; }
    PanelView& view() const { return *m_view; }
    // Opens the panel by the tray icon (`icon`, empty when the tray does not
    // say where it is: then by `from`, where it was clicked) and gives it the
    // focus.
    void open(QRect icon, QPoint from);

Q_SIGNALS:
    void quitRequested();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    AppModel& m_model;
    Mode m_mode;
    PanelView* m_view;
};

} // namespace zol::ui
