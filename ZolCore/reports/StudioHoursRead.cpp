// Reading everyone's timesheets off the studio folder.

#include "reports/StudioHours.h"

#include "formats/CSVReader.h"
#include "formats/EntryExporter.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "support/NaturalOrder.h"
#include "support/OrderedParallel.h"
#include "support/PlainText.h"
#include "support/QuickKey.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace zol {

namespace {

// A timesheet holds a period's sessions: a few hundred kilobytes at most.
// Anything this big was not written by Zol and is not read.
constexpr qint64 maximumTimesheetSize = 64 * 1024 * 1024;
// The most of a group's files a reader keeps while it reads the group.
constexpr qint64 heldBytesLimit = 32 * 1024 * 1024;
// Zol writes <person>/<year>/<weeks|months>; deeper nesting is somebody's
// own filing and is walked up to this depth, and no further.
constexpr int maximumDepth = 16;
// A file whose modification time is not reported counts as older than any.
constexpr qint64 distantPast = std::numeric_limits<qint64>::min();

const QByteArrayView byteOrderMark("\xef\xbb\xbf");

bool isTimesheetName(const QString& name)
{
    return name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) &&
           !FileSystem::isLeftover(name);
}

bool isAscii(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
}

// A field of a timesheet as text, exactly as the decoder of the whole file
// would have made it: QString::fromUtf8 would drop a byte-order mark that
// opens a field.
QString textOf(QByteArrayView utf8)
{
    if (utf8.startsWith(byteOrderMark))
        return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)(utf8);
    return QString::fromUtf8(utf8);
}

