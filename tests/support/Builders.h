#pragma once

#include "records/TimeEntry.h"
#include "support/Error.h"
#include "support/Timestamps.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimeZone>

#include <fcntl.h>
#include <sys/stat.h>

namespace zol::test {

inline QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// A finished project session of `minutes` starting at `start`.
inline TimeEntry session(const QDateTime& start, double minutes,
                         const QString& serial = QStringLiteral("2301"),
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

// Writes a whole file, making its folder first.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The file's bytes; none when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets the modification time of the entry itself, a link included, to the
// millisecond. Takes the name as bytes so that names that are not text work.
inline void setModified(const QByteArray& nativePath, const QDateTime& when)
{
    const qint64 ms = when.toMSecsSinceEpoch();
    const timespec time{time_t(ms / 1000), long(ms % 1000) * 1'000'000};
    const timespec times[2] = {time, time};
    QVERIFY(::utimensat(AT_FDCWD, nativePath.constData(), times, AT_SYMLINK_NOFOLLOW) == 0);
}

inline void setModified(const QString& path, const QDateTime& when)
{
    setModified(QFile::encodeName(path), when);
}

// The message of the `E` that `operation` throws; empty when it throws none.
template <typename E = Error, typename Operation> QString failureOf(Operation&& operation)
{
    try {
        operation();
    } catch (const E& error) {
        return error.message();
    }
    return {};
}

} // namespace zol::test
