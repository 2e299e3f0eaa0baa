#include "store/EntryStore.h"

#include "store/EntryRows.h"
#include "store/EntryStoreTransaction.h"

namespace zol {

using Value = SQLiteDatabase::Value;

namespace {

using EntryRows::decodeProject;
using EntryRows::projectColumns;

const QString selectByKey = QStringLiteral("SELECT ") + projectColumns +
                            QStringLiteral(" FROM projects WHERE number_key = ?1;");

QList<Project> readProjects(SQLiteDatabase::Statement& statement)
{
    QList<Project> projects;
    while (statement.step())
        projects.append(decodeProject(statement));
    return projects;
}

// The stamp of a change made here, with now as parameter ?n: at least a second
// past the row's previous stamp. The catalogue files carry whole seconds, so
// an edit made within the second of the one before it would otherwise travel
// with the same stamp as what it replaces, and other machines would keep the
// older details.
QString laterStamp(int parameter)
{
    return QStringLiteral("MAX(?%1, updated_at + 1)").arg(parameter);
}

QString trimmedOfBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QList<Project> EntryStore::projects(bool includeInactive)
{
    QMutexLocker lock(&m_mutex);
    QString sql = QStringLiteral("SELECT ") + projectColumns + QStringLiteral(" FROM projects\n");
    if (!includeInactive)
        sql += QStringLiteral("WHERE is_active = 1");
    sql += QStringLiteral("\nORDER BY client_name COLLATE NOCASE, name COLLATE NOCASE;");
    SQLiteDatabase::Statement statement = m_database.prepare(sql);
    return readProjects(statement);
}

std::optional<Project> EntryStore::project(QStringView number)
{
    const QString normalized = Project::normalizedNumber(number);
    if (normalized.isEmpty())
        return std::nullopt;
    QMutexLocker lock(&m_mutex);
    return projectByKey(normalized);
}

QList<Project> EntryStore::projectsChanged(const QDateTime& since, int limit)
{
    QMutexLocker lock(&m_mutex);
    SQLiteDatabase::Statement statement =
        m_database.prepare(QStringLiteral("SELECT ") + projectColumns +
                               QStringLiteral(" FROM projects\n"
                                              "WHERE updated_at > ?1\n"
                                              "ORDER BY updated_at ASC LIMIT ?2;"),
                           {EntryRows::time(since), qint64(limit)});
    return readProjects(statement);
}

std::optional<Project> EntryStore::projectByKey(const QString& key)
{
    SQLiteDatabase::Statement statement = m_database.prepare(selectByKey, {key});
    if (!statement.step())
        return std::nullopt;
    return decodeProject(statement);
}

void EntryStore::addManualProject(const Project& project)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    m_database.run(
        QStringLiteral("INSERT INTO projects (serial, name, client_name, is_active, is_manual, "
                       "updated_at, created_at, number_key)\n"
                       "VALUES (?1,?2,?3,?4,1,?5,?6,?7)\n"
                       "ON CONFLICT(number_key) DO UPDATE SET\n"
                       "  name = excluded.name,\n"
                       "  client_name = excluded.client_name,\n"
                       "  is_active = excluded.is_active,\n"
                       "  updated_at = MAX(excluded.updated_at, projects.updated_at + 1),\n"
                       "  is_manual = 1,\n"
                       "  created_at = MIN(projects.created_at, excluded.created_at);"),
        {project.serial, project.name, project.clientName, qint64(project.isActive ? 1 : 0),
         EntryRows::time(project.updatedAt), EntryRows::time(project.createdAt),
         project.numberKey()});
    ++m_projectsRevision;
}

void EntryStore::setProjectActive(const QString& serial, bool isActive)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    m_database.run(QStringLiteral("UPDATE projects SET is_active = ?1, updated_at = ") +
                       laterStamp(2) + QStringLiteral(" WHERE serial = ?3;"),
                   {qint64(isActive ? 1 : 0), now(), serial});
    ++m_projectsRevision;
}

void EntryStore::deleteProject(const QString& serial)
{
    QMutexLocker lock(&m_mutex);
    aboutToWrite();
    m_database.run(QStringLiteral("DELETE FROM projects WHERE serial = ?1;"), {serial});
    ++m_projectsRevision;
}

namespace {

// The upsert of a project from elsewhere. `upstream` rows are the ones a
// refresh replaces (is_manual 0 when new); merged rows from other machines are
// kept as hand-made when new. An existing row keeps its is_manual either way.
QString projectUpsert(bool upstream)
{
    return QStringLiteral("INSERT INTO projects (serial, name, client_name, is_active, is_manual, "
                          "updated_at, created_at, number_key)\n"
                          "VALUES (?1,?2,?3,?4,") +
           (upstream ? u'0' : u'1') +
           QStringLiteral(",?5,?6,?7)\n"
                          "ON CONFLICT(number_key) DO UPDATE SET\n"
                          "  serial = excluded.serial,\n"
                          "  name = excluded.name,\n"
                          "  client_name = excluded.client_name,\n"
                          "  is_active = excluded.is_active,\n"
                          "  updated_at = excluded.updated_at,\n"
                          "  created_at = excluded.created_at;");
}

QList<Value> projectValues(const Project& project, const QDateTime& createdAt)
{
    return {project.serial,
            project.name,
            project.clientName,
            qint64(project.isActive ? 1 : 0),
            EntryRows::time(project.updatedAt),
            EntryRows::time(createdAt),
            project.numberKey()};
}

} // namespace

