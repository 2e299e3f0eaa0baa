#pragma once

#include "formats/TimesheetPeriod.h"
#include "reports/StudioHours.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace zol {

class OpenBooks;
class ReportsModel;
struct StudioReadProgress;

// What the Analytics screen shows of the studio's hours: which of its states
// it is in, the breakdown of the rows shown by the chosen grouping, the chart's
// days and its scale, and the notes about stale, unreadable and missing
// timesheets. A view of the controller's reports() section: the period, the
// search and the snapshot stay there, only the grouping is kept here.
//
// The breakdown and the chart are worked out once per change of the rows or
// the grouping, never when they are read.
class AnalyticsModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnalyticsModel)

public:
    enum class Grouping { person, client, project, task };

    // What the screen shows in place of, or beside, the figures.
    enum class State {
        // The first read of these books is running: nothing to show yet.
        reading,
        // No studio folder for these books.
        noFolder,
        // The folder cannot be reached and nothing was read before.
        unreachable,
        // Read, but nobody has handed anything in.
        nothingUploaded,
        // The figures (perhaps of an earlier read: see staleNote()).
        figures,
    };

    // One bar of the chart.
    struct ChartDay
    {
        QDateTime start;
        double seconds = 0;
        // Under the bar: "Mon 2", "14" or "Mar".
        QString label;
        // The bar's total as read out and shown on pointing: "Monday 2 March:
        // 7h 30m", "March 2026: nothing".
        QString sentence;

        bool operator==(const ChartDay& other) const = default;
    };

    // The chart's vertical scale: lines every `stepHours`, up to `topHours`,
    // which is never below the largest bar.
    struct ChartScale
    {
        double topHours = 1;
        double stepHours = 1;

        bool operator==(const ChartScale& other) const = default;
    };

    AnalyticsModel(const OpenBooks& books, ReportsModel& reports, QObject* parent = nullptr);
    ~AnalyticsModel() override;

    static QList<Grouping> groupings();
    // "Person", "Client", "Project", "Task".
    static QString label(Grouping grouping);

    Grouping grouping() const { return m_grouping; }
    void setGrouping(Grouping grouping);

    State state() const;
    // The heading and the sentence of a state other than figures.
    QString stateTitle() const;
    QString stateText() const;
    // While the studio folder is read: the share of its timesheets read so
    // far, 0 to 100 (rounded down, so 100 only once all are read); none before
    // they are found and while no read runs.
    std::optional<int> readingPercent() const;
    // "Reading timesheets… 40%" as the read goes, "Reading the studio
    // folder…" before its timesheets are found; empty while no read runs.
    QString readingCaption() const;
    static std::optional<int> percentOf(const StudioReadProgress& progress);
    static QString readingCaption(const StudioReadProgress& progress);

    // A read failed after an earlier one worked: the failure's sentences and
    // "Showing what was last read — 2 hours ago". None otherwise.
    std::optional<QString> staleNote() const;
    // "2 timesheets could not be read: a.csv, b.csv." with "Those hours are
    // missing from these figures."; empty when every file was read.
    QString unreadableNote() const;
    // People with a folder on the share and nothing in the period shown.
    const QStringList& peopleWithNothing() const { return m_peopleWithNothing; }
    // "12h 30m · 24 sessions" over the rows shown.
    QString totalCaption() const;
    // What the figures say when the period shows nothing: "Nothing handed in
    // for March 2026", or "Nothing in March 2026 matches “acme”".
    QString emptyText() const;

    // The rows shown, totalled by the grouping, largest first.
    const QList<StudioHours::Total>& breakdown() const { return m_breakdown; }
    // The largest total of the breakdown, for its bars; 0 when empty.
    double largestTotal() const { return m_largestTotal; }
    const QList<ChartDay>& chartDays() const { return m_chartDays; }
    const ChartScale& chartScale() const { return m_chartScale; }

    // A scale with round steps (1, 2 or 5 times a power of ten hours, four or
    // five lines) that holds `largestSeconds`.
    static ChartScale scaleFor(double largestSeconds);
    // "just now", "5 minutes ago", "1 hour ago", "3 days ago".
    static QString age(double seconds);

    // The heading and sentence over the people who handed nothing in.
    static QString peopleWithNothingTitle();
    static QString peopleWithNothingText();

    // While the screen shows: the studio folder is read whenever these books
    // have one and nothing has been read of it yet (the screen opens, other
    // books are opened, a folder is chosen). A failed read is not repeated by
    // itself; "Read the studio folder again" does that.
    void setActive(bool active);
    bool isActive() const { return m_active; }

Q_SIGNALS:
    void groupingChanged();
    // state(), the notes or the caption may read differently.
    void stateChanged();
    void breakdownChanged();
    void chartChanged();
    // readingPercent() and readingCaption() may read differently.
    void readingChanged();

private:
    bool hasFolder() const;
    void readIfNeverRead();
    void followSettings();
    void updateBreakdown();
    void updateChart();
    void updatePeople();

    const OpenBooks& m_books;
    ReportsModel& m_reports;
    bool m_active = false;
    QMetaObject::Connection m_folderConnection;
    Grouping m_grouping = Grouping::project;
    QList<StudioHours::Total> m_breakdown;
    double m_largestTotal = 0;
    double m_rowSeconds = 0;
    QList<ChartDay> m_chartDays;
    ChartScale m_chartScale;
    QStringList m_peopleWithNothing;
};

} // namespace zol
