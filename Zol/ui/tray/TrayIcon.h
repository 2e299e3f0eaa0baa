#pragma once

#include "TrayStatus.h"

#include <QColor>
#include <QMetaObject>
#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace zol {
class AppModel;
}

namespace zol::ui {

// The clock in the tray. Its picture, the time drawn into it and its tooltip
// (the accessibility label, word for word) follow the controller; they are
// redrawn only when what they show changes, the time to the minute. A click
// asks for the panel; the context menu serves trays that only open menus.
class TrayIcon final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayIcon)

public:
    explicit TrayIcon(AppModel& model, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Makes the icon, when it is not made yet, and puts it in the tray.
    void show();
    // Where the tray shows the icon; empty when the tray does not say, or
    // the icon is not made yet.
    QRect geometry() const;
    const TrayStatus& status() const { return m_status; }
    // The icon itself, made now when it is not made yet. Qt decides once per
    // process which kind of tray its icons go to (a StatusNotifierItem host
    // or an XEmbed tray), when the first one is made: so it is made only
    // once a tray is there, and a tray that starts after Zol is still used.
    QSystemTrayIcon& systemTrayIcon();
    QMenu& menu() const { return *m_menu; }
    // Whether the tray is told the picture by its name in the icon theme
    // (org.zol.Zol-running-symbolic and the like) rather than sent drawn
    // pixels. StatusNotifierItem hosts colour a symbolic icon to suit their
    // panel, where Zol cannot see the panel's colour; the time is then in
    // the tooltip and the menu only. Falls back to drawing when the theme
    // lacks the icon (a build that is not installed).
    void setNamedPictures(bool named);
    // The icon theme's name of a picture.
    static QString themeName(TrayStatus::Picture picture);
    // The colour the picture is drawn in: light on a dark panel.
    void setInk(const QColor& ink);
    const QColor& ink() const { return m_ink; }
    // Looks at the tray around the icon (where the tray reports where it is)
    // and draws light on a dark tray, dark on a light one. Without a place to
    // look, the desktop's colour scheme decides (GNOME's bar is always dark).
    void matchTray();
    // After the desktop's colour scheme changed (and the app's palette with
    // it): the ink it suggests, then the tray's own pixels where they can be
    // seen.
    void followScheme();
    // The ink for a tray whose pixels around the icon are `sample`.
    static QColor inkOver(const QImage& sample);

Q_SIGNALS:
    void panelRequested();
    void quitRequested();

private:
    QColor inkForScheme() const;
    void followTracker();
    void refresh();

    AppModel& m_model;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon* m_icon = nullptr;
    QAction* m_pauseOrResume;
    // Whether the menu's item says Resume (else Pause).
    bool m_offersResume = false;
    QAction* m_stop;
    TrayStatus m_status;
    bool m_drawn = false;
    bool m_named = false;
    QAction* m_summary;
    QColor m_ink;
    QMetaObject::Connection m_currentConnection;
    QMetaObject::Connection m_totalsConnection;
};

} // namespace zol::ui
