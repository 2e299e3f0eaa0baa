#pragma once

#include <QWidget>

class QLabel;
class QListView;
class QPushButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class ConfirmSheet;
class DeletedListDelegate;
class DeletedListModel;

// The Deleted section: the bin, each session with "Restore" (also Return,
// or the context menu), "Restore everything", and "Clear permanently…",
// which asks first and names the tracked time it throws away. A restore that
// would count hours twice is refused by the controller on the status line.
// objectNames: "deletedList", "restoreEverything", "clearPermanently",
// "deletedEmpty", and "clearSheet" for the question.
class DeletedSection final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeletedSection)

public:
    explicit DeletedSection(AppModel& model, QWidget* parent = nullptr);
    ~DeletedSection() override;

    QListView& list() const { return *m_list; }
    DeletedListDelegate& delegate() const { return *m_delegate; }

    void restore(int row);
    void restoreEverything();
    // Asks in a sheet, naming the tracked time; the bin is emptied when the
    // person goes ahead.
    ConfirmSheet* clearPermanently();

private:
    void follow();

    AppModel& m_model;
    DeletedListModel* m_bin;
    DeletedListDelegate* m_delegate;
    QListView* m_list;
    QLabel* m_empty;
    QPushButton* m_restoreAll;
    QPushButton* m_clear;
};

} // namespace zol::ui
