#pragma once

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace zol::linux_desktop {

// One shortcut as the global shortcuts portal takes and hands it back,
// (sa{sv}): an id and properties such as "description" or
// "preferred_trigger".
struct PortalShortcut
{
    QString id;
    QVariantMap properties;

    // Lets PortalShortcut and lists of it travel over D-Bus; may be called
    // more than once.
    static void registerType();
};

} // namespace zol::linux_desktop

Q_DECLARE_METATYPE(zol::linux_desktop::PortalShortcut)

namespace zol::linux_desktop {

inline QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

inline const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

inline void PortalShortcut::registerType()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

} // namespace zol::linux_desktop
