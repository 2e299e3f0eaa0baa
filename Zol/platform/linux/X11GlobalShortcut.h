#pragma once

#include "GlobalShortcut.h"

#include <QList>

#include <xcb/xcb.h>

#include <memory>
#include <optional>

namespace zol::linux_desktop {

class X11Connection;

// Super+Alt+T grabbed on the X display's root window, on an X11 session.
//
// The key is grabbed once for each state of CapsLock and NumLock, so that it
// works whichever is on; a grab the server refuses (another program holds
// the combination) undoes the variants already held. Once release()
// returns, the server has let the key go, so another program can take it.
// Presses arrive as X events on the shared connection; auto-repeat of a held
// key counts once.
// When the keyboard mapping changes, the key is grabbed again on its new
// keycode; when the display goes away, the grab is gone with it.
class X11GlobalShortcut final : public GlobalShortcut
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11GlobalShortcut)

public:
    explicit X11GlobalShortcut(std::shared_ptr<X11Connection> display, QObject* parent = nullptr);
    // Lets the key go.
    ~X11GlobalShortcut() override;

    // Found as "X11 key grab" when the display is reachable.
    ServiceAvailability availability() override;
    std::expected<void, QString> grab(const QString& signature) override;
    void release() override;

private:
    // The combination as this keyboard produces it.
    struct Key
    {
        QList<xcb_keycode_t> keycodes;
        uint16_t modifiers = 0;
        // Lock modifiers the combination is grabbed with and without.
        uint16_t locks = 0;
    };

    std::expected<Key, QString> resolveKey();
    std::expected<void, QString> grabKey(const Key& key);
    void ungrabKey(const Key& key);
    void handleEvent(const xcb_generic_event_t* event);
    void regrab();

    std::shared_ptr<X11Connection> m_display;
    std::optional<Key> m_held;
    QString m_signature;
    // When our key was last let go: a press at the same instant is the
    // server's auto-repeat.
    xcb_timestamp_t m_releasedAt = 0;
};

} // namespace zol::linux_desktop
