#pragma once

#include <QString>

namespace zol::linux_desktop {

// "3 s since the last input": what an idle-time source that answered shows
// beside its name.
inline QString idleDetail(double seconds)
{
    return QString::number(qRound64(seconds)) + QStringLiteral(" s since the last input");
}

} // namespace zol::linux_desktop
