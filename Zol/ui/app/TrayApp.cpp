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
#include <QSystemTrayIcon>

namespace zol::ui {

namespace {

// How often, and how many times, a missing tray is looked for again.
constexpr int trayLookMs = 2'000;
constexpr int trayLooks = 15;

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
    m_panel = std::make_unique<Panel>(*m_model, Panel::modeForThisDesktop());
    connect(m_trayIcon.get(), &TrayIcon::panelRequested, this,
            [this] { m_panel->toggle(m_trayIcon->geometry()); });
    connect(m_trayIcon.get(), &TrayIcon::quitRequested, qApp, &QApplication::quit);
    connect(m_panel.get(), &Panel::quitRequested, qApp, &QApplication::quit);
    connect(m_model.get(), &AppModel::windowRequested, this, &TrayApp::showWindow);
    m_trayWait.setInterval(trayLookMs);
    connect(&m_trayWait, &QTimer::timeout, this, &TrayApp::lookForTray);
}

TrayApp::~TrayApp()
{
    // The windows and the companions read the controller; they go first.
    m_mainWindow.reset();
    m_panel.reset();
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
    m_panel = std::make_unique<Panel>(*m_model, Panel::Mode::window);
    connect(m_panel.get(), &Panel::quitRequested, qApp, &QApplication::quit);
    m_panel->open({});
    const ServiceAvailability tray = m_platform->trayHost();
    QMessageBox::information(m_panel.get(), QStringLiteral("Zol"),
                             QStringLiteral("There is no tray on this desktop, so Zol opened in "
                                            "a window of its own. ") +
                                 tray.reason);
}

void TrayApp::openPanel()
{
    m_panel->open(m_inTray ? m_trayIcon->geometry() : QRect());
}

MainWindow& TrayApp::mainWindow()
{
    if (!m_mainWindow)
        m_mainWindow = std::make_unique<MainWindow>(*m_model);
    return *m_mainWindow;
}

void TrayApp::showWindow()
{
    if (m_panel->mode() == Panel::Mode::popup)
        m_panel->close();
    mainWindow().present();
}

} // namespace zol::ui
