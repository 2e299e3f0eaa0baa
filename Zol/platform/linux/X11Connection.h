#pragma once

#include <QObject>
#include <QString>

#include <xcb/xcb.h>

#include <cstdlib>
#include <expected>
#include <memory>

class QSocketNotifier;

namespace zol::linux_desktop {

// One connection to the X display of $DISPLAY, shared by the services that
// speak X11 (idle time, the hot key, the tray probe). It connects on first
// use, so a command that needs none of them never touches the display.
//
// Once connected, no call waits for the server longer than replyTimeoutMs: a
// server that is late counts as absent. (Connecting itself is bounded by the
// system: immediate for a local display, a TCP timeout for a remote one.) Events are read whenever
// the connection's socket has data and handed out through eventArrived(), on the thread of this
// object, which needs an event loop for them to arrive. When the server goes
// away, lost() is emitted and the next open() connects again.
class X11Connection final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11Connection)

public:
    struct FreeDeleter
    {
        void operator()(void* p) const { std::free(p); }
    };
    // A reply, error or event as xcb hands them out (malloc'ed).
    template <typename T> using Owned = std::unique_ptr<T, FreeDeleter>;

    static constexpr int replyTimeoutMs = 500;

    explicit X11Connection(QObject* parent = nullptr);
    ~X11Connection() override;

    // The connection, made now when there is none; or why there is none, in
    // one line ("No X display (DISPLAY is not set).").
    std::expected<xcb_connection_t*, QString> open();
    bool isOpen() const { return m_connection != nullptr; }
    // The open connection; null when none is (nothing is connected here).
    xcb_connection_t* connection() const { return m_connection; }
    // The display's name (":0") and its default screen; only while open.
    const QString& displayName() const { return m_displayName; }
    int screenNumber() const { return m_screenNumber; }
    xcb_window_t root() const { return m_root; }

    // The reply to request `sequence`. When the server answered with an error
    // instead, the reply is null and the error goes to `error` (when given).
    // Unexpected, with the reason, when the server is late or gone.
    std::expected<Owned<void>, QString> await(unsigned sequence,
                                              Owned<xcb_generic_error_t>* error = nullptr);
    template <typename Reply, typename Cookie>
    std::expected<Owned<Reply>, QString> await(Cookie cookie,
                                               Owned<xcb_generic_error_t>* error = nullptr)
    {
        std::expected<Owned<void>, QString> reply = await(cookie.sequence, error);
        if (!reply)
            return std::unexpected(reply.error());
        return Owned<Reply>(static_cast<Reply*>(reply->release()));
    }
    // Waits until the server has handled every request sent so far.
    std::expected<void, QString> sync();
    // The error the server answered a checked request with, or null when it
    // accepted it. Only after a sync() that succeeded since the request.
    Owned<xcb_generic_error_t> errorOf(xcb_void_cookie_t cookie);
    // The extension's data when the server has it; null when not, or when
    // the server did not answer.
    const xcb_query_extension_reply_t* extension(xcb_extension_t* id);

Q_SIGNALS:
    // An event of the server's; valid only during the emission.
    void eventArrived(const xcb_generic_event_t* event);
    // The server went away; everything held on it (grabs included) is gone.
    void lost();

private:
    void drain();
    void drainSoon();
    // Closes a connection that failed; says so through lost().
    void dropBroken();
    void close();

    xcb_connection_t* m_connection = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QString m_displayName;
    int m_screenNumber = 0;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    bool m_drainPending = false;
};

} // namespace zol::linux_desktop
