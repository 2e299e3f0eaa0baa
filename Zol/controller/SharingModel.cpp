#include "SharingModel.h"

#include "AppModel.h"

namespace zol {

SharingModel::SharingModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
{
}

SharingModel::~SharingModel() = default;

void SharingModel::shareNow(bool, bool) {}

void SharingModel::refreshPeriod() {}

} // namespace zol
