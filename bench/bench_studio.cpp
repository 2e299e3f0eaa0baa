// The studio's analytics read: 30 people who have each handed in three years
// of week and month timesheets (every session twice, about 300,000 rows in
// all), read with StudioHours::read, beside the CSV reader alone reading the
// same files one after another (open, read, decode, parse): the whole read,
// which lists the folders, makes records and counts every session once, must
// keep at least two thirds of the CSV reader's throughput, using every core
// for the files. Reading the bytes alone is shown for reference.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "formats/CSVReader.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "reports/StudioHours.h"
#include "share/AutoUpload.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QThread>

namespace {

using namespace zol;
using namespace zol::bench;

const int peopleCount = sized(30, 2);
constexpr int days = 3 * 365;
const int sessionsPerPerson = sized(5'000, 100);

// Writes every person's week and month timesheets; returns the files' paths.
QStringList writeStudio(const QString& studio, const QDateTime& now, const Calendar& calendar)
{
    FileSystem& files = FileSystem::local();
    QStringList paths;
    for (int p = 0; p < peopleCount; ++p) {
        const QString person = QStringLiteral("Person %1").arg(p + 1);
        const QString machine =
            QStringLiteral("%1-0000-4000-8000-000000000000").arg(p, 8, 10, QChar(u'0'));
        const QString folder = TimesheetFolder::resolve(files, studio, person, machine, now).folder;
        QHash<TimesheetPeriod, QList<TimeEntry>> sheets;
        StudioHistory(now).generate(sessionsPerPerson, days, [&](const TimeEntry& entry) {
            if (!AutoUpload::shouldSend(entry))
                return;
            for (TimesheetPeriod::Kind kind : TimesheetPeriod::uploadedKinds())
                sheets[TimesheetPeriod(kind, entry.startedAt, calendar)].append(entry);
        });
        for (auto it = sheets.cbegin(); it != sheets.cend(); ++it) {
            files.createFolder(Timesheet::folder(folder, it.key()));
            const QString path = Timesheet::file(folder, it.key());
            files.writeNew(path, Timesheet(it.key(), person, it.value()).csv(now).toUtf8());
            paths.append(path);
        }
    }
    return paths;
}

QString megabytesPerSecond(qint64 bytes, double seconds)
{
    return QString::number(seconds > 0 ? double(bytes) / 1e6 / seconds : 0, 'f', 1) +
           QStringLiteral(" MB/s");
}

} // namespace

int main()
{
    const Calendar calendar;
    const QDateTime now(QDate(2026, 12, 31), QTime(16, 0), Qt::UTC);
    QTemporaryDir studio;
    if (!studio.isValid())
        return 1;
    const QStringList paths = writeStudio(studio.path(), now, calendar);

    qint64 bytes = 0;
    qsizetype records = 0;
    const auto readStudio = [&] {
        records = StudioHours::read(studio.path(), FileSystem::local(), Clock::system(), calendar)
                      .records.size();
    };
    const auto readBytes = [&] {
        bytes = 0;
        for (const QString& path : paths) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                bytes += file.readAll().size();
        }
    };

    qsizetype rows = 0;
    const auto parseFiles = [&] {
        rows = 0;
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString text = decoder(file.readAll());
            rows += CSVReader::parse(text).rows.size();
        }
    };

    readBytes();
    const Timings timings = measurePair(rounds(5), readStudio, parseFiles);
    report({QStringLiteral("Studio hours: %1 people, %2 timesheet files, %3 MB, %4 cores")
                .arg(peopleCount)
                .arg(count(paths.size()))
                .arg(QString::number(double(bytes) / 1e6, 'f', 1))
                .arg(QThread::idealThreadCount()),
            QStringLiteral("StudioHours::read (list, parse, count each session once)"),
            QStringLiteral("CSVReader::parse of every file in turn (open, read, decode, parse)"),
            timings, 1.5,
            QStringLiteral("%1 sessions from %2 rows; %3 against %4 (target: at least two thirds)")
                .arg(count(records), count(rows), megabytesPerSecond(bytes, timings.figure),
                     megabytesPerSecond(bytes, timings.baseline))});
    const Timings raw = measurePair(rounds(5), readStudio, readBytes);
    report(
        {QStringLiteral("Studio hours beside the bare bytes"), QStringLiteral("StudioHours::read"),
         QStringLiteral("open and read every timesheet's bytes"), raw, 1,
         QStringLiteral("%1 against %2")
             .arg(megabytesPerSecond(bytes, raw.figure), megabytesPerSecond(bytes, raw.baseline)),
         false});
    return 0;
}
