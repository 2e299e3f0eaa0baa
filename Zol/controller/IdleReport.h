#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QUuid>

namespace zol {

// Time the user was away from a running timer, waiting for their answer
// ("Keep it" or "Take it off").
struct IdleReport
{
    // When the away period began.
    QDateTime began;
    // Its length in seconds.
    double seconds = 0;
    // The session that was running.
    QUuid entryId;

    bool operator==(const IdleReport& other) const = default;
};

} // namespace zol
