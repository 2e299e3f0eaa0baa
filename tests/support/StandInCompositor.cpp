#include "StandInCompositor.h"

#include <QProcessEnvironment>

namespace zol::test {

StandInCompositor::StandInCompositor(const QString& program, const QStringList& offers)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(program, offers);
    if (!m_process.waitForStarted(10'000)) {
        m_error = QStringLiteral("the stand-in compositor did not start: ") +
                  m_process.errorString();
        return;
    }
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(10'000)) {
            m_error = QStringLiteral("the stand-in compositor said nothing");
            return;
        }
    }
    const QString ready = QString::fromLocal8Bit(m_process.readLine().trimmed());
    m_socket = ready.section(u' ', 1);
}

StandInCompositor::~StandInCompositor()
{
    stop();
}

QStringList StandInCompositor::watching()
{
    while (m_process.canReadLine()) {
        const QString line = QString::fromLocal8Bit(m_process.readLine().trimmed());
        if (line.startsWith(u"watching "))
            m_watching.append(line.section(u' ', 1));
    }
    return m_watching;
}

void StandInCompositor::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5'000);
}

} // namespace zol::test
