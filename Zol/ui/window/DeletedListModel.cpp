#include "window/DeletedListModel.h"

#include "AppModel.h"
#include "Captions.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "records/Duration.h"

namespace zol::ui {

DeletedListModel::DeletedListModel(AppModel& model, QObject* parent)
    : QAbstractListModel(parent)
    , m_model(model)
{
    connect(model.history(), &HistoryModel::deletedEntriesChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

DeletedListModel::~DeletedListModel() = default;

int DeletedListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_model.history()->deletedEntries().size());
}

const TimeEntry& DeletedListModel::entry(int row) const
{
    return m_model.history()->deletedEntries().at(row);
}

QVariant DeletedListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const TimeEntry& e = entry(index.row());
    const QString project = Captions::sessionTitle(e);
    return QString(project + QStringLiteral(", ") +
                   HistoryCaptions::dayTitle(m_model.books().calendar().day(e.startedAt)) +
                   QStringLiteral(", ") + HistoryCaptions::timeSpan(e, m_model.books().calendar()) +
                   QStringLiteral(", ") +
                   Duration::coarseString(e.duration(m_model.clock().now())));
}

} // namespace zol::ui
