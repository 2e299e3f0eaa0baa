#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace zol::ui {

// Which side of the screen the tray's bar is on.
enum class BarSide { top, bottom, left, right };

// The side a panel opened from the tray comes out of: the side where the
// desktop reserves room for its bar (what the screen has and its available
// area lacks), the one nearest `anchor` when several are reserved. With none
// reserved, the top or the bottom, whichever half `anchor` is in. (Merely the
// nearest edge is the classic wrong guess for an icon in a corner.)
BarSide barSide(QPoint anchor, QRect screen, QRect available);

// The top-left corner of a panel of `size` opened from the tray: against the
// bar, centred on the tray icon (`icon`, as the tray reports it) or, when the
// tray reports no geometry (an empty rectangle), on the pointer; clamped to
// the available area, with a small gap from its edges.
QPoint panelPosition(QSize size, QRect icon, QPoint pointer, QRect screen, QRect available);

// The size of a panel whose own size is `natural` on a screen with
// `available` room (in the screen's logical pixels, so the scale factor is
// in it already): its own size where it fits, else as much as the room
// holds with the same gap from the edges. The panel's list takes up what it
// gives, so its header and footer stay on the screen.
QSize panelSize(QSize natural, QRect available);

} // namespace zol::ui
