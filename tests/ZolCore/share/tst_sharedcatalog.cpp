#include "Builders.h"
#include "share/SharedCatalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using zol::test::utc;

namespace {

const QDateTime written = utc(2025, 3, 14, 9, 26, 53);
const QDateTime now = utc(2026, 1, 5, 12);
const QStringList kinds{u"meta"_s, u"shard"_s, u"tasks"_s, u"legacy"_s};

SharedProject shared(const QString& number, const QString& name, const QString& client = {})
{
    return SharedProject(test::project(number, name, client, utc(2024, 2, 1, 8), written));
}

const PeerMeta meta{1, u"A1B2"_s, u"Studio Mac"_s, written, 3, 64};
const CatalogShard shard{1, u"A1B2"_s, 24, {shared(u"2401"_s, u"Logo / icons"_s, u"Café"_s)}};
const LegacyCatalog legacy{1, u"A1B2"_s, u"Studio Mac"_s, written, shard.projects};

// A function, not a constant: TaskList's constructor uses another file's statics.
SharedTasks tasks()
{
    return SharedTasks{1, u"A1B2"_s, TaskList(true, {u"Sketch"_s}, written.addMSecs(250))};
}

QByteArray encoded(const QString& kind)
{
    return kind == u"meta"    ? meta.encode()
           : kind == u"shard" ? shard.encode()
           : kind == u"tasks" ? tasks().encode()
                              : legacy.encode();
}

bool decodes(const QString& kind, const QByteArray& json)
{
    return kind == u"meta"    ? PeerMeta::decode(json).has_value()
           : kind == u"shard" ? CatalogShard::decode(json, now).has_value()
           : kind == u"tasks" ? SharedTasks::decode(json).has_value()
                              : LegacyCatalog::decode(json, now).has_value();
}

// The example of that kind with one key set to `value`, or removed when the
// value is undefined; "project.<key>" is a key of the first project,
// "list.<key>" one of the task list.
QByteArray edited(const QString& kind, const QString& key, const QJsonValue& value)
{
    const auto set = [&](QJsonObject object, const QString& name) {
        if (value.isUndefined())
            object.remove(name);
        else
            object[name] = value;
        return object;
    };
    QJsonObject object = QJsonDocument::fromJson(encoded(kind)).object();
    if (key.startsWith(u"project.")) {
        QJsonArray projects = object[u"projects"_s].toArray();
        projects[0] = set(projects[0].toObject(), key.mid(8));
        object[u"projects"_s] = projects;
    } else if (key.startsWith(u"list.")) {
        object[u"list"_s] = set(object[u"list"_s].toObject(), key.mid(5));
    } else {
        object = set(object, key);
    }
    return QJsonDocument(object).toJson();
}

} // namespace

