// The real tray app on a desktop of the test's own: an X display (Xvfb
// -noreset) with an XEmbed tray (trayer) and a private session bus. The clock
// appears in the tray, a click (xdotool) opens the panel under it, a second
// start hands over to the first, and quitting leaves the running session in
// the books. A tray that starts after the app is used: a StatusNotifierItem
// watcher ten seconds late, and an XEmbed tray after the app gave up and
// opened in a window. The clock follows what the command line does.
// Pictures of the tray and the panel go to the build folder.

#include "DesktopProbes.h"
#include "PrivateBus.h"
#include "Screenshots.h"
#include "UserFolders.h"
#include "VirtualDisplay.h"
#include "store/EntryStore.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QRect>
#include <QSignalSpy>
#include <QScopeGuard>
#include <QTest>

#include <tuple>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

// Plays a panel's tray on the session bus: the StatusNotifierItem watcher,
// with a host registered, noting each item that registers with it.
class StandInWatcher final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit StandInWatcher(QDBusConnection bus)
        : m_bus(std::move(bus))
    {}
    ~StandInWatcher() override
    {
        m_bus.unregisterService(u"org.kde.StatusNotifierWatcher"_s);
        m_bus.unregisterObject(u"/StatusNotifierWatcher"_s);
    }
    bool serve()
    {
        return m_bus.registerObject(u"/StatusNotifierWatcher"_s, this,
                                    QDBusConnection::ExportAllSlots |
                                        QDBusConnection::ExportAllProperties |
                                        QDBusConnection::ExportAllSignals) &&
               m_bus.registerService(u"org.kde.StatusNotifierWatcher"_s);
    }
    bool isHostRegistered() const { return true; }
    QStringList items() const { return m_items; }
    int protocolVersion() const { return 0; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& call)
    {
        // Qt names its item by its bus name, or by the object path alone.
        m_items.append(service.startsWith(u'/') ? call.service() + service : service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierHostRegistered();

private:
    QDBusConnection m_bus;
    QStringList m_items;
};

} // namespace

