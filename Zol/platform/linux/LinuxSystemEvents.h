#pragma once

#include "SystemEvents.h"

#include <QDBusConnection>
#include <QFile>
#include <QSet>
#include <QString>

class QSocketNotifier;

namespace zol::linux_desktop {

class ScreenLockWatch;

// Sleep and wake from logind on the system bus (PrepareForSleep), the locked
// screen from logind's session and the session bus's screen savers (see
// ScreenLockWatch), and new mounts from the kernel's mount table of this
// process (/proc/self/mountinfo in practice).
//
// The mount table tells of a change as an exceptional condition on its open
// file, so nothing polls: each change reads the table again, and a mount that
// was not there at the last reading emits volumeMounted(), once per reading.
// Unmounting emits nothing.
class LinuxSystemEvents final : public SystemEvents
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinuxSystemEvents)

public:
    // `mountTable` is read now and watched from then on; the mounts listed
    // now are the ones known. The screen savers are heard on `sessionBus`
    // (none when it is not connected); the session is the one of
    // $XDG_SESSION_ID or of this process.
    LinuxSystemEvents(const QDBusConnection& systemBus, const QString& mountTable,
                      const QDBusConnection& sessionBus = QDBusConnection(QString()),
                      QObject* parent = nullptr);
    ~LinuxSystemEvents() override;

    ServiceAvailability sleepAvailability() override;
    ServiceAvailability mountAvailability() override;
    ServiceAvailability lockAvailability() override;

    // Reads the mount table again and emits volumeMounted() when it lists a
    // mount not listed before. Run whenever the table signals a change; a
    // table kept in a regular file never signals, so whoever changes one
    // calls this.
    void checkMounts();

    // The mounts a mount table lists, one key per mount: its id, device and
    // mount point, so that a share mounted again at the same place is new.
    // Lines that are not mounts are skipped.
    static QSet<QString> mountsIn(const QByteArray& table);

private Q_SLOTS:
    void onPrepareForSleep(bool goingToSleep);

private:
    QDBusConnection m_systemBus;
    bool m_sleepWatched = false;

    QString m_mountTablePath;
    // Kept open: the change is signalled on this descriptor.
    QFile m_mountTable;
    QSocketNotifier* m_mountChanges = nullptr;
    QSet<QString> m_mounts;

    ScreenLockWatch* m_lock = nullptr;
};

} // namespace zol::linux_desktop
