#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace zol {

// How the day is going, by the time tracked today: a phrase and a picture the
// panel greets the user with while no timer runs.
struct WorkStatus
{
    QString phrase;
    // The picture's resource name; also the identity.
    QString artName;
    // Shown when the picture is missing.
    QString emoji;
    // The least tracked time today (seconds) for which this status applies.
    double from = 0;

    const QString& id() const { return artName; }

    // The seven statuses, from "Off the mark" to "Go home".
    static QList<WorkStatus> allCases();
    // "Nothing yet": a day with nothing tracked.
    static WorkStatus notStarted();
    // The status of the highest threshold reached; none for no time at all.
    static std::optional<WorkStatus> forTime(double seconds);

    bool operator==(const WorkStatus& other) const = default;
};

} // namespace zol
