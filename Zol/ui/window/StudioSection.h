#pragma once

#include "common/Widgets.h"

class QCheckBox;
class QPushButton;

namespace zol {
class AppModel;
class StudioSettings;
} // namespace zol

namespace zol::ui {

class ConnectionBadge;

// "Studio": the open books' studio folder. Choosing it (a folder dialog
// through the desktop, refused when another administration uses it), how
// the last look at it went, "Share the project list" with "Sync now", handing
// timesheets in, "Disconnect" after a confirmation, and the integrations that
// are still to come. Books that never share explain that instead.
class StudioSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StudioSection)

public:
    StudioSection(AppModel& model, QWidget* parent = nullptr);
    ~StudioSection() override;

    StudioSettings& studio() const { return *m_studio; }
    // "Choose the shared folder on the NAS": asks the desktop for a folder.
    void chooseFolder();
    // "Disconnect": opens its confirmation.
    void confirmDisconnect();

private:
    QWidget* makeLocalOnly();
    QWidget* makeSharing();
    Card* makeOnward();
    void showState();
    void showRefusal();

    AppModel& m_model;
    StudioSettings* m_studio;
    ConnectionBadge* m_badge = nullptr;
    QWidget* m_localOnly = nullptr;
    QLabel* m_localText = nullptr;
    QWidget* m_sharing = nullptr;
    QLabel* m_folder = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_conflicts = nullptr;
    QLabel* m_lastSynced = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_disconnect = nullptr;
    Card* m_refusal = nullptr;
    QLabel* m_refusalTitle = nullptr;
    QLabel* m_refusalText = nullptr;
    QCheckBox* m_share = nullptr;
    QPushButton* m_syncNow = nullptr;
    QCheckBox* m_autoUpload = nullptr;
    bool m_choosing = false;
};

} // namespace zol::ui
