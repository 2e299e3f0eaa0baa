#include "reports/StudioHours.h"

#include "reports/CSVReader.h"
#include "reports/CSVWriter.h"
#include "share/Timesheet.h"
#include "share/TimesheetFolder.h"
#include "support/Folding.h"
#include "support/NaturalOrder.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zol {

namespace {

const QString bullet = QStringLiteral("\u2022");

QString counted(qsizetype n, const QString& one, const QString& many)
{
    return QString::number(n) + u' ' + (n == 1 ? one : many);
}

// The spellings of one thing (a client, a project name, a task) across many
// records: the one used most, ties going to the first in natural order.
class Spellings
{
public:
    void add(const QString& text)
    {
        if (!text.isEmpty())
            ++m_counts[collapseWhitespace(text)];
    }

    QString mostUsed() const
    {
        QString best;
        int bestCount = 0;
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it) {
            if (it.value() > bestCount ||
                (it.value() == bestCount && naturalLess(it.key(), best))) {
                best = it.key();
                bestCount = it.value();
            }
        }
        return best;
    }

    // One spelling per folded form, in natural order.
    QStringList distinct() const
    {
        QHash<QString, Spellings> byKey;
        for (auto it = m_counts.cbegin(); it != m_counts.cend(); ++it)
            byKey[fold(it.key())].m_counts[it.key()] += it.value();
        QStringList names;
        for (const Spellings& spellings : std::as_const(byKey))
            names.append(spellings.mostUsed());
        naturalSort(names);
        return names;
    }

private:
    QHash<QString, int> m_counts;
};

using Record = StudioHours::Record;
using Total = StudioHours::Total;

// Groups the records by `keyOf` (in order of first appearance) and makes one
// total of each group, titled by `describe(total, group)`; largest first, ties
// by title in natural order, then by key.
template <typename KeyOf, typename Describe>
QList<Total> totals(const QList<Record>& records, KeyOf keyOf, Describe describe)
{
    QHash<QString, qsizetype> indexOf;
    QList<Total> result;
    QList<QList<const Record*>> groups;
    for (const Record& record : records) {
        const QString key = keyOf(record);
        qsizetype index = indexOf.value(key, -1);
        if (index < 0) {
            index = result.size();
            indexOf.insert(key, index);
            result.append(Total{key, {}, {}, 0, 0});
            groups.append(QList<const Record*>());
        }
        Total& total = result[index];
        total.seconds += record.seconds;
        ++total.count;
        groups[index].append(&record);
    }
    for (qsizetype i = 0; i < result.size(); ++i)
        describe(result[i], groups.at(i));
    std::sort(result.begin(), result.end(), [](const Total& a, const Total& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        const int byTitle = naturalCompare(a.title, b.title);
        return byTitle != 0 ? byTitle < 0 : a.id < b.id;
    });
    return result;
}

// What one timesheet file contributes, before sessions are counted once.

} // namespace

QString StudioHours::Record::projectKey() const
{
    if (isInternal)
        return bullet + QStringLiteral("internal");
    if (!projectNumber.isEmpty())
        return projectNumber;
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
    return ReadError(QStringLiteral("No studio folder chosen yet. Set one in Settings, Studio."));
}

StudioHours::ReadError StudioHours::ReadError::unreachable(const QString& path)
{
    return ReadError(QStringLiteral("Cannot reach ") + path +
                     QStringLiteral(". Is the NAS mounted?"));
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
    QList<Record> chosen;
    for (const Record& record : records) {
        if (period.contains(record.day))
            chosen.append(record);
    }
    return chosen;
}

QList<StudioHours::Record> StudioHours::Snapshot::recordsIn(const TimesheetPeriod& period,
                                                            QStringView query) const
{
    // The query is folded once here rather than once per record.
    const QString folded = fold(query);
    if (folded.isEmpty())
        return recordsIn(period);
    QList<Record> chosen;
    for (const Record& record : records) {
        if (!period.contains(record.day))
            continue;
        for (const QString* field : {&record.person, &record.clientName, &record.projectName,
                                     &record.projectNumber, &record.task, &record.note}) {
            if (!field->isEmpty() && foldedContains(*field, folded)) {
                chosen.append(record);
                break;
            }
        }
    }
    return chosen;
}

