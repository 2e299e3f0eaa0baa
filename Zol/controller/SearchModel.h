#pragma once

#include <QObject>

namespace zol {

class AppModel;

// The controller's search over the open books' sessions.
class SearchModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchModel)

public:
    explicit SearchModel(AppModel& model);
    ~SearchModel() override;

private:
    AppModel& m_model;
};

} // namespace zol
