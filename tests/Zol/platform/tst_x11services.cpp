// The Linux desktop services that speak X11, against an X server of the
// test's own with input typed by xdotool: idle time, which idle source a
// session gets, the start-and-pause key, the tray host, and every service
// without a display. D-Bus stand-ins play GNOME and the tray watcher on a
// private session bus.

#include "BusStandIn.h"
#include "GlobalHotKey.h"
#include "Platform.h"
#include "PlatformTesting.h"
#include "PrivateBus.h"
#include "ScopedEnvironment.h"
#include "VirtualDisplay.h"
#include "linux/X11Connection.h"
#include "linux/X11GlobalShortcut.h"

#include <QDBusVariant>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <X11/keysym.h>
#include <xcb/xcb_keysyms.h>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::linux_desktop;
using namespace zol::test;

namespace {

const QString noTray = u"No panel here shows tray icons: add a notification area or system "
                       u"tray to the desktop's panel."_s;
const QString noWaylandTray =
    u"No panel here shows tray icons: add a tray to the desktop's panel (in waybar, its tray "
    u"module)."_s;
const QString taken = u"Super+Alt+T is taken by another program."_s;

// GNOME's idle monitor, answering `milliseconds`.
std::unique_ptr<BusStandIn> mutterAnswering(const PrivateBus& bus, qulonglong milliseconds)
{
    return std::make_unique<BusStandIn>(
        bus, u"org.gnome.Mutter.IdleMonitor"_s, u"/org/gnome/Mutter/IdleMonitor/Core"_s,
        [milliseconds](const QDBusMessage& call) {
            return QList<QDBusMessage>{call.createReply(QVariant::fromValue(milliseconds))};
        });
}

// A StatusNotifierItem watcher that says whether a host registered with it.
std::unique_ptr<BusStandIn> trayWatcher(const PrivateBus& bus, bool hostRegistered)
{
    return std::make_unique<BusStandIn>(
        bus, u"org.kde.StatusNotifierWatcher"_s, u"/StatusNotifierWatcher"_s,
        [hostRegistered](const QDBusMessage& call) {
            if (call.member() == u"Get" &&
                call.arguments().value(1).toString() == u"IsStatusNotifierHostRegistered")
                return QList<QDBusMessage>{
                    call.createReply(QVariant::fromValue(QDBusVariant(hostRegistered)))};
            return QList<QDBusMessage>{call.createErrorReply(QDBusError::UnknownMethod, {})};
        });
}

} // namespace

