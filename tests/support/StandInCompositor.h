#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zol::test {

// The stand-in compositor (zol-standin-compositor) on a socket of the test's
// own: it offers the globals named ("seat", "ext", "kde") and says "idled" or
// "resumed" to every idle notification when told. Ended, by its process id,
// by stop() or when the object goes.
class StandInCompositor
{
public:
    StandInCompositor(const QString& program, const QStringList& offers);
    ~StandInCompositor();
    StandInCompositor(const StandInCompositor&) = delete;
    StandInCompositor& operator=(const StandInCompositor&) = delete;

    bool isRunning() const { return m_error.isEmpty() && m_process.state() == QProcess::Running; }
    const QString& error() const { return m_error; }
    // The socket's full path, for WAYLAND_DISPLAY.
    const QString& socket() const { return m_socket; }

    void tellIdled() { m_process.write("idled\n"); }
    void tellResumed() { m_process.write("resumed\n"); }
    // The notifications clients asked for so far: "ext 5000", "kde 1000".
    QStringList watching();
    void stop();

private:
    QTemporaryDir m_runtime;
    QProcess m_process;
    QString m_socket;
    QString m_error;
    QStringList m_watching;
};

} // namespace zol::test
