#pragma once

#include <QString>

class QAbstractButton;

namespace zol::ui {

// Gives `button` the icon `name` in its palette's text colour, drawn again
// whenever the application's palette changes (light to dark and back).
void setThemedIcon(QAbstractButton* button, const QString& name);

} // namespace zol::ui
