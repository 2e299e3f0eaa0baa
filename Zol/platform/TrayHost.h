#pragma once

#include "ServiceAvailability.h"

#include <QObject>

namespace zol {

// Whatever shows tray icons on this desktop: a StatusNotifierItem host or an
// XEmbed tray. At login the desktop's panel often starts after the programs
// of the autostart folder, and a panel may be restarted, so the answer is
// asked afresh each time, and changed() says when it may have become
// different.
class TrayHost : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The implementation availability() names for a StatusNotifierItem host,
    // and for an XEmbed tray.
    static QString statusNotifierItemHost() { return QStringLiteral("StatusNotifierItem host"); }
    static QString xembedTray() { return QStringLiteral("XEmbed tray"); }

    // Whether a tray shows icons now, and which kind ("tray").
    virtual ServiceAvailability availability() = 0;
    // From now on, changed() is emitted when a tray may have come or gone.
    // Until then nothing is watched, so a program that only asks once (the
    // command line) pays for nothing.
    virtual void watch() {}

Q_SIGNALS:
    void changed();
};

} // namespace zol
