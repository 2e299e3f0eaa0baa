#pragma once

#include "ServiceAvailability.h"

#include <QObject>

namespace zol {

// Things the machine reports that make the studio folder worth another look,
// and the sleep and the locked screen that interrupt a running timer. Signals
// arrive on the thread of the object.
class SystemEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The reason of a service this desktop does not watch at all.
    static QString notWatched() { return tr("Not watched on this desktop."); }

    // Whether willSleep() and woke() can arrive ("sleep and wake").
    virtual ServiceAvailability sleepAvailability()
    {
        return ServiceAvailability::missing(notWatched());
    }
    // Whether screenLocked() and screenUnlocked() can arrive ("screen lock").
    virtual ServiceAvailability lockAvailability()
    {
        return ServiceAvailability::missing(notWatched());
    }
    // Whether volumeMounted() can arrive ("mounts").
    virtual ServiceAvailability mountAvailability()
    {
        return ServiceAvailability::missing(notWatched());
    }

Q_SIGNALS:
    // A volume (a network share, say) was mounted.
    void volumeMounted();
    // The machine is about to sleep.
    void willSleep();
    // The machine woke from sleep.
    void woke();
    // The screen was locked (or the screen saver came on). Once per lock,
    // however many of the desktop's services report it.
    void screenLocked();
    // The screen was unlocked; only after screenLocked().
    void screenUnlocked();
};

} // namespace zol
