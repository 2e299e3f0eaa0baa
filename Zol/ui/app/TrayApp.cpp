#include "app/TrayApp.h"

#include "AppModel.h"
#include "Companions.h"
#include "FreedMemory.h"
#include "FirstRun.h"
#include "Platform.h"
#include "TrayHost.h"
#include "app/DialogDesktop.h"
#include "common/Theme.h"
#include "tray/Panel.h"
#include "tray/TrayIcon.h"
#include "welcome/WelcomeWindow.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmapCache>
#include <QScreen>
#include <QSystemTrayIcon>

namespace zol::ui {

namespace {

// How long the app waits for a missing tray before it opens in a window. The
// tray's arrival is watched, so nothing is looked at meanwhile.
constexpr int trayWaitMs = 30'000;

// Hands what a closed window freed back to the system, its cached drawings
// first.
void releaseFreedMemory()
{
    QPixmapCache::clear();
    returnFreedMemory();
}

} // namespace

TrayApp::TrayApp(SettingsStore& defaults, Clock& clock, std::unique_ptr<Platform> platform,
                 QObject* parent)
    : QObject(parent)
    , m_platform(std::move(platform))
{
    m_platform->replaceDesktop(
        std::make_unique<DialogDesktop>(m_platform->replaceDesktop(nullptr)));
    m_model = std::make_unique<AppModel>(defaults, clock, *m_platform);
    m_trayIcon = std::make_unique<TrayIcon>(*m_model);
    m_panelMode = Panel::modeFor(m_platform->session());
    connect(m_trayIcon.get(), &TrayIcon::panelRequested, this, &TrayApp::togglePanel);
    connect(m_trayIcon.get(), &TrayIcon::quitRequested, qApp, &QApplication::quit);
    connect(m_model.get(), &AppModel::windowRequested, this, &TrayApp::showWindow);
    // The palette was chosen before the app was made, without waiting for
    // the desktop's choice; it follows that choice once the desktop answers,
    // and whenever it changes.
    Appearance& appearance = m_platform->appearance();
    connect(&appearance, &Appearance::changed, this, [this, &appearance] {
        Theme::apply(*qApp, appearance.preferredScheme());
        m_trayIcon->followScheme();
    });
    appearance.watch();
    m_trayWait.setInterval(trayWaitMs);
    m_trayWait.setSingleShot(true);
    connect(&m_trayWait, &QTimer::timeout, this, &TrayApp::giveUpOnTray);
}

TrayApp::~TrayApp()
{
    // The windows and the companions read the controller; they go first.
    m_mainWindow.reset();
    delete m_panel;
    m_trayIcon.reset();
    m_companions.reset();
    m_model.reset();
}

void TrayApp::start()
{
    m_model->bootstrap();
    followScreens();
    m_companions = std::make_unique<Companions>(*m_model, *m_platform);
    TrayHost& tray = m_platform->tray();
    connect(&tray, &TrayHost::changed, this, &TrayApp::lookForTray);
    tray.watch();
    lookForTray();
    if (!m_inTray)
        m_trayWait.start();
    if (FirstRun::isDue(m_model->defaults())) {
        // Deletes itself when closed, and goes with the controller it reads.
        auto* welcome = new WelcomeWindow(*m_model);
        connect(m_model.get(), &QObject::destroyed, welcome, [welcome] { delete welcome; });
        connect(welcome, &QObject::destroyed, this, [] { releaseFreedMemory(); });
        connect(welcome, &WelcomeWindow::startTrackingRequested, this, &TrayApp::openPanel);
        welcome->show();
        welcome->raise();
        welcome->activateWindow();
    }
}

// Once the icon is made, Qt follows its tray by itself: a StatusNotifierItem
// watcher that restarts is told of the icon again, and an XEmbed tray that
// comes back takes it in again.
void TrayApp::lookForTray()
{
    if (m_inTray)
        return;
    // The desktop's own answer, not Qt's: asking Qt would fix its choice of
    // tray for the life of the process, tray or none.
    if (const ServiceAvailability tray = m_platform->trayHost(); tray.found) {
        // Qt picks the same kind of tray the probe found first.
        m_trayIcon->setNamedPictures(tray.implementation == TrayHost::statusNotifierItemHost());
        moveIntoTray();
    }
}

void TrayApp::moveIntoTray()
{
    m_trayWait.stop();
    m_inTray = true;
    m_trayIcon->show();
    // Once the tray has placed the icon, its colours can be looked at.
    QTimer::singleShot(1'000, m_trayIcon.get(), &TrayIcon::matchTray);
    if (!m_gaveUp)
        return;
    m_gaveUp = false;
    if (m_noTrayNotice)
        m_noTrayNotice->close();
    m_panelMode = Panel::modeFor(m_platform->session());
    // The window stood in for the tray; the panel now opens from the clock.
    if (Panel* open = shownPanel(); open && open->mode() == Panel::Mode::window)
        open->close();
}

void TrayApp::giveUpOnTray()
{
    m_trayWait.stop();
    m_gaveUp = true;
    // Never invisible: the panel becomes an ordinary window.
    if (Panel* open = shownPanel())
        open->close();
    m_panelMode = Panel::Mode::window;
    Panel& panel = panelToOpen();
    panel.open({}, {});
    const ServiceAvailability tray = m_platform->trayHost();
    auto* notice = new QMessageBox(
        QMessageBox::Information, QStringLiteral("Zol"),
        tr("Zol found no tray to sit in, so it opened in a window of its own. %1 The clock moves "
           "into the tray as soon as one appears.")
            .arg(tray.reason),
        QMessageBox::Ok, &panel);
    notice->setObjectName(QStringLiteral("noTrayNotice"));
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->open();
    m_noTrayNotice = notice;
}

Panel* TrayApp::shownPanel() const
{
    Panel* panel = m_panel.data();
    return panel != nullptr && panel->isVisible() ? panel : nullptr;
}

Panel& TrayApp::panelToOpen()
{
    // A panel that is closing is already on its way out: it is not reused.
    if (Panel* open = shownPanel())
        return *open;
    m_panel = new Panel(*m_model, m_panelMode);
    m_panel->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_panel, &Panel::quitRequested, qApp, &QApplication::quit);
    m_panel->installEventFilter(this);
    // Its children and its window are gone by the time `destroyed` arrives.
    connect(m_panel, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, [] { releaseFreedMemory(); }); });
    return *m_panel;
}

