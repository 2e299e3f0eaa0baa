#pragma once

#include <QProcess>
#include <QString>

namespace zol::test {

// An X server of the test's own (Xvfb), on a display number it picks itself.
// Started with -noreset: without it the server resets whenever its last
// client leaves, and with it the idle counter. Ended, by its process id, when
// the object goes.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Whether the server runs; when not, why is in error().
    bool isRunning() const { return !m_name.isEmpty(); }
    const QString& error() const { return m_error; }
    // ":N", for DISPLAY.
    const QString& name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
    QString m_error;
};

} // namespace zol::test
