#include "window/HistoryListModel.h"

#include "AppModel.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "records/Duration.h"

namespace zol::ui {

HistoryListModel::HistoryListModel(AppModel& model, QObject* parent)
    : QAbstractListModel(parent)
    , m_model(model)
    , m_history(*model.history())
{
    connect(&m_history, &HistoryModel::historyEntriesChanged, this, &HistoryListModel::rebuild);
    connect(&m_history, &HistoryModel::historyScopeChanged, this, &HistoryListModel::rebuild);
    rebuild();
}

HistoryListModel::~HistoryListModel() = default;

void HistoryListModel::rebuild()
{
    beginResetModel();
    m_rows.clear();
    const QList<HistoryDay>& days = m_history.historyList();
    // A single day needs no heading of its own: the page's title names it.
    const bool dayHeadings = m_history.historyScope() != HistoryScope::day;
    for (int d = 0; d < days.size(); ++d) {
        if (dayHeadings)
            m_rows.append({Kind::day, d, -1, -1});
        const QList<ProjectTotal>& groups = days.at(d).groups;
        for (int g = 0; g < groups.size(); ++g) {
            m_rows.append({Kind::group, d, g, -1});
            for (int e = 0; e < groups.at(g).entries.size(); ++e)
                m_rows.append({Kind::session, d, g, e});
        }
    }
    endResetModel();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

const HistoryDay& HistoryListModel::day(int row) const
{
    return m_history.historyList().at(m_rows.at(row).day);
}

const ProjectTotal& HistoryListModel::group(int row) const
{
    return day(row).groups.at(m_rows.at(row).group);
}

const TimeEntry& HistoryListModel::entry(int row) const
{
    return group(row).entries.at(m_rows.at(row).entry);
}

int HistoryListModel::rowOf(const QUuid& id) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).kind == Kind::session && entry(row).id == id)
            return row;
    }
    return -1;
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return spoken(index.row());
    case KindRole:
        return int(kind(index.row()));
    default:
        return {};
    }
}

// What a screen reader says of the row.
QString HistoryListModel::spoken(int row) const
{
    const QDateTime now = m_model.clock().now();
    switch (kind(row)) {
    case Kind::day: {
        const HistoryDay& d = day(row);
        return HistoryCaptions::dayTitle(d.day) + QStringLiteral(", ") +
               Duration::coarseString(d.totalSeconds(now));
    }
    case Kind::group: {
        const ProjectTotal& g = group(row);
        QString text = g.title();
        if (!g.clientName.isEmpty())
            text += QStringLiteral(", ") + g.clientName;
        return text + QStringLiteral(", ") + Duration::coarseString(g.totalSeconds(now));
    }
    case Kind::session:
        break;
    }
    const TimeEntry& e = entry(row);
    QString text = HistoryCaptions::timeSpan(e, m_model.books().calendar()) + QStringLiteral(", ") +
                   Duration::coarseString(e.duration(now));
    if (!e.note.isEmpty())
        text += QStringLiteral(", ") + e.note;
    return text;
}

} // namespace zol::ui
