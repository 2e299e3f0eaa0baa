// The real tray app on an Xfce desktop of the test's own: Xvfb, xfwm4 (which
// keeps the panel's strip free of windows), xfce4-panel with its system tray,
// xfce4-notifyd and xfconfd on a private session bus. The clock's item is in
// the panel's tray, a second start opens the panel under the bar at the
// tray's end, and a panel that restarts takes the icon back. Pictures of the
// bar and the panel, light and dark, go to the build folder.

#include "DesktopProbes.h"
#include "PrivateBus.h"
#include "Screenshots.h"
#include "UserFolders.h"
#include "VirtualDisplay.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace zol::test;

namespace {

const QString xfconfd = u"/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd"_s;
const QString notifyd = u"/usr/lib/x86_64-linux-gnu/xfce4/notifyd/xfce4-notifyd"_s;
constexpr int barHeight = 28;

// One panel along the top: a spacer, the system tray and a clock, as a new
// Xfce user's top panel has them, in the dark style.
const QByteArray panelConfiguration = R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="dark-mode" type="bool" value="true"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="icon-size" type="uint" value="16"/>
      <property name="size" type="uint" value="28"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
        <value type="int" value="2"/>
        <value type="int" value="3"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="separator">
      <property name="expand" type="bool" value="true"/>
      <property name="style" type="uint" value="0"/>
    </property>
    <property name="plugin-2" type="string" value="systray">
      <property name="square-icons" type="bool" value="true"/>
    </property>
    <property name="plugin-3" type="string" value="clock"/>
  </property>
</channel>
)";

QString missingProgram()
{
    for (const auto& [program, package] :
         {std::pair{u"xfce4-panel"_s, u"xfce4-panel"_s}, std::pair{u"xfwm4"_s, u"xfwm4"_s},
          std::pair{xfconfd, u"xfconf"_s}, std::pair{notifyd, u"xfce4-notifyd"_s},
          std::pair{u"xdotool"_s, u"xdotool"_s}}) {
        if (program.startsWith(u'/') ? !QFile::exists(program)
                                     : QStandardPaths::findExecutable(program).isEmpty())
            return program.section(u'/', -1) + u" is not installed (Debian package "_s + package +
                   u")."_s;
    }
    return {};
}

} // namespace

