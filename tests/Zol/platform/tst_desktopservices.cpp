// Sleep and wake from a stand-in logind; the locked screen from its session
// and from stand-in screen savers, each lock once; new mounts in a mount table the test
// rewrites and in the kernel's own (watched from a child process in a mount
// namespace of its own); the autostart entry as desktops and GLib read it;
// files shown through a stand-in file manager or by opening their folder;
// the colour scheme from a stand-in portal's settings.

#include "BusStandIn.h"
#include "Builders.h"
#include "Platform.h"
#include "PlatformTesting.h"
#include "PrivateBus.h"
#include "StandInFileManager.h"
#include "StandInLogin1.h"
#include "linux/AutostartLoginItem.h"
#include "linux/LinuxDesktop.h"
#include "linux/LinuxSystemEvents.h"
#include "linux/PortalAppearance.h"
#include "linux/ScreenLockWatch.h"

#include <QCoreApplication>
#include <QDBusVariant>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::linux_desktop;
using namespace zol::test;

namespace {

const char watchMountOption[] = "--watch-mount";

QDBusConnection noBus()
{
    return QDBusConnection(QStringLiteral("no bus"));
}

// Rewrites a file the way a table is replaced: a new file renamed over it.
void replaceFile(const QString& path, const QByteArray& bytes)
{
    writeFile(path + QStringLiteral(".new"), bytes);
    QVERIFY(::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

// The child's side of mountInKernelTable(): watches its own mount table,
// mounts a tmpfs at `mountPoint` and reports by its exit status whether the
// mount was noticed, once.
int watchMount(const QString& mountPoint)
{
    LinuxSystemEvents events(noBus(), QStringLiteral("/proc/self/mountinfo"));
    if (!events.mountAvailability().found)
        return 2;
    QSignalSpy mounted(&events, &SystemEvents::volumeMounted);
    QTextStream(stdout) << "watching" << Qt::endl;
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                    QStringLiteral("zol-test"), mountPoint}) != 0)
        return 3;
    mounted.wait(5'000);
    QProcess::execute(QStringLiteral("umount"), {mountPoint});
    return mounted.size() == 1 ? 0 : 4;
}

} // namespace

