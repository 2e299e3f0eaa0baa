#pragma once

// Books with a believable fortnight of a studio designer's sessions, for the
// main window's tests and pictures: three client projects, internal work, a
// week handed in, and a session running this morning (the fixture's clock
// stands at Monday 2 March 2026, 09:00 UTC; the tests run in UTC).

#include "Books.h"
#include "CatalogueModel.h"
#include "store/EntryStore.h"

namespace zol::test {

inline const Project website =
    project(QStringLiteral("2302"), QStringLiteral("Website"), QStringLiteral("Bakkerij de Vries"),
            utc(2026, 1, 5), utc(2026, 1, 5));
inline const Project annualReport =
    project(QStringLiteral("2303"), QStringLiteral("Annual report"),
            QStringLiteral("Gemeente Delft"), utc(2026, 1, 12), utc(2026, 1, 12));

inline TimeEntry internal(const QDateTime& start, double minutes, const QString& what)
{
    TimeEntry e = session(start, minutes, QString(), what, QString());
    e.isInternal = true;
    return e;
}

inline TimeEntry noted(TimeEntry e, const QString& note, const QString& task = {})
{
    e.note = note;
    e.task = task;
    return e;
}

inline TimeEntry on(const Project& p, const QDateTime& start, double minutes,
                    const QString& note = {})
{
    return noted(session(start, minutes, p.serial, p.name, p.clientName), note);
}

struct SampleBooks
{
    // The sessions of the week of 23 February, handed in.
    QList<TimeEntry> lastWeek;
    // This morning: one finished, one running since 08:15.
    TimeEntry finishedToday;
    TimeEntry runningToday;

    explicit SampleBooks(Books& books)
    {
        EntryStore& store = books.store();
        for (const Project& p : {brandBook, website, annualReport})
            store.addManualProject(p);
        lastWeek = {
            on(brandBook, utc(2026, 2, 23, 9), 90, QStringLiteral("Logo sketches")),
            on(brandBook, utc(2026, 2, 23, 10, 45), 90, QStringLiteral("Colour options")),
            internal(utc(2026, 2, 23, 13), 60, QStringLiteral("Admin")),
            on(website, utc(2026, 2, 23, 14, 10), 170, QStringLiteral("Menu page")),
            on(website, utc(2026, 2, 24, 9, 15), 165),
            on(annualReport, utc(2026, 2, 24, 13), 210, QStringLiteral("Charts for chapter 2")),
            on(brandBook, utc(2026, 2, 25, 9), 120),
            internal(utc(2026, 2, 25, 11), 60, QStringLiteral("Studio meeting")),
            on(annualReport, utc(2026, 2, 25, 13), 270),
            on(annualReport, utc(2026, 2, 26, 8, 30), 240, QStringLiteral("Proofs")),
            on(annualReport, utc(2026, 2, 26, 13), 120),
            on(website, utc(2026, 2, 27, 9), 180, QStringLiteral("Launch checks")),
            internal(utc(2026, 2, 27, 14), 60, QStringLiteral("Admin")),
        };
        QList<QUuid> handedIn;
        for (const TimeEntry& e : std::as_const(lastWeek)) {
            store.save(e);
            handedIn.append(e.id);
        }
        store.markUploaded(handedIn, utc(2026, 2, 27, 17, 5));
        for (const TimeEntry& e :
             {on(brandBook, utc(2026, 2, 9, 9), 240), on(website, utc(2026, 2, 10, 10), 180),
              on(annualReport, utc(2026, 2, 16, 9), 300),
              internal(utc(2026, 2, 18, 9), 90, QStringLiteral("Admin"))})
            store.save(e);
        finishedToday =
            on(brandBook, utc(2026, 3, 2, 7, 30), 40, QStringLiteral("Cover, second round"));
        store.save(finishedToday);
        runningToday = running(utc(2026, 3, 2, 8, 15), website.serial);
        runningToday.projectName = website.name;
        runningToday.clientName = website.clientName;
        store.save(runningToday);
        books.model->catalogue()->reloadAllProjects();
        books.model->books().reloadTracker();
    }
};

} // namespace zol::test
