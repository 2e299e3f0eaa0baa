#include "books/Administration.h"

#include "books/ProjectNumbering.h"
#include "support/Calendar.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::Administration)
};

const QString idKey = QStringLiteral("id");
const QString nameKey = QStringLiteral("name");
const QString numberingKey = QStringLiteral("numbering");
const QString keepsLocalKey = QStringLiteral("keepsLocal");
const QString openKey = QStringLiteral("open");
const QString automaticKey = QStringLiteral("automatic");
const QString schemeKey = QStringLiteral("_0");
const QString prefixKey = QStringLiteral("prefix");
const QString includesYearKey = QStringLiteral("includesYear");
const QString digitsKey = QStringLiteral("digits");

template <typename T> using Decoded = std::expected<T, QString>;

QString quoted(const QString& key)
{
    return u'“' % key % u'”';
}

Decoded<QJsonValue> required(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::unexpected(QStringLiteral("No value for the key ") % quoted(key) % u'.');
    return value;
}

QString wrongType(const QString& key, const QString& expected)
{
    return QStringLiteral("The key ") % quoted(key) % QStringLiteral(" does not hold ") % expected %
           u'.';
}

Decoded<QString> requiredString(const QJsonObject& object, const QString& key)
{
    const Decoded<QJsonValue> value = required(object, key);
    if (!value)
        return std::unexpected(value.error());
    if (!value->isString())
        return std::unexpected(wrongType(key, QStringLiteral("text")));
    return value->toString();
}

Decoded<bool> requiredBool(const QJsonObject& object, const QString& key)
{
    const Decoded<QJsonValue> value = required(object, key);
    if (!value)
        return std::unexpected(value.error());
    if (!value->isBool())
        return std::unexpected(wrongType(key, QStringLiteral("a boolean")));
    return value->toBool();
}

// JSON has one number type: a whole number within int's range is an integer,
// 5.0 included; 5.5 is not.
Decoded<int> requiredInt(const QJsonObject& object, const QString& key)
{
    const Decoded<QJsonValue> value = required(object, key);
    if (!value)
        return std::unexpected(value.error());
    const double number = value->toDouble();
    if (!value->isDouble() || number != std::trunc(number) || number < INT_MIN || number > INT_MAX)
        return std::unexpected(wrongType(key, QStringLiteral("an integer")));
    return int(number);
}

Decoded<QJsonObject> requiredObject(const QJsonObject& object, const QString& key)
{
    const Decoded<QJsonValue> value = required(object, key);
    if (!value)
        return std::unexpected(value.error());
    if (!value->isObject())
        return std::unexpected(wrongType(key, QStringLiteral("an object")));
    return value->toObject();
}

QJsonObject encodeNumbering(const Administration::Numbering& numbering)
{
    const std::optional<Administration::Scheme>& scheme = numbering.scheme();
    if (!scheme)
        return {{openKey, QJsonObject()}};
    const QJsonObject fields{
        {prefixKey, scheme->prefix},
        {includesYearKey, scheme->includesYear},
        {digitsKey, scheme->digits},
    };
    return {{automaticKey, QJsonObject{{schemeKey, fields}}}};
}

// The numbering object names its case with its only key.
Decoded<Administration::Numbering> decodeNumbering(const QJsonObject& object)
{
    if (object.size() != 1)
        return std::unexpected(QStringLiteral("Invalid number of keys found, expected one."));
    const QString kind = object.begin().key();
    if (kind == openKey) {
        if (!object.begin().value().isObject())
            return std::unexpected(wrongType(openKey, QStringLiteral("an object")));
        return Administration::Numbering::open();
    }
    if (kind != automaticKey)
        return std::unexpected(QStringLiteral("Unknown numbering ") % quoted(kind) % u'.');

    const Decoded<QJsonObject> automatic = requiredObject(object, automaticKey);
    if (!automatic)
        return std::unexpected(automatic.error());
    const Decoded<QJsonObject> fields = requiredObject(*automatic, schemeKey);
    if (!fields)
        return std::unexpected(fields.error());
    const Decoded<QString> prefix = requiredString(*fields, prefixKey);
    if (!prefix)
        return std::unexpected(prefix.error());
    const Decoded<bool> includesYear = requiredBool(*fields, includesYearKey);
    if (!includesYear)
        return std::unexpected(includesYear.error());
    const Decoded<int> digits = requiredInt(*fields, digitsKey);
    if (!digits)
        return std::unexpected(digits.error());
    return Administration::Numbering::automatic({*prefix, *includesYear, *digits});
}

