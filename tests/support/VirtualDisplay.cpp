#include "VirtualDisplay.h"

namespace zol::test {

VirtualDisplay::VirtualDisplay()
{
    // -displayfd: the server takes the first free display and writes its
    // number to the descriptor given, here its standard output.
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("1280x800x24")});
    if (!m_server.waitForStarted(10'000)) {
        m_error = QStringLiteral("Xvfb did not start: ") + m_server.errorString();
        return;
    }
    while (!m_server.canReadLine()) {
        if (!m_server.waitForReadyRead(20'000)) {
            m_error = QStringLiteral("Xvfb said no display: ") +
                      QString::fromUtf8(m_server.readAllStandardError());
            return;
        }
    }
    m_name = u':' + QString::fromUtf8(m_server.readLine().trimmed());
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5'000)) {
            m_server.kill();
            m_server.waitForFinished(5'000);
        }
    }
}

} // namespace zol::test
