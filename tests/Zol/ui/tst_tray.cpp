// The clock in the tray: where the panel opens against the tray's bar, what
// the icon shows and says in each state, that it is redrawn only when that
// changes, that a second start hands over to the first, and that the look
// follows the desktop's dark or light choice.

#include "Books.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "FirstRun.h"
#include "PrivateBus.h"
#include "Screenshots.h"
#include "TrayStatus.h"
#include "UserFolders.h"
#include "app/TrayApp.h"
#include "books/SettingsStore.h"
#include "common/Theme.h"
#include "linux/SingleInstance.h"
#include "tray/Panel.h"
#include "tray/PanelPlacement.h"
#include "tray/TrayIcon.h"
#include "tray/TrayIconPainter.h"

#include <QAction>
#include <QDBusConnection>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;
using zol::linux_desktop::SingleInstance;

namespace {

// The desktop's appearance settings, chosen by the test.
class ChosenAppearance final : public Appearance
{
public:
    Scheme preferredScheme() override { return m_scheme; }
    void watch() override { watched = true; }
    void choose(Scheme scheme)
    {
        m_scheme = scheme;
        Q_EMIT changed();
    }
    bool watched = false;

private:
    Scheme m_scheme = Scheme::noPreference;
};

} // namespace

class TestTray : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;

    AppModel& model() { return *m_books->model; }