Decoded<Administration> decodeAdministration(const QJsonValue& value)
{
    if (!value.isObject())
        return std::unexpected(QStringLiteral("An administration is not an object."));
    const QJsonObject object = value.toObject();

    Administration administration;
    const Decoded<QString> id = requiredString(object, idKey);
    if (!id)
        return std::unexpected(id.error());
    administration.id = *id;
    const Decoded<QString> name = requiredString(object, nameKey);
    if (!name)
        return std::unexpected(name.error());
    administration.name = *name;

    // Both may be missing (older lists have neither); null counts as missing.
    if (const QJsonValue numbering = object.value(numberingKey);
        !numbering.isUndefined() && !numbering.isNull()) {
        if (!numbering.isObject())
            return std::unexpected(wrongType(numberingKey, QStringLiteral("an object")));
        const Decoded<Administration::Numbering> decoded = decodeNumbering(numbering.toObject());
        if (!decoded)
            return std::unexpected(decoded.error());
        administration.numbering = *decoded;
    }
    if (const QJsonValue keepsLocal = object.value(keepsLocalKey);
        !keepsLocal.isUndefined() && !keepsLocal.isNull()) {
        if (!keepsLocal.isBool())
            return std::unexpected(wrongType(keepsLocalKey, QStringLiteral("a boolean")));
        administration.keepsLocal = keepsLocal.toBool();
    }
    return administration;
}

} // namespace

QString Administration::Scheme::pattern() const
{
    return prefix % (includesYear ? QStringLiteral("{yy}") : QString()) % u'{' %
           QString(std::max(digits, 0), u'0') % u'}';
}

QString Administration::Scheme::example(const QDateTime& now, const Calendar& calendar) const
{
    return ProjectNumbering::next(pattern(), {}, now, calendar).value_or(QString());
}

Administration::Numbering Administration::Numbering::automatic(Scheme scheme)
{
    Numbering numbering;
    numbering.m_scheme = std::move(scheme);
    return numbering;
}

Administration::Editor Administration::Editor::from(const Administration& administration)
{
    Editor editor;
    editor.name = administration.name;
    editor.keepsLocal = administration.isLocalOnly();
    if (const std::optional<Scheme>& scheme = administration.numbering.scheme()) {
        editor.automatic = true;
        editor.prefix = scheme->prefix;
        editor.includesYear = scheme->includesYear;
        editor.digits = scheme->digits;
    }
    return editor;
}

bool Administration::Editor::canSave() const
{
    return !name.trimmed().isEmpty();
}

Administration Administration::Editor::applied(const Administration& original) const
{
    Administration saved = original;
    saved.name = name.trimmed();
    saved.numbering = automatic
                          ? Numbering::automatic({prefix, includesYear, std::clamp(digits, 1, 9)})
                          : Numbering::open();
    saved.keepsLocal = original.isDefault() || keepsLocal;
    return saved;
}

QString Administration::subtitle(const QDateTime& now, const Calendar& calendar) const
{
    QStringList parts;
    if (isLocalOnly())
        parts.append(Texts::tr("This computer only"));
    //: %1 is an example of the project numbers the books give out ("P25001").
    if (const std::optional<Scheme>& scheme = numbering.scheme())
        parts.append(Texts::tr("Numbers like %1").arg(scheme->example(now, calendar)));
    else
        parts.append(Texts::tr("Numbers typed by hand"));
    return parts.join(QStringLiteral(" · "));
}

