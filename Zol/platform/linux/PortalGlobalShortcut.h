#pragma once

#include "GlobalShortcut.h"
#include "linux/SessionBus.h"

#include <QDBusMessage>
#include <QString>

#include <optional>

namespace zol::linux_desktop {

// Super+Alt+T through the desktop portal's global shortcuts
// (org.freedesktop.portal.GlobalShortcuts), the way a Wayland session lets a
// program have a key.
//
// grab() asks the portal, briefly, whether it offers global shortcuts and,
// when it does, starts the conversation (a session, then the shortcut bound
// to it) without waiting for it: the desktop may show the user a dialog. A
// later refusal shows in availability(). Presses arrive as the portal's
// Activated signal for our session.
class PortalGlobalShortcut final : public GlobalShortcut
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalGlobalShortcut)

public:
    explicit PortalGlobalShortcut(BusAccess bus, QObject* parent = nullptr);
    // Closes the session.
    ~PortalGlobalShortcut() override;

    // Found as "Global shortcuts portal" when the portal runs and offers them.
    ServiceAvailability availability() override;
    std::expected<void, QString> grab(const QString& signature) override;
    void release() override;

    // The id of our shortcut towards the portal.
    static QString shortcutId() { return QStringLiteral("toggle-timer"); }

private Q_SLOTS:
    // Old-style slots: QDBusConnection::connect takes no functors.
    void handleResponse(const QDBusMessage& signal);
    void handleActivated(const QDBusMessage& signal);

private:
    enum class Stage { idle, creatingSession, binding, bound, refused };

    // Why the portal does not serve, or nothing when it offers shortcuts.
    std::optional<QString> probe();
    // Sends `call`, whose options carry `token`, after listening for the
    // Response of the request object it makes.
    void request(const QDBusMessage& call, const QString& token);
    void listenForResponse(const QDBusConnection& bus, const QString& requestPath);
    void stopListening(const QDBusConnection& bus);
    void bind();
    void refuse(const QString& reason);
    QString newToken();

    BusAccess m_bus;
    Stage m_stage = Stage::idle;
    QString m_signature;
    QString m_requestPath;
    QString m_session;
    QString m_trigger;
    QString m_refusal;
    bool m_listeningForPresses = false;
    int m_tokens = 0;
};

} // namespace zol::linux_desktop
