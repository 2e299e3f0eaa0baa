#pragma once

#include <QStringView>

#include <compare>

namespace zol {

// Dotted version texts such as "1.4.2". Each piece between dots counts by its
// digits alone ("2.0-beta" is 2.0), a piece without digits counts 0, and a
// missing piece counts 0 too ("1.4" is "1.4.0"). Pieces of any length compare
// exactly; nothing overflows.
namespace Version {

// Ascending when `a` is older than `b`, equal when they name the same version,
// descending when `a` is newer.
std::strong_ordering compare(QStringView a, QStringView b);

// Whether `a` is newer than `than`.
bool isNewer(QStringView a, QStringView than);

} // namespace Version
} // namespace zol
