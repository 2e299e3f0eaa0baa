// The machine's own file system as the studio folder uses it: listings that
// show hidden names and links for what they are, reads that refuse what is too
// big or not a file, removal that never follows a link out, and the catalogue
// write with its fallbacks for shares that will not rename over a file.

#include "CountingFileSystem.h"
#include "share/FileSystem.h"
#include "share/SharedCatalog.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zol;
using namespace zol::test;

namespace {

QByteArray nativeOf(const QString& path)
{
    return QFile::encodeName(path);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void link(const QString& target, const QString& path)
{
    QVERIFY(::symlink(nativeOf(target).constData(), nativeOf(path).constData()) == 0);
}

// Sets the modification time of the entry itself, a link included.
void setModified(const QString& path, const QDateTime& instant)
{
    const qint64 ms = instant.toMSecsSinceEpoch();
    const timespec times[2] = {{ms / 1000, (ms % 1000) * 1'000'000},
                               {ms / 1000, (ms % 1000) * 1'000'000}};
    QVERIFY(::utimensat(AT_FDCWD, nativeOf(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0);
}

// "folder", "link", "link to folder" or "file", then the size and the time.
QString describe(const FileSystem::Entry& entry)
{
    const QString kind =
        entry.isLink ? (entry.isFolder ? QStringLiteral("link to folder") : QStringLiteral("link"))
                     : (entry.isFolder ? QStringLiteral("folder") : QStringLiteral("file"));
    return kind + u' ' + QString::number(entry.size) + u' ' +
           (entry.modified ? entry.modified->toString(Qt::ISODateWithMs) : QStringLiteral("-"));
}

QStringList leftoverTemporaries(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden);
}

QString failureOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const FileSystemError& error) {
        return error.message();
    }
    return QStringLiteral("<no failure>");
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

    FileSystem& local = FileSystem::local();
    std::unique_ptr<QTemporaryDir> m_root;

    QString path(const QString& name) const { return m_root->filePath(name); }

private Q_SLOTS:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        ::umask(022);
    }

    void listingShowsHiddenNamesLinksSizesAndExactTimes()
    {
        const QString folder = path(QStringLiteral("peer"));
        const QString outside = path(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        QVERIFY(QDir().mkpath(outside));
        writeFile(folder + QStringLiteral("/meta.json"), "12345");
        writeFile(folder + QStringLiteral("/.person.json"), "{}");
        writeFile(folder + QStringLiteral("/Zoë.json"), QByteArray());
        link(outside, folder + QStringLiteral("/outside"));
        link(QStringLiteral("meta.json"), folder + QStringLiteral("/alias.json"));
        link(QStringLiteral("nowhere"), folder + QStringLiteral("/dangling"));
        const QDateTime fileTime =
            QDateTime::fromString(QStringLiteral("2025-03-14T09:26:53.250Z"), Qt::ISODateWithMs);
        const QDateTime linkTime = fileTime.addSecs(-3600);
        for (const QString& name : {QStringLiteral("meta.json"), QStringLiteral(".person.json"),
                                    QStringLiteral("Zoë.json"), QStringLiteral("sub")})
            setModified(folder + u'/' + name, fileTime);
        setModified(outside, fileTime);
        for (const QString& name :
             {QStringLiteral("outside"), QStringLiteral("alias.json"), QStringLiteral("dangling")})
            setModified(folder + u'/' + name, linkTime);

        QMap<QString, QString> listed;
        for (const FileSystem::Entry& entry : local.list(folder))
            listed.insert(entry.name, describe(entry));
        const QString at = u' ' + fileTime.toString(Qt::ISODateWithMs);
        const QString linkAt = u' ' + linkTime.toString(Qt::ISODateWithMs);
        const QMap<QString, QString> expected{
            {QStringLiteral("meta.json"), QStringLiteral("file 5") + at},
            {QStringLiteral(".person.json"), QStringLiteral("file 2") + at},
            {QStringLiteral("Zoë.json"), QStringLiteral("file 0") + at},
            {QStringLiteral("sub"), QStringLiteral("folder -1") + at},
            {QStringLiteral("outside"), QStringLiteral("link to folder -1") + linkAt},
            {QStringLiteral("alias.json"), QStringLiteral("link -1") + linkAt},
            {QStringLiteral("dangling"), QStringLiteral("link -1") + linkAt},
        };
        QCOMPARE(listed, expected);

        QVERIFY(local.exists(folder + QStringLiteral("/outside")));
        QVERIFY(local.isFolder(folder + QStringLiteral("/outside")));
        QVERIFY(!local.exists(folder + QStringLiteral("/dangling")));
        QVERIFY(!local.isFolder(folder + QStringLiteral("/meta.json")));

        const QString missing = path(QStringLiteral("missing"));
        QCOMPARE(failureOf([&] { local.list(missing); }),
                 QStringLiteral("Could not list ") + missing +
                     QStringLiteral(": No such file or directory"));
        QCOMPARE(failureOf([&] { local.list(folder + QStringLiteral("/meta.json")); }),
                 QStringLiteral("Could not list ") + folder +
                     QStringLiteral("/meta.json: Not a directory"));
    }

    void readTakesTheWholeFileUpToTheLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("maxSize");
        QTest::addColumn<bool>("read");

        QTest::newRow("empty") << qint64(0) << qint64(0) << true;
        QTest::newRow("larger than one read") << qint64(3'000'001) << qint64(4'000'000) << true;
        QTest::newRow("exactly the limit") << qint64(4096) << qint64(4096) << true;
        QTest::newRow("a byte over") << qint64(4097) << qint64(4096) << false;
        // Sparse: reading it first would take a terabyte of memory.
        QTest::newRow("a terabyte") << (qint64(1) << 40) << SharedCatalog::maximumFileSize << false;
    }

