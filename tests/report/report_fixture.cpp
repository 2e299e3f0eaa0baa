// Writes the HTML reports the browser tests open, from snapshots built here:
//
//   report_fixture FOLDER
//
// FOLDER/week.html        2025-W11, with a hostile note and a CSV link
// FOLDER/week-query.html  the same week searched for "acme"
// FOLDER/month.html       March 2025 (31 days, 35 projects)
// FOLDER/year.html        2025, a few thousand sessions, nothing in August
// FOLDER/empty.html       2025-W33, a week without sessions
// FOLDER/year-60k.html    2026 with 60,000 sessions
//
// Days are worked out in Amsterdam time, whatever the machine's zone, so the
// pages are the same everywhere and a day's start is not midnight UTC.

#include "formats/TimesheetPeriod.h"
#include "reports/HTMLReport.h"
#include "reports/StudioHours.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTimeZone>

#include <cstdio>

using zol::StudioHours;
using zol::TimesheetPeriod;

namespace {

const zol::Calendar amsterdam(QTimeZone(QByteArrayLiteral("Europe/Amsterdam")));

// What the hostile-note checks look for: it must arrive as text.
const auto hostileNote = QStringLiteral("</script><img src=x onerror=\"window.__pwned=1\">");

struct Session
{
    QString person;
    QDate day;
    double seconds;
    QString number;
    QString client;
    QString project;
    QString task = {};
    QString note = {};
    bool internal = false;
};

StudioHours::Record record(const QString& id, const Session& s)
{
    StudioHours::Record r;
    r.id = id;
    r.person = s.person;
    r.day = amsterdam.startOfDay(s.day);
    r.seconds = s.seconds;
    r.projectNumber = s.number;
    r.clientName = s.client;
    r.projectName = s.project;
    r.isInternal = s.internal;
    r.task = s.task;
    r.note = s.note;
    r.computer = QStringLiteral("studio-mac");
    return r;
}

const QStringList people{
    QStringLiteral("Anna de Vries"), QStringLiteral("Bram Jansen"), QStringLiteral("Chloé Martin"),
    QStringLiteral("Dirk"),          QStringLiteral("Eva Smit"),    QStringLiteral("Femke Bos"),
};

// Week 11 of 2025 (10–16 March): 10h on Monday, one minute on Sunday, nothing
// on Saturday; Eva and Femke hand nothing in.
QList<Session> weekSessions()
{
    const auto d = [](int day) { return QDate(2025, 3, day); };
    return {
        {people[0], d(10), 14400, QStringLiteral("2301"), QStringLiteral("Acme"),
         QStringLiteral("Brand book"), QStringLiteral("Design"), QStringLiteral("Cover sketches")},
        {people[1], d(10), 10800, QStringLiteral("2301"), QStringLiteral("Acme"),
         QStringLiteral("Brand book"), QStringLiteral("Design")},
        {people[2], d(10), 10800, {}, {}, QStringLiteral("Studio admin"), {}, {}, true},
        {people[0], d(11), 9000, QStringLiteral("2302"), QStringLiteral("Globex"),
         QStringLiteral("Website"), QStringLiteral("Development"), hostileNote},
        {people[1], d(12), 4500, QStringLiteral("2302"), QStringLiteral("Globex"),
         QStringLiteral("Website"), QStringLiteral("Development")},
        {people[2], d(13), 2700, {}, QStringLiteral("Initech"), QStringLiteral("Pitch deck")},
        {people[3], d(16), 59.5, QStringLiteral("2303"), QStringLiteral("Umbrella"),
         QStringLiteral("Café menu"), QStringLiteral("Design"), QStringLiteral("Crème brûlée")},
    };
}

// The rest of March: thirty small projects on the 17th to the 30th, so the
// month has 35 projects and its tallest day stays Monday the 10th.
QList<Session> restOfMarch()
{
    QList<Session> sessions;
    for (int i = 0; i < 30; ++i) {
        sessions.append({people[i % 4], QDate(2025, 3, 17 + i % 14), (i + 1) * 300.0,
                         QString::number(2401 + i), QStringLiteral("Client %1").arg(i + 1),
                         QStringLiteral("Project %1").arg(i + 1), QStringLiteral("Design")});
    }
    return sessions;
}

StudioHours::Snapshot snapshotOf(const QList<Session>& sessions, const QStringList& folks)
{
    StudioHours::Snapshot snapshot;
    snapshot.calendar = amsterdam;
    snapshot.people = folks;
    snapshot.readAt = QDateTime(QDate(2025, 4, 1), QTime(7, 30), Qt::UTC);
    for (qsizetype i = 0; i < sessions.size(); ++i)
        snapshot.records.append(record(QStringLiteral("S-%1").arg(i + 1), sessions[i]));
    return snapshot;
}

// 2025: ten sessions every working day except in August, on top of March's.
StudioHours::Snapshot yearSnapshot()
{
    QList<Session> sessions = weekSessions() + restOfMarch();
    const QStringList tasks{QStringLiteral("Design"), QStringLiteral("Development"), {}};
    for (QDate day(2025, 1, 1); day.year() == 2025; day = day.addDays(1)) {
        if (day.month() == 8 || day.dayOfWeek() > 5)
            continue;
        for (int i = 0; i < 10; ++i) {
            const int project = (day.dayOfYear() + i) % 12;
            sessions.append({people[i % 4], day, 1800.0 + 300 * (i % 5),
                             QString::number(2501 + project),
                             QStringLiteral("Client %1").arg(project % 5 + 1),
                             QStringLiteral("Job %1").arg(project + 1), tasks[i % 3]});
        }
    }
    return snapshotOf(sessions, people);
}

// A busy studio's year: 60,000 sessions of 24 people over 2026.
StudioHours::Snapshot bigYearSnapshot()
{
    QRandomGenerator random(2026);
    QStringList names;
    for (int i = 0; i < 24; ++i)
        names.append(QStringLiteral("Person %1").arg(i + 1));
    const QStringList words{QStringLiteral("sketches"),
                            QStringLiteral("review"),
                            QStringLiteral("call with the client"),
                            QStringLiteral("revisions"),
                            QStringLiteral("print proofs"),
                            QStringLiteral("café photos")};
    QList<Session> sessions;
    sessions.reserve(60'000);
    for (int i = 0; i < 60'000; ++i) {
        const int project = int(random.bounded(400));
        const bool internal = project < 8;
        sessions.append(
            {names[int(random.bounded(24))], QDate(2026, 1, 1).addDays(int(random.bounded(365))),
             double(600 + random.bounded(4 * 3600)),
             internal ? QString() : QString::number(3000 + project),
             internal ? QString() : QStringLiteral("Client %1").arg(project % 60 + 1),
             internal ? QStringLiteral("Studio admin") : QStringLiteral("Job %1").arg(project + 1),
             QStringLiteral("Task %1").arg(random.bounded(20)),
             words[int(random.bounded(words.size()))] + u' ' + QString::number(i), internal});
    }
    return snapshotOf(sessions, names);
}

bool write(const QDir& folder, const QString& name, const QString& html)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(html.toUtf8()) < 0) {
        std::fprintf(stderr, "report_fixture: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: report_fixture FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "report_fixture: cannot create %s\n", argv[1]);
        return 1;
    }

    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QDateTime now(QDate(2025, 4, 1), QTime(7, 30), Qt::UTC);
    const auto period = [](TimesheetPeriod::Kind kind, QDate day) {
        return TimesheetPeriod(kind, amsterdam.startOfDay(day), amsterdam);
    };
    const QString studio = QStringLiteral("Noord & Zuid <Studio>");

    const StudioHours::Snapshot year = yearSnapshot();
    const StudioHours::Snapshot march = snapshotOf(weekSessions() + restOfMarch(), people);
    const TimesheetPeriod week = period(TimesheetPeriod::Kind::week, QDate(2025, 3, 12));

    bool ok = true;
    ok &= write(folder, QStringLiteral("week.html"),
                zol::HTMLReport::make(march, week, studio, {}, QStringLiteral("sessions.csv"), now,
                                      british));
    ok &= write(folder, QStringLiteral("week-query.html"),
                zol::HTMLReport::make(march, week, studio, u"acme", std::nullopt, now, british));
    ok &=
        write(folder, QStringLiteral("month.html"),
              zol::HTMLReport::make(march, period(TimesheetPeriod::Kind::month, QDate(2025, 3, 1)),
                                    studio, {}, std::nullopt, now, british));
    ok &= write(folder, QStringLiteral("year.html"),
                zol::HTMLReport::make(year, period(TimesheetPeriod::Kind::year, QDate(2025, 6, 1)),
                                      studio, {}, std::nullopt, now, british));
    ok &= write(folder, QStringLiteral("empty.html"),
                zol::HTMLReport::make(year, period(TimesheetPeriod::Kind::week, QDate(2025, 8, 13)),
                                      studio, {}, std::nullopt, now, british));
    ok &= write(folder, QStringLiteral("year-60k.html"),
                zol::HTMLReport::make(
                    bigYearSnapshot(), period(TimesheetPeriod::Kind::year, QDate(2026, 6, 1)),
                    QStringLiteral("Busy Studio"), {}, std::nullopt, now, british));
    return ok ? 0 : 1;
}
