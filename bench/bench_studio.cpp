// The studio's analytics read: 30 people who have each handed in three years
// of week and month timesheets (every session twice, about 300,000 rows in
// all), read with StudioHours::read, beside reading the same files' bytes
// without parsing them. Shown for reference; there is no target.

#include "BenchSupport.h"
#include "StudioHistory.h"
#include "reports/StudioHours.h"
#include "share/AutoUpload.h"
#include "share/Timesheet.h"
#include "share/TimesheetFolder.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

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

    const Timings timings = measurePair(rounds(5), readStudio, readBytes);
    report({QStringLiteral("Studio hours: %1 people, %2 timesheet files, %3 MB")
                .arg(peopleCount)
                .arg(count(paths.size()))
                .arg(QString::number(double(bytes) / 1e6, 'f', 1)),
            QStringLiteral("StudioHours::read (list, parse, count each session once)"),
            QStringLiteral("open and read every timesheet's bytes"), timings, 1,
            QStringLiteral("%1 sessions; %2 against %3")
                .arg(count(records), megabytesPerSecond(bytes, timings.figure),
                     megabytesPerSecond(bytes, timings.baseline)),
            false});
    return 0;
}
