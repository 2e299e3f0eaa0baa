#include "books/ProjectNumbering.h"

#include "support/Calendar.h"

#include <algorithm>
#include <limits>

namespace zol::ProjectNumbering {
namespace {

// A pattern with its year filled in for one moment, split around the counter.
struct Parts
{
    QString prefix;
    QString suffix;
    qsizetype width = 0;

    static std::optional<Parts> parse(QString pattern, const QDateTime& now,
                                      const Calendar& calendar)
    {
        const int year = calendar.day(now).year();
        const QLatin1Char zero('0');
        pattern.replace(QStringLiteral("{yyyy}"), QStringLiteral("%1").arg(year, 4, 10, zero));
        pattern.replace(QStringLiteral("{yy}"), QStringLiteral("%1").arg(year % 100, 2, 10, zero));

        const qsizetype open = pattern.indexOf(u'{');
        if (open < 0)
            return std::nullopt;
        const qsizetype close = pattern.indexOf(u'}', open + 1);
        if (close < 0)
            return std::nullopt;
        const QStringView counter = QStringView(pattern).sliced(open + 1, close - open - 1);
        if (counter.isEmpty())
            return std::nullopt;
        for (QChar c : counter) {
            if (c != zero)
                return std::nullopt;
        }
        return Parts{pattern.first(open), pattern.sliced(close + 1), counter.size()};
    }

    // The running count of `number`, or none when it is not one of ours.
    std::optional<qint64> sequence(const QString& number) const
    {
        const QString text = number.trimmed();
        if (text.size() < prefix.size() + suffix.size())
            return std::nullopt;
        if (!text.startsWith(prefix) || !text.endsWith(suffix))
            return std::nullopt;
        const QStringView middle =
            QStringView(text).sliced(prefix.size(), text.size() - prefix.size() - suffix.size());
        if (middle.size() != width)
            return std::nullopt;
        for (QChar c : middle) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        bool ok = false;
        const qint64 value = middle.toLongLong(&ok);
        if (!ok) // more digits than a 64-bit count holds
            return std::nullopt;
        return value;
    }
};

} // namespace

std::optional<QString> next(const QString& pattern, const QStringList& existing,
                            const QDateTime& now, const Calendar& calendar)
{
    const std::optional<Parts> parts = Parts::parse(pattern, now, calendar);
    if (!parts)
        return std::nullopt;

    qint64 highest = 0;
    for (const QString& number : existing) {
        if (const std::optional<qint64> count = parts->sequence(number))
            highest = std::max(highest, *count);
    }
    if (highest == std::numeric_limits<qint64>::max())
        return std::nullopt;

    const int width = int(std::min<qsizetype>(parts->width, std::numeric_limits<int>::max()));
    return parts->prefix % QStringLiteral("%1").arg(highest + 1, width, 10, QLatin1Char('0')) %
           parts->suffix;
}

bool matches(const QString& number, const QString& pattern, const QDateTime& now,
             const Calendar& calendar)
{
    const std::optional<Parts> parts = Parts::parse(pattern, now, calendar);
    return parts && parts->sequence(number).has_value();
}

} // namespace zol::ProjectNumbering
