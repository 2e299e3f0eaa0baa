#include "reports/StudioHours.h"

#include "formats/CSVReader.h"
#include "formats/CSVWriter.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "records/Project.h"
#include "support/Folding.h"
#include "support/NaturalOrder.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::StudioHours)
};

const QString bullet = QStringLiteral("\u2022");

// What a text's data is known by while the records that hold it live: texts
// read from the studio folder share their data (StudioHours::read makes one
// copy of each), so remembering what was worked out for a text by its data
// spares working it out, or even hashing the text, for every session. Texts
// that are equal but not shared are simply worked out once each.
using Spelling = const void*;

inline Spelling spellingOf(const QString& text)
{
    return text.constData();
}

// The spellings of one thing (a client, a project name, a task) across many
// records: the one used most, ties going to the first in natural order.
// Spellings that differ only in white space are one.
class Spellings
{
public:
    void add(const QString& text)
    {
        if (text.isEmpty())
            return;
        Seen& seen = m_seen[spellingOf(text)];
        if (seen.count++ == 0)
            seen.text = text;
    }

    QString mostUsed() const { return mostUsedOf(counts()); }

    // One spelling per folded form, in natural order.
    QStringList distinct() const
    {
        QHash<QString, QHash<QString, int>> byKey;
        const QHash<QString, int> all = counts();
        for (auto it = all.cbegin(); it != all.cend(); ++it)
            byKey[fold(it.key())][it.key()] += it.value();
        QStringList names;
        for (const QHash<QString, int>& spellings : std::as_const(byKey))
            names.append(mostUsedOf(spellings));
        naturalSort(names);
        return names;
    }

private:
    struct Seen
    {
        QString text;
        int count = 0;
    };

    // The counts by spelling, white space tidied.
    QHash<QString, int> counts() const
    {
        QHash<QString, int> result;
        for (const Seen& seen : m_seen)
            result[collapseWhitespace(seen.text)] += seen.count;
        return result;
    }

    static QString mostUsedOf(const QHash<QString, int>& counts)
    {
        QString best;
        int bestCount = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > bestCount ||
                (it.value() == bestCount && naturalLess(it.key(), best))) {
                best = it.key();
                bestCount = it.value();
            }
        }
        return best;
    }

    QHash<Spelling, Seen> m_seen;
};

using Record = StudioHours::Record;
using Total = StudioHours::Total;

// A period's bounds in milliseconds: comparing instants as QDateTimes works
// out both sides' offsets every time, which over every session of a studio
// is most of the time a filter takes.
class Span
{
public:
    explicit Span(const TimesheetPeriod& period)
        : m_from(period.start().toMSecsSinceEpoch())
        , m_to(period.nextStart().toMSecsSinceEpoch())
    {}

    bool contains(const QDateTime& instant) const
    {
        const qint64 at = instant.toMSecsSinceEpoch();
        return instant.isValid() && m_from <= at && at < m_to;
    }

private:
    qint64 m_from;
    qint64 m_to;
};

// A record's key, worked out once per spelling of what it is made from
// (`spelled` gives a hashable value naming those spellings).
template <typename Spelled, typename KeyOf> class Keys
{
public:
    Keys(Spelled spelled, KeyOf keyOf)
        : m_spelled(std::move(spelled))
        , m_keyOf(std::move(keyOf))
    {}

    const QString& of(const Record& record)
    {
        const auto spelled = m_spelled(record);
        auto found = m_known.constFind(spelled);
        if (found == m_known.cend())
            found = m_known.insert(spelled, m_keyOf(record));
        return *found;
    }

private:
    Spelled m_spelled;
    KeyOf m_keyOf;
    QHash<std::invoke_result_t<Spelled&, const Record&>, QString> m_known;
};

template <typename Spelled, typename KeyOf> Keys<Spelled, KeyOf> keys(Spelled spelled, KeyOf keyOf)
{
    return Keys<Spelled, KeyOf>(std::move(spelled), std::move(keyOf));
}

// A project's key by the spellings of its number and name.
auto projectKeys()
{
    return keys(
        [](const Record& record) {
            static const char internal = 0;
            return record.isInternal ? std::pair<Spelling, Spelling>(&internal, &internal)
                                     : std::pair(spellingOf(record.projectNumber),
                                                 spellingOf(record.projectName));
        },
        [](const Record& record) { return record.projectKey(); });
}

