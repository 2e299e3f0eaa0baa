#include "UpdateModel.h"

#include "AppModel.h"

namespace zol {

UpdateModel::UpdateModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
{
}

UpdateModel::~UpdateModel() = default;

} // namespace zol
