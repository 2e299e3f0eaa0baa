#include "ProjectDraft.h"

namespace zol {

namespace {

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

} // namespace

QStringList ProjectDraft::missing() const
{
    QStringList fields;
    if (isInternal)
        return fields;
    if (numberRequired && isBlank(number))
        fields.append(QStringLiteral("number"));
    if (isBlank(clientName))
        fields.append(QStringLiteral("client"));
    if (isBlank(name))
        fields.append(QStringLiteral("name"));
    return fields;
}

std::optional<QString> ProjectDraft::stillNeeded() const
{
    if (isInternal) {
        if (isBlank(description))
            return QStringLiteral("Describe what it is.");
        return std::nullopt;
    }
    const QStringList fields = missing();
    if (fields.isEmpty())
        return std::nullopt;
    return QStringLiteral("Still needed: ") + fields.join(QStringLiteral(", ")) + u'.';
}

} // namespace zol
