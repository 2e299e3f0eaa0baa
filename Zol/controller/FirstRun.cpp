#include "FirstRun.h"

#include "GeneralSettings.h"

#include "Platform.h"
#include "books/AppSettings.h"

#include <QCoreApplication>

namespace zol::FirstRun {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::FirstRun)
};

} // namespace

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
        return {GeneralSettings::hotKeyTitle(),
                Texts::tr("Works anywhere, even when Zol is not the active app.")};
    return {Texts::tr("Start and pause with zol toggle"),
            GeneralSettings::withoutTheKey(key.reason)};
}

} // namespace zol::FirstRun
