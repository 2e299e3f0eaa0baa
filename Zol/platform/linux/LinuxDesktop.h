#pragma once

#include "Desktop.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace zol::linux_desktop {

// Files shown in the file manager through org.freedesktop.FileManager1 on the
// session bus, and addresses and folders opened by the desktop's opener
// (xdg-open), which picks the user's browser or file manager.
//
// Both return at once: the file manager is asked asynchronously (the bus may
// start it first) and, when it cannot show the file, its folder is opened
// instead. Save dialogs belong to the tray app: here every one is cancelled.
class LinuxDesktop final : public Desktop
{
public:
    // `opener` is run with one address and left running on its own.
    LinuxDesktop(const QDBusConnection& sessionBus, QString opener);
    ~LinuxDesktop() override;
    LinuxDesktop(const LinuxDesktop&) = delete;
    LinuxDesktop& operator=(const LinuxDesktop&) = delete;

    // Found when a file manager holds FileManager1 or the bus starts one for
    // it; asking starts none.
    ServiceAvailability availability() override;
    void reveal(const QString& path) override;
    void openUrl(const QUrl& url) override;
    std::optional<QString> askWhereToSave(const SaveRequest& request) override;

private:
    QDBusConnection m_bus;
    QString m_opener;
    // Where the file manager's answers arrive; goes with this object.
    QObject m_answers;
};

} // namespace zol::linux_desktop