// Texts numbered in order of first appearance. A text is found by its data
// first: the keys here are made once per spelling, so nearly every lookup is
// a pointer's, and a text's characters are hashed only when a spelling first
// comes by.
class TextIndex
{
public:
    // The number of `text`, and whether it was new.
    std::pair<qsizetype, bool> insert(const QString& text)
    {
        if (const auto known = m_byData.constFind(text.constData()); known != m_byData.cend())
            return {*known, false};
        auto found = m_byText.constFind(text);
        const bool added = found == m_byText.cend();
        if (added)
            found = m_byText.insert(text, m_byText.size());
        m_byData.insert(text.constData(), *found);
        return {*found, added};
    }
    qsizetype size() const { return m_byText.size(); }

private:
    QHash<QString, qsizetype> m_byText;
    QHash<const void*, qsizetype> m_byData;
};

// Groups the records by their key (in order of first appearance) and makes
// one total of each group: `add(state, record)` notes what the group's title
// needs as each record goes by, in one pass in the records' own order (a
// second pass, group by group, would reach every record again at random),
// and `describe(total, state)` titles it. Largest first, ties by title in
// natural order, then by key.
template <typename State, typename Keyed, typename Add, typename Describe>
QList<Total> totals(const StudioHours::Rows& rows, Keyed keyed, Add add, Describe describe)
{
    TextIndex groups;
    QList<Total> result;
    QList<State> states;
    for (const Record* row : rows) {
        const Record& record = *row;
        const QString& key = keyed.of(record);
        const auto [index, added] = groups.insert(key);
        if (added) {
            result.append(Total{key, {}, {}, 0, 0});
            states.append(State());
        }
        Total& total = result[index];
        total.seconds += record.seconds;
        ++total.count;
        add(states[index], record);
    }
    for (qsizetype i = 0; i < result.size(); ++i)
        describe(result[i], states.at(i));
    std::sort(result.begin(), result.end(), [](const Total& a, const Total& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        const int byTitle = naturalCompare(a.title, b.title);
        return byTitle != 0 ? byTitle < 0 : a.id < b.id;
    });
    return result;
}

// What a group needs nothing of beyond its total.
struct Nothing
{
};

} // namespace

QString StudioHours::Record::projectKey() const
{
    if (isInternal)
        return bullet + QStringLiteral("internal");
    if (!projectNumber.isEmpty())
        return Project::normalizedNumber(projectNumber);
    return bullet + projectName;
}

QString StudioHours::Record::clientKey() const
{
    return fold(clientName);
}

QString StudioHours::Record::taskKey() const
{
    const QString key = fold(task);
    return key.isEmpty() ? bullet + QStringLiteral("no-task") : key;
}

StudioHours::ReadError StudioHours::ReadError::noFolderChosen()
{
    return ReadError(Texts::tr("No studio folder chosen yet. Set one in Settings, Studio."));
}

StudioHours::ReadError StudioHours::ReadError::unreachable(const QString& path)
{
    return ReadError(Texts::tr("Cannot reach %1. Is the NAS mounted?").arg(path));
}

double StudioHours::Snapshot::totalSeconds() const
{
    double sum = 0;
    for (const Record& record : records)
        sum += record.seconds;
    return sum;
}

QList<StudioHours::Record> StudioHours::Snapshot::recordsIn(const TimesheetPeriod& period) const
{
    return recordsOf(rowsIn(period));
}

QList<StudioHours::Record> StudioHours::Snapshot::recordsIn(const TimesheetPeriod& period,
                                                            QStringView query) const
{
    return recordsOf(rowsIn(period, query));
}

StudioHours::Rows StudioHours::Snapshot::rowsIn(const TimesheetPeriod& period,
                                                QStringView query) const
{
    // The query is folded once here rather than once per record.
    const QString folded = fold(query);
    // Names, numbers and tasks repeat from session to session: each spelling
    // is searched once. Notes rarely repeat, and are searched each time.
    QHash<Spelling, bool> searched;
    const auto matches = [&searched, &folded](const QString& field) {
        if (field.isEmpty())
            return false;
        const Spelling spelling = spellingOf(field);
        auto known = searched.constFind(spelling);
        if (known == searched.cend())
            known = searched.insert(spelling, foldedContains(field, folded));
        return *known;
    };
    const Span span(period);
    Rows chosen;
    chosen.reserve(records.size());
    for (const Record& record : records) {
        if (!span.contains(record.day))
            continue;
        if (folded.isEmpty()) {
            chosen.append(&record);
            continue;
        }
        bool found = false;
        for (const QString* field : {&record.person, &record.clientName, &record.projectName,
                                     &record.projectNumber, &record.task}) {
            if (matches(*field)) {
                found = true;
                break;
            }
        }
        if (found || (!record.note.isEmpty() && foldedContains(record.note, folded)))
            chosen.append(&record);
    }
    chosen.squeeze();
    return chosen;
}