private Q_SLOTS:
    void init() { m_books = std::make_unique<Books>(); }
    void cleanup() { m_books.reset(); }

    void placement_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("icon");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1080);
        const QSize panel(360, 520);
        Q_UNUSED(panel);
        // The panel is 360 by 520 and keeps 4 px from the bar and the edges.
        QTest::newRow("top bar, icon on the right")
            << QRect(0, 32, 1920, 1048) << QRect(1800, 4, 24, 24) << QPoint() << QPoint(1556, 36);
        QTest::newRow("top bar, icon in the middle")
            << QRect(0, 32, 1920, 1048) << QRect(948, 4, 24, 24) << QPoint() << QPoint(779, 36);
        QTest::newRow("bottom bar") << QRect(0, 0, 1920, 1040) << QRect(1700, 1048, 24, 24)
                                    << QPoint() << QPoint(1531, 516);
        QTest::newRow("side bar on the left, icon low in its corner")
            << QRect(48, 0, 1872, 1080) << QRect(12, 1040, 24, 24) << QPoint() << QPoint(52, 556);
        QTest::newRow("no geometry: by the pointer, under a top bar")
            << QRect(0, 28, 1920, 1052) << QRect() << QPoint(300, 10) << QPoint(120, 32);
        QTest::newRow("no bar reserved, icon in a corner: top or bottom")
            << screen << QRect(1880, 1050, 24, 24) << QPoint() << QPoint(1556, 526);
    }

    void placement()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, icon);
        QFETCH(QPoint, pointer);
        QTEST(panelPosition(QSize(360, 520), icon, pointer, QRect(0, 0, 1920, 1080), available),
              "expected");
    }

    // Its own size where the screen holds it, else what the room holds,
    // with the gap kept; logical pixels, so a scale factor of 2 halves it.
    void panelSizeFitsTheRoom()
    {
        const QSize natural(360, 600);
        QCOMPARE(panelSize(natural, QRect(0, 28, 1920, 1052)), natural);
        QCOMPARE(panelSize(natural, QRect(0, 28, 1366, 740)), natural);
        QCOMPARE(panelSize(natural, QRect(0, 28, 960, 512)), QSize(360, 504));
        QCOMPARE(panelSize(natural, QRect(0, 0, 320, 480)), QSize(312, 472));
        QCOMPARE(panelSize(natural, QRect()), natural);
    }

    // What the tray shows and says in each state; paused is looked at before
    // the warning.
    void statusInEachState()
    {
        QCOMPARE(TrayStatus::of(model().panel()),
                 (TrayStatus{TrayStatus::Picture::clock, QString(), u"Zol: not tracking"_s}));
        model().books().settings()->setLongRunningWarningHours(1);
        model().sessions().start(brandBook);
        m_books->clock.advance(65 * 60);
        QCOMPARE(TrayStatus::of(model().panel()),
                 (TrayStatus{TrayStatus::Picture::warningClock, u"1h 5m"_s,
                             u"Zol: tracking Brand book, 1h 5m"_s}));
        model().books().tracker()->pause();
        QCOMPARE(TrayStatus::of(model().panel()),
                 (TrayStatus{TrayStatus::Picture::paused, u"1h 5m"_s,
                             u"Zol: paused on Brand book, 1h 5m"_s}));
        model().books().tracker()->resume();
        model().books().settings()->setLongRunningWarningHours(0);
        QCOMPARE(TrayStatus::of(model().panel()).picture, TrayStatus::Picture::runningClock);
    }

    // The icon follows the controller, its tooltip is the accessibility
    // label, and it is drawn again only when the minute turns.
    void iconFollowsTheTimer()
    {
        TrayIcon icon(model());
        QCOMPARE(icon.systemTrayIcon().toolTip(), u"Zol: not tracking"_s);
        QVERIFY(!icon.menu().findChild<QAction*>(u"stop"_s)->isEnabled());
        model().sessions().start(brandBook);
        QCOMPARE(icon.systemTrayIcon().toolTip(), u"Zol: tracking Brand book, 0m"_s);
        QVERIFY(icon.menu().findChild<QAction*>(u"stop"_s)->isEnabled());

        const qint64 drawn = icon.systemTrayIcon().icon().cacheKey();
        m_books->clock.advance(30);
        QCOMPARE(icon.systemTrayIcon().icon().cacheKey(), drawn);
        m_books->clock.advance(30);
        QVERIFY(icon.systemTrayIcon().icon().cacheKey() != drawn);
        QCOMPARE(icon.status().time, u"1m"_s);

        icon.menu().findChild<QAction*>(u"pauseOrResume"_s)->trigger();
        QVERIFY(model().books().tracker()->isPaused());
        QCOMPARE(icon.menu().findChild<QAction*>(u"pauseOrResume"_s)->text(), u"Resume"_s);
        // Trays that show the picture alone have the time in the menu.
        QCOMPARE(icon.menu().findChild<QAction*>(u"trayStatus"_s)->text(),
                 u"Paused on Brand book, 1m"_s);
        QSignalSpy window(&model(), &AppModel::windowRequested);
        icon.menu().findChild<QAction*>(u"settings"_s)->trigger();
        QCOMPARE(window.count(), 1);
        QCOMPARE(model().windowSection(), u"general"_s);
    }

    // The time fits the icon at every size a tray asks for, on a dark bar
    // and a light one; the sheet is saved to be looked at.
    void timeFitsTheIcon()
    {
        const QStringList times{u"0m"_s, u"27m"_s, u"1h 5m"_s, u"10h 45m"_s};
        const QList<int> sizes{22, 24, 32, 48};
        QImage sheet(times.size() * 56 + 8, 2 * sizes.size() * 56 + 8, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        for (int bar = 0; bar < 2; ++bar) {
            const QColor ground = bar == 0 ? QColor(0x2b, 0x2b, 0x2b) : QColor(0xee, 0xee, 0xee);
            const QColor ink = bar == 0 ? Qt::white : Qt::black;
            for (qsizetype t = 0; t < times.size(); ++t) {
                for (qsizetype i = 0; i < sizes.size(); ++i) {
                    const int size = sizes.at(i);
                    const TrayStatus status{TrayStatus::Picture::runningClock, times.at(t), {}};
                    const QImage drawn = trayPixmap(status, size, ink).toImage();
                    // No ink on the outermost columns: nothing was cut off.
                    for (int y = 0; y < size; ++y) {
                        QVERIFY2(qAlpha(drawn.pixel(0, y)) < 128 &&
                                     qAlpha(drawn.pixel(size - 1, y)) < 128,
                                 qPrintable(times.at(t) + u" at "_s + QString::number(size)));
                    }
                    const QPoint at(8 + int(t) * 56, 8 + (bar * int(sizes.size()) + int(i)) * 56);
                    painter.fillRect(QRect(at, QSize(48, 48)), ground);
                    painter.drawImage(at, drawn);
                }
            }
        }
        painter.end();
        QVERIFY(sheet.save(screenshotFolder() + u"/tray-icon-times.png"_s));
    }

    void inkFollowsTheTray()
    {
        QImage dark(2, 2, QImage::Format_RGB32);
        dark.fill(QColor(0x2b, 0x2b, 0x2b));
        QImage light(2, 2, QImage::Format_RGB32);
        light.fill(QColor(0xee, 0xee, 0xee));
        QVERIFY(TrayIcon::inkOver(dark).lightnessF() > 0.5);
        QVERIFY(TrayIcon::inkOver(light).lightnessF() < 0.5);
    }

    // A second start finds the name held, asks the first to open its panel,
    // and goes away.
    void aSecondStartHandsOver()
    {
        PrivateBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.error()));
        SingleInstance first(bus.connect(u"first"_s), u"org.zol.ZolTest"_s);
        QCOMPARE(first.claim(), SingleInstance::Claim::first);
        QSignalSpy activated(&first, &SingleInstance::activationRequested);

        // The second start is another process; its call is answered from
        // this one's event loop.
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
        second.setProcessEnvironment(environment);
        second.start(u"dbus-send"_s,
                     {u"--session"_s, u"--print-reply"_s, u"--dest=org.zol.ZolTest"_s,
                      u"/org/zol/Zol"_s, u"org.zol.Zol.Activate"_s});
        QVERIFY(activated.wait(10'000));
        QVERIFY(second.waitForFinished(10'000));
        QCOMPARE(second.exitCode(), 0);

        // The same from a second app: it hands over instead of running.
        SingleInstance later(bus.connect(u"later"_s), u"org.zol.ZolTest"_s);
        QCOMPARE(later.claim(), SingleInstance::Claim::handedOver);
        QCOMPARE(activated.count(), 2);
    }

    // The panel is built when it opens and freed when it closes: a closed
    // panel leaves nothing behind, and the next one shows what the controller
    // holds (the search typed before), as the same panel reopened would.
    void thePanelIsFreedWhenItCloses()
    {
        UserFolders folders;
        FakeClock clock;
        SettingsStore defaults{QString()};
        FirstRun::complete(defaults);
        FakePlatform fakes;
        TrayApp app(defaults, clock, std::move(fakes.platform));
        app.start();
        QVERIFY(app.panel() == nullptr);

        app.openPanel();
        QPointer<Panel> first = app.panel();
        QVERIFY(first && first->isVisible());
        auto* search = first->findChild<QLineEdit*>(u"search"_s);
        QTest::keyClicks(search, u"brand"_s);
        app.openPanel(); // while open: the same panel, still as typed
        QCOMPARE(app.panel(), first.data());
        QCOMPARE(search->text(), u"brand"_s);

        first->close();
        QTRY_VERIFY(first.isNull());
        QVERIFY(app.panel() == nullptr);

        app.openPanel();
        QVERIFY(app.panel() && app.panel()->isVisible());
        QCOMPARE(app.panel()->findChild<QLineEdit*>(u"search"_s)->text(), u"brand"_s);
        // Asking for the main window closes the popup; nothing dangles.
        app.showWindow();
        QTRY_VERIFY(app.panel() == nullptr);
    }

    // The desktop turns dark and back while the app runs: the windows'
    // palette and the tray's ink follow, and then the style's own palette
    // is back.
    void theLookFollowsTheDesktop()
    {
        UserFolders folders;
        FakeClock clock;
        SettingsStore defaults{QString()};
        FirstRun::complete(defaults);
        FakePlatform fakes;
        auto owned = std::make_unique<ChosenAppearance>();
        ChosenAppearance& appearance = *owned;
        fakes.platform->setAppearance(std::move(owned));
        const QPalette own = QApplication::palette();
        QVERIFY(!Theme::isDark(own));
        TrayApp app(defaults, clock, std::move(fakes.platform));
        app.start();
        QVERIFY(appearance.watched);
        QVERIFY(app.trayIcon().ink().lightnessF() < 0.5);

        appearance.choose(Appearance::Scheme::dark);
        QVERIFY(Theme::isDark(QApplication::palette()));
        QVERIFY(app.trayIcon().ink().lightnessF() > 0.5);
        appearance.choose(Appearance::Scheme::noPreference);
        QCOMPARE(QApplication::palette(), own);
        QVERIFY(app.trayIcon().ink().lightnessF() < 0.5);
    }

    // Without a session bus the same goes through a socket in the runtime
    // folder, and a socket file left by a crash does not stop the next start.
    void withoutABusASocketHandsOver()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QDBusConnection noBus(u"zol-test-no-bus"_s);
        QVERIFY(!noBus.isConnected());
        const QByteArray path = QFile::encodeName(
            runtime.filePath(u"org.zol.ZolTest-"_s + QString::number(::getuid())));

        // What a crashed first start leaves: the file, and nobody listening.
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        const int crashed = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(crashed, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(crashed);
        QVERIFY(QFile::exists(QFile::decodeName(path)));

        {
            SingleInstance first(noBus, u"org.zol.ZolTest"_s);
            QCOMPARE(first.claim(), SingleInstance::Claim::first);
            QSignalSpy activated(&first, &SingleInstance::activationRequested);
            SingleInstance later(noBus, u"org.zol.ZolTest"_s);
            QCOMPARE(later.claim(), SingleInstance::Claim::handedOver);
            QVERIFY(activated.wait(10'000));
            QCOMPARE(activated.count(), 1);
        }
        // The first takes its socket away when it goes.
        QVERIFY(!QFile::exists(QFile::decodeName(path)));
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
