#include "linux/X11Connection.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>

#include <xcb/xcbext.h>

#include <poll.h>

namespace zol::linux_desktop {

X11Connection::X11Connection(QObject* parent)
    : QObject(parent)
{}

X11Connection::~X11Connection()
{
    close();
}

std::expected<xcb_connection_t*, QString> X11Connection::open()
{
    if (m_connection)
        return m_connection;

    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return std::unexpected(tr("No X display (DISPLAY is not set)."));

    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return std::unexpected(tr("Cannot reach the X display %1.").arg(display));
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return std::unexpected(
            tr("The X display %1 has no screen %2.").arg(display, QString::number(screenNumber)));
    }

    m_connection = connection;
    m_displayName = display;
    m_screenNumber = screenNumber;
    m_root = screens.data->root;
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11Connection::drain);
    return m_connection;
}

std::expected<X11Connection::Owned<void>, QString>
X11Connection::await(unsigned sequence, Owned<xcb_generic_error_t>* error)
{
    if (!m_connection)
        return std::unexpected(tr("Not connected to the X display."));
    xcb_flush(m_connection);
    const QDeadlineTimer deadline(replyTimeoutMs);
    for (;;) {
        void* reply = nullptr;
        xcb_generic_error_t* failure = nullptr;
        // Reads what the socket holds without blocking: events read on the
        // way wait in xcb's queue, so they are handed out from the event loop.
        if (xcb_poll_for_reply(m_connection, sequence, &reply, &failure)) {
            drainSoon();
            if (error)
                error->reset(failure);
            else
                std::free(failure);
            return Owned<void>(reply);
        }
        if (xcb_connection_has_error(m_connection)) {
            const QString reason = tr("The X display %1 went away.").arg(m_displayName);
            dropBroken();
            return std::unexpected(reason);
        }
        if (deadline.hasExpired()) {
            xcb_discard_reply(m_connection, sequence);
            drainSoon();
            return std::unexpected(
                tr("The X display %1 did not answer in time.").arg(m_displayName));
        }
        pollfd socket{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        ::poll(&socket, 1, int(deadline.remainingTime()));
    }
}

std::expected<void, QString> X11Connection::sync()
{
    if (!m_connection)
        return std::unexpected(tr("Not connected to the X display."));
    std::expected<Owned<xcb_get_input_focus_reply_t>, QString> reply =
        await<xcb_get_input_focus_reply_t>(xcb_get_input_focus(m_connection));
    if (!reply)
        return std::unexpected(reply.error());
    return {};
}

X11Connection::Owned<xcb_generic_error_t> X11Connection::errorOf(xcb_void_cookie_t cookie)
{
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    // After a sync the request is complete, so this does not block.
    if (m_connection && xcb_poll_for_reply(m_connection, cookie.sequence, &reply, &error)) {
        std::free(reply);
        return Owned<xcb_generic_error_t>(error);
    }
    return nullptr;
}

const xcb_query_extension_reply_t* X11Connection::extension(xcb_extension_t* id)
{
    if (!m_connection)
        return nullptr;
    // Prefetched and synced first: xcb_get_extension_data() alone would wait
    // for the server without a bound.
    xcb_prefetch_extension_data(m_connection, id);
    if (!sync())
        return nullptr;
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(m_connection, id);
    return data && data->present ? data : nullptr;
}

void X11Connection::drain()
{
    m_drainPending = false;
    if (!m_connection)
        return;
    while (m_connection) {
        Owned<xcb_generic_event_t> event(xcb_poll_for_event(m_connection));
        if (!event)
            break;
        Q_EMIT eventArrived(event.get());
    }
    if (m_connection && xcb_connection_has_error(m_connection))
        dropBroken();
}

void X11Connection::drainSoon()
{
    if (m_drainPending)
        return;
    m_drainPending = true;
    QMetaObject::invokeMethod(this, &X11Connection::drain, Qt::QueuedConnection);
}

void X11Connection::dropBroken()
{
    close();
    Q_EMIT lost();
}

void X11Connection::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
    m_root = XCB_WINDOW_NONE;
}

} // namespace zol::linux_desktop
