#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHashFunctions>
#include <QList>
#include <QString>

#include <expected>
#include <functional>
#include <optional>

namespace zol {

class Calendar;

// A set of books: its own database of hours, projects and task list, and, unless
// it keeps local, its own studio folder. A plain value identified by `id`;
// equality and hashing cover all four fields.
//
// The first administration ("default", shown as "Local") always exists, is
// always local-only and cannot be removed. The static functions below hold the
// rules for reading, choosing and editing the list; they take plain values, so
// whoever keeps the list (the settings) stays a thin layer over them.
struct Administration
{
    // How new project numbers are suggested when numbering is automatic.
    struct Scheme
    {
        // Used exactly as typed, trailing dot and all; never trimmed.
        QString prefix;
        // The two-digit year follows the prefix.
        bool includesYear = true;
        // Width of the running count.
        int digits = 5;

        // prefix, "{yy}" when the year is included, then "{" + digits zeros + "}":
        // "P{yy}{000}".
        QString pattern() const;
        // The first number the scheme hands out at `now` with nothing in use
        // ("P26001"); empty when the pattern does not parse.
        QString example(const QDateTime& now, const Calendar& calendar) const;

        bool operator==(const Scheme& other) const = default;
    };

    // Either open (numbers typed by hand, the form starts empty) or automatic
    // with a scheme (the form starts with the next number).
    class Numbering
    {
    public:
        // Open.
        Numbering() = default;
        static Numbering open() { return {}; }
        static Numbering automatic(Scheme scheme);

        // The scheme of automatic numbering; none when open.
        const std::optional<Scheme>& scheme() const { return m_scheme; }
        bool isOpen() const { return !m_scheme.has_value(); }

        bool operator==(const Numbering& other) const = default;

    private:
        std::optional<Scheme> m_scheme;
    };

    // What the administration editor holds while the user types. Start it with
    // from(), save it with applied().
    struct Editor
    {
        QString name;
        bool automatic = false;
        QString prefix;
        bool includesYear = true;
        int digits = 5;
        bool keepsLocal = false;

        // The record's values; open numbering starts the scheme fields at an
        // empty prefix, the year on and 5 digits.
        static Editor from(const Administration& administration);

        // A name is required; blanks alone are no name.
        bool canSave() const;
        // The record to store: `original` with the typed name trimmed, the
        // numbering (digits clamped to 1 through 9) and keepsLocal, which is
        // always true for "default". The id never changes.
        Administration applied(const Administration& original) const;

        bool operator==(const Editor& other) const = default;
    };

    QString id;
    QString name;
    Numbering numbering;
    // The books never touch a studio folder.
    bool keepsLocal = false;

    // Inline, so that it is ready before any other static that uses it.
    static inline const QString defaultId = QStringLiteral("default");

    bool isDefault() const { return id == defaultId; }
    // Every sharing feature is off for a local-only administration.
    bool isLocalOnly() const { return isDefault() || keepsLocal; }

    // The row's second line in the list of administrations: "This computer only"
    // when local-only, then "Numbers typed by hand" or "Numbers like P26001",
    // joined by " · ".
    QString subtitle(const QDateTime& now, const Calendar& calendar) const;

    // What the list holds when nothing usable is stored: "default", named
    // "Local", open numbering, keepsLocal false.
    static Administration fallback();
    // A record for "Add an administration": a fresh id (an upper-case UUID),
    // no name, open numbering, sharing allowed.
    static Administration fresh();

    // A compact UTF-8 JSON array, one object per administration with all four
    // keys: "id", "name", "numbering" ({"open":{}} or
    // {"automatic":{"_0":{"prefix":…,"includesYear":…,"digits":…}}}) and
    // "keepsLocal".
    static QByteArray encodeList(const QList<Administration>& list);
    // The array written by encodeList(). A missing "numbering" reads as open
    // and a missing "keepsLocal" as false; anything else wrong in any entry
    // (a missing id or name, a value of the wrong type, a numbering object
    // without exactly one known key) makes the whole array unreadable, and the
    // error says why.
    static std::expected<QList<Administration>, QString> decodeList(const QByteArray& json);

    // The list as kept under "admin.list" (`stored`, none when the key is
    // missing). Never empty: missing, unreadable or empty data gives the single
    // fallback(). Otherwise the entries as stored, in order and duplicates
    // included, except that "default" always keeps local and its old name
    // "My hours" reads as "Local".
    static QList<Administration> readList(const std::optional<QByteArray>& stored);
    // The open administration: the first entry with `currentId`, else the
    // first entry (fallback() for an empty list).
    static Administration current(const QList<Administration>& list,
                                  const std::optional<QString>& currentId);
    // "default" is always local-only; any other id answers for the first entry
    // with that id, and an id that is not listed is not local-only.
    static bool isLocalOnly(const QList<Administration>& list, const QString& id);

    // A studio folder path as compared between administrations: blanks trimmed,
    // trailing "/" dropped (a lone "/" stays) and lower case.
    static QString normalizedFolder(const QString& path);
    // The first sharing administration other than `excluding` whose studio
    // folder (`folderOf` its id, the stored path) is `folder`, compared in
    // normalised form. "default" and administrations that keep local are
    // never the answer; an empty folder matches nothing.
    static std::optional<Administration>
    administrationUsing(const QList<Administration>& list, const QString& folder,
                        const QString& excluding,
                        const std::function<QString(const QString& id)>& folderOf);

    // `list` with the first entry of `record.id` replaced by `record`; unchanged
    // when no entry has that id.
    static QList<Administration> replacing(QList<Administration> list,
                                           const Administration& record);
    // `list` without any entry of `id`; unchanged when `id` is "default" or the
    // list holds fewer than two entries.
    static QList<Administration> removing(QList<Administration> list, const QString& id);

    bool operator==(const Administration& other) const = default;
};

size_t qHash(const Administration::Scheme& scheme, size_t seed = 0);
size_t qHash(const Administration::Numbering& numbering, size_t seed = 0);
size_t qHash(const Administration& administration, size_t seed = 0);

} // namespace zol
