// The settings file: typed values that come back exactly, a private file, two
// processes writing at once, other writers noticed and damaged files kept aside.
//
// Run as "tst_settingsstore --write-settings PATH PREFIX COUNT", the executable
// is instead the other process of the concurrency test: it sets COUNT keys.

#include "Builders.h"
#include "UserFolders.h"
#include "books/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <limits>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using zol::SettingsStore;
using zol::test::readFile;
using zol::test::UserFolders;

namespace {

// Replaces the file as another writer would: a new file renamed over it.
void replaceAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    QVERIFY(file.commit());
}

int mode(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

QStringList emittedKeys(const QSignalSpy& spy)
{
    QStringList keys;
    for (const QList<QVariant>& emission : spy)
        keys += emission.at(0).toStringList();
    keys.removeDuplicates();
    keys.sort();
    return keys;
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesComeBackExactlyAndOnlyAsTheirType()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        // Entries from a newer version or a hand edit that this one cannot read.
        const QByteArray unreadable = R"({"version": 1, "values": {"future": {"colour": "red"},
            "two types": {"string": "a", "boolean": true}, "bare": 5,
            "too big": {"integer": "9223372036854775808"}, "flag": {"boolean": "true"}}})";
        replaceAll(path, unreadable);
        const QByteArray binary("\0\x01\0\xff", 4);
        constexpr qint64 largest = std::numeric_limits<qint64>::max();
        constexpr qint64 smallest = std::numeric_limits<qint64>::min();
        {
            SettingsStore store(path);
            QCOMPARE(store.keys(), QStringList());
            store.setString(u"text"_s, u"10"_s);
            store.setInteger(u"largest"_s, largest);
            store.setInteger(u"smallest"_s, smallest);
            store.setBoolean(u"false"_s, false);
            store.setBinary(u"bytes"_s, binary);
        }
        const SettingsStore store(path);
        QCOMPARE(store.string(u"text"_s), u"10"_s);
        QCOMPARE(store.integer(u"largest"_s), largest);
        QCOMPARE(store.integer(u"smallest"_s), smallest);
        QCOMPARE(store.boolean(u"false"_s), false);
        QCOMPARE(store.binary(u"bytes"_s), binary);
        // Another type than the one stored reads as missing.
        QVERIFY(!store.integer(u"text"_s));
        QVERIFY(!store.string(u"largest"_s));
        QVERIFY(!store.integer(u"false"_s));
        QVERIFY(!store.string(u"bytes"_s));

        // What could not be read is written back untouched, in a private file
        // whatever the file it replaced was.
        const auto values = [](const QByteArray& json) {
            return QJsonDocument::fromJson(json).object().value(u"values"_s).toObject();
        };
        const QJsonObject before = values(unreadable);
        const QJsonObject after = values(readFile(path));
        for (auto it = before.begin(); it != before.end(); ++it)
            QCOMPARE(after.value(it.key()), it.value());
        QCOMPARE(mode(path), 0600);
    }

    void twoProcessesWritingAtOnceKeepEveryKey()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        const QString folder = QFileInfo(path).path();
        SettingsStore watching(path);
        QSignalSpy changed(&watching, &SettingsStore::changed);
        QVERIFY(!QFileInfo::exists(folder)); // reading makes nothing

        constexpr int count = 200;
        const std::array<QString, 2> prefixes{u"first."_s, u"second."_s};
        std::array<QProcess, 2> writers;
        for (std::size_t i = 0; i < writers.size(); ++i) {
            writers.at(i).setProcessChannelMode(QProcess::ForwardedChannels);
            writers.at(i).start(
                QCoreApplication::applicationFilePath(),
                {u"--write-settings"_s, path, prefixes.at(i), QString::number(count)});
        }
        for (QProcess& writer : writers) {
            QVERIFY(writer.waitForFinished(120'000));
            QCOMPARE(writer.exitCode(), 0);
        }

        QStringList expected;
        const SettingsStore reopened(path);
        for (const QString& prefix : prefixes)
            for (int n = 0; n < count; ++n)
                expected.append(prefix + QString::number(n));
        expected.sort();
        QCOMPARE(reopened.keys(), expected);
        QCOMPARE(reopened.integer(u"second.199"_s), 199);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"settings.json"_s, u"settings.json.lock"_s}));
        QCOMPARE(mode(folder), 0700);
        QCOMPARE(mode(path), 0600);
        QCOMPARE(mode(path + u".lock"_s), 0600);

        // The watch set up before the folder existed sees every key arrive.
        QTRY_COMPARE(watching.keys(), expected);
        QCOMPARE(emittedKeys(changed), expected);
    }

    void othersChangesAreAnnouncedWithTheirKeysButNotOnesOwn()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        SettingsStore mine(path);
        mine.setInteger(u"a"_s, 1);
        mine.setString(u"b"_s, u"x"_s);
        mine.setBoolean(u"c"_s, true);
        mine.setString(u"e"_s, u"5"_s);
        SettingsStore theirs(path);
        QSignalSpy mineChanged(&mine, &SettingsStore::changed);
        QSignalSpy theirsChanged(&theirs, &SettingsStore::changed);

        // "a" the same, "b" another text, "c" gone, "d" new, "e" now an integer.
        mine.setInteger(u"a"_s, 1);
        mine.setString(u"b"_s, u"y"_s);
        mine.remove(u"c"_s);
        mine.setBinary(u"d"_s, QByteArray(1, '\0'));
        mine.setInteger(u"e"_s, 5);
        mine.remove(u"never.set"_s);
        QTRY_COMPARE(theirs.integer(u"e"_s), qint64(5));
        QCOMPARE(emittedKeys(theirsChanged), (QStringList{u"b"_s, u"c"_s, u"d"_s, u"e"_s}));

        // A write that finds another writer's change not yet noticed: that key is
        // news, the written one is not, and both values are kept.
        replaceAll(path, readFile(path).replace(R"("y")", R"("z")"));
        mine.setInteger(u"a"_s, 2);
        QCOMPARE(mineChanged.count(), 1);
        QCOMPARE(mineChanged.at(0).at(0).toStringList(), QStringList{u"b"_s});
        QTRY_COMPARE(theirs.integer(u"a"_s), qint64(2));
        QCOMPARE(theirs.string(u"b"_s), u"z"_s);

        QTest::qWait(50); // any late notification of the writes above
        mine.refresh();
        QCOMPARE(mineChanged.count(), 1);
    }

    void aDamagedFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = R"({"version": 1, "values": {"machine.name": {"string": "Ada"}}})";
        QTest::newRow("binary noise") << QByteArray("\x89PNG\r\n\x1a\n\0\0\xff", 11);
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("another version") << QByteArray(R"({"version": 2, "values": {}})");
        QTest::newRow("empty: nothing to keep") << QByteArray();
    }

    void aDamagedFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        const QDir folder = QFileInfo(path).dir();
        replaceAll(path, bytes);

        SettingsStore store(path);
        QCOMPARE(store.keys(), QStringList());
        QCOMPARE(readFile(path), bytes); // reading alone changes nothing

        store.setString(u"machine.name"_s, u"Ada"_s);
        const QStringList aside = folder.entryList({u"settings.json.damaged-*"_s}, QDir::Files);
        QCOMPARE(aside.size(), bytes.isEmpty() ? 0 : 1);
        if (!aside.isEmpty())
            QCOMPARE(readFile(folder.filePath(aside.first())), bytes);
        QCOMPARE(SettingsStore(path).keys(), QStringList{u"machine.name"_s});
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--write-settings") == 0) {
        SettingsStore store(QFile::decodeName(argv[2]));
        const QString prefix = QString::fromUtf8(argv[3]);
        for (int n = 0, count = QByteArray(argv[4]).toInt(); n < count; ++n)
            store.setInteger(prefix + QString::number(n), n);
        return 0;
    }
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsstore.moc"
