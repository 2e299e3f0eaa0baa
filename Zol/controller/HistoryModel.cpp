#include "HistoryModel.h"

#include "AppModel.h"
#include "share/TimesheetPeriod.h"

namespace zol {

HistoryModel::HistoryModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
    , m_historyDay(model.today())
{
}

HistoryModel::~HistoryModel() = default;

void HistoryModel::refresh() {}

QDateTime HistoryModel::shownFrom() const
{
    const Calendar& calendar = m_model.calendar();
    switch (m_historyScope) {
    case HistoryScope::day:
        return calendar.startOfDay(m_historyDay);
    case HistoryScope::week:
        return TimesheetPeriod(TimesheetPeriod::Kind::week, calendar.startOfDay(m_historyDay), calendar)
            .start();
    case HistoryScope::month:
        break;
    }
    return TimesheetPeriod(TimesheetPeriod::Kind::month, calendar.startOfDay(m_historyDay), calendar)
        .start();
}

QDateTime HistoryModel::shownTo() const
{
    const Calendar& calendar = m_model.calendar();
    switch (m_historyScope) {
    case HistoryScope::day:
        return calendar.startOfDay(m_historyDay.addDays(1));
    case HistoryScope::week:
        return TimesheetPeriod(TimesheetPeriod::Kind::week, calendar.startOfDay(m_historyDay), calendar)
            .nextStart();
    case HistoryScope::month:
        break;
    }
    return TimesheetPeriod(TimesheetPeriod::Kind::month, calendar.startOfDay(m_historyDay), calendar)
        .nextStart();
}

} // namespace zol
