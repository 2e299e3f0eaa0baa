#include "support/Timestamps.h"

#include <QTimeZone>

#include <cmath>

namespace zol {

namespace {

constexpr qint64 referenceDate2001 = 978307200; // 2001-01-01T00:00:00Z in Unix seconds

bool digitsAt(QStringView text, qsizetype from, qsizetype count, int* value)
{
    int v = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + int(c - u'0');
    }
    *value = v;
    return true;
}

} // namespace

double secondsSince1970(const QDateTime& instant)
{
    return double(instant.toMSecsSinceEpoch()) / 1000.0;
}

QDateTime fromSecondsSince1970(double seconds)
{
    if (!std::isfinite(seconds))
        seconds = 0;
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000.0), Qt::UTC);
}

double secondsSince2001(const QDateTime& instant)
{
    return secondsSince1970(instant) - double(referenceDate2001);
}

QDateTime fromSecondsSince2001(double seconds)
{
    return fromSecondsSince1970(seconds + double(referenceDate2001));
}

QString iso8601(const QDateTime& instant)
{
    const qint64 ms = instant.toMSecsSinceEpoch();
    const qint64 wholeSeconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    return QDateTime::fromSecsSinceEpoch(wholeSeconds, Qt::UTC)
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss'Z'"));
}

std::optional<QDateTime> parseIso8601(QStringView text)
{
    // 2025-03-14T09:26:53Z or 2025-03-14T09:26:53+01:00
    if (text.size() != 20 && text.size() != 25)
        return std::nullopt;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!digitsAt(text, 0, 4, &year) || text[4] != u'-' || !digitsAt(text, 5, 2, &month)
        || text[7] != u'-' || !digitsAt(text, 8, 2, &day) || text[10] != u'T'
        || !digitsAt(text, 11, 2, &hour) || text[13] != u':' || !digitsAt(text, 14, 2, &minute)
        || text[16] != u':' || !digitsAt(text, 17, 2, &second))
        return std::nullopt;

    int offsetSeconds = 0;
    if (text.size() == 20) {
        if (text[19] != u'Z')
            return std::nullopt;
    } else {
        const QChar sign = text[19];
        int offsetHours = 0, offsetMinutes = 0;
        if ((sign != u'+' && sign != u'-') || !digitsAt(text, 20, 2, &offsetHours)
            || text[22] != u':' || !digitsAt(text, 23, 2, &offsetMinutes) || offsetHours > 23
            || offsetMinutes > 59)
            return std::nullopt;
        offsetSeconds = (offsetHours * 3600 + offsetMinutes * 60) * (sign == u'-' ? -1 : 1);
    }

    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const QDateTime utc(date, QTime(hour, minute, second), Qt::UTC);
    return utc.addSecs(-offsetSeconds);
}

QString uuidText(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> parseUuid(QStringView text)
{
    const QUuid id = QUuid::fromString(text);
    if (id.isNull())
        return std::nullopt;
    return id;
}

QUuid newUuid()
{
    return QUuid::createUuid();
}

} // namespace zol
