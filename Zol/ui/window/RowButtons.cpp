#include "window/RowButtons.h"

#include "common/Icons.h"
#include "common/Theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>

namespace zol::ui {

namespace {

int buttonWidth(const RowButtons::Button& button, const QAbstractItemView* view)
{
    if (!button.icon.isEmpty())
        return RowButtons::height;
    return view->fontMetrics().horizontalAdvance(button.label) + 24;
}

} // namespace

RowButtons::RowButtons(QList<Button> buttons)
    : m_buttons(std::move(buttons))
{}

QList<QRect> RowButtons::rects(const QRect& row, const QAbstractItemView* view) const
{
    QList<QRect> rects;
    int right = row.right() - 8;
    const int top = row.top() + (row.height() - height) / 2;
    for (const Button& button : m_buttons) {
        const int width = buttonWidth(button, view);
        rects.append(QRect(right - width + 1, top, width, height));
        right -= width + spacing;
    }
    return rects;
}

int RowButtons::width(const QAbstractItemView* view) const
{
    int total = 0;
    for (const Button& button : m_buttons)
        total += buttonWidth(button, view) + spacing;
    return total;
}

void RowButtons::paint(QPainter* painter, const QStyleOptionViewItem& option) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view)
        return;
    const QPoint pointer = view->viewport()->mapFromGlobal(QCursor::pos());
    const bool rowHovered = option.state.testFlag(QStyle::State_MouseOver);
    const QList<QRect> places = rects(option.rect, view);
    const QPalette& palette = option.palette;
    const bool selected = option.state.testFlag(QStyle::State_Selected) &&
                          option.state.testFlag(QStyle::State_HasFocus);
    const QColor ink =
        selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::WindowText);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        const Button& button = m_buttons.at(i);
        const QRect place = places.at(i);
        const bool lit = rowHovered && place.contains(pointer);
        if (button.icon.isEmpty()) {
            QStyleOptionButton push;
            push.rect = place;
            push.text = button.label;
            push.palette = palette;
            push.state = QStyle::State_Enabled | QStyle::State_Raised;
            if (lit)
                push.state |= QStyle::State_MouseOver;
            view->style()->drawControl(QStyle::CE_PushButton, &push, painter, view);
            continue;
        }
        if (lit) {
            QColor fill = ink;
            fill.setAlphaF(0.12);
            painter->setPen(Qt::NoPen);
            painter->setBrush(fill);
            painter->drawRoundedRect(QRectF(place).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        }
        QColor colour = ink;
        if (!lit)
            colour.setAlphaF(0.72);
        const int icon = 16;
        const QPixmap pixmap =
            Icons::pixmap(button.icon, icon, colour, painter->device()->devicePixelRatioF());
        painter->drawPixmap(
            QRect(place.center() - QPoint(icon / 2 - 1, icon / 2 - 1), QSize(icon, icon)), pixmap);
    }
    painter->restore();
}

std::optional<RowButtons::Button> RowButtons::hit(const QRect& row, const QPoint& point,
                                                  const QAbstractItemView* view) const
{
    const QList<QRect> places = rects(row, view);
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        if (places.at(i).contains(point))
            return m_buttons.at(i);
    }
    return std::nullopt;
}

} // namespace zol::ui
