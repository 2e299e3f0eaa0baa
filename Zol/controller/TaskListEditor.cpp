#include "TaskListEditor.h"

#include "InputCheck.h"
#include "OpenBooks.h"
#include "StatusModel.h"

namespace zol {

TaskListEditor::TaskListEditor(OpenBooks& books, StatusModel& status, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_status(status)
{
    // A refusal is about the books it was given in.
    connect(&books, &OpenBooks::closing, this, [this] { setRefusal(std::nullopt); });
}

TaskListEditor::~TaskListEditor() = default;

const TaskList& TaskListEditor::list() const
{
    return m_books.taskList();
}

bool TaskListEditor::canAdd(const QString& typed) const
{
    return !InputCheck::refuseName(InputCheck::Name::task, typed) && list().canAdd(typed);
}

bool TaskListEditor::add(const QString& typed)
{
    if (typed.trimmed().isEmpty())
        return false;
    if (const std::optional<QString> refusal =
            InputCheck::refuseName(InputCheck::Name::task, typed)) {
        setRefusal(*refusal);
        return false;
    }
    const std::optional<TaskList> changed = list().adding(typed, m_books.clock().now());
    if (!changed) {
        setRefusal(tr("There is a task called %1 already.").arg(typed.trimmed()));
        return false;
    }
    return save(*changed);
}

bool TaskListEditor::remove(const QString& task)
{
    const std::expected<TaskList, QString> changed = list().removing(task, m_books.clock().now());
    if (!changed) {
        setRefusal(changed.error());
        return false;
    }
    return save(*changed);
}

bool TaskListEditor::move(const QString& task, TaskList::Direction direction)
{
    return save(list().moving(task, direction, m_books.clock().now()));
}

bool TaskListEditor::setEnabled(bool on)
{
    const std::expected<TaskList, QString> changed = list().enabling(on, m_books.clock().now());
    if (!changed) {
        setRefusal(changed.error());
        return false;
    }
    return save(*changed);
}

// A change that changes nothing is not saved (it would stamp the list and
// make it win over a colleague's newer edit).
bool TaskListEditor::save(const TaskList& changed)
{
    if (changed.isEnabled() == list().isEnabled() && changed.tasks() == list().tasks())
        return false;
    const Outcome<void> saved =
        m_status.failIfRefused(m_books.saveTaskList(changed.isEnabled(), changed.tasks()));
    if (!saved) {
        setRefusal(saved.error().sentence);
        return false;
    }
    setRefusal(std::nullopt);
    return true;
}

void TaskListEditor::setRefusal(const std::optional<QString>& refusal)
{
    if (m_refusal == refusal)
        return;
    m_refusal = refusal;
    Q_EMIT refusalChanged();
}

} // namespace zol
