#pragma once

#include <QStringList>
#include <QStringView>

namespace zol {

// Localised standard ordering of the lists people read: the user's collation,
// case-insensitive, numbers inside text compared by value ("Project 9" before
// "Project 10"). Where the system locale is C/POSIX, which has no collation
// and in which QCollator ignores numeric mode, English collation stands in.
// Texts the collation finds equal are ordered by their code points, so the
// order is total and stable across runs.
int naturalCompare(QStringView a, QStringView b);

inline bool naturalLess(QStringView a, QStringView b)
{
    return naturalCompare(a, b) < 0;
}

// Sorts in place, ascending.
void naturalSort(QStringList& list);

} // namespace zol
