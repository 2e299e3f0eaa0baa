// Reading everyone's timesheets off the studio folder.

#include "reports/StudioHours.h"

#include "formats/CSVReader.h"
#include "formats/EntryExporter.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "support/Folding.h"
#include "support/NaturalOrder.h"
#include "support/OrderedParallel.h"
#include "support/PlainText.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>
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

struct Found
{
    Record record;
    qint64 day = 0;
    int personIndex = 0;
    qint64 modified = distantPast;
};

// What one timesheet holds, before sessions counted in other files are
// weeded out.
struct SheetRecords
{
    const Sheet* sheet = nullptr;
    // Mutable: the merge, which is handed each file's records as a constant,
    // moves them rather than copying every string once more.
    mutable QList<Found> records;
    bool unreadable = false;
};

// Reads one timesheet into records. One per file, so that files can be read
// on several threads at once: nothing is shared but the file system and the
// calendar, which are only read.
class SheetReader
{
public:
    SheetReader(const FileSystem& fileSystem, const Calendar& calendar)
        : m_fileSystem(fileSystem)
        , m_calendar(calendar)
    {}

    SheetRecords read(const Sheet& sheet)
    {
        SheetRecords result{&sheet, {}, false};
        QString text;
        try {
            const QByteArray bytes = m_fileSystem.read(sheet.path, maximumTimesheetSize);
            QStringDecoder decoder(QStringDecoder::Utf8);
            text = decoder(bytes);
            if (decoder.hasError()) {
                result.unreadable = true;
                return result;
            }
        } catch (const FileSystemError&) {
            result.unreadable = true;
            return result;
        }

        // Columns are looked up in the header; a missing one reads as empty.
        Columns at;
        bool header = true;
        CSVReader::forEachRecord(text, [&](const QList<QStringView>& row) {
            if (header) {
                header = false;
                at = Columns(row);
                return;
            }
            if (at.id >= 0)
                readRow(row, at, sheet, result.records);
        });
        return result;
    }

private:
    // Where the columns a record is made of stand in a timesheet's header.
    struct Columns
    {
        Columns() = default;
        explicit Columns(const QList<QStringView>& header)
        {
            const auto column = [&header](QStringView name) { return header.indexOf(name); };
            id = column(u"id");
            date = column(u"date");
            durationSeconds = column(u"duration_seconds");
            hours = column(u"hours");
            projectNumber = column(u"project_number");
            client = column(u"client");
            projectName = column(u"project_name");
            internal = column(u"internal");
            note = column(u"note");
            computer = column(u"computer");
            task = column(u"task");
        }

        qsizetype id = -1;
        qsizetype date = -1;
        qsizetype durationSeconds = -1;
        qsizetype hours = -1;
        qsizetype projectNumber = -1;
        qsizetype client = -1;
        qsizetype projectName = -1;
        qsizetype internal = -1;
        qsizetype note = -1;
        qsizetype computer = -1;
        qsizetype task = -1;
    };

    void readRow(const QList<QStringView>& row, const Columns& at, const Sheet& sheet,
                 QList<Found>& found)
    {
        const auto field = [&row](qsizetype index) {
            return index >= 0 && index < row.size() ? row.at(index) : QStringView();
        };
        // No id: the TOTAL line, or a row nobody can count once.
        const QStringView id = field(at.id);
        if (id.trimmed().isEmpty())
            return;
        // A row whose day cannot be read belongs to no period and would
        // only ever show up in the grand total; it is left out.
        const std::optional<QDateTime> day = dayOf(field(at.date));
        if (!day)
            return;
        // The timesheet writer makes its text columns spreadsheet-safe, and
        // only those; the prefix is taken off here, per text column, rather
        // than by the CSV reader for every field: the reader stays a plain
        // reader of CSV, and dates, durations and ids are read exactly as
        // written. A note a person typed as '=x was written ''=x, so it
        // comes back as typed.
        const auto typed = [&](qsizetype index) {
            return text(index, field(index),
                        index == at.note ? PlainText::Kind::note : PlainText::Kind::line);
        };
        Record record;
        record.id = id.toString();
        record.day = *day;
        record.person = sheet.person;
        const std::optional<double> seconds = parseSeconds(field(at.durationSeconds));
        if (seconds) {
            record.seconds = *seconds;
        } else {
            const std::optional<double> inHours = parseSeconds(field(at.hours));
            record.seconds = inHours ? *inHours * 3600 : 0;
        }
        record.projectNumber = typed(at.projectNumber);
        record.clientName = typed(at.client);
        record.projectName = typed(at.projectName);
        record.isInternal = field(at.internal) == u"yes";
        record.note = typed(at.note);
        record.computer = typed(at.computer);
        record.task = typed(at.task);
        const qint64 dayStart = record.day.toMSecsSinceEpoch();
        found.append(Found{std::move(record), dayStart, sheet.personIndex, sheet.modified});
    }

