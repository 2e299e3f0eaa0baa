#include "update/Version.h"

#include <QList>
#include <QString>

namespace zol::Version {

namespace {

// The number of each piece as its decimal digits without leading zeros, so
// that pieces compare by length first and then digit by digit.
QList<QString> numbers(QStringView text)
{
    QList<QString> result;
    for (const QStringView piece : text.split(u'.')) {
        QString digits;
        for (const QChar c : piece) {
            if (c >= u'0' && c <= u'9' && (c != u'0' || !digits.isEmpty()))
                digits.append(c);
        }
        result.append(digits);
    }
    return result;
}

std::strong_ordering compareNumbers(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return a.size() <=> b.size();
    const int order = QString::compare(a, b, Qt::CaseSensitive);
    return order <=> 0;
}

} // namespace

std::strong_ordering compare(QStringView a, QStringView b)
{
    const QList<QString> left = numbers(a);
    const QList<QString> right = numbers(b);
    const qsizetype length = std::max(left.size(), right.size());
    for (qsizetype i = 0; i < length; ++i) {
        const std::strong_ordering order = compareNumbers(left.value(i), right.value(i));
        if (order != 0)
            return order;
    }
    return std::strong_ordering::equal;
}

bool isNewer(QStringView a, QStringView than)
{
    return compare(a, than) > 0;
}

} // namespace zol::Version
