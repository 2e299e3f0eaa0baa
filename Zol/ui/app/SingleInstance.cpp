#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace zol::ui {

namespace {

const QString objectPath = QStringLiteral("/org/zol/Zol");
const QString interfaceName = QStringLiteral("org.zol.Zol");

} // namespace

SingleInstance::SingleInstance(QDBusConnection bus, QString name, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_name(std::move(name))
{
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::Activate()
{
    Q_EMIT activationRequested();
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_bus.isConnected())
        return claimOnBus();
    return claimSocket();
}

SingleInstance::Claim SingleInstance::claimOnBus()
{
    QDBusConnection& bus = m_bus;
    bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots);
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(m_name, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Claim::first;
    bus.unregisterObject(objectPath);
    QDBusMessage activate =
        QDBusMessage::createMethodCall(m_name, objectPath, interfaceName, QStringLiteral("Activate"));
    // Waits turning the event loop: what answers may live in this process.
    const QDBusMessage answer = bus.call(activate, QDBus::BlockWithGui, 5'000);
    if (answer.type() == QDBusMessage::ReplyMessage)
        return Claim::handedOver;
    m_error = QStringLiteral("Another Zol holds ") + m_name +
              QStringLiteral(" but does not answer: ") + answer.errorMessage();
    return Claim::failed;
}

SingleInstance::Claim SingleInstance::claimSocket()
{
    const QString socket = m_name + u'-' + QString::number(::getuid());
    {
        QLocalSocket other;
        other.connectToServer(socket);
        if (other.waitForConnected(1'000)) {
            other.write("activate\n");
            other.waitForBytesWritten(1'000);
            return Claim::handedOver;
        }
    }
    // Nobody answers: a socket file left by a crash is taken over.
    QLocalServer::removeServer(socket);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socket)) {
        m_error = m_server->errorString();
        return Claim::failed;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().startsWith("activate"))
                    Activate();
                client->disconnectFromServer();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return Claim::first;
}

} // namespace zol::ui
