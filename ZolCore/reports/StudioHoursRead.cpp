// Reading everyone's timesheets off the studio folder.

#include "reports/StudioHours.h"

#include "reports/CSVReader.h"
#include "reports/EntryExporter.h"
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

// A timesheet holds a period's sessions: a few hundred kilobytes at most.
// Anything this big was not written by Zol and is not read.
constexpr qint64 maximumTimesheetSize = 64 * 1024 * 1024;
// Zol writes <person>/<year>/<weeks|months>; deeper nesting is somebody's
// own filing and is walked up to this depth, and no further.
constexpr int maximumDepth = 16;
// A file whose modification time is not reported counts as older than any.
constexpr qint64 distantPast = std::numeric_limits<qint64>::min();

const QString bullet = QStringLiteral("\u2022");

bool isTimesheetName(const QString& name)
{
    return name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) &&
           !FileSystem::isLeftover(name);
}

// "yyyy-MM-dd" exactly, as the timesheets write it.
QDate parseDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return {};
    const auto number = [text](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

// A finite, non-negative decimal number, blanks around it allowed; none for
// anything else. (QString::toDouble goes through the locale machinery, which
// is most of the cost of a row.)
std::optional<double> parseSeconds(QStringView text)
{
    text = text.trimmed();
    char digits[64];
    if (text.isEmpty() || text.size() > qsizetype(sizeof digits))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c > 0x7f)
            return std::nullopt;
        digits[i] = char(c);
    }
    double value = 0;
    const char* end = digits + text.size();
    const auto [stop, error] = std::from_chars(digits, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

using Record = StudioHours::Record;

struct Sheet
{
    QString path;
    QString name;
    QString person;
    // The person's place in the order people were found.
    int personIndex = 0;
    qint64 modified = distantPast;
};

// Reading state for one pass over the studio folder.
class Reader
{
public:
    Reader(FileSystem& fileSystem, const Calendar& calendar)
        : m_fileSystem(fileSystem)
        , m_calendar(calendar)
    {}

    // Every person folder of `hours`, in name order. A "hours" that cannot be
    // listed throws FileSystemError.
    void readPeople(const QString& hours)
    {
        QList<FileSystem::Entry> entries = m_fileSystem.list(hours);
        sortByName(entries);
        for (const FileSystem::Entry& entry : std::as_const(entries)) {
            if (!entry.isFolder || entry.isLink || !entry.hasExactName ||
                FileSystem::isLeftover(entry.name))
                continue;
            const QString folder = hours + u'/' + entry.name;
            const QString person = personOf(folder, entry.name);
            qsizetype index = m_people.indexOf(person);
            if (index < 0) {
                index = m_people.size();
                m_people.append(person);
            }
            findSheets(folder, person, int(index), 0);
        }
        // Growing the index of ids is a good part of a big read. A timesheet
        // row takes about 200 bytes and every session is handed in twice
        // (its week and its month), so this is about the number of sessions;
        // an underestimate only means the index grows as usual.
        m_indexById.reserve(qsizetype(std::min<qint64>(m_sheetBytes / 400, 1 << 20)));
        for (const Sheet& sheet : std::as_const(m_sheets))
            readSheet(sheet);
    }

    // Records by day, then person in natural order, then id.
    StudioHours::Snapshot snapshot(const QDateTime& readAt)
    {
        QStringList people = m_people;
        naturalSort(people);
        std::vector<int> rank(size_t(m_people.size()));
        for (qsizetype i = 0; i < m_people.size(); ++i)
            rank[size_t(i)] = int(people.indexOf(m_people.at(i)));
        // Sorting small keys rather than the records themselves.
        struct Key
        {
            qint64 day;
            int person;
            qsizetype index;
        };
        std::vector<Key> keys;
        keys.reserve(size_t(m_records.size()));
        for (qsizetype i = 0; i < m_records.size(); ++i) {
            const Found& found = m_records.at(i);
            keys.push_back(Key{found.day, rank[size_t(found.personIndex)], i});
        }
        std::sort(keys.begin(), keys.end(), [this](const Key& a, const Key& b) {
            if (a.day != b.day)
                return a.day < b.day;
            if (a.person != b.person)
                return a.person < b.person;
            return m_records.at(a.index).record.id < m_records.at(b.index).record.id;
        });
        StudioHours::Snapshot snapshot;
        snapshot.records.reserve(m_records.size());
        for (const Key& key : keys)
            snapshot.records.append(std::move(m_records[key.index].record));
        snapshot.people = people;
        snapshot.unreadable = m_unreadable;
        snapshot.readAt = readAt;
        snapshot.calendar = m_calendar;
        return snapshot;
    }

private:
    struct Found
    {
        Record record;
        qint64 day = 0;
        int personIndex = 0;
        qint64 modified = distantPast;
    };

    static void sortByName(QList<FileSystem::Entry>& entries)
    {
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.name < b.name; });
    }

    // The name in the folder's marker, else the folder's name read as words.
    QString personOf(const QString& folder, const QString& folderName) const
    {
        // No marker, or none that can be read: the folder's name stands in.
        if (const auto marker = TimesheetFolder::readMarker(m_fileSystem, folder)) {
            const QString name = marker->name.trimmed();
            if (!name.isEmpty())
                return name;
        }
        QString name = folderName;
        return name.replace(u'-', u' ');
    }

    // Collects the timesheets under `folder` in name order, without following
    // links. A folder that cannot be listed hides whatever it holds, so it is
    // reported with the unreadable timesheets.
    void findSheets(const QString& folder, const QString& person, int personIndex, int depth)
    {
        QList<FileSystem::Entry> entries;
        try {
            entries = m_fileSystem.list(folder);
        } catch (const FileSystemError&) {
            m_unreadable.append(folder.section(u'/', -1));
            return;
        }
        sortByName(entries);
        for (const FileSystem::Entry& entry : std::as_const(entries)) {
            if (entry.isLink || !entry.hasExactName)
                continue;
            const QString path = folder + u'/' + entry.name;
            if (entry.isFolder) {
                if (depth < maximumDepth && !FileSystem::isLeftover(entry.name))
                    findSheets(path, person, personIndex, depth + 1);
            } else if (isTimesheetName(entry.name)) {
                const qint64 modified =
                    entry.modified ? entry.modified->toMSecsSinceEpoch() : distantPast;
                m_sheets.append(Sheet{path, entry.name, person, personIndex, modified});
                m_sheetBytes += std::max<qint64>(entry.size, 0);
            }
        }
    }

    void readSheet(const Sheet& sheet)
    {
        QString text;
        try {
            const QByteArray bytes = m_fileSystem.read(sheet.path, maximumTimesheetSize);
            QStringDecoder decoder(QStringDecoder::Utf8);
            text = decoder(bytes);
            if (decoder.hasError()) {
                m_unreadable.append(sheet.name);
                return;
            }
        } catch (const FileSystemError&) {
            m_unreadable.append(sheet.name);
            return;
        }

        const CSVReader::Table table = CSVReader::parse(text);
        // Columns are looked up once per file; a missing one reads as empty.
        const auto column = [&table](const QString& name) { return table.columns.indexOf(name); };
        const qsizetype id = column(QStringLiteral("id"));
        const qsizetype date = column(QStringLiteral("date"));
        const qsizetype durationSeconds = column(QStringLiteral("duration_seconds"));
        const qsizetype hours = column(QStringLiteral("hours"));
        const qsizetype projectNumber = column(QStringLiteral("project_number"));
        const qsizetype client = column(QStringLiteral("client"));
        const qsizetype projectName = column(QStringLiteral("project_name"));
        const qsizetype internal = column(QStringLiteral("internal"));
        const qsizetype note = column(QStringLiteral("note"));
        const qsizetype computer = column(QStringLiteral("computer"));
        const qsizetype task = column(QStringLiteral("task"));
        if (id < 0)
            return;

        for (const QStringList& row : table.rows) {
            const auto field = [&row](qsizetype index) {
                return index >= 0 && index < row.size() ? row.at(index) : QString();
            };
            // The timesheet writer makes its text columns spreadsheet-safe, and
            // only those; the prefix is taken off here, per text column, rather
            // than by the CSV reader for every field: the reader stays a plain
            // reader of CSV, and dates, durations and ids are read exactly as
            // written. A note a person typed as '=x was written ''=x, so it
            // comes back as typed.
            const auto typed = [&field](qsizetype index) {
                return EntryExporter::fromSpreadsheetSafe(field(index));
            };
            Record record;
            record.id = field(id);
            // No id: the TOTAL line, or a row nobody can count once.
            if (record.id.trimmed().isEmpty())
                continue;
            // A row whose day cannot be read belongs to no period and would
            // only ever show up in the grand total; it is left out.
            const std::optional<QDateTime> day = dayOf(field(date));
            if (!day)
                continue;
            record.day = *day;
            record.person = sheet.person;
            const std::optional<double> seconds = parseSeconds(field(durationSeconds));
            if (seconds) {
                record.seconds = *seconds;
            } else {
                const std::optional<double> inHours = parseSeconds(field(hours));
                record.seconds = inHours ? *inHours * 3600 : 0;
            }
            record.projectNumber = shared(typed(projectNumber));
            record.clientName = shared(typed(client));
            record.projectName = shared(typed(projectName));
            record.isInternal = field(internal) == QStringLiteral("yes");
            record.note = typed(note);
            record.computer = shared(typed(computer));
            record.task = shared(typed(task));
            keep(std::move(record), sheet);
        }
    }

    // The newer file's copy of a session wins; of two equally new copies the
    // one read first stays.
    void keep(Record&& record, const Sheet& sheet)
    {
        Found found{std::move(record), 0, sheet.personIndex, sheet.modified};
        found.day = found.record.day.toMSecsSinceEpoch();
        const qsizetype known = m_indexById.value(found.record.id, -1);
        if (known < 0) {
            m_indexById.insert(found.record.id, m_records.size());
            m_records.append(std::move(found));
        } else if (sheet.modified > m_records.at(known).modified) {
            m_records[known] = std::move(found);
        }
    }

    // One copy of each text that many sessions repeat (a client, a number,
    // a task): the snapshot takes less memory, copying its records touches
    // one string where it touched thousands, and the totals can remember
    // what they worked out for a text by its data.
    QString shared(const QString& text)
    {
        if (text.isEmpty())
            return text;
        const auto known = m_texts.constFind(text);
        if (known != m_texts.cend())
            return *known;
        m_texts.insert(text);
        return text;
    }

    // The start of the day in the calendar; a time-zone conversion, so done
    // once per distinct date of the pass.
    std::optional<QDateTime> dayOf(const QString& text)
    {
        // Rows come in order of time: most have the date of the row before.
        if (text == m_lastDate)
            return m_lastDay;
        if (m_days.contains(text)) {
            m_lastDay = m_days.value(text);
        } else {
            const QDate date = parseDate(text);
            m_lastDay = date.isValid() ? std::optional(m_calendar.startOfDay(date)) : std::nullopt;
            m_days.insert(text, m_lastDay);
        }
        m_lastDate = text;
        return m_lastDay;
    }

    FileSystem& m_fileSystem;
    const Calendar& m_calendar;
    QStringList m_people;
    QStringList m_unreadable;
    QList<Sheet> m_sheets;
    qint64 m_sheetBytes = 0;
    QList<Found> m_records;
    QHash<QString, qsizetype> m_indexById;
    QHash<QString, std::optional<QDateTime>> m_days;
    QSet<QString> m_texts;
    QString m_lastDate;
    std::optional<QDateTime> m_lastDay;
};

} // namespace

