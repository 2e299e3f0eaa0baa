#pragma once

#include "ServiceAvailability.h"

#include <QObject>
#include <QString>

#include <expected>

namespace zol {

// One system-wide key combination (the timer's start-and-pause key), pressed
// whatever application is in front.
class GlobalShortcut : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether this desktop lets a program claim a key combination ("hot key").
    virtual ServiceAvailability availability() = 0;
    // Claims the key combination identified by `signature`. When the desktop
    // refuses it, says why in one line (another program holds it, no X11
    // display, …).
    virtual std::expected<void, QString> grab(const QString& signature) = 0;
    // Lets the key combination go; nothing when none is held.
    virtual void release() = 0;

Q_SIGNALS:
    // A grabbed combination was pressed; `signature` says which.
    void pressed(const QString& signature);
};

} // namespace zol
