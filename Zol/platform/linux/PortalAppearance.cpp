#include "linux/PortalAppearance.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace zol::linux_desktop {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString schemeKey = QStringLiteral("color-scheme");

Appearance::Scheme schemeOf(QVariant value)
{
    // Read answers a variant holding a variant holding the number.
    while (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    switch (value.toUInt()) {
    case 1:
        return Appearance::Scheme::dark;
    case 2:
        return Appearance::Scheme::light;
    default:
        return Appearance::Scheme::noPreference;
    }
}

} // namespace

PortalAppearance::PortalAppearance(QDBusConnection bus, QObject* parent)
    : Appearance(parent)
    , m_bus(std::move(bus))
{
}

Appearance::Scheme PortalAppearance::preferredScheme()
{
    if (m_known)
        return *m_known;
    if (!m_bus.isConnected())
        return Scheme::noPreference;
    QDBusMessage read =
        QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    read << appearanceGroup << schemeKey;
    // The portal starts on demand on most desktops; where it is not running
    // already, the app starts without waiting for it.
    read.setAutoStartService(false);
    const QDBusMessage reply = m_bus.call(read, QDBus::Block, 300);
    const Scheme scheme = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                              ? schemeOf(reply.arguments().constFirst())
                              : Scheme::noPreference;
    if (m_watching)
        m_known = scheme;
    return scheme;
}

void PortalAppearance::watch()
{
    if (m_watching || !m_bus.isConnected())
        return;
    m_watching = true;
    m_bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                  this, SLOT(onSettingChanged(QDBusMessage)));
}

void PortalAppearance::onSettingChanged(const QDBusMessage& message)
{
    // (namespace, key, value)
    const QList<QVariant> said = message.arguments();
    if (said.size() != 3 || said.at(0).toString() != appearanceGroup ||
        said.at(1).toString() != schemeKey)
        return;
    const Scheme scheme = schemeOf(said.at(2));
    if (m_known == scheme)
        return;
    m_known = scheme;
    Q_EMIT changed();
}

} // namespace zol::linux_desktop