void TrayApp::openPanel()
{
    panelToOpen().open(m_inTray ? m_trayIcon->geometry() : QRect(), clickedAt());
}

QPoint TrayApp::clickedAt() const
{
    if (m_lastClick)
        return *m_lastClick;
    // Opened by a second start or the hot key before any click, from a tray
    // that does not say where its icon is: trays mostly sit at the right end
    // of a bar along the top or the bottom. The top right corner stands in;
    // the placement then goes by the side the desktop keeps for its bar.
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().topRight() : QPoint();
}

void TrayApp::togglePanel()
{
    if (Panel* open = shownPanel()) {
        open->close();
        return;
    }
    // A click on the icon: the pointer is on it.
    m_lastClick = QCursor::pos();
    openPanel();
}

MainWindow& TrayApp::mainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(*m_model);
        m_mainWindow->installEventFilter(this);
    }
    return *m_mainWindow;
}

bool TrayApp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        followScreens();
    return QObject::eventFilter(watched, event);
}

void TrayApp::followScreens()
{
    const bool showsSeconds =
        shownPanel() != nullptr || (m_mainWindow && m_mainWindow->isVisible());
    m_model->books().setTickRate(showsSeconds ? Tracker::TickRate::seconds
                                              : Tracker::TickRate::minutes);
}

void TrayApp::showWindow()
{
    if (Panel* open = shownPanel(); open && open->mode() == Panel::Mode::popup)
        open->close();
    mainWindow().present();
}

} // namespace zol::ui
