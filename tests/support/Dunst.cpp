#include "Dunst.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QUuid>

namespace zol::test {

namespace {

bool writeProgram(const QString& path, const QString& text, QFile::Permissions permissions)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size() &&
           file.setPermissions(permissions);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Dunst::Dunst(const QString& busAddress, const QString& display, const QString& chosenAction)
    : m_address(busAddress)
{
    const QFile::Permissions program = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QString menu = m_folder.filePath(QStringLiteral("menu"));
    const QString record = m_folder.filePath(QStringLiteral("record"));
    const QString config = m_folder.filePath(QStringLiteral("dunstrc"));
    // dunst offers lines like "#Stop (Still tracking Brand book) [3,STOP]"
    // and acts on the whole line it gets back.
    const bool written =
        writeProgram(
            menu,
            QStringLiteral("#!/bin/sh\ncat > '%1.offered'\ngrep -m1 -F ',%2]' '%1.offered'\n")
                .arg(menu, chosenAction),
            program) &&
        writeProgram(record,
                     QStringLiteral("#!/bin/sh\nprintf '%s %s %s\\n' \"$DUNST_ID\" "
                                    "\"$DUNST_URGENCY\" \"$DUNST_SUMMARY\" >> '%1.shown'\n")
                         .arg(record),
                     program) &&
        writeProgram(config,
                     QStringLiteral("[global]\n"
                                    "    dmenu = \"%1\"\n"
                                    "    idle_threshold = 0\n"
                                    "    notification_limit = 0\n"
                                    "[urgency_low]\n    timeout = 0\n"
                                    "[urgency_normal]\n    timeout = 0\n"
                                    "[urgency_critical]\n    timeout = 0\n"
                                    "[record]\n    summary = \"*\"\n    script = \"%2\"\n")
                         .arg(menu, record),
                     QFile::ReadOwner | QFile::WriteOwner);
    if (!written) {
        m_error = QStringLiteral("cannot write dunst's configuration in ") + m_folder.path();
        return;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_dunst.setProcessEnvironment(environment);
    m_dunst.setStandardOutputFile(QProcess::nullDevice());
    m_dunst.setStandardErrorFile(m_folder.filePath(QStringLiteral("log")));
    m_dunst.start(QStringLiteral("dunst"), {QStringLiteral("-config"), config});
    if (!m_dunst.waitForStarted(10'000)) {
        m_error = QStringLiteral("dunst did not start: ") + m_dunst.errorString();
        return;
    }

    const QString connectionName = QUuid::createUuid().toString();
    {
        QDBusConnection bus = QDBusConnection::connectToBus(busAddress, connectionName);
        const bool serving = QTest::qWaitFor(
            [&] {
                return m_dunst.state() != QProcess::Running ||
                       bus.interface()->isServiceRegistered(
                           QStringLiteral("org.freedesktop.Notifications"));
            },
            10'000);
        if (!serving || m_dunst.state() != QProcess::Running)
            m_error = QStringLiteral("dunst does not serve notifications: ") +
                      QString::fromUtf8(read(m_folder.filePath(QStringLiteral("log"))));
    }
    QDBusConnection::disconnectFromBus(connectionName);
}

Dunst::~Dunst()
{
    stop();
}

void Dunst::stop()
{
    if (m_dunst.state() == QProcess::NotRunning)
        return;
    m_dunst.terminate();
    if (!m_dunst.waitForFinished(5'000)) {
        m_dunst.kill();
        m_dunst.waitForFinished(5'000);
    }
}

QList<Dunst::Shown> Dunst::shown() const
{
    QList<Shown> all;
    const QString lines =
        QString::fromUtf8(read(m_folder.filePath(QStringLiteral("record.shown"))));
    for (const QString& line : lines.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u' ');
        if (fields.size() >= 3)
            all.append({fields.at(0).toUInt(), fields.at(1), line.section(u' ', 2)});
    }
    return all;
}

int Dunst::displayed()
{
    // "  Currently displayed: 1"
    static const QRegularExpression count(QStringLiteral("displayed: (\\d+)"));
    const QRegularExpressionMatch match =
        count.match(QString::fromUtf8(dunstctl({QStringLiteral("count")})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void Dunst::openContextMenu()
{
    dunstctl({QStringLiteral("context")});
}

QStringList Dunst::menuLines() const
{
    return QString::fromUtf8(read(m_folder.filePath(QStringLiteral("menu.offered"))))
        .split(u'\n', Qt::SkipEmptyParts);
}

QByteArray Dunst::dunstctl(const QStringList& arguments)
{
    QProcess control;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    control.setProcessEnvironment(environment);
    control.start(QStringLiteral("dunstctl"), arguments);
    if (!control.waitForFinished(10'000)) {
        control.kill();
        control.waitForFinished(5'000);
        return {};
    }
    return control.readAllStandardOutput();
}

} // namespace zol::test