class TestX11Services : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<VirtualDisplay> m_display;
    ScopedEnvironment m_environment;

    // Runs xdotool on the test's display; the input has reached the server
    // when it returns.
    static void type(const QStringList& arguments)
    {
        QCOMPARE(QProcess::execute(u"xdotool"_s, arguments), 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->error()));
        m_display = std::make_unique<VirtualDisplay>();
        QVERIFY2(m_display->isRunning(), qPrintable(m_display->error()));
        // Before anything asks for the session bus: it is connected once.
        m_environment.set("DBUS_SESSION_BUS_ADDRESS", m_bus->address().toUtf8());
        m_environment.set("DISPLAY", m_display->name().toUtf8());
        m_environment.set("XDG_SESSION_TYPE", "x11");
        m_environment.set("WAYLAND_DISPLAY", {});
    }

    void idleTimeFollowsInput()
    {
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        IdleTimeSource& idleTime = platform->idleTime();

        QTRY_VERIFY_WITH_TIMEOUT(idleTime.secondsSinceLastInput().value_or(0) >= 1, 3000);
        const ServiceAvailability found = idleTime.availability();
        QVERIFY(found.found);
        QCOMPARE(found.implementation, u"X screen saver"_s);
        QVERIFY2(found.reason.endsWith(u" s since the last input"), qPrintable(found.reason));

        type({u"key"_s, u"shift"_s});
        QVERIFY(idleTime.secondsSinceLastInput().value_or(99) < 1);
    }

    void idleSourceOrder_data()
    {
        QTest::addColumn<QByteArray>("sessionType");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<bool>("hasDisplay");
        QTest::addColumn<QString>("source");

        const QByteArray unset;
        QTest::newRow("X11 session") << "x11"_ba << unset << true << u"X screen saver"_s;
        QTest::newRow("no session type") << unset << unset << true << u"X screen saver"_s;
        QTest::newRow("Wayland session with XWayland")
            << "wayland"_ba << unset << true << u"GNOME idle monitor"_s;
        QTest::newRow("Wayland display without session type")
            << unset << "wayland-0"_ba << true << u"GNOME idle monitor"_s;
        QTest::newRow("X11 session without a display")
            << "x11"_ba << unset << false << u"GNOME idle monitor"_s;
    }

    void idleSourceOrder()
    {
        QFETCH(QByteArray, sessionType);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(bool, hasDisplay);
        QFETCH(QString, source);

        const std::unique_ptr<BusStandIn> mutter = mutterAnswering(*m_bus, 4'200);
        QVERIFY(mutter->isServing());
        ScopedEnvironment environment;
        environment.set("XDG_SESSION_TYPE", sessionType);
        environment.set("WAYLAND_DISPLAY", waylandDisplay);
        if (!hasDisplay)
            environment.set("DISPLAY", {});

        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        const ServiceAvailability found = platform->idleTime().availability();
        QCOMPARE(found.implementation, source);
        QVERIFY(found.found);
        if (source == u"GNOME idle monitor") {
            QCOMPARE(found.reason, u"4 s since the last input"_s);
            QCOMPARE(platform->idleTime().secondsSinceLastInput(), 4.2);
        }
    }

    void hotKeyPressed_data()
    {
        QTest::addColumn<QStringList>("locks");

        QTest::newRow("no lock") << QStringList();
        QTest::newRow("CapsLock on") << QStringList{u"Caps_Lock"_s};
        QTest::newRow("NumLock on") << QStringList{u"Num_Lock"_s};
        QTest::newRow("both on") << QStringList{u"Caps_Lock"_s, u"Num_Lock"_s};
    }

    void hotKeyPressed()
    {
        QFETCH(QStringList, locks);

        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        GlobalHotKey hotKey(platform->shortcut());
        int toggles = 0;
        hotKey.registerAction([&toggles] { ++toggles; });
        QVERIFY2(hotKey.isRegistered(), qPrintable(hotKey.failure()));
        QCOMPARE(platform->shortcut().availability(),
                 ServiceAvailability::present(u"X11 key grab"_s, u"Super+Alt+T is held"_s));
        QSignalSpy pressed(&platform->shortcut(), &GlobalShortcut::pressed);

        // Each lock key pressed again afterwards turns its lock off.
        for (const QString& lock : std::as_const(locks))
            type({u"key"_s, lock});
        const auto unlock = qScopeGuard([&locks] {
            for (const QString& lock : std::as_const(locks))
                QProcess::execute(u"xdotool"_s, {u"key"_s, lock});
        });
        type({u"key"_s, u"super+alt+t"_s});

        QTRY_COMPARE(toggles, 1);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.first().first().toString(), GlobalHotKey::signature());
    }

    void heldKeyCountsOnce()
    {
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        QVERIFY(platform->shortcut().grab(GlobalHotKey::signature()));
        QSignalSpy pressed(&platform->shortcut(), &GlobalShortcut::pressed);

        // Held past the server's auto-repeat delay (660 ms).
        type({u"keydown"_s, u"super+alt+t"_s, u"sleep"_s, u"1"_s, u"keyup"_s, u"super+alt+t"_s});
        // A round trip on the same connection: every event of the key is in
        // by the time its answer is, and handed out from the event loop.
        QVERIFY(platform->idleTime().secondsSinceLastInput());
        QTRY_COMPARE(pressed.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(pressed.count(), 1);
    }

    // Under another layout the T is on another key; the grab follows it.
    void keyboardLayoutChanged()
    {
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        QVERIFY(platform->shortcut().grab(GlobalHotKey::signature()));
        QSignalSpy pressed(&platform->shortcut(), &GlobalShortcut::pressed);

        QCOMPARE(
            QProcess::execute(u"setxkbmap"_s, {u"-layout"_s, u"us"_s, u"-variant"_s, u"dvorak"_s}),
            0);
        const auto restore = qScopeGuard([] {
            QProcess::execute(u"setxkbmap"_s, {u"-layout"_s, u"us"_s});
        });
        // The server's mapping notice is in once this round trip is done, and
        // handled on the way back through the event loop.
        QVERIFY(platform->idleTime().secondsSinceLastInput());
        QCoreApplication::processEvents();

        type({u"key"_s, u"super+alt+t"_s});
        QTRY_COMPARE(pressed.count(), 1);
    }

    void keyTakenByAnotherProgram()
    {
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        GlobalShortcut& ours = platform->shortcut();
        X11GlobalShortcut other(std::make_shared<X11Connection>());
        QVERIFY(other.grab(u"OTHER"_s));

        const std::expected<void, QString> refused = ours.grab(GlobalHotKey::signature());
        QVERIFY(!refused);
        QCOMPARE(refused.error(), taken);

        other.release();
        QVERIFY(ours.grab(GlobalHotKey::signature()));
        QSignalSpy pressed(&ours, &GlobalShortcut::pressed);
        type({u"key"_s, u"super+alt+t"_s});
        QTRY_COMPARE(pressed.count(), 1);
        QCOMPARE(refusal(other.grab(u"OTHER"_s)), taken);

        ours.release();
        QVERIFY(other.grab(u"OTHER"_s));
    }

    // Another program holds only the CapsLock variant: our grab is refused
    // and the variants it did get are let go again.
    void refusedGrabHoldsNothing()
    {
        X11Connection display;
        xcb_connection_t* connection = display.open().value_or(nullptr);
        QVERIFY(connection);
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
        xcb_keycode_t* keycodes = xcb_key_symbols_get_keycode(symbols, XK_t);
        QVERIFY(keycodes);
        const xcb_keycode_t t = keycodes[0];
        std::free(keycodes);
        xcb_key_symbols_free(symbols);
        xcb_grab_key(connection, 0, display.root(),
                     XCB_MOD_MASK_4 | XCB_MOD_MASK_1 | XCB_MOD_MASK_LOCK, t, XCB_GRAB_MODE_ASYNC,
                     XCB_GRAB_MODE_ASYNC);
        QVERIFY(display.sync());

        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        QCOMPARE(refusal(platform->shortcut().grab(GlobalHotKey::signature())), taken);

        xcb_ungrab_key(connection, t, display.root(),
                       XCB_MOD_MASK_4 | XCB_MOD_MASK_1 | XCB_MOD_MASK_LOCK);
        QVERIFY(display.sync());
        X11GlobalShortcut third(std::make_shared<X11Connection>());
        const std::expected<void, QString> grabbed = third.grab(u"THIRD"_s);
        QVERIFY2(grabbed, qPrintable(refusal(grabbed)));
    }

    // XWayland grabs work only while an X program has the focus: a Wayland
    // session asks the portal, which this bus does not have.
    void waylandSessionAsksThePortal()
    {
        ScopedEnvironment environment;
        environment.set("XDG_SESSION_TYPE", "wayland");
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        const QString reason = u"This desktop does not let programs claim keys."_s;
        QCOMPARE(platform->shortcut().availability(),
                 ServiceAvailability::missing(reason, u"Global shortcuts portal"_s));
        QCOMPARE(refusal(platform->shortcut().grab(GlobalHotKey::signature())), reason);
    }

    void trayHost_data()
    {
        QTest::addColumn<bool>("xembedTray");
        // 0: no watcher; 1: a watcher with a host; 2: a watcher without one.
        QTest::addColumn<int>("watcher");
        QTest::addColumn<QByteArray>("sessionType");
        QTest::addColumn<ServiceAvailability>("expected");

        const auto sni = ServiceAvailability::present(u"StatusNotifierItem host"_s);
        const auto xembed = ServiceAvailability::present(u"XEmbed tray"_s);
        const auto none = ServiceAvailability::missing(noTray);
        // Rows with a tray process come last: its selection may outlive it
        // for a moment.
        QTest::newRow("bare X display") << false << 0 << "x11"_ba << none;
        QTest::newRow("StatusNotifierItem host") << false << 1 << "x11"_ba << sni;
        QTest::newRow("watcher without a host") << false << 2 << "x11"_ba << none;
        QTest::newRow("XEmbed tray") << true << 0 << "x11"_ba << xembed;
        QTest::newRow("XEmbed tray under Wayland")
            << true << 0 << "wayland"_ba << ServiceAvailability::missing(noWaylandTray);
    }

    void trayHost()
    {
        QFETCH(bool, xembedTray);
        QFETCH(int, watcher);
        QFETCH(QByteArray, sessionType);
        QFETCH(ServiceAvailability, expected);

        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        std::unique_ptr<BusStandIn> standIn;
        if (watcher != 0) {
            standIn = trayWatcher(*m_bus, watcher == 1);
            QVERIFY(standIn->isServing());
        }
        QProcess tray;
        if (xembedTray) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"NO_AT_BRIDGE"_s, u"1"_s);
            tray.setProcessEnvironment(environment);
            tray.start(u"trayer"_s, {});
            QVERIFY2(tray.waitForStarted(), qPrintable(tray.errorString()));
        }
        const auto endTray = qScopeGuard([&tray] {
            tray.kill();
            tray.waitForFinished();
        });
        if (xembedTray) {
            QTRY_COMPARE_WITH_TIMEOUT(platform->trayHost().found, true, 10'000);
        }

        ScopedEnvironment environment;
        environment.set("XDG_SESSION_TYPE", sessionType);
        QCOMPARE(platform->trayHost(), expected);
    }

    // At login the panel often starts after Zol, and a panel may restart:
    // the watch says when a tray may have come, whichever kind it is.
    void aTrayThatComesLateIsNoticed()
    {
        ScopedEnvironment environment;
        environment.set("XDG_SESSION_TYPE", "x11");
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();
        TrayHost& tray = platform->tray();
        QSignalSpy changed(&tray, &TrayHost::changed);
        tray.watch();
        QCOMPARE(tray.availability().found, false);

        // A StatusNotifierItem watcher with its host.
        {
            const std::unique_ptr<BusStandIn> standIn = trayWatcher(*m_bus, true);
            QVERIFY(standIn->isServing());
            QTRY_VERIFY_WITH_TIMEOUT(!changed.isEmpty(), 10'000);
            QCOMPARE(tray.availability().implementation, u"StatusNotifierItem host"_s);
        }
        QTRY_VERIFY_WITH_TIMEOUT(changed.size() >= 2, 10'000); // the watcher went away
        QCOMPARE(tray.availability().found, false);

        // An XEmbed tray announces itself to the root window.
        changed.clear();
        QProcess trayer;
        trayer.start(u"trayer"_s, {});
        QVERIFY2(trayer.waitForStarted(), qPrintable(trayer.errorString()));
        const auto endTray = qScopeGuard([&trayer] {
            trayer.kill();
            trayer.waitForFinished();
        });
        QTRY_VERIFY_WITH_TIMEOUT(!changed.isEmpty(), 10'000);
        QCOMPARE(tray.availability().implementation, u"XEmbed tray"_s);
    }

    void withoutDisplay_data()
    {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QString>("reason");

        QTest::newRow("DISPLAY not set") << QByteArray() << u"No X display (DISPLAY is not set)."_s;
        QTest::newRow("nothing on the display")
            << ":4242"_ba << u"Cannot reach the X display :4242."_s;
    }

    void withoutDisplay()
    {
        QFETCH(QByteArray, display);
        QFETCH(QString, reason);

        ScopedEnvironment environment;
        environment.set("DISPLAY", display);
        const std::unique_ptr<Platform> platform = Platform::forThisDesktop();

        QCOMPARE(platform->idleTime().availability(),
                 ServiceAvailability::missing(
                     u"Nothing tells the idle time, so the away prompt stays off. "_s + reason +
                     u" Not a Wayland session: WAYLAND_DISPLAY is not set."
                     u" GNOME idle monitor is not running. org.freedesktop.ScreenSaver is not "
                     u"running."_s));
        QCOMPARE(platform->idleTime().secondsSinceLastInput(), std::nullopt);
        QCOMPARE(platform->shortcut().availability(),
                 ServiceAvailability::missing(reason, u"X11 key grab"_s));
        QCOMPARE(refusal(platform->shortcut().grab(GlobalHotKey::signature())), reason);
        QCOMPARE(platform->trayHost(), ServiceAvailability::missing(noTray));
    }
};

QTEST_GUILESS_MAIN(TestX11Services)
#include "tst_x11services.moc"