Administration Administration::fallback()
{
    return Administration{defaultId, QStringLiteral("Local"), Numbering::open(), false};
}

Administration Administration::fresh()
{
    return Administration{uuidText(newUuid()), QString(), Numbering::open(), false};
}

QByteArray Administration::encodeList(const QList<Administration>& list)
{
    QJsonArray array;
    for (const Administration& administration : list) {
        array.append(QJsonObject{
            {idKey, administration.id},
            {nameKey, administration.name},
            {numberingKey, encodeNumbering(administration.numbering)},
            {keepsLocalKey, administration.keepsLocal},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::expected<QList<Administration>, QString> Administration::decodeList(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return std::unexpected(QStringLiteral("Not JSON: ") % error.errorString() % u'.');
    if (!document.isArray())
        return std::unexpected(QStringLiteral("The administrations are not an array."));

    QList<Administration> list;
    for (const QJsonValue& value : document.array()) {
        Decoded<Administration> administration = decodeAdministration(value);
        if (!administration)
            return std::unexpected(administration.error());
        list.append(std::move(*administration));
    }
    return list;
}

QList<Administration> Administration::readList(const std::optional<QByteArray>& stored)
{
    if (!stored)
        return {fallback()};
    std::expected<QList<Administration>, QString> decoded = decodeList(*stored);
    if (!decoded || decoded->isEmpty())
        return {fallback()};

    QList<Administration> list = std::move(*decoded);
    for (Administration& administration : list) {
        if (!administration.isDefault())
            continue;
        administration.keepsLocal = true;
        // The first administration was called "My hours" once.
        if (administration.name == QStringLiteral("My hours"))
            administration.name = QStringLiteral("Local");
    }
    return list;
}

Administration Administration::current(const QList<Administration>& list,
                                       const std::optional<QString>& currentId)
{
    if (currentId) {
        for (const Administration& administration : list) {
            if (administration.id == *currentId)
                return administration;
        }
    }
    return list.isEmpty() ? fallback() : list.first();
}

bool Administration::isLocalOnly(const QList<Administration>& list, const QString& id)
{
    if (id == defaultId)
        return true;
    for (const Administration& administration : list) {
        if (administration.id == id)
            return administration.isLocalOnly();
    }
    return false;
}

QString Administration::normalizedFolder(const QString& path)
{
    QString folder = path.trimmed();
    while (folder.size() >= 2 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder.toLower();
}

std::optional<Administration>
Administration::administrationUsing(const QList<Administration>& list, const QString& folder,
                                    const QString& excluding,
                                    const std::function<QString(const QString& id)>& folderOf)
{
    const QString wanted = normalizedFolder(folder);
    if (wanted.isEmpty())
        return std::nullopt;
    for (const Administration& administration : list) {
        if (administration.id == excluding || administration.isLocalOnly())
            continue;
        if (normalizedFolder(folderOf(administration.id)) == wanted)
            return administration;
    }
    return std::nullopt;
}

QList<Administration> Administration::replacing(QList<Administration> list,
                                                const Administration& record)
{
    for (Administration& administration : list) {
        if (administration.id == record.id) {
            administration = record;
            break;
        }
    }
    return list;
}

QList<Administration> Administration::removing(QList<Administration> list, const QString& id)
{
    if (list.size() < 2 || id == defaultId)
        return list;
    list.removeIf([&id](const Administration& administration) { return administration.id == id; });
    return list;
}

size_t qHash(const Administration::Scheme& scheme, size_t seed)
{
    return qHashMulti(seed, scheme.prefix, scheme.includesYear, scheme.digits);
}

size_t qHash(const Administration::Numbering& numbering, size_t seed)
{
    if (const std::optional<Administration::Scheme>& scheme = numbering.scheme())
        return qHashMulti(seed, true, *scheme);
    return qHashMulti(seed, false);
}

size_t qHash(const Administration& administration, size_t seed)
{
    return qHashMulti(seed, administration.id, administration.name, administration.numbering,
                      administration.keepsLocal);
}

} // namespace zol
