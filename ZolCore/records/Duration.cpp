#include "records/Duration.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdlib>

namespace zol::Duration {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::Duration)
};

qint64 wholeSeconds(double seconds)
{
    return std::isfinite(seconds) ? std::llround(seconds) : 0;
}

QString twoDigits(qint64 n)
{
    return QString::number(n).rightJustified(2, u'0');
}

} // namespace

QString clockString(double seconds)
{
    const qint64 s = wholeSeconds(seconds);
    const qint64 a = std::llabs(s);
    const QString sign = s < 0 ? QStringLiteral("-") : QString();
    if (a < 3600)
        return sign + QString::number(a / 60) + u':' + twoDigits(a % 60);
    return sign + QString::number(a / 3600) + u':' + twoDigits(a % 3600 / 60) + u':'
        + twoDigits(a % 60);
}

QString coarseString(double seconds)
{
    const qint64 s = wholeSeconds(seconds);
    const qint64 a = std::llabs(s);
    const QString sign = s < 0 ? QStringLiteral("-") : QString();
    if (a < 3600)
        return sign + Texts::tr("%1m", "minutes, short").arg(a / 60);
    const qint64 minutes = a % 3600 / 60;
    if (minutes == 0)
        return sign + Texts::tr("%1h", "hours, short").arg(a / 3600);
    return sign + Texts::tr("%1h %2m", "hours and minutes, short").arg(a / 3600).arg(minutes);
}

double decimalHours(double seconds)
{
    return std::round(double(wholeSeconds(seconds)) / 3600.0 * 100.0) / 100.0;
}

} // namespace zol::Duration
