#pragma once

#include "records/Project.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace zol {

// One tracked session. A plain value: equality compares all sixteen fields.
// Instants are UTC; durations are seconds.
struct TimeEntry
{
    QUuid id;
    // The computer it was tracked on.
    QString machineName;
    QDateTime startedAt;
    // Absent while the session runs.
    std::optional<QDateTime> endedAt;
    // Start of the pause in progress; absent when not paused.
    std::optional<QDateTime> pausedAt;
    // Total of the pauses that have ended.
    double pausedSeconds = 0;
    // The project's number; empty for internal work; may be a local key.
    QString projectSerial;
    // The project's name when tracked; for internal work, what the work was.
    QString projectName;
    bool isInternal = false;
    QString clientName;
    QString note;
    QString task;
    // When it was last handed in to the studio folder.
    std::optional<QDateTime> uploadedAt;
    QDateTime createdAt;
    QDateTime updatedAt;
    // Set when soft-deleted: hidden, never destroyed.
    std::optional<QDateTime> deletedAt;

    // The shortest session that is kept, in seconds.
    static constexpr double minimumRecorded = 60.0;

    // Seconds worked up to `now` (or to the end): the span less every pause,
    // never negative.
    double duration(const QDateTime& now) const;
    // The paused seconds, the pause in progress counted up to `upTo`.
    double pausedTime(const QDateTime& upTo) const;

    bool isOpen() const { return !endedAt.has_value(); }
    bool isPaused() const { return !endedAt && pausedAt; }
    bool isTicking() const { return !endedAt && !pausedAt; }
    bool isUploaded() const { return uploadedAt.has_value(); }
    // A finished session of less than a minute of work. An open one never is.
    bool isTooShortToKeep() const;

    // Starts a pause at `at`; only while ticking.
    void pause(const QDateTime& at);
    // Ends the pause in progress at `at`, counting no negative time.
    void resume(const QDateTime& at);
    // Ends an open session at `at` (never before its start). A session stopped
    // while paused ends where the pause began; the open pause is not counted.
    void stop(const QDateTime& at);

    // A copy booked on `project`: its number, name and client, not internal.
    TimeEntry moved(const Project& project, const QDateTime& now) const;
    // The project this session was booked on, as a record.
    Project project(const QDateTime& now) const;
    // The number to show, or the name for internal work and local keys.
    QString projectSerialForDisplay() const;

    // A new running session of internal work.
    static TimeEntry makeInternal(const QString& description, const QString& machineName,
                                  const QDateTime& startedAt, const QDateTime& now);

    // Whether the query occurs, folded, in the number shown, the client, the
    // project name, the note or the machine name. A blank query matches.
    bool matches(QStringView query) const;
    // The same test over the five fields as texts of any kind (the store's
    // search reads them straight off the row), `contains` telling whether one
    // field holds the query. `projectSerial` is given raw: internal work and
    // local keys are left out here.
    template <typename Text, typename Contains>
    static bool matchesFields(bool isInternal, const Text& projectSerial, const Text& clientName,
                              const Text& projectName, const Text& note, const Text& machineName,
                              Contains&& contains)
    {
        for (const Text* field : {&clientName, &projectName, &note, &machineName}) {
            if (!field->isEmpty() && contains(*field))
                return true;
        }
        return !isInternal && !projectSerial.isEmpty() && !Project::isLocalKey(projectSerial) &&
               contains(projectSerial);
    }

    // The computer's user-visible name; the host name when it has none.
    static QString currentMachineName();

    // Keys equal to the field names; timestamps as seconds since 2001; the four
    // optional timestamps are left out when absent.
    QJsonObject toJson() const;
    // Every key but the optional timestamps is required and must have its type.
    static std::optional<TimeEntry> fromJson(const QJsonObject& object);

    bool operator==(const TimeEntry& other) const = default;
};

size_t qHash(const TimeEntry& entry, size_t seed = 0);

} // namespace zol
