#include "linux/ScreenLockWatch.h"

#include "linux/BusNames.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

namespace zol::linux_desktop {

namespace {

const QString logind = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString sessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString autoSessionPath = QStringLiteral("/org/freedesktop/login1/session/auto");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString lockedHint = QStringLiteral("LockedHint");

struct ScreenSaver
{
    QString service;
    QString path;
    QString interface;
    // Asked whether it is active at the start (KDE answers the same at both
    // of its paths).
    bool asked;
};

const ScreenSaver screenSavers[] = {
    {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/org/freedesktop/ScreenSaver"),
     QStringLiteral("org.freedesktop.ScreenSaver"), true},
    {QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("/ScreenSaver"),
     QStringLiteral("org.freedesktop.ScreenSaver"), false},
    {QStringLiteral("org.gnome.ScreenSaver"), QStringLiteral("/org/gnome/ScreenSaver"),
     QStringLiteral("org.gnome.ScreenSaver"), true},
};

bool noLogind(const QDBusMessage& answer)
{
    return answer.errorName() == u"org.freedesktop.DBus.Error.NameHasNoOwner" ||
           answer.errorName() == u"org.freedesktop.DBus.Error.ServiceUnknown";
}

QString pathIn(const QDBusMessage& answer)
{
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        return {};
    return qdbus_cast<QDBusObjectPath>(answer.arguments().constFirst()).path();
}

} // namespace

ScreenLockWatch::ScreenLockWatch(const QDBusConnection& systemBus,
                                 const QDBusConnection& sessionBus, const QString& sessionId,
                                 quint32 pid, QObject* parent)
    : QObject(parent)
    , m_systemBus(systemBus)
    , m_sessionBus(sessionBus)
    , m_sessionId(sessionId)
    , m_pid(pid)
{
    if (m_sessionBus.isConnected()) {
        for (const ScreenSaver& saver : screenSavers)
            m_screenSaverSignals |= m_sessionBus.connect(
                saver.service, saver.path, saver.interface, QStringLiteral("ActiveChanged"), this,
                SLOT(onScreenSaverActiveChanged(bool)));
        askScreenSavers();
    }
    if (!m_systemBus.isConnected()) {
        notFound(tr("there is no D-Bus system bus"));
        return;
    }
    lookFor(m_sessionId.isEmpty() ? Step::byPid : Step::byId);
}

ScreenLockWatch::~ScreenLockWatch()
{
    if (m_screenSaverSignals) {
        for (const ScreenSaver& saver : screenSavers)
            m_sessionBus.disconnect(saver.service, saver.path, saver.interface,
                                    QStringLiteral("ActiveChanged"), this,
                                    SLOT(onScreenSaverActiveChanged(bool)));
    }
    if (m_sessionSignals) {
        m_systemBus.disconnect(logind, m_sessionPath, sessionInterface, QStringLiteral("Lock"), this,
                               SLOT(onLock()));
        m_systemBus.disconnect(logind, m_sessionPath, sessionInterface, QStringLiteral("Unlock"),
                               this, SLOT(onUnlock()));
        m_systemBus.disconnect(logind, m_sessionPath, propertiesInterface,
                               QStringLiteral("PropertiesChanged"), this,
                               SLOT(onSessionPropertiesChanged(QDBusMessage)));
    }
}

ServiceAvailability ScreenLockWatch::availability()
{
    if (!m_lookupEnded) {
        QEventLoop wait;
        connect(this, &ScreenLockWatch::sessionLookupEnded, &wait, &QEventLoop::quit);
        // Three questions at most, each bounded by questionMs; usually a
        // millisecond in all.
        QTimer::singleShot(3 * questionMs + 100, &wait, &QEventLoop::quit);
        wait.exec();
    }

    QStringList sources;
    if (m_sessionSignals)
        sources.append(QStringLiteral("logind session"));
    if (m_sessionBus.isConnected()) {
        for (const ScreenSaver& saver : screenSavers) {
            if (!sources.contains(saver.service) &&
                nameStatus(m_sessionBus, saver.service) == NameStatus::owned)
                sources.append(saver.service);
        }
    }
    if (!sources.isEmpty())
        return ServiceAvailability::present(sources.join(QStringLiteral(", ")),
                                            m_locked ? tr("locked now") : QString());

    QString noSession =
        m_lookupEnded ? m_noSession : tr("logind has not said which session this is");
    noSession[0] = noSession[0].toUpper();
    const QString noScreenSaver = m_sessionBus.isConnected()
                                      ? tr("no screen saver on the session bus")
                                      : tr("no session bus");
    return ServiceAvailability::missing(tr("%1, and %2.").arg(noSession, noScreenSaver));
}

void ScreenLockWatch::lookFor(Step step)
{
    QDBusMessage call;
    switch (step) {
    case Step::byId:
        call = QDBusMessage::createMethodCall(logind, managerPath, managerInterface,
                                              QStringLiteral("GetSession"));
        call << m_sessionId;
        break;
    case Step::byPid:
        call = QDBusMessage::createMethodCall(logind, managerPath, managerInterface,
                                              QStringLiteral("GetSessionByPID"));
        call << m_pid;
        break;
    case Step::byAuto:
        // "auto" names the caller's session or the user's display session,
        // but signals come from the session's own path: ask its id, then
        // the path of that id.
        call = QDBusMessage::createMethodCall(logind, autoSessionPath, propertiesInterface,
                                              QStringLiteral("Get"));
        call << sessionInterface << QStringLiteral("Id");
        break;
    }
    ask(m_systemBus, call, [this, step](const QDBusMessage& answer) {
        if (noLogind(answer)) {
            notFound(tr("no logind on the system bus"));
            return;
        }
        if (step != Step::byAuto) {
            if (const QString path = pathIn(answer); !path.isEmpty()) {
                found(path);
                return;
            }
            lookFor(step == Step::byId ? Step::byPid : Step::byAuto);
            return;
        }
        const QString id = answer.type() == QDBusMessage::ReplyMessage
                               ? qdbus_cast<QDBusVariant>(answer.arguments().value(0))
                                     .variant()
                                     .toString()
                               : QString();
        if (id.isEmpty()) {
            notFound(tr("logind knows no session of this program"));
            return;
        }
        QDBusMessage byId = QDBusMessage::createMethodCall(logind, managerPath, managerInterface,
                                                           QStringLiteral("GetSession"));
        byId << id;
        ask(m_systemBus, byId, [this](const QDBusMessage& path) {
            if (pathIn(path).isEmpty())
                notFound(tr("logind knows no session of this program"));
            else
                found(pathIn(path));
        });
    });
}

void ScreenLockWatch::found(const QString& path)
{
    m_sessionPath = path;
    const bool lock = m_systemBus.connect(logind, path, sessionInterface, QStringLiteral("Lock"),
                                          this, SLOT(onLock()));
    const bool unlock = m_systemBus.connect(logind, path, sessionInterface,
                                            QStringLiteral("Unlock"), this, SLOT(onUnlock()));
    const bool hint = m_systemBus.connect(logind, path, propertiesInterface,
                                          QStringLiteral("PropertiesChanged"), this,
                                          SLOT(onSessionPropertiesChanged(QDBusMessage)));
    m_sessionSignals = lock || unlock || hint;
    if (!m_sessionSignals) {
        notFound(tr("the system bus refused to pass on the session's signals"));
        return;
    }
    askLockedHint(true);
    m_lookupEnded = true;
    Q_EMIT sessionLookupEnded();
}

void ScreenLockWatch::notFound(const QString& why)
{
    m_noSession = why;
    m_lookupEnded = true;
    Q_EMIT sessionLookupEnded();
}

void ScreenLockWatch::askLockedHint(bool atStart)
{
    QDBusMessage call = QDBusMessage::createMethodCall(logind, m_sessionPath, propertiesInterface,
                                                       QStringLiteral("Get"));
    call << sessionInterface << lockedHint;
    ask(m_systemBus, call, [this, atStart, heard = m_signalsHeard](const QDBusMessage& answer) {
        if (answer.type() != QDBusMessage::ReplyMessage || (atStart && heard != m_signalsHeard))
            return;
        const bool hint = qdbus_cast<QDBusVariant>(answer.arguments().value(0)).variant().toBool();
        if (hint || !atStart)
            report(hint);
    });
}

void ScreenLockWatch::askScreenSavers()
{
    for (const ScreenSaver& saver : screenSavers) {
        if (!saver.asked)
            continue;
        ask(m_sessionBus,
            QDBusMessage::createMethodCall(saver.service, saver.path, saver.interface,
                                           QStringLiteral("GetActive")),
            [this, heard = m_signalsHeard](const QDBusMessage& answer) {
                if (answer.type() == QDBusMessage::ReplyMessage && heard == m_signalsHeard &&
                    answer.arguments().value(0).toBool())
                    report(true);
            });
    }
}

void ScreenLockWatch::ask(const QDBusConnection& bus, QDBusMessage message,
                          std::function<void(const QDBusMessage&)> answered)
{
    message.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, questionMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [watcher, answered = std::move(answered)] {
                watcher->deleteLater();
                answered(watcher->reply());
            });
}

void ScreenLockWatch::onLock()
{
    ++m_signalsHeard;
    report(true);
}

void ScreenLockWatch::onUnlock()
{
    ++m_signalsHeard;
    report(false);
}

void ScreenLockWatch::onSessionPropertiesChanged(const QDBusMessage& signal)
{
    ++m_signalsHeard;
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.value(0).toString() != sessionInterface)
        return;
    const QVariantMap changed = qdbus_cast<QVariantMap>(arguments.value(1));
    if (const auto hint = changed.constFind(lockedHint); hint != changed.cend()) {
        report(hint->toBool());
        return;
    }
    // Announced without its value: asked for.
    if (qdbus_cast<QStringList>(arguments.value(2)).contains(lockedHint))
        askLockedHint(false);
}

void ScreenLockWatch::onScreenSaverActiveChanged(bool active)
{
    ++m_signalsHeard;
    report(active);
}

void ScreenLockWatch::report(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    if (locked)
        Q_EMIT this->locked();
    else
        Q_EMIT unlocked();
}

} // namespace zol::linux_desktop
