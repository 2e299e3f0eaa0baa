#include "share/SharedCatalog.h"

#include "support/Timestamps.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zol {

namespace {

// Reads the keys of one untrusted object. Each accessor returns a blank value
// once anything has failed, and the first missing key or wrongly typed value
// marks the whole read as failed, so a decoder lists its keys and checks ok()
// once at the end.
class ObjectReader
{
public:
    explicit ObjectReader(const QJsonObject& object)
        : m_object(object)
    {}

    bool ok() const { return m_ok; }

    QString string(QStringView key)
    {
        const QJsonValue v = required(key, &QJsonValue::isString);
        return v.toString();
    }
    QString string(QStringView key, const QString& fallback)
    {
        const QJsonValue v = optional(key, &QJsonValue::isString);
        return v.isUndefined() ? fallback : v.toString();
    }

    bool boolean(QStringView key, bool fallback)
    {
        const QJsonValue v = optional(key, &QJsonValue::isBool);
        return v.isUndefined() ? fallback : v.toBool();
    }

    // A whole number in int range: 1.5 and 3e9 fail, 2.0 reads as 2.
    int integer(QStringView key)
    {
        const double d = required(key, &QJsonValue::isDouble).toDouble();
        if (!m_ok || !std::isfinite(d) || d != std::trunc(d) ||
            d < double(std::numeric_limits<int>::min()) ||
            d > double(std::numeric_limits<int>::max())) {
            m_ok = false;
            return 0;
        }
        return int(d);
    }

    QDateTime timestamp(QStringView key) { return parsed(required(key, &QJsonValue::isString)); }
    QDateTime timestamp(QStringView key, const QDateTime& fallback)
    {
        const QJsonValue v = optional(key, &QJsonValue::isString);
        return v.isUndefined() ? fallback : parsed(v);
    }

    QJsonArray array(QStringView key) { return required(key, &QJsonValue::isArray).toArray(); }
    QJsonObject object(QStringView key) { return required(key, &QJsonValue::isObject).toObject(); }

    // "version": a whole number no higher than the version this program reads.
    int version()
    {
        const int v = integer(u"version");
        if (v > SharedCatalog::currentVersion)
            m_ok = false;
        return v;
    }

private:
    using TypeTest = bool (QJsonValue::*)() const;

    QJsonValue required(QStringView key, TypeTest isExpectedType)
    {
        const QJsonValue v = m_object.value(key);
        if (!m_ok || !(v.*isExpectedType)()) {
            m_ok = false;
            return {};
        }
        return v;
    }
    // Undefined when the key is absent; a present value of another type fails.
    QJsonValue optional(QStringView key, TypeTest isExpectedType)
    {
        const QJsonValue v = m_object.value(key);
        if (!m_ok || v.isUndefined())
            return QJsonValue(QJsonValue::Undefined);
        if (!(v.*isExpectedType)()) {
            m_ok = false;
            return QJsonValue(QJsonValue::Undefined);
        }
        return v;
    }

    QDateTime parsed(const QJsonValue& v)
    {
        if (!m_ok)
            return {};
        const std::optional<QDateTime> instant = parseIso8601(v.toString());
        if (!instant) {
            m_ok = false;
            return {};
        }
        return *instant;
    }

    const QJsonObject& m_object;
    bool m_ok = true;
};

// No catalogue file nests deeper than this (file, array, project, and room).
constexpr int maximumNesting = 8;

// Whether brackets outside strings nest deeper than a catalogue ever does.
// Checked before parsing: Qt accepts up to a thousand levels, and a file of
// nested empty arrays costs far more memory to parse than its size suggests.
bool nestsTooDeep(const QByteArray& json)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : json) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maximumNesting)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// The top-level object of a catalogue file. Qt's parser rejects text that is
// not UTF-8 with an error; nesting is bounded before it runs.
std::optional<QJsonObject> parseObject(const QByteArray& json)
{
    if (nestsTooDeep(json))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

QByteArray encoded(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QJsonObject projectObject(const SharedProject& p)
{
    return QJsonObject{
        {QStringLiteral("number"), p.number},
        {QStringLiteral("name"), p.name},
        {QStringLiteral("client"), p.client},
        {QStringLiteral("isActive"), p.isActive},
        {QStringLiteral("updatedAt"), iso8601(p.updatedAt)},
        {QStringLiteral("createdAt"), iso8601(p.createdAt)},
    };
}

// The projects sorted by number, whatever order the caller kept them in.
QJsonArray projectArray(QList<SharedProject> projects)
{
    std::stable_sort(projects.begin(), projects.end(),
                     [](const SharedProject& a, const SharedProject& b) {
                         return numberLess(a.number, b.number);
                     });
    QJsonArray array;
    for (const SharedProject& p : projects)
        array.append(projectObject(p));
    return array;
}

std::optional<SharedProject> projectFrom(const QJsonValue& value, const QDateTime& now)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    ObjectReader r(object);
    SharedProject p;
    p.number = r.string(u"number");
    p.name = r.string(u"name");
    p.client = r.string(u"client", QString());
    p.isActive = r.boolean(u"isActive", true);
    p.updatedAt = r.timestamp(u"updatedAt", now);
    p.createdAt = r.timestamp(u"createdAt", Project::unknownCreation());
    if (!r.ok())
        return std::nullopt;
    return p;
}

// Every element must be a valid project: one bad element makes the file
// unreadable, as a partial list would look like deletions to the merge.
std::optional<QList<SharedProject>> projectsFrom(const QJsonArray& array, const QDateTime& now)
{
    QList<SharedProject> projects;
    projects.reserve(array.size());
    for (const QJsonValue& value : array) {
        std::optional<SharedProject> p = projectFrom(value, now);
        if (!p)
            return std::nullopt;
        projects.append(std::move(*p));
    }
    return projects;
}

} // namespace