class TstSharedCatalog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void goldenFiles()
    {
        QCOMPARE(meta.encode(), R"({
    "machineId": "A1B2",
    "machineName": "Studio Mac",
    "projectCount": 3,
    "shardCount": 64,
    "version": 1,
    "writtenAt": "2025-03-14T09:26:53Z"
}
)"_ba);
        // "/" and "é" are written as they are.
        QCOMPARE(shard.encode(), R"({
    "machineId": "A1B2",
    "projects": [
        {
            "client": "Café",
            "createdAt": "2024-02-01T08:00:00Z",
            "isActive": true,
            "name": "Logo / icons",
            "number": "2401",
            "updatedAt": "2025-03-14T09:26:53Z"
        }
    ],
    "shard": 24,
    "version": 1
}
)"_ba);
    }

    void roundTripsAndVersions()
    {
        const Project project = test::project(u"2401"_s, u"Menu"_s, u"Acme"_s, written, now, false);
        QCOMPARE(SharedProject(project).project(), project);
        QCOMPARE(PeerMeta::decode(meta.encode()), meta);
        QCOMPARE(SharedTasks::decode(tasks().encode()), tasks());
        QCOMPARE(LegacyCatalog::decode(legacy.encode(), now), legacy);
        // Written sorted by code point: U+FF21 first, where UTF-16 order puts it last.
        CatalogShard unsorted = shard;
        unsorted.projects = {shared(u"\U0001F600"_s, u"Smile"_s), shared(u"\uFF21"_s, u"Wide"_s)};
        CatalogShard sorted = unsorted;
        sorted.projects.swapItemsAt(0, 1);
        QCOMPARE(CatalogShard::decode(unsorted.encode(), now), sorted);

        // A record of a later version is skipped, not guessed at.
        for (const QString& kind : kinds) {
            for (const int version : {1, 0, 2})
                QVERIFY2(decodes(kind, edited(kind, u"version"_s, version)) == (version <= 1),
                         qPrintable(kind + QString::number(version)));
        }
    }

    void missingOptionalKeys()
    {
        const auto decoded = CatalogShard::decode(
            R"({"version":1,"machineId":"A","shard":0,"projects":[{"number":"7","name":"N"}]})", now);
        QVERIFY(decoded);
        // No client, active, edited now, created at the start of the epoch.
        QCOMPARE(decoded->projects, QList{SharedProject(test::project(u"7"_s, u"N"_s, {}, utc(1970, 1, 1), now))});
    }

    // Anyone who can write to the share can write these files: what they say
    // of names reaches other people's screens and terminals, so controls are
    // taken out as they are read. A line break becomes a space; a closed
    // isolate is kept.
    void namesFromAnotherComputerAreOnePlainLine()
    {
        const QByteArray hostile =
            "{\"version\":1,\"machineId\":\"A\",\"shard\":0,\"projects\":[{\"number\":"
            "\"7\\u001b[2J\",\"name\":\"\\u001b[31mRED\\u001b[0m\\u202e\",\"client\":"
            "\"Acme\\nBV \\u2067\\u05e9\\u2069\"}]}";
        const auto decoded = CatalogShard::decode(hostile, now);
        QVERIFY(decoded);
        const SharedProject& p = decoded->projects.first();
        QCOMPARE((QStringList{p.number, p.name, p.client}),
                 (QStringList{u"7[2J"_s, u"[31mRED[0m"_s, u"Acme BV \u2067\u05e9\u2069"_s}));
        PeerMeta named = meta;
        named.machineName = u"Anna\u009b\u0007"_s;
        QCOMPARE(PeerMeta::decode(named.encode())->machineName, u"Anna"_s);
    }

    // Each text must give no value, for its kind or (kind empty) for every kind.
    void rejected_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("json");
        const auto row = [](const char* name, const QString& kind, const QString& key, const QJsonValue& value) {
            QTest::newRow(name) << kind << edited(kind, key, value);
        };
        const QJsonValue missing(QJsonValue::Undefined);
        const QString fraction = u"2025-03-14T09:26:53.250Z"_s;
        row("no machineName", u"meta"_s, u"machineName"_s, missing);
        row("count 1.5", u"meta"_s, u"projectCount"_s, 1.5);
        row("count above int", u"meta"_s, u"projectCount"_s, 3e9);
        row("writtenAt fraction", u"meta"_s, u"writtenAt"_s, fraction);
        row("shard 64", u"shard"_s, u"shard"_s, 64);
        row("shard -1", u"shard"_s, u"shard"_s, -1);
        row("project without name", u"shard"_s, u"project.name"_s, missing);
        row("client null", u"shard"_s, u"project.client"_s, QJsonValue());
        row("isActive as text", u"legacy"_s, u"project.isActive"_s, u"yes"_s);
        row("createdAt fraction", u"shard"_s, u"project.createdAt"_s, fraction);
        row("list as array", u"tasks"_s, u"list"_s, QJsonArray());
        row("list tasks as text", u"tasks"_s, u"list.tasks"_s, u"Sketch"_s);

        const QByteArray text = meta.encode();
        const QByteArray deep = "{\"x\":" + QByteArray(100'000, '[') + QByteArray(100'000, ']') + ",";
        QTest::newRow("truncated") << QString() << text.chopped(3);
        QTest::newRow("array") << QString() << QByteArray("[" + text + "]");
        QTest::newRow("byte ff") << QString() << QByteArray(text).replace("Studio", "Stud\xff");
        QTest::newRow("surrogate") << QString() << QByteArray(text).replace("Studio", "\xed\xa0\x80");
        QTest::newRow("deep") << QString() << QByteArray(text).replace("{", deep);
    }

    void rejected()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, json);
        for (const QString& k : kind.isEmpty() ? kinds : QStringList{kind})
            QVERIFY2(!decodes(k, json), qPrintable(k));
    }

    void numberOrderIsCodePointOrder()
    {
        QVERIFY(numberLess(u"24"_s, u"2401"_s));
        QVERIFY(!numberLess(u"2401"_s, u"2401"_s));
        QVERIFY(!numberLess(u"1\U0001F600"_s, u"1\uE000"_s));
    }

    // The big files are written straight to text; any reader must see exactly
    // what Qt's own writer would have made of the same values.
    void writesWhatQtWouldWrite()
    {
        const QDateTime t = QDateTime(QDate(2026, 3, 2), QTime(8, 15), Qt::UTC);
        const QString tricky = u"q\"b\\s/\b\f\n\r\t\x01\x1f\x7f é € 😀 \u2028"_s + QChar(0xD800) + u"end"_s;
        const QList<SharedProject> projects{SharedProject(test::project(u"b2"_s, tricky, tricky, t.addDays(-3), t)),
                                            SharedProject(test::project(u"a1"_s, {}, {}, t.addDays(-3), t, false))};
        QJsonArray viaQt;
        for (const SharedProject& p : {projects[1], projects[0]})
            viaQt.append(QJsonObject{{u"number"_s, p.number}, {u"name"_s, p.name}, {u"client"_s, p.client},
                                     {u"isActive"_s, p.isActive}, {u"updatedAt"_s, iso8601(p.updatedAt)},
                                     {u"createdAt"_s, iso8601(p.createdAt)}});
        QCOMPARE((CatalogShard{1, tricky, 7, projects}.encode()),
                 QJsonDocument(QJsonObject{{u"version"_s, 1}, {u"machineId"_s, tricky}, {u"shard"_s, 7},
                                           {u"projects"_s, viaQt}})
                     .toJson(QJsonDocument::Indented));
        QCOMPARE((LegacyCatalog{1, u"M"_s, tricky, t, {}}.encode()),
                 QJsonDocument(QJsonObject{{u"version"_s, 1}, {u"machineId"_s, u"M"_s}, {u"machineName"_s, tricky},
                                           {u"writtenAt"_s, iso8601(t)}, {u"projects"_s, QJsonArray()}})
                     .toJson(QJsonDocument::Indented));
    }
};

QTEST_GUILESS_MAIN(TstSharedCatalog)
#include "tst_sharedcatalog.moc"
