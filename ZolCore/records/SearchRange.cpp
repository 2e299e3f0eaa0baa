#include "records/SearchRange.h"

#include "support/Folding.h"

#include <QCoreApplication>

namespace zol {

namespace {

constexpr char context[] = "zol::core::SearchRange";

// The label and the description are translated where they are asked for.
struct Row
{
    SearchRange::Case value;
    const char16_t* raw;
    const char* label;
    const char* description;
};

constexpr Row rows[] = {
    {SearchRange::week, u"week", QT_TRANSLATE_NOOP("zol::core::SearchRange", "7D"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "the last 7 days")},
    {SearchRange::month, u"month", QT_TRANSLATE_NOOP("zol::core::SearchRange", "1M"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "the last month")},
    {SearchRange::threeMonths, u"threeMonths", QT_TRANSLATE_NOOP("zol::core::SearchRange", "3M"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "the last 3 months")},
    {SearchRange::sixMonths, u"sixMonths", QT_TRANSLATE_NOOP("zol::core::SearchRange", "6M"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "the last 6 months")},
    {SearchRange::yearToDate, u"yearToDate", QT_TRANSLATE_NOOP("zol::core::SearchRange", "YTD"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "this year so far")},
    {SearchRange::year, u"year", QT_TRANSLATE_NOOP("zol::core::SearchRange", "1Y"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "the last year")},
    {SearchRange::all, u"all", QT_TRANSLATE_NOOP("zol::core::SearchRange", "All"),
     QT_TRANSLATE_NOOP("zol::core::SearchRange", "all time")},
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
    return QCoreApplication::translate(context, rowOf(m_case).label);
}

QString SearchRange::description() const
{
    return QCoreApplication::translate(context, rowOf(m_case).description);
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