    void readTakesTheWholeFileUpToTheLimit()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, maxSize);
        QFETCH(bool, read);

        const QString file = path(QStringLiteral("shard-00.json"));
        QByteArray bytes;
        if (size < (qint64(1) << 24)) {
            bytes.resize(size);
            QRandomGenerator rand(7);
            for (char& byte : bytes)
                byte = char(rand.bounded(256));
            writeFile(file, bytes);
        } else {
            QFile sparse(file);
            QVERIFY(sparse.open(QIODevice::WriteOnly));
            QVERIFY(sparse.resize(size));
        }

        if (read) {
            QCOMPARE(local.read(file, maxSize), bytes);
        } else {
            QCOMPARE(failureOf([&] { local.read(file, maxSize); }),
                     QStringLiteral("Could not read ") + file + QStringLiteral(": larger than ") +
                         QString::number(maxSize) + QStringLiteral(" bytes, the most this reads"));
        }
    }

    void readRefusesWhatIsNoFile()
    {
        const QString missing = path(QStringLiteral("missing.json"));
        QCOMPARE(failureOf([&] { local.read(missing, 100); }),
                 QStringLiteral("Could not read ") + missing +
                     QStringLiteral(": No such file or directory"));
        QCOMPARE(failureOf([&] { local.read(m_root->path(), 100); }),
                 QStringLiteral("Could not read ") + m_root->path() +
                     QStringLiteral(": Is a directory"));
        // A named pipe with no writer would block a plain open for ever.
        const QString pipe = path(QStringLiteral("tasks.json"));
        QVERIFY(::mkfifo(nativeOf(pipe).constData(), 0644) == 0);
        QCOMPARE(failureOf([&] { local.read(pipe, 100); }),
                 QStringLiteral("Could not read ") + pipe + QStringLiteral(": not a regular file"));
    }

    void createFolderMakesParentsAndAcceptsAnExistingFolder()
    {
        const QString deep = path(QStringLiteral(".zol/peers/machine"));
        local.createFolder(deep);
        QVERIFY(QFileInfo(deep).isDir());
        local.createFolder(deep + u'/');
        link(deep, path(QStringLiteral("shortcut")));
        local.createFolder(path(QStringLiteral("shortcut")));

        const QString blocked = path(QStringLiteral("file"));
        writeFile(blocked, "x");
        QCOMPARE(failureOf([&] { local.createFolder(blocked + QStringLiteral("/below")); }),
                 QStringLiteral("Could not create the folder ") + blocked +
                     QStringLiteral("/below: Not a directory"));
        QCOMPARE(failureOf([&] { local.createFolder(blocked); }),
                 QStringLiteral("Could not create the folder ") + blocked +
                     QStringLiteral(": File exists"));
    }

    void writeIsReadableByThePeopleOfTheStudio()
    {
        const QString file = path(QStringLiteral("meta.json"));
        local.writeAtomically(file, "first");
        local.writeAtomically(file, "second");
        QCOMPARE(contents(file), QByteArray("second"));
        QCOMPARE(QFile::permissions(file) & QFileDevice::ReadOther, QFileDevice::ReadOther);
        QCOMPARE(
            QDir(m_root->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("meta.json")});
        QCOMPARE(failureOf([&] { local.replace(file, file + QStringLiteral(".tmp")); }),
                 QStringLiteral("Could not replace ") + file + QStringLiteral(" with ") + file +
                     QStringLiteral(".tmp: No such file or directory"));
    }

    void removeNeverFollowsALinkOut()
    {
        const QString outside = path(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(outside + QStringLiteral("/inner")));
        writeFile(outside + QStringLiteral("/keep.json"), "keep");
        writeFile(outside + QStringLiteral("/inner/keep.json"), "keep");

        const QString stale = path(QStringLiteral(".zol/peers/stale"));
        QVERIFY(QDir().mkpath(stale + QStringLiteral("/deep/deeper")));
        writeFile(stale + QStringLiteral("/meta.json"), "{}");
        writeFile(stale + QStringLiteral("/deep/deeper/.hidden.tmp"), "x");
        link(outside, stale + QStringLiteral("/to-folder"));
        link(outside + QStringLiteral("/keep.json"), stale + QStringLiteral("/deep/to-file"));
        link(QStringLiteral("nowhere"), stale + QStringLiteral("/dangling"));

        local.remove(stale);
        QVERIFY(!QFileInfo::exists(stale));
        QCOMPARE(contents(outside + QStringLiteral("/keep.json")), QByteArray("keep"));
        QCOMPARE(contents(outside + QStringLiteral("/inner/keep.json")), QByteArray("keep"));

        // A link to a folder, named with or without a trailing slash, goes by itself.
        const QString linked = path(QStringLiteral("linked"));
        link(outside, linked);
        local.remove(linked + u'/');
        QVERIFY(!QFileInfo(linked).isSymLink());
        QCOMPARE(contents(outside + QStringLiteral("/inner/keep.json")), QByteArray("keep"));
        link(outside, linked);
        local.remove(linked);
        QVERIFY(!QFileInfo(linked).isSymLink());
        QCOMPARE(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("inner"), QStringLiteral("keep.json")}));

        QCOMPARE(failureOf([&] { local.remove(stale); }),
                 QStringLiteral("Could not remove ") + stale +
                     QStringLiteral(": No such file or directory"));
    }

    void catalogueWriteCreatesThenReplacesAndLeavesNoTemporary()
    {
        CountingFileSystem files;
        const QString folder = m_root->path();
        const QString target = path(QStringLiteral("meta.json"));

        writeCatalogFile(files, "first", target);
        QCOMPARE(contents(target), QByteArray("first"));
        // The temporary is hidden beside the target, then renamed over it.
        const QStringList written = files.writtenPaths();
        QCOMPARE(written.size(), 2);
        QVERIFY2(QRegularExpression(QRegularExpression::escape(folder) +
                                    QStringLiteral("/\\.meta\\.json\\.[0-9A-F]{8}\\.tmp"))
                     .match(written.first())
                     .hasMatch(),
                 qPrintable(written.first()));
        QCOMPARE(written.last(), target);

        writeCatalogFile(files, "second", target);
        QCOMPARE(contents(target), QByteArray("second"));
        QCOMPARE(files.writes(), 4);
        QCOMPARE(leftoverTemporaries(folder), QStringList());
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("meta.json")});
    }

    void catalogueWriteFailures_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("error");

        QTest::newRow("replace refused: delete and move")
            << QStringLiteral("replace") << QByteArray("new") << QString();
        QTest::newRow("temporary gone with the replace")
            << QStringLiteral("vanish") << QByteArray("old")
            << QStringLiteral(": the replacement vanished");
        QTest::newRow("replace and move refused")
            << QStringLiteral("replace, move") << QByteArray("old")
            << QStringLiteral("Could not move ");
    }

    void catalogueWriteFailures()
    {
        QFETCH(QString, breakage);
        QFETCH(QByteArray, after);
        QFETCH(QString, error);

        const QString target = path(QStringLiteral("shard-2a.json"));
        writeFile(target, "old");
        CountingFileSystem files;
        files.failReplace(breakage.contains(QStringLiteral("replace")));
        files.vanishTemporaryOnReplace(breakage == QStringLiteral("vanish"));
        if (breakage.contains(QStringLiteral("move")))
            files.failWritesTo(target);

        const QString failure = failureOf([&] { writeCatalogFile(files, "new", target); });
        if (error.isEmpty())
            QCOMPARE(failure, QStringLiteral("<no failure>"));
        else
            QVERIFY2(failure.contains(error), qPrintable(failure));
        QCOMPARE(contents(target), after);
        QCOMPARE(leftoverTemporaries(m_root->path()), QStringList());
    }

    void catalogueWriteIntoAMissingFolderDoesNothingElse()
    {
        CountingFileSystem files;
        const QString folder = path(QStringLiteral("peers/machine"));
        const QString target = folder + QStringLiteral("/tasks.json");
        QVERIFY(failureOf([&] { writeCatalogFile(files, "{}", target); })
                    .startsWith(QStringLiteral("Could not write ") + folder +
                                QStringLiteral("/.tasks.json.")));
        QCOMPARE(files.writes(), 1);
        QVERIFY(!QFileInfo::exists(folder));
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_filesystem.moc"
