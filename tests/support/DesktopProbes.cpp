#include "DesktopProbes.h"

#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QHash>

#include <algorithm>

namespace zol::test {

QString outputOf(const QProcessEnvironment& environment, const QString& program,
                 const QStringList& arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(20'000)) {
        endProcess(process);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QProcessEnvironment x11Session(const QString& display, const QString& busAddress)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

bool grabScreen(const QProcessEnvironment& environment, const QString& grabber,
                const QString& path, const QRect& area)
{
    QStringList arguments{path};
    if (!area.isEmpty())
        arguments << QString::number(area.x()) << QString::number(area.y())
                  << QString::number(area.width()) << QString::number(area.height());
    QProcess grab;
    grab.setProcessEnvironment(environment);
    grab.start(grabber, arguments);
    if (!grab.waitForFinished(20'000)) {
        endProcess(grab);
        return false;
    }
    return grab.exitStatus() == QProcess::NormalExit && grab.exitCode() == 0;
}

void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10'000)) {
        process.kill();
        process.waitForFinished(10'000);
    }
}

QList<ShownWindow> shownWindows(const QProcessEnvironment& environment, const QString& className)
{
    const QString xdotool = QStringLiteral("xdotool");
    QList<ShownWindow> found;
    const QStringList ids = outputOf(environment, xdotool,
                                     {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                      QStringLiteral("--classname"), className})
                                .split(u'\n', Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        // "X=…\nY=…\nWIDTH=…\nHEIGHT=…" from --shell.
        const QStringList lines =
            outputOf(environment, xdotool,
                     {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id})
                .split(u'\n');
        QHash<QString, int> values;
        for (const QString& line : lines)
            values.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
        found.append({id, QRect(values[QStringLiteral("X")], values[QStringLiteral("Y")],
                                values[QStringLiteral("WIDTH")], values[QStringLiteral("HEIGHT")])});
    }
    return found;
}

bool trayListsItemOf(const QDBusConnection& bus, qint64 pid)
{
    QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                           QStringLiteral("/StatusNotifierWatcher"),
                           QStringLiteral("org.kde.StatusNotifierWatcher"), bus);
    if (!watcher.isValid())
        return false;
    // Each item is "service/path"; Qt registers its unique bus name.
    const QStringList items = watcher.property("RegisteredStatusNotifierItems").toStringList();
    return std::any_of(items.cbegin(), items.cend(), [&](const QString& item) {
        const QString service = item.section(u'/', 0, 0);
        return bus.interface()->servicePid(service).value() == quint64(pid);
    });
}

} // namespace zol::test
