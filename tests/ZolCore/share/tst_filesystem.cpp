// The machine's own file system as the studio folder uses it: listings that
// show hidden names and links for what they are, reads that refuse what is too
// big or not a file, removal that never follows a link out, views confined to
// a folder that reach nothing through a link, and the catalogue write with its
// fallbacks for shares that will not rename over a file.

#include "Builders.h"
#include "CountingFileSystem.h"
#include "PlantedLink.h"
#include "files/FileSystem.h"
#include "files/WholeFile.h"
#include "share/SharedCatalog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

void link(const QString& target, const QString& path)
{
    QVERIFY(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0);
}

QStringList everything(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A wrapper that leaves confinedTo() to FileSystem's default.
class Forwarding final : public FileSystem
{
public:
    explicit Forwarding(FileSystem& inner)
        : m_inner(inner)
    {}
    bool exists(const QString& p) const override { return m_inner.exists(p); }
    bool isFolder(const QString& p) const override { return m_inner.isFolder(p); }
    bool isLink(const QString& p) const override { return m_inner.isLink(p); }
    void createFolder(const QString& p) override { m_inner.createFolder(p); }
    QList<Entry> list(const QString& p) const override { return m_inner.list(p); }
    QByteArray read(const QString& p, qint64 max) const override { return m_inner.read(p, max); }
    void writeAtomically(const QString& p, const QByteArray& b) override
    {
        m_inner.writeAtomically(p, b);
    }
    void writeNew(const QString& p, const QByteArray& b) override { m_inner.writeNew(p, b); }
    void replace(const QString& t, const QString& r) override { m_inner.replace(t, r); }
    void move(const QString& f, const QString& t) override { m_inner.move(f, t); }
    void remove(const QString& p) override { m_inner.remove(p); }
    void setHidden(const QString& p) override { m_inner.setHidden(p); }

private:
    FileSystem& m_inner;
};

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

    FileSystem& local = FileSystem::local();
    std::unique_ptr<QTemporaryDir> m_root;

    QString path(const QString& name) const { return m_root->filePath(name); }
    QByteArray contents(const QString& path) const { return local.read(path, 1000); }

private Q_SLOTS:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        ::umask(022);
    }

    void listingShowsHiddenNamesLinksSizesAndExactTimes()
    {
        const QString folder = path(u"peer"_s);
        QVERIFY(QDir().mkpath(folder + u"/sub"_s));
        writeFile(folder + u"/meta.json"_s, "12345");
        writeFile(folder + u"/.Zoë.json"_s, QByteArray());
        link(m_root->path(), folder + u"/outside"_s);
        link(u"nowhere"_s, folder + u"/dangling"_s);
        const QDateTime at = QDateTime::fromString(u"2025-03-14T09:26:53.250Z"_s, Qt::ISODateWithMs);
        for (const QString& name : {u"meta.json"_s, u".Zoë.json"_s, u"sub"_s, u"outside"_s, u"dangling"_s})
            setModified(folder + u'/' + name, at);

        QMap<QString, QString> listed;
        for (const FileSystem::Entry& e : local.list(folder))
            listed[e.name] = (e.isLink ? u"link "_s : QString()) + (e.isFolder ? u"folder "_s : u"file "_s)
                             + QString::number(e.size) + u' '
                             + e.modified.value_or(QDateTime()).toString(Qt::ISODateWithMs);
        const QString ms = u' ' + at.toString(Qt::ISODateWithMs);
        QCOMPARE(listed, (QMap<QString, QString>{{u"meta.json"_s, u"file 5"_s + ms}, {u".Zoë.json"_s, u"file 0"_s + ms},
                                                 {u"sub"_s, u"folder -1"_s + ms}, {u"outside"_s, u"link folder -1"_s + ms},
                                                 {u"dangling"_s, u"link file -1"_s + ms}}));
        QVERIFY(local.isFolder(folder + u"/outside"_s));
        QVERIFY(!local.exists(folder + u"/dangling"_s));
        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.list(folder + u"/meta.json"_s));
    }

    void readTakesTheWholeFileUpToTheLimit()
    {
        const QString file = path(u"shard-00.json"_s);
        struct Case
        {
            qint64 size, maxSize;
        };
        // Empty; larger than one read; exactly the limit; a byte over; and a
        // sparse terabyte, which reading first would need the memory for.
        for (const Case c : {Case{0, 0}, Case{3'000'001, 4'000'000}, Case{4096, 4096}, Case{4097, 4096},
                             Case{qint64(1) << 40, SharedCatalog::maximumFileSize}}) {
            QByteArray bytes;
            for (qint64 i = 0; c.size < (qint64(1) << 24) && i < c.size; ++i)
                bytes.append(char(i * 7919 % 251));
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.resize(c.size));
            out.close();
            if (c.size <= c.maxSize)
                QCOMPARE(local.read(file, c.maxSize), bytes);
            else
                QCOMPARE(failureOf<FileSystemError>([&] { local.read(file, c.maxSize); }),
                         u"Could not read %1: larger than %2 bytes, the most this reads"_s.arg(file).arg(c.maxSize));
        }

        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.read(path(u"missing.json"_s), 100));
        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.read(m_root->path(), 100));
        // A named pipe with no writer would block a plain open for ever.
        QVERIFY(::mkfifo(QFile::encodeName(path(u"tasks.json"_s)).constData(), 0644) == 0);
        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.read(path(u"tasks.json"_s), 100));
    }

    void foldersAndAtomicWrites()
    {
        const QString deep = path(u".zol/peers/machine"_s);
        local.createFolder(deep);
        local.createFolder(deep + u'/');
        link(deep, path(u"shortcut"_s));
        local.createFolder(path(u"shortcut"_s));
        QVERIFY(QFileInfo(deep).isDir());

        // Written whole, and readable by the rest of the studio.
        const QString file = deep + u"/meta.json"_s;
        local.writeAtomically(file, "first");
        local.writeAtomically(file, "second");
        QCOMPARE(contents(file), QByteArray("second"));
        QCOMPARE(QFile::permissions(file) & QFileDevice::ReadOther, QFileDevice::ReadOther);
        QCOMPARE(everything(deep), QStringList{u"meta.json"_s});
        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.createFolder(file + u"/below"_s));
        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.createFolder(file));
    }

    // On the studio folder, what this computer writes is readable by whoever
    // may read the folder, whatever the umask; the folders it makes are as
    // open as the folder they are made in, so every computer can add its own.
    void filesOnTheShareFollowTheFolderNotTheUmask_data()
    {
        QTest::addColumn<int>("rootMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("folderMode");
        QTest::newRow("group and others read") << 0755 << 0644 << 0755;
        QTest::newRow("the group only") << 0750 << 0640 << 0750;
        QTest::newRow("a group that writes, set-group-id") << 02770 << 0640 << 02770;
    }

    void filesOnTheShareFollowTheFolderNotTheUmask()
    {
        QFETCH(int, rootMode);
        QFETCH(int, fileMode);
        QFETCH(int, folderMode);
        const QString root = path(u"share"_s);
        QVERIFY(QDir().mkpath(root));
        QCOMPARE(::chmod(QFile::encodeName(root).constData(), mode_t(rootMode)), 0);
        ::umask(077);
        const std::shared_ptr<FileSystem> share = local.confinedTo(root);
        const QString folder = root + u"/.zol/hours/Anna"_s;
        share->createFolder(folder);
        share->writeAtomically(folder + u"/marker.json"_s, "{}");
        writeWhole(*share, "id\n", folder + u"/2026-W10.csv"_s);
        const auto modeOf = [](const QString& p) {
            struct stat info = {};
            ::stat(QFile::encodeName(p).constData(), &info);
            return int(info.st_mode & 07777);
        };
        for (const QString& made : QStringList{root + u"/.zol"_s, root + u"/.zol/hours"_s, folder})
            QCOMPARE(modeOf(made), folderMode);
        for (const QString& written : {u"/marker.json"_s, u"/2026-W10.csv"_s})
            QCOMPARE(modeOf(folder + written), fileMode);
        // Off the share the umask still decides.
        local.writeAtomically(path(u"private.txt"_s), "x");
        QCOMPARE(modeOf(path(u"private.txt"_s)), 0600);
    }

    void removeNeverFollowsALinkOut()
    {
        const QString outside = path(u"elsewhere"_s);
        QVERIFY(QDir().mkpath(outside));
        writeFile(outside + u"/keep.json"_s, "keep");
        const QString stale = path(u".zol/peers/stale"_s);
        QVERIFY(QDir().mkpath(stale + u"/deep/deeper"_s));
        writeFile(stale + u"/deep/deeper/.hidden.tmp"_s, "x");
        link(outside, stale + u"/to-folder"_s);
        link(outside + u"/keep.json"_s, stale + u"/deep/to-file"_s);
        link(u"nowhere"_s, stale + u"/dangling"_s);
        local.remove(stale);
        QVERIFY(!QFileInfo::exists(stale));
        QVERIFY_THROWS_EXCEPTION(FileSystemError, local.remove(stale));

        // A link to a folder, named with or without a trailing slash, goes by itself.
        for (const QString& suffix : {u"/"_s, QString()}) {
            link(outside, path(u"linked"_s));
            local.remove(path(u"linked"_s) + suffix);
            QVERIFY(!QFileInfo(path(u"linked"_s)).isSymLink());
        }
        QCOMPARE(everything(outside), QStringList{u"keep.json"_s});
    }

    void confinedViewsReachNothingThroughALink_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::newRow("walked from the root") << false;
        QTest::newRow("checked by a wrapper") << true;
    }

    void confinedViewsReachNothingThroughALink()
    {
        QFETCH(bool, checked);
        // The root itself is reached through a link, as a mount point often is.
        QVERIFY(QDir().mkpath(path(u"volumes/studio/.zol/hours/Anna/2026"_s)));
        link(path(u"volumes"_s), path(u"mnt"_s));
        const QString root = path(u"mnt/studio"_s);
        const QString hours = root + u"/.zol/hours"_s;
        const QString anna = hours + u"/Anna"_s;
        writeFile(anna + u"/2026/w.csv"_s, "mine");
        const PlantedLink planted(anna);
        link(planted.target() + u"/canary.txt"_s, hours + u"/sheet.csv"_s);

        Forwarding wrapper(local);
        FileSystem& underneath = checked ? static_cast<FileSystem&>(wrapper) : local;
        const std::shared_ptr<FileSystem> view = underneath.confinedTo(root);
        const QString refused = u" is a symbolic link, and nothing below "_s + root;

        // Below the link: refused, naming it.
        const QList<std::function<void()>> throughTheLink = {
            [&] { view->createFolder(anna + u"/2026/weeks"_s); },
            [&] { view->writeAtomically(anna + u"/2026/w.csv"_s, "x"); },
            [&] { view->writeNew(anna + u"/.w.tmp"_s, "x"); },
            [&] { view->read(anna + u"/canary.txt"_s, 1000); },
            [&] { view->list(anna + u"/2026"_s); },
            [&] { view->remove(anna + u"/2026"_s); },
            [&] { view->move(anna + u"/canary.txt"_s, hours + u"/taken.txt"_s); },
            [&] { view->replace(anna + u"/canary.txt"_s, hours + u"/sheet.csv"_s); },
        };
        for (const auto& operation : throughTheLink) {
            const QString failure = failureOf<FileSystemError>(operation);
            QVERIFY2(failure.contains(anna + refused), qPrintable(failure));
        }
        // The link itself: neither read, listed nor taken for a folder.
        for (const QString& linked : QStringList{anna, hours + u"/sheet.csv"_s}) {
            const QString failure = failureOf<FileSystemError>([&] { view->read(linked, 1000); });
            QVERIFY2(failure.contains(u": it"_s + refused), qPrintable(failure));
        }
        QVERIFY_THROWS_EXCEPTION(FileSystemError, view->list(anna));
        QVERIFY(view->exists(anna) && view->isLink(anna) && !view->isFolder(anna));
        QVERIFY(!view->exists(anna + u"/canary.txt"_s) && !view->isFolder(anna + u"/2026"_s));
        for (const FileSystem::Entry& entry : view->list(hours))
            QVERIFY(entry.isLink && !entry.isFolder);

        // Written over, a link goes itself; nothing is written through it.
        view->writeAtomically(hours + u"/sheet.csv"_s, "replaced");
        QVERIFY(!QFileInfo(hours + u"/sheet.csv"_s).isSymLink());
        QCOMPARE(contents(hours + u"/sheet.csv"_s), QByteArray("replaced"));

        // Inside, everything as usual; outside, nothing at all.
        view->createFolder(hours + u"/Ben/2026"_s);
        view->writeAtomically(hours + u"/Ben/2026/w.csv"_s, "ben");
        QCOMPARE(view->read(hours + u"/Ben/2026/w.csv"_s, 100), QByteArray("ben"));
        const std::shared_ptr<FileSystem> ben = view->confinedTo(hours + u"/Ben"_s);
        for (const QString& outside :
             QStringList{planted.target() + u"/canary.txt"_s, root + u"/../elsewhere"_s,
                         hours + u"/sheet.csv"_s}) {
            const QString failure = failureOf<FileSystemError>([&] { ben->read(outside, 100); });
            QVERIFY2(failure.contains(u": it is not inside "_s), qPrintable(failure));
        }
        QVERIFY(planted.untouched());
    }

    void catalogueWriteReplacesThroughAHiddenTemporaryWithFallbacks()
    {
        const QString target = path(u"shard-2a.json"_s);
        CountingFileSystem plain;
        writeWhole(plain, "first", target);
        writeWhole(plain, "old", target);
        QCOMPARE(contents(target), QByteArray("old"));
        // Each time a hidden temporary beside the target, then renamed over it.
        const QStringList written = plain.writtenPaths();
        QCOMPARE(written.size(), 4);
        QVERIFY2(written[0].startsWith(path(u".shard-2a.json."_s)) && written[0].endsWith(u".tmp"_s),
                 qPrintable(written[0]));
        QCOMPARE(written[1], target);
        QCOMPARE(everything(m_root->path()), QStringList{u"shard-2a.json"_s});

        struct Case
        {
            bool failReplace, vanish, failMove;
            QByteArray after; // only "new" is no failure
        };
        // Replace refused: delete and move. The temporary gone with the
        // replace: nothing to move. Replace and move refused.
        for (const Case& c : {Case{true, false, false, "new"}, Case{false, true, false, "old"},
                              Case{true, false, true, "old"}}) {
            writeFile(target, "old");
            CountingFileSystem files;
            files.failReplace(c.failReplace);
            files.vanishTemporaryOnReplace(c.vanish);
            if (c.failMove)
                files.failWritesTo(target);
            const QString failure =
                failureOf<FileSystemError>([&] { writeWhole(files, "new", target); });
            QCOMPARE(failure.isEmpty(), c.after == "new");
            QCOMPARE(contents(target), c.after);
            QCOMPARE(everything(m_root->path()), QStringList{u"shard-2a.json"_s});
        }

        // Into a missing folder the temporary cannot be written, and nothing else is tried.
        CountingFileSystem files;
        QVERIFY_THROWS_EXCEPTION(FileSystemError, writeWhole(files, "{}", path(u"peers/m/tasks.json"_s)));
        QCOMPARE(files.writes(), 1);
        QVERIFY(!QFileInfo::exists(path(u"peers"_s)));
    }
};

QTEST_GUILESS_MAIN(TestFileSystem)
#include "files/WholeFile.h"
#include "tst_filesystem.moc"
