#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QStringList>

#include <expected>
#include <optional>

namespace zol {

// The kinds of work an administration records with its sessions. "General" is
// always there and always first, so it is never part of `tasks`. The list is
// enabled only while it holds at least one task of the user's own; every
// constructor keeps both rules.
class TaskList
{
public:
    // "General"
    static const QString general;

    // The empty list: disabled, no tasks, never set.
    TaskList();
    TaskList(bool isEnabled, const QStringList& tasks, const QDateTime& updatedAt);

    bool isEnabled() const { return m_isEnabled; }
    const QStringList& tasks() const { return m_tasks; }
    // When the list was last changed anywhere; distantPast() when never set.
    const QDateTime& updatedAt() const { return m_updatedAt; }

    // What the picker offers: "General" then the tasks; nothing when disabled.
    QStringList choices() const;
    // What a new session records: "General" when enabled, else empty.
    QString defaultTask() const;
    bool hasBeenSet() const;

    // A copy with the given values replaced, stamped `at`.
    TaskList with(std::optional<bool> isEnabled, std::optional<QStringList> tasks,
                  const QDateTime& at) const;

    // Blanks tidied, empty names dropped, later spellings of a name already
    // present (or of "General") dropped; order kept.
    static QStringList normalized(const QStringList& tasks);
    // Whether the typed name would be a new task.
    bool canAdd(QStringView name) const;

    // The editing rules of the task settings. Each returns the changed list
    // stamped `at`, or, where a change is refused, the sentence that says why;
    // a change that does nothing returns the list as it is.
    enum class Direction { up, down };
    // Appends the tidied name when canAdd() allows it.
    std::optional<TaskList> adding(QStringView name, const QDateTime& at) const;
    // Refused while tasks are on and this is the only one.
    std::expected<TaskList, QString> removing(const QString& task, const QDateTime& at) const;
    // Swaps the task with its neighbour; nothing at either end.
    TaskList moving(const QString& task, Direction direction, const QDateTime& at) const;
    // Switching tasks on is refused while there are none.
    std::expected<TaskList, QString> enabling(bool on, const QDateTime& at) const;

    // A moment earlier than any real change (the start of year 1).
    static QDateTime distantPast();

    // The list's own form {"isEnabled":…,"tasks":[…],"updatedAt":seconds since
    // 2001}, stored in the books and embedded as is in the studio folder.
    QJsonObject toJsonObject() const;
    // Missing keys read as disabled, no tasks, never set; a value of the wrong
    // type gives no list.
    static std::optional<TaskList> fromJsonObject(const QJsonObject& object);

    // toJsonObject() as compact JSON text.
    QByteArray toJson() const;
    // fromJsonObject() of the text; text that is not a JSON object gives no list.
    static std::optional<TaskList> fromJson(const QByteArray& json);

    bool operator==(const TaskList& other) const = default;

private:
    bool m_isEnabled = false;
    QStringList m_tasks;
    QDateTime m_updatedAt;
};

} // namespace zol
