#include "books/TaskList.h"

#include "support/Folding.h"
#include "support/PlainText.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTimeZone>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::TaskList)
};

} // namespace

const QString TaskList::general = QStringLiteral("General");

TaskList::TaskList()
    : m_updatedAt(distantPast())
{
}

TaskList::TaskList(bool isEnabled, const QStringList& tasks, const QDateTime& updatedAt)
    : m_tasks(normalized(tasks))
    , m_updatedAt(updatedAt)
{
    m_isEnabled = isEnabled && !m_tasks.isEmpty();
}

QStringList TaskList::choices() const
{
    if (!m_isEnabled)
        return {};
    return QStringList{general} + m_tasks;
}

QString TaskList::defaultTask() const
{
    return m_isEnabled ? general : QString();
}

bool TaskList::hasBeenSet() const
{
    return m_updatedAt > distantPast();
}

TaskList TaskList::with(std::optional<bool> isEnabled, std::optional<QStringList> tasks,
                        const QDateTime& at) const
{
    return TaskList(isEnabled.value_or(m_isEnabled), tasks.value_or(m_tasks), at);
}

QStringList TaskList::normalized(const QStringList& tasks)
{
    QSet<QString> seen{fold(general)};
    QStringList kept;
    for (const QString& task : tasks) {
        const QString cleaned = collapseWhitespace(task);
        if (cleaned.isEmpty())
            continue;
        const QString key = fold(cleaned);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        kept.append(cleaned);
    }
    return kept;
}

bool TaskList::canAdd(QStringView name) const
{
    const QString cleaned = collapseWhitespace(name);
    if (cleaned.isEmpty())
        return false;
    const QString key = fold(cleaned);
    if (key == fold(general))
        return false;
    for (const QString& task : m_tasks) {
        if (fold(task) == key)
            return false;
    }
    return true;
}

std::optional<TaskList> TaskList::adding(QStringView name, const QDateTime& at) const
{
    if (!canAdd(name))
        return std::nullopt;
    return with(std::nullopt, m_tasks + QStringList{collapseWhitespace(name)}, at);
}

std::expected<TaskList, QString> TaskList::removing(const QString& task, const QDateTime& at) const
{
    if (!m_tasks.contains(task))
        return *this;
    if (m_isEnabled && m_tasks.size() == 1)
        return std::unexpected(Texts::tr(
            "Switch tasks off first: while they are on there has to be at least one of your own."));
    QStringList tasks = m_tasks;
    tasks.removeOne(task);
    return with(std::nullopt, tasks, at);
}

TaskList TaskList::moving(const QString& task, Direction direction, const QDateTime& at) const
{
    const qsizetype index = m_tasks.indexOf(task);
    const qsizetype other = direction == Direction::up ? index - 1 : index + 1;
    if (index < 0 || other < 0 || other >= m_tasks.size())
        return *this;
    QStringList tasks = m_tasks;
    tasks.swapItemsAt(index, other);
    return with(std::nullopt, tasks, at);
}

std::expected<TaskList, QString> TaskList::enabling(bool on, const QDateTime& at) const
{
    if (on == m_isEnabled)
        return *this;
    if (on && m_tasks.isEmpty())
        //: "General" is the name of the task every list has, as it is shown.
        return std::unexpected(
            Texts::tr("Add at least one task below first. General is always there as well."));
    return with(on, std::nullopt, at);
}

QDateTime TaskList::distantPast()
{
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}

QJsonObject TaskList::toJsonObject() const
{
    return QJsonObject{
        {QStringLiteral("isEnabled"), m_isEnabled},
        {QStringLiteral("tasks"), QJsonArray::fromStringList(m_tasks)},
        {QStringLiteral("updatedAt"), secondsSince2001(m_updatedAt)},
    };
}

QByteArray TaskList::toJson() const
{
    return QJsonDocument(toJsonObject()).toJson(QJsonDocument::Compact);
}

std::optional<TaskList> TaskList::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return fromJsonObject(document.object());
}

std::optional<TaskList> TaskList::fromJsonObject(const QJsonObject& object)
{
    bool isEnabled = false;
    if (const QJsonValue v = object.value(QStringLiteral("isEnabled")); !v.isUndefined()) {
        if (!v.isBool())
            return std::nullopt;
        isEnabled = v.toBool();
    }
    QStringList tasks;
    if (const QJsonValue v = object.value(QStringLiteral("tasks")); !v.isUndefined()) {
        if (!v.isArray())
            return std::nullopt;
        for (const QJsonValue& item : v.toArray()) {
            if (!item.isString())
                return std::nullopt;
            // Lists travel between computers: whatever a peer wrote, a task
            // is one line of plain text here.
            tasks.append(PlainText::withoutControls(item.toString(), PlainText::Kind::line));
        }
    }
    QDateTime updatedAt = distantPast();
    if (const QJsonValue v = object.value(QStringLiteral("updatedAt")); !v.isUndefined()) {
        if (!v.isDouble())
            return std::nullopt;
        updatedAt = fromSecondsSince2001(v.toDouble());
    }
    return TaskList(isEnabled, tasks, updatedAt);
}

} // namespace zol
