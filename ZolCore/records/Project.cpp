#include "records/Project.h"

#include "support/Folding.h"
#include "support/Timestamps.h"

#include <QJsonValue>
#include <QTimeZone>

namespace zol {

const QString Project::localPrefix = QStringLiteral("LOCAL:");

QDateTime Project::unknownCreation()
{
    return QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
}

Project Project::local(const QString& name, const QString& clientName, const QDateTime& now)
{
    return Project{localPrefix + uuidText(newUuid()), name, clientName, true, now, now};
}

QString Project::normalizedNumber(QStringView number)
{
    return number.trimmed().toString().toUpper();
}

QString Project::displaySerial() const
{
    return isLinked() ? serial : QString();
}

bool Project::isLinked() const
{
    return !serial.isEmpty() && !isLocalKey(serial);
}

QString Project::displayName() const
{
    if (clientName.isEmpty())
        return name;
    return clientName + QStringLiteral(" \u2014 ") + name;
}

bool Project::holds(QStringView number) const
{
    if (!isLinked())
        return false;
    const QString wanted = normalizedNumber(number);
    if (wanted.isEmpty())
        return false;
    return normalizedNumber(serial) == wanted;
}

bool Project::hasSameDetails(const Project& other) const
{
    return name == other.name && clientName == other.clientName && isActive == other.isActive;
}

namespace {

// Whole seconds since 1970, rounded down as the catalogue files write them.
qint64 wholeSeconds(const QDateTime& instant)
{
    const qint64 ms = instant.toMSecsSinceEpoch();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

} // namespace

bool Project::supersedes(const Project& other) const
{
    if (hasSameDetails(other) && serial == other.serial)
        return false;
    const qint64 mine = wholeSeconds(updatedAt);
    const qint64 theirs = wholeSeconds(other.updatedAt);
    if (mine != theirs)
        return mine > theirs;
    if (const int order = name.compare(other.name); order != 0)
        return order > 0;
    if (const int order = clientName.compare(other.clientName); order != 0)
        return order > 0;
    if (isActive != other.isActive)
        return isActive;
    return serial < other.serial;
}

bool Project::prevailsOver(const Project& other) const
{
    switch (claim(other)) {
    case Claim::olderClaim:
        return true;
    case Claim::youngerClaim:
        return false;
    case Claim::sameLineage:
        break;
    }
    return supersedes(other);
}

bool Project::matches(QStringView query) const
{
    const QString folded = fold(query);
    if (folded.isEmpty())
        return true;
    for (const QString& field : {name, clientName, displaySerial()}) {
        if (!field.isEmpty() && foldedContains(field, folded))
            return true;
    }
    return false;
}

Project::Claim Project::claim(const Project& other) const
{
    const double d = double(other.createdAt.msecsTo(createdAt)) / 1000.0;
    if (d > 1)
        return Claim::youngerClaim;
    if (d < -1)
        return Claim::olderClaim;
    return Claim::sameLineage;
}

QJsonObject Project::toJson() const
{
    return QJsonObject{
        {QStringLiteral("serial"), serial},
        {QStringLiteral("name"), name},
        {QStringLiteral("clientName"), clientName},
        {QStringLiteral("isActive"), isActive},
        {QStringLiteral("updatedAt"), secondsSince2001(updatedAt)},
        {QStringLiteral("createdAt"), secondsSince2001(createdAt)},
    };
}

std::optional<Project> Project::fromJson(const QJsonObject& object, const QDateTime& now)
{
    const QJsonValue serial = object.value(QStringLiteral("serial"));
    const QJsonValue name = object.value(QStringLiteral("name"));
    if (!serial.isString() || !name.isString())
        return std::nullopt;

    Project project{serial.toString(), name.toString(), QString(), true, now, unknownCreation()};
    if (const QJsonValue v = object.value(QStringLiteral("clientName")); !v.isUndefined()) {
        if (!v.isString())
            return std::nullopt;
        project.clientName = v.toString();
    }
    if (const QJsonValue v = object.value(QStringLiteral("isActive")); !v.isUndefined()) {
        if (!v.isBool())
            return std::nullopt;
        project.isActive = v.toBool();
    }
    if (const QJsonValue v = object.value(QStringLiteral("updatedAt")); !v.isUndefined()) {
        if (!v.isDouble())
            return std::nullopt;
        project.updatedAt = fromSecondsSince2001(v.toDouble());
    }
    if (const QJsonValue v = object.value(QStringLiteral("createdAt")); !v.isUndefined()) {
        if (!v.isDouble())
            return std::nullopt;
        project.createdAt = fromSecondsSince2001(v.toDouble());
    }
    return project;
}

size_t qHash(const Project& p, size_t seed)
{
    return qHashMulti(seed, p.serial, p.name, p.clientName, p.isActive,
                      p.updatedAt.toMSecsSinceEpoch(), p.createdAt.toMSecsSinceEpoch());
}

} // namespace zol
