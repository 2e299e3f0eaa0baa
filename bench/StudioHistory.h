#pragma once

#include "records/TimeEntry.h"
#include "store/EntryStore.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <random>
#include <vector>

namespace zol::bench {

// Sessions as a Dutch design studio tracks them: a new project every two weeks,
// numbered by year and running for about half a year; clients and notes mostly
// in plain ASCII with some accented names; some internal work, some deleted
// sessions; everything older than a week handed in. The word "zeppelin"
// appears in about one note in two thousand, "logo" in about one session in
// eight (project names and notes). Every run makes the same history but for
// the session ids.
class StudioHistory
{
public:
    static constexpr auto rareWord = "zeppelin";
    static constexpr auto commonWord = "logo";

    explicit StudioHistory(const QDateTime& now);

    // Calls `sink` with `count` sessions spread evenly over the `days` days up
    // to the day of `now`, oldest first, within working hours (UTC). The newest
    // is still running, started 25 minutes before `now`.
    void generate(int count, int days, const std::function<void(const TimeEntry&)>& sink);

    // Saves such a history through `store`, in one transaction on its
    // connection, then empties the write-ahead log as a long-used file's would be.
    void fill(EntryStore& store, int count, int days);

private:
    struct ProjectInfo
    {
        QDate start;
        QString serial;
        QString name;
        QString client;
    };

    double uniform(double from, double to);
    bool chance(double p);
    const QString& pick(const QStringList& list);
    // One of the projects running on `day`: started within the last half year.
    const ProjectInfo& projectOn(QDate day);
    QString note();
    TimeEntry session(QDate day, const QDateTime& start, double seconds, bool running);

    QDateTime m_now;
    std::vector<ProjectInfo> m_projects;
    std::mt19937 m_random{20'240'611};
};

} // namespace zol::bench
