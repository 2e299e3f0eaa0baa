#include "records/SearchRange.h"

#include "support/Folding.h"

namespace zol {

namespace {

struct Row
{
    SearchRange::Case value;
    const char16_t* raw;
    const char16_t* label;
    const char16_t* description;
};

constexpr Row rows[] = {
    {SearchRange::week, u"week", u"7D", u"the last 7 days"},
    {SearchRange::month, u"month", u"1M", u"the last month"},
    {SearchRange::threeMonths, u"threeMonths", u"3M", u"the last 3 months"},
    {SearchRange::sixMonths, u"sixMonths", u"6M", u"the last 6 months"},
    {SearchRange::yearToDate, u"yearToDate", u"YTD", u"this year so far"},
    {SearchRange::year, u"year", u"1Y", u"the last year"},
    {SearchRange::all, u"all", u"All", u"all time"},
};

const Row& rowOf(SearchRange::Case value)
{
    return rows[value];
}

} // namespace

QList<SearchRange> SearchRange::allCases()
{
    QList<SearchRange> all;
    for (const Row& row : rows)
        all.append(row.value);
    return all;
}

std::optional<SearchRange> SearchRange::fromRawValue(QStringView raw)
{
    for (const Row& row : rows) {
        if (raw == QStringView(row.raw))
            return SearchRange(row.value);
    }
    return std::nullopt;
}

QString SearchRange::rawValue() const
{
    return QString::fromUtf16(rowOf(m_case).raw);
}

QString SearchRange::label() const
{
    return QString::fromUtf16(rowOf(m_case).label);
}

QString SearchRange::description() const
{
    return QString::fromUtf16(rowOf(m_case).description);
}

std::optional<QDateTime> SearchRange::start(const QDateTime& now, const Calendar& calendar) const
{
    switch (m_case) {
    case week:
        return calendar.addDays(now, -7);
    case month:
        return calendar.addMonths(now, -1);
    case threeMonths:
        return calendar.addMonths(now, -3);
    case sixMonths:
        return calendar.addMonths(now, -6);
    case yearToDate:
        return calendar.startOfYear(now);
    case year:
        return calendar.addYears(now, -1);
    case all:
        return std::nullopt;
    }
    return std::nullopt;
}

bool SearchRange::contains(const QDateTime& date, const QDateTime& now,
                           const Calendar& calendar) const
{
    const std::optional<QDateTime> first = start(now, calendar);
    return !first || date >= *first;
}

namespace Search {

QString fold(QStringView text)
{
    return zol::fold(text);
}

bool matches(QStringView query, const QStringList& fields)
{
    const QString folded = zol::fold(query);
    if (folded.isEmpty())
        return true;
    for (const QString& field : fields) {
        if (!field.isEmpty() && foldedContains(field, folded))
            return true;
    }
    return false;
}

} // namespace Search

} // namespace zol
