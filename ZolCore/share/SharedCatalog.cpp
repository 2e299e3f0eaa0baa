#include "share/SharedCatalog.h"

#include "support/PlainText.h"
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
    // A name another computer wrote, for people to read: one line, without
    // the controls that would act on a terminal or reorder a screen.
    QString name(QStringView key)
    {
        return PlainText::withoutControls(string(key), PlainText::Kind::line);
    }
    QString name(QStringView key, const QString& fallback)
    {
        return PlainText::withoutControls(string(key, fallback), PlainText::Kind::line);
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

// The projects sorted by number, whatever order the caller kept them in.
QList<SharedProject> sortedByNumber(QList<SharedProject> projects)
{
    std::stable_sort(projects.begin(), projects.end(),
                     [](const SharedProject& a, const SharedProject& b) {
                         return numberLess(a.number, b.number);
                     });
    return projects;
}

// Shards and legacy catalogues hold thousands of projects between them, and a
// first pass writes them all. They are written straight to text, in exactly
// the form QJsonDocument gives with Indented formatting (sorted keys, four
// spaces a level, "/" and non-ASCII as they are), instead of through a
// QJsonObject per project.
void appendString(QByteArray& out, QStringView text)
{
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    const char16_t* c = text.utf16();
    const char16_t* const end = c + text.size();
    while (c != end) {
        const char16_t u = *c++;
        if (u < 0x80) {
            switch (u) {
            case u'"': out += "\\\""; break;
            case u'\\': out += "\\\\"; break;
            case u'\b': out += "\\b"; break;
            case u'\f': out += "\\f"; break;
            case u'\n': out += "\\n"; break;
            case u'\r': out += "\\r"; break;
            case u'\t': out += "\\t"; break;
            default:
                if (u < 0x20) {
                    out += "\\u00";
                    out += hex[u >> 4];
                    out += hex[u & 0xf];
                } else {
                    out += char(u);
                }
            }
            continue;
        }
        char32_t code = u;
        if (QChar::isHighSurrogate(u) && c != end && QChar::isLowSurrogate(*c)) {
            code = QChar::surrogateToUcs4(u, *c++);
        } else if (QChar::isSurrogate(u)) {
            // A lone half of a pair has no UTF-8 form: escaped, as Qt does.
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(u >> shift) & 0xf];
            continue;
        }
        if (code < 0x800) {
            out += char(0xc0 | (code >> 6));
        } else if (code < 0x10000) {
            out += char(0xe0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3f));
        } else {
            out += char(0xf0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3f));
            out += char(0x80 | ((code >> 6) & 0x3f));
        }
        out += char(0x80 | (code & 0x3f));
    }
    out += '"';
}

void appendMember(QByteArray& out, const char* indent, const char* key)
{
    out += indent;
    out += '"';
    out += key;
    out += "\": ";
}

// The "projects" array as the value of a top-level key.
void appendProjects(QByteArray& out, const QList<SharedProject>& projects)
{
    out += "[\n";
    for (qsizetype i = 0; i < projects.size(); ++i) {
        const SharedProject& p = projects[i];
        const char* field = "            ";
        out += "        {\n";
        appendMember(out, field, "client");
        appendString(out, p.client);
        out += ",\n";
        appendMember(out, field, "createdAt");
        appendString(out, iso8601(p.createdAt));
        out += ",\n";
        appendMember(out, field, "isActive");
        out += p.isActive ? "true" : "false";
        out += ",\n";
        appendMember(out, field, "name");
        appendString(out, p.name);
        out += ",\n";
        appendMember(out, field, "number");
        appendString(out, p.number);
        out += ",\n";
        appendMember(out, field, "updatedAt");
        appendString(out, iso8601(p.updatedAt));
        out += "\n        }";
        out += i + 1 < projects.size() ? ",\n" : "\n";
    }
    out += "    ]";
}

std::optional<SharedProject> projectFrom(const QJsonValue& value, const QDateTime& now)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    ObjectReader r(object);
    SharedProject p;
    p.number = r.name(u"number");
    p.name = r.name(u"name");
    p.client = r.name(u"client", QString());
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
    meta.machineName = r.name(u"machineName");
    meta.writtenAt = r.timestamp(u"writtenAt");
    meta.projectCount = r.integer(u"projectCount");
    meta.shardCount = r.integer(u"shardCount");
    if (!r.ok())
        return std::nullopt;
    return meta;
}

QByteArray CatalogShard::encode() const
{
    QByteArray out;
    out.reserve(128 + 220 * projects.size());
    out += "{\n";
    appendMember(out, "    ", "machineId");
    appendString(out, machineId);
    out += ",\n";
    appendMember(out, "    ", "projects");
    appendProjects(out, sortedByNumber(projects));
    out += ",\n";
    appendMember(out, "    ", "shard");
    out += QByteArray::number(shard);
    out += ",\n";
    appendMember(out, "    ", "version");
    out += QByteArray::number(version);
    out += "\n}\n";
    return out;
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
    QByteArray out;
    out.reserve(192 + 220 * projects.size());
    out += "{\n";
    appendMember(out, "    ", "machineId");
    appendString(out, machineId);
    out += ",\n";
    appendMember(out, "    ", "machineName");
    appendString(out, machineName);
    out += ",\n";
    appendMember(out, "    ", "projects");
    appendProjects(out, sortedByNumber(projects));
    out += ",\n";
    appendMember(out, "    ", "version");
    out += QByteArray::number(version);
    out += ",\n";
    appendMember(out, "    ", "writtenAt");
    appendString(out, iso8601(writtenAt));
    out += "\n}\n";
    return out;
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
    catalog.machineName = r.name(u"machineName");
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

size_t qHash(const SharedProject& p, size_t seed)
{
    return qHashMulti(seed, p.number, p.name, p.client, p.isActive, p.updatedAt.toMSecsSinceEpoch(),
                      p.createdAt.toMSecsSinceEpoch());
}

} // namespace zol
