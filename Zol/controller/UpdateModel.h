#pragma once

#include <QObject>

namespace zol {

class AppModel;

// The controller's update check, run on request only.
class UpdateModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateModel)

public:
    explicit UpdateModel(AppModel& model);
    ~UpdateModel() override;

private:
    AppModel& m_model;
};

} // namespace zol
