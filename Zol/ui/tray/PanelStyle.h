#pragma once

#include <QFont>
#include <QString>

class QAbstractButton;
class QFrame;
class QLabel;
class QWidget;

// How the panel's parts are coloured and drawn. The panel follows the
// desktop between light and dark while it lives, so a colour or an icon is
// not set once: a widget is marked with its tone or its icon's name here, and
// reapply() draws every marked widget again from the palette it has now.
namespace zol::ui::PanelStyle {

enum class Tone { secondary, success, failure, warning, accent, hairline };

// Marks `widget`'s text (or, for a hairline, its fill) with a tone.
void setTone(QWidget* widget, Tone tone);
// Marks `button` with the icon of that name, drawn in its text colour.
void setIcon(QAbstractButton* button, const QString& name);
// Marks `label` with the picture of that name at `size` pixels, in the
// label's text colour.
void setPicture(QLabel* label, const QString& name, int size);
// Draws every marked widget under `root` (and `root`) again.
void reapply(QWidget* root);

// `text` for a button or menu item to show as it is: an ampersand there
// would mark a shortcut letter ("Bolt & Partners").
QString literal(const QString& text);

// A one-pixel line between the panel's sections.
QFrame* hairline(QWidget* parent);
// A font with digits of one width, for running clocks: the fixed-pitch system
// font at `base`'s size times `scale`.
QFont clockFont(const QFont& base, qreal scale);
// `base` times `scale`, optionally bold.
QFont scaled(const QFont& base, qreal scale, bool bold = false);

} // namespace zol::ui::PanelStyle
