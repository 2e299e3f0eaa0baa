#include "ReportsModel.h"

#include "OffThread.h"
#include "OpenBooks.h"
#include "books/AppSettings.h"
#include "files/FileSystem.h"
#include "support/Error.h"

#include <exception>
#include <memory>

namespace zol {

namespace {

using Kind = TimesheetPeriod::Kind;

TimesheetPeriod periodNow(Kind kind, const OpenBooks& books)
{
    return TimesheetPeriod(kind, books.clock().now(), books.calendar());
}

} // namespace

const QString ReportsModel::studioName = QStringLiteral("Analytics");

ReportsModel::ReportsModel(OpenBooks& books, StatusModel& status, const HistoryModel& history,
                           Platform& platform, FileSystem& fileSystem, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_status(status)
    , m_history(history)
    , m_platform(platform)
    , m_fileSystem(fileSystem)
    , m_rememberedWeek(periodNow(Kind::week, books))
    , m_rememberedMonth(periodNow(Kind::month, books))
    , m_rememberedYear(periodNow(Kind::year, books))
{
    connect(&books, &OpenBooks::closing, this, [this] { resetForOtherBooks(); });
    connect(&books, &OpenBooks::replaced, this, &ReportsModel::dropStudio);
}

ReportsModel::~ReportsModel() = default;

// What belongs to the books being closed goes; a read still running for them
// is dropped when it returns (the generation has moved on by then).
void ReportsModel::resetForOtherBooks()
{
    setStudio(std::nullopt);
    setStudioError(std::nullopt);
    setReportState(Kind::month, periodNow(Kind::week, m_books), periodNow(Kind::month, m_books),
                   periodNow(Kind::year, m_books));
    setStudioQuery({});
}

const TimesheetPeriod& ReportsModel::remembered(Kind kind) const
{
    switch (kind) {
    case Kind::week:
        return m_rememberedWeek;
    case Kind::month:
        break;
    case Kind::year:
        return m_rememberedYear;
    }
    return m_rememberedMonth;
}

void ReportsModel::setStudioQuery(const QString& query)
{
    if (m_studioQuery == query)
        return;
    m_studioQuery = query;
    Q_EMIT studioQueryChanged();
    updateStudioRows();
}

void ReportsModel::setReportKind(Kind kind)
{
    setReportState(kind, m_rememberedWeek, m_rememberedMonth, m_rememberedYear);
}

void ReportsModel::setReportPeriod(const TimesheetPeriod& period)
{
    const Kind kind = period.kind();
    setReportState(kind, kind == Kind::week ? period : m_rememberedWeek,
                   kind == Kind::month ? period : m_rememberedMonth,
                   kind == Kind::year ? period : m_rememberedYear);
}

void ReportsModel::moveReportPeriod(int steps)
{
    setReportPeriod(reportPeriod().offset(steps));
}

// The one place the kind and the remembered periods change, so that each
// signal goes out once and only for what really changed.
void ReportsModel::setReportState(Kind kind, const TimesheetPeriod& week,
                                  const TimesheetPeriod& month, const TimesheetPeriod& year)
{
    const TimesheetPeriod shownBefore = reportPeriod();
    const bool kindChanged = m_reportKind != kind;
    const bool rememberedMoved =
        !(m_rememberedWeek == week && m_rememberedMonth == month && m_rememberedYear == year);
    m_reportKind = kind;
    m_rememberedWeek = week;
    m_rememberedMonth = month;
    m_rememberedYear = year;
    if (kindChanged)
        Q_EMIT reportKindChanged();
    if (rememberedMoved)
        Q_EMIT rememberedChanged();
    if (!(reportPeriod() == shownBefore)) {
        Q_EMIT reportPeriodChanged();
        updateStudioRows();
    }
}

void ReportsModel::updateStudioRows()
{
    StudioHours::Rows rows;
    if (m_studio)
        rows = m_studio->rowsIn(reportPeriod(), m_studioQuery);
    if (rows == m_studioRows)
        return;
    m_studioRows = std::move(rows);
    Q_EMIT studioRowsChanged();
}

QFuture<void> ReportsModel::readStudio()
{
    const quint64 generation = m_books.generation();
    if (m_studioRead.isRunning() && m_studioReadGeneration == generation)
        return m_studioRead;

    const quint64 serial = ++m_studioReadSerial;
    const std::optional<QString> share = m_books.settings()->sharedFolder();
    const Clock* clock = &m_books.clock();
    const Calendar calendar = m_books.calendar();
    setReadingStudio(true);
    setStudioReadProgress({});

    m_studioReadGeneration = generation;
    m_studioRead = OffThread::runTelling(
        this,
        [share, clock, calendar, files = &m_fileSystem](const OffThread::Progress& progress) {
            return StudioHours::read(share, *files, *clock, calendar, progress);
        },
        [this, generation, serial](OffThread::Outcome<StudioHours::Snapshot> outcome) {
            if (serial == m_studioReadSerial) {
                setReadingStudio(false);
                setStudioReadProgress({});
            }
            if (generation == m_books.generation())
                applyStudio(outcome.value, outcome.error
                                               ? std::optional(OffThread::describe(outcome.error))
                                               : std::nullopt);
        },
        [this, serial](qsizetype read, qsizetype found) {
            if (serial == m_studioReadSerial)
                setStudioReadProgress({read, found});
        });
    return m_studioRead;
}

// A failed read keeps the last snapshot (with its age) beside the error.
void ReportsModel::applyStudio(const std::optional<StudioHours::Snapshot>& snapshot,
                               const std::optional<QString>& error)
{
    if (snapshot)
        setStudio(snapshot);
    setStudioError(error);
}

void ReportsModel::dropStudio()
{
    setStudio(std::nullopt);
    setStudioError(std::nullopt);
}

void ReportsModel::setStudio(const std::optional<StudioHours::Snapshot>& snapshot)
{
    if (m_studio == snapshot)
        return;
    // The rows point into the snapshot: they go with it, and come back from
    // the new one before anybody hears of it.
    m_studioRows.clear();
    m_studio = snapshot;
    updateStudioRows();
    Q_EMIT studioChanged();
}

void ReportsModel::setStudioError(const std::optional<QString>& error)
{
    if (m_studioError == error)
        return;
    m_studioError = error;
    Q_EMIT studioErrorChanged();
}

void ReportsModel::setStudioReadProgress(const StudioReadProgress& progress)
{
    if (m_studioReadProgress == progress)
        return;
    m_studioReadProgress = progress;
    Q_EMIT studioReadProgressChanged();
}

void ReportsModel::setReadingStudio(bool reading)
{
    if (m_isReadingStudio == reading)
        return;
    m_isReadingStudio = reading;
    Q_EMIT isReadingStudioChanged();
}

} // namespace zol
