#include "tracking/WorkStatus.h"

#include <QCoreApplication>

#include <iterator>

namespace zol {

namespace {

// The phrases are translated each time a status is asked for, so that a
// status never holds the words of another language.
struct Row
{
    const char* phrase;
    const char16_t* artName;
    const char16_t* emoji;
    double from;
};

constexpr Row rows[] = {
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Off the mark"), u"status-start", u"\U0001F3C3", 0},
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Good start"), u"status-good", u"\u2615\uFE0F",
     1800},
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Nice going"), u"status-nice", u"\U0001F44F", 7200},
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Strong day"), u"status-strong", u"\U0001F525",
     14400},
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Solid work"), u"status-solid", u"\U0001F4AA",
     21600},
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Big day"), u"status-big", u"\U0001F680", 28800},
    {QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Go home"), u"status-home", u"\U0001F319", 39600},
};

constexpr Row nothingYet{QT_TRANSLATE_NOOP("zol::core::WorkStatus", "Nothing yet"), u"status-none",
                         u"\U0001F337", 0};

WorkStatus statusOf(const Row& row)
{
    return {QCoreApplication::translate("zol::core::WorkStatus", row.phrase),
            QString::fromUtf16(row.artName), QString::fromUtf16(row.emoji), row.from};
}

} // namespace

QList<WorkStatus> WorkStatus::allCases()
{
    QList<WorkStatus> cases;
    cases.reserve(std::size(rows));
    for (const Row& row : rows)
        cases.append(statusOf(row));
    return cases;
}

WorkStatus WorkStatus::notStarted()
{
    return statusOf(nothingYet);
}

std::optional<WorkStatus> WorkStatus::forTime(double seconds)
{
    if (!(seconds > 0))
        return std::nullopt;
    for (auto it = std::crbegin(rows); it != std::crend(rows); ++it) {
        if (it->from <= seconds)
            return statusOf(*it);
    }
    return std::nullopt;
}

} // namespace zol
