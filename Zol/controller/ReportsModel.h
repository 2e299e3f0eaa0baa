#pragma once

#include <QObject>

namespace zol {

class AppModel;

// The controller's exports and the studio's hours: the person's sessions as
// CSV or JSON, and from Analytics the snapshot read off the studio folder with
// its report, sessions and package.
class ReportsModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportsModel)

public:
    explicit ReportsModel(AppModel& model);
    ~ReportsModel() override;

    // Forgets the studio snapshot read so far (its books were emptied).
    void dropStudio();

private:
    AppModel& m_model;
};

} // namespace zol
