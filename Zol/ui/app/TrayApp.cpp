#include "app/TrayApp.h"

#include "AppModel.h"
#include "Companions.h"
#include "FirstRun.h"
#include "Platform.h"
#include "app/DialogDesktop.h"
#include "tray/Panel.h"
#include "tray/TrayIcon.h"
#include "welcome/WelcomeWindow.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmapCache>
#include <QSystemTrayIcon>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zol::ui {

namespace {

// How often, and how many times, a missing tray is looked for again.
constexpr int trayLookMs = 2'000;
constexpr int trayLooks = 15;

// Hands the heap that a closed window freed back to the system. glibc keeps
// freed memory for the next allocation, and a window's widgets, drawings and
// font caches leave holes in the middle of the heap that it would otherwise
// never return.
void releaseFreedMemory()
{
    QPixmapCache::clear();
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
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
    m_panelMode = Panel::modeForThisDesktop();
    connect(m_trayIcon.get(), &TrayIcon::panelRequested, this, &TrayApp::togglePanel);
    connect(m_trayIcon.get(), &TrayIcon::quitRequested, qApp, &QApplication::quit);
    connect(m_model.get(), &AppModel::windowRequested, this, &TrayApp::showWindow);
    m_trayWait.setInterval(trayLookMs);
    connect(&m_trayWait, &QTimer::timeout, this, &TrayApp::lookForTray);
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
    m_companions = std::make_unique<Companions>(*m_model, *m_platform);
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

void TrayApp::lookForTray()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_trayWait.stop();
        m_inTray = true;
        m_trayIcon->show();
        // Once the tray has placed the icon, its colours can be looked at.
        QTimer::singleShot(1'000, m_trayIcon.get(), &TrayIcon::matchTray);
        return;
    }
    if (++m_trayLooks >= trayLooks && m_trayWait.isActive())
        giveUpOnTray();
}

void TrayApp::giveUpOnTray()
{
    m_trayWait.stop();
    // Never invisible: the panel becomes an ordinary window.
    if (Panel* open = shownPanel())
        open->close();
    m_panelMode = Panel::Mode::window;
    Panel& panel = panelToOpen();
    panel.open({});
    const ServiceAvailability tray = m_platform->trayHost();
    QMessageBox::information(&panel, QStringLiteral("Zol"),
                             QStringLiteral("There is no tray on this desktop, so Zol opened in "
                                            "a window of its own. ") +
                                 tray.reason);
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
    // Its children and its window are gone by the time `destroyed` arrives.
    connect(m_panel, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, [] { releaseFreedMemory(); }); });
    return *m_panel;
}

void TrayApp::openPanel()
{
    panelToOpen().open(m_inTray ? m_trayIcon->geometry() : QRect());
}

void TrayApp::togglePanel()
{
    if (Panel* open = shownPanel())
        open->close();
    else
        openPanel();
}

MainWindow& TrayApp::mainWindow()
{
    if (!m_mainWindow)
        m_mainWindow = std::make_unique<MainWindow>(*m_model);
    return *m_mainWindow;
}

void TrayApp::showWindow()
{
    if (Panel* open = shownPanel(); open && open->mode() == Panel::Mode::popup)
        open->close();
    mainWindow().present();
}

} // namespace zol::ui
