#pragma once

#include <QColor>
#include <QPalette>

#include <functional>

class QAbstractButton;
class QLabel;
class QWidget;

namespace zol::ui {

// Colours worked out from the palette once stay as they were when the
// desktop switches between light and dark. These run their work now and
// again after every change of the application's palette, for as long as the
// widget lives. Calling one again on the same widget replaces its work.

// Runs `apply` now and after every change of the palette `widget` inherits.
void followPalette(QWidget* widget, std::function<void()> apply);
// The palette `widget` inherits: its parent's, or the application's.
QPalette inheritedPalette(const QWidget* widget);
// Text in `colour` of the application's palette.
void tintText(QLabel* label, std::function<QColor(const QPalette&)> colour);
// A button's icon, drawn in the button's text colour.
void followIcon(QAbstractButton* button, const QString& icon);
// A label showing an icon at `size`, in `colour` of the application's palette.
void followPixmap(QLabel* label, const QString& icon, int size,
                  std::function<QColor(const QPalette&)> colour);

} // namespace zol::ui
