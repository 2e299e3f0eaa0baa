#pragma once

#include <QAbstractTableModel>

namespace zol {
class AppModel;
struct TimeEntry;
} // namespace zol

namespace zol::ui {

// The search results as a table over the controller's list: when, the
// project, its client, the note and the time worked.
class SearchResultsModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchResultsModel)

public:
    enum Column { when, project, client, note, duration, columns };

    explicit SearchResultsModel(AppModel& model, QObject* parent = nullptr);
    ~SearchResultsModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const TimeEntry& entry(int row) const;

private:
    AppModel& m_model;
};

} // namespace zol::ui
