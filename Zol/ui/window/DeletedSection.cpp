#include "window/DeletedSection.h"

#include "AppModel.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "common/PaletteFollower.h"
#include "common/Widgets.h"
#include "window/ConfirmSheet.h"
#include "window/DeletedListDelegate.h"
#include "window/DeletedListModel.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

// Return restores the selected session; the context menu offers the same.
class BinView final : public QListView
{
public:
    using QListView::QListView;
    std::function<void(int)> restore;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid() && restore) {
            restore(currentIndex().row());
            return;
        }
        QListView::keyPressEvent(event);
    }
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        const QModelIndex index =
            event->reason() == QContextMenuEvent::Keyboard ? currentIndex() : indexAt(event->pos());
        if (!index.isValid() || !restore)
            return;
        QMenu menu(this);
        QAction* action = menu.addAction(DeletedSection::tr("Restore"));
        connect(action, &QAction::triggered, this, [this, row = index.row()] { restore(row); });
        menu.exec(event->reason() == QContextMenuEvent::Keyboard
                      ? viewport()->mapToGlobal(visualRect(index).bottomLeft())
                      : event->globalPos());
    }
};

} // namespace

DeletedSection::DeletedSection(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_bin(new DeletedListModel(model, this))
    , m_delegate(new DeletedListDelegate(*m_bin, this))
    , m_list(new BinView(this))
    , m_empty(titleLabel(tr("Nothing deleted"), this, 1.2))
    , m_restoreAll(new QPushButton(tr("Restore everything"), this))
    , m_clear(new QPushButton(tr("Clear permanently…"), this))
{
    QLabel* title = titleLabel(tr("Deleted"), this, 1.6);
    title->setObjectName(QStringLiteral("title"));
    QLabel* lede = secondaryLabel(tr("Deleted sessions land here so a mis-click is "
                                     "never the end of an afternoon."),
                                  this);
    lede->setObjectName(QStringLiteral("lede"));
    QLabel* hidden = secondaryLabel(tr("Sessions you deleted are hidden, not destroyed. "
                                       "Nothing here is uploaded or counted."),
                                    this);
    QLabel* closing =
        secondaryLabel(tr("Restoring puts a session back exactly where it was, on its own day and "
                          "project. Clearing is the one thing here that cannot be undone."),
                       this);
    closing->setObjectName(QStringLiteral("closing"));

    m_restoreAll->setObjectName(QStringLiteral("restoreEverything"));
    m_restoreAll->setAccessibleName(tr("Restore everything"));
    followIcon(m_restoreAll, QStringLiteral("restore"));
    m_clear->setObjectName(QStringLiteral("clearPermanently"));
    m_clear->setAccessibleName(tr("Clear permanently"));
    followIcon(m_clear, QStringLiteral("trash"));
    auto* actions = new QHBoxLayout();
    actions->addWidget(m_restoreAll);
    actions->addWidget(m_clear);
    actions->addStretch();

    m_list->setObjectName(QStringLiteral("deletedList"));
    m_list->setAccessibleName(tr("Deleted sessions"));
    m_list->setModel(m_bin);
    m_list->setItemDelegate(m_delegate);
    m_list->setMouseTracking(true);
    m_list->viewport()->setAttribute(Qt::WA_Hover);
    m_list->setUniformItemSizes(true);
    m_list->setAlternatingRowColors(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    static_cast<BinView*>(m_list)->restore = [this](int row) { restore(row); };
    m_empty->setObjectName(QStringLiteral("deletedEmpty"));
    m_empty->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 16);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(lede);
    layout->addWidget(hidden);
    layout->addSpacing(4);
    layout->addLayout(actions);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_empty, 1);
    layout->addWidget(closing);

    setTabOrder(m_restoreAll, m_clear);
    setTabOrder(m_clear, m_list);

    connect(m_delegate, &DeletedListDelegate::restoreClicked, this, &DeletedSection::restore);
    connect(m_restoreAll, &QPushButton::clicked, this, &DeletedSection::restoreEverything);
    connect(m_clear, &QPushButton::clicked, this, &DeletedSection::clearPermanently);
    connect(model.history(), &HistoryModel::deletedEntriesChanged, this, &DeletedSection::follow);
    follow();
}

DeletedSection::~DeletedSection() = default;

void DeletedSection::follow()
{
    const bool empty = m_model.history()->deletedEntries().isEmpty();
    m_list->setVisible(!empty);
    m_empty->setVisible(empty);
    m_restoreAll->setEnabled(!empty);
    m_clear->setEnabled(!empty);
}

void DeletedSection::restore(int row)
{
    if (row >= 0 && row < m_bin->rowCount())
        m_model.history()->restore({m_bin->entry(row).id});
}

void DeletedSection::restoreEverything()
{
    QList<QUuid> ids;
    for (const TimeEntry& entry : m_model.history()->deletedEntries())
        ids.append(entry.id);
    m_model.history()->restore(ids);
}

ConfirmSheet* DeletedSection::clearPermanently()
{
    auto* sheet = new ConfirmSheet(
        tr("Clear permanently"), HistoryCaptions::purgeWarning(m_model.history()->deletedSeconds()),
        tr("Clear permanently"), this);
    sheet->setObjectName(QStringLiteral("clearSheet"));
    sheet->setDestructive(true);
    connect(sheet, &QDialog::accepted, this, [this] { m_model.history()->purgeDeleted(); });
    sheet->open();
    return sheet;
}

} // namespace zol::ui
