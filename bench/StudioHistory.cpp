#include "StudioHistory.h"

#include "support/Timestamps.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace zol::bench {

namespace {

const QStringList& projectNames()
{
    static const QStringList names = {
        QStringLiteral("Huisstijl"),         QStringLiteral("Website"),
        QStringLiteral("Jaarverslag"),       QStringLiteral("Verpakking"),
        QStringLiteral("Campagne voorjaar"), QStringLiteral("Logo redesign"),
        QStringLiteral("Tentoonstelling"),   QStringLiteral("Menukaart"),
        QStringLiteral("Bewegwijzering"),    QStringLiteral("Magazine"),
        QStringLiteral("Social media"),      QStringLiteral("Catalogus"),
        QStringLiteral("Posterreeks"),       QStringLiteral("Brochure"),
    };
    return names;
}

const QStringList& clients()
{
    static const QStringList names = {
        QStringLiteral("Gemeente Utrecht"),
        QStringLiteral("Rijksmuseum"),
        QStringLiteral("Bakkerij Van der Meer"),
        QStringLiteral("Stichting Groene Hart"),
        QStringLiteral("Café Noël"),
        QStringLiteral("Zürich Verzekeringen"),
        QStringLiteral("Fietsfabriek"),
        QStringLiteral("Koffiebranderij Aroma"),
        QStringLiteral("Noordzee Visserij"),
        QStringLiteral("Theater Carré"),
        QStringLiteral("Brouwerij 't IJ"),
        QStringLiteral("Museum Het Valkhof"),
        QStringLiteral("Uitgeverij Prometheus"),
        QStringLiteral("Zorggroep Oost"),
        QStringLiteral("Boekhandel Broese"),
        QStringLiteral("Hogeschool Windesheim"),
    };
    return names;
}

const QStringList& phrases()
{
    static const QStringList words = {
        QStringLiteral("schetsen"),
        QStringLiteral("overleg met klant"),
        QStringLiteral("correcties verwerkt"),
        QStringLiteral("drukproef gecontroleerd"),
        QStringLiteral("logo varianten"),
        QStringLiteral("typografie"),
        QStringLiteral("beeldresearch"),
        QStringLiteral("presentatie voorbereid"),
        QStringLiteral("feedbackronde"),
        QStringLiteral("mail en planning"),
        QStringLiteral("export naar drukker"),
        QStringLiteral("fotoshoot"),
        QStringLiteral("coördinatie met drukkerij"),
        QStringLiteral("ideeën uitgewerkt"),
        QStringLiteral("kleurproef"),
        QStringLiteral("wireframes"),
        QStringLiteral("copy aangepast"),
        QStringLiteral("bestanden opgeschoond"),
    };
    return words;
}

const QStringList& internalWork()
{
    static const QStringList names = {
        QStringLiteral("Administratie"),
        QStringLiteral("Overleg intern"),
        QStringLiteral("Acquisitie"),
        QStringLiteral("Portfolio bijwerken"),
    };
    return names;
}

const QStringList& tasks()
{
    static const QStringList names = {
        QStringLiteral("Ontwerp"),
        QStringLiteral("Overleg"),
        QStringLiteral("Productie"),
        QStringLiteral("Onderzoek"),
    };
    return names;
}

} // namespace

StudioHistory::StudioHistory(const QDateTime& now)
    : m_now(now)
{
    const QDate today = now.date();
    int serialInYear = 0;
    int year = 0;
    for (int i = 130; i >= 0; --i) {
        const QDate start = today.addDays(-14 * i);
        if (start.year() != year) {
            year = start.year();
            serialInYear = 0;
        }
        ++serialInYear;
        const QString serial = QStringLiteral("%1%2")
                                   .arg(year % 100, 2, 10, QLatin1Char('0'))
                                   .arg(serialInYear, 2, 10, QLatin1Char('0'));
        m_projects.push_back({start, serial, pick(projectNames()), pick(clients())});
    }
}

