#pragma once

#include <QAbstractListModel>

namespace zol {
class AnalyticsModel;
}

namespace zol::ui {

// The Analytics breakdown as a list: one row per total of the controller's
// breakdown(), read straight from it (no copy). Reset whenever the breakdown
// is worked out again.
class BreakdownModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BreakdownModel)

public:
    enum Role {
        subtitleRole = Qt::UserRole + 1,
        // The total as people read it: "12h 30m".
        amountRole,
        // The total against the largest one, 0 to 1.
        shareRole,
    };

    explicit BreakdownModel(AnalyticsModel& analytics, QObject* parent = nullptr);
    ~BreakdownModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    AnalyticsModel& m_analytics;
};

} // namespace zol::ui
