#include "linux/X11GlobalShortcut.h"

#include "linux/X11Connection.h"

#include <X11/keysym.h>
#include <xcb/xcb_keysyms.h>

#include <initializer_list>
#include <vector>

namespace zol::linux_desktop {

namespace {

const QString name = QStringLiteral("X11 key grab");

// The eight key modifiers of an event's state; the bits above are buttons.
constexpr uint16_t keyModifierBits = 0xff;

using KeySymbols = std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)>;

QList<xcb_keycode_t> keycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
{
    QList<xcb_keycode_t> keycodes;
    X11Connection::Owned<xcb_keycode_t> found(xcb_key_symbols_get_keycode(symbols, keysym));
    for (const xcb_keycode_t* k = found.get(); k && *k != XCB_NO_SYMBOL; ++k)
        keycodes.append(*k);
    return keycodes;
}

// The modifier bit the first of `keysyms` found in the modifier mapping is
// on; `fallback` when none is.
uint16_t modifierOf(xcb_key_symbols_t* symbols, const xcb_get_modifier_mapping_reply_t* mapping,
                    std::initializer_list<xcb_keysym_t> keysyms, uint16_t fallback)
{
    const xcb_keycode_t* table = xcb_get_modifier_mapping_keycodes(mapping);
    const int perModifier = mapping->keycodes_per_modifier;
    for (const xcb_keysym_t keysym : keysyms) {
        const QList<xcb_keycode_t> keycodes = keycodesOf(symbols, keysym);
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t keycode = table[modifier * perModifier + i];
                if (keycode != XCB_NO_SYMBOL && keycodes.contains(keycode))
                    return uint16_t(1u << modifier);
            }
        }
    }
    return fallback;
}

// Every combination of the lock bits in `locks`, none included.
std::vector<uint16_t> lockVariants(uint16_t locks)
{
    std::vector<uint16_t> variants{0};
    for (uint16_t bit = 1; bit != 0 && bit <= locks; bit = uint16_t(bit << 1)) {
        if (!(locks & bit))
            continue;
        const std::size_t count = variants.size();
        for (std::size_t i = 0; i < count; ++i)
            variants.push_back(uint16_t(variants[i] | bit));
    }
    return variants;
}

} // namespace

X11GlobalShortcut::X11GlobalShortcut(std::shared_ptr<X11Connection> display, QObject* parent)
    : GlobalShortcut(parent)
    , m_display(std::move(display))
{
    connect(m_display.get(), &X11Connection::eventArrived, this, &X11GlobalShortcut::handleEvent);
    connect(m_display.get(), &X11Connection::lost, this, [this] { m_held.reset(); });
}

X11GlobalShortcut::~X11GlobalShortcut()
{
    release();
}

ServiceAvailability X11GlobalShortcut::availability()
{
    const std::expected<xcb_connection_t*, QString> connection = m_display->open();
    if (!connection)
        return ServiceAvailability::missing(connection.error(), name);
    return ServiceAvailability::present(name, m_held ? tr("Super+Alt+T is held") : QString());
}

std::expected<void, QString> X11GlobalShortcut::grab(const QString& signature)
{
    m_signature = signature;
    if (m_held)
        return {};
    const std::expected<Key, QString> key = resolveKey();
    if (!key)
        return std::unexpected(key.error());
    if (std::expected<void, QString> grabbed = grabKey(*key); !grabbed)
        return grabbed;
    m_held = *key;
    return {};
}

void X11GlobalShortcut::release()
{
    if (!m_held)
        return;
    ungrabKey(*m_held);
    m_held.reset();
}

