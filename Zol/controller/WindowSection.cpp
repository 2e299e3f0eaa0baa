#include "WindowSection.h"

namespace zol {

const QList<WindowSection>& windowSections()
{
    static const QList<WindowSection> sections{
        {QStringLiteral("history"), QStringLiteral("History")},
        {QStringLiteral("search"), QStringLiteral("Search")},
        {QStringLiteral("reports"), QStringLiteral("Analytics")},
        {QStringLiteral("personal"), QStringLiteral("Personal")},
        {QStringLiteral("projects"), QStringLiteral("Projects")},
        {QStringLiteral("tasks"), QStringLiteral("Tasks")},
        {QStringLiteral("studio"), QStringLiteral("Studio")},
        {QStringLiteral("general"), QStringLiteral("General")},
        {QStringLiteral("administrations"), QStringLiteral("Administrations")},
        {QStringLiteral("deleted"), QStringLiteral("Deleted")},
    };
    return sections;
}

} // namespace zol
