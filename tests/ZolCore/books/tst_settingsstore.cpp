// The settings file: typed values that come back exactly, a private file, two
// processes writing at once, other writers noticed, damaged files kept aside,
// and the in-memory store.
//
// Run as "tst_settingsstore --write-settings PATH PREFIX COUNT", the executable
// is instead the other process of the concurrency test: it sets COUNT keys.

#include "UserFolders.h"
#include "books/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <limits>
#include <sys/stat.h>

using namespace zol;
using namespace zol::test;

using Value = SettingsStore::Value;
Q_DECLARE_METATYPE(Value)

namespace {

const QString name = QStringLiteral("machine.name");
const QString minutes = QStringLiteral("idle.minutes");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file as another writer would: a new file renamed over it.
void replaceAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path + QStringLiteral(".other"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QVERIFY(::rename(QFile::encodeName(file.fileName()).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

QByteArray settingsJson(const QByteArray& values)
{
    return R"({"version": 1, "values": {)" + values + "}}";
}

QJsonObject valuesIn(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object().value(QLatin1StringView("values")).toObject();
}

int mode(const QString& path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

// What each of the four getters answers, in the order of Value's types.
std::array<std::optional<Value>, 4> readEach(const SettingsStore& store, const QString& key)
{
    const auto wrap = [](const auto& answer) -> std::optional<Value> {
        using T = typename std::decay_t<decltype(answer)>::value_type;
        return answer ? std::optional(Value(std::in_place_type<T>, *answer)) : std::nullopt;
    };
    return {wrap(store.string(key)), wrap(store.integer(key)), wrap(store.boolean(key)),
            wrap(store.binary(key))};
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
    void valuesComeBackExactlyAndOnlyAsTheirType_data()
    {
        QTest::addColumn<Value>("value");
        const auto text = [](const QString& s) { return Value(std::in_place_type<QString>, s); };
        const auto number = [](qint64 n) { return Value(std::in_place_type<qint64>, n); };
        const auto bytes = [](const QByteArray& b) {
            return Value(std::in_place_type<QByteArray>, b);
        };
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b)
            everyByte.append(char(b));
        QTest::newRow("text that reads as a number") << text(QStringLiteral("10"));
        QTest::newRow("quotes, lines, emoji") << text(QStringLiteral("“Studio” \"B\"\n\\ — 🕒"));
        QTest::newRow("2^53 + 1") << number((qint64(1) << 53) + 1);
        QTest::newRow("largest") << number(std::numeric_limits<qint64>::max());
        QTest::newRow("smallest") << number(std::numeric_limits<qint64>::min());
        QTest::newRow("false") << Value(std::in_place_type<bool>, false);
        QTest::newRow("every byte, NUL first") << bytes(everyByte);
        QTest::newRow("empty binary") << bytes(QByteArray());
    }

    void valuesComeBackExactlyAndOnlyAsTheirType()
    {
        QFETCH(Value, value);
        UserFolders folders;
        std::array<std::optional<Value>, 4> expected;
        expected.at(value.index()) = value;

        SettingsStore store(SettingsStore::defaultPath());
        std::visit(
            [&store](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, QString>)
                    store.setString(name, v);
                else if constexpr (std::is_same_v<T, qint64>)
                    store.setInteger(name, v);
                else if constexpr (std::is_same_v<T, bool>)
                    store.setBoolean(name, v);
                else
                    store.setBinary(name, v);
            },
            value);
        QCOMPARE(readEach(store, name), expected);
        QCOMPARE(readEach(SettingsStore(store.filePath()), name), expected);
        QVERIFY(SettingsStore(store.filePath()).contains(name));
    }

    void theFileIsPlainForOtherReadersAndKeepsWhatItCannotRead()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        const QByteArray unreadable = R"("future": {"colour": "#ff0000"},
            "two types": {"string": "a", "boolean": true}, "no type": {}, "bare": 5,
            "too big": {"integer": "9223372036854775808"}, "plus": {"integer": "+5"},
            "space": {"integer": " 5"}, "fraction": {"integer": 1.5},
            "text flag": {"boolean": "true"}, "bad base64": {"binary": "no*base64"})";
        replaceAll(path,
                   settingsJson(unreadable + R"(, "by hand": {"integer": 9007199254740993})"));

        SettingsStore store(path);
        QCOMPARE(store.keys(), QStringList{QStringLiteral("by hand")});
        QCOMPARE(store.integer(QStringLiteral("by hand")), qint64(9007199254740993));

        store.remove(QStringLiteral("by hand"));
        store.setInteger(minutes, std::numeric_limits<qint64>::max());
        store.setString(name, QStringLiteral("10"));
        store.setBoolean(QStringLiteral("idle.enabled"), true);
        store.setBinary(QStringLiteral("admin.list"), QByteArray("\0\1\2", 3));
        QCOMPARE(valuesIn(readAll(path)), valuesIn(settingsJson(unreadable + R"(,
                     "idle.minutes": {"integer": "9223372036854775807"},
                     "machine.name": {"string": "10"}, "idle.enabled": {"boolean": true},
                     "admin.list": {"binary": "AAEC"})")));
    }

    void theFileIsPrivate()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        const QString folder = QFileInfo(path).path();
        SettingsStore store(path);
        QVERIFY(!QFileInfo::exists(folder)); // reading makes nothing
        store.setBoolean(QStringLiteral("idle.enabled"), false);
        QCOMPARE(mode(folder), 0700);
        QCOMPARE(mode(path), 0600);
        QCOMPARE(mode(path + QStringLiteral(".lock")), 0600);

        // A replacement is private whatever the file it replaces was.
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        store.setBoolean(QStringLiteral("idle.enabled"), true);
        QCOMPARE(mode(path), 0600);
    }

    void twoProcessesWritingAtOnceKeepEveryKey()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        SettingsStore watching(path); // from before the folder exists
        QSignalSpy changed(&watching, &SettingsStore::changed);

        constexpr int count = 200;
        const std::array<QString, 2> prefixes{QStringLiteral("first."), QStringLiteral("second.")};
        std::array<QProcess, 2> writers;
        for (std::size_t i = 0; i < writers.size(); ++i) {
            writers.at(i).setProcessChannelMode(QProcess::ForwardedChannels);
            writers.at(i).start(
                QCoreApplication::applicationFilePath(),
                {QStringLiteral("--write-settings"), path, prefixes.at(i), QString::number(count)});
        }
        for (QProcess& writer : writers) {
            QVERIFY(writer.waitForFinished(120'000));
            QCOMPARE(writer.exitCode(), 0);
        }

        QStringList expected;
        const SettingsStore reopened(path);
        for (const QString& prefix : prefixes) {
            for (int n = 0; n < count; ++n) {
                expected.append(prefix + QString::number(n));
                QCOMPARE(reopened.integer(expected.last()), qint64(n));
            }
        }
        expected.sort();
        QCOMPARE(reopened.keys(), expected);
        QCOMPARE(
            QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{QStringLiteral("settings.json"), QStringLiteral("settings.json.lock")}));

        QTRY_COMPARE(watching.keys(), expected);
        QCOMPARE(emittedKeys(changed), expected);
    }

    void anotherStoresChangesAreAnnouncedButNotOnesOwn()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        SettingsStore mine(path);
        mine.setInteger(minutes, 10);
        SettingsStore theirs(path);
        QSignalSpy mineChanged(&mine, &SettingsStore::changed);
        QSignalSpy theirsChanged(&theirs, &SettingsStore::changed);

        mine.setInteger(minutes, 10); // the value it already has
        mine.setString(name, QStringLiteral("Ada"));
        mine.remove(QStringLiteral("never.set"));
        QTRY_COMPARE(theirs.string(name).value_or(QString()), QStringLiteral("Ada"));
        QCOMPARE(emittedKeys(theirsChanged), QStringList{name});

        // Atomic replacement gives the file a new inode; the watch follows it, so
        // a writer that rewrites the file in place is noticed as well.
        mine.setString(name, QStringLiteral("Grace"));
        QTRY_COMPARE(theirs.string(name).value_or(QString()), QStringLiteral("Grace"));
        {
            QFile inPlace(path);
            QVERIFY(inPlace.open(QIODevice::ReadWrite));
            const QByteArray bytes = inPlace.readAll().replace("Grace", "Alan!");
            QVERIFY(inPlace.seek(0));
            QCOMPARE(inPlace.write(bytes), bytes.size());
        }
        QTRY_COMPARE(theirs.string(name).value_or(QString()), QStringLiteral("Alan!"));
        QTRY_COMPARE(mine.string(name).value_or(QString()), QStringLiteral("Alan!"));
        QCOMPARE(mineChanged.count(), 1);
        QCOMPARE(mineChanged.at(0).at(0).toStringList(), QStringList{name});

        QTest::qWait(50); // any late notification of the writes above
        mine.refresh();
        QCOMPARE(mineChanged.count(), 1);
    }

    void refreshListsExactlyTheKeysThatDiffer()
    {
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        SettingsStore store(path);
        store.setInteger(QStringLiteral("a"), 1);
        store.setString(QStringLiteral("b"), QStringLiteral("x"));
        store.setBoolean(QStringLiteral("c"), true);
        store.setString(QStringLiteral("e"), QStringLiteral("5"));
        QSignalSpy changed(&store, &SettingsStore::changed);

        // "a" the same, "b" another text, "c" gone, "d" new, "e" now an integer.
        replaceAll(path, settingsJson(R"("a": {"integer": "1"}, "b": {"string": "y"},
                                         "d": {"binary": "AA=="}, "e": {"integer": "5"})"));
        store.refresh();
        store.refresh();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toStringList(),
                 (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                              QStringLiteral("e")}));
        QCOMPARE(store.integer(QStringLiteral("e")), qint64(5));

        // A write that finds another writer's change not yet noticed: that key is
        // news, the written one is not, and both values are kept.
        replaceAll(path, readAll(path).replace(R"("y")", R"("z")"));
        store.setInteger(QStringLiteral("a"), 2);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toStringList(), QStringList{QStringLiteral("b")});
        const SettingsStore reopened(path);
        QCOMPARE(reopened.integer(QStringLiteral("a")), qint64(2));
        QCOMPARE(reopened.string(QStringLiteral("b")), QStringLiteral("z"));
    }

    void aDamagedFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray noise(4096, '\0');
        QRandomGenerator random(20260301);
        for (char& byte : noise)
            byte = char(random.bounded(256));
        const QByteArray good = settingsJson(R"("machine.name": {"string": "Ada"})");
        QTest::newRow("random bytes") << noise;
        QTest::newRow("truncated") << good.left(good.size() / 2);
        QTest::newRow("an array") << QByteArray(R"([{"machine.name": "Ada"}])");
        QTest::newRow("invalid UTF-8") << settingsJson(R"("machine.name": {"string": "Ad)"
                                                       "\xff"
                                                       R"("})");
        QTest::newRow("another version") << QByteArray(R"({"version": 2, "values": {}})");
        QTest::newRow("values not an object") << QByteArray(R"({"version": 1, "values": []})");
        QTest::newRow("empty: nothing to keep") << QByteArray();
    }

    void aDamagedFileIsKeptAside()
    {
        QFETCH(QByteArray, bytes);
        UserFolders folders;
        const QString path = SettingsStore::defaultPath();
        const QString aside = path + QStringLiteral(".damaged-20260301T091500Z");
        const auto damage = [&path](const QByteArray& damaged) {
            replaceAll(path, damaged);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime(QDate(2026, 3, 1), QTime(9, 15), Qt::UTC),
                                     QFileDevice::FileModificationTime));
        };
        damage(bytes);

        SettingsStore store(path);
        QCOMPARE(store.keys(), QStringList());
        store.refresh();
        QCOMPARE(readAll(path), bytes); // reading alone changes nothing

        store.setString(name, QStringLiteral("Ada"));
        QCOMPARE(readAll(aside), bytes);
        QCOMPARE(QFileInfo::exists(aside), !bytes.isEmpty());
        QCOMPARE(SettingsStore(path).keys(), QStringList{name});
        if (bytes.isEmpty())
            return;

        // A second damage at the same time never replaces the first copy.
        damage(bytes + "again");
        SettingsStore(path).setInteger(minutes, 5);
        QCOMPARE(readAll(aside), bytes);
        QCOMPARE(readAll(aside + QStringLiteral("-2")), bytes + "again");
        QTRY_COMPARE(store.keys(), QStringList{minutes});
    }

    void removeDropsOnlyItsKey_data()
    {
        QTest::addColumn<bool>("inMemory");
        QTest::newRow("file") << false;
        QTest::newRow("in memory") << true;
    }

    void removeDropsOnlyItsKey()
    {
        QFETCH(bool, inMemory);
        UserFolders folders;
        SettingsStore store(inMemory ? QString() : SettingsStore::defaultPath());
        QSignalSpy changed(&store, &SettingsStore::changed);
        const auto files = [&folders] {
            return QDir(folders.configHome()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        };
        store.remove(name);
        QCOMPARE(files(), QStringList()); // nothing to remove writes nothing

        store.setString(name, QStringLiteral("Ada"));
        store.setBinary(QStringLiteral("admin.list"), QByteArray("\0x", 2));
        store.remove(name);
        store.refresh();
        QVERIFY(!store.contains(name));
        QCOMPARE(store.keys(), QStringList{QStringLiteral("admin.list")});
        QCOMPARE(changed.count(), 0);
        if (inMemory)
            QCOMPARE(files(), QStringList());
        else
            QCOMPARE(SettingsStore(store.filePath()).keys(), store.keys());
    }

    void aFolderThatCannotBeMadeKeepsValuesInMemory()
    {
        UserFolders folders;
        const QString blocker = folders.root() + QStringLiteral("/not-a-folder");
        replaceAll(blocker, "a regular file");
        SettingsStore store(blocker + QStringLiteral("/Zol/settings.json"));
        store.setInteger(minutes, 15);
        store.remove(name);
        store.refresh();
        QCOMPARE(store.integer(minutes), qint64(15));
        QCOMPARE(readAll(blocker), QByteArray("a regular file"));
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
