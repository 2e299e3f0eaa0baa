#include "CatalogueModel.h"

#include "AppModel.h"

namespace zol {

CatalogueModel::CatalogueModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
{
}

CatalogueModel::~CatalogueModel() = default;

void CatalogueModel::reloadAllProjects() {}

} // namespace zol
