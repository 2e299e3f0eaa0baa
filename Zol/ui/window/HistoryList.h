#pragma once

#include "common/Accessibility.h"
#include "records/TimeEntry.h"

#include <QListView>

namespace zol {
class AppModel;
}

namespace zol::ui {

class HistoryListDelegate;
class HistoryListModel;

// The history as a list: each day's sessions under their project's heading.
// A session opens its details on a click or Return. A project's heading has
// Resume, Edit project and a delete of its sessions, both as buttons on the
// row and in its menu (Return or the Menu key on the heading); Delete deletes
// the selected heading's or session's sessions, with Undo on the status line.
class HistoryList final : public QListView, public Accessibility::Items
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryList)

public:
    explicit HistoryList(AppModel& model, QWidget* parent = nullptr);
    ~HistoryList() override;

    HistoryListModel& listModel() const { return *m_list; }
    HistoryListDelegate& delegate() const { return *m_delegate; }

    // Does what a row's button does: "resume", "editProject", "delete" on a
    // project's heading, "open" and "delete" on a session.
    void act(int row, const QString& action);

    // Each row for a screen reader: what the model says of it, and the
    // actions in the order they read on the row ("Open details" and "Delete
    // this session" on a session).
    int itemCount() const override;
    QString itemName(int row) const override;
    QRect itemRect(int row) const override;
    int currentItem() const override;
    QList<Action> itemActions(int row) const override;
    void actOn(int row, const QString& id) override { act(row, id); }

Q_SIGNALS:
    void sessionOpened(const zol::TimeEntry& entry);
    // The project of a heading is to be edited (its number as sessions carry it).
    void projectEditRequested(const QString& projectSerial);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The row's actions in a menu at `at` (global).
    void showRowMenu(int row, const QPoint& at);

    AppModel& m_model;
    HistoryListModel* m_list;
    HistoryListDelegate* m_delegate;
};

} // namespace zol::ui
