#pragma once

#include <QObject>
#include <QString>

namespace zol {

// One system-wide key combination (the timer's start-and-pause key), pressed
// whatever application is in front.
class GlobalShortcut : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Claims the key combination identified by `signature`. Returns false when
    // the desktop refused it (another program holds it, no X11 display, …).
    virtual bool grab(const QString& signature) = 0;
    // Lets the key combination go; nothing when none is held.
    virtual void release() = 0;

Q_SIGNALS:
    // A grabbed combination was pressed; `signature` says which.
    void pressed(const QString& signature);
};

} // namespace zol
