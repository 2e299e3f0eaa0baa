#include "SearchModel.h"

#include "AppModel.h"
#include "HistoryModel.h"
#include "OffThread.h"
#include "store/EntryStore.h"
#include "support/Error.h"

#include <exception>
#include <limits>
#include <memory>

namespace zol {

SearchModel::SearchModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
    , m_searchTask(QtFuture::makeReadyFuture())
{
    // The query belongs to the books it searched; the range is the user's.
    connect(&model, &AppModel::booksClosing, this, [this] { setSearchQuery({}); });
    // Sessions edited, deleted or restored show in the results at once.
    connect(model.history(), &HistoryModel::historyEntriesChanged, this, [this] {
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
        setSearchResults({});
        setSearching(false);
        m_searchTask = QtFuture::makeReadyFuture();
        return m_searchTask;
    }

    const quint64 generation = m_model.generation();
    const std::shared_ptr<EntryStore> store = m_model.sharedStore();
    const SearchRange range = m_searchRange;
    const QDateTime now = m_model.clock().now();
    const Calendar calendar = m_model.calendar();
    setSearching(true);

    m_searchTask = OffThread::run(
        this,
        [store, query, range, now, calendar] {
            return store->search(query, range, now, std::numeric_limits<int>::max(), calendar);
        },
        [this, serial, generation](OffThread::Outcome<QList<TimeEntry>> outcome) {
            if (serial != m_serial)
                return;
            setSearching(false);
            if (generation != m_model.generation())
                return;
            setSearchResults(outcome.value.value_or(QList<TimeEntry>()));
            if (outcome.error)
                m_model.setStatus(StatusMessage::failure(OffThread::describe(outcome.error)));
        });
    return m_searchTask;
}

void SearchModel::setSearchResults(const QList<TimeEntry>& results)
{
    if (m_searchResults == results)
        return;
    m_searchResults = results;
    Q_EMIT searchResultsChanged();
}

void SearchModel::setSearching(bool searching)
{
    if (m_isSearching == searching)
        return;
    m_isSearching = searching;
    Q_EMIT isSearchingChanged();
}

} // namespace zol
