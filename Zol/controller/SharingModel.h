#pragma once

#include <QObject>

namespace zol {

class AppModel;

// The controller's side of the studio folder: the project-sync and upload
// loops, the manual sync and upload, and the connection and upload states the
// screens show.
class SharingModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SharingModel)

public:
    explicit SharingModel(AppModel& model);
    ~SharingModel() override;

    // One synchronisation of the project list; background callers are quiet.
    void shareNow(bool quiet, bool force);
    // Reads the sessions of the period the upload control shows again.
    void refreshPeriod();

private:
    AppModel& m_model;
};

} // namespace zol
