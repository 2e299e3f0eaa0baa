#include "linux/PortalAppearance.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
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
    return m_known.value_or(Scheme::noPreference);
}

void PortalAppearance::watch()
{
    if (m_watching || !m_bus.isConnected())
        return;
    m_watching = true;
    m_bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"),
                  this, SLOT(onSettingChanged(QDBusMessage)));
    QDBusMessage read = QDBusMessage::createMethodCall(portalService, portalPath,
                                                       settingsInterface, QStringLiteral("Read"));
    read << appearanceGroup << schemeKey;
    // The portal starts on demand on most desktops; the app does not wait
    // for it: the answer, whenever it comes, is a change like any other.
    read.setAutoStartService(false);
    auto* answer = new QDBusPendingCallWatcher(m_bus.asyncCall(read), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusMessage reply = call->reply();
        // A change signalled meanwhile is newer than this answer.
        if (m_known || reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        learn(schemeOf(reply.arguments().constFirst()));
    });
}

void PortalAppearance::learn(Scheme scheme)
{
    if (m_known == scheme)
        return;
    const Scheme before = preferredScheme();
    m_known = scheme;
    if (scheme != before)
        Q_EMIT changed();
}

void PortalAppearance::onSettingChanged(const QDBusMessage& message)
{
    // (namespace, key, value)
    const QList<QVariant> said = message.arguments();
    if (said.size() != 3 || said.at(0).toString() != appearanceGroup ||
        said.at(1).toString() != schemeKey)
        return;
    learn(schemeOf(said.at(2)));
}

} // namespace zol::linux_desktop
