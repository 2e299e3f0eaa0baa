#pragma once

#include "Appearance.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <optional>

namespace zol::linux_desktop {

// The colour scheme from the desktop portal's settings
// (org.freedesktop.appearance color-scheme: 1 dark, 2 light, 0 no
// preference), which GNOME, KDE Plasma and the other portal backends keep in
// step with their own appearance settings. Nothing is asked before watch(),
// and then without waiting: until the portal answers, and without a portal,
// there is no preference.
class PortalAppearance final : public Appearance
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalAppearance)

public:
    explicit PortalAppearance(QDBusConnection bus, QObject* parent = nullptr);

    Scheme preferredScheme() override;
    void watch() override;

private Q_SLOTS:
    void onSettingChanged(const QDBusMessage& message);

private:
    // Takes `scheme` as the desktop's choice; changed() when that differs.
    void learn(Scheme scheme);

    QDBusConnection m_bus;
    // What the portal said last.
    std::optional<Scheme> m_known;
    bool m_watching = false;
};

} // namespace zol::linux_desktop
