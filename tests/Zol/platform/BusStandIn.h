#pragma once

#include "PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QThread>

#include <functional>
#include <memory>

namespace zol::test {

// A desktop service played by the test on a PrivateBus: it owns a name and
// answers every call to one object path through a handler. The handler runs
// on a thread of the stand-in's own, so code under test may block on a call
// to it from the test's thread. It returns the messages to send, in order:
// usually the reply (or an error), then any signals.
class BusStandIn
{
public:
    using Handler = std::function<QList<QDBusMessage>(const QDBusMessage& call)>;

    // Owns `service` on `bus` and answers calls to `path` with `handler`.
    BusStandIn(const PrivateBus& bus, const QString& service, const QString& path, Handler handler);
    // Lets the name go.
    ~BusStandIn();
    BusStandIn(const BusStandIn&) = delete;
    BusStandIn& operator=(const BusStandIn&) = delete;

    // Whether the name is owned and the path answers.
    bool isServing() const { return m_serving; }
    // Sends a message (a signal) from the service's connection.
    void send(const QDBusMessage& message) const;
    // The service's unique name on the bus.
    QString uniqueName() const { return m_connection.baseService(); }

private:
    class Object;

    QString m_connectionName;
    QString m_service;
    QDBusConnection m_connection;
    QThread m_thread;
    std::unique_ptr<Object> m_object;
    bool m_serving = false;
};

// The request object path the portal derives from a caller's unique name and
// the token it passed (":1.5", "t" → ".../request/1_5/t").
QString portalObjectPath(const QString& kind, const QString& uniqueName, const QString& token);

} // namespace zol::test
