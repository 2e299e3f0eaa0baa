#pragma once

#include "CatalogueModel.h"
#include "records/Project.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace zol {

class OpenBooks;

// The Projects screen's list: the whole catalogue narrowed by a filter
// (active, archived or unused) and a search, in one of five orders, with how
// much each project was tracked. A view of the controller's catalogue(); the
// operations on a project are the catalogue's own.
//
// Built for catalogues of thousands: the order is worked out when the
// projects, their usage or the sort change, and typing in the search only
// narrows that order, comparing against folded texts made once per project.
// The usage (a read of every session) is worked out only while the screen
// shows.
class ProjectsList final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectsList)

public:
    enum class Filter { active, archived, unused };
    enum class Sort { recent, mostTracked, number, client, name };

    // One project as the list shows it.
    struct Row
    {
        Project project;
        ProjectUsage usage;
    };

    ProjectsList(const OpenBooks& books, CatalogueModel& catalogue, QObject* parent = nullptr);
    ~ProjectsList() override;

    static QList<Filter> filters();
    // "Active", "Archived", "Unused".
    static QString label(Filter filter);
    static QList<Sort> sorts();
    // "Recent", "Most hours", "Number", "Client", "Name".
    static QString label(Sort sort);

    Filter filter() const { return m_filter; }
    Sort sort() const { return m_sort; }
    const QString& query() const { return m_query; }
    void setFilter(Filter filter);
    void setSort(Sort sort);
    void setQuery(const QString& query);

    // The projects to show, in order.
    const QList<Row>& rows() const { return m_rows; }

    // Why the list is empty, in a heading and a sentence; empty texts while
    // it shows something. The catalogue without any project says so whatever
    // the filter.
    QString emptyTitle() const;
    QString emptyText() const;
    // The row's second line: "Acme · 12h 30m · last on 2 Mar 2026", "Acme ·
    // never tracked".
    QString details(const Row& row) const;

    // While the screen shows, the usage follows every change of the sessions.
    void setActive(bool active);

Q_SIGNALS:
    void filterChanged();
    void sortChanged();
    void queryChanged();
    // rows() was replaced.
    void rowsChanged();

private:
    struct Entry
    {
        Project project;
        ProjectUsage usage;
        // Number, client and name folded, for the search.
        QString haystack;
    };

    void reload();
    void reloadUsage();
    void reorder();
    void narrow();

    const OpenBooks& m_books;
    CatalogueModel& m_catalogue;
    Filter m_filter = Filter::active;
    Sort m_sort = Sort::recent;
    QString m_query;
    bool m_active = false;
    bool m_usageStale = true;
    QHash<QString, ProjectUsage> m_usage;
    // Every project, in the order of the sort.
    QList<Entry> m_ordered;
    QList<Row> m_rows;
};

} // namespace zol