SharedProject::SharedProject(const Project& project)
    : number(project.serial)
    , name(project.name)
    , client(project.clientName)
    , isActive(project.isActive)
    , updatedAt(project.updatedAt)
    , createdAt(project.createdAt)
{}

Project SharedProject::project() const
{
    return Project{number, name, client, isActive, updatedAt, createdAt};
}

bool numberLess(const QString& a, const QString& b)
{
    // UTF-16 order puts a surrogate pair (U+10000 and above) before
    // U+E000..U+FFFF. At the first differing unit, lifting surrogates above
    // every other unit restores code point order.
    const auto key = [](char16_t unit) -> int {
        if (unit >= 0xE000)
            return unit - 0x800;
        if (unit >= 0xD800)
            return unit + 0x2000;
        return unit;
    };
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y)
            return key(x) < key(y);
    }
    return a.size() < b.size();
}

QByteArray PeerMeta::encode() const
{
    return encoded(QJsonObject{
        {QStringLiteral("version"), version},
        {QStringLiteral("machineId"), machineId},
        {QStringLiteral("machineName"), machineName},
        {QStringLiteral("writtenAt"), iso8601(writtenAt)},
        {QStringLiteral("projectCount"), projectCount},
        {QStringLiteral("shardCount"), shardCount},
    });
}

std::optional<PeerMeta> PeerMeta::decode(const QByteArray& json)
{
    const std::optional<QJsonObject> object = parseObject(json);
    if (!object)
        return std::nullopt;
    ObjectReader r(*object);
    PeerMeta meta;
    meta.version = r.version();
    meta.machineId = r.string(u"machineId");
    meta.machineName = r.string(u"machineName");
    meta.writtenAt = r.timestamp(u"writtenAt");
    meta.projectCount = r.integer(u"projectCount");
    meta.shardCount = r.integer(u"shardCount");
    if (!r.ok())
        return std::nullopt;
    return meta;
}

QByteArray CatalogShard::encode() const
{
    return encoded(QJsonObject{
        {QStringLiteral("version"), version},
        {QStringLiteral("machineId"), machineId},
        {QStringLiteral("shard"), shard},
        {QStringLiteral("projects"), projectArray(projects)},
    });
}

std::optional<CatalogShard> CatalogShard::decode(const QByteArray& json, const QDateTime& now)
{
    const std::optional<QJsonObject> object = parseObject(json);
    if (!object)
        return std::nullopt;
    ObjectReader r(*object);
    CatalogShard shard;
    shard.version = r.version();
    shard.machineId = r.string(u"machineId");
    shard.shard = r.integer(u"shard");
    const QJsonArray projects = r.array(u"projects");
    if (!r.ok() || shard.shard < 0 || shard.shard > 63)
        return std::nullopt;
    std::optional<QList<SharedProject>> decoded = projectsFrom(projects, now);
    if (!decoded)
        return std::nullopt;
    shard.projects = std::move(*decoded);
    return shard;
}

QByteArray SharedTasks::encode() const
{
    return encoded(QJsonObject{
        {QStringLiteral("version"), version},
        {QStringLiteral("machineId"), machineId},
        {QStringLiteral("list"), list.toJsonObject()},
    });
}

std::optional<SharedTasks> SharedTasks::decode(const QByteArray& json)
{
    const std::optional<QJsonObject> object = parseObject(json);
    if (!object)
        return std::nullopt;
    ObjectReader r(*object);
    SharedTasks tasks;
    tasks.version = r.version();
    tasks.machineId = r.string(u"machineId");
    const QJsonObject list = r.object(u"list");
    if (!r.ok())
        return std::nullopt;
    std::optional<TaskList> decoded = TaskList::fromJsonObject(list);
    if (!decoded)
        return std::nullopt;
    tasks.list = std::move(*decoded);
    return tasks;
}

QByteArray LegacyCatalog::encode() const
{
    return encoded(QJsonObject{
        {QStringLiteral("version"), version},
        {QStringLiteral("machineId"), machineId},
        {QStringLiteral("machineName"), machineName},
        {QStringLiteral("writtenAt"), iso8601(writtenAt)},
        {QStringLiteral("projects"), projectArray(projects)},
    });
}

std::optional<LegacyCatalog> LegacyCatalog::decode(const QByteArray& json, const QDateTime& now)
{
    const std::optional<QJsonObject> object = parseObject(json);
    if (!object)
        return std::nullopt;
    ObjectReader r(*object);
    LegacyCatalog catalog;
    catalog.version = r.version();
    catalog.machineId = r.string(u"machineId");
    catalog.machineName = r.string(u"machineName");
    catalog.writtenAt = r.timestamp(u"writtenAt");
    const QJsonArray projects = r.array(u"projects");
    if (!r.ok())
        return std::nullopt;
    std::optional<QList<SharedProject>> decoded = projectsFrom(projects, now);
    if (!decoded)
        return std::nullopt;
    catalog.projects = std::move(*decoded);
    return catalog;
}

} // namespace zol
