#include "window/BreakdownDelegate.h"

#include "common/Theme.h"
#include "window/BreakdownModel.h"
#include "window/RowPainting.h"

#include <QApplication>
#include <QPainter>

namespace zol::ui {

namespace {

constexpr int padding = 10;
constexpr int barHeight = 4;

} // namespace

BreakdownDelegate::BreakdownDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{}

BreakdownDelegate::~BreakdownDelegate() = default;

QSize BreakdownDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    Q_UNUSED(index);
    const QFontMetrics metrics(option.font);
    return {200, padding * 2 + metrics.height() * 2 + barHeight + 6};
}

void BreakdownDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    paintRowBackground(painter, row);

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& colours = option.palette;
    const QColor text = rowInk(option);
    const QColor secondary = rowQuietInk(option);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect area = option.rect.adjusted(padding + 2, padding, -padding - 2, -padding);
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics metrics(option.font);
    const QString amount = index.data(BreakdownModel::amountRole).toString();
    // The usual interface fonts draw digits of one width already.
    const QFont figures = bold;
    const int amountWidth = QFontMetrics(figures).horizontalAdvance(amount);
    const int textWidth = area.width() - amountWidth - 16;

    painter->setFont(bold);
    painter->setPen(text);
    const QRect titleRect(area.left(), area.top(), textWidth, metrics.height());
    painter->drawText(
        titleRect, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, textWidth));
    painter->setFont(figures);
    painter->drawText(QRect(area.right() - amountWidth, area.top(), amountWidth, metrics.height()),
                      Qt::AlignRight | Qt::AlignVCenter, amount);

    painter->setFont(option.font);
    painter->setPen(secondary);
    const QRect subtitleRect(area.left(), titleRect.bottom() + 1, area.width(), metrics.height());
    painter->drawText(subtitleRect, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(index.data(BreakdownModel::subtitleRole).toString(),
                                         Qt::ElideRight, area.width()));

    const qreal share = index.data(BreakdownModel::shareRole).toDouble();
    const QRectF track(area.left(), subtitleRect.bottom() + 5, area.width(), barHeight);
    QColor trackColour = text;
    trackColour.setAlphaF(0.08);
    painter->setPen(Qt::NoPen);
    painter->setBrush(trackColour);
    painter->drawRoundedRect(track, barHeight / 2.0, barHeight / 2.0);
    painter->setBrush(selected ? text : Theme::accent(colours));
    painter->drawRoundedRect(QRectF(track.left(), track.top(),
                                    std::max<qreal>(barHeight, track.width() * share), barHeight),
                             barHeight / 2.0, barHeight / 2.0);
    painter->restore();
}

} // namespace zol::ui