StudioHours::Snapshot StudioHours::read(const std::optional<QString>& share, FileSystem& unconfined,
                                        const Clock& clock, const Calendar& calendar)
{
    if (!share || share->trimmed().isEmpty())
        throw ReadError::noFolderChosen();
    const std::shared_ptr<FileSystem> confined = unconfined.confinedTo(*share);
    FileSystem& fileSystem = *confined;
    if (!fileSystem.isFolder(*share))
        throw ReadError::unreachable(*share);

    Reader reader(fileSystem, calendar);
    const QString hours = Timesheet::root(*share);
    try {
        reader.readPeople(hours);
    } catch (const FileSystemError&) {
        // No "hours" yet is an empty studio; "hours" that cannot be listed
        // (a link on the way to it included), or a share that went away
        // meanwhile, gives no figures rather than a studio of nobody. (The
        // share is listed only here: its top level can hold thousands of the
        // studio's own folders.)
        const QString container = hours.left(hours.lastIndexOf(u'/'));
        if (fileSystem.exists(hours) || fileSystem.isLink(container))
            throw ReadError::unreachable(hours);
        try {
            fileSystem.list(*share);
        } catch (const FileSystemError&) {
            throw ReadError::unreachable(*share);
        }
    }
    return reader.snapshot(clock.now());
}

// Dates in the calendar's time zone; duration_seconds as read, hours to two

} // namespace zol