class TestDesktopServices : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_connections;

    QDBusConnection connection()
    {
        m_connections.append(QStringLiteral("desktop-test-") +
                             QString::number(m_connections.size()));
        return m_bus->connect(m_connections.constLast());
    }
    QString path(const QString& name) const { return m_dir->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->error()));
        m_dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        for (const QString& name : std::as_const(m_connections))
            QDBusConnection::disconnectFromBus(name);
        m_connections.clear();
        m_bus.reset();
        m_dir.reset();
    }

    void sleepAndWake_data()
    {
        QTest::addColumn<bool>("systemBus");
        QTest::addColumn<bool>("logind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("logind") << true << true << QString();
        QTest::newRow("no logind")
            << true << false
            << QStringLiteral("Sleep is not reported: no logind on the system bus.");
        QTest::newRow("no system bus")
            << false << false
            << QStringLiteral("Sleep is not reported: there is no D-Bus system bus.");
    }
    void sleepAndWake()
    {
        QFETCH(bool, systemBus);
        QFETCH(bool, logind);
        QFETCH(QString, reason);
        StandInLogin1 manager;
        if (logind)
            QVERIFY(manager.serve(connection()));
        LinuxSystemEvents events(systemBus ? connection() : noBus(), path(QStringLiteral("none")));
        const ServiceAvailability availability = events.sleepAvailability();
        QCOMPARE(availability.found, logind);
        QCOMPARE(availability.reason, reason);
        if (!logind)
            return;

        QSignalSpy willSleep(&events, &SystemEvents::willSleep);
        QSignalSpy woke(&events, &SystemEvents::woke);
        Q_EMIT manager.PrepareForSleep(true);
        QTRY_COMPARE(willSleep.size(), 1);
        QCOMPARE(woke.size(), 0);
        Q_EMIT manager.PrepareForSleep(false);
        QTRY_COMPARE(woke.size(), 1);
        QCOMPARE(willSleep.size(), 1);
    }

    void screenLockFromLogind_data()
    {
        QTest::addColumn<QString>("sessionId");
        QTest::addColumn<bool>("byPid");
        QTest::addColumn<bool>("byAuto");
        QTest::addColumn<bool>("found");
        QTest::newRow("by XDG_SESSION_ID") << u"c7"_s << false << false << true;
        QTest::newRow("by process id") << QString() << true << false << true;
        QTest::newRow("a stale id, then by process id") << u"c9"_s << true << false << true;
        QTest::newRow("the auto session") << QString() << false << true << true;
        QTest::newRow("no session of ours") << u"c9"_s << false << false << false;
    }
    void screenLockFromLogind()
    {
        QFETCH(QString, sessionId);
        QFETCH(bool, byPid);
        QFETCH(bool, byAuto);
        QFETCH(bool, found);
        StandInLogin1 manager;
        manager.answersByPid = byPid;
        manager.servesAuto = byAuto;
        QVERIFY(manager.serve(connection()));
        ScreenLockWatch watch(connection(), noBus(), sessionId, 4242);
        const ServiceAvailability availability = watch.availability();
        QVERIFY(watch.lookupEnded());
        if (!found) {
            QCOMPARE(availability,
                     ServiceAvailability::missing(u"Logind knows no session of this program, and "
                                                  u"no session bus."_s));
            return;
        }
        QCOMPARE(availability, ServiceAvailability::present(u"logind session"_s));
        QCOMPARE(watch.sessionPath(), u"/org/freedesktop/login1/session/c7"_s);

        // Each source says it, some twice; each change arrives once. Signals
        // of one sender arrive in order, so the last one awaited shows the
        // ones before it were heard.
        QSignalSpy locked(&watch, &ScreenLockWatch::locked);
        QSignalSpy unlocked(&watch, &ScreenLockWatch::unlocked);
        StandInSession& session = manager.session();
        session.lock();
        session.lock();
        session.setLockedHint(true);
        session.unlock();
        QTRY_COMPARE(unlocked.size(), 1);
        QCOMPARE(locked.size(), 1);
        session.setLockedHint(false);
        // Announced by name alone, the hint is asked for.
        session.setLockedHint(true, false);
        QTRY_COMPARE(locked.size(), 2);
        QCOMPARE(unlocked.size(), 1);
        session.setLockedHint(false);
        QTRY_COMPARE(unlocked.size(), 2);
    }

    void screenLockFromScreenSavers_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("lockedAtStart");
        QTest::newRow("freedesktop")
            << u"org.freedesktop.ScreenSaver"_s << u"/org/freedesktop/ScreenSaver"_s << false;
        QTest::newRow("KDE's other path") << u"org.freedesktop.ScreenSaver"_s << u"/ScreenSaver"_s
                                          << false;
        QTest::newRow("GNOME") << u"org.gnome.ScreenSaver"_s << u"/org/gnome/ScreenSaver"_s
                               << false;
        QTest::newRow("locked at the start")
            << u"org.gnome.ScreenSaver"_s << u"/org/gnome/ScreenSaver"_s << true;
    }
    void screenLockFromScreenSavers()
    {
        QFETCH(QString, service);
        QFETCH(QString, path);
        QFETCH(bool, lockedAtStart);
        // KDE's interface is the freedesktop one at both paths.
        const QString interface = service;
        BusStandIn saver(*m_bus, service, path, [lockedAtStart](const QDBusMessage& call) {
            if (call.member() == u"GetActive")
                return QList<QDBusMessage>{call.createReply(lockedAtStart)};
            return QList<QDBusMessage>{call.createErrorReply(QDBusError::UnknownMethod, {})};
        });
        QVERIFY(saver.isServing());
        ScreenLockWatch watch(noBus(), connection(), {}, 4242);
        QSignalSpy locked(&watch, &ScreenLockWatch::locked);
        QSignalSpy unlocked(&watch, &ScreenLockWatch::unlocked);
        QCOMPARE(watch.availability(), ServiceAvailability::present(service));
        const auto active = [&](bool on) {
            saver.send(QDBusMessage::createSignal(path, interface, u"ActiveChanged"_s) << on);
        };
        if (lockedAtStart) {
            QTRY_COMPARE(locked.size(), 1);
        } else {
            active(true);
            active(true);
        }
        active(false);
        active(false);
        QTRY_COMPARE(unlocked.size(), 1);
        QCOMPARE(locked.size(), 1);
    }

    // GNOME tells of one lock on logind and its screen saver: one lock.
    void oneLockFromEverySource()
    {
        qputenv("XDG_SESSION_ID", "c7");
        const auto restore = qScopeGuard([] { qunsetenv("XDG_SESSION_ID"); });
        StandInLogin1 manager;
        QVERIFY(manager.serve(connection()));
        BusStandIn saver(*m_bus, u"org.gnome.ScreenSaver"_s, u"/org/gnome/ScreenSaver"_s,
                         [](const QDBusMessage& call) {
                             return QList<QDBusMessage>{call.createReply(false)};
                         });
        LinuxSystemEvents events(connection(), path(u"none"_s), connection());
        QCOMPARE(events.lockAvailability(),
                 ServiceAvailability::present(u"logind session, org.gnome.ScreenSaver"_s));
        QSignalSpy locked(&events, &SystemEvents::screenLocked);
        QSignalSpy unlocked(&events, &SystemEvents::screenUnlocked);
        const auto active = [&](bool on) {
            saver.send(QDBusMessage::createSignal(u"/org/gnome/ScreenSaver"_s,
                                                  u"org.gnome.ScreenSaver"_s, u"ActiveChanged"_s)
                       << on);
        };
        manager.session().lock();
        QTRY_COMPARE(locked.size(), 1);
        active(true);
        active(false);
        QTRY_COMPARE(unlocked.size(), 1);
        manager.session().setLockedHint(false);
        manager.session().lock();
        QTRY_COMPARE(locked.size(), 2);
        QCOMPARE(unlocked.size(), 1);
    }

    void mountTable_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("signals");
        const QByteArray base = "22 1 0:21 / /proc rw,nosuid - proc proc rw\n"
                                "25 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n";
        const QByteArray share = "80 25 0:52 / /mnt/studio rw,relatime - cifs //nas/studio rw\n";
        QTest::newRow("share mounted") << base << base + share << 1;
        QTest::newRow("two at once, one signal")
            << base << base + share + "81 25 0:53 / /media/me/Studio\\040NAS rw - nfs n:/s rw\n"
            << 1;
        QTest::newRow("unmounted and mounted again in its place")
            << base + share
            << base + "82 25 0:54 / /mnt/studio rw,relatime - cifs //nas/studio rw\n"
            << 1;
        QTest::newRow("unmounted") << base + share << base << 0;
        QTest::newRow("remounted read-only")
            << base + share
            << base + "80 25 0:52 / /mnt/studio ro,relatime - cifs //nas/studio ro\n"
            << 0;
        QTest::newRow("lines that are no mounts") << base << base + "\nrubbish\n7 8 9\n" << 0;
    }
    // The desktop's dark or light choice from the portal's settings, and
    // each change of it once; other settings and a missing portal say
    // nothing.
    void colourSchemeFromThePortal()
    {
        const QString path = u"/org/freedesktop/portal/desktop"_s;
        const QString interface = u"org.freedesktop.portal.Settings"_s;
        PortalAppearance withoutPortal(connection());
        QSignalSpy nothing(&withoutPortal, &Appearance::changed);
        withoutPortal.watch();
        QTest::qWait(100);
        QCOMPARE(withoutPortal.preferredScheme(), Appearance::Scheme::noPreference);
        QCOMPARE(nothing.size(), 0);

        BusStandIn portal(*m_bus, u"org.freedesktop.portal.Desktop"_s, path,
                          [](const QDBusMessage& call) {
                              const bool asked = call.member() == u"Read" &&
                                                 call.arguments().value(0) == u"org.freedesktop.appearance"_s &&
                                                 call.arguments().value(1) == u"color-scheme"_s;
                              if (!asked)
                                  return QList<QDBusMessage>{
                                      call.createErrorReply(QDBusError::UnknownMethod, {})};
                              // A variant in a variant, as the portal answers Read.
                              return QList<QDBusMessage>{call.createReply(QVariant::fromValue(
                                  QDBusVariant(QVariant::fromValue(QDBusVariant(1u)))))};
                          });
        QVERIFY(portal.isServing());
        PortalAppearance appearance(connection());
        QSignalSpy changed(&appearance, &Appearance::changed);
        QCOMPARE(appearance.preferredScheme(), Appearance::Scheme::noPreference);
        appearance.watch();
        // The answer comes later, as a change.
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(appearance.preferredScheme(), Appearance::Scheme::dark);
        const auto setting = [&](const QString& group, const QString& key, uint value) {
            portal.send(QDBusMessage::createSignal(path, interface, u"SettingChanged"_s)
                        << group << key << QVariant::fromValue(QDBusVariant(value)));
        };
        setting(u"org.gnome.desktop.interface"_s, u"color-scheme"_s, 2);
        setting(u"org.freedesktop.appearance"_s, u"accent-color"_s, 2);
        setting(u"org.freedesktop.appearance"_s, u"color-scheme"_s, 2);
        setting(u"org.freedesktop.appearance"_s, u"color-scheme"_s, 2);
        QTRY_COMPARE(changed.size(), 2);
        QCOMPARE(appearance.preferredScheme(), Appearance::Scheme::light);
        setting(u"org.freedesktop.appearance"_s, u"color-scheme"_s, 0);
        QTRY_COMPARE(changed.size(), 3);
        QCOMPARE(appearance.preferredScheme(), Appearance::Scheme::noPreference);
    }

    void mountTable()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(int, signals);
        const QString table = path(QStringLiteral("mountinfo"));
        writeFile(table, before);
        LinuxSystemEvents events(noBus(), table);
        QVERIFY(events.mountAvailability().found);
        QSignalSpy mounted(&events, &SystemEvents::volumeMounted);
        replaceFile(table, after);
        events.checkMounts();
        QCOMPARE(mounted.size(), signals);
    }

    void mountInKernelTable()
    {
        if (::geteuid() != 0)
            QSKIP("Mounting needs root: run as root to check the kernel's mount table.");
        QProcess child;
        child.start(QStringLiteral("unshare"),
                    {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                     QStringLiteral("private"), QCoreApplication::applicationFilePath(),
                     QString::fromLatin1(watchMountOption), m_dir->path()});
        QVERIFY2(child.waitForFinished(30'000), "the child watching its mounts did not finish");
        const QString said = QString::fromUtf8(child.readAllStandardOutput());
        const QString complaint = QString::fromUtf8(child.readAllStandardError());
        if (!said.contains(QStringLiteral("watching")))
            QSKIP(qPrintable(QStringLiteral("No mount namespace of our own here: ") + complaint));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 qPrintable(QStringLiteral("exit code ") + QString::number(child.exitCode()) +
                            u' ' + complaint));
    }

    void loginItemFollowsDesktopSettings_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("enabled");
        const QByteArray ours = AutostartLoginItem::entryFor(QStringLiteral("/usr/bin/zol"));
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("ours") << ours << true;
        QTest::newRow("hidden") << ours + "Hidden = true\n" << false;
        QTest::newRow("switched off in GNOME") << ours + "X-GNOME-Autostart-enabled=false\n"
                                               << false;
        QTest::newRow("hidden, in another group")
            << ours + "[Desktop Action Quit]\nName=Quit\nExec=zol quit\nHidden=true\n"
            << true;
    }
    void loginItemFollowsDesktopSettings()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, enabled);
        const QString folder = path(QStringLiteral("config/autostart"));
        const QString program = QStringLiteral("/usr/bin/zol");
        AutostartLoginItem item(folder, program);
        QCOMPARE(item.entryPath(), folder + QStringLiteral("/org.zol.Zol.desktop"));
        if (!entry.isEmpty())
            writeFile(item.entryPath(), entry);
        QCOMPARE(item.isEnabled(), enabled);

        QCOMPARE(item.setEnabled(true), std::nullopt);
        QVERIFY(item.isEnabled());
        QCOMPARE(readFile(item.entryPath()), AutostartLoginItem::entryFor(program));
        QVERIFY(readFile(item.entryPath()).contains("\nTryExec=/usr/bin/zol\n"));
        QCOMPARE(item.setEnabled(true), std::nullopt);
        QCOMPARE(readFile(item.entryPath()), AutostartLoginItem::entryFor(program));

        QCOMPARE(item.setEnabled(false), std::nullopt);
        QVERIFY(!item.isEnabled());
        QVERIFY(!QFile::exists(item.entryPath()));
        QCOMPARE(item.setEnabled(false), std::nullopt);
    }

    void autostartEntryStartsTheProgram_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("exec");
        QTest::addColumn<bool>("glibStartsIt");
        QTest::newRow("plain") << "bin"
                               << "%1/bin/zol" << true;
        QTest::newRow("space") << "My Apps"
                               << "\"%1/My Apps/zol\"" << true;
        QTest::newRow("quotes and dollar")
            << "$HOME \"q\" `x`"
            << "\"%1/\\\\$HOME \\\\\"q\\\\\" \\\\`x\\\\`/zol\"" << true;
        QTest::newRow("backslash") << "a\\b"
                                   << "\"%1/a\\\\\\\\b/zol\"" << true;
        // GLib looks for the program before it undoes "%%", so it never
        // starts one whose path holds a percent sign; other launchers do.
        QTest::newRow("percent") << "100%"
                                 << "%1/100%%/zol" << false;
    }
    void autostartEntryStartsTheProgram()
    {
        QFETCH(QString, folder);
        QFETCH(QString, exec);
        QFETCH(bool, glibStartsIt);
        const QString program = path(folder + QStringLiteral("/zol"));
        const QString started = path(QStringLiteral("started"));
        writeFile(program, "#!/bin/sh\necho started > '" + QFile::encodeName(started) + "'\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));

        AutostartLoginItem item(path(QStringLiteral("autostart")), program);
        QCOMPARE(item.setEnabled(true), std::nullopt);
        QCOMPARE(AutostartLoginItem::execValue(program), exec.arg(m_dir->path()));

        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {item.entryPath()});
        QVERIFY(validate.waitForFinished(10'000));
        QVERIFY2(validate.exitCode() == 0 && validate.readAllStandardOutput().isEmpty(),
                 validate.readAllStandardOutput().constData());

        if (!glibStartsIt)
            return;
        QProcess launch;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus->address());
        launch.setProcessEnvironment(environment);
        launch.start(QStringLiteral("gio"), {QStringLiteral("launch"), item.entryPath()});
        QVERIFY(launch.waitForFinished(10'000));
        QVERIFY2(launch.exitCode() == 0, launch.readAllStandardError().constData());
        QTRY_VERIFY(QFile::exists(started));
    }

    void revealShowsTheFileSelected()
    {
        StandInFileManager fileManager;
        QVERIFY(fileManager.serve(connection()));
        QSignalSpy shown(&fileManager, &StandInFileManager::shown);
        LinuxDesktop desktop(connection(), path(QStringLiteral("opener")));
        QVERIFY(desktop.availability().found);

        desktop.reveal(path(QStringLiteral("Exports/week 12.csv")));
        QTRY_COMPARE(shown.size(), 1);
        const QString uri =
            QStringLiteral("file://") + m_dir->path() + QStringLiteral("/Exports/week%2012.csv");
        QCOMPARE(shown.constFirst(), (QVariantList{QStringList{uri}, QString()}));
    }

    void openerOpens_data()
    {
        QTest::addColumn<bool>("sessionBus");
        QTest::addColumn<QString>("reveal");
        QTest::addColumn<QUrl>("open");
        QTest::addColumn<QString>("opened");
        QTest::newRow("no file manager: the folder")
            << true << "Exports/week 12.csv" << QUrl() << "file://%1/Exports";
        QTest::newRow("no session bus: the folder")
            << false << "Exports/week 12.csv" << QUrl() << "file://%1/Exports";
        QTest::newRow("an address")
            << true << QString() << QUrl(QStringLiteral("https://zol.example/get?v=2&os=linux"))
            << "https://zol.example/get?v=2&os=linux";
    }
    void openerOpens()
    {
        QFETCH(bool, sessionBus);
        QFETCH(QString, reveal);
        QFETCH(QUrl, open);
        QFETCH(QString, opened);
        const QString opener = path(QStringLiteral("opener"));
        const QString record = path(QStringLiteral("opened"));
        writeFile(opener, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + QFile::encodeName(record) +
                              ".new'\nmv '" + QFile::encodeName(record) + ".new' '" +
                              QFile::encodeName(record) + "'\n");
        QVERIFY(QFile::setPermissions(opener, QFile::ReadOwner | QFile::ExeOwner));
        LinuxDesktop desktop(sessionBus ? connection() : noBus(), opener);

        if (open.isEmpty()) {
            const ServiceAvailability none = desktop.availability();
            QVERIFY(!none.found);
            QVERIFY2(none.reason.contains(QStringLiteral("opens the folder")),
                     qPrintable(none.reason));
            desktop.reveal(path(reveal));
        } else {
            desktop.openUrl(open);
        }
        QTRY_VERIFY(QFile::exists(record));
        QCOMPARE(readFile(record),
                 (opened.replace(QStringLiteral("%1"), m_dir->path()) + u'\n').toUtf8());
    }

    // What the desktop gets: the session's and the system's buses, the
    // kernel's mount table, the autostart folder under XDG_CONFIG_HOME and
    // the tray app beside this program, whichever program writes the entry.
    void thisDesktopsServices()
    {
        const auto restore = qScopeGuard([old = qgetenv("XDG_CONFIG_HOME")] {
            if (old.isNull())
                qunsetenv("XDG_CONFIG_HOME");
            else
                qputenv("XDG_CONFIG_HOME", old);
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
            qunsetenv("DBUS_SYSTEM_BUS_ADDRESS");
        });
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_bus->address().toUtf8());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(QStringLiteral("config"))));
        StandInLogin1 manager;
        QVERIFY(manager.serve(connection()));
        StandInFileManager fileManager;
        QVERIFY(fileManager.serve(connection()));

        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        QVERIFY(platform->systemEvents().sleepAvailability().found);
        QCOMPARE(platform->systemEvents().lockAvailability(),
                 ServiceAvailability::present(QStringLiteral("logind session")));
        QCOMPARE(platform->systemEvents().mountAvailability(),
                 ServiceAvailability::present(QStringLiteral("kernel mount table"),
                                              QStringLiteral("/proc/self/mountinfo")));
        QVERIFY(platform->desktop().availability().found);
        QVERIFY(!platform->notifier().availability().found);
        QCOMPARE(platform->loginItem().setEnabled(true), std::nullopt);
        QCOMPARE(readFile(path(QStringLiteral("config/autostart/org.zol.Zol.desktop"))),
                 AutostartLoginItem::entryFor(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/zol-tray")));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], watchMountOption) == 0)
        return watchMount(QString::fromLocal8Bit(argv[2]));
    TestDesktopServices test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktopservices.moc"
