#include "support/NaturalOrder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace zol {

namespace {

QLocale collationLocale()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C || system.language() == QLocale::AnyLanguage)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return system;
}

const QCollator& collator()
{
    // QCollator is not safe to share between threads; one per thread.
    thread_local const QCollator instance = [] {
        QCollator c(collationLocale());
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return instance;
}

} // namespace

int naturalCompare(QStringView a, QStringView b)
{
    const int byCollation = collator().compare(a, b);
    if (byCollation != 0)
        return byCollation;
    return a.compare(b);
}

void naturalSort(QStringList& list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const QString& a, const QString& b) { return naturalCompare(a, b) < 0; });
}

} // namespace zol
