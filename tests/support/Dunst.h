#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zol::test {

// dunst, a real notification server, on a bus and an X display of the
// test's. Notifications never time out and are shown at once. Its context
// menu (dunstctl context) is answered by a small program that remembers the
// lines offered and picks the line of one action. Ended, by its process id,
// by stop() or when the object goes.
class Dunst
{
public:
    // What dunst showed, as it told its rule script.
    struct Shown
    {
        uint id = 0;
        // "LOW", "NORMAL" or "CRITICAL".
        QString urgency;
        QString summary;
    };

    // Starts dunst and waits until it owns its name on the bus; the context
    // menu picks the action `chosenAction` ("STOP").
    Dunst(const QString& busAddress, const QString& display,
          const QString& chosenAction = QStringLiteral("STOP"));
    ~Dunst();
    Dunst(const Dunst&) = delete;
    Dunst& operator=(const Dunst&) = delete;

    // Whether it runs; when not, why is in error().
    bool isRunning() const { return m_dunst.state() == QProcess::Running && m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    void stop();

    // Every notification shown so far (a replaced one again), in order.
    QList<Shown> shown() const;
    // How many notifications are on screen now.
    int displayed();
    // Opens the context menu over the notifications on screen.
    void openContextMenu();
    // The lines the last context menu offered; empty until one was opened.
    QStringList menuLines() const;

private:
    QByteArray dunstctl(const QStringList& arguments);

    QTemporaryDir m_folder;
    QString m_address;
    QProcess m_dunst;
    QString m_error;
};

} // namespace zol::test
