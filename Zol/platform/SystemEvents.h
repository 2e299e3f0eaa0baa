#pragma once

#include <QObject>

namespace zol {

// Things the machine reports that make the studio folder worth another look,
// and the sleep that interrupts a running timer. Signals arrive on the thread
// of the object.
class SystemEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    // A volume (a network share, say) was mounted.
    void volumeMounted();
    // The machine is about to sleep.
    void willSleep();
    // The machine woke from sleep.
    void woke();
};

} // namespace zol
