#include "window/HistoryList.h"

#include "AppModel.h"
#include "HistoryModel.h"
#include "window/HistoryListDelegate.h"
#include "window/HistoryListModel.h"
#include "window/RunningClock.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace zol::ui {

HistoryList::HistoryList(AppModel& model, QWidget* parent)
    : QListView(parent)
    , m_model(model)
    , m_list(new HistoryListModel(model, this))
    , m_delegate(new HistoryListDelegate(*m_list, this))
{
    Accessibility::install();
    setObjectName(QStringLiteral("historyList"));
    setAccessibleName(tr("Sessions"));
    setModel(m_list);
    setItemDelegate(m_delegate);
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Long months: rows are laid out in batches, so the first screen shows at once.
    setLayoutMode(QListView::Batched);
    setBatchSize(200);
    viewport()->setAttribute(Qt::WA_Hover);

    connect(m_delegate, &HistoryListDelegate::buttonClicked, this, &HistoryList::act);
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        // A row's button may have changed the list under the click.
        if (index.isValid() && index.row() < m_list->rowCount() &&
            m_list->kind(index.row()) == HistoryListModel::Kind::session)
            act(index.row(), QStringLiteral("open"));
    });
    // A running session's duration and its group's total move with the clock.
    followRunningClock(this, m_model, [this] { viewport()->update(); });
}

HistoryList::~HistoryList() = default;

int HistoryList::itemCount() const
{
    return m_list->rowCount();
}

QString HistoryList::itemName(int row) const
{
    return m_list->index(row, 0).data(Qt::AccessibleTextRole).toString();
}

QRect HistoryList::itemRect(int row) const
{
    return visualRect(m_list->index(row, 0)).translated(viewport()->pos());
}

int HistoryList::currentItem() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

QList<Accessibility::Items::Action> HistoryList::itemActions(int row) const
{
    if (row < 0 || row >= m_list->rowCount())
        return {};
    if (m_list->kind(row) == HistoryListModel::Kind::session)
        return {{QStringLiteral("open"), tr("Open details")},
                {QStringLiteral("delete"), tr("Delete this session")}};
    QList<Action> actions;
    const RowButtons painted = m_delegate->buttons(row);
    for (auto b = painted.buttons().crbegin(); b != painted.buttons().crend(); ++b)
        actions.append({b->id, b->label});
    return actions;
}

void HistoryList::act(int row, const QString& action)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    HistoryModel& history = *m_model.history();
    if (m_list->kind(row) == HistoryListModel::Kind::session) {
        const TimeEntry entry = m_list->entry(row);
        if (action == u"open")
            Q_EMIT sessionOpened(entry);
        else if (action == u"delete")
            history.deleteEntries({entry.id});
        return;
    }
    if (m_list->kind(row) != HistoryListModel::Kind::group)
        return;
    const ProjectTotal group = m_list->group(row);
    if (action == u"delete") {
        history.deleteEntries(group.ids());
    } else if (action == u"editProject" && !group.isInternal) {
        Q_EMIT projectEditRequested(group.projectSerial);
    } else if (action == u"resume" && history.canResume(group, m_list->day(row).day)) {
        if (group.isInternal)
            m_model.history()->resumeInternal(group.projectName);
        else
            m_model.history()->resume(group.entries.constFirst().project(m_model.clock().now()));
    }
}

void HistoryList::keyPressEvent(QKeyEvent* event)
{
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    if (row >= 0 && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_list->kind(row) == HistoryListModel::Kind::session) {
                act(row, QStringLiteral("open"));
                return;
            }
            if (m_list->kind(row) == HistoryListModel::Kind::group) {
                showRowMenu(row, viewport()->mapToGlobal(visualRect(currentIndex()).bottomLeft()));
                return;
            }
            break;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            act(row, QStringLiteral("delete"));
            return;
        default:
            break;
        }
    }
    QListView::keyPressEvent(event);
}

void HistoryList::contextMenuEvent(QContextMenuEvent* event)
{
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    const QModelIndex index = keyboard ? currentIndex() : indexAt(event->pos());
    if (!index.isValid())
        return;
    showRowMenu(index.row(), keyboard ? viewport()->mapToGlobal(visualRect(index).bottomLeft())
                                      : event->globalPos());
}

void HistoryList::showRowMenu(int row, const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("historyRowMenu"));
    const auto add = [&](const QString& text, const QString& action) {
        QAction* item = menu.addAction(text);
        item->setObjectName(action);
        connect(item, &QAction::triggered, this, [this, row, action] { act(row, action); });
    };
    if (m_list->kind(row) == HistoryListModel::Kind::session) {
        add(tr("Show details"), QStringLiteral("open"));
        add(tr("Delete this session"), QStringLiteral("delete"));
    } else if (m_list->kind(row) == HistoryListModel::Kind::group) {
        // The same actions as the heading's buttons, in reading order.
        const ProjectTotal& group = m_list->group(row);
        if (m_model.history()->canResume(group, m_list->day(row).day))
            add(tr("Resume"), QStringLiteral("resume"));
        if (!group.isInternal)
            add(tr("Edit project"), QStringLiteral("editProject"));
        add(tr("Delete these sessions"), QStringLiteral("delete"));
    } else {
        return;
    }
    menu.exec(at);
}

// The row's buttons light up under the pointer, not only when it enters the row.
void HistoryList::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        viewport()->update(visualRect(index));
    QListView::mouseMoveEvent(event);
}

} // namespace zol::ui
