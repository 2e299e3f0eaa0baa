#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QWidget;

namespace zol::ui {

// The SVG icons of the resource file (":/icons/NAME.svg"), drawn in a colour
// of the caller's: "currentColor" in the drawing takes it, so one drawing
// serves light and dark. A drawing may hold a group "knockout", which is cut
// out of the group "base" (the hands of a filled clock show the panel
// through), and a group "overlay" painted last in its own colours.
namespace Icons {

// The icon at `size` device-independent pixels for the screen's pixel ratio.
QPixmap pixmap(const QString& name, int size, const QColor& colour, qreal pixelRatio = 1.0);
// An icon in the text colour of `widget`'s palette (the window text of the
// active group, the disabled text for the disabled state), at the usual
// small sizes.
QIcon icon(const QString& name, const QWidget* widget);
QIcon icon(const QString& name, const QColor& colour);
// Whether the resource holds a drawing of that name.
bool has(const QString& name);

} // namespace Icons
} // namespace zol::ui
