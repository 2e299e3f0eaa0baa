#include "SharingModelState.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::SharingModelState)
};

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
            return Texts::tr("Studio folder · no one else yet");
        return Texts::tr("Studio folder · %n other computers", nullptr, peers);
    case Kind::shareUnreachable:
        return Texts::tr("Studio folder unreachable");
    case Kind::localOnly:
        break;
    }
    return Texts::tr("On this computer");
}

QString UploadState::stamp(const QDateTime& at, const QDateTime& now, const Calendar& calendar,
                           const QLocale& locale)
{
    const QDateTime local = calendar.local(at);
    const QString time = locale.toString(local.time(), shortTimeFormat(locale));
    if (calendar.day(at) == calendar.day(now))
        //: %1 is a time of today: "today 14:05".
        return Texts::tr("today %1").arg(time);
    return locale.toString(local.date(), abbreviatedDateFormat(locale)) + QStringLiteral(", ") +
           time;
}

QString UploadState::caption(bool automatic, const QDateTime& now, const Calendar& calendar,
                             const QLocale& locale) const
{
    switch (kind) {
    case Kind::neverUploaded:
        return automatic ? Texts::tr("%n sessions · going up shortly", nullptr, sessions)
                         : Texts::tr("%n sessions · not uploaded", nullptr, sessions);
    case Kind::upToDate:
        //: %1 is when: "today 14:05" or "2 Mar 2026, 09:00".
        return Texts::tr("Uploaded %1").arg(stamp(at, now, calendar, locale));
    case Kind::changedSince:
        return (automatic ? Texts::tr("Uploaded %1 · %n going up shortly", nullptr, sessions)
                          : Texts::tr("Uploaded %1 · %n changed since", nullptr, sessions))
            .arg(stamp(at, now, calendar, locale));
    case Kind::noSharedFolder:
        return Texts::tr("No studio folder");
    case Kind::nothingTracked:
        break;
    }
    return Texts::tr("Nothing tracked");
}

QString UploadState::buttonTitle(TimesheetPeriod::Kind period, bool automatic) const
{
    const QString upload = period == TimesheetPeriod::Kind::week ? Texts::tr("Upload week")
                                                                 : Texts::tr("Upload month");
    switch (kind) {
    case Kind::neverUploaded:
    case Kind::changedSince:
        return automatic ? Texts::tr("Send now") : upload;
    case Kind::upToDate:
        return automatic ? Texts::tr("Send again") : Texts::tr("Upload again");
    case Kind::noSharedFolder:
    case Kind::nothingTracked:
        break;
    }
    return upload;
}

} // namespace zol