StudioHours::Rows StudioHours::rowsOf(const QList<Record>& records)
{
    Rows rows;
    rows.reserve(records.size());
    for (const Record& record : records)
        rows.append(&record);
    return rows;
}

QList<StudioHours::Record> StudioHours::recordsOf(const Rows& rows)
{
    QList<Record> records;
    records.reserve(rows.size());
    for (const Record* row : rows)
        records.append(*row);
    return records;
}

QList<StudioHours::Total> StudioHours::Snapshot::byPerson(const TimesheetPeriod& period) const
{
    return byPerson(rowsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byPerson(const QList<Record>& records)
{
    return byPerson(rowsOf(records));
}

QList<StudioHours::Total> StudioHours::Snapshot::byClient(const TimesheetPeriod& period) const
{
    return byClient(rowsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byClient(const QList<Record>& records)
{
    return byClient(rowsOf(records));
}

QList<StudioHours::Total> StudioHours::Snapshot::byProject(const TimesheetPeriod& period) const
{
    return byProject(rowsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byProject(const QList<Record>& records)
{
    return byProject(rowsOf(records));
}

QList<StudioHours::Total> StudioHours::Snapshot::byTask(const TimesheetPeriod& period) const
{
    return byTask(rowsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byTask(const QList<Record>& records)
{
    return byTask(rowsOf(records));
}

// Title: the person. Subtitle: "N sessions".
QList<StudioHours::Total> StudioHours::Snapshot::byPerson(const Rows& rows)
{
    return totals<Nothing>(
        rows,
        keys([](const Record& record) { return spellingOf(record.person); },
             [](const Record& record) { return record.person; }),
        [](Nothing&, const Record&) {},
        [](Total& total, const Nothing&) {
            total.title = total.id;
            total.subtitle = Texts::tr("%n sessions", nullptr, total.count);
        });
}

// Title: the client as most often written, or "No client". Subtitle: "N projects".
QList<StudioHours::Total> StudioHours::Snapshot::byClient(const Rows& rows)
{
    struct Client
    {
        Spellings spellings;
        TextIndex projects;
    };
    auto projectKey = projectKeys();
    return totals<Client>(
        rows,
        keys([](const Record& record) { return spellingOf(record.clientName); },
             [](const Record& record) { return record.clientKey(); }),
        [&projectKey](Client& client, const Record& record) {
            client.spellings.add(record.clientName);
            client.projects.insert(projectKey.of(record));
        },
        [](Total& total, const Client& client) {
            total.title = total.id.isEmpty() ? Texts::tr("No client") : client.spellings.mostUsed();
            total.subtitle = Texts::tr("%n projects", nullptr, int(client.projects.size()));
        });
}

// Title: the number; "Internal" for internal work; the name for a project
// without a number. Subtitle: client · name; for internal work the
// descriptions it was booked under.
QList<StudioHours::Total> StudioHours::Snapshot::byProject(const Rows& rows)
{
    struct Work
    {
        Spellings names;
        Spellings clients;
        bool seen = false;
        // Alike for every record of the group, which its key is made of.
        bool isInternal = false;
        QString number;
    };
    return totals<Work>(
        rows, projectKeys(),
        [](Work& work, const Record& record) {
            if (!work.seen) {
                work.seen = true;
                work.isInternal = record.isInternal;
                work.number = record.projectNumber;
            }
            work.names.add(record.projectName);
            work.clients.add(record.clientName);
        },
        [](Total& total, const Work& work) {
            if (work.isInternal) {
                total.title = Texts::tr("Internal");
                total.subtitle = work.names.distinct().join(QStringLiteral(", "));
                return;
            }
            const QString name = work.names.mostUsed();
            const QString client = work.clients.mostUsed();
            if (work.number.isEmpty()) {
                total.title = name;
                total.subtitle = client;
                return;
            }
            total.title = work.number;
            QStringList parts{client, name};
            parts.removeAll(QString());
            total.subtitle = parts.join(QStringLiteral(" \u00B7 "));
        });
}

// Title: the task as most often written, or "No task". Subtitle: "N sessions".
QList<StudioHours::Total> StudioHours::Snapshot::byTask(const Rows& rows)
{
    return totals<Spellings>(
        rows,
        keys([](const Record& record) { return spellingOf(record.task); },
             [](const Record& record) { return record.taskKey(); }),
        [](Spellings& spellings, const Record& record) { spellings.add(record.task); },
        [](Total& total, const Spellings& spellings) {
            const QString title = spellings.mostUsed();
            total.title = title.isEmpty() ? Texts::tr("No task") : title;
            total.subtitle = Texts::tr("%n sessions", nullptr, total.count);
        });
}

QList<StudioHours::Bucket> StudioHours::Snapshot::byDay(const TimesheetPeriod& period) const
{
    return buckets(period, rowsIn(period));
}

QList<StudioHours::Bucket> StudioHours::Snapshot::buckets(const TimesheetPeriod& period,
                                                          const QList<Record>& chosen) const
{
    return buckets(period, rowsOf(chosen));
}

// Steps are local days (months for a year) in the period's own calendar, so
// the first bucket starts exactly at the period's start and DST days are
// whole days. Records outside the period are not counted.
QList<StudioHours::Bucket> StudioHours::Snapshot::buckets(const TimesheetPeriod& period,
                                                          const Rows& chosen) const
{
    const Calendar& steps = period.calendar();
    const QDate first = steps.day(period.start());
    const bool byMonth = period.kind() == TimesheetPeriod::Kind::year;
    QList<Bucket> result;
    for (int i = 0;; ++i) {
        const QDateTime start = steps.startOfDay(byMonth ? first.addMonths(i) : first.addDays(i));
        if (start >= period.nextStart())
            break;
        result.append(Bucket{start, 0});
    }
    // Compared in milliseconds: a period of a year holds every session.
    std::vector<qint64> starts;
    starts.reserve(size_t(result.size()));
    for (const Bucket& bucket : std::as_const(result))
        starts.push_back(bucket.start.toMSecsSinceEpoch());
    const Span span(period);
    for (const Record* row : chosen) {
        if (!span.contains(row->day))
            continue;
        const auto after =
            std::upper_bound(starts.cbegin(), starts.cend(), row->day.toMSecsSinceEpoch());
        if (after != starts.cbegin())
            result[std::prev(after) - starts.cbegin()].seconds += row->seconds;
    }
    return result;
}

QStringList StudioHours::Snapshot::peopleWithNothing(const TimesheetPeriod& period) const
{
    const Span span(period);
    QSet<Spelling> seen;
    QSet<QString> busy;
    for (const Record& record : records) {
        if (span.contains(record.day) && !seen.contains(spellingOf(record.person))) {
            seen.insert(spellingOf(record.person));
            busy.insert(record.person);
        }
    }
    QStringList idle;
    for (const QString& person : people) {
        if (!busy.contains(person))
            idle.append(person);
    }
    return idle;
}

bool StudioHours::Snapshot::operator==(const Snapshot& other) const
{
    return records == other.records && people == other.people && unreadable == other.unreadable &&
           readAt == other.readAt;
}

QString StudioHours::csv(const QList<Record>& records, const Calendar& calendar)
{
    static const QStringList header =
        QStringLiteral("id,date,person,client,project_number,project_name,task,internal,hours,"
                       "duration_seconds,note,computer")
            .split(u',');
    // Everything but the date, the internal flag and the durations came from
    // the timesheets, and so from other people: text.
    using enum CSVWriter::Field;
    static const QList<CSVWriter::Field> fields{
        text,      // id
        formatted, // date
        text,      // person
        text,      // client
        text,      // project_number
        text,      // project_name
        text,      // task
        formatted, // internal
        formatted, // hours
        formatted, // duration_seconds
        text,      // note
        text,      // computer
    };
    CSVWriter writer(header, fields);
    writer.reserveLines(records.size());
    for (const Record& record : records) {
        writer.addLine({
            record.id,
            calendar.day(record.day).toString(QStringLiteral("yyyy-MM-dd")),
            record.person,
            record.clientName,
            record.projectNumber,
            record.projectName,
            record.task,
            record.isInternal ? QStringLiteral("yes") : QStringLiteral("no"),
            QString::number(record.hours(), 'f', 2),
            QString::number(record.seconds, 'f', QLocale::FloatingPointShortest),
            record.note,
            record.computer,
        });
    }
    return writer.text();
}

QString StudioHours::fileName(const TimesheetPeriod& period)
{
    return QStringLiteral("zol-") + period.id() + QStringLiteral("-studio.csv");
}

} // namespace zol
