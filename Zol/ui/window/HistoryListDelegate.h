#pragma once

#include "window/RowButtons.h"

#include <QStyledItemDelegate>

namespace zol::ui {

class HistoryListModel;

// Draws the history's rows: a day's heading with its total; a project's
// heading with its number on a badge in the project's colour, its client,
// its total and its buttons (Resume, Edit project, delete); a session with
// its times, its duration in even digits, its note and marks for running,
// paused and uploaded.
class HistoryListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryListDelegate)

public:
    explicit HistoryListDelegate(HistoryListModel& model, QObject* parent = nullptr);
    ~HistoryListDelegate() override;

    // The buttons of a row, as drawn: the group's ("resume", "editProject",
    // "delete"), none for the others.
    RowButtons buttons(int row) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

Q_SIGNALS:
    // A row's button was clicked.
    void buttonClicked(int row, const QString& button);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    void paintDay(QPainter* painter, const QStyleOptionViewItem& option, int row) const;
    void paintGroup(QPainter* painter, const QStyleOptionViewItem& option, int row) const;
    void paintSession(QPainter* painter, const QStyleOptionViewItem& option, int row) const;

    HistoryListModel& m_model;
};

} // namespace zol::ui
