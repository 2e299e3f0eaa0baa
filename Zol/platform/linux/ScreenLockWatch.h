#pragma once

#include "ServiceAvailability.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace zol::linux_desktop {

// Whether the screen is locked, from every source a Linux desktop may have:
// logind's session object on the system bus (its Lock and Unlock signals and
// its LockedHint property) and the screen savers of the session bus
// (org.freedesktop.ScreenSaver, org.gnome.ScreenSaver: ActiveChanged and
// GetActive).
//
// The session is looked for the way logind's clients do: by `sessionId`
// ($XDG_SESSION_ID) when there is one, else by this process's id, else as
// logind's "auto" session (the user's display session, for a program started
// outside any session, say by the user's service manager). The questions are
// asked without blocking; until they are answered only the screen savers are
// heard.
//
// The sources overlap (GNOME reports one lock on logind and on both screen
// savers), so the watch keeps one state: a report that the screen is locked
// while it already is, or unlocked while it is not, is dropped, and each
// transition is signalled once. The latest report wins: logind's Lock is a
// request that no Unlock may follow (the locker clears LockedHint instead).
// What the sources say at the start can only report a lock, and only while no
// signal was heard since the question: a signal is newer than any answer.
class ScreenLockWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScreenLockWatch)

public:
    // Begins at once; `pid` is this process's.
    ScreenLockWatch(const QDBusConnection& systemBus, const QDBusConnection& sessionBus,
                    const QString& sessionId, quint32 pid, QObject* parent = nullptr);
    ~ScreenLockWatch() override;

    // Which sources are watched ("screen lock"), or why none is. Waits for
    // the session's lookup while it runs (a fraction of a second, turning
    // the event loop), so that a command asked at once answers truly.
    ServiceAvailability availability();
    // logind's object path of the session found; empty when none was (yet).
    const QString& sessionPath() const { return m_sessionPath; }
    // The session's lookup has ended, with a session or without.
    bool lookupEnded() const { return m_lookupEnded; }
    bool isLocked() const { return m_locked; }

    // How long one question to logind may take before it counts as refused.
    static constexpr int questionMs = 2'000;

Q_SIGNALS:
    void locked();
    void unlocked();
    // The session's lookup has ended (lookupEnded() is true from now on).
    void sessionLookupEnded();

private Q_SLOTS:
    void onLock();
    void onUnlock();
    void onSessionPropertiesChanged(const QDBusMessage& signal);
    void onScreenSaverActiveChanged(bool active);

private:
    enum class Step { byId, byPid, byAuto };
    void lookFor(Step step);
    void found(const QString& path);
    void notFound(const QString& why);
    // At the start the answer can only report a lock (see above).
    void askLockedHint(bool atStart);
    void askScreenSavers();
    // Calls `message` on `bus` without starting anything and without waiting;
    // `answered` gets the reply or the error, on this object's thread.
    void ask(const QDBusConnection& bus, QDBusMessage message,
             std::function<void(const QDBusMessage&)> answered);
    void report(bool locked);

    QDBusConnection m_systemBus;
    QDBusConnection m_sessionBus;
    QString m_sessionId;
    quint32 m_pid = 0;
    QString m_sessionPath;
    bool m_lookupEnded = false;
    // Why no session was found, as a part of a sentence.
    QString m_noSession;
    bool m_sessionSignals = false;
    bool m_screenSaverSignals = false;
    bool m_locked = false;
    // Signals heard so far, so that an answer can tell it is out of date.
    quint64 m_signalsHeard = 0;
};

} // namespace zol::linux_desktop
