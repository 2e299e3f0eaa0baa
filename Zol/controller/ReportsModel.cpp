#include "ReportsModel.h"

#include "AppModel.h"

namespace zol {

ReportsModel::ReportsModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
{
}

ReportsModel::~ReportsModel() = default;

void ReportsModel::dropStudio() {}

} // namespace zol
