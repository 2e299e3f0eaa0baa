#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace zol {

class GlobalShortcut;

// The one system-wide key combination that starts and pauses the timer
// (Super+Alt+T on Linux), over the desktop's global shortcut service.
//
// The key is grabbed on the first registerAction() and held until
// unregister() or destruction; registering again only replaces the action.
// A grab the desktop refuses leaves the key doing nothing, keeps the
// desktop's reason for the settings to show, and is tried again on the next
// registerAction(). A press is acted on only
// when it carries our signature; the action runs from the event loop, after
// the platform has finished delivering the press. The shortcut service must
// outlive this object.
class GlobalHotKey final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GlobalHotKey)

public:
    explicit GlobalHotKey(GlobalShortcut& shortcut, QObject* parent = nullptr);
    // Lets the key go.
    ~GlobalHotKey() override;

    // "ZOL ": identifies our key combination towards the shortcut service.
    static QString signature();

    // Stores `action` in place of any earlier one and grabs the key unless it
    // is held already.
    void registerAction(std::function<void()> action);
    // Releases the key when held and drops the action. Nothing when nothing
    // is registered.
    void unregister();
    // The key is held.
    bool isRegistered() const { return m_held; }
    // Why the last grab was refused; empty while the key is held or nothing
    // was asked.
    const QString& failure() const { return m_failure; }

private:
    void handlePress(const QString& pressedSignature);

    GlobalShortcut& m_shortcut;
    bool m_held = false;
    QString m_failure;
    std::function<void()> m_action;
};

} // namespace zol
