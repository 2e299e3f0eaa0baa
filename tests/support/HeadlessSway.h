#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zol::test {

// A sway session of the test's own on wlroots' headless backend, drawn in
// software, with no input devices but the virtual keyboards clients make
// (wtype). sway refuses to run as root, so a test run by root starts it as
// the system user `desktopUser` (scripts/install-deps creates it), in a
// runtime folder of its own owned by that user; the test's programs connect
// to its sockets by their full paths. Ended, with the bar when one was
// started, by process id when the object goes.
class HeadlessSway
{
public:
    static constexpr const char* desktopUser = "zol-desktop";

    // Why a headless sway (with XWayland when `xwayland`) cannot be started
    // here (a program or the user is missing), in one line; empty when it can.
    static QString missing(bool xwayland = false);

    // Starts sway (with XWayland, listening for X clients, when `xwayland`)
    // and waits until it has run its configuration.
    explicit HeadlessSway(bool xwayland = false);
    ~HeadlessSway();
    HeadlessSway(const HeadlessSway&) = delete;
    HeadlessSway& operator=(const HeadlessSway&) = delete;

    // Whether sway runs; when not, why is in error().
    bool isRunning() const { return m_error.isEmpty() && m_sway.state() == QProcess::Running; }
    const QString& error() const { return m_error; }
    // The compositor's socket, a full path for WAYLAND_DISPLAY.
    const QString& waylandDisplay() const { return m_waylandDisplay; }
    // XWayland's ":N"; empty without XWayland.
    const QString& xDisplay() const { return m_xDisplay; }
    // The system environment with this session's WAYLAND_DISPLAY, SWAYSOCK,
    // DISPLAY (XWayland's, or none) and a runtime folder for the test's
    // programs; XDG_SESSION_TYPE is "wayland".
    QProcessEnvironment environment() const;

    // Starts waybar with only its tray, in its own dark style, on the session
    // bus `busAddress`; icons named by tray items are looked up in
    // `dataDirs` (XDG_DATA_DIRS) when given.
    bool startBar(const QString& busAddress, const QString& dataDirs = {});
    // What `swaymsg` prints for `arguments`; empty when it failed.
    QByteArray swaymsg(const QStringList& arguments) const;
    // Types `text` with a virtual keyboard (wtype).
    bool type(const QString& text) const;
    // A picture of the whole output (grim), saved as PNG at `path`.
    bool screenshot(const QString& path) const;

private:
    bool runClient(const QString& program, const QStringList& arguments,
                   QByteArray* output = nullptr) const;

    QTemporaryDir m_runtime;       // sway's XDG_RUNTIME_DIR
    QTemporaryDir m_clientRuntime; // the test's programs'
    QProcess m_sway;
    QProcess m_bar;
    QString m_waylandDisplay;
    QString m_xDisplay;
    QString m_ipcSocket;
    QString m_error;
};

} // namespace zol::test
