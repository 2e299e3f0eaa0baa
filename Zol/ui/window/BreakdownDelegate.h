#pragma once

#include <QStyledItemDelegate>

namespace zol::ui {

// A breakdown row: the title over its subtitle on the left, the total on the
// right in tabular figures, and under them a bar as long as the total's
// share of the largest.
class BreakdownDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BreakdownDelegate)

public:
    explicit BreakdownDelegate(QObject* parent = nullptr);
    ~BreakdownDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace zol::ui