std::expected<X11GlobalShortcut::Key, QString> X11GlobalShortcut::resolveKey()
{
    const std::expected<xcb_connection_t*, QString> connection = m_display->open();
    if (!connection)
        return std::unexpected(connection.error());

    // The keyboard mapping is asked first and the modifier mapping waited
    // for: the server answers in order, so once the second answer is in, the
    // first is too, and the key symbol lookups below do not wait.
    KeySymbols symbols(xcb_key_symbols_alloc(*connection), &xcb_key_symbols_free);
    const auto mapping =
        m_display->await<xcb_get_modifier_mapping_reply_t>(xcb_get_modifier_mapping(*connection));
    if (!mapping)
        return std::unexpected(mapping.error());
    if (!*mapping || !symbols)
        return std::unexpected(tr("The X display did not tell its keyboard mapping."));

    Key key;
    key.keycodes = keycodesOf(symbols.get(), XK_t);
    if (key.keycodes.isEmpty())
        return std::unexpected(tr("This keyboard has no T key."));
    key.modifiers = uint16_t(
        modifierOf(symbols.get(), mapping->get(), {XK_Super_L, XK_Super_R}, XCB_MOD_MASK_4) |
        modifierOf(symbols.get(), mapping->get(), {XK_Alt_L, XK_Alt_R}, XCB_MOD_MASK_1));
    key.locks =
        uint16_t(XCB_MOD_MASK_LOCK | modifierOf(symbols.get(), mapping->get(), {XK_Num_Lock}, 0));
    key.locks = uint16_t(key.locks & ~key.modifiers);
    return key;
}

std::expected<void, QString> X11GlobalShortcut::grabKey(const Key& key)
{
    xcb_connection_t* connection = m_display->connection();
    std::vector<xcb_void_cookie_t> requests;
    for (const xcb_keycode_t keycode : key.keycodes) {
        for (const uint16_t locks : lockVariants(key.locks))
            requests.push_back(xcb_grab_key_checked(connection, 0, m_display->root(),
                                                    uint16_t(key.modifiers | locks), keycode,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    if (std::expected<void, QString> synced = m_display->sync(); !synced) {
        ungrabKey(key);
        return synced;
    }

    bool taken = false;
    uint8_t otherError = 0;
    for (const xcb_void_cookie_t request : requests) {
        if (const X11Connection::Owned<xcb_generic_error_t> error = m_display->errorOf(request)) {
            if (error->error_code == XCB_ACCESS)
                taken = true;
            else
                otherError = error->error_code;
        }
    }
    if (!taken && otherError == 0)
        return {};
    ungrabKey(key);
    if (taken)
        return std::unexpected(tr("Super+Alt+T is taken by another program."));
    return std::unexpected(
        tr("The X display refused Super+Alt+T (error %1).").arg(int(otherError)));
}

void X11GlobalShortcut::ungrabKey(const Key& key)
{
    // Grabs die with the connection: nothing to undo when it is gone.
    xcb_connection_t* connection = m_display->connection();
    if (!connection)
        return;
    for (const xcb_keycode_t keycode : key.keycodes) {
        for (const uint16_t locks : lockVariants(key.locks))
            xcb_ungrab_key(connection, keycode, m_display->root(), uint16_t(key.modifiers | locks));
    }
    // Waited for, so that the key is free for another program once this
    // returns; a server that does not answer drops the grabs anyway.
    m_display->sync();
}

void X11GlobalShortcut::handleEvent(const xcb_generic_event_t* event)
{
    if (!m_held)
        return;
    switch (event->response_type & ~0x80) {
    case XCB_KEY_PRESS: {
        const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
        if (!m_held->keycodes.contains(press->detail) ||
            (press->state & keyModifierBits & ~m_held->locks) != m_held->modifiers)
            return;
        if (press->time == m_releasedAt)
            return;
        Q_EMIT pressed(m_signature);
        return;
    }
    case XCB_KEY_RELEASE: {
        const auto* release = reinterpret_cast<const xcb_key_release_event_t*>(event);
        if (m_held->keycodes.contains(release->detail))
            m_releasedAt = release->time;
        return;
    }
    case XCB_MAPPING_NOTIFY: {
        const auto* change = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (change->request != XCB_MAPPING_POINTER)
            regrab();
        return;
    }
    default:
        return;
    }
}

void X11GlobalShortcut::regrab()
{
    const Key old = *m_held;
    const std::expected<Key, QString> key = resolveKey();
    if (key && key->keycodes == old.keycodes && key->modifiers == old.modifiers &&
        key->locks == old.locks)
        return;
    ungrabKey(old);
    m_held.reset();
    if (key && grabKey(*key))
        m_held = *key;
}

} // namespace zol::linux_desktop
