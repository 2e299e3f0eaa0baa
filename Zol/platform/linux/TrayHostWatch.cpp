#include "linux/TrayHostWatch.h"

#include "linux/DesktopSession.h"
#include "linux/X11Connection.h"

#include <QDBusServiceWatcher>

namespace zol::linux_desktop {

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

xcb_atom_t atomNamed(X11Connection& display, const QByteArray& name)
{
    const auto reply = display.await<xcb_intern_atom_reply_t>(xcb_intern_atom(
        display.connection(), 0, uint16_t(name.size()), name.constData()));
    return reply && *reply ? (*reply)->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

TrayHostWatch::TrayHostWatch(std::shared_ptr<X11Connection> display, BusAccess bus,
                             QObject* parent)
    : TrayHost(parent)
    , m_probe(display, bus)
    , m_display(std::move(display))
    , m_bus(std::move(bus))
{}

TrayHostWatch::~TrayHostWatch() = default;

ServiceAvailability TrayHostWatch::availability()
{
    return m_probe();
}

void TrayHostWatch::watch()
{
    if (m_busWatcher)
        return;
    QDBusConnection bus = m_bus();
    m_busWatcher = new QDBusServiceWatcher(watcherService, bus,
                                           QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_busWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayHost::changed);
    // A watcher may start before the host that shows its items (a panel's
    // tray module registers as host a moment later).
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        bus.connect(watcherService, QStringLiteral("/StatusNotifierWatcher"), watcherService,
                    QString::fromLatin1(signal), this, SLOT(onHostSignal()));
    if (!isWaylandSession())
        watchXEmbed();
}

void TrayHostWatch::onHostSignal()
{
    Q_EMIT changed();
}

void TrayHostWatch::watchXEmbed()
{
    const std::expected<xcb_connection_t*, QString> connection = m_display->open();
    if (!connection)
        return;
    m_manager = atomNamed(*m_display, "MANAGER");
    m_selection = atomNamed(*m_display, TrayHostProbe::xembedSelection(m_display->screenNumber()));
    if (m_manager == XCB_ATOM_NONE || m_selection == XCB_ATOM_NONE)
        return;
    // A new tray announces itself to the root window's structure listeners.
    // The mask is this connection's own: other clients' masks on the root
    // window are theirs.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(*connection, m_display->root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(*connection);
    connect(m_display.get(), &X11Connection::eventArrived, this, &TrayHostWatch::onX11Event);
}

void TrayHostWatch::onX11Event(const xcb_generic_event_t* event)
{
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return;
    const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
    if (message->type == m_manager && message->format == 32 &&
        message->data.data32[1] == m_selection)
        Q_EMIT changed();
}

} // namespace zol::linux_desktop
