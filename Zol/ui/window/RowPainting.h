#pragma once

#include <QColor>

class QPainter;
class QStyleOptionViewItem;

namespace zol::ui {

// What the window's list delegates share when they draw a row themselves.

// The row's background, selection and hover as the style draws them, from
// the option initialised for the row (its text is left to the delegate).
void paintRowBackground(QPainter* painter, const QStyleOptionViewItem& row);
// The text colour on the row: the highlighted text on a selected row.
QColor rowInk(const QStyleOptionViewItem& option);
// The same, quieter, for the secondary lines.
QColor rowQuietInk(const QStyleOptionViewItem& option);

} // namespace zol::ui
