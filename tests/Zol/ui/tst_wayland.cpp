// The real tray app in a headless sway session with waybar's tray, drawn
// natively on Wayland and through XWayland: the panel, opened by a second
// start, floats at its own size instead of being tiled over the workspace.
// Pictures of the session go to the build folder.

#include "DesktopProbes.h"
#include "HeadlessSway.h"
#include "PrivateBus.h"
#include "Screenshots.h"
#include "UserFolders.h"
#include "tray/PanelView.h"

#include <QDBusConnection>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

// The node of sway's tree that shows a window of process `pid`.
std::optional<QJsonObject> windowOf(const QJsonObject& node, qint64 pid)
{
    if (node.value(u"pid"_s).toInteger() == pid)
        return node;
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1StringView(children)).toArray()) {
            if (std::optional<QJsonObject> found = windowOf(child.toObject(), pid))
                return found;
        }
    }
    return std::nullopt;
}

// The lightness of the lightest pixel at the right end of the bar, where
// waybar's tray is.
float lightestInTray(const QImage& picture)
{
    float lightest = 0;
    for (int y = 0; y < 28 && y < picture.height(); ++y) {
        for (int x = std::max(0, picture.width() - 60); x < picture.width(); ++x)
            lightest = std::max(lightest, picture.pixelColor(x, y).lightnessF());
    }
    return lightest;
}

QRect rectangle(const QJsonObject& rect)
{
    return QRect(rect.value(u"x"_s).toInt(), rect.value(u"y"_s).toInt(),
                 rect.value(u"width"_s).toInt(), rect.value(u"height"_s).toInt());
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thePanelFloats_data()
    {
        QTest::addColumn<QString>("plugin");
        QTest::newRow("Wayland") << u"wayland"_s;
        QTest::newRow("XWayland") << u"xcb"_s;
    }

    void thePanelFloats()
    {
        QFETCH(QString, plugin);
        if (const QString missing = HeadlessSway::missing(plugin == u"xcb"_s); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (QStandardPaths::findExecutable(u"waybar"_s).isEmpty())
            QSKIP("waybar is not installed (Debian package waybar).");
        UserFolders folders;
        HeadlessSway sway(/*xwayland=*/plugin == u"xcb"_s);
        QVERIFY2(sway.isRunning(), qPrintable(sway.error()));
        PrivateBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.error()));
        // The app's icons where an installed Zol has them, for the bar too.
        const QString dataDirs = QStringLiteral(ZOL_DATA_DIR) + u":/usr/local/share:/usr/share"_s;
        QVERIFY(sway.startBar(bus.address(), dataDirs));

        QProcessEnvironment environment = sway.environment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
        environment.insert(u"QT_QPA_PLATFORM"_s, plugin);
        environment.insert(u"XDG_DATA_DIRS"_s, dataDirs);
        // Not a first run: the welcome window stays closed.
        QProcess settings;
        settings.setProcessEnvironment(environment);
        settings.start(QStringLiteral(ZOL_BINARY), {u"settings"_s, u"setup.completed"_s, u"true"_s});
        QVERIFY(settings.waitForFinished(20'000));

        QProcess app;
        app.setProcessEnvironment(environment);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(QStringLiteral(ZOL_TRAY_BINARY), {});
        QVERIFY(app.waitForStarted(20'000));
        const auto cleanup = qScopeGuard([&app] { endProcess(app); });
        // In waybar's tray: the watcher waybar runs lists an item of the app's.
        const QDBusConnection connection = bus.connect(u"watch"_s);
        QTRY_VERIFY_WITH_TIMEOUT(trayListsItemOf(connection, app.processId()), 20'000);
        // waybar draws the named icon as it is, without recolouring it:
        // its ink must still stand out from the dark bar.
        const QString bar = screenshotFolder() + u"/wayland-bar-"_s + plugin + u".png"_s;
        QTRY_VERIFY_WITH_TIMEOUT(sway.screenshot(bar) && lightestInTray(QImage(bar)) > 0.8, 10'000);

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(ZOL_TRAY_BINARY), {});
        QVERIFY(second.waitForFinished(20'000));
        QCOMPARE(second.exitCode(), 0);

        std::optional<QJsonObject> panel;
        QTRY_VERIFY_WITH_TIMEOUT(
            (panel = windowOf(
                 QJsonDocument::fromJson(sway.swaymsg({u"-t"_s, u"get_tree"_s})).object(),
                 app.processId()))
                .has_value(),
            20'000);
        // Drawn at least once, and placed.
        QTest::qWait(500);
        panel = windowOf(QJsonDocument::fromJson(sway.swaymsg({u"-t"_s, u"get_tree"_s})).object(),
                         app.processId());
        QVERIFY(panel);
        const QString said = QString::fromUtf8(QJsonDocument(*panel).toJson(QJsonDocument::Compact));
        QCOMPARE(panel->value(u"type"_s).toString(), u"floating_con"_s);
        const QRect window = rectangle(panel->value(u"window_rect"_s).toObject());
        QVERIFY2(window.size() == QSize(ui::PanelView::panelWidth, ui::PanelView::panelHeight),
                 qPrintable(said));
        // Wholly on the output, below the bar.
        const QRect outer = rectangle(panel->value(u"rect"_s).toObject());
        QVERIFY2(outer.top() >= 28 && outer.left() >= 0, qPrintable(said));
        QVERIFY(sway.screenshot(screenshotFolder() + u"/wayland-panel-"_s + plugin + u".png"_s));
    }
};

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
