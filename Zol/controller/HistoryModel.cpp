#include "HistoryModel.h"

#include "AppModel.h"

namespace zol {

HistoryModel::HistoryModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
    , m_historyDay(model.today())
{
}

HistoryModel::~HistoryModel() = default;

void HistoryModel::refresh() {}

} // namespace zol
