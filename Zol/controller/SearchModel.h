#pragma once

#include "records/TimeEntry.h"
#include "reports/SearchRange.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QString>

namespace zol {

class AppModel;

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

public:
    // The range a search covers until the user picks another.
    static constexpr SearchRange defaultRange = SearchRange::threeMonths;

    explicit SearchModel(AppModel& model);
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

Q_SIGNALS:
    void searchQueryChanged();
    void searchRangeChanged();
    void searchResultsChanged();
    void isSearchingChanged();

private:
    void setSearchResults(const QList<TimeEntry>& results);
    void setSearching(bool searching);

    AppModel& m_model;
    QString m_searchQuery;
    SearchRange m_searchRange = defaultRange;
    QList<TimeEntry> m_searchResults;
    bool m_isSearching = false;
    QFuture<void> m_searchTask;
    // Moves with every search started or cancelled; only the newest applies.
    quint64 m_serial = 0;
};

} // namespace zol
