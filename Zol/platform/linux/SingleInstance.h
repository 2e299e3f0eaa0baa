#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace zol::linux_desktop {

// One tray app per user: two would fight over the running session. The first
// to start holds the name org.zol.Zol on the session bus (without a session
// bus, a Unix socket of that name in the user's runtime folder); a later start
// asks it to open its panel instead and goes away. The socket is plain POSIX,
// so that the tray app does not load Qt Network (and what it pulls in) for a
// fallback.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zol.Zol")
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    enum class Claim { first, handedOver, failed };

    // `name` is the bus name and the socket's name; tests pass their own,
    // and their own bus.
    explicit SingleInstance(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QString name = QStringLiteral("org.zol.Zol"),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Holds the name, or hands over to the app that holds it.
    Claim claim();
    // Why claim() failed.
    const QString& error() const { return m_error; }

public Q_SLOTS:
    // Called by a later start (over the bus or the socket).
    Q_SCRIPTABLE void Activate();

Q_SIGNALS:
    void activationRequested();

private:
    Claim claimOnBus();
    Claim claimSocket();
    void acceptCaller();

    QDBusConnection m_bus;
    QString m_name;
    QString m_error;
    QByteArray m_socketPath;
    int m_listener = -1;
    QSocketNotifier* m_accepting = nullptr;
};

} // namespace zol::linux_desktop
