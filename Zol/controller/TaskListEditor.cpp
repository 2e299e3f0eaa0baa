#include "TaskListEditor.h"

#include "AppModel.h"
#include "InputCheck.h"

namespace zol {

TaskListEditor::TaskListEditor(AppModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
{
    // A refusal is about the books it was given in.
    connect(&model, &AppModel::booksClosing, this, [this] { setRefusal(std::nullopt); });
}

TaskListEditor::~TaskListEditor() = default;

const TaskList& TaskListEditor::list() const
{
    return m_model.taskList();
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
    const std::optional<TaskList> changed = list().adding(typed, m_model.clock().now());
    if (!changed) {
        setRefusal(QStringLiteral("There is a task called ") + typed.trimmed() +
                   QStringLiteral(" already."));
        return false;
    }
    return save(*changed);
}

bool TaskListEditor::remove(const QString& task)
{
    const std::expected<TaskList, QString> changed = list().removing(task, m_model.clock().now());
    if (!changed) {
        setRefusal(changed.error());
        return false;
    }
    return save(*changed);
}

bool TaskListEditor::move(const QString& task, TaskList::Direction direction)
{
    return save(list().moving(task, direction, m_model.clock().now()));
}

bool TaskListEditor::setEnabled(bool on)
{
    const std::expected<TaskList, QString> changed = list().enabling(on, m_model.clock().now());
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
    m_model.saveTaskList(changed.isEnabled(), changed.tasks());
    // A list the books would not take is not the list now: the controller
    // said why on the status line.
    if (changed.isEnabled() != list().isEnabled() || changed.tasks() != list().tasks()) {
        const std::optional<StatusMessage>& status = m_model.status();
        setRefusal(status ? status->text : QStringLiteral("Could not save the tasks."));
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