// "yyyy-MM-dd" exactly, as the timesheets write it.
QDate parseDate(QByteArrayView text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return {};
    const auto number = [text](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char c = text[i];
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
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

// A finite, non-negative decimal number, blanks around it allowed (white
// space as Unicode has it); none for anything else. (QString::toDouble goes
// through the locale machinery, which is most of the cost of a row.)
std::optional<double> parseSeconds(QByteArrayView text)
{
    QByteArray trimmed;
    if (isAscii(text)) {
        text = text.trimmed();
    } else {
        trimmed = textOf(text).trimmed().toUtf8();
        text = trimmed;
        if (!isAscii(text))
            return std::nullopt;
    }
    constexpr qsizetype longest = 64;
    if (text.isEmpty() || text.size() > longest)
        return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
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

// Timesheets read together, by one thread: those of one folder in a person's
// folder (a year's weeks and months, which hold the same sessions), or one
// file on its own. A run of consecutive sheets, [first, end).
struct Group
{
    qsizetype first = 0;
    qsizetype end = 0;
    // The files' sizes as listed.
    qint64 bytes = 0;
};

// Which session a record came from and when, beside the record itself.
struct Origin
{
    qint64 day = 0;
    qint64 modified = distantPast;
    int personIndex = 0;
};

struct Found
{
    Record record;
    Origin origin;
    // The hash of record.id in the tables of this process, worked out on
    // the thread that read the row, so that the merge, which runs on one
    // thread, does not hash every id again.
    size_t idHash = 0;
};

// A session id in the merge's index, with its hash.
struct IdKey
{
    QString text;
    size_t hash = 0;

    friend bool operator==(const IdKey& a, const IdKey& b)
    {
        return a.hash == b.hash && QuickKey(a.text) == QuickKey(b.text);
    }
};

// The hash is the one QHash's seed went into already (see Found::idHash).
size_t qHash(const IdKey& key, size_t) noexcept
{
    return key.hash;
}

// What one group of timesheets holds, each session once, before sessions
// counted in other groups are weeded out.
struct GroupRecords
{
    Group group;
    // Mutable: the merge, which is handed each group's records as a constant,
    // moves them rather than copying every string once more.
    mutable QList<Found> records;
    // The sheets that could not be read, in the order they were found.
    QList<qsizetype> unreadable;
};

// Reads one group of timesheets into records. One per group, so that groups
// can be read on several threads at once: nothing is shared but the file
// system and the calendar, which are only read.
//
// A session's copies in a group are mostly a week's and a month's: the files
// are read the newest first (of equally new ones, the first found first), so
// that the first copy of a session is the one that counts and every later one
// is passed over before anything is made of it. Between groups the merge
// keeps the same rule.
class GroupReader
{
    // The columns of text a record holds.
    enum class TextColumn { projectNumber, client, projectName, note, computer, task };
    static constexpr size_t textColumns = 6;

public:
    GroupReader(const FileSystem& fileSystem, const Calendar& calendar, const QList<Sheet>& sheets)
        : m_fileSystem(fileSystem)
        , m_calendar(calendar)
        , m_sheets(sheets)
    {}

    GroupRecords read(const Group& group)
    {
        GroupRecords result{group, {}, {}};
        // Each session about twice, at some 200 bytes a row.
        result.records.reserve(qsizetype(std::min<qint64>(group.bytes / 400, 1 << 20)));
        std::vector<qsizetype> order;
        for (qsizetype i = group.first; i < group.end; ++i)
            order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
            return m_sheets.at(a).modified > m_sheets.at(b).modified;
        });
        for (const qsizetype index : order) {
            if (!readSheet(m_sheets.at(index), result.records))
                result.unreadable.append(index);
        }
        std::sort(result.unreadable.begin(), result.unreadable.end());
        return result;
    }

private:
    // False when the file cannot be read, or read as text.
    bool readSheet(const Sheet& sheet, QList<Found>& found)
    {
        if (m_heldBytes > heldBytesLimit)
            letGoOfFiles();
        QByteArray bytes;
        try {
            bytes = m_fileSystem.read(sheet.path, maximumTimesheetSize);
        } catch (const FileSystemError&) {
            return false;
        }
        QByteArrayView text = bytes;
        if (text.isValidUtf8()) {
            // The decoder takes one byte-order mark off the text.
            if (text.startsWith(byteOrderMark))
                text = text.sliced(byteOrderMark.size());
        } else {
            // What the decoder makes of it, which forgives a file that ends
            // within a character, is what is read; anything else it refuses
            // is a file that is not text.
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString decoded = decoder(bytes);
            if (decoder.hasError())
                return false;
            bytes = decoded.toUtf8();
            text = bytes;
        }
        // Kept while the group is read: the ids seen and the texts of the row
        // before point into it.
        m_bytes.append(bytes);
        m_heldBytes += bytes.size();
        m_text = text;

        // Columns are looked up in the header; a missing one reads as empty.
        Columns at;
        bool header = true;
        const Origin origin{0, sheet.modified, sheet.personIndex};
        CSVReader::forEachRecord(text, [&](const QList<QByteArrayView>& row) {
            if (header) {
                header = false;
                at = Columns(row);
                return;
            }
            if (at.id >= 0)
                readRow(row, at, sheet, origin, found);
        });
        return true;
    }

    // Where the columns a record is made of stand in a timesheet's header.
    struct Columns
    {
        Columns() = default;
        explicit Columns(const QList<QByteArrayView>& header)
        {
            const auto column = [&header](QByteArrayView name) { return header.indexOf(name); };
            id = column("id");
            date = column("date");
            durationSeconds = column("duration_seconds");
            hours = column("hours");
            projectNumber = column("project_number");
            client = column("client");
            projectName = column("project_name");
            internal = column("internal");
            note = column("note");
            computer = column("computer");
            task = column("task");
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

    void readRow(const QList<QByteArrayView>& row, const Columns& at, const Sheet& sheet,
                 Origin origin, QList<Found>& found)
    {
        const auto field = [&row](qsizetype index) {
            return index >= 0 && index < row.size() ? row.at(index) : QByteArrayView();
        };
        // A session already counted from a newer file of the group.
        const QByteArrayView id = field(at.id);
        if (m_seen.contains(QuickKey(id)))
            return;
        // No id: the TOTAL line, or a row nobody can count once.
        const QString idText = textOf(id);
        if (idText.trimmed().isEmpty())
            return;
        // A row whose day cannot be read belongs to no period and would
        // only ever show up in the grand total; it is left out.
        const std::optional<QDateTime> day = dayOf(field(at.date));
        if (!day)
            return;
        m_seen.insert(QuickKey(lasting(id)));
        // The timesheet writer makes its text columns spreadsheet-safe, and
        // only those; the prefix is taken off here, per text column, rather
        // than by the CSV reader for every field: the reader stays a plain
        // reader of CSV, and dates, durations and ids are read exactly as
        // written. A note a person typed as '=x was written ''=x, so it
        // comes back as typed.
        const auto typed = [&](TextColumn column, qsizetype index) {
            return index < 0 ? QString() : text(column, field(index));
        };
        Record record;
        record.id = idText;
        record.day = *day;
        record.person = sheet.person;
        const std::optional<double> seconds = parseSeconds(field(at.durationSeconds));
        if (seconds) {
            record.seconds = *seconds;
        } else {
            const std::optional<double> inHours = parseSeconds(field(at.hours));
            record.seconds = inHours ? *inHours * 3600 : 0;
        }
        record.projectNumber = typed(TextColumn::projectNumber, at.projectNumber);
        record.clientName = typed(TextColumn::client, at.client);
        record.projectName = typed(TextColumn::projectName, at.projectName);
        record.isInternal = field(at.internal) == QByteArrayView("yes");
        record.note = typed(TextColumn::note, at.note);
        record.computer = typed(TextColumn::computer, at.computer);
        record.task = typed(TextColumn::task, at.task);
        origin.day = record.day.toMSecsSinceEpoch();
        const size_t idHash = qHash(QuickKey(record.id), QHashSeed::globalSeed());
        found.append(Found{std::move(record), origin, idHash});
    }

    // Keeps copies of the ids seen, and nothing else of the files read so
    // far: a group of big files is not held whole.
    void letGoOfFiles()
    {
        QSet<QuickKey> seen;
        seen.reserve(m_seen.size());
        for (const QuickKey& id : std::as_const(m_seen)) {
            m_copies.append(id.bytes.toByteArray());
            seen.insert(QuickKey(QByteArrayView(m_copies.constLast())));
        }
        m_seen = std::move(seen);
        m_known = {};
        m_lastText = {};
        m_bytes.clear();
        m_heldBytes = 0;
    }

    // Whether a field's view lasts while the group is read: fields a quote
    // split live only for their row.
    bool lasts(QByteArrayView field) const
    {
        const auto begin = quintptr(m_text.data());
        const auto at = quintptr(field.data());
        return field.isEmpty() ||
               (at >= begin && at + quintptr(field.size()) <= begin + quintptr(m_text.size()));
    }

    // The field as a view that lasts while the group is read, copied if need be.
    QByteArrayView lasting(QByteArrayView field)
    {
        if (lasts(field))
            return field;
        m_copies.append(field.toByteArray());
        return m_copies.constLast();
    }

    // A text column as the person typed it, less any control another
    // computer's file may carry: a note keeps its line breaks and tabs. The
    // project, client, computer and task repeat across the group's rows: each
    // is made once, and the rows share it. A note is shared only with the row
    // before.
    QString text(TextColumn column, QByteArrayView written)
    {
        LastText& last = m_lastText[size_t(column)];
        if (last.known && last.written == written)
            return last.typed;
        QString typed;
        if (column == TextColumn::note) {
            typed = typedText(written, PlainText::Kind::note);
        } else {
            QHash<QuickKey, QString>& known = m_known[size_t(column)];
            auto found = known.constFind(QuickKey(written));
            if (found == known.cend())
                found = known.insert(QuickKey(lasting(written)),
                                     typedText(written, PlainText::Kind::line));
            typed = *found;
        }
        last.known = lasts(written);
        last.written = written;
        last.typed = typed;
        return typed;
    }

    static QString typedText(QByteArrayView written, PlainText::Kind kind)
    {
        QString typed = textOf(written);
        if (typed.startsWith(u'\''))
            typed = EntryExporter::fromSpreadsheetSafe(typed);
        return PlainText::withoutControls(typed, kind);
    }

    // The start of the day in the calendar; a time-zone conversion, so done
    // once per distinct date of the group.
    std::optional<QDateTime> dayOf(QByteArrayView text)
    {
        // Rows come in order of time: most have the date of the row before.
        constexpr qsizetype dateSize = 10;
        if (m_haveLastDate && text.size() == dateSize &&
            std::memcmp(text.data(), m_lastDate.data(), dateSize) == 0)
            return m_lastDay;
        const QDate date = parseDate(text);
        std::optional<QDateTime> day;
        if (date.isValid()) {
            auto known = m_days.constFind(date.toJulianDay());
            if (known == m_days.cend())
                known = m_days.insert(date.toJulianDay(), m_calendar.startOfDay(date));
            day = *known;
        }
        // Only a well-formed date is remembered as the last one.
        if (text.size() == dateSize) {
            std::memcpy(m_lastDate.data(), text.data(), dateSize);
            m_haveLastDate = true;
            m_lastDay = day;
        }
        return day;
    }

    const FileSystem& m_fileSystem;
    const Calendar& m_calendar;
    const QList<Sheet>& m_sheets;
    // The bytes of the group's files read so far, and the text of the last.
    QList<QByteArray> m_bytes;
    qint64 m_heldBytes = 0;
    QByteArrayView m_text;
    QList<QByteArray> m_copies;
    // The ids of the sessions made into records.
    QSet<QuickKey> m_seen;
    QHash<qint64, QDateTime> m_days;
    std::array<char, 10> m_lastDate{};
    bool m_haveLastDate = false;
    std::optional<QDateTime> m_lastDay;
    struct LastText
    {
        bool known = false;
        QByteArrayView written;
        QString typed;
    };
    std::array<LastText, textColumns> m_lastText;
    std::array<QHash<QuickKey, QString>, textColumns> m_known;
};

// Reading state for one pass over the studio folder.
class Reader
{
public:
    Reader(FileSystem& fileSystem, const Calendar& calendar, const StudioHours::Progress& progress)
        : m_fileSystem(fileSystem)
        , m_calendar(calendar)
        , m_progress(progress)
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
        // A timesheet row takes about 200 bytes and every session is handed
        // in twice (its week and its month), so this is about the number of
        // sessions: the records and the index of ids are made to measure
        // once rather than grown (and copied) many times over. An
        // underestimate only means they grow as usual.
        const qsizetype sessions = qsizetype(std::min<qint64>(m_sheetBytes / 400, 1 << 22));
        m_records.reserve(sessions);
        m_origins.reserve(size_t(sessions));
        m_indexById.reserve(sessions);
        // Groups are read and parsed on every core at once; their records
        // are merged one group at a time, in the order the files were found,
        // so the snapshot is the same whatever the threads' timing.
        const FileSystem& fileSystem = m_fileSystem;
        const Calendar& calendar = m_calendar;
        reportProgress();
        orderedParallel(
            m_groups.size(),
            [this, &fileSystem, &calendar](qsizetype i) {
                return GroupReader(fileSystem, calendar, m_sheets).read(m_groups.at(i));
            },
            [this](const GroupRecords& read) {
                merge(read);
                m_sheetsRead += read.group.end - read.group.first;
                reportProgress();
            });
    }

    // Records by day, then person in natural order, then id.
    StudioHours::Snapshot snapshot(const QDateTime& readAt)
    {
        // Done with: the index is a good part of the memory a read takes.
        m_indexById = {};
        m_texts = {};
        QStringList people = m_people;
        naturalSort(people);
        std::vector<int> rank(size_t(m_people.size()));
        for (qsizetype i = 0; i < m_people.size(); ++i)
            rank[size_t(i)] = int(people.indexOf(m_people.at(i)));
        // Sorting small keys rather than the records themselves, then putting
        // each record in its place where it stands: one list of records, not two.
        struct Key
        {
            qint64 day;
            int person;
            qsizetype index;
        };
        std::vector<Key> keys;
        keys.reserve(size_t(m_records.size()));
        for (qsizetype i = 0; i < m_records.size(); ++i) {
            const Origin& origin = m_origins[size_t(i)];
            keys.push_back(Key{origin.day, rank[size_t(origin.personIndex)], i});
        }
        m_origins = {};
        std::sort(keys.begin(), keys.end(), [this](const Key& a, const Key& b) {
            if (a.day != b.day)
                return a.day < b.day;
            if (a.person != b.person)
                return a.person < b.person;
            return m_records.at(a.index).id < m_records.at(b.index).id;
        });
        std::vector<qsizetype> from(keys.size());
        for (size_t i = 0; i < keys.size(); ++i)
            from[i] = keys[i].index;
        keys = {};
        permute(m_records, from);

        StudioHours::Snapshot snapshot;
        snapshot.records = std::move(m_records);
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

    // Puts the record at from[i] at i, for every i, moving each record once
    // along the cycles of the permutation.
    static void permute(QList<Record>& records, std::vector<qsizetype>& from)
    {
        Record* data = records.data();
        for (size_t start = 0; start < from.size(); ++start) {
            if (from[start] < 0 || qsizetype(start) == from[start])
                continue;
            Record held = std::move(data[start]);
            size_t at = start;
            for (;;) {
                const size_t next = size_t(from[at]);
                from[at] = -1;
                if (next == start) {
                    data[at] = std::move(held);
                    break;
                }
                data[at] = std::move(data[next]);
                at = next;
            }
        }
    }

    void reportProgress() const
    {
        if (m_progress)
            m_progress(m_sheetsRead, m_sheets.size());
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
    // reported with the unreadable timesheets. The sheets below one entry of
    // a person's folder are read as one group.
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
            const qsizetype groupStart = m_sheets.size();
            const qint64 groupBytes = m_sheetBytes;
            if (entry.isFolder) {
                if (depth < maximumDepth && !FileSystem::isLeftover(entry.name))
                    findSheets(path, person, personIndex, depth + 1);
            } else if (isTimesheetName(entry.name)) {
                const qint64 modified =
                    entry.modified ? entry.modified->toMSecsSinceEpoch() : distantPast;
                m_sheets.append(Sheet{path, entry.name, person, personIndex, modified});
                m_sheetBytes += std::max<qint64>(entry.size, 0);
            }
            if (depth == 0 && m_sheets.size() > groupStart)
                m_groups.append(Group{groupStart, m_sheets.size(), m_sheetBytes - groupBytes});
        }
    }

    // The newer file's copy of a session wins; of two equally new copies the
    // one found first stays. A group holds each session once already, by the
    // same rule, and the groups come in the order their files were found.
    void merge(const GroupRecords& read)
    {
        for (const qsizetype sheet : read.unreadable)
            m_unreadable.append(m_sheets.at(sheet).name);
        // Every text of this group was made before its merge, so while it
        // runs two live texts never have the same data; one of an earlier
        // group may have been freed since and its address reused.
        m_sharedInGroup.clear();
        for (Found& found : read.records) {
            shareTexts(found.record);
            const IdKey id{found.record.id, found.idHash};
            const auto known = m_indexById.constFind(id);
            if (known == m_indexById.cend()) {
                m_indexById.insert(id, m_records.size());
                m_records.append(std::move(found.record));
                m_origins.push_back(found.origin);
            } else if (found.origin.modified > m_origins[size_t(*known)].modified) {
                m_records[*known] = std::move(found.record);
                m_origins[size_t(*known)] = found.origin;
            }
        }
        read.records.clear();
    }

    // One copy of each text that many sessions repeat (a number, a client, a
    // name, a computer, a task) across every file: the snapshot takes less
    // memory, and the figures remember what they worked out for a text by its
    // data (see StudioHours' spellings). A group's reader already makes each
    // such text once, so a text is looked up by its data, and by its
    // characters only the first time the group has it.
    void shareTexts(Record& record)
    {
        for (QString* text : {&record.projectNumber, &record.clientName, &record.projectName,
                              &record.computer, &record.task}) {
            if (text->isEmpty())
                continue;
            // The data of the text as the group's reader made it (compared,
            // never read: the string it belongs to may be gone).
            auto kept = m_sharedInGroup.constFind(text->constData());
            if (kept == m_sharedInGroup.cend())
                kept = m_sharedInGroup.insert(text->constData(), *m_texts.insert(*text));
            *text = *kept;
        }
    }

    FileSystem& m_fileSystem;
    const Calendar& m_calendar;
    const StudioHours::Progress& m_progress;
    QSet<QString> m_texts;
    QHash<const QChar*, QString> m_sharedInGroup;
    QStringList m_people;
    QStringList m_unreadable;
    QList<Sheet> m_sheets;
    QList<Group> m_groups;
    qint64 m_sheetBytes = 0;
    qsizetype m_sheetsRead = 0;
    // The sessions counted so far, and where each came from.
    QList<Record> m_records;
    std::vector<Origin> m_origins;
    QHash<IdKey, qsizetype> m_indexById;
};

} // namespace

StudioHours::Snapshot StudioHours::read(const std::optional<QString>& share, FileSystem& unconfined,
                                        const Clock& clock, const Calendar& calendar,
                                        const Progress& progress)
{
    if (!share || share->trimmed().isEmpty())
        throw ReadError::noFolderChosen();
    const std::shared_ptr<FileSystem> confined = unconfined.confinedTo(*share);
    FileSystem& fileSystem = *confined;
    if (!fileSystem.isFolder(*share))
        throw ReadError::unreachable(*share);

    Reader reader(fileSystem, calendar, progress);
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

} // namespace zol
