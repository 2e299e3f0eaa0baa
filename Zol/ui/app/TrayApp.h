#pragma once

#include "tray/Panel.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

namespace zol {
class AppModel;
class Clock;
class Companions;
class Platform;
class SettingsStore;
} // namespace zol

namespace zol::ui {

class MainWindow;
class TrayIcon;

// The running tray app: the controller and the timer's companions over the
// desktop's services, the clock in the tray, its panel, and the main window
// when asked for. Quitting leaves an open session open in the books, as a
// crash would: the next start shows it running.
//
// The app spends nearly all its life with the panel closed, so the panel is
// built each time it opens and freed when it closes (its widgets, drawings
// and window buffer), and the freed heap is handed back to the system.
class TrayApp final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayApp)

public:
    TrayApp(SettingsStore& defaults, Clock& clock, std::unique_ptr<Platform> platform,
            QObject* parent = nullptr);
    ~TrayApp() override;

    // Loads the books, starts the companions and puts the clock in the tray.
    // A tray often starts after the session's autostart: without one the app
    // waits about 30 seconds, then opens its panel as an ordinary window and
    // says once how to get a tray. Whenever a tray appears later, the clock
    // moves into it and that window closes.
    void start();

    // The panel, by the tray icon (or as a window without a tray).
    void openPanel();
    // The main window on the controller's section.
    void showWindow();

    AppModel& model() const { return *m_model; }
    Platform& platform() const { return *m_platform; }
    TrayIcon& trayIcon() const { return *m_trayIcon; }
    // The panel while it is open (or closing); null once it is freed.
    Panel* panel() const { return m_panel; }
    // Made on first use.
    MainWindow& mainWindow();
    // Whether the clock is in a tray (rather than waiting for one, or given up).
    bool isInTray() const { return m_inTray; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Seconds tick while the panel or the main window shows (they show the
    // session's seconds); otherwise the clock moves as the tray's minute turns.
    void followScreens();
    void lookForTray();
    void giveUpOnTray();
    void moveIntoTray();
    void togglePanel();
    // Where the icon was last clicked, or a likely place for it before then.
    QPoint clickedAt() const;
    // The panel while it shows, else null.
    Panel* shownPanel() const;
    // The open panel, or a new one in `m_panelMode` that frees itself when
    // closed.
    Panel& panelToOpen();

    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<AppModel> m_model;
    std::unique_ptr<Companions> m_companions;
    std::unique_ptr<TrayIcon> m_trayIcon;
    QPointer<Panel> m_panel;
    std::unique_ptr<MainWindow> m_mainWindow;
    // Popup under X11, a window the compositor places on Wayland, an ordinary
    // window without a tray.
    Panel::Mode m_panelMode;
    QTimer m_trayWait;
    bool m_inTray = false;
    bool m_gaveUp = false;
    std::optional<QPoint> m_lastClick;
    // What giving up said, while it shows.
    QPointer<QWidget> m_noTrayNotice;
};

} // namespace zol::ui
