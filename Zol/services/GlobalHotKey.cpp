#include "GlobalHotKey.h"

#include "GlobalShortcut.h"

namespace zol {

GlobalHotKey::GlobalHotKey(GlobalShortcut& shortcut, QObject* parent)
    : QObject(parent)
    , m_shortcut(shortcut)
{
    connect(&m_shortcut, &GlobalShortcut::pressed, this, &GlobalHotKey::handlePress);
}

GlobalHotKey::~GlobalHotKey()
{
    unregister();
}

QString GlobalHotKey::signature()
{
    return QStringLiteral("ZOL ");
}

void GlobalHotKey::registerAction(std::function<void()> action)
{
    m_action = std::move(action);
    if (m_held)
        return;
    const std::expected<void, QString> grabbed = m_shortcut.grab(signature());
    m_held = grabbed.has_value();
    m_failure = grabbed ? QString() : grabbed.error();
}

void GlobalHotKey::unregister()
{
    if (m_held) {
        m_shortcut.release();
        m_held = false;
    }
    m_failure.clear();
    m_action = nullptr;
}

void GlobalHotKey::handlePress(const QString& pressedSignature)
{
    if (!m_held || pressedSignature != signature())
        return;
    // Queued: the action may change the timer, open windows or write the
    // database, none of which belongs inside the platform's event handler.
    // The action in place when it runs is the one used.
    QMetaObject::invokeMethod(
        this,
        [this] {
            // A copy: the action may register another one in its place.
            if (const std::function<void()> action = m_action)
                action();
        },
        Qt::QueuedConnection);
}

} // namespace zol