void StudioHistory::generate(int count, int days, const std::function<void(const TimeEntry&)>& sink)
{
    const QDate today = m_now.date();
    const QDateTime newestStart = m_now.addSecs(-25 * 60);
    int made = 0;
    for (int d = 0; d < days; ++d) {
        const QDate day = today.addDays(d - days + 1);
        const int perDay = int(qint64(count) * (d + 1) / days - qint64(count) * d / days);
        // Working hours up to the newest start on the last day, 08:00-19:00 before.
        // Before 08:25 the last day's hours end before they would begin; then
        // they are the eleven before the newest start.
        const bool lastDay = d == days - 1;
        const QDateTime close = lastDay ? newestStart : QDateTime(day, QTime(19, 0), Qt::UTC);
        const QDateTime open =
            lastDay ? std::min(QDateTime(day, QTime(8, 0), Qt::UTC), close.addSecs(-11 * 3600))
                    : QDateTime(day, QTime(8, 0), Qt::UTC);
        const double slot = double(open.secsTo(close)) / std::max(perDay, 1);
        for (int s = 0; s < perDay; ++s) {
            ++made;
            const bool newest = made == count;
            const QDateTime start =
                newest ? newestStart : open.addMSecs(qint64((s + uniform(0, 0.2)) * slot * 1000));
            sink(session(day, start, newest ? 0 : slot * uniform(0.5, 0.75), newest));
        }
    }
}

void StudioHistory::fill(EntryStore& store, int count, int days)
{
    store.database().execute(QStringLiteral("BEGIN IMMEDIATE;"));
    try {
        generate(count, days, [&](const TimeEntry& e) { store.save(e); });
        store.database().execute(QStringLiteral("COMMIT;"));
    } catch (...) {
        store.database().execute(QStringLiteral("ROLLBACK;"));
        throw;
    }
    store.database().execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
}

double StudioHistory::uniform(double from, double to)
{
    return std::uniform_real_distribution<double>(from, to)(m_random);
}

bool StudioHistory::chance(double p)
{
    return uniform(0, 1) < p;
}

const QString& StudioHistory::pick(const QStringList& list)
{
    return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(m_random)];
}

const StudioHistory::ProjectInfo& StudioHistory::projectOn(QDate day)
{
    size_t first = 0;
    size_t last = 0;
    for (size_t i = 0; i < m_projects.size(); ++i) {
        if (m_projects[i].start <= day.addDays(-183))
            first = i + 1;
        if (m_projects[i].start <= day)
            last = i;
    }
    first = std::min(first, last);
    return m_projects[std::uniform_int_distribution<size_t>(first, last)(m_random)];
}

QString StudioHistory::note()
{
    QStringList parts;
    const int n = int(uniform(0, 3.2));
    for (int i = 0; i < n; ++i)
        parts.append(pick(phrases()));
    if (chance(1.0 / 2000))
        parts.append(QStringLiteral("zeppelin als beeldmerk"));
    return parts.join(QStringLiteral(", "));
}

TimeEntry StudioHistory::session(QDate day, const QDateTime& start, double seconds, bool running)
{
    TimeEntry e;
    e.id = newUuid();
    e.machineName = day < m_now.date().addYears(-2) ? QStringLiteral("studio-imac")
                                                    : QStringLiteral("sanne-mbp");
    e.startedAt = start;
    if (chance(0.08)) {
        e.isInternal = true;
        e.projectName = pick(internalWork());
    } else {
        const ProjectInfo& project = projectOn(day);
        e.projectSerial = project.serial;
        e.projectName = project.name;
        e.clientName = project.client;
    }
    e.note = note();
    e.task = chance(0.6) ? pick(tasks()) : QString();
    e.createdAt = start;
    e.updatedAt = start;
    if (!running) {
        const QDateTime end = start.addMSecs(qint64(seconds * 1000));
        e.endedAt = end;
        if (chance(0.1))
            e.pausedSeconds = std::floor(uniform(0.05, 0.2) * seconds);
        if (end < m_now.addDays(-7))
            e.uploadedAt = end.addDays(2);
        if (chance(0.015))
            e.deletedAt = end.addSecs(3600);
        e.updatedAt = end;
    }
    return e;
}

} // namespace zol::bench
