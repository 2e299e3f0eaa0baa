#include "AnalyticsModel.h"

#include "OpenBooks.h"
#include "ReportsModel.h"
#include "books/AppSettings.h"
#include "records/Duration.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zol {

namespace {

using Kind = TimesheetPeriod::Kind;

} // namespace

AnalyticsModel::AnalyticsModel(const OpenBooks& books, ReportsModel& reports, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_reports(reports)
{
    connect(&reports, &ReportsModel::studioRowsChanged, this, [this] {
        updateBreakdown();
        updateChart();
        Q_EMIT stateChanged();
    });
    // The same rows may fall in another period (none in either): the chart's
    // days and the empty sentence still move.
    connect(&reports, &ReportsModel::reportPeriodChanged, this, [this] {
        updateChart();
        updatePeople();
        Q_EMIT stateChanged();
    });
    connect(&reports, &ReportsModel::studioChanged, this, &AnalyticsModel::updatePeople);
    // The query also reads in the empty sentence, when the rows stay empty.
    for (const auto signal :
         {&ReportsModel::studioChanged, &ReportsModel::studioErrorChanged,
          &ReportsModel::isReadingStudioChanged, &ReportsModel::studioQueryChanged})
        connect(&reports, signal, this, &AnalyticsModel::stateChanged);
    connect(&reports, &ReportsModel::studioReadProgressChanged, this,
            &AnalyticsModel::readingChanged);
    connect(&reports, &ReportsModel::isReadingStudioChanged, this, &AnalyticsModel::readingChanged);
    connect(&books, &OpenBooks::settingsChanged, this, &AnalyticsModel::followSettings);
    connect(&books, &OpenBooks::opened, this, &AnalyticsModel::readIfNeverRead);
    followSettings();
    updateBreakdown();
    updateChart();
    updatePeople();
}

AnalyticsModel::~AnalyticsModel() = default;

QList<AnalyticsModel::Grouping> AnalyticsModel::groupings()
{
    return {Grouping::person, Grouping::client, Grouping::project, Grouping::task};
}

QString AnalyticsModel::label(Grouping grouping)
{
    switch (grouping) {
    case Grouping::person:
        return tr("Person");
    case Grouping::client:
        return tr("Client");
    case Grouping::project:
        break;
    case Grouping::task:
        return tr("Task");
    }
    return tr("Project");
}

QString AnalyticsModel::peopleWithNothingTitle()
{
    return tr("Nothing uploaded for this period");
}

QString AnalyticsModel::peopleWithNothingText()
{
    return tr("They have a folder on the share but handed nothing in. Their hours may simply "
              "still be on their own computer.");
}

void AnalyticsModel::followSettings()
{
    disconnect(m_folderConnection);
    m_folderConnection =
        connect(m_books.settings(), &AppSettings::sharedFolderPathChanged, this, [this] {
            Q_EMIT stateChanged();
            readIfNeverRead();
        });
    Q_EMIT stateChanged();
}

void AnalyticsModel::setActive(bool active)
{
    m_active = active;
    readIfNeverRead();
}

bool AnalyticsModel::hasFolder() const
{
    return m_books.settings()->sharedFolder().has_value();
}

void AnalyticsModel::readIfNeverRead()
{
    const ReportsModel& reports = m_reports;
    if (m_active && hasFolder() && !reports.studio() && !reports.studioError() &&
        !reports.isReadingStudio())
        m_reports.readStudio();
}

void AnalyticsModel::setGrouping(Grouping grouping)
{
    if (m_grouping == grouping)
        return;
    m_grouping = grouping;
    Q_EMIT groupingChanged();
    updateBreakdown();
}

void AnalyticsModel::updateBreakdown()
{
    const StudioHours::Rows& rows = m_reports.studioRows();
    using Snapshot = StudioHours::Snapshot;
    switch (m_grouping) {
    case Grouping::person:
        m_breakdown = Snapshot::byPerson(rows);
        break;
    case Grouping::client:
        m_breakdown = Snapshot::byClient(rows);
        break;
    case Grouping::project:
        m_breakdown = Snapshot::byProject(rows);
        break;
    case Grouping::task:
        m_breakdown = Snapshot::byTask(rows);
        break;
    }
    m_largestTotal = 0;
    m_rowSeconds = 0;
    for (const StudioHours::Total& total : std::as_const(m_breakdown)) {
        m_largestTotal = std::max(m_largestTotal, total.seconds);
        m_rowSeconds += total.seconds;
    }
    Q_EMIT breakdownChanged();
}

void AnalyticsModel::updateChart()
{
    const ReportsModel& reports = m_reports;
    const TimesheetPeriod& period = reports.reportPeriod();
    QList<StudioHours::Bucket> buckets;
    if (reports.studio())
        buckets = reports.studio()->buckets(period, reports.studioRows());
    else
        buckets = StudioHours::Snapshot().buckets(period, StudioHours::Rows());

    const QLocale locale;
    const Calendar& calendar = period.calendar();
    QList<ChartDay> days;
    days.reserve(buckets.size());
    double largest = 0;
    for (const StudioHours::Bucket& bucket : std::as_const(buckets)) {
        const QDate date = calendar.day(bucket.start);
        ChartDay day{bucket.start, bucket.seconds, {}, {}};
        switch (period.kind()) {
        case Kind::week:
            day.label = locale.dayName(date.dayOfWeek(), QLocale::ShortFormat) + u' ' +
                        QString::number(date.day());
            day.sentence = locale.toString(date, QStringLiteral("dddd d MMMM"));
            break;
        case Kind::month:
            day.label = QString::number(date.day());
            day.sentence = locale.toString(date, QStringLiteral("dddd d MMMM"));
            break;
        case Kind::year:
            day.label = locale.standaloneMonthName(date.month(), QLocale::ShortFormat);
            day.sentence = locale.standaloneMonthName(date.month(), QLocale::LongFormat) + u' ' +
                           QString::number(date.year());
            break;
        }
        day.sentence =
            bucket.seconds > 0
                ? tr("%1: %2", "a bar's day or month and its hours")
                      .arg(day.sentence, Duration::coarseString(bucket.seconds))
                : tr("%1: nothing", "a bar's day or month without hours").arg(day.sentence);
        largest = std::max(largest, bucket.seconds);
        days.append(day);
    }
    const ChartScale scale = scaleFor(largest);
    if (days == m_chartDays && scale == m_chartScale)
        return;
    m_chartDays = std::move(days);
    m_chartScale = scale;
    Q_EMIT chartChanged();
}

AnalyticsModel::ChartScale AnalyticsModel::scaleFor(double largestSeconds)
{
    const double hours = largestSeconds / 3600.0;
    if (!(hours > 0))
        return {4, 1};
    // The smallest round step that needs at most four lines, so that their
    // labels stay apart; a quarter of an hour at the least.
    const double wanted = hours / 4;
    const auto roundStep = [wanted] {
        if (wanted <= 0.25)
            return 0.25;
        if (wanted <= 0.5)
            return 0.5;
        for (double power = 1;; power *= 10) {
            for (const double factor : {1.0, 2.0, 5.0}) {
                if (factor * power >= wanted)
                    return factor * power;
            }
        }
    };
    const double step = roundStep();
    return {std::ceil(hours / step - 1e-9) * step, step};
}

QString AnalyticsModel::age(double seconds)
{
    const qint64 s = std::max<qint64>(0, qint64(seconds));
    if (s < 60)
        return tr("just now");
    if (s < 3600)
        return tr("%n minutes ago", nullptr, int(s / 60));
    if (s < 86400)
        return tr("%n hours ago", nullptr, int(s / 3600));
    return tr("%n days ago", nullptr, int(s / 86400));
}

AnalyticsModel::State AnalyticsModel::state() const
{
    if (!hasFolder())
        return State::noFolder;
    const ReportsModel& reports = m_reports;
    if (!reports.studio())
        return reports.studioError() && !reports.isReadingStudio() ? State::unreachable
                                                                   : State::reading;
    if (reports.studio()->isEmpty())
        return State::nothingUploaded;
    return State::figures;
}

QString AnalyticsModel::stateTitle() const
{
    switch (state()) {
    case State::reading:
        return tr("Reading the studio folder…");
    case State::noFolder:
        return tr("No studio folder chosen");
    case State::unreachable:
        return tr("The studio folder is out of reach");
    case State::nothingUploaded:
        return tr("Nothing uploaded yet");
    case State::figures:
        break;
    }
    return {};
}

QString AnalyticsModel::stateText() const
{
    switch (state()) {
    case State::reading:
        // The title says as much until the timesheets are found.
        return readingPercent() ? readingCaption() : QString();
    case State::figures:
        break;
    case State::noFolder:
        return tr(
            "Choose one in Settings, Studio. Until then there is nothing shared to report on.");
    case State::unreachable:
        return tr("Nothing is wrong with anybody’s hours — this computer just cannot see the "
                  "drive.\n%1")
            .arg(m_reports.studioError().value_or(QString()));
    case State::nothingUploaded:
        return tr("The studio folder is there, but nobody has handed a week in. Hours stay on each "
                  "person’s own computer until they press Upload in History.");
    }
    return {};
}

std::optional<int> AnalyticsModel::percentOf(const StudioReadProgress& progress)
{
    if (progress.found <= 0)
        return std::nullopt;
    return int(std::clamp<qsizetype>(progress.read, 0, progress.found) * 100 / progress.found);
}

QString AnalyticsModel::readingCaption(const StudioReadProgress& progress)
{
    const std::optional<int> percent = percentOf(progress);
    if (!percent)
        return tr("Reading the studio folder…");
    return tr("Reading timesheets… %1%").arg(*percent);
}

std::optional<int> AnalyticsModel::readingPercent() const
{
    if (!m_reports.isReadingStudio())
        return std::nullopt;
    return percentOf(m_reports.studioReadProgress());
}

QString AnalyticsModel::readingCaption() const
{
    if (!m_reports.isReadingStudio())
        return {};
    return readingCaption(m_reports.studioReadProgress());
}

std::optional<QString> AnalyticsModel::staleNote() const
{
    const ReportsModel& reports = m_reports;
    if (!hasFolder() || !reports.studio() || !reports.studioError())
        return std::nullopt;
    const double seconds = double(reports.studio()->readAt.msecsTo(m_books.clock().now())) / 1000.0;
    return tr("Nothing is wrong with anybody’s hours — this computer just cannot see the "
              "drive.\nShowing what was last read — %1")
        .arg(age(seconds));
}

QString AnalyticsModel::unreadableNote() const
{
    const ReportsModel& reports = m_reports;
    if (!reports.studio() || reports.studio()->unreadable.isEmpty())
        return {};
    const QStringList& files = reports.studio()->unreadable;
    return tr("%n timesheets could not be read: %1.\nThose hours are missing from these figures.",
              nullptr, int(files.size()))
        .arg(files.join(QStringLiteral(", ")));
}

// A pass over every session: done when the snapshot or the period change,
// not each time the screen asks.
void AnalyticsModel::updatePeople()
{
    const ReportsModel& reports = m_reports;
    m_peopleWithNothing = reports.studio()
                              ? reports.studio()->peopleWithNothing(reports.reportPeriod())
                              : QStringList();
}

QString AnalyticsModel::totalCaption() const
{
    const qsizetype sessions = m_reports.studioRows().size();
    return tr("%1 · %n sessions", nullptr, int(sessions)).arg(Duration::coarseString(m_rowSeconds));
}

QString AnalyticsModel::emptyText() const
{
    const ReportsModel& reports = m_reports;
    const QString title = reports.reportPeriod().title();
    const QString query = reports.studioQuery().trimmed();
    if (query.isEmpty())
        return tr("Nothing handed in for %1").arg(title);
    return tr("Nothing in %1 matches “%2”").arg(title, query);
}

} // namespace zol
