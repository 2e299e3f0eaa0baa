#include "SearchModel.h"

#include "AppModel.h"

namespace zol {

SearchModel::SearchModel(AppModel& model)
    : QObject(&model)
    , m_model(model)
{
}

SearchModel::~SearchModel() = default;

} // namespace zol