class TestTrayApp : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<VirtualDisplay> m_display;
    std::unique_ptr<PrivateBus> m_bus;
    QProcessEnvironment m_environment;
    std::unique_ptr<QProcess> m_tray;
    std::unique_ptr<QProcess> m_app;

    QString run(const QString& program, const QStringList& arguments)
    {
        return outputOf(m_environment, program, arguments);
    }

    // zol-tray's visible windows: the tray icon and, when open, the panel.
    QList<ShownWindow> windows() { return shownWindows(m_environment, u"zol-tray"_s); }

    std::optional<ShownWindow> trayIcon()
    {
        for (const ShownWindow& w : windows()) {
            if (w.geometry.width() <= 48 && w.geometry.height() <= 48)
                return w;
        }
        return std::nullopt;
    }

    std::optional<ShownWindow> panel()
    {
        for (const ShownWindow& w : windows()) {
            if (w.geometry.width() > 200)
                return w;
        }
        return std::nullopt;
    }

    void startApp()
    {
        m_app = std::make_unique<QProcess>();
        m_app->setProcessEnvironment(m_environment);
        m_app->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_app->start(QStringLiteral(ZOL_TRAY_BINARY), {});
        QVERIFY(m_app->waitForStarted(20'000));
    }

    void screenshot(const QString& name, const QRect& area = {})
    {
        QVERIFY(grabScreen(m_environment, QStringLiteral(ZOL_SCREENGRAB_BINARY),
                           screenshotFolder() + u'/' + name + u".png"_s, area));
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_folders = std::make_unique<UserFolders>();
        m_display = std::make_unique<VirtualDisplay>();
        QVERIFY2(m_display->isRunning(), qPrintable(m_display->error()));
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->error()));
        m_environment = x11Session(m_display->name(), m_bus->address());
        m_tray = std::make_unique<QProcess>();
        m_tray->setProcessEnvironment(m_environment);
        m_tray->start(u"trayer"_s, {u"--edge"_s, u"top"_s, u"--align"_s, u"right"_s,
                                    u"--widthtype"_s, u"request"_s, u"--height"_s, u"28"_s,
                                    u"--tint"_s, u"0x2b2b2b"_s, u"--transparent"_s, u"true"_s,
                                    u"--alpha"_s, u"0"_s});
        QVERIFY(m_tray->waitForStarted(10'000));
    }

    void cleanupTestCase()
    {
        for (QProcess* process : {m_app.get(), m_tray.get()}) {
            if (process && process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(10'000);
            }
        }
        m_app.reset();
        m_tray.reset();
        m_bus.reset();
        m_display.reset();
        m_folders.reset();
    }

    void theClockAppearsAndOpensThePanelUnderIt()
    {
        // A session left running: the clock shows its time.
        {
            EntryStore books(EntryStore::defaultURL());
            for (const auto& [number, name, client] :
                 {std::tuple{u"2301"_s, u"Brand book"_s, u"Acme"_s},
                  std::tuple{u"2302"_s, u"Website"_s, u"Acme"_s}}) {
                Project project;
                project.serial = number;
                project.name = name;
                project.clientName = client;
                books.addManualProject(project);
            }
            TimeEntry entry;
            entry.id = QUuid::createUuid();
            entry.machineName = u"Test"_s;
            entry.startedAt = QDateTime::currentDateTimeUtc().addSecs(-(72 * 60));
            entry.projectSerial = u"2301"_s;
            entry.projectName = u"Brand book"_s;
            entry.clientName = u"Acme"_s;
            entry.createdAt = entry.startedAt;
            entry.updatedAt = entry.startedAt;
            books.save(entry);
        }
        // Not a first run: the welcome window stays closed.
        QCOMPARE(run(QStringLiteral(ZOL_BINARY), {u"settings"_s, u"setup.completed"_s, u"true"_s}),
                 u"setup.completed = true\n"_s);
        startApp();
        QTRY_VERIFY_WITH_TIMEOUT(trayIcon().has_value(), 20'000);
        const ShownWindow icon = *trayIcon();
        // The tray is at the top of the screen.
        QVERIFY2(icon.geometry.top() < 40, qPrintable(u"%1"_s.arg(icon.geometry.top())));
        screenshot(u"tray-icon"_s, QRect(icon.geometry.x() - 40, 0, icon.geometry.width() + 80, 40));

        run(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, icon.id, u"8"_s, u"8"_s, u"click"_s, u"1"_s});
        QTRY_VERIFY_WITH_TIMEOUT(panel().has_value(), 20'000);
        const ShownWindow opened = *panel();
        // Under the icon, not over the tray, and within the screen.
        QVERIFY2(opened.geometry.top() > icon.geometry.bottom(),
                 qPrintable(u"panel at %1, icon ends at %2"_s.arg(opened.geometry.top())
                                .arg(icon.geometry.bottom())));
        QVERIFY(opened.geometry.right() < 1280);
        QVERIFY(opened.geometry.left() < icon.geometry.center().x());
        QVERIFY(opened.geometry.right() > icon.geometry.center().x());
        screenshot(u"tray-panel"_s);
    }

    void aSecondStartHandsOverToTheFirst()
    {
        QVERIFY(m_app && m_app->state() == QProcess::Running);
        QProcess second;
        second.setProcessEnvironment(m_environment);
        second.start(QStringLiteral(ZOL_TRAY_BINARY), {});
        QVERIFY(second.waitForFinished(20'000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(m_app->state(), QProcess::Running);
        // The first opened its panel.
        QTRY_VERIFY_WITH_TIMEOUT(panel().has_value(), 20'000);
    }

    void quittingKeepsTheSessionOpen()
    {
        QVERIFY(m_app);
        m_app->terminate();
        QVERIFY(m_app->waitForFinished(20'000));
        EntryStore books(EntryStore::defaultURL());
        const std::optional<TimeEntry> open = books.openEntry();
        QVERIFY(open && open->projectSerial == u"2301"_s);
    }

    // At login the panel often starts after the apps of the autostart
    // folder. Qt settles once per process which kind of tray it uses, so
    // the app must not ask it before a tray is there.
    void aStatusNotifierHostThatStartsLateIsUsed()
    {
        m_tray->kill();
        m_tray->waitForFinished(10'000);
        if (!EntryStore(EntryStore::defaultURL()).openEntry()) {
            run(QStringLiteral(ZOL_BINARY), {u"project"_s, u"add"_s, u"2301"_s, u"--client"_s,
                                             u"Acme"_s, u"--name"_s, u"Brand book"_s});
            run(QStringLiteral(ZOL_BINARY), {u"start"_s, u"2301"_s});
        }
        // Zol's icons laid out as installed, where the icon theme looks.
        m_environment.insert(u"XDG_DATA_DIRS"_s, QStringLiteral(ZOL_DATA_DIR) + u":/usr/share"_s);
        startApp();
        QTest::qWait(10'000);
        QVERIFY(m_app->state() == QProcess::Running);

        QDBusConnection bus = QDBusConnection::connectToBus(m_bus->address(), u"watcher"_s);
        const auto disconnect =
            qScopeGuard([] { QDBusConnection::disconnectFromBus(u"watcher"_s); });
        StandInWatcher watcher(bus);
        QVERIFY(watcher.serve());
        QTRY_COMPARE_WITH_TIMEOUT(watcher.items().size(), 1, 10'000);

        // The item names its picture in the icon theme, symbolic, so that the
        // panel colours it to suit itself: the session left running shows.
        const QString item = watcher.items().constFirst();
        const qsizetype slash = item.indexOf(u'/');
        QDBusMessage ask = QDBusMessage::createMethodCall(
            slash < 0 ? item : item.left(slash),
            slash < 0 ? u"/StatusNotifierItem"_s : item.mid(slash),
            u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
        ask << u"org.kde.StatusNotifierItem"_s << u"IconName"_s;
        const QDBusMessage answer = bus.call(ask, QDBus::Block, 5'000);
        QCOMPARE(answer.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(answer.arguments().value(0).value<QDBusVariant>().variant().toString(),
                 u"org.zol.Zol-running-symbolic"_s);

        // The clock follows the command line within two seconds, each time.
        const auto iconName = [&bus, &ask] {
            const QDBusMessage reply = bus.call(ask, QDBus::Block, 5'000);
            return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
        };
        for (int attempt = 0; attempt < 20; ++attempt) {
            const bool pausing = attempt % 2 == 0;
            QProcess command;
            command.setProcessEnvironment(m_environment);
            command.start(QStringLiteral(ZOL_BINARY), {pausing ? u"pause"_s : u"resume"_s});
            QVERIFY(command.waitForFinished(20'000));
            QCOMPARE(command.exitCode(), 0);
            QTRY_COMPARE_WITH_TIMEOUT(iconName(),
                                      pausing ? u"org.zol.Zol-paused-symbolic"_s
                                              : u"org.zol.Zol-running-symbolic"_s,
                                      2'000);
        }
        m_app->terminate();
        QVERIFY(m_app->waitForFinished(20'000));
    }

    // Without a tray the app gives up after about half a minute and opens
    // in a window; a tray that comes after that takes the clock, and the
    // window that stood in for it closes.
    void aTrayAfterTheAppGaveUpTakesTheClock()
    {
        startApp();
        QTRY_VERIFY_WITH_TIMEOUT(panel().has_value(), 60'000);
        QVERIFY(!trayIcon());
        screenshot(u"no-tray-window"_s);

        m_tray->start(u"trayer"_s, {u"--edge"_s, u"top"_s, u"--align"_s, u"right"_s,
                                    u"--widthtype"_s, u"request"_s, u"--height"_s, u"28"_s});
        QVERIFY(m_tray->waitForStarted(10'000));
        QTRY_VERIFY_WITH_TIMEOUT(trayIcon().has_value(), 60'000);
        QTRY_VERIFY_WITH_TIMEOUT(!panel().has_value(), 20'000);
    }
};

QTEST_GUILESS_MAIN(TestTrayApp)
#include "tst_trayapp.moc"