void EntryStore::replaceRemoteProjects(const QList<Project>& projects)
{
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        m_database.run(QStringLiteral("DELETE FROM projects WHERE is_manual = 0;"));
        SQLiteDatabase::Statement select = m_database.prepare(selectByKey);
        SQLiteDatabase::Statement upsert = m_database.prepare(projectUpsert(true));
        for (const Project& project : projects) {
            select.rebind({project.numberKey()});
            const std::optional<QString> spelling =
                select.step() ? std::optional(select.text(0)) : std::nullopt;
            upsert.rebind(projectValues(project, project.createdAt));
            upsert.step();
            if (spelling)
                respellSessions(*spelling, project.serial);
        }
    });
    ++m_projectsRevision;
}

int EntryStore::mergeProjects(const QList<Project>& projects)
{
    QMutexLocker lock(&m_mutex);
    const int written = transaction([&] {
        int count = 0;
        // Compiled once: a first pass over a studio merges thousands.
        SQLiteDatabase::Statement select = m_database.prepare(selectByKey);
        SQLiteDatabase::Statement upsert = m_database.prepare(projectUpsert(false));
        for (const Project& incoming : projects) {
            // Only real numbers travel.
            if (!incoming.isLinked())
                continue;
            select.rebind({incoming.numberKey()});
            const std::optional<Project> local =
                select.step() ? std::optional(decodeProject(select)) : std::nullopt;
            QDateTime createdAt = incoming.createdAt;
            if (local) {
                switch (incoming.claim(*local)) {
                case Project::Claim::youngerClaim:
                    // The older claim keeps the number.
                    continue;
                case Project::Claim::olderClaim:
                    // The number passes to the older claim, creation date and all.
                    break;
                case Project::Claim::sameLineage:
                    // Details follow the newest edit, edits of one second
                    // settled alike everywhere; the creation date stays.
                    if (!incoming.supersedes(*local))
                        continue;
                    createdAt = local->createdAt;
                    break;
                }
            }
            upsert.rebind(projectValues(incoming, createdAt));
            upsert.step();
            // Another computer's spelling of the number won: the sessions
            // here take it too.
            if (local)
                respellSessions(local->serial, incoming.serial);
            ++count;
        }
        return count;
    });
    if (written > 0)
        ++m_projectsRevision;
    return written;
}

EntryStore::Rekeyed EntryStore::rekeyProject(const QString& oldSerial, const QString& newSerial)
{
    const QString target = trimmedOfBlanks(newSerial);
    if (target.isEmpty() || target == oldSerial)
        return {oldSerial, false};

    const std::optional<Project> holder = projectByKey(Project::normalizedNumber(target));
    if (holder && holder->serial != oldSerial) {
        // The sessions join the project that already holds the number, under
        // its spelling of it.
        m_database.run(QStringLiteral("DELETE FROM projects WHERE serial = ?1;"), {oldSerial});
        m_database.run(
            QStringLiteral("UPDATE entries\n"
                           "SET project_serial = ?1, project_name = ?2, updated_at = ?3\n"
                           "WHERE project_serial = ?4;"),
            {holder->serial, holder->name, now(), oldSerial});
        return {holder->serial, false};
    }
    // A new number, or this project's own written another way.
    m_database.run(
        QStringLiteral("UPDATE projects SET serial = ?1, number_key = ?2 WHERE serial = ?3;"),
        {target, Project::normalizedNumber(target), oldSerial});
    respellSessions(oldSerial, target);
    return {target, true};
}

void EntryStore::respellSessions(const QString& oldSerial, const QString& newSerial)
{
    if (oldSerial == newSerial)
        return;
    m_database.run(QStringLiteral("UPDATE entries SET project_serial = ?1, updated_at = ?2\n"
                                  "WHERE project_serial = ?3;"),
                   {newSerial, now(), oldSerial});
}

void EntryStore::linkProject(const QString& localSerial, const QString& number)
{
    QMutexLocker lock(&m_mutex);
    transaction([&] {
        // A project that takes a number is news to the machines that hold the
        // number; one that joins an existing project changes nothing of it.
        if (const Rekeyed rekeyed = rekeyProject(localSerial, number); rekeyed.tookNumber) {
            m_database.run(QStringLiteral("UPDATE projects SET updated_at = ") + laterStamp(1) +
                               QStringLiteral(" WHERE serial = ?2;"),
                           {now(), rekeyed.serial});
        }
    });
    ++m_projectsRevision;
}

void EntryStore::updateProject(const QString& serial, const QString& name,
                               const QString& clientName, const QString& newSerial)
{
    const QString trimmedName = name.trimmed();
    const QString trimmedClient = clientName.trimmed();
    if (trimmedName.isEmpty())
        return;

    QMutexLocker lock(&m_mutex);
    transaction([&] {
        const QString key = rekeyProject(serial, newSerial).serial;
        const double stamp = now();
        m_database.run(
            QStringLiteral("UPDATE projects SET name = ?1, client_name = ?2, updated_at = ") +
                laterStamp(3) + QStringLiteral(" WHERE serial = ?4;"),
            {trimmedName, trimmedClient, stamp, key});
        m_database.run(
            QStringLiteral(
                "UPDATE entries SET project_name = ?1, client_name = ?2, updated_at = ?3\n"
                "WHERE project_serial = ?4;"),
            {trimmedName, trimmedClient, stamp, key});
    });
    ++m_projectsRevision;
}

} // namespace zol
