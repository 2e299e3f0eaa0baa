#include "store/BackupCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::core::BackupCopy)
};

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Every row of the check, "ok" alone when the file is sound; the library's
// message when the damage stops the check itself.
QString quickCheck(SQLiteDatabase& database)
{
    QStringList rows;
    try {
        SQLiteDatabase::Statement check = database.prepare(QStringLiteral("PRAGMA quick_check;"));
        while (check.step())
            rows.append(check.text(0));
    } catch (const SQLiteDatabase::Error& error) {
        if (error.code() != SQLITE_CORRUPT)
            throw;
        rows.append(error.message());
    }
    return rows.join(u"; ");
}

void syncPath(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A temporary file that is removed unless it was renamed into place.
struct Partial
{
    QString path;
    bool kept = false;
    ~Partial()
    {
        if (!kept)
            QFile::remove(path);
    }
};

// Opens a file read-only without ever writing beside it: a copy is never
// changed after it is renamed into place, so SQLite may treat it as such.
std::unique_ptr<SQLiteDatabase> openUntouched(const QString& path)
{
    QString uri =
        QStringLiteral("file:") +
        QString::fromUtf8(QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/")) +
        QStringLiteral("?immutable=1");
    return std::make_unique<SQLiteDatabase>(uri, SQLiteDatabase::Mode::readOnly);
}

// Runs `step`, reporting a library error that means damaged books as Damaged.
template <typename Step> void readingBooks(const QString& source, Step step)
{
    try {
        step();
    } catch (const SQLiteDatabase::Error& error) {
        if (error.code() != SQLITE_CORRUPT && error.code() != SQLITE_NOTADB)
            throw;
        throw BackupCopy::Damaged(
            Texts::tr("The books at %1 are damaged (%2).").arg(source, error.message()));
    }
}

} // namespace

BackupCopy::BackupCopy(const QString& databasePath)
    : m_source(databasePath)
    , m_database(std::make_unique<SQLiteDatabase>(databasePath, SQLiteDatabase::Mode::readOnly))
{
    // The first read of a transaction fixes what it sees until it ends.
    readingBooks(m_source, [&] {
        m_database->execute(QStringLiteral("BEGIN; SELECT count(*) FROM sqlite_schema;"));
    });
}

BackupCopy::~BackupCopy() = default;

void BackupCopy::write(const QString& target)
{
    const QFileInfo info(target);
    Partial partial{info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                    QStringLiteral(".partial")};
    {
        // Owner-only before SQLite opens it: SQLite keeps an existing file's mode.
        QFile::remove(partial.path);
        const int fd = ::open(QFile::encodeName(partial.path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            throw Error(
                Texts::tr("Could not write %1: %2.").arg(partial.path, systemMessage(errno)));
        ::close(fd);

        SQLiteDatabase copy(partial.path, SQLiteDatabase::Mode::scratch);
        readingBooks(m_source, [&] { copy.copyFrom(*m_database); });
        // The pages carry the books' WAL mark; a copy is one plain file.
        copy.execute(QStringLiteral("PRAGMA journal_mode = DELETE;"));
        const QString verdict = quickCheck(copy);
        if (verdict != u"ok")
            throw Damaged(Texts::tr("The books at %1 failed their integrity check (%2).")
                              .arg(m_source, verdict));
    }
    m_database.reset();
    syncPath(partial.path, O_RDONLY);
    if (::rename(QFile::encodeName(partial.path).constData(),
                 QFile::encodeName(target).constData()) != 0)
        throw Error(Texts::tr("Could not write %1: %2.").arg(target, systemMessage(errno)));
    partial.kept = true;
    syncPath(info.absolutePath(), O_RDONLY | O_DIRECTORY);
}

void BackupCopy::verify(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        throw Error(Texts::tr("There is no file %1.").arg(shown));
    const QString notBooks = Texts::tr("%1 is not a Zol database; nothing was changed.").arg(shown);
    std::unique_ptr<SQLiteDatabase> database;
    QString verdict;
    QSet<QString> tables;
    try {
        database = std::make_unique<SQLiteDatabase>(path, SQLiteDatabase::Mode::readOnly);
        verdict = quickCheck(*database);
        SQLiteDatabase::Statement names = database->prepare(
            QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table';"));
        while (names.step())
            tables.insert(names.text(0));
    } catch (const SQLiteDatabase::Error& error) {
        if (error.code() == SQLITE_NOTADB)
            throw Error(notBooks);
        throw Error(
            Texts::tr("%1 cannot be read (%2); nothing was changed.").arg(shown, error.message()));
    }
    if (verdict != u"ok")
        throw Error(Texts::tr("%1 is damaged (%2); nothing was changed.").arg(shown, verdict));
    if (!tables.contains(QStringLiteral("entries")) || !tables.contains(QStringLiteral("projects")))
        throw Error(notBooks);
    // Every column the oldest books already had.
    SQLiteDatabase::Statement columns =
        database->prepare(QStringLiteral("PRAGMA table_info(entries);"));
    QSet<QString> names;
    while (columns.step())
        names.insert(columns.text(1));
    for (const char16_t* needed : {u"id", u"machine_name", u"started_at", u"ended_at",
                                   u"project_serial", u"project_name", u"created_at"}) {
        if (!names.contains(QString::fromUtf16(needed)))
            throw Error(notBooks);
    }
}

std::optional<qint64> BackupCopy::sessionsIn(const QString& path)
{
    try {
        const std::unique_ptr<SQLiteDatabase> database = openUntouched(path);
        const bool deletable = [&] {
            SQLiteDatabase::Statement columns =
                database->prepare(QStringLiteral("PRAGMA table_info(entries);"));
            while (columns.step()) {
                if (columns.text(1) == u"deleted_at")
                    return true;
            }
            return false;
        }();
        SQLiteDatabase::Statement count = database->prepare(
            deletable ? QStringLiteral("SELECT count(*) FROM entries WHERE deleted_at IS NULL;")
                      : QStringLiteral("SELECT count(*) FROM entries;"));
        if (count.step())
            return count.integer(0);
    } catch (const Error&) {
    }
    return std::nullopt;
}

} // namespace zol
