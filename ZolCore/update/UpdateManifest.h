#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace zol {

// What the update host publishes about its newest version: a small JSON
// object with "version", "url" and "publishedAt" (ISO 8601 internet
// date-time), and optionally "notes" and "publishedBy".
struct UpdateManifest
{
    // Dotted numbers, for example "1.4.2"; compared with Version::compare.
    QString version;
    // Where the package can be downloaded, as written: the checker decides
    // whether it is a download Zol trusts.
    QString url;
    // In UTC.
    QDateTime publishedAt;
    std::optional<QString> notes;
    std::optional<QString> publishedBy;

    // The manifest in `json`, or none when it is not a JSON object, lacks one
    // of the three required keys, holds a value of the wrong type, or has a
    // "publishedAt" that is not a strict ISO 8601 date-time. An optional key
    // that is null counts as absent; keys Zol does not know are ignored.
    static std::optional<UpdateManifest> fromJson(const QByteArray& json);

    bool operator==(const UpdateManifest& other) const = default;
};

} // namespace zol
