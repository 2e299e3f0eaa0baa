#include "tray/Panel.h"

#include "common/Accessibility.h"

#include "tray/PanelPlacement.h"
#include "tray/PanelView.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace zol::ui {

namespace {

Qt::WindowFlags flagsFor(Panel::Mode mode)
{
    switch (mode) {
    case Panel::Mode::popup:
        return Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
    case Panel::Mode::placedByCompositor:
        return Qt::Window | Qt::FramelessWindowHint;
    case Panel::Mode::window:
        return Qt::Window;
    }
    return Qt::Window;
}

} // namespace

Panel::Panel(AppModel& model, Mode mode, QWidget* parent)
    : QWidget(parent, flagsFor(mode))
    , m_model(model)
    , m_mode(mode)
    , m_view(new PanelView(model, this))
{
    setObjectName(QStringLiteral("panel"));
    if (mode == Mode::popup)
        Accessibility::includeAmongWindows(this);
    setWindowTitle(QStringLiteral("Zol"));
    setAccessibleName(QStringLiteral("Zol"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // As big as the view and no bigger: a tiling compositor floats a window
    // whose minimum and maximum sizes agree (sway does) instead of
    // stretching it over the workspace.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_view);
    connect(m_view, &PanelView::closeRequested, this, &QWidget::close);
    connect(m_view, &PanelView::quitRequested, this, &Panel::quitRequested);
}

Panel::~Panel() = default;

Panel::Mode Panel::modeFor(const SessionKind& session)
{
    // Under XWayland too: the tray is a Wayland client there, so the X
    // server does not know where the pointer clicked it, and a compositor
    // may give an X popup no keyboard.
    const bool wayland =
        session.wayland || QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
    return wayland ? Mode::placedByCompositor : Mode::popup;
}

void Panel::open(QRect icon, QPoint from)
{
    const QPoint anchor = icon.isEmpty() ? from : icon.center();
    QScreen* screen = m_mode == Mode::popup ? QGuiApplication::screenAt(anchor) : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // A small screen or a large scale factor leaves less room than the
    // panel's own size; the footer must stay within reach.
    if (screen) {
        QRect room = screen->availableGeometry();
        // A panel in a window of its own has the desktop's frame around it.
        if (m_mode == Mode::window) {
            const int frame = isVisible() ? frameGeometry().height() - geometry().height()
                                          : style()->pixelMetric(QStyle::PM_TitleBarHeight);
            room.setTop(room.top() + std::max(frame, 0));
        }
        m_view->fitTo(room);
    }
    adjustSize();
    if (m_mode == Mode::popup && screen)
        move(
            panelPosition(sizeHint(), icon, from, screen->geometry(), screen->availableGeometry()));
    m_view->prepareToShow();
    show();
    raise();
    activateWindow();
}

void Panel::hideEvent(QHideEvent* event)
{
    // Closing the panel forgets what was typed in its forms.
    m_view->discardForms();
    QWidget::hideEvent(event);
}

} // namespace zol::ui
