#pragma once

#include <QCoreApplication>
#include <QString>

namespace zol::linux_desktop {

// "3 s since the last input": what an idle-time source that answered shows
// beside its name.
inline QString idleDetail(double seconds)
{
    return QCoreApplication::translate("zol::platform::IdleDetail", "%1 s since the last input")
        .arg(qRound64(seconds));
}

} // namespace zol::linux_desktop
