#include "linux/LinuxSystemEvents.h"

#include "linux/BusNames.h"
#include "linux/ScreenLockWatch.h"

#include <QCoreApplication>
#include <QSocketNotifier>

namespace zol::linux_desktop {

namespace {

const QString logind = QStringLiteral("org.freedesktop.login1");

} // namespace

LinuxSystemEvents::LinuxSystemEvents(const QDBusConnection& systemBus, const QString& mountTable,
                                     const QDBusConnection& sessionBus, QObject* parent)
    : SystemEvents(parent)
    , m_systemBus(systemBus)
    , m_mountTablePath(mountTable)
    , m_mountTable(mountTable)
    , m_lock(new ScreenLockWatch(systemBus, sessionBus, qEnvironmentVariable("XDG_SESSION_ID"),
                                 quint32(QCoreApplication::applicationPid()), this))
{
    connect(m_lock, &ScreenLockWatch::locked, this, &SystemEvents::screenLocked);
    connect(m_lock, &ScreenLockWatch::unlocked, this, &SystemEvents::screenUnlocked);
    if (m_systemBus.isConnected())
        m_sleepWatched = m_systemBus.connect(logind, QStringLiteral("/org/freedesktop/login1"),
                                             QStringLiteral("org.freedesktop.login1.Manager"),
                                             QStringLiteral("PrepareForSleep"), this,
                                             SLOT(onPrepareForSleep(bool)));

    if (m_mountTable.open(QIODevice::ReadOnly)) {
        m_mounts = mountsIn(m_mountTable.readAll());
        m_mountChanges =
            new QSocketNotifier(m_mountTable.handle(), QSocketNotifier::Exception, this);
        connect(m_mountChanges, &QSocketNotifier::activated, this, &LinuxSystemEvents::checkMounts);
    }
}

LinuxSystemEvents::~LinuxSystemEvents()
{
    if (m_sleepWatched)
        m_systemBus.disconnect(logind, QStringLiteral("/org/freedesktop/login1"),
                               QStringLiteral("org.freedesktop.login1.Manager"),
                               QStringLiteral("PrepareForSleep"), this,
                               SLOT(onPrepareForSleep(bool)));
}

ServiceAvailability LinuxSystemEvents::sleepAvailability()
{
    if (!m_systemBus.isConnected())
        return ServiceAvailability::missing(
            tr("Sleep is not reported: there is no D-Bus system bus."));
    if (!m_sleepWatched)
        return ServiceAvailability::missing(
            tr("Sleep is not reported: the system bus refused to pass on logind's signals."));
    if (nameStatus(m_systemBus, logind) == NameStatus::absent)
        return ServiceAvailability::missing(
            tr("Sleep is not reported: no logind on the system bus."));
    const QString program = ownerProgram(m_systemBus, logind);
    return ServiceAvailability::present(program.isEmpty() ? QStringLiteral("logind") : program);
}

ServiceAvailability LinuxSystemEvents::mountAvailability()
{
    if (!m_mountChanges)
        return ServiceAvailability::missing(
            tr("New mounts are not noticed: %1 cannot be read.").arg(m_mountTablePath));
    return ServiceAvailability::present(QStringLiteral("kernel mount table"), m_mountTablePath);
}

ServiceAvailability LinuxSystemEvents::lockAvailability()
{
    return m_lock->availability();
}

void LinuxSystemEvents::checkMounts()
{
    // Read afresh by name: a table in a regular file may have been replaced.
    QFile table(m_mountTablePath);
    if (!table.open(QIODevice::ReadOnly))
        return;
    const QSet<QString> mounts = mountsIn(table.readAll());
    const bool mounted = !(mounts - m_mounts).isEmpty();
    m_mounts = mounts;
    if (mounted)
        Q_EMIT volumeMounted();
}

QSet<QString> LinuxSystemEvents::mountsIn(const QByteArray& table)
{
    // "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw": mount
    // id, parent id, device, root, mount point, options, optional fields, a
    // lone "-", then the file system. Names escape white space (\040), so
    // fields never hold a space.
    QSet<QString> mounts;
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 7 || !fields.mid(6).contains("-"))
            continue;
        bool numbered = false;
        fields.at(0).toULongLong(&numbered);
        if (!numbered || !fields.at(2).contains(':'))
            continue;
        mounts.insert(QString::fromUtf8(fields.at(0) + ' ' + fields.at(2) + ' ' + fields.at(4)));
    }
    return mounts;
}

void LinuxSystemEvents::onPrepareForSleep(bool goingToSleep)
{
    if (goingToSleep)
        Q_EMIT willSleep();
    else
        Q_EMIT woke();
}

} // namespace zol::linux_desktop
