#pragma once

#include "LoginItemService.h"

#include <QByteArray>
#include <QString>

namespace zol::linux_desktop {

// Starting at login as an XDG autostart entry: the file
// "org.zol.Zol.desktop" in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart), which starts the given program: the tray app
// of the Zol that writes it.
//
// Switching on writes the entry (all at once: a half-written entry is never
// seen) unless the same one is there already; switching off removes it. An
// entry the desktop's own settings switched off (Hidden=true,
// X-GNOME-Autostart-enabled=false) counts as off, and switching on writes
// ours over it. Several launchers ignore X-GNOME-Autostart-enabled, which is
// why off removes the file instead of writing that key.
class AutostartLoginItem final : public LoginItemService
{
public:
    AutostartLoginItem(QString autostartFolder, QString program);

    ServiceAvailability availability() override;
    bool isEnabled() override;
    std::optional<QString> setEnabled(bool enabled) override;

    QString entryPath() const;
    // The entry that starts `program` without arguments (the tray app).
    static QByteArray entryFor(const QString& program);
    // `program` as the value of an Exec key: quoted when it holds a character
    // the Exec line reserves, and escaped as a desktop entry's string.
    static QString execValue(const QString& program);

private:
    QString m_folder;
    QString m_program;
};

} // namespace zol::linux_desktop
