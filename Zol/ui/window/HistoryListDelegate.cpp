#include "window/HistoryListDelegate.h"

#include "AppModel.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "common/Icons.h"
#include "common/Theme.h"
#include "records/Duration.h"
#include "window/HistoryListModel.h"
#include "window/ProjectBadge.h"
#include "window/RowPainting.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zol::ui {

namespace {

constexpr int dayHeight = 42;
constexpr int groupHeight = 46;
constexpr int sessionHeight = 34;
constexpr int margin = 16;
// Where a session's text starts: under the group's title.
constexpr int sessionIndent = 40;

QFont evenDigits(const QFont& like)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(like.pointSizeF());
    return font;
}

} // namespace

HistoryListDelegate::HistoryListDelegate(HistoryListModel& model, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{}

HistoryListDelegate::~HistoryListDelegate() = default;

RowButtons HistoryListDelegate::buttons(int row) const
{
    if (m_model.kind(row) != HistoryListModel::Kind::group)
        return {};
    const ProjectTotal& group = m_model.group(row);
    // Right to left: the delete stays in one place whatever else is there.
    QList<RowButtons::Button> buttons{
        {QStringLiteral("delete"), QStringLiteral("trash"), tr("Delete these sessions")}};
    if (!group.isInternal)
        buttons.append(
            {QStringLiteral("editProject"), QStringLiteral("pencil"), tr("Edit project")});
    if (m_model.appModel().history()->canResume(group, m_model.day(row).day))
        buttons.append({QStringLiteral("resume"), QStringLiteral("play"), tr("Resume")});
    return RowButtons(buttons);
}

QSize HistoryListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    Q_UNUSED(option);
    switch (m_model.kind(index.row())) {
    case HistoryListModel::Kind::day:
        return {0, dayHeight};
    case HistoryListModel::Kind::group:
        return {0, groupHeight};
    case HistoryListModel::Kind::session:
        break;
    }
    return {0, sessionHeight};
}

void HistoryListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    paintRowBackground(painter, row);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    switch (m_model.kind(index.row())) {
    case HistoryListModel::Kind::day:
        paintDay(painter, option, index.row());
        break;
    case HistoryListModel::Kind::group:
        paintGroup(painter, option, index.row());
        break;
    case HistoryListModel::Kind::session:
        paintSession(painter, option, index.row());
        break;
    }
    painter->restore();
}

void HistoryListDelegate::paintDay(QPainter* painter, const QStyleOptionViewItem& option,
                                   int row) const
{
    const HistoryDay& day = m_model.day(row);
    const QDateTime now = m_model.appModel().clock().now();
    const QRect area = option.rect.adjusted(margin, 10, -margin, 0);
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(rowInk(option));
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, HistoryCaptions::dayTitle(day.day));
    QFont digits = evenDigits(option.font);
    digits.setBold(true);
    painter->setFont(digits);
    painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter,
                      Duration::coarseString(day.totalSeconds(now)));
    // A hairline under the heading, where the day's groups begin.
    QColor line = rowInk(option);
    line.setAlphaF(0.14);
    painter->setPen(line);
    painter->drawLine(QPointF(area.left(), option.rect.bottom() - 0.5),
                      QPointF(area.right(), option.rect.bottom() - 0.5));
}

void HistoryListDelegate::paintGroup(QPainter* painter, const QStyleOptionViewItem& option,
                                     int row) const
{
    const ProjectTotal& group = m_model.group(row);
    const QDateTime now = m_model.appModel().clock().now();
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const RowButtons rowButtons = buttons(row);
    const int buttonsWidth = view ? rowButtons.width(view) : 0;

    QRect area = option.rect.adjusted(margin, 0, -margin - buttonsWidth, 0);
    const QRect badge = ProjectBadge::paint(painter, area, group, option.font, option.palette);
    area.setLeft(badge.right() + 10);

    QFont digits = evenDigits(option.font);
    digits.setBold(true);
    const QString total = Duration::coarseString(group.totalSeconds(now));
    const int totalWidth = QFontMetrics(digits).horizontalAdvance(total) + 8;
    painter->setFont(digits);
    painter->setPen(rowInk(option));
    painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, total);
    area.setRight(area.right() - totalWidth - 8);

    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QString name = group.projectName;
    const QString shownName = boldMetrics.elidedText(name, Qt::ElideRight, area.width());
    painter->setFont(bold);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shownName);
    const int nameWidth = boldMetrics.horizontalAdvance(shownName);
    if (!group.clientName.isEmpty() && nameWidth + 40 < area.width()) {
        QRect client = area.adjusted(nameWidth + 10, 0, 0, 0);
        painter->setFont(option.font);
        painter->setPen(rowQuietInk(option));
        painter->drawText(
            client, Qt::AlignLeft | Qt::AlignVCenter,
            option.fontMetrics.elidedText(group.clientName, Qt::ElideRight, client.width()));
    }
    rowButtons.paint(painter, option);
}

