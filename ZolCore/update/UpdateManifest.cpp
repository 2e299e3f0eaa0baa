#include "update/UpdateManifest.h"

#include "support/Timestamps.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

using namespace Qt::StringLiterals;

namespace zol {

namespace {

// Whether the optional text under `key` is absent, null or a string; the
// string goes into `out`.
bool readOptional(const QJsonObject& object, QLatin1StringView key, std::optional<QString>& out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

} // namespace

std::optional<UpdateManifest> UpdateManifest::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();

    const QJsonValue version = object.value("version"_L1);
    const QJsonValue url = object.value("url"_L1);
    const QJsonValue publishedAt = object.value("publishedAt"_L1);
    if (!version.isString() || !url.isString() || !publishedAt.isString())
        return std::nullopt;

    UpdateManifest manifest;
    manifest.version = version.toString();
    manifest.url = url.toString();
    const std::optional<QDateTime> instant = parseIso8601(publishedAt.toString());
    if (!instant)
        return std::nullopt;
    manifest.publishedAt = *instant;
    if (!readOptional(object, "notes"_L1, manifest.notes) ||
        !readOptional(object, "publishedBy"_L1, manifest.publishedBy))
        return std::nullopt;
    return manifest;
}

} // namespace zol
