#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zol {

// What the panel's add form or a project editor holds while the user types:
// a project's number, client and name, or, for internal work, what the work
// is. Each field counts once it holds more than white space.
struct ProjectDraft
{
    bool isInternal = false;
    QString number;
    QString clientName;
    QString name;
    // Internal work: what it is.
    QString description;
    // Whether the number must be given: always when adding; an editor of a
    // project that has none yet may leave it out.
    bool numberRequired = true;

    // The project fields still empty, by the names "number", "client" and
    // "name", in that order; internal work has none.
    QStringList missing() const;
    // "Still needed: number, name." while a project field is empty, "Describe
    // what it is." while internal work is not described; none when complete.
    std::optional<QString> stillNeeded() const;
    bool isComplete() const { return !stillNeeded().has_value(); }

    bool operator==(const ProjectDraft& other) const = default;
};

} // namespace zol
