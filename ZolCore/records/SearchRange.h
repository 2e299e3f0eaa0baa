#pragma once

#include "support/Calendar.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace zol {

// How far back a search reaches, as the row of buttons offers it. The rolling
// ranges keep the time of day of "now"; "this year so far" starts at local
// midnight on 1 January; "all time" has no start.
class SearchRange
{
public:
    enum Case { week, month, threeMonths, sixMonths, yearToDate, year, all };

    constexpr SearchRange(Case value = all) // NOLINT: a range is its case
        : m_case(value)
    {
    }

    // In the order of the buttons.
    static QList<SearchRange> allCases();
    // The range whose raw value is `raw` ("week", "threeMonths", …), or none.
    static std::optional<SearchRange> fromRawValue(QStringView raw);

    constexpr Case value() const { return m_case; }
    QString rawValue() const;
    QString id() const { return rawValue(); }
    // The button's text: "7D", "1M", …, "All".
    QString label() const;
    // The range in a sentence: "the last 7 days", …, "all time".
    QString description() const;

    // The first instant of the range, counted back from `now` in `calendar`.
    std::optional<QDateTime> start(const QDateTime& now, const Calendar& calendar = Calendar()) const;
    // Whether `date` lies within the range (on or after its start).
    bool contains(const QDateTime& date, const QDateTime& now,
                  const Calendar& calendar = Calendar()) const;

    constexpr bool operator==(const SearchRange& other) const = default;

private:
    Case m_case;
};

// Text matching shared by searches.
namespace Search {

// The comparison form of a text (case, diacritics and width ignored).
QString fold(QStringView text);

// Whether the query occurs in any non-empty field, folded; a blank query
// matches everything, even no fields at all.
bool matches(QStringView query, const QStringList& fields);

} // namespace Search

} // namespace zol