void HistoryListDelegate::paintSession(QPainter* painter, const QStyleOptionViewItem& option,
                                       int row) const
{
    const TimeEntry& entry = m_model.entry(row);
    AppModel& app = m_model.appModel();
    const QDateTime now = app.clock().now();
    QRect area = option.rect.adjusted(margin + sessionIndent, 0, -margin, 0);

    // The chevron says the row opens.
    const int chevron = 14;
    const QPixmap arrow =
        Icons::pixmap(QStringLiteral("chevron-right"), chevron, rowQuietInk(option),
                      painter->device()->devicePixelRatioF());
    painter->drawPixmap(
        QRect(area.right() - chevron, area.center().y() - chevron / 2 + 1, chevron, chevron),
        arrow);
    area.setRight(area.right() - chevron - 10);

    const QFont digits = evenDigits(option.font);
    const QFontMetrics digitMetrics(digits);
    painter->setFont(digits);
    painter->setPen(rowInk(option));
    const QString span = HistoryCaptions::timeSpan(entry, app.books().calendar());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, span);
    const int spanWidth = digitMetrics.horizontalAdvance(QStringLiteral("00:00 – 00:00")) + 20;

    // A running row has its "Running" mark; its length reads like the
    // others, not as a clock whose 45:00 could be hours.
    const QString duration = Duration::coarseString(entry.duration(now));
    const int durationWidth = std::max(digitMetrics.horizontalAdvance(QStringLiteral("00h 00m")),
                                       digitMetrics.horizontalAdvance(duration));
    painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, duration);
    QRect middle = area.adjusted(spanWidth, 0, -durationWidth - 16, 0);

    // A mark of the session's state, before the note.
    const auto pill = [&](const QString& text, const QColor& colour) {
        QFont small = option.font;
        small.setPointSizeF(option.font.pointSizeF() * 0.85);
        small.setBold(true);
        const QFontMetrics metrics(small);
        const QRect box(middle.left(), middle.center().y() - 9,
                        metrics.horizontalAdvance(text) + 14, 18);
        QColor fill = colour;
        fill.setAlphaF(0.16);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        painter->drawRoundedRect(QRectF(box), 9, 9);
        painter->setPen(colour);
        painter->setFont(small);
        painter->drawText(box, Qt::AlignCenter, text);
        middle.setLeft(box.right() + 8);
    };
    if (entry.isTicking())
        pill(tr("Running"), Theme::accent(option.palette));
    else if (entry.isPaused())
        pill(tr("Paused"), Theme::warning(option.palette));
    else if (entry.isUploaded() && entry.updatedAt <= *entry.uploadedAt) {
        const int icon = 14;
        painter->drawPixmap(QRect(middle.left(), middle.center().y() - icon / 2 + 1, icon, icon),
                            Icons::pixmap(QStringLiteral("check-circle"), icon,
                                          Theme::success(option.palette),
                                          painter->device()->devicePixelRatioF()));
        middle.setLeft(middle.left() + icon + 8);
    }

    QString note = entry.note;
    if (!entry.task.isEmpty())
        note = note.isEmpty() ? entry.task : entry.task + QStringLiteral(" · ") + note;
    if (!note.isEmpty() && middle.width() > 20) {
        painter->setFont(option.font);
        painter->setPen(rowQuietInk(option));
        painter->drawText(
            middle, Qt::AlignLeft | Qt::AlignVCenter,
            option.fontMetrics.elidedText(note.simplified(), Qt::ElideRight, middle.width()));
    }
}

bool HistoryListDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                      const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (view && (event->type() == QEvent::MouseButtonRelease ||
                 event->type() == QEvent::MouseButtonPress)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (const std::optional<RowButtons::Button> hit =
                    buttons(index.row()).hit(option.rect, mouse->position().toPoint(), view)) {
                if (event->type() == QEvent::MouseButtonRelease)
                    Q_EMIT buttonClicked(index.row(), hit->id);
                // The press of a button does not select or open the row.
                return true;
            }
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool HistoryListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip) {
        if (const std::optional<RowButtons::Button> hit =
                buttons(index.row()).hit(option.rect, event->pos(), view)) {
            QToolTip::showText(event->globalPos(), hit->label, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace zol::ui
