#pragma once

#include <QString>

namespace zol {

class PanelModel;

// What the clock in the tray shows: which picture, the elapsed time beside it
// and the words a screen reader says. Derived from the controller; changes
// only when one of them does (the time to the minute).
struct TrayStatus
{
    enum class Picture { clock, runningClock, warningClock, paused };

    Picture picture = Picture::clock;
    // The current session's time in whole minutes while tracking ("27m",
    // "1h 5m"); empty otherwise.
    QString time;
    // "Zol: tracking Brand book, 1h 5m", "Zol: paused on …", "Zol: not tracking".
    QString accessibleLabel;

    // The label without the program's name, as a line of the tray's menu
    // under the program's own icon: "Tracking Brand book, 1h 5m".
    QString summary() const;

    // Paused is looked at before the warning, so a paused session that ran
    // too long shows the pause.
    static TrayStatus of(const PanelModel& panel);

    bool operator==(const TrayStatus& other) const = default;
};

} // namespace zol
