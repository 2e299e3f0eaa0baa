#include "formats/TimesheetPeriod.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::TimesheetPeriod)
};

// The label is translated where it is asked for; the id and the folder are
// names in files.
struct KindRow
{
    TimesheetPeriod::Kind kind;
    const char16_t* id;
    const char* label;
    const char16_t* folder;
};

constexpr KindRow kindRows[] = {
    {TimesheetPeriod::Kind::week, u"week", QT_TRANSLATE_NOOP("zol::core::TimesheetPeriod", "Week"),
     u"weeks"},
    {TimesheetPeriod::Kind::month, u"month",
     QT_TRANSLATE_NOOP("zol::core::TimesheetPeriod", "Month"), u"months"},
    {TimesheetPeriod::Kind::year, u"year", QT_TRANSLATE_NOOP("zol::core::TimesheetPeriod", "Year"),
     u"years"},
};

const KindRow& rowOf(TimesheetPeriod::Kind kind)
{
    return kindRows[int(kind)];
}

// The local date on which the period of `kind` holding `day` begins.
QDate firstDay(TimesheetPeriod::Kind kind, QDate day)
{
    switch (kind) {
    case TimesheetPeriod::Kind::week:
        return day.addDays(1 - day.dayOfWeek());
    case TimesheetPeriod::Kind::month:
        return QDate(day.year(), day.month(), 1);
    case TimesheetPeriod::Kind::year:
        return QDate(day.year(), 1, 1);
    }
    return day;
}

QDate addUnits(TimesheetPeriod::Kind kind, QDate day, int n)
{
    switch (kind) {
    case TimesheetPeriod::Kind::week:
        return day.addDays(qint64(n) * 7);
    case TimesheetPeriod::Kind::month:
        return day.addMonths(n);
    case TimesheetPeriod::Kind::year:
        return day.addYears(n);
    }
    return day;
}

bool isFieldLetter(QChar c)
{
    return c == u'd' || c == u'M' || c == u'y';
}

// A run of one field letter in a QLocale date format ("d", "MMMM", "yyyy"),
// with its place in the format text.
struct Field
{
    QChar letter;
    qsizetype begin;
    qsizetype end;
};

// The fields of a date format, quoted literals skipped.
QList<Field> fieldsOf(const QString& format)
{
    QList<Field> fields;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            i = close < 0 ? format.size() : close + 1;
        } else if (isFieldLetter(c)) {
            qsizetype j = i;
            while (j < format.size() && format.at(j) == c)
                ++j;
            fields.append({c, i, j});
            i = j;
        } else {
            ++i;
        }
    }
    return fields;
}

// The part of the locale's long date format that writes two fields side by
// side: from the first to the second (in the locale's order) with what the
// locale puts between them, and a suffix glued to the last one ("日", "."),
// so that "dddd, d MMMM yyyy" gives "d MMMM" and "dddd, MMMM d, yyyy" gives
// "MMMM d". `fallback` when the locale does not write them next to each other.
QString adjacentFields(const QLocale& locale, QChar a, QChar b, const QString& fallback)
{
    const QString format = locale.dateFormat(QLocale::LongFormat);
    const QList<Field> fields = fieldsOf(format);
    const auto isWanted = [&](const Field& f) {
        // "dddd" is the weekday, not the day of the month.
        return (f.letter == a || f.letter == b) && !(f.letter == u'd' && f.end - f.begin > 2);
    };
    qsizetype first = -1;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (isWanted(fields.at(i))) {
            first = i;
            break;
        }
    }
    if (first < 0 || first + 1 >= fields.size() || !isWanted(fields.at(first + 1)) ||
        fields.at(first).letter == fields.at(first + 1).letter)
        return fallback;
    const Field& last = fields.at(first + 1);
    qsizetype end = last.end;
    while (end < format.size()) {
        const QChar c = format.at(end);
        if (c.isSpace() || c == u',' || c == u'\'' || (c.isLetter() && c.unicode() < 0x80))
            break;
        ++end;
    }
    return format.mid(fields.at(first).begin, end - fields.at(first).begin);
}

