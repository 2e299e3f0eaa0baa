#include "window/BreakdownModel.h"

#include "AnalyticsModel.h"
#include "records/Duration.h"

namespace zol::ui {

BreakdownModel::BreakdownModel(AnalyticsModel& analytics, QObject* parent)
    : QAbstractListModel(parent)
    , m_analytics(analytics)
{
    connect(&analytics, &AnalyticsModel::breakdownChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

BreakdownModel::~BreakdownModel() = default;

int BreakdownModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_analytics.breakdown().size());
}

QVariant BreakdownModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_analytics.breakdown().size())
        return {};
    const StudioHours::Total& total = m_analytics.breakdown().at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return total.title;
    case subtitleRole:
        return total.subtitle;
    case amountRole:
        return Duration::coarseString(total.seconds);
    case shareRole:
        return m_analytics.largestTotal() > 0 ? total.seconds / m_analytics.largestTotal() : 0.0;
    case Qt::AccessibleTextRole: {
        QString text = total.title;
        if (!total.subtitle.isEmpty())
            text += QStringLiteral(", ") + total.subtitle;
        return QString(text + QStringLiteral(": ") + Duration::coarseString(total.seconds));
    }
    default:
        return {};
    }
}

} // namespace zol::ui
