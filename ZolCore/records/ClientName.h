#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>

// Client names as people type them: two spellings that fold alike (case,
// diacritics, width, runs of blanks) name one client.
namespace zol::ClientName {

struct Suggestions
{
    // The suggestions to display.
    QStringList shown;
    // How many names matched in all.
    int total = 0;

    static Suggestions none() { return {}; }
    int hidden() const { return std::max<int>(0, total - int(shown.size())); }
    bool isEmpty() const { return shown.isEmpty(); }
    bool operator==(const Suggestions& other) const = default;
};

// The comparison key of a client name.
QString fold(QStringView name);

// Whether two spellings name one client; never for an empty name.
bool same(QStringView a, QStringView b);

// One spelling per client: the most used one (ties: the first in localised
// order), blanks tidied, sorted in localised order. Empty names are dropped.
QStringList distinct(const QStringList& names);

// The names that contain the typed query, those that begin with it first, each
// group in localised order; a name equal to the query is left out (it is typed
// already). At most `limit` are shown; `total` counts them all.
Suggestions suggestions(QStringView query, const QStringList& names, int limit);

} // namespace zol::ClientName
