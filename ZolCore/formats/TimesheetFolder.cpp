#include "formats/TimesheetFolder.h"

#include "files/WholeFile.h"
#include "formats/CSVReader.h"
#include "formats/Timesheet.h"
#include "support/Timestamps.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace zol::TimesheetFolder {

const QString markerName = QStringLiteral(".person.json");

namespace {

// A marker is a few lines; anything bigger was not written by Zol.
constexpr qint64 maximumMarkerSize = 64 * 1024;
// Timesheets are read whole to compare their sessions.
constexpr qint64 maximumTimesheetSize = 64 * 1024 * 1024;
// The longest file name the studio's file systems take: 255 bytes on Linux and
// APFS, 255 UTF-16 units over SMB (never more units than UTF-8 bytes).
constexpr qsizetype maximumNameBytes = 255;
// The characters of the machine id a taken name is followed by.
constexpr qsizetype suffixCharacters = 8;
// "-" and those characters at four bytes each: room every person folder name
// leaves, so that the name with the suffix still fits.
constexpr qsizetype suffixBytes = 1 + suffixCharacters * 4;

// The longest start of `text` whose UTF-8 takes at most `maxBytes`, cut
// between characters: a surrogate pair stays whole or goes whole.
QString cutToBytes(const QString& text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const char16_t unit = text.at(end).unicode();
        const bool pair = QChar::isHighSurrogate(unit) && end + 1 < text.size() &&
                          QChar::isLowSurrogate(text.at(end + 1).unicode());
        const qsizetype size = pair ? 4 : unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

// The first `count` characters of `text`, a character beyond the BMP counting
// as one.
QString firstCharacters(const QString& text, qsizetype count)
{
    qsizetype end = 0;
    for (qsizetype taken = 0; end < text.size() && taken < count; ++taken) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() &&
                          text.at(end + 1).isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

QString fileNameOf(const QString& path)
{
    return path.section(u'/', -1);
}

// A new person folder comes into being with its marker already in it: it is
// made under a hidden temporary name and moved into place whole. A failure in
// between (a full share) then leaves nothing under the person's name that
// would later read as somebody else's folder, and the next hand-in claims the
// name as if this one had never been tried.
bool createClaimed(FileSystem& fileSystem, const QString& folder, const Marker& mine)
{
    const QString building = temporaryFor(folder);
    fileSystem.createFolder(building);
    try {
        writeWhole(fileSystem, mine.encode(), building + u'/' + markerName);
        fileSystem.move(building, folder);
        return true;
    } catch (const FileSystemError&) {
        try {
            fileSystem.remove(building);
        } catch (const FileSystemError&) {
            // Hidden, so nobody reads it as a person; tried again next time.
        }
        // Another machine may have made the folder meanwhile; then it is
        // claimed the ordinary way.
        if (!fileSystem.exists(folder))
            throw;
        return false;
    }
}

// Writes the marker unless it already names this machine and this person.
void claim(FileSystem& fileSystem, const QString& folder, const QString& machineId,
           const QString& person, const QDateTime& now)
{
    if (!fileSystem.exists(folder) && createClaimed(fileSystem, folder, {machineId, person, now}))
        return;
    fileSystem.createFolder(folder);
    const std::optional<Marker> marker = readMarker(fileSystem, folder);
    if (marker && marker->machineId == machineId && marker->name == person)
        return;
    const Marker mine{machineId, person, now};
    writeWhole(fileSystem, mine.encode(), folder + u'/' + markerName);
}

// Moves the folder only into a free place: history already at the
// destination is never merged into or overwritten.
void move(FileSystem& fileSystem, const QString& from, const QString& to)
{
    if (!fileSystem.exists(from) || fileSystem.exists(to))
        return;
    fileSystem.move(from, to);
}

// Renames "<period>-<name>.csv" files to "<period>.csv". Where a file of the
// new name exists, the old one goes only when every session in it is also in
// the new one; otherwise both stay, so that no hours are lost. A sync tool's
// conflict copy of an old file ("<period>-<name>.sync-conflict-….csv") is the
// tool's, and stays.
void dropNamesFromFiles(FileSystem& fileSystem, const QString& folder)
{
    QList<FileSystem::Entry> entries;
    try {
        entries = fileSystem.list(folder);
    } catch (const FileSystemError&) {
        return;
    }
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        const QString path = folder + u'/' + entry.name;
        if (entry.isFolder) {
            if (!entry.isLink)
                dropNamesFromFiles(fileSystem, path);
            continue;
        }
        if (!entry.name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
            FileSystem::isLeftover(entry.name))
            continue;
        const std::optional<QString> id = legacyPeriodId(QStringView(entry.name).chopped(4));
        if (!id)
            continue;
        const QString target = folder + u'/' + *id + QStringLiteral(".csv");
        try {
            if (!fileSystem.exists(target)) {
                fileSystem.move(path, target);
                continue;
            }
            const std::optional<QSet<QString>> old = sessionIds(fileSystem, path);
            const std::optional<QSet<QString>> current = sessionIds(fileSystem, target);
            if (old && current && current->contains(*old))
                fileSystem.remove(path);
        } catch (const FileSystemError&) {
            // Left as it is; tried again on the next upload.
        }
    }
}

// "Could not use <folder>: it is a symbolic link, …" when the folder named
// after the person is a link: whose it is cannot be told, and the hours are
// handed in nowhere else until somebody takes it away.
void refuseLink(FileSystem& fileSystem, const QString& folder, const QString& studioFolder)
{
    if (fileSystem.isLink(folder))
        throw FileSystem::linkRefused(QStringLiteral("use"), folder, folder, studioFolder);
}

bool isDigits(QStringView text, qsizetype count)
{
    if (text.size() != count)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QByteArray Marker::encode() const
{
    const QJsonObject object{
        {QStringLiteral("machineId"), machineId},
        {QStringLiteral("name"), name},
        {QStringLiteral("updatedAt"), iso8601(updatedAt)},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<Marker> Marker::decode(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue machineId = object.value(QStringLiteral("machineId"));
    const QJsonValue name = object.value(QStringLiteral("name"));
    const QJsonValue updatedAt = object.value(QStringLiteral("updatedAt"));
    if (!machineId.isString() || !name.isString() || !updatedAt.isString())
        return std::nullopt;
    const std::optional<QDateTime> when = parseIso8601(updatedAt.toString());
    if (!when)
        return std::nullopt;
    return Marker{machineId.toString(), name.toString(), *when};
}

std::optional<Marker> readMarker(FileSystem& fileSystem, const QString& folder)
{
    try {
        return Marker::decode(fileSystem.read(folder + u'/' + markerName, maximumMarkerSize));
    } catch (const FileSystemError&) {
        return std::nullopt;
    }
}

std::optional<QString> folderClaimed(FileSystem& fileSystem, const QString& machineId,
                                     const QString& hoursFolder)
{
    QList<FileSystem::Entry> entries;
    try {
        entries = fileSystem.list(hoursFolder);
    } catch (const FileSystemError&) {
        return std::nullopt;
    }
    // Listing order is the file system's; sort for a stable answer.
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const FileSystem::Entry& entry : std::as_const(entries)) {
        if (!entry.isFolder)
            continue;
        const QString folder = hoursFolder + u'/' + entry.name;
        const std::optional<Marker> marker = readMarker(fileSystem, folder);
        if (marker && marker->machineId == machineId)
            return folder;
    }
    return std::nullopt;
}

QString folderName(QStringView person)
{
    return Timesheet::safeName(person, maximumNameBytes - suffixBytes);
}

QString takenFolderName(QStringView person, const QString& machineId)
{
    const QString suffix =
        cutToBytes(firstCharacters(machineId, suffixCharacters), suffixBytes - 1);
    return folderName(person) + u'-' + suffix;
}

Resolution resolve(FileSystem& fileSystem, const QString& studioFolder, const QString& person,
                   const QString& machineId, const QDateTime& now)
{
    const std::shared_ptr<FileSystem> confined = fileSystem.confinedTo(studioFolder);
    FileSystem& files = *confined;
    const QString hours = Timesheet::root(studioFolder);
    files.createFolder(hours);

    const QString wanted = hours + u'/' + folderName(person);
    refuseLink(files, wanted, studioFolder);
    const std::optional<Marker> marker = readMarker(files, wanted);
    const bool free = marker ? marker->machineId == machineId : !files.exists(wanted);
    const QString target = free ? wanted : hours + u'/' + takenFolderName(person, machineId);

    Resolution resolution{target, std::nullopt};
    const std::optional<QString> owned = folderClaimed(files, machineId, hours);
    if (owned && fileNameOf(*owned) != fileNameOf(target)) {
        move(files, *owned, target);
        resolution.renamedFrom = fileNameOf(*owned);
    }
    dropNamesFromFiles(files, target);
    claim(files, target, machineId, person, now);
    return resolution;
}

QString existingFolder(FileSystem& fileSystem, const QString& studioFolder, const QString& person,
                       const QString& machineId)
{
    const std::shared_ptr<FileSystem> confined = fileSystem.confinedTo(studioFolder);
    const QString hours = Timesheet::root(studioFolder);
    if (std::optional<QString> owned = folderClaimed(*confined, machineId, hours))
        return *owned;
    return hours + u'/' + folderName(person);
}

std::optional<QString> legacyPeriodId(QStringView name)
{
    const qsizetype first = name.indexOf(u'-');
    if (first < 0)
        return std::nullopt;
    const qsizetype second = name.indexOf(u'-', first + 1);
    if (second < 0)
        return std::nullopt;
    const QStringView year = name.left(first);
    const QStringView period = name.mid(first + 1, second - first - 1);
    const bool weekOrMonth = isDigits(period, 2)
        || (period.size() == 3 && period.front() == u'W' && isDigits(period.mid(1), 2));
    if (!isDigits(year, 4) || !weekOrMonth)
        return std::nullopt;
    return year.toString() + u'-' + period.toString();
}

std::optional<QSet<QString>> sessionIds(FileSystem& fileSystem, const QString& file)
{
    QString text;
    try {
        text = QString::fromUtf8(fileSystem.read(file, maximumTimesheetSize));
    } catch (const FileSystemError&) {
        return std::nullopt;
    }
    const CSVReader::Table table = CSVReader::parse(text);
    QSet<QString> ids;
    for (const QStringList& row : table.rows) {
        if (const std::optional<QString> id = table.value(QStringLiteral("id"), row))
            ids.insert(*id);
    }
    return ids;
}

} // namespace zol::TimesheetFolder