QString quoted(QString text)
{
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

QList<TimesheetPeriod::Kind> TimesheetPeriod::allKinds()
{
    return {Kind::week, Kind::month, Kind::year};
}

QList<TimesheetPeriod::Kind> TimesheetPeriod::uploadedKinds()
{
    return {Kind::week, Kind::month};
}

QString TimesheetPeriod::id(Kind kind)
{
    return QString::fromUtf16(rowOf(kind).id);
}

std::optional<TimesheetPeriod::Kind> TimesheetPeriod::kindFromRawValue(QStringView raw)
{
    for (const KindRow& row : kindRows) {
        if (raw == QStringView(row.id))
            return row.kind;
    }
    return std::nullopt;
}

QString TimesheetPeriod::label(Kind kind)
{
    return QCoreApplication::translate("zol::core::TimesheetPeriod", rowOf(kind).label);
}

QString TimesheetPeriod::folderName(Kind kind)
{
    return QString::fromUtf16(rowOf(kind).folder);
}

TimesheetPeriod::TimesheetPeriod(Kind kind, const QDateTime& date, const Calendar& calendar)
    : m_kind(kind)
    , m_calendar(calendar)
{
    // From local dates, not by adding seconds: a week or month that holds a
    // clock change is an hour shorter or longer.
    const QDate first = firstDay(kind, calendar.day(date));
    m_start = calendar.startOfDay(first);
    m_nextStart = calendar.startOfDay(addUnits(kind, first, 1));
}

QDateTime TimesheetPeriod::nextStart() const
{
    return m_nextStart;
}

QDateTime TimesheetPeriod::end() const
{
    return nextStart().addSecs(-1);
}

bool TimesheetPeriod::contains(const QDateTime& date) const
{
    return m_start <= date && date < m_nextStart;
}

bool TimesheetPeriod::isCurrent(const QDateTime& now) const
{
    return contains(now);
}

int TimesheetPeriod::year() const
{
    const QDate first = m_calendar.day(m_start);
    if (m_kind != Kind::week)
        return first.year();
    int weekYear = 0;
    first.weekNumber(&weekYear);
    return weekYear;
}

std::optional<TimesheetPeriod> TimesheetPeriod::fromId(QStringView id, const Calendar& calendar)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{4})(?:-W([0-9]{2})|-([0-9]{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(id.toString());
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.capturedView(1).toInt();
    if (year < 1)
        return std::nullopt;
    if (match.hasCaptured(2)) {
        // Week 1 holds the 4th of January; the id must name a week of its year.
        const int week = match.capturedView(2).toInt();
        const QDate fourth(year, 1, 4);
        const QDate day = fourth.addDays(qint64(week - 1) * 7 - (fourth.dayOfWeek() - 1));
        int weekYear = 0;
        if (week < 1 || day.weekNumber(&weekYear) != week || weekYear != year)
            return std::nullopt;
        return TimesheetPeriod(Kind::week, calendar.startOfDay(day), calendar);
    }
    if (match.hasCaptured(3)) {
        const int month = match.capturedView(3).toInt();
        if (month < 1 || month > 12)
            return std::nullopt;
        return TimesheetPeriod(Kind::month, calendar.startOfDay(QDate(year, month, 1)), calendar);
    }
    return TimesheetPeriod(Kind::year, calendar.startOfDay(QDate(year, 1, 1)), calendar);
}

QString TimesheetPeriod::id() const
{
    const QDate first = m_calendar.day(m_start);
    switch (m_kind) {
    case Kind::week: {
        int weekYear = 0;
        const int week = first.weekNumber(&weekYear);
        return QString::asprintf("%04d-W%02d", weekYear, week);
    }
    case Kind::month:
        return QString::asprintf("%04d-%02d", first.year(), first.month());
    case Kind::year:
        return QString::asprintf("%04d", first.year());
    }
    return {};
}

QString TimesheetPeriod::title(const QLocale& locale) const
{
    const QDate first = m_calendar.day(m_start);
    switch (m_kind) {
    case Kind::week: {
        const QString dayMonth = adjacentFields(locale, u'd', u'M', QStringLiteral("d MMMM"));
        //: A week's title: its number, then its first and last day ("Week 12 · 17 March –
        //: 23 March").
        return Texts::tr("Week %1 · %2 – %3")
            .arg(first.weekNumber())
            .arg(locale.toString(first, dayMonth),
                 locale.toString(m_calendar.day(end()), dayMonth));
    }
    case Kind::month: {
        // A month on its own is named in its standalone form (Russian "март",
        // not the "марта" of a date).
        QString monthYear = adjacentFields(locale, u'M', u'y', QStringLiteral("MMMM yyyy"));
        monthYear.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
        monthYear.replace(QStringLiteral("MMMM"),
                          quoted(locale.standaloneMonthName(first.month(), QLocale::LongFormat)));
        return locale.toString(first, monthYear);
    }
    case Kind::year:
        return QString::number(first.year());
    }
    return {};
}

TimesheetPeriod TimesheetPeriod::offset(int n) const
{
    const QDate first = addUnits(m_kind, m_calendar.day(m_start), n);
    return TimesheetPeriod(m_kind, m_calendar.startOfDay(first), m_calendar);
}

size_t qHash(const TimesheetPeriod& period, size_t seed)
{
    return qHashMulti(seed, int(period.kind()), period.start());
}

} // namespace zol
