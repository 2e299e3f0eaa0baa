#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>

#include <memory>

namespace zol::test {

// Stands in for one of logind's sessions (org.freedesktop.login1.Session):
// the test sends Lock and Unlock and sets LockedHint, which is announced by
// PropertiesChanged as logind does. All go out on one connection in the
// order they are made.
class StandInSession final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(bool LockedHint READ lockedHint)

public:
    StandInSession(QString id, QString path)
        : m_id(std::move(id))
        , m_path(std::move(path))
    {}

    QString id() const { return m_id; }
    const QString& path() const { return m_path; }
    bool lockedHint() const { return m_lockedHint; }
    // Changes LockedHint and announces it, with its value or, when
    // `withValue` is false, only its name.
    void setLockedHint(bool locked, bool withValue = true);

    bool serve(QDBusConnection bus);
    // The session's signals Lock and Unlock.
    void lock() { send(QStringLiteral("Lock")); }
    void unlock() { send(QStringLiteral("Unlock")); }

private:
    void send(const QString& member);

    QString m_id;
    QString m_path;
    bool m_lockedHint = false;
    std::unique_ptr<QDBusConnection> m_bus;
};

// Stands in for logind's manager (org.freedesktop.login1) on a bus of the
// test's: the test emits PrepareForSleep and the bus carries it to whoever
// listens, as the real one does around a suspend. It serves one session,
// found by its id, by any process id (unless `answersByPid` is off) and as
// the "auto" session (unless `servesAuto` is off).
class StandInLogin1 final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    StandInLogin1();
    ~StandInLogin1() override;

    bool answersByPid = true;
    bool servesAuto = true;

    // Registers the manager, the session and the well-known name on `bus`;
    // false when the bus refused any.
    bool serve(QDBusConnection bus);
    StandInSession& session() { return m_session; }

public Q_SLOTS:
    QDBusObjectPath GetSession(const QString& id);
    QDBusObjectPath GetSessionByPID(uint pid);

Q_SIGNALS:
    // true just before the machine sleeps, false once it woke.
    void PrepareForSleep(bool start);

private:
    StandInSession m_session;
    StandInSession m_auto;
};

} // namespace zol::test
