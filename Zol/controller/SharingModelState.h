#pragma once

#include "formats/TimesheetPeriod.h"
#include "support/Calendar.h"

#include <QDateTime>
#include <QLocale>
#include <QMetaType>
#include <QString>

namespace zol {

// The studio-folder badge: whether the open books share, and how the last
// sync went.
struct Connection
{
    enum class Kind { shareReachable, shareUnreachable, localOnly };

    Kind kind = Kind::localOnly;
    // Other machines seen by the last sync (shareReachable).
    int peers = 0;
    // The last sync error's text (shareUnreachable).
    QString error;

    static Connection reachable(int peers) { return {Kind::shareReachable, peers, {}}; }
    static Connection unreachable(const QString& error)
    {
        return {Kind::shareUnreachable, 0, error};
    }
    static Connection localOnly() { return {}; }

    // "Studio folder · 2 other computers", "Studio folder unreachable", "On this computer".
    QString title() const;

    bool operator==(const Connection& other) const = default;
};

// The upload control of the period on screen.
struct UploadState
{
    enum class Kind { neverUploaded, upToDate, changedSince, noSharedFolder, nothingTracked };

    Kind kind = Kind::nothingTracked;
    // When the period's file was written (upToDate, changedSince).
    QDateTime at;
    // Sessions in the period (neverUploaded) or changed since (changedSince).
    int sessions = 0;

    static UploadState neverUploaded(int sessions) { return {Kind::neverUploaded, {}, sessions}; }
    static UploadState upToDate(const QDateTime& at) { return {Kind::upToDate, at, 0}; }
    static UploadState changedSince(const QDateTime& at, int sessions)
    {
        return {Kind::changedSince, at, sessions};
    }
    static UploadState noSharedFolder() { return {Kind::noSharedFolder, {}, 0}; }
    static UploadState nothingTracked() { return {}; }

    // The line under the control: "3 sessions · going up shortly", "Uploaded
    // today 14:05 · 2 changed since". `automatic` is whether the period goes up
    // by itself; `now` and `calendar` decide what "today" is, `locale` how a
    // date and a time read.
    QString caption(bool automatic, const QDateTime& now, const Calendar& calendar = Calendar(),
                    const QLocale& locale = QLocale()) const;
    // The button: "Send now", "Upload week", "Send again", "Upload again".
    QString buttonTitle(TimesheetPeriod::Kind period, bool automatic) const;

    // "today 14:05" for an instant of today, else the abbreviated date and the
    // short time in the locale ("2 Mar 2026, 09:00").
    static QString stamp(const QDateTime& at, const QDateTime& now, const Calendar& calendar,
                         const QLocale& locale);

    bool operator==(const UploadState& other) const = default;
};

} // namespace zol

Q_DECLARE_METATYPE(zol::Connection)
Q_DECLARE_METATYPE(zol::UploadState)
