#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zol::test {

// A D-Bus daemon of the test's own. Its configuration lists no service
// folders, so nothing installed on the machine is started behind the test's
// back: what answers on it is what the test started. The daemon is ended, by
// its own process id, when the object goes.
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Whether the daemon runs; when not, why is in error().
    bool isRunning() const { return !m_address.isEmpty(); }
    const QString& error() const { return m_error; }
    // The address to hand to clients (DBUS_SESSION_BUS_ADDRESS).
    const QString& address() const { return m_address; }
    // A new connection of this process to the bus, registered under `name`.
    // Qt hands out an existing connection of that name as it stands, so the
    // names are let go with the bus: the next bus of a test can reuse them.
    QDBusConnection connect(const QString& name) const;

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
    mutable QStringList m_connections;
};

} // namespace zol::test
