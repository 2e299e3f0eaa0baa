#include "formats/Timesheet.h"

#include "formats/CSVWriter.h"
#include "formats/EntryExporter.h"
#include "formats/StudioFolder.h"
#include "records/Duration.h"

#include <algorithm>

namespace zol {

namespace {

double totalSeconds(const QList<TimeEntry>& entries, const QDateTime& now)
{
    double seconds = 0;
    for (const TimeEntry& entry : entries)
        seconds += entry.duration(now);
    return seconds;
}

} // namespace

const QString Timesheet::folderName = QStringLiteral("hours");

Timesheet::Timesheet(const TimesheetPeriod& period, const QString& person,
                     const QList<TimeEntry>& entries)
    : m_period(period)
    , m_person(person)
    , m_entries(entries)
{
    std::stable_sort(
        m_entries.begin(), m_entries.end(),
        [](const TimeEntry& a, const TimeEntry& b) { return a.startedAt < b.startedAt; });
}

// Rounded as each row's hours are, so that a timesheet of one session totals
// what its row says.
double Timesheet::totalHours(const QDateTime& now) const
{
    return Duration::decimalHours(totalSeconds(m_entries, now));
}

// Written like the session export (text fields spreadsheet-safe): the files
// are opened in spreadsheets too. The studio's hours take the prefix off again
// when reading them back.
QString Timesheet::csv(const QDateTime& now) const
{
    const QStringList& columns = EntryExporter::columns();
    CSVWriter writer(columns, EntryExporter::columnFields());
    writer.reserveLines(m_entries.size() + 1);
    for (const TimeEntry& entry : m_entries)
        writer.addLine(EntryExporter::row(entry, m_person, now, m_period.calendar()));

    // The seconds of the total are the sum with the fraction dropped, not the
    // sum of the rows' rounded seconds.
    QStringList total(columns.size());
    total[columns.indexOf(QStringLiteral("end"))] = QStringLiteral("TOTAL");
    total[columns.indexOf(QStringLiteral("hours"))] = QString::number(totalHours(now), 'f', 2);
    total[columns.indexOf(QStringLiteral("duration_seconds"))] =
        QString::number(qint64(totalSeconds(m_entries, now)));
    total[columns.indexOf(QStringLiteral("who"))] = m_person;
    writer.addLine(total);
    return writer.text();
}

QString Timesheet::root(const QString& studioFolder)
{
    return StudioFolder::container(studioFolder) + u'/' + folderName;
}

QString Timesheet::folder(const QString& personFolder, const TimesheetPeriod& period)
{
    return personFolder + u'/' + QString::number(period.year()) + u'/' +
           TimesheetPeriod::folderName(period.kind());
}

QString Timesheet::file(const QString& personFolder, const TimesheetPeriod& period)
{
    return folder(personFolder, period) + u'/' + fileName(period);
}

QString Timesheet::fileName(const TimesheetPeriod& period)
{
    return period.id() + QStringLiteral(".csv");
}

// Composed first, so that an accent typed as a separate mark stays on its
// letter instead of splitting the name.
QString Timesheet::safeName(QStringView name, qsizetype maxBytes)
{
    QString safe;
    qsizetype bytes = 0;
    bool separate = false;
    // By code point, so that a letter outside the Basic Multilingual Plane is
    // kept whole.
    for (const char32_t c : name.toString().normalized(QString::NormalizationForm_C).toUcs4()) {
        if (!QChar::isLetterOrNumber(c)) {
            separate = !safe.isEmpty();
            continue;
        }
        // The "-" goes only with the letter after it, so no cut ends on one.
        const qsizetype size = (separate ? 1 : 0) + (c < 0x80      ? 1
                                                     : c < 0x800   ? 2
                                                     : c < 0x10000 ? 3
                                                                   : 4);
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        if (separate)
            safe += u'-';
        separate = false;
        safe += QChar::fromUcs4(c);
    }
    return safe.isEmpty() ? QStringLiteral("Onbekend") : safe;
}

} // namespace zol
