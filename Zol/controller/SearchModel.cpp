#include "SearchModel.h"

#include "HistoryModel.h"
#include "OffThread.h"
#include "OpenBooks.h"
#include "StatusModel.h"
#include "records/Duration.h"
#include "store/EntryStore.h"
#include "support/Error.h"

#include <QSet>

#include <exception>
#include <limits>
#include <memory>

namespace zol {

namespace {

// What one search found.
struct Found
{
    QList<TimeEntry> results;
    // Matches before the range's start exist.
    bool hasOlder = false;
};

} // namespace

SearchModel::SearchModel(OpenBooks& books, StatusModel& status, const HistoryModel& history,
                         QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_status(status)
    , m_searchTask(QtFuture::makeReadyFuture())
{
    // The query belongs to the books it searched; the range is the user's.
    connect(&books, &OpenBooks::closing, this, [this] { setSearchQuery({}); });
    // Sessions edited, deleted or restored show in the results at once.
    connect(&history, &HistoryModel::historyEntriesChanged, this, [this] {
        if (!m_searchQuery.trimmed().isEmpty())
            refresh();
    });
}

SearchModel::~SearchModel() = default;

void SearchModel::setSearchQuery(const QString& query)
{
    if (m_searchQuery == query)
        return;
    m_searchQuery = query;
    Q_EMIT searchQueryChanged();
    refresh();
}

void SearchModel::setSearchRange(SearchRange range)
{
    if (m_searchRange == range)
        return;
    m_searchRange = range;
    Q_EMIT searchRangeChanged();
    refresh();
}

QFuture<void> SearchModel::refresh()
{
    const quint64 serial = ++m_serial;
    const QString query = m_searchQuery.trimmed();
    if (query.isEmpty()) {
        m_latestSearch->store(serial);
        setSearchResults({});
        setSearching(false);
        m_searchTask = QtFuture::makeReadyFuture();
        return m_searchTask;
    }

    const quint64 generation = m_books.generation();
    const std::shared_ptr<EntryStore> store = m_books.sharedStore();
    const SearchRange range = m_searchRange;
    const QDateTime now = m_books.clock().now();
    const Calendar calendar = m_books.calendar();
    setSearching(true);

    // A search the next key has replaced stops where it is: typing a word
    // would otherwise queue a whole search per letter, the newest last.
    m_latestSearch->store(serial);
    const auto abandoned = [latest = m_latestSearch, serial] { return latest->load() != serial; };
    m_searchTask = OffThread::run(
        this,
        [store, query, range, now, calendar, abandoned] {
            Found found;
            found.results = store->search(query, range, now, std::numeric_limits<int>::max(),
                                          calendar, abandoned);
            if (abandoned())
                return found;
            // Newest first over all time: the matches in the range come first,
            // so one more than those is an older one.
            if (range.start(now, calendar)) {
                const qsizetype inRange = found.results.size();
                found.hasOlder = store
                                     ->search(query, SearchRange::all, now, int(inRange) + 1,
                                              calendar, abandoned)
                                     .size() > inRange;
            }
            return found;
        },
        [this, serial, generation](OffThread::Outcome<Found> outcome) {
            if (serial != m_serial)
                return;
            setSearching(false);
            if (generation != m_books.generation())
                return;
            const Found found = outcome.value.value_or(Found());
            setSearchResults(found.results, found.hasOlder);
            if (outcome.error)
                m_status.show(StatusMessage::failure(OffThread::describe(outcome.error)));
        });
    return m_searchTask;
}

void SearchModel::setSearchResults(const QList<TimeEntry>& results, bool hasOlderMatches)
{
    if (m_searchResults == results && m_hasOlderMatches == hasOlderMatches)
        return;
    m_searchResults = results;
    m_hasOlderMatches = hasOlderMatches;
    Q_EMIT searchResultsChanged();
}

QList<SearchRange> SearchModel::offeredRanges()
{
    return {SearchRange::threeMonths, SearchRange::sixMonths, SearchRange::yearToDate,
            SearchRange::all};
}

SearchSummary SearchModel::summary() const
{
    return SearchSummary::of(m_searchResults, m_books.clock().now());
}

QString SearchModel::resultSentence() const
{
    if (m_searchQuery.trimmed().isEmpty())
        return {};
    // As SearchRange describes it: "the last 3 months".
    const QString range = m_searchRange.description();
    if (m_searchResults.isEmpty()) {
        return m_hasOlderMatches ? tr("Nothing found in %1. There is more before that.").arg(range)
                                 : tr("Nothing found in %1.").arg(range);
    }
    // What was found ("12 sessions · 14h 5m · 3 projects"), then the range.
    return m_hasOlderMatches
               ? tr("%1 in %2. There is more before that.").arg(summary().text(), range)
               : tr("%1 in %2.").arg(summary().text(), range);
}

QString SearchSummary::text() const
{
    QStringList parts{SearchModel::tr("%n sessions", nullptr, sessions),
                      Duration::coarseString(totalSeconds)};
    if (projects > 0)
        parts.append(SearchModel::tr("%n projects", nullptr, projects));
    if (clients > 0)
        parts.append(SearchModel::tr("%n clients", nullptr, clients));
    return parts.join(QStringLiteral(" · "));
}

SearchSummary SearchSummary::of(const QList<TimeEntry>& entries, const QDateTime& now)
{
    SearchSummary summary;
    QSet<QString> projects;
    QSet<QString> clients;
    for (const TimeEntry& entry : entries) {
        ++summary.sessions;
        summary.totalSeconds += entry.duration(now);
        if (!entry.isInternal && !entry.projectSerial.isEmpty())
            projects.insert(Project::normalizedNumber(entry.projectSerial));
        if (!entry.isInternal && !entry.clientName.trimmed().isEmpty())
            clients.insert(Search::fold(entry.clientName));
    }
    summary.projects = int(projects.size());
    summary.clients = int(clients.size());
    return summary;
}

void SearchModel::setSearching(bool searching)
{
    if (m_isSearching == searching)
        return;
    m_isSearching = searching;
    Q_EMIT isSearchingChanged();
}

} // namespace zol
