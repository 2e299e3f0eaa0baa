#include "HeadlessSway.h"

#include "DesktopProbes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace zol::test {

namespace {

bool runsAsRoot()
{
    return ::geteuid() == 0;
}

bool write(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

QString HeadlessSway::missing(bool xwayland)
{
    if (xwayland) {
        if (QStandardPaths::findExecutable(QStringLiteral("Xwayland")).isEmpty())
            return QStringLiteral("Xwayland is not installed (Debian package xwayland).");
        if (runsAsRoot() && QStandardPaths::findExecutable(QStringLiteral("xhost")).isEmpty())
            return QStringLiteral("xhost is not installed (Debian package x11-xserver-utils).");
    }
    for (const char* program : {"sway", "swaymsg"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return QString::fromLatin1(program) +
                   QStringLiteral(" is not installed (Debian package sway).");
    }
    if (runsAsRoot()) {
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            return QStringLiteral("setpriv is not installed (Debian package util-linux).");
        if (!::getpwnam(desktopUser))
            return QStringLiteral("sway does not run as root, and there is no user ") +
                   QString::fromLatin1(desktopUser) +
                   QStringLiteral(" to run it as (scripts/install-deps creates it).");
    }
    return {};
}

HeadlessSway::HeadlessSway(bool xwayland)
{
    m_error = missing(xwayland);
    if (!m_error.isEmpty())
        return;
    if (!m_runtime.isValid() || !m_clientRuntime.isValid()) {
        m_error = QStringLiteral("cannot make a runtime folder");
        return;
    }
    const QString ready = m_runtime.filePath(QStringLiteral("ready"));
    const QString config = m_runtime.filePath(QStringLiteral("config"));
    // sway runs the exec lines once its sockets listen; the file appears
    // whole, so a reader never sees half of it.
    // XWayland lets in only the user who runs it; a test run by root is
    // let in by name before the session says it is ready.
    const QByteArray letIn = xwayland && runsAsRoot() ? "xhost +si:localuser:root >/dev/null && " : "";
    const QByteArray text =
        QByteArrayLiteral("xwayland ") + (xwayland ? "enable" : "disable") +
        QByteArrayLiteral("\n"
                          "exec sh -c '") + letIn + QByteArrayLiteral("printf \"%s\\n%s\\n%s\\n\" \"$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY\" "
                          "\"$SWAYSOCK\" \"$DISPLAY\" > \"$XDG_RUNTIME_DIR/ready.tmp\" && "
                          "mv \"$XDG_RUNTIME_DIR/ready.tmp\" \"$XDG_RUNTIME_DIR/ready\"'\n");
    if (!write(config, text)) {
        m_error = QStringLiteral("cannot write sway's configuration in ") + m_runtime.path();
        return;
    }

    QStringList command{QStringLiteral("sway"), QStringLiteral("-c"), config};
    if (runsAsRoot()) {
        const passwd* user = ::getpwnam(desktopUser);
        // The runtime folder must belong to the one who runs sway.
        if (::chown(QFile::encodeName(m_runtime.path()).constData(), user->pw_uid,
                    user->pw_gid) != 0) {
            m_error = QStringLiteral("cannot hand ") + m_runtime.path() + QStringLiteral(" to ") +
                      QString::fromLatin1(desktopUser);
            return;
        }
        // setpriv replaces itself with sway: the process id is sway's.
        command = QStringList{QStringLiteral("setpriv"),
                              QStringLiteral("--reuid=") + QString::number(user->pw_uid),
                              QStringLiteral("--regid=") + QString::number(user->pw_gid),
                              QStringLiteral("--init-groups")} +
                  command;
    }
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("HOME"), m_runtime.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    environment.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    environment.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    m_sway.setProcessEnvironment(environment);
    m_sway.setStandardOutputFile(QProcess::nullDevice());
    m_sway.setStandardErrorFile(m_clientRuntime.filePath(QStringLiteral("sway.log")));
    const QString program = command.takeFirst();
    m_sway.start(program, command);
    if (!m_sway.waitForStarted(10'000)) {
        m_error = QStringLiteral("sway did not start: ") + m_sway.errorString();
        return;
    }
    const QDeadlineTimer deadline(20'000);
    while (!QFile::exists(ready) && m_sway.state() == QProcess::Running && !deadline.hasExpired())
        QTest::qWait(50);
    QFile said(ready);
    if (!said.open(QIODevice::ReadOnly)) {
        QFile log(m_clientRuntime.filePath(QStringLiteral("sway.log")));
        log.open(QIODevice::ReadOnly);
        m_error = QStringLiteral("sway did not get ready: ") +
                  QString::fromLocal8Bit(log.readAll().right(600));
        endProcess(m_sway);
        return;
    }
    const QStringList lines = QString::fromLocal8Bit(said.readAll()).split(u'\n');
    m_waylandDisplay = lines.value(0);
    m_ipcSocket = lines.value(1);
    m_xDisplay = lines.value(2);
}

HeadlessSway::~HeadlessSway()
{
    endProcess(m_bar);
    endProcess(m_sway);
}

QProcessEnvironment HeadlessSway::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), m_waylandDisplay);
    environment.insert(QStringLiteral("SWAYSOCK"), m_ipcSocket);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_clientRuntime.path());
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    environment.remove(QStringLiteral("WAYLAND_SOCKET"));
    if (m_xDisplay.isEmpty())
        environment.remove(QStringLiteral("DISPLAY"));
    else
        environment.insert(QStringLiteral("DISPLAY"), m_xDisplay);
    return environment;
}

bool HeadlessSway::startBar(const QString& busAddress, const QString& dataDirs)
{
    const QString folder = m_clientRuntime.filePath(QStringLiteral("waybar"));
    QDir().mkpath(folder);
    const QString config = folder + QStringLiteral("/config");
    const QString style = folder + QStringLiteral("/style.css");
    if (!write(config, QByteArrayLiteral("{\"layer\": \"top\", \"position\": \"top\", "
                                         "\"height\": 28, \"modules-right\": [\"tray\"], "
                                         "\"tray\": {\"spacing\": 6}}\n")) ||
        !write(style, QByteArrayLiteral("* { font-size: 13px; }\n"
                                        "window#waybar { background: #2b2b2b; color: #ffffff; }\n")))
        return false;
    QProcessEnvironment environment = this->environment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    environment.insert(QStringLiteral("GDK_BACKEND"), QStringLiteral("wayland"));
    if (!dataDirs.isEmpty())
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), dataDirs);
    m_bar.setProcessEnvironment(environment);
    m_bar.setStandardOutputFile(QProcess::nullDevice());
    m_bar.setStandardErrorFile(folder + QStringLiteral("/log"));
    m_bar.start(QStringLiteral("waybar"), {QStringLiteral("-c"), config, QStringLiteral("-s"), style});
    return m_bar.waitForStarted(10'000);
}

bool HeadlessSway::runClient(const QString& program, const QStringList& arguments,
                             QByteArray* output) const
{
    QProcess client;
    client.setProcessEnvironment(environment());
    client.start(program, arguments);
    if (!client.waitForFinished(20'000)) {
        endProcess(client);
        return false;
    }
    if (output)
        *output = client.readAllStandardOutput();
    return client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0;
}

QByteArray HeadlessSway::swaymsg(const QStringList& arguments) const
{
    QByteArray output;
    return runClient(QStringLiteral("swaymsg"), arguments, &output) ? output : QByteArray();
}

bool HeadlessSway::type(const QString& text) const
{
    return runClient(QStringLiteral("wtype"), {text});
}

bool HeadlessSway::screenshot(const QString& path) const
{
    return runClient(QStringLiteral("grim"), {path});
}

} // namespace zol::test