    // A text column as typed. The project, client, computer and task mostly
    // repeat the row before: the same string is shared rather than made again.
    // A text column as the person typed it, less any control another
    // computer's file may carry: a note keeps its line breaks and tabs.
    QString text(qsizetype column, QStringView written, PlainText::Kind kind)
    {
        if (column < 0)
            return {};
        if (column >= m_lastText.size())
            m_lastText.resize(column + 1);
        LastText& last = m_lastText[column];
        if (last.written != written) {
            last.typed =
                PlainText::withoutControls(EntryExporter::fromSpreadsheetSafe(written), kind);
            last.written = last.typed == written ? last.typed : written.toString();
        }
        return last.typed;
    }

    // The start of the day in the calendar; a time-zone conversion, so done
    // once per distinct date of the file.
    std::optional<QDateTime> dayOf(QStringView text)
    {
        // Rows come in order of time: most have the date of the row before.
        if (text == m_lastDate)
            return m_lastDay;
        const QString written = text.toString();
        if (m_days.contains(written)) {
            m_lastDay = m_days.value(written);
        } else {
            const QDate date = parseDate(text);
            m_lastDay = date.isValid() ? std::optional(m_calendar.startOfDay(date)) : std::nullopt;
            m_days.insert(written, m_lastDay);
        }
        m_lastDate = written;
        return m_lastDay;
    }

    const FileSystem& m_fileSystem;
    const Calendar& m_calendar;
    QHash<QString, std::optional<QDateTime>> m_days;
    QString m_lastDate;
    std::optional<QDateTime> m_lastDay;
    struct LastText
    {
        QString written;
        QString typed;
    };
    QList<LastText> m_lastText;
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
        const qsizetype sessions = qsizetype(std::min<qint64>(m_sheetBytes / 400, 1 << 20));
        m_indexById.reserve(sessions);
        // Files are read and parsed on every core at once; their records are
        // merged one file at a time, in the order the files were found, so
        // the snapshot is the same whatever the threads' timing.
        FileSystem& fileSystem = m_fileSystem;
        const Calendar& calendar = m_calendar;
        orderedParallel(
            m_sheets.size(),
            [this, &fileSystem, &calendar](qsizetype i) {
                return SheetReader(fileSystem, calendar).read(m_sheets.at(i));
            },
            [this](const SheetRecords& read) { merge(read); });
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
            const QString name =
                PlainText::withoutControls(marker->name, PlainText::Kind::line).trimmed();
            if (!name.isEmpty())
                return name;
        }
        QString name = PlainText::withoutControls(folderName, PlainText::Kind::line);
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

    // The newer file's copy of a session wins; of two equally new copies the
    // one read first stays.
    void merge(const SheetRecords& read)
    {
        if (read.unreadable) {
            m_unreadable.append(read.sheet->name);
            return;
        }
        // Every text of this file was made before its merge, so while it runs
        // two live texts never have the same data; one of an earlier file
        // may have been freed since and its address reused.
        m_lastShared = {};
        for (Found& found : read.records) {
            shareTexts(found.record);
            const qsizetype known = m_indexById.value(found.record.id, -1);
            if (known < 0) {
                m_indexById.insert(found.record.id, m_records.size());
                m_records.append(std::move(found));
            } else if (found.modified > m_records.at(known).modified) {
                m_records[known] = std::move(found);
            }
        }
        read.records.clear();
    }

    // One copy of each text that many sessions repeat (a number, a client, a
    // name, a computer, a task) across every file: the snapshot takes less
    // memory, and the figures remember what they worked out for a text by its
    // data (see StudioHours' spellings). A file's reader already shares a
    // text with the row before, so a text is looked up only where it changes.
    void shareTexts(Record& record)
    {
        const std::array<QString*, sharedColumns> texts{&record.projectNumber, &record.clientName,
                                                        &record.projectName, &record.computer,
                                                        &record.task};
        for (size_t i = 0; i < sharedColumns; ++i) {
            QString& text = *texts[i];
            if (text.isEmpty())
                continue;
            LastShared& last = m_lastShared[i];
            if (text.constData() != last.read) {
                last.read = text.constData();
                last.kept = *m_texts.insert(text);
            }
            text = last.kept;
        }
    }

    static constexpr size_t sharedColumns = 5;
    struct LastShared
    {
        // The data of the text as a file's reader made it (compared, never
        // read: the string it belongs to lives in that record).
        const QChar* read = nullptr;
        QString kept;
    };

    FileSystem& m_fileSystem;
    const Calendar& m_calendar;
    QSet<QString> m_texts;
    std::array<LastShared, sharedColumns> m_lastShared;
    QStringList m_people;
    QStringList m_unreadable;
    QList<Sheet> m_sheets;
    qint64 m_sheetBytes = 0;
    QList<Found> m_records;
    QHash<QString, qsizetype> m_indexById;
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
