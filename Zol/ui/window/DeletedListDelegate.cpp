#include "window/DeletedListDelegate.h"

#include "AppModel.h"
#include "HistoryCaptions.h"
#include "common/Theme.h"
#include "records/Duration.h"
#include "window/DeletedListModel.h"
#include "window/ProjectBadge.h"
#include "window/RowPainting.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>

namespace zol::ui {

DeletedListDelegate::DeletedListDelegate(DeletedListModel& model, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
    , m_buttons({{QStringLiteral("restore"), QString(), tr("Restore")}})
{}

DeletedListDelegate::~DeletedListDelegate() = default;

QSize DeletedListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    Q_UNUSED(index);
    return {0, option.fontMetrics.height() * 2 + 20};
}

void DeletedListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    paintRowBackground(painter, row);

    const TimeEntry& e = m_model.entry(index.row());
    AppModel& app = m_model.appModel();
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const QColor ink = rowInk(option);
    const QColor quiet = rowQuietInk(option);

    painter->save();
    QRect area = option.rect.adjusted(16, 0, -16 - (view ? m_buttons.width(view) : 0), 0);
    const int line = option.fontMetrics.height();
    const QRect top(area.left(), option.rect.top() + 9, area.width(), line);
    const QRect bottom(area.left(), top.bottom() + 3, area.width(), line);

    const QRect badge = ProjectBadge::paint(painter, top, e, option.font, option.palette);
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(ink);
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QString worked = Duration::coarseString(e.duration(app.clock().now()));
    const int workedWidth = QFontMetrics(digits).horizontalAdvance(worked) + 12;
    const QRect name = top.adjusted(badge.width() + 10, 0, -workedWidth, 0);
    painter->drawText(name, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(bold).elidedText(e.projectName, Qt::ElideRight, name.width()));
    painter->setFont(digits);
    painter->drawText(top, Qt::AlignRight | Qt::AlignVCenter, worked);

    QString when = HistoryCaptions::dayTitle(app.books().calendar().day(e.startedAt)) +
                   QStringLiteral(" · ") + HistoryCaptions::timeSpan(e, app.books().calendar());
    if (!e.note.isEmpty())
        when += QStringLiteral(" · ") + e.note.simplified();
    painter->setFont(option.font);
    painter->setPen(quiet);
    painter->drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(when, Qt::ElideRight, bottom.width()));
    painter->restore();
    m_buttons.paint(painter, option);
}

bool DeletedListDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                      const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (view && (event->type() == QEvent::MouseButtonRelease ||
                 event->type() == QEvent::MouseButtonPress)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_buttons.hit(option.rect, mouse->position().toPoint(), view)) {
            if (event->type() == QEvent::MouseButtonRelease)
                Q_EMIT restoreClicked(index.row());
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace zol::ui
