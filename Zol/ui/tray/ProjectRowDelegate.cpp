#include "tray/ProjectRowDelegate.h"

#include "common/Icons.h"
#include "common/Theme.h"
#include "tray/NumberBadge.h"
#include "tray/ProjectListModel.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace zol::ui {

namespace {

constexpr int markSize = 16;
constexpr int editSize = 18;
constexpr int widestChip = 104;

} // namespace

ProjectRowDelegate::ProjectRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{}

ProjectRowDelegate::~ProjectRowDelegate() = default;

QRect ProjectRowDelegate::editButtonRect(const QRect& row)
{
    const int side = 28;
    return QRect(row.right() - side - 4, row.center().y() - side / 2, side, side);
}

QSize ProjectRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    Q_UNUSED(option);
    const bool editing = index.data(ProjectListModel::EditingRole).toBool();
    return QSize(0, editing ? m_editorHeight : rowHeight);
}

bool ProjectRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QRect row = option.rect.adjusted(2, 1, -2, -1);
    if (event->type() == QEvent::ToolTip && editButtonRect(row).contains(event->pos())) {
        QToolTip::showText(event->globalPos(), tr("Edit project (F2)"), view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

QPixmap ProjectRowDelegate::icon(const QString& name, const QColor& colour, qreal ratio) const
{
    const QString key = name + colour.name(QColor::HexArgb) + QString::number(ratio);
    auto found = m_icons.constFind(key);
    if (found != m_icons.constEnd())
        return *found;
    const QPixmap drawn =
        Icons::pixmap(name, name == QStringLiteral("pencil") ? editSize : markSize, colour, ratio);
    m_icons.insert(key, drawn);
    return drawn;
}

void ProjectRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    if (index.data(ProjectListModel::EditingRole).toBool())
        return;
    const QPalette& palette = option.palette;
    const auto mark = index.data(ProjectListModel::MarkRole).value<ProjectListModel::Mark>();
    const bool armed = mark == ProjectListModel::Mark::armed;
    const bool hovered = option.state & QStyle::State_MouseOver;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QRect row = option.rect.adjusted(2, 1, -2, -1);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (armed || hovered) {
        QColor fill =
            armed ? palette.color(QPalette::Highlight) : palette.color(QPalette::WindowText);
        fill.setAlphaF(armed ? (Theme::isDark(palette) ? 0.30 : 0.16) : 0.06);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(QRectF(row), 7, 7);
    }
    if (option.state & QStyle::State_HasFocus && armed) {
        QColor ring = palette.color(QPalette::Highlight);
        painter->setPen(QPen(ring, 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(row).adjusted(0.75, 0.75, -0.75, -0.75), 7, 7);
    }

    int x = row.left() + 8;
    const QString markName = mark == ProjectListModel::Mark::running ? QStringLiteral("record")
                             : armed                                 ? QStringLiteral("armed")
                                                                     : QStringLiteral("circle");
    const QColor markColour = armed ? Theme::accent(palette) : Theme::secondaryText(palette);
    painter->drawPixmap(x, row.center().y() - markSize / 2 + 1, icon(markName, markColour, ratio));
    x += markSize + 10;

    const QFont chipFont = NumberBadge::font(option.font);
    const QString widest = static_cast<const ProjectListModel*>(index.model())->widestNumber();
    const int chipColumn = std::min(widestChip, NumberBadge::chipSize(widest, chipFont).width());
    const QString number = index.data(ProjectListModel::NumberRole).toString();
    const QColor chipFill = index.data(ProjectListModel::ColourRole).value<QColor>();
    painter->setClipRect(QRect(x, row.top(), chipColumn, row.height()));
    // Every chip as wide as the column, so that the rows line up.
    NumberBadge::paint(*painter, QRectF(x, row.top(), chipColumn, row.height()), number, chipFill,
                       chipFont, chipColumn);
    painter->setClipping(false);
    x += chipColumn + 10;

    const bool showsEdit = hovered || armed;
    const int textRight = (showsEdit ? editButtonRect(row).left() : row.right()) - 6;
    const QString name = index.data(Qt::DisplayRole).toString();
    const QString client = index.data(ProjectListModel::ClientRole).toString();
    QFont nameFont = option.font;
    QFont clientFont = option.font;
    clientFont.setPointSizeF(option.font.pointSizeF() * 0.9);
    const QFontMetrics nameMetrics(nameFont);
    const QFontMetrics clientMetrics(clientFont);
    const int width = std::max(0, textRight - x);
    const int textHeight = nameMetrics.height() + (client.isEmpty() ? 0 : clientMetrics.height());
    int y = row.center().y() - textHeight / 2;
    painter->setFont(nameFont);
    painter->setPen(palette.color(QPalette::WindowText));
    painter->drawText(QRect(x, y, width, nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                      nameMetrics.elidedText(name, Qt::ElideRight, width));
    if (!client.isEmpty()) {
        y += nameMetrics.height();
        painter->setFont(clientFont);
        painter->setPen(Theme::secondaryText(palette));
        painter->drawText(QRect(x, y, width, clientMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          clientMetrics.elidedText(client, Qt::ElideRight, width));
    }

    if (showsEdit) {
        const QRect edit = editButtonRect(row);
        painter->drawPixmap(edit.center().x() - editSize / 2, edit.center().y() - editSize / 2,
                            icon(QStringLiteral("pencil"), Theme::secondaryText(palette), ratio));
    }
    painter->restore();
}

} // namespace zol::ui
