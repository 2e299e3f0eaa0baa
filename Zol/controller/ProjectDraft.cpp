#include "ProjectDraft.h"

#include <QCoreApplication>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::ProjectDraft)
};

// A field of missing() as "Still needed: number, name." names it.
QString fieldName(const QString& field)
{
    if (field == QLatin1String("number"))
        return Texts::tr("number");
    if (field == QLatin1String("client"))
        return Texts::tr("client");
    return Texts::tr("name");
}

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
            return Texts::tr("Describe what it is.");
        return std::nullopt;
    }
    const QStringList fields = missing();
    if (fields.isEmpty())
        return std::nullopt;
    QStringList names;
    for (const QString& field : fields)
        names.append(fieldName(field));
    //: %1 lists the project fields still empty: "number, client, name".
    return Texts::tr("Still needed: %1.").arg(names.join(QStringLiteral(", ")));
}

} // namespace zol
