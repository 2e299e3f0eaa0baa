#pragma once

#include <QDateTime>
#include <QHashFunctions>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace zol {

// A project, identified by its number (`serial`) as typed, or by a local key
// ("LOCAL:" and a UUID) while it has no number yet. A plain value.
struct Project
{
    // Which of two records of one number was published first; see claim().
    enum class Claim { sameLineage, youngerClaim, olderClaim };

    QString serial;
    QString name;
    QString clientName;
    bool isActive = true;
    // Last edit: settles which details win within one lineage.
    QDateTime updatedAt;
    // When this number was first published, by anybody: settles who owns the
    // number when two records claim it.
    QDateTime createdAt;

    static const QString localPrefix; // "LOCAL:"
    // Whether `serial` is a local key: a project not given a number yet.
    static bool isLocalKey(QStringView serial) { return serial.startsWith(localPrefix); }
    static bool isLocalKey(QByteArrayView utf8)
    {
        return QLatin1StringView(utf8).startsWith(localPrefix);
    }
    // The number to show for `serial`: empty for a local key.
    static QString numberToShow(const QString& serial)
    {
        return isLocalKey(serial) ? QString() : serial;
    }

    // Stands for a creation date that is not known (rows older than the
    // ownership rule): the Unix epoch.
    static QDateTime unknownCreation();

    // A project with a fresh local key, active, created and updated `now`.
    static Project local(const QString& name, const QString& clientName, const QDateTime& now);

    // A number as the user typed it, trimmed and upper-cased for comparison.
    static QString normalizedNumber(QStringView number);

    // The form under which the books and every comparison know this project:
    // two spellings of one number (letter case, surrounding blanks) are one
    // project.
    QString numberKey() const { return normalizedNumber(serial); }

    const QString& id() const { return serial; }
    // The number to show: empty for a local key.
    QString displaySerial() const;
    // Has a real number (not empty, not a local key).
    bool isLinked() const;
    bool needsNumber() const { return !isLinked(); }
    // "Client — Name", or the name alone without a client.
    QString displayName() const;
    // Whether this project's real number is `number`, ignoring surrounding
    // blanks and letter case.
    bool holds(QStringView number) const;
    // Name, client and active flag all equal (serial and timestamps ignored).
    bool hasSameDetails(const Project& other) const;
    // Whether this record's details replace `other`'s, two records of one
    // lineage (see claim()) met on different machines. The later edit wins,
    // compared in whole seconds: the precision the catalogue files carry, so
    // every machine compares the same values. Edits stamped in the same second
    // are settled by the details themselves (the larger name, then client,
    // then active flag, then the spelling of the number that sorts first, so
    // capitals before small letters), the same way everywhere, so all
    // machines settle on one record. Equal records never replace each other.
    bool supersedes(const Project& other) const;
    // Which of two records of one number the books keep: the older claim,
    // and within one lineage the one that supersedes the other. What a merge
    // of the catalogue decides, and what settles twins found in old books.
    bool prevailsOver(const Project& other) const;
    // Folding match of the query against name, client and display serial; an
    // empty query matches everything.
    bool matches(QStringView query) const;
    // Compares the creation dates with one second of tolerance, for the rounding
    // of stored times: published more than a second later is a younger claim.
    Claim claim(const Project& other) const;

    // Keys "serial", "name", "clientName", "isActive", "updatedAt",
    // "createdAt"; timestamps as seconds since 2001.
    QJsonObject toJson() const;
    // "serial" and "name" are required; a missing client reads as empty, a
    // missing active flag as true, a missing updatedAt as `now` and a missing
    // createdAt as unknownCreation(). A required key missing or of the wrong
    // type gives no value.
    static std::optional<Project> fromJson(const QJsonObject& object, const QDateTime& now);

    bool operator==(const Project& other) const = default;
};

size_t qHash(const Project& project, size_t seed = 0);

} // namespace zol
