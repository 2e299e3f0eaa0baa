#include "tracking/WorkStatus.h"

namespace zol {

const QList<WorkStatus>& WorkStatus::allCases()
{
    static const QList<WorkStatus> cases = {
        {QStringLiteral("Off the mark"), QStringLiteral("status-start"), QStringLiteral("\U0001F3C3"), 0},
        {QStringLiteral("Good start"), QStringLiteral("status-good"), QStringLiteral("\u2615\uFE0F"), 1800},
        {QStringLiteral("Nice going"), QStringLiteral("status-nice"), QStringLiteral("\U0001F44F"), 7200},
        {QStringLiteral("Strong day"), QStringLiteral("status-strong"), QStringLiteral("\U0001F525"), 14400},
        {QStringLiteral("Solid work"), QStringLiteral("status-solid"), QStringLiteral("\U0001F4AA"), 21600},
        {QStringLiteral("Big day"), QStringLiteral("status-big"), QStringLiteral("\U0001F680"), 28800},
        {QStringLiteral("Go home"), QStringLiteral("status-home"), QStringLiteral("\U0001F319"), 39600},
    };
    return cases;
}

const WorkStatus& WorkStatus::notStarted()
{
    static const WorkStatus status{QStringLiteral("Nothing yet"), QStringLiteral("status-none"),
                                   QStringLiteral("\U0001F337"), 0};
    return status;
}

std::optional<WorkStatus> WorkStatus::forTime(double seconds)
{
    if (!(seconds > 0))
        return std::nullopt;
    const QList<WorkStatus>& cases = allCases();
    for (auto it = cases.crbegin(); it != cases.crend(); ++it) {
        if (it->from <= seconds)
            return *it;
    }
    return std::nullopt;
}

} // namespace zol