QList<StudioHours::Total> StudioHours::Snapshot::byPerson(const TimesheetPeriod& period) const
{
    return byPerson(recordsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byClient(const TimesheetPeriod& period) const
{
    return byClient(recordsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byProject(const TimesheetPeriod& period) const
{
    return byProject(recordsIn(period));
}

QList<StudioHours::Total> StudioHours::Snapshot::byTask(const TimesheetPeriod& period) const
{
    return byTask(recordsIn(period));
}

// Title: the person. Subtitle: "N sessions".
QList<StudioHours::Total> StudioHours::Snapshot::byPerson(const QList<Record>& records)
{
    return totals(
        records, [](const Record& record) { return record.person; },
        [](Total& total, const QList<const Record*>&) {
            total.title = total.id;
            total.subtitle =
                counted(total.count, QStringLiteral("session"), QStringLiteral("sessions"));
        });
}

// Title: the client as most often written, or "No client". Subtitle: "N projects".
QList<StudioHours::Total> StudioHours::Snapshot::byClient(const QList<Record>& records)
{
    // Most sessions share a handful of spellings: fold each once.
    QHash<QString, QString> keys;
    const auto keyOf = [&keys](const Record& record) {
        auto found = keys.constFind(record.clientName);
        if (found == keys.cend())
            found = keys.insert(record.clientName, record.clientKey());
        return *found;
    };
    return totals(records, keyOf, [](Total& total, const QList<const Record*>& group) {
        Spellings spellings;
        QSet<QString> projects;
        for (const Record* record : group) {
            spellings.add(record->clientName);
            projects.insert(record->projectKey());
        }
        total.title = total.id.isEmpty() ? QStringLiteral("No client") : spellings.mostUsed();
        total.subtitle =
            counted(projects.size(), QStringLiteral("project"), QStringLiteral("projects"));
    });
}

// Title: the number; "Internal" for internal work; the name for a project
// without a number. Subtitle: client · name; for internal work the
// descriptions it was booked under.
QList<StudioHours::Total> StudioHours::Snapshot::byProject(const QList<Record>& records)
{
    return totals(
        records, [](const Record& record) { return record.projectKey(); },
        [](Total& total, const QList<const Record*>& group) {
            Spellings names;
            Spellings clients;
            for (const Record* record : group) {
                names.add(record->projectName);
                clients.add(record->clientName);
            }
            const Record& first = *group.constFirst();
            if (first.isInternal) {
                total.title = QStringLiteral("Internal");
                total.subtitle = names.distinct().join(QStringLiteral(", "));
                return;
            }
            const QString name = names.mostUsed();
            const QString client = clients.mostUsed();
            if (first.projectNumber.isEmpty()) {
                total.title = name;
                total.subtitle = client;
                return;
            }
            total.title = first.projectNumber;
            QStringList parts{client, name};
            parts.removeAll(QString());
            total.subtitle = parts.join(QStringLiteral(" \u00B7 "));
        });
}

// Title: the task as most often written, or "No task". Subtitle: "N sessions".
QList<StudioHours::Total> StudioHours::Snapshot::byTask(const QList<Record>& records)
{
    return totals(
        records, [](const Record& record) { return record.taskKey(); },
        [](Total& total, const QList<const Record*>& group) {
            Spellings spellings;
            for (const Record* record : group)
                spellings.add(record->task);
            const QString title = spellings.mostUsed();
            total.title = title.isEmpty() ? QStringLiteral("No task") : title;
            total.subtitle =
                counted(total.count, QStringLiteral("session"), QStringLiteral("sessions"));
        });
}

QList<StudioHours::Bucket> StudioHours::Snapshot::byDay(const TimesheetPeriod& period) const
{
    return buckets(period, recordsIn(period));
}

// Steps are local days (months for a year) in the period's own calendar, so
// the first bucket starts exactly at the period's start and DST days are
// whole days. Records outside the period are not counted.
QList<StudioHours::Bucket> StudioHours::Snapshot::buckets(const TimesheetPeriod& period,
                                                          const QList<Record>& chosen) const
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
    for (const Record& record : chosen) {
        if (!period.contains(record.day))
            continue;
        const auto after = std::upper_bound(
            result.begin(), result.end(), record.day,
            [](const QDateTime& day, const Bucket& bucket) { return day < bucket.start; });
        if (after != result.begin())
            std::prev(after)->seconds += record.seconds;
    }
    return result;
}

QStringList StudioHours::Snapshot::peopleWithNothing(const TimesheetPeriod& period) const
{
    QSet<QString> busy;
    for (const Record& record : records) {
        if (period.contains(record.day))
            busy.insert(record.person);
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
