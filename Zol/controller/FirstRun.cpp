#include "FirstRun.h"

#include "Platform.h"
#include "books/AppSettings.h"

namespace zol::FirstRun {

bool isDue(const SettingsStore& defaults)
{
    return !AppSettings::hasCompletedSetup(defaults);
}

void complete(SettingsStore& defaults)
{
    AppSettings::completeSetup(defaults);
}

HotKeyLine hotKeyLine(Platform& platform)
{
    const ServiceAvailability key = platform.shortcut().availability();
    if (key.found)
        return {QStringLiteral("Start and pause with Super+Alt+T"),
                QStringLiteral("Works anywhere, even when Zol is not the active app.")};
    QString detail = key.reason.trimmed();
    if (!detail.isEmpty() && !detail.endsWith(u'.'))
        detail += u'.';
    if (!detail.isEmpty())
        detail += u' ';
    detail += QStringLiteral(
        "Bind 'zol toggle' to Super+Alt+T in the desktop's keyboard settings instead.");
    return {QStringLiteral("Start and pause with zol toggle"), detail};
}

} // namespace zol::FirstRun
