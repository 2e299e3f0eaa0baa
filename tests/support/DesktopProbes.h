#pragma once

#include <QDBusConnection>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

namespace zol::test {

// What a test asks of the desktop it started, from the outside: the programs
// a user's session would have (xdotool) and the session bus.

// What `program` prints with `arguments` in `environment`; empty when it
// fails or takes more than 20 s.
QString outputOf(const QProcessEnvironment& environment, const QString& program,
                 const QStringList& arguments);

// The system environment made an X11 session on `display` (":N") with the
// session bus at `busAddress`: Qt draws through xcb, and no Wayland display
// is seen.
QProcessEnvironment x11Session(const QString& display, const QString& busAddress);

// Saves a picture of the screen of `environment`'s display (of `area` only,
// when given) as PNG at `path`, with the screen grabber `grabber`. Whether it
// was saved.
bool grabScreen(const QProcessEnvironment& environment, const QString& grabber,
                const QString& path, const QRect& area = {});

// Ends `process`: asks it to go, then kills it if it lingers.
void endProcess(QProcess& process);

// A window on the X display as xdotool sees it.
struct ShownWindow
{
    QString id;
    QRect geometry;
};

// The visible windows of class `className` on the display of `environment`.
QList<ShownWindow> shownWindows(const QProcessEnvironment& environment, const QString& className);

// Whether the StatusNotifierItem watcher on `bus` lists an item of the
// process `pid`: the tray shows that process's icon.
bool trayListsItemOf(const QDBusConnection& bus, qint64 pid);

} // namespace zol::test
