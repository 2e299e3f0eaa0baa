#pragma once

#include <QAbstractListModel>

namespace zol {
class AppModel;
struct TimeEntry;
} // namespace zol

namespace zol::ui {

// The bin as a list over the controller's deleted sessions, most recently
// deleted first.
class DeletedListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeletedListModel)

public:
    explicit DeletedListModel(AppModel& model, QObject* parent = nullptr);
    ~DeletedListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    const TimeEntry& entry(int row) const;
    AppModel& appModel() const { return m_model; }

private:
    AppModel& m_model;
};

} // namespace zol::ui
