#pragma once

#include "books/TaskList.h"

#include <QObject>
#include <QString>

#include <optional>

namespace zol {

class OpenBooks;
class StatusModel;

// The Tasks screen's edits of the open books' task list: each change is
// checked against the list's rules, saved at once through the controller
// (which shares it), or refused with the sentence that says why. The last
// refusal stays until the next change goes through.
class TaskListEditor final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TaskListEditor)

public:
    TaskListEditor(OpenBooks& books, StatusModel& status, QObject* parent = nullptr);
    ~TaskListEditor() override;

    const TaskList& list() const;
    // Why the last change was refused; none after one that went through.
    const std::optional<QString>& refusal() const { return m_refusal; }

    // Whether the typed name would be added: not blank, acceptable as a name,
    // and not one the list has already (General included).
    bool canAdd(const QString& typed) const;
    // Each returns whether the list was changed.
    bool add(const QString& typed);
    bool remove(const QString& task);
    bool move(const QString& task, TaskList::Direction direction);
    bool setEnabled(bool on);

Q_SIGNALS:
    void refusalChanged();

private:
    bool save(const TaskList& changed);
    void setRefusal(const std::optional<QString>& refusal);

    OpenBooks& m_books;
    StatusModel& m_status;
    std::optional<QString> m_refusal;
};

} // namespace zol
