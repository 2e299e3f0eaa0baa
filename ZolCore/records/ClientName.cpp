#include "records/ClientName.h"

#include "support/Folding.h"
#include "support/NaturalOrder.h"

#include <QHash>

#include <algorithm>

namespace zol::ClientName {

QString fold(QStringView name)
{
    return zol::fold(name);
}

bool same(QStringView a, QStringView b)
{
    const QString foldedA = fold(a);
    return !foldedA.isEmpty() && foldedA == fold(b);
}

QStringList distinct(const QStringList& names)
{
    // key -> (spelling -> count), spellings in order of first appearance
    QHash<QString, QList<std::pair<QString, int>>> spellingsByKey;
    QStringList keys;
    for (const QString& name : names) {
        const QString key = fold(name);
        if (key.isEmpty())
            continue;
        const QString spelling = collapseWhitespace(name);
        if (!spellingsByKey.contains(key))
            keys.append(key);
        auto& counts = spellingsByKey[key];
        auto found = std::find_if(counts.begin(), counts.end(),
                                  [&](const auto& pair) { return pair.first == spelling; });
        if (found == counts.end())
            counts.append({spelling, 1});
        else
            ++found->second;
    }

    QStringList chosen;
    chosen.reserve(keys.size());
    for (const QString& key : std::as_const(keys)) {
        const auto& counts = spellingsByKey[key];
        const auto best = std::min_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
            if (a.second != b.second)
                return a.second > b.second;
            return naturalLess(a.first, b.first);
        });
        chosen.append(best->first);
    }
    naturalSort(chosen);
    return chosen;
}

Suggestions suggestions(QStringView query, const QStringList& names, int limit)
{
    Q_ASSERT(limit >= 0);
    const QStringView trimmed = query.trimmed();
    if (trimmed.isEmpty())
        return Suggestions::none();
    const QString folded = fold(trimmed);

    QStringList beginning;
    QStringList containing;
    for (const QString& name : names) {
        const QString key = fold(name);
        if (key == folded || !key.contains(folded))
            continue;
        (key.startsWith(folded) ? beginning : containing).append(name);
    }
    naturalSort(beginning);
    naturalSort(containing);

    Suggestions result;
    result.total = int(beginning.size() + containing.size());
    result.shown = beginning + containing;
    result.shown = result.shown.mid(0, std::max(0, limit));
    return result;
}

} // namespace zol::ClientName
