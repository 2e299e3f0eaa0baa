#pragma once

#include <QStyledItemDelegate>

namespace zol::ui {

// A project row: the number on a badge in the project's colour, the name
// over its details, "Archived" where it is, and, on the row under the
// pointer or the current one, its three actions (edit, archive or put back,
// delete from the picker) as buttons that can be clicked.
class CatalogueRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueRowDelegate)

public:
    enum class Action { edit, archive, putBack, remove };

    explicit CatalogueRowDelegate(QObject* parent = nullptr);
    ~CatalogueRowDelegate() override;

    // The actions a row offers, left to right.
    static QList<Action> actionsOf(bool archived);
    static QString nameOf(Action action);
    static QString helpOf(Action action);
    static QString iconOf(Action action);
    // Where an action's button is drawn in a row.
    static QRect buttonRect(const QRect& row, int position, int count);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

Q_SIGNALS:
    void actionClicked(const QModelIndex& index, zol::ui::CatalogueRowDelegate::Action action);

private:
    std::optional<Action> actionAt(const QPoint& point, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const;
};

} // namespace zol::ui
