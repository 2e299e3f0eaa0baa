#pragma once

#include "Appearance.h"

#include <QColor>
#include <QPalette>

class QApplication;
class QStyle;

namespace zol::ui::Theme {

enum class Scheme { light, dark };

// The desktop's colour scheme: ZOL_COLOR_SCHEME ("light" or "dark") when set,
// else what the desktop's appearance settings ask for (`preferred`), else
// judged by the window colour of `palette`.
Scheme desktopScheme(const QPalette& palette, Appearance::Scheme preferred);

// Qt 6.4 cannot ask the desktop for its colour scheme, so the style's palette
// may be light on a dark desktop: then the application gets a palette of the
// desktop's scheme (and the Fusion style, which draws any palette well).
// Applied again when the desktop's choice changes, it puts the style's own
// palette back if that now matches.
void apply(QApplication& application, Appearance::Scheme preferred);

bool isDark(const QPalette& palette);

// The palettes the app draws with when the style's own does not match the
// desktop (with the Fusion style).
QPalette palette(Scheme scheme);

// The style the app draws with when it brings its own palette: Fusion, with
// check marks and radio buttons outlined so that they show on dark cards.
// The caller owns it (QApplication::setStyle takes it).
QStyle* style();

// Colours the screens share, readable on the palette's window colour.
QColor secondaryText(const QPalette& palette);
QColor accent(const QPalette& palette);
QColor success(const QPalette& palette);
QColor failure(const QPalette& palette);
QColor warning(const QPalette& palette);
// A quiet fill for cards and badges.
QColor card(const QPalette& palette);

} // namespace zol::ui::Theme
