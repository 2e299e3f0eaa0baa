#include "ProjectsList.h"

#include "OpenBooks.h"
#include "records/Duration.h"
#include "support/Folding.h"
#include "support/NaturalOrder.h"
#include "tracking/Tracker.h"

#include <QLocale>

#include <algorithm>
#include <functional>

namespace zol {

namespace {

// Texts that are empty go after every text that is not.
int compareFilledFirst(const QString& a, const QString& b)
{
    if (a.isEmpty() != b.isEmpty())
        return a.isEmpty() ? 1 : -1;
    return naturalCompare(a, b);
}

} // namespace

ProjectsList::ProjectsList(const OpenBooks& books, CatalogueModel& catalogue, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_catalogue(catalogue)
{
    connect(&catalogue, &CatalogueModel::allProjectsChanged, this, [this] {
        m_usageStale = true;
        reload();
    });
    // Sessions started, stopped, edited or deleted move the figures.
    connect(&books, &OpenBooks::sessionsChanged, this, [this] {
        m_usageStale = true;
        if (m_active)
            reload();
    });
    reload();
}

ProjectsList::~ProjectsList() = default;

QList<ProjectsList::Filter> ProjectsList::filters()
{
    return {Filter::active, Filter::archived, Filter::unused};
}

QString ProjectsList::label(Filter filter)
{
    switch (filter) {
    case Filter::active:
        break;
    case Filter::archived:
        return tr("Archived");
    case Filter::unused:
        return tr("Unused");
    }
    return tr("Active");
}

QList<ProjectsList::Sort> ProjectsList::sorts()
{
    return {Sort::recent, Sort::mostTracked, Sort::number, Sort::client, Sort::name};
}

QString ProjectsList::label(Sort sort)
{
    switch (sort) {
    case Sort::recent:
        break;
    case Sort::mostTracked:
        return tr("Most hours");
    case Sort::number:
        return tr("Number");
    case Sort::client:
        return tr("Client");
    case Sort::name:
        return tr("Name");
    }
    return tr("Recent");
}

void ProjectsList::setFilter(Filter filter)
{
    if (m_filter == filter)
        return;
    m_filter = filter;
    Q_EMIT filterChanged();
    narrow();
}

void ProjectsList::setSort(Sort sort)
{
    if (m_sort == sort)
        return;
    m_sort = sort;
    Q_EMIT sortChanged();
    reorder();
}

void ProjectsList::setQuery(const QString& query)
{
    if (m_query == query)
        return;
    m_query = query;
    Q_EMIT queryChanged();
    narrow();
}

void ProjectsList::setActive(bool active)
{
    m_active = active;
    if (m_active && m_usageStale)
        reload();
}

void ProjectsList::reloadUsage()
{
    if (!m_active || !m_usageStale)
        return;
    m_usage = m_catalogue.projectUsage();
    m_usageStale = false;
}

void ProjectsList::reload()
{
    reloadUsage();
    const QList<Project>& projects = m_catalogue.allProjects();
    m_ordered.clear();
    m_ordered.reserve(projects.size());
    for (const Project& project : projects) {
        const QString haystack = fold(
            QString(project.displaySerial() + u'\n' + project.clientName + u'\n' + project.name));
        m_ordered.append(Entry{project, m_usage.value(project.serial), haystack});
    }
    reorder();
}

void ProjectsList::reorder()
{
    const auto byName = [](const Entry& a, const Entry& b) {
        const int name = naturalCompare(a.project.name, b.project.name);
        if (name != 0)
            return name < 0;
        const int client = compareFilledFirst(a.project.clientName, b.project.clientName);
        return client != 0 ? client < 0 : a.project.serial < b.project.serial;
    };
    std::function<bool(const Entry&, const Entry&)> less;
    switch (m_sort) {
    case Sort::recent:
        // Last tracked first; never tracked after, the newest first.
        less = [byName](const Entry& a, const Entry& b) {
            const QDateTime& x = a.usage.lastTrackedAt;
            const QDateTime& y = b.usage.lastTrackedAt;
            if (x.isValid() != y.isValid())
                return x.isValid();
            if (x != y)
                return x > y;
            if (a.project.updatedAt != b.project.updatedAt)
                return a.project.updatedAt > b.project.updatedAt;
            return byName(a, b);
        };
        break;
    case Sort::mostTracked:
        less = [byName](const Entry& a, const Entry& b) {
            if (a.usage.totalSeconds != b.usage.totalSeconds)
                return a.usage.totalSeconds > b.usage.totalSeconds;
            return byName(a, b);
        };
        break;
    case Sort::number:
        less = [byName](const Entry& a, const Entry& b) {
            const int number =
                compareFilledFirst(a.project.displaySerial(), b.project.displaySerial());
            return number != 0 ? number < 0 : byName(a, b);
        };
        break;
    case Sort::client:
        less = [byName](const Entry& a, const Entry& b) {
            const int client = compareFilledFirst(a.project.clientName, b.project.clientName);
            return client != 0 ? client < 0 : byName(a, b);
        };
        break;
    case Sort::name:
        less = byName;
        break;
    }
    std::stable_sort(m_ordered.begin(), m_ordered.end(), less);
    narrow();
}

void ProjectsList::narrow()
{
    const QString folded = fold(m_query);
    QList<Row> rows;
    rows.reserve(m_ordered.size());
    for (const Entry& entry : std::as_const(m_ordered)) {
        bool shown = false;
        switch (m_filter) {
        case Filter::active:
            shown = entry.project.isActive;
            break;
        case Filter::archived:
            shown = !entry.project.isActive;
            break;
        case Filter::unused:
            shown = entry.usage.sessions == 0;
            break;
        }
        if (shown && (folded.isEmpty() || entry.haystack.contains(folded)))
            rows.append(Row{entry.project, entry.usage});
    }
    m_rows = std::move(rows);
    Q_EMIT rowsChanged();
}

QString ProjectsList::emptyTitle() const
{
    if (!m_rows.isEmpty())
        return {};
    if (m_catalogue.allProjects().isEmpty())
        return tr("No projects yet");
    if (!fold(m_query).isEmpty())
        return tr("No match");
    switch (m_filter) {
    case Filter::active:
        break;
    case Filter::archived:
        return tr("Nothing archived");
    case Filter::unused:
        return tr("Every project has been used");
    }
    return tr("Everything is archived");
}

QString ProjectsList::emptyText() const
{
    if (!m_rows.isEmpty())
        return {};
    if (m_catalogue.allProjects().isEmpty())
        return tr("Add one here, or let the studio folder bring them in.");
    if (!fold(m_query).isEmpty()) {
        const QString typed = m_query.trimmed();
        switch (m_filter) {
        case Filter::active:
            break;
        case Filter::archived:
            return tr("No archived project has “%1” in its number, client or name.").arg(typed);
        case Filter::unused:
            return tr("No unused project has “%1” in its number, client or name.").arg(typed);
        }
        return tr("No active project has “%1” in its number, client or name.").arg(typed);
    }
    switch (m_filter) {
    case Filter::active:
        return tr("Put one back in the picker from the archived projects.");
    case Filter::archived:
        return tr("Archiving puts a finished job out of the picker without losing its hours.");
    case Filter::unused:
        break;
    }
    return tr("Every project here has hours tracked on it.");
}

QString ProjectsList::details(const Row& row) const
{
    QStringList parts;
    if (!row.project.clientName.isEmpty())
        parts.append(row.project.clientName);
    if (row.usage.sessions == 0) {
        parts.append(tr("never tracked"));
    } else {
        parts.append(Duration::coarseString(row.usage.totalSeconds));
        const QDate last = m_books.calendar().day(row.usage.lastTrackedAt);
        parts.append(tr("last on %1").arg(QLocale().toString(last, QStringLiteral("d MMM yyyy"))));
    }
    return parts.join(QStringLiteral(" · "));
}

} // namespace zol
