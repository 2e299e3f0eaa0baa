#pragma once

#include <QDBusConnection>
#include <QObject>

namespace zol::test {

// Stands in for logind's manager (org.freedesktop.login1) on a bus of the
// test's: the test emits PrepareForSleep and the bus carries it to whoever
// listens, as the real one does around a suspend.
class StandInLogin1 final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    // Registers the manager and its well-known name on `bus`; false when the
    // bus refused either.
    bool serve(QDBusConnection bus);

Q_SIGNALS:
    // true just before the machine sleeps, false once it woke.
    void PrepareForSleep(bool start);
};

} // namespace zol::test
