#include "BusStandIn.h"

#include <QDBusConnectionInterface>
#include <QDBusVirtualObject>
#include <QUuid>

namespace zol::test {

class BusStandIn::Object final : public QDBusVirtualObject
{
public:
    explicit Object(Handler handler)
        : m_handler(std::move(handler))
    {}

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        for (const QDBusMessage& answer : m_handler(message))
            connection.send(answer);
        return true;
    }

private:
    Handler m_handler;
};

BusStandIn::BusStandIn(const PrivateBus& bus, const QString& service, const QString& path,
                       Handler handler)
    : m_connectionName(QStringLiteral("stand-in ") + service + u' ' +
                       QUuid::createUuid().toString())
    , m_service(service)
    , m_connection(bus.connect(m_connectionName))
    , m_object(std::make_unique<Object>(std::move(handler)))
{
    // Registered first: the bus gives the object helpers of its own, which
    // move along with it.
    m_serving = m_connection.isConnected() &&
                m_connection.registerVirtualObject(path, m_object.get(), QDBusConnection::SubPath);
    m_thread.start();
    m_object->moveToThread(&m_thread);
    m_serving = m_serving && m_connection.registerService(service);
}

BusStandIn::~BusStandIn()
{
    m_connection.unregisterService(m_service);
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_thread.quit();
    m_thread.wait();
}

void BusStandIn::send(const QDBusMessage& message) const
{
    m_connection.send(message);
}

QString portalObjectPath(const QString& kind, const QString& uniqueName, const QString& token)
{
    QString sender = uniqueName.mid(1);
    sender.replace(u'.', u'_');
    return QStringLiteral("/org/freedesktop/portal/desktop/") + kind + u'/' + sender + u'/' + token;
}

} // namespace zol::test
