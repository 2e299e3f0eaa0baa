#include "SharingModelState.h"

#include <QRegularExpression>

namespace zol {

namespace {

// n + " session" or " sessions".
QString sessionCount(int n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" session") : QStringLiteral(" sessions"));
}

// The locale's long date without the weekday and with the month abbreviated:
// "Monday, March 2, 2026" becomes "Mar 2, 2026", "maandag 2 maart 2026" "2 mrt 2026".
QString abbreviatedDateFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::LongFormat);
    static const QRegularExpression weekday(QStringLiteral("d{4}[,.]?\\s*"));
    format.remove(weekday);
    format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return format.trimmed();
}

// The locale's short time, without seconds where it has them (the C locale).
QString shortTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    static const QRegularExpression seconds(QStringLiteral("[:.]ss?"));
    format.remove(seconds);
    return format;
}

} // namespace

QString Connection::title() const
{
    switch (kind) {
    case Kind::shareReachable:
        if (peers == 0)
            return QStringLiteral("Studio folder · no one else yet");
        return QStringLiteral("Studio folder · ") + QString::number(peers) +
               (peers == 1 ? QStringLiteral(" other computer") : QStringLiteral(" other computers"));
    case Kind::shareUnreachable:
        return QStringLiteral("Studio folder unreachable");
    case Kind::localOnly:
        break;
    }
    return QStringLiteral("On this computer");
}

QString UploadState::stamp(const QDateTime& at, const QDateTime& now, const Calendar& calendar,
                           const QLocale& locale)
{
    const QDateTime local = calendar.local(at);
    const QString time = locale.toString(local.time(), shortTimeFormat(locale));
    if (calendar.day(at) == calendar.day(now))
        return QStringLiteral("today ") + time;
    return locale.toString(local.date(), abbreviatedDateFormat(locale)) + QStringLiteral(", ") +
           time;
}

QString UploadState::caption(bool automatic, const QDateTime& now, const Calendar& calendar,
                             const QLocale& locale) const
{
    switch (kind) {
    case Kind::neverUploaded:
        return sessionCount(sessions) + (automatic ? QStringLiteral(" · going up shortly")
                                                   : QStringLiteral(" · not uploaded"));
    case Kind::upToDate:
        return QStringLiteral("Uploaded ") + stamp(at, now, calendar, locale);
    case Kind::changedSince:
        return QStringLiteral("Uploaded ") + stamp(at, now, calendar, locale) +
               QStringLiteral(" · ") + QString::number(sessions) +
               (automatic ? QStringLiteral(" going up shortly") : QStringLiteral(" changed since"));
    case Kind::noSharedFolder:
        return QStringLiteral("No studio folder");
    case Kind::nothingTracked:
        break;
    }
    return QStringLiteral("Nothing tracked");
}

QString UploadState::buttonTitle(TimesheetPeriod::Kind period, bool automatic) const
{
    const QString upload = period == TimesheetPeriod::Kind::week ? QStringLiteral("Upload week")
                                                                 : QStringLiteral("Upload month");
    switch (kind) {
    case Kind::neverUploaded:
    case Kind::changedSince:
        return automatic ? QStringLiteral("Send now") : upload;
    case Kind::upToDate:
        return automatic ? QStringLiteral("Send again") : QStringLiteral("Upload again");
    case Kind::noSharedFolder:
    case Kind::nothingTracked:
        break;
    }
    return upload;
}

} // namespace zol
