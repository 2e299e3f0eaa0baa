#pragma once

#include "Desktop.h"

#include <memory>

namespace zol::ui {

// The desktop as the tray app answers it: a save dialog is a file dialog (a
// folder dialog for a folder), everything else goes to the desktop services
// underneath.
class DialogDesktop final : public Desktop
{
public:
    explicit DialogDesktop(std::unique_ptr<Desktop> underneath);
    ~DialogDesktop() override;

    ServiceAvailability availability() override;
    void reveal(const QString& path) override;
    void openUrl(const QUrl& url) override;
    std::optional<QString> askWhereToSave(const SaveRequest& request) override;

private:
    std::unique_ptr<Desktop> m_underneath;
};

} // namespace zol::ui
