#pragma once

#include "records/SearchRange.h"
#include "records/TimeEntry.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace zol {

class HistoryModel;
class OpenBooks;
class StatusModel;

// What the search results add up to.
struct SearchSummary
{
    int sessions = 0;
    // Different project numbers (internal work not counted).
    int projects = 0;
    // Different clients, folded (sessions without a client not counted).
    int clients = 0;
    // Seconds worked, an open session up to now.
    double totalSeconds = 0;

    // "12 sessions · 14h 5m · 3 projects · 2 clients".
    QString text() const;
    static SearchSummary of(const QList<TimeEntry>& entries, const QDateTime& now);

    bool operator==(const SearchSummary& other) const = default;
};

// The controller's search over the open books' sessions. Setting the query or
// the range starts a search on a worker; the newest search wins: the result
// of one started earlier, or for books closed since, is dropped. A blank query
// clears the results at once and searches nothing.
class SearchModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchModel)
    Q_PROPERTY(QString searchQuery READ searchQuery WRITE setSearchQuery NOTIFY searchQueryChanged)
    Q_PROPERTY(zol::SearchRange searchRange READ searchRange WRITE setSearchRange NOTIFY
                   searchRangeChanged)
    Q_PROPERTY(QList<zol::TimeEntry> searchResults READ searchResults NOTIFY searchResultsChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY isSearchingChanged)
    Q_PROPERTY(bool hasOlderMatches READ hasOlderMatches NOTIFY searchResultsChanged)

public:
    // The range a search covers until the user picks another.
    static constexpr SearchRange defaultRange = SearchRange::threeMonths;

    SearchModel(OpenBooks& books, StatusModel& status, const HistoryModel& history,
                QObject* parent = nullptr);
    ~SearchModel() override;

    const QString& searchQuery() const { return m_searchQuery; }
    SearchRange searchRange() const { return m_searchRange; }
    // Matching live sessions, newest first.
    const QList<TimeEntry>& searchResults() const { return m_searchResults; }
    bool isSearching() const { return m_isSearching; }
    // The newest search: finishes once its result is shown or dropped. A
    // finished future when nothing is searched.
    QFuture<void> searchTask() const { return m_searchTask; }

    void setSearchQuery(const QString& query);
    void setSearchRange(SearchRange range);
    // Runs the current search again (after the sessions changed).
    QFuture<void> refresh();

    // The ranges the Search section offers, in its order: the last 3 and 6
    // months, this year so far, all time.
    static QList<SearchRange> offeredRanges();
    // Sessions before the range's start match the query too.
    bool hasOlderMatches() const { return m_hasOlderMatches; }
    SearchSummary summary() const;
    // The results in a sentence: "12 sessions · 14h 5m · 3 projects · 2 clients
    // in the last 3 months", and ". There is more before that." when the range
    // hides older matches; "Nothing found in the last 3 months." without any.
    // Empty while the query is blank.
    QString resultSentence() const;

Q_SIGNALS:
    void searchQueryChanged();
    void searchRangeChanged();
    void searchResultsChanged();
    void isSearchingChanged();

private:
    void setSearchResults(const QList<TimeEntry>& results, bool hasOlderMatches = false);
    void setSearching(bool searching);

    OpenBooks& m_books;
    StatusModel& m_status;
    QString m_searchQuery;
    SearchRange m_searchRange = defaultRange;
    QList<TimeEntry> m_searchResults;
    bool m_isSearching = false;
    bool m_hasOlderMatches = false;
    QFuture<void> m_searchTask;
    // Moves with every search started or cancelled; only the newest applies.
    quint64 m_serial = 0;
    // m_serial as the workers read it, to give up a search once it is not
    // the newest.
    std::shared_ptr<std::atomic<quint64>> m_latestSearch =
        std::make_shared<std::atomic<quint64>>(0);
};

} // namespace zol
