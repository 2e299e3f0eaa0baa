#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace zol::test {

// Stands in for a notification server (org.freedesktop.Notifications) with
// the capabilities the test gives it, and remembers every Notify. Where a
// real server is needed (actions clicked, notifications replaced on screen)
// the tests run dunst instead.
class StandInNotificationServer final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Received
    {
        QString appName;
        uint replacesId = 0;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };

    explicit StandInNotificationServer(QStringList capabilities)
        : m_capabilities(std::move(capabilities))
    {}

    // Registers the server and its well-known name on `bus`; false when the
    // bus refused either.
    bool serve(QDBusConnection bus);

    QList<Received> received;

public Q_SLOTS:
    Q_SCRIPTABLE QStringList GetCapabilities() const { return m_capabilities; }
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                             const QString& summary, const QString& body,
                             const QStringList& actions, const QVariantMap& hints,
                             int expireTimeout);

private:
    QStringList m_capabilities;
    uint m_lastId = 0;
};

} // namespace zol::test
