#pragma once

#include "HistoryGroups.h"

#include <QAbstractListModel>
#include <QList>

namespace zol {
class AppModel;
class HistoryModel;
} // namespace zol

namespace zol::ui {

// The history's list as rows: a heading per day (weeks and months only), a
// heading per project of the day with its total, and a row per session. It
// reads the controller's grouped history and keeps only where each row is
// found in it.
class HistoryListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryListModel)

public:
    enum class Kind { day, group, session };
    enum Role { KindRole = Qt::UserRole + 1 };

    explicit HistoryListModel(AppModel& model, QObject* parent = nullptr);
    ~HistoryListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    Kind kind(int row) const { return m_rows.at(row).kind; }
    // The day of any row, the group of a group or session row, the session of
    // a session row.
    const HistoryDay& day(int row) const;
    const ProjectTotal& group(int row) const;
    const TimeEntry& entry(int row) const;
    // The first row of the session with `id`; -1 when it is not shown.
    int rowOf(const QUuid& id) const;

    AppModel& appModel() const { return m_model; }

private:
    struct Row
    {
        Kind kind;
        int day;
        int group;
        int entry;
    };

    void rebuild();
    QString spoken(int row) const;

    AppModel& m_model;
    HistoryModel& m_history;
    QList<Row> m_rows;
};

} // namespace zol::ui
