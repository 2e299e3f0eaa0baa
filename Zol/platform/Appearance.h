#pragma once

#include <QObject>

namespace zol {

// The desktop's appearance settings: whether the person asked for a dark or
// a light look. The tray app draws its windows to match, and follows when
// the choice changes while it runs.
class Appearance : public QObject
{
    Q_OBJECT

public:
    enum class Scheme { noPreference, dark, light };

    using QObject::QObject;

    // What the desktop's settings ask for, as far as known now; never waits.
    virtual Scheme preferredScheme() = 0;
    // Asks the desktop, and from now on changed() is emitted when the answer
    // comes and whenever the choice changes. Until then nothing is asked.
    virtual void watch() {}

Q_SIGNALS:
    void changed();
};

} // namespace zol
