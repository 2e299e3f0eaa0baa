#include "window/CatalogueRowDelegate.h"

#include "common/Icons.h"
#include "common/Theme.h"
#include "window/CatalogueListModel.h"
#include "window/RowPainting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zol::ui {

namespace {

constexpr int padding = 10;
constexpr int badgeWidth = 76;
constexpr int buttonSize = 28;

bool showsActions(const QStyleOptionViewItem& option)
{
    return option.state & (QStyle::State_MouseOver | QStyle::State_Selected);
}

} // namespace

CatalogueRowDelegate::CatalogueRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{}

CatalogueRowDelegate::~CatalogueRowDelegate() = default;

QList<CatalogueRowDelegate::Action> CatalogueRowDelegate::actionsOf(bool archived)
{
    return {Action::edit, archived ? Action::putBack : Action::archive, Action::remove};
}

QString CatalogueRowDelegate::nameOf(Action action)
{
    switch (action) {
    case Action::edit:
        return tr("Edit…");
    case Action::archive:
        return tr("Archive");
    case Action::putBack:
        return tr("Put back in the picker");
    case Action::remove:
        break;
    }
    return tr("Delete from my picker");
}

QString CatalogueRowDelegate::helpOf(Action action)
{
    switch (action) {
    case Action::edit:
        return tr("Edit the number, name and client");
    case Action::archive:
        return tr("Archiving puts a finished job out of the picker without losing its hours.");
    case Action::putBack:
        return tr("Put back in the picker");
    case Action::remove:
        break;
    }
    return tr("Delete from my picker. Its hours stay in the history.");
}

QString CatalogueRowDelegate::iconOf(Action action)
{
    switch (action) {
    case Action::edit:
        return QStringLiteral("pencil");
    case Action::archive:
        return QStringLiteral("archive");
    case Action::putBack:
        return QStringLiteral("archive-restore");
    case Action::remove:
        break;
    }
    return QStringLiteral("trash");
}

QRect CatalogueRowDelegate::buttonRect(const QRect& row, int position, int count)
{
    const int right = row.right() - padding;
    const int x = right - (count - position) * (buttonSize + 4) + 4;
    return {x, row.center().y() - buttonSize / 2 + 1, buttonSize, buttonSize};
}

QSize CatalogueRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    Q_UNUSED(index);
    const QFontMetrics metrics(option.font);
    return {320, std::max(buttonSize + 8, padding * 2 + metrics.height() * 2 + 2)};
}

void CatalogueRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    paintRowBackground(painter, row);

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& colours = option.palette;
    const QColor text = rowInk(option);
    const QColor secondary = rowQuietInk(option);
    const QFontMetrics metrics(option.font);
    const QRect area = option.rect.adjusted(padding, padding, -padding, -padding);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    // The number on its badge, in the project's colour.
    const QString number = index.data(CatalogueListModel::numberRole).toString();
    QFont badgeFont = option.font;
    badgeFont.setBold(true);
    const QRect badge(area.left(), option.rect.center().y() - metrics.height() / 2 - 3, badgeWidth,
                      metrics.height() + 6);
    if (!number.isEmpty()) {
        const QColor colour = index.data(CatalogueListModel::colourRole).value<QColor>();
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawRoundedRect(badge, 5, 5);
        painter->setFont(badgeFont);
        // Dark text on light colours, white on the rest (relative luminance).
        const qreal luminance =
            0.2126 * colour.redF() + 0.7152 * colour.greenF() + 0.0722 * colour.blueF();
        painter->setPen(luminance > 0.55 ? QColor(0x1d, 0x1e, 0x21) : QColor(Qt::white));
        painter->drawText(
            badge.adjusted(5, 0, -5, 0), Qt::AlignCenter,
            QFontMetrics(badgeFont).elidedText(number, Qt::ElideRight, badge.width() - 10));
    } else {
        QColor outline = secondary;
        painter->setPen(QPen(outline, 1, Qt::DashLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(badge).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        painter->setFont(option.font);
        painter->setPen(secondary);
        painter->drawText(badge, Qt::AlignCenter, tr("no number"));
    }

    const bool archived = index.data(CatalogueListModel::archivedRole).toBool();
    const QList<Action> actions = actionsOf(archived);
    const int actionsWidth = showsActions(option) ? int(actions.size()) * (buttonSize + 4) : 0;
    const int left = badge.right() + 14;
    const int width = area.right() - left - actionsWidth - 8;

    QFont bold = option.font;
    bold.setBold(true);
    QString tag;
    if (archived)
        tag = tr("Archived");
    const int tagWidth = tag.isEmpty() ? 0 : metrics.horizontalAdvance(tag) + 16;
    painter->setFont(bold);
    painter->setPen(text);
    const QString name =
        QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, width - tagWidth);
    const QRect nameRect(left, area.top(), width, metrics.height());
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, name);
    if (!tag.isEmpty()) {
        const int x = left + QFontMetrics(bold).horizontalAdvance(name) + 8;
        const QRect tagRect(x, nameRect.top(), tagWidth - 8, nameRect.height());
        QColor fill = secondary;
        fill.setAlphaF(0.14);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(tagRect, 4, 4);
        painter->setFont(option.font);
        painter->setPen(secondary);
        painter->drawText(tagRect, Qt::AlignCenter, tag);
    }
    painter->setFont(option.font);
    painter->setPen(secondary);
    painter->drawText(QRect(left, nameRect.bottom() + 2, width, metrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(index.data(CatalogueListModel::detailsRole).toString(),
                                         Qt::ElideRight, width));

    if (showsActions(option)) {
        for (int i = 0; i < actions.size(); ++i) {
            const QRect button = buttonRect(option.rect, i, int(actions.size()));
            const QColor ink =
                actions.at(i) == Action::remove && !selected ? Theme::failure(colours) : text;
            painter->drawPixmap(button.adjusted(6, 6, -6, -6),
                                Icons::pixmap(iconOf(actions.at(i)), buttonSize - 12, ink,
                                              painter->device()->devicePixelRatioF()));
        }
    }
    painter->restore();
}

std::optional<CatalogueRowDelegate::Action>
CatalogueRowDelegate::actionAt(const QPoint& point, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    const QList<Action> actions = actionsOf(index.data(CatalogueListModel::archivedRole).toBool());
    for (int i = 0; i < actions.size(); ++i) {
        if (buttonRect(option.rect, i, int(actions.size())).contains(point))
            return actions.at(i);
    }
    return std::nullopt;
}

bool CatalogueRowDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                       const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (const std::optional<Action> action =
                    actionAt(mouse->position().toPoint(), option, index)) {
                Q_EMIT actionClicked(index, *action);
                return true;
            }
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool CatalogueRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                     const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip) {
        if (const std::optional<Action> action = actionAt(event->pos(), option, index)) {
            QToolTip::showText(event->globalPos(), helpOf(*action), view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace zol::ui
