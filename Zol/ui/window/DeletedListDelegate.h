#pragma once

#include "window/RowButtons.h"

#include <QStyledItemDelegate>

namespace zol::ui {

class DeletedListModel;

// A deleted session: its project on a badge, the day and times it covered,
// the time worked, and a "Restore" button.
class DeletedListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeletedListDelegate)

public:
    explicit DeletedListDelegate(DeletedListModel& model, QObject* parent = nullptr);
    ~DeletedListDelegate() override;

    const RowButtons& buttons() const { return m_buttons; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

Q_SIGNALS:
    void restoreClicked(int row);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    DeletedListModel& m_model;
    RowButtons m_buttons;
};

} // namespace zol::ui
