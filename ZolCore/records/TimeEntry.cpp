#include "records/TimeEntry.h"

#include "support/Folding.h"
#include "support/Timestamps.h"

#include <QFile>
#include <QJsonValue>
#include <QSysInfo>

#include <algorithm>

namespace zol {

namespace {

double secondsBetween(const QDateTime& from, const QDateTime& to)
{
    return double(from.msecsTo(to)) / 1000.0;
}

// The pretty host name set with hostnamectl, if any.
QString prettyHostName()
{
    QFile file(QStringLiteral("/etc/machine-info"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.startsWith(QStringLiteral("PRETTY_HOSTNAME=")))
            continue;
        QString value = line.mid(16).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
            && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value.trimmed();
    }
    return {};
}

} // namespace

double TimeEntry::duration(const QDateTime& now) const
{
    const QDateTime end = endedAt.value_or(now);
    const double gross = secondsBetween(startedAt, end);
    double paused = pausedSeconds;
    if (pausedAt)
        paused += std::max(0.0, secondsBetween(*pausedAt, end));
    return std::max(0.0, gross - paused);
}

double TimeEntry::pausedTime(const QDateTime& upTo) const
{
    if (pausedAt)
        return pausedSeconds + std::max(0.0, secondsBetween(*pausedAt, upTo));
    return pausedSeconds;
}

bool TimeEntry::isTooShortToKeep() const
{
    // With an end, the duration no longer depends on the time asked.
    return endedAt && duration(*endedAt) < minimumRecorded;
}

void TimeEntry::pause(const QDateTime& at)
{
    if (isTicking())
        pausedAt = at;
}

void TimeEntry::resume(const QDateTime& at)
{
    if (!pausedAt)
        return;
    pausedSeconds += std::max(0.0, secondsBetween(*pausedAt, at));
    pausedAt.reset();
}

void TimeEntry::stop(const QDateTime& at)
{
    if (endedAt)
        return;
    if (pausedAt) {
        endedAt = std::max(*pausedAt, startedAt);
        pausedAt.reset();
    } else {
        endedAt = std::max(at, startedAt);
    }
}

TimeEntry TimeEntry::moved(const Project& project, const QDateTime& now) const
{
    TimeEntry copy = *this;
    copy.projectSerial = project.serial;
    copy.projectName = project.name;
    copy.clientName = project.clientName;
    copy.isInternal = false;
    copy.updatedAt = now;
    return copy;
}

Project TimeEntry::project(const QDateTime& now) const
{
    return Project{projectSerial, projectName, clientName, true, now, now};
}

QString TimeEntry::projectSerialForDisplay() const
{
    if (!isInternal && !projectSerial.isEmpty() && !Project::isLocalKey(projectSerial))
        return projectSerial;
    return projectName;
}

TimeEntry TimeEntry::makeInternal(const QString& description, const QString& machineName,
                                  const QDateTime& startedAt, const QDateTime& now)
{
    TimeEntry entry;
    entry.id = newUuid();
    entry.machineName = machineName;
    entry.startedAt = startedAt;
    entry.projectName = description;
    entry.isInternal = true;
    entry.createdAt = now;
    entry.updatedAt = now;
    return entry;
}

bool TimeEntry::matches(QStringView query) const
{
    const QString folded = fold(query);
    if (folded.isEmpty())
        return true;
    return matchesFields(isInternal, projectSerial, clientName, projectName, note, machineName,
                         [&](const QString& field) { return foldedContains(field, folded); });
}

QString TimeEntry::currentMachineName()
{
    const QString pretty = prettyHostName();
    return pretty.isEmpty() ? QSysInfo::machineHostName() : pretty;
}

QJsonObject TimeEntry::toJson() const
{
    QJsonObject o{
        {QStringLiteral("id"), uuidText(id)},
        {QStringLiteral("machineName"), machineName},
        {QStringLiteral("startedAt"), secondsSince2001(startedAt)},
        {QStringLiteral("pausedSeconds"), pausedSeconds},
        {QStringLiteral("projectSerial"), projectSerial},
        {QStringLiteral("projectName"), projectName},
        {QStringLiteral("isInternal"), isInternal},
        {QStringLiteral("clientName"), clientName},
        {QStringLiteral("note"), note},
        {QStringLiteral("task"), task},
        {QStringLiteral("createdAt"), secondsSince2001(createdAt)},
        {QStringLiteral("updatedAt"), secondsSince2001(updatedAt)},
    };
    const auto optional = [&o](const QString& key, const std::optional<QDateTime>& value) {
        if (value)
            o.insert(key, secondsSince2001(*value));
    };
    optional(QStringLiteral("endedAt"), endedAt);
    optional(QStringLiteral("pausedAt"), pausedAt);
    optional(QStringLiteral("uploadedAt"), uploadedAt);
    optional(QStringLiteral("deletedAt"), deletedAt);
    return o;
}

std::optional<TimeEntry> TimeEntry::fromJson(const QJsonObject& o)
{
    bool ok = true;
    const auto text = [&](const char* key) {
        const QJsonValue v = o.value(QLatin1StringView(key));
        ok = ok && v.isString();
        return v.toString();
    };
    const auto number = [&](const char* key) {
        const QJsonValue v = o.value(QLatin1StringView(key));
        ok = ok && v.isDouble();
        return v.toDouble();
    };
    const auto instant = [&](const char* key) { return fromSecondsSince2001(number(key)); };
    const auto optionalInstant = [&](const char* key) -> std::optional<QDateTime> {
        const QJsonValue v = o.value(QLatin1StringView(key));
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        ok = ok && v.isDouble();
        return fromSecondsSince2001(v.toDouble());
    };

    TimeEntry e;
    const std::optional<QUuid> id = parseUuid(text("id"));
    ok = ok && id.has_value();
    e.id = id.value_or(QUuid());
    e.machineName = text("machineName");
    e.startedAt = instant("startedAt");
    e.endedAt = optionalInstant("endedAt");
    e.pausedAt = optionalInstant("pausedAt");
    e.pausedSeconds = number("pausedSeconds");
    e.projectSerial = text("projectSerial");
    e.projectName = text("projectName");
    const QJsonValue internal = o.value(QStringLiteral("isInternal"));
    ok = ok && internal.isBool();
    e.isInternal = internal.toBool();
    e.clientName = text("clientName");
    e.note = text("note");
    e.task = text("task");
    e.uploadedAt = optionalInstant("uploadedAt");
    e.createdAt = instant("createdAt");
    e.updatedAt = instant("updatedAt");
    e.deletedAt = optionalInstant("deletedAt");
    if (!ok)
        return std::nullopt;
    return e;
}

size_t qHash(const TimeEntry& e, size_t seed)
{
    const auto ms = [](const std::optional<QDateTime>& t) {
        return t ? t->toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    };
    seed = qHashMulti(seed, e.id, e.machineName, e.startedAt.toMSecsSinceEpoch(), ms(e.endedAt),
                      ms(e.pausedAt), e.pausedSeconds, e.projectSerial, e.projectName);
    return qHashMulti(seed, e.isInternal, e.clientName, e.note, e.task, ms(e.uploadedAt),
                      e.createdAt.toMSecsSinceEpoch(), e.updatedAt.toMSecsSinceEpoch(),
                      ms(e.deletedAt));
}

} // namespace zol
