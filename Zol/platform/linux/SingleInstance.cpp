#include "linux/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zol::linux_desktop {

namespace {

const QString objectPath = QStringLiteral("/org/zol/Zol");
const QString interfaceName = QStringLiteral("org.zol.Zol");
const QByteArray activateWord = QByteArrayLiteral("activate\n");

// A stream socket's address for `path`; false when the path is too long.
bool addressFor(const QByteArray& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

sockaddr* asAddress(sockaddr_un& address)
{
    return reinterpret_cast<sockaddr*>(&address);
}

} // namespace

SingleInstance::SingleInstance(QDBusConnection bus, QString name, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_name(std::move(name))
{}

SingleInstance::~SingleInstance()
{
    if (m_listener < 0)
        return;
    ::close(m_listener);
    ::unlink(m_socketPath.constData());
}

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
    QDBusMessage activate = QDBusMessage::createMethodCall(m_name, objectPath, interfaceName,
                                                           QStringLiteral("Activate"));
    // Waits turning the event loop: what answers may live in this process.
    const QDBusMessage answer = bus.call(activate, QDBus::BlockWithGui, 5'000);
    if (answer.type() == QDBusMessage::ReplyMessage)
        return Claim::handedOver;
    m_error = tr("Another Zol holds %1 but does not answer: %2").arg(m_name, answer.errorMessage());
    return Claim::failed;
}

SingleInstance::Claim SingleInstance::claimSocket()
{
    // The runtime folder is the user's own (mode 0700); ~/.cache would do too,
    // but is not removed at log-out.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    m_socketPath = QFile::encodeName(folder + u'/' + m_name + u'-' + QString::number(::getuid()));
    sockaddr_un address;
    if (!addressFor(m_socketPath, address)) {
        m_error = tr("The socket path is too long: %1").arg(QFile::decodeName(m_socketPath));
        return Claim::failed;
    }
    {
        const int other = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (other >= 0 && ::connect(other, asAddress(address), sizeof address) == 0) {
            const bool sent = ::send(other, activateWord.constData(), size_t(activateWord.size()),
                                     MSG_NOSIGNAL) == activateWord.size();
            ::close(other);
            if (sent)
                return Claim::handedOver;
        } else if (other >= 0) {
            ::close(other);
        }
    }
    // Nobody answers: a socket file left by a crash is taken over.
    ::unlink(m_socketPath.constData());
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const mode_t before = ::umask(0077);
    const bool listening = m_listener >= 0 &&
                           ::bind(m_listener, asAddress(address), sizeof address) == 0 &&
                           ::listen(m_listener, 4) == 0;
    ::umask(before);
    if (!listening) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        m_error = tr("Could not listen on %1: %2").arg(QFile::decodeName(m_socketPath), why);
        if (m_listener >= 0)
            ::close(m_listener);
        m_listener = -1;
        return Claim::failed;
    }
    m_accepting = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_accepting, &QSocketNotifier::activated, this, &SingleInstance::acceptCaller);
    return Claim::first;
}

void SingleInstance::acceptCaller()
{
    while (true) {
        const int caller = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (caller < 0)
            return;
        // The caller writes its word and hangs up; whatever else arrives is
        // not an activation.
        auto* reading = new QSocketNotifier(caller, QSocketNotifier::Read, this);
        connect(reading, &QSocketNotifier::activated, this, [this, reading, caller] {
            char word[16] = {};
            const ssize_t got = ::recv(caller, word, sizeof word, 0);
            if (got < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            if (got > 0 && QByteArray(word, got).startsWith(activateWord.trimmed()))
                Activate();
            reading->setEnabled(false);
            reading->deleteLater();
            ::close(caller);
        });
    }
}

} // namespace zol::linux_desktop
