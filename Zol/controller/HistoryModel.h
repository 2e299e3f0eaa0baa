#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>

namespace zol {

class AppModel;

// How much of the history is shown at once, and how.
enum class HistoryScope { day, week, month };
enum class HistoryLayout { list, calendar };

// The controller's history: the sessions of the day, week or month shown, and
// editing, deleting and restoring them.
class HistoryModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryModel)

public:
    explicit HistoryModel(AppModel& model);
    ~HistoryModel() override;

    // The day shown (the day the week or month shown holds).
    QDate historyDay() const { return m_historyDay; }
    HistoryScope historyScope() const { return m_historyScope; }
    // The instants the history shows: from the start of the day, week or
    // month shown up to (not including) the start of the next one.
    QDateTime shownFrom() const;
    QDateTime shownTo() const;

    // Reads the sessions of what is shown again.
    void refresh();

private:
    AppModel& m_model;
    QDate m_historyDay;
    HistoryScope m_historyScope = HistoryScope::day;
};

} // namespace zol
