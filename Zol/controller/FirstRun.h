#pragma once

#include <QString>

namespace zol {

class Platform;
class SettingsStore;

// The welcome window of a first run: whether it is due, remembering that it
// was seen, and how this desktop starts and pauses a timer from anywhere.
namespace FirstRun {

// True until complete() has been called for this user ("setup.completed").
bool isDue(const SettingsStore& defaults);
// Remembers that the welcome window was seen, finished or skipped.
void complete(SettingsStore& defaults);

// The line of the welcome window that names the start-and-pause key.
struct HotKeyLine
{
    // "Start and pause with Super+Alt+T", or "Start and pause with zol toggle"
    // where the desktop lets no program claim a key.
    QString title;
    // What it does, or why the key is not there and what to do instead.
    QString detail;

    bool operator==(const HotKeyLine& other) const = default;
};
HotKeyLine hotKeyLine(Platform& platform);

} // namespace FirstRun

} // namespace zol
