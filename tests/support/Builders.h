#pragma once

#include "records/TimeEntry.h"
#include "support/Timestamps.h"

#include <QTimeZone>

namespace zol::test {

inline QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// A finished project session of `minutes` starting at `start`.
inline TimeEntry session(const QDateTime& start, double minutes, const QString& serial = QStringLiteral("2301"),
                         const QString& name = QStringLiteral("Brand book"),
                         const QString& client = QStringLiteral("Acme"))
{
    TimeEntry e;
    e.id = newUuid();
    e.machineName = QStringLiteral("studio-mac");
    e.startedAt = start;
    e.endedAt = start.addMSecs(qint64(minutes * 60'000));
    e.projectSerial = serial;
    e.projectName = name;
    e.clientName = client;
    e.createdAt = start;
    e.updatedAt = start;
    return e;
}

// A session that is still running.
inline TimeEntry running(const QDateTime& start, const QString& serial = QStringLiteral("2301"))
{
    TimeEntry e = session(start, 0, serial);
    e.endedAt.reset();
    return e;
}

inline Project project(const QString& serial, const QString& name, const QString& client,
                       const QDateTime& createdAt, const QDateTime& updatedAt, bool isActive = true)
{
    return Project{serial, name, client, isActive, updatedAt, createdAt};
}

} // namespace zol::test