class TestXfce : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<VirtualDisplay> m_display;
    std::unique_ptr<PrivateBus> m_bus;
    QProcessEnvironment m_environment;
    // The desktop's programs, in the order they start; ended in reverse.
    std::vector<std::unique_ptr<QProcess>> m_desktop;
    QProcess* m_panel = nullptr;
    std::unique_ptr<QProcess> m_app;

    QProcess* startDesktopProgram(const QString& program, const QStringList& arguments)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(m_environment);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(m_folders->root() + u'/' + program.section(u'/', -1) +
                                      u".log"_s);
        process->start(program, arguments);
        if (!process->waitForStarted(10'000))
            return nullptr;
        m_desktop.push_back(std::move(process));
        return m_desktop.back().get();
    }

    QString zol(const QStringList& arguments)
    {
        return outputOf(m_environment, QStringLiteral(ZOL_BINARY), arguments);
    }

    void startApp(const QProcessEnvironment& environment)
    {
        m_app = std::make_unique<QProcess>();
        m_app->setProcessEnvironment(environment);
        m_app->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_app->start(QStringLiteral(ZOL_TRAY_BINARY), {});
        QVERIFY(m_app->waitForStarted(20'000));
        QTRY_VERIFY_WITH_TIMEOUT(trayListsItemOf(m_bus->connect(u"xfce"_s), m_app->processId()),
                                 20'000);
    }

    std::optional<ShownWindow> panel()
    {
        for (const ShownWindow& window : shownWindows(m_environment, u"zol-tray"_s)) {
            if (window.geometry.width() > 200)
                return window;
        }
        return std::nullopt;
    }

    // Opens the panel as a second start does, checks where it lands and
    // takes its picture; closes it again with Escape.
    void openPanelAndLook(const QString& picture)
    {
        QProcess second;
        second.setProcessEnvironment(m_environment);
        second.start(QStringLiteral(ZOL_TRAY_BINARY), {});
        QVERIFY(second.waitForFinished(20'000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(panel().has_value(), 20'000);
        QTest::qWait(300);
        const QRect opened = panel()->geometry;
        const QString where = u"panel at %1,%2 %3x%4"_s.arg(opened.x())
                                  .arg(opened.y())
                                  .arg(opened.width())
                                  .arg(opened.height());
        // Under the bar, not over it, at the tray's end of it, on the screen.
        QVERIFY2(opened.top() >= barHeight, qPrintable(where));
        QVERIFY2(opened.right() < 1280 && opened.left() > 640, qPrintable(where));
        grab(picture);
        outputOf(m_environment, u"xdotool"_s, {u"key"_s, u"Escape"_s});
        QTRY_VERIFY_WITH_TIMEOUT(!panel().has_value(), 10'000);
    }

    void grab(const QString& name, const QRect& area = {})
    {
        QVERIFY(grabScreen(m_environment, QStringLiteral(ZOL_SCREENGRAB_BINARY),
                           screenshotFolder() + u'/' + name + u".png"_s, area));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (const QString missing = missingProgram(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        m_folders = std::make_unique<UserFolders>();
        const QString channels = m_folders->configHome() + u"/xfce4/xfconf/xfce-perchannel-xml"_s;
        QVERIFY(QDir().mkpath(channels));
        QFile configuration(channels + u"/xfce4-panel.xml"_s);
        QVERIFY(configuration.open(QIODevice::WriteOnly));
        configuration.write(panelConfiguration);
        configuration.close();

        m_display = std::make_unique<VirtualDisplay>();
        QVERIFY2(m_display->isRunning(), qPrintable(m_display->error()));
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->error()));
        m_environment = x11Session(m_display->name(), m_bus->address());
        m_environment.insert(u"XDG_CURRENT_DESKTOP"_s, u"XFCE"_s);
        m_environment.insert(u"NO_AT_BRIDGE"_s, u"1"_s);
        // The app's icons where an installed Zol has them, for the panel too.
        m_environment.insert(u"XDG_DATA_DIRS"_s,
                             QStringLiteral(ZOL_DATA_DIR) + u":/usr/local/share:/usr/share"_s);

        // The session bus here starts nothing by itself: xfconfd first, as
        // the panel reads its configuration from it.
        QVERIFY(startDesktopProgram(xfconfd, {}));
        QTRY_VERIFY_WITH_TIMEOUT(
            m_bus->connect(u"xfce"_s).interface()->isServiceRegistered(u"org.xfce.Xfconf"_s), 10'000);
        QVERIFY(startDesktopProgram(u"xfwm4"_s, {u"--compositor=off"_s}));
        QVERIFY(m_panel = startDesktopProgram(u"xfce4-panel"_s, {u"--disable-wm-check"_s}));
        QVERIFY(startDesktopProgram(notifyd, {}));
        QTRY_VERIFY_WITH_TIMEOUT(m_bus->connect(u"xfce"_s).interface()->isServiceRegistered(
                                     u"org.kde.StatusNotifierWatcher"_s),
                                 20'000);

        QCOMPARE(zol({u"settings"_s, u"setup.completed"_s, u"true"_s}), u"setup.completed = true\n"_s);
        zol({u"project"_s, u"add"_s, u"2301"_s, u"--client"_s, u"Acme"_s, u"--name"_s, u"Brand book"_s});
        QVERIFY(zol({u"start"_s, u"2301"_s}).startsWith(u"Started 2301"_s));
    }

    void cleanupTestCase()
    {
        if (m_app)
            endProcess(*m_app);
        m_app.reset();
        while (!m_desktop.empty()) {
            endProcess(*m_desktop.back());
            m_desktop.pop_back();
        }
        m_bus.reset();
        m_display.reset();
        m_folders.reset();
    }

    // The clock is in the panel's tray, and doctor names what this desktop
    // gives: the tray, the notification server, idle time, the hot key.
    void theClockIsInThePanelsTray()
    {
        startApp(m_environment);
        const QString said = zol({u"doctor"_s});
        for (const QString& line :
             {u"^tray: +StatusNotifierItem host$"_s, u"^notifications: +Xfce Notify Daemon"_s,
              u"^idle time: +X screen saver"_s, u"^hot key: +X11 key grab"_s}) {
            QVERIFY2(said.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
                     qPrintable(line + u" in:\n"_s + said));
        }
        QTest::qWait(500);
        grab(u"xfce-bar"_s, QRect(880, 0, 400, 40));
    }

    void aSecondStartOpensThePanelUnderTheBar()
    {
        QVERIFY(m_app && m_app->state() == QProcess::Running);
        openPanelAndLook(u"xfce-panel"_s);
    }

    // The panel crashes or is restarted from its preferences: its tray comes
    // back with a new watcher, and the clock registers with it again.
    void aRestartedPanelTakesTheClockBack()
    {
        QVERIFY(m_app && m_app->state() == QProcess::Running);
        const QDBusConnection bus = m_bus->connect(u"xfce"_s);
        endProcess(*m_panel);
        QTRY_VERIFY_WITH_TIMEOUT(
            !bus.interface()->isServiceRegistered(u"org.kde.StatusNotifierWatcher"_s), 10'000);
        QVERIFY(m_panel = startDesktopProgram(u"xfce4-panel"_s, {u"--disable-wm-check"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(trayListsItemOf(bus, m_app->processId()), 20'000);
    }

    // The same in the app's dark style.
    void inDarkColours()
    {
        endProcess(*m_app);
        QProcessEnvironment dark = m_environment;
        dark.insert(u"ZOL_COLOR_SCHEME"_s, u"dark"_s);
        m_environment = dark;
        startApp(dark);
        openPanelAndLook(u"xfce-panel-dark"_s);
    }
};

QTEST_GUILESS_MAIN(TestXfce)
#include "tst_xfce.moc"
