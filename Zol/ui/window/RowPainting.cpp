#include "window/RowPainting.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QWidget>

namespace zol::ui {

void paintRowBackground(QPainter* painter, const QStyleOptionViewItem& row)
{
    QStyleOptionViewItem background = row;
    background.text.clear();
    const QWidget* widget = row.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);
}

QColor rowInk(const QStyleOptionViewItem& option)
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    return option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
}

QColor rowQuietInk(const QStyleOptionViewItem& option)
{
    QColor quiet = rowInk(option);
    quiet.setAlphaF(0.62);
    return quiet;
}

} // namespace zol::ui
