#include "Builders.h"
#include "books/TaskList.h"

#include <QTest>

using namespace Qt::StringLiterals;
using zol::TaskList;
using zol::test::utc;

namespace {

const QDateTime monday = utc(2026, 3, 2, 9);

} // namespace

class TstTaskList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void invariants_data();
    void invariants();
    void emptyListHasNeverBeenSet();
    void normalized_data();
    void normalized();
    void canAdd_data();
    void canAdd();
    void with_data();
    void with();

    void jsonWritesCompactly();
    void jsonRoundTrip();
    void jsonReading_data();
    void jsonReading();
    void editingRules();
};

void TstTaskList::invariants_data()
{
    QTest::addColumn<bool>("isEnabled");
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("choices");

    QTest::newRow("enabled without tasks") << true << QStringList() << false << QStringList();
    QTest::newRow("enabled with only General")
        << true << QStringList{u"General"_s, u" general "_s} << false << QStringList();
    QTest::newRow("enabled with blank tasks")
        << true << QStringList{u" "_s, QString()} << false << QStringList();
    QTest::newRow("enabled") << true << QStringList{u"Sketch"_s, u"Editing logos"_s} << true
                             << QStringList{u"General"_s, u"Sketch"_s, u"Editing logos"_s};
    QTest::newRow("disabled keeps its tasks, offers none")
        << false << QStringList{u"Sketch"_s} << false << QStringList();
}

void TstTaskList::invariants()
{
    QFETCH(bool, isEnabled);
    QFETCH(QStringList, tasks);
    QFETCH(bool, enabled);
    QFETCH(QStringList, choices);

    const TaskList list(isEnabled, tasks, monday);
    QCOMPARE(list.isEnabled(), enabled);
    QCOMPARE(list.tasks(), TaskList::normalized(tasks));
    QVERIFY(!list.tasks().contains(TaskList::general, Qt::CaseInsensitive));
    QCOMPARE(list.choices(), choices);
    QCOMPARE(list.defaultTask(), enabled ? u"General"_s : QString());
    QCOMPARE(list.updatedAt(), monday);
}

void TstTaskList::emptyListHasNeverBeenSet()
{
    const TaskList empty;
    QVERIFY(!empty.isEnabled());
    QVERIFY(empty.tasks().isEmpty());
    QVERIFY(!empty.hasBeenSet());
    QCOMPARE(empty.updatedAt(), TaskList::distantPast());
    QCOMPARE(empty.updatedAt().date(), QDate(1, 1, 1));
    QCOMPARE(empty, TaskList(false, {}, TaskList::distantPast()));

    QVERIFY(TaskList(false, {}, utc(1970, 1, 1)).hasBeenSet());
    QVERIFY(!TaskList(true, {u"Sketch"_s}, TaskList::distantPast()).hasBeenSet());
}

void TstTaskList::normalized_data()
{
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QStringList>("normalized");

    QTest::newRow("the five") << QStringList{u"  Editing   logos  "_s, u"editing logos"_s,
                                             u"General"_s, QString(), u"Sketch"_s}
                              << QStringList{u"Editing logos"_s, u"Sketch"_s};
    QTest::newRow("spellings of General")
        << QStringList{u"GENERAL"_s, u"\tgeneral \n"_s, u"Général"_s,
                       u"\uFF27\uFF45\uFF4E\uFF45\uFF52\uFF41\uFF4C"_s, u"Sketch"_s}
        << QStringList{u"Sketch"_s};
    QTest::newRow("a different word kept") << QStringList{u"Générale"_s, u"General work"_s}
                                           << QStringList{u"Générale"_s, u"General work"_s};
    QTest::newRow("first spelling wins, order kept")
        << QStringList{u"Zeta"_s, u"Álpha"_s, u"alpha"_s, u"ZETA"_s, u"Beta"_s}
        << QStringList{u"Zeta"_s, u"Álpha"_s, u"Beta"_s};
    QTest::newRow("tabs and new lines inside")
        << QStringList{u"Editing\t\nlogos"_s} << QStringList{u"Editing logos"_s};
    QTest::newRow("nothing") << QStringList() << QStringList();
}

void TstTaskList::normalized()
{
    QFETCH(QStringList, tasks);
    QFETCH(QStringList, normalized);
    QCOMPARE(TaskList::normalized(tasks), normalized);
    QCOMPARE(TaskList::normalized(normalized), normalized);
}

void TstTaskList::canAdd_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("canAdd");

    QTest::newRow("a new task") << u"Retouching"_s << true;
    QTest::newRow("générale, a different word") << u"générale"_s << true;
    QTest::newRow("GENERAL") << u"GENERAL"_s << false;
    QTest::newRow("general with blanks") << u"  general \t"_s << false;
    QTest::newRow("Général") << u"Général"_s << false;
    QTest::newRow("an existing task, other spelling") << u"EDITING   Lógos"_s << false;
    QTest::newRow("an existing task, full width")
        << u"\uFF33\uFF4B\uFF45\uFF54\uFF43\uFF48"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blank") << u" \n "_s << false;
    QTest::newRow("an existing task with more words") << u"Editing logos again"_s << true;
}

void TstTaskList::canAdd()
{
    QFETCH(QString, name);
    QFETCH(bool, canAdd);

    const TaskList list(true, {u"Editing logos"_s, u"Sketch"_s}, monday);
    QCOMPARE(list.canAdd(name), canAdd);
    // Whatever can be added survives normalising; whatever cannot is dropped.
    const QStringList added = TaskList::normalized(list.tasks() + QStringList{name});
    QCOMPARE(added.size(), list.tasks().size() + (canAdd ? 1 : 0));
}

void TstTaskList::with_data()
{
    QTest::addColumn<bool>("startEnabled");
    QTest::addColumn<QStringList>("startTasks");
    QTest::addColumn<std::optional<bool>>("isEnabled");
    QTest::addColumn<std::optional<QStringList>>("tasks");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("tasksAfter");

    const QStringList two{u"Sketch"_s, u"Editing logos"_s};
    const std::optional<bool> keepFlag;
    const std::optional<QStringList> keepTasks;
    QTest::newRow("nothing but the time") << true << two << keepFlag << keepTasks << true << two;
    QTest::newRow("switched off keeps the tasks")
        << true << two << std::optional<bool>(false) << keepTasks << false << two;
    QTest::newRow("switched on") << false << two << std::optional<bool>(true) << keepTasks << true
                                 << two;
    QTest::newRow("switched on without tasks stays off")
        << false << QStringList() << std::optional<bool>(true) << keepTasks << false
        << QStringList();
    QTest::newRow("last task removed switches off")
        << true << two << keepFlag << std::optional<QStringList>(QStringList()) << false
        << QStringList();
    QTest::newRow("new tasks normalised")
        << true << two << keepFlag
        << std::optional<QStringList>(QStringList{u" general"_s, u" Sketch  "_s, u"sketch"_s})
        << true << QStringList{u"Sketch"_s};
    QTest::newRow("both replaced") << false << QStringList() << std::optional<bool>(true)
                                   << std::optional<QStringList>(QStringList{u"Retouching"_s})
                                   << true << QStringList{u"Retouching"_s};
}

void TstTaskList::with()
{
    QFETCH(bool, startEnabled);
    QFETCH(QStringList, startTasks);
    QFETCH(std::optional<bool>, isEnabled);
    QFETCH(std::optional<QStringList>, tasks);
    QFETCH(bool, enabled);
    QFETCH(QStringList, tasksAfter);

    const TaskList start(startEnabled, startTasks, monday);
    const QDateTime later = monday.addSecs(90);
    const TaskList changed = start.with(isEnabled, tasks, later);
    QCOMPARE(changed.isEnabled(), enabled);
    QCOMPARE(changed.tasks(), tasksAfter);
    QCOMPARE(changed.updatedAt(), later);
    QCOMPARE(start.updatedAt(), monday);
}

void TstTaskList::jsonWritesCompactly()
{
    const TaskList list(true, {u"Editing logos"_s, u"Café \"Noir\""_s},
                        zol::fromSecondsSince2001(794134800.5));
    QCOMPARE(
        list.toJson(),
        R"({"isEnabled":true,"tasks":["Editing logos","Café \"Noir\""],"updatedAt":794134800.5})"_ba);
}

void TstTaskList::jsonRoundTrip()
{
    for (const TaskList& list :
         {TaskList(), TaskList(true, {u"Editing logos"_s, u"Ωμέγα"_s}, monday.addMSecs(125)),
          TaskList(false, {u"Sketch"_s}, monday)}) {
        const std::optional<TaskList> read = TaskList::fromJson(list.toJson());
        QVERIFY(read);
        QCOMPARE(*read, list);
        QCOMPARE(read->hasBeenSet(), list.hasBeenSet());
    }
}

void TstTaskList::jsonReading_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QDateTime>("updatedAt");

    const QDateTime never = TaskList::distantPast();
    QTest::newRow("empty object") << "{}"_ba << true << false << QStringList() << never;
    QTest::newRow("enabled, one blank task")
        << R"({"isEnabled":true,"tasks":["  "],"updatedAt":0})"_ba << true << false << QStringList()
        << utc(2001, 1, 1);
    QTest::newRow("enabled, no tasks key")
        << R"({"isEnabled":true})"_ba << true << false << QStringList() << never;
    QTest::newRow("tasks normalised on reading")
        << R"({"isEnabled":true,"tasks":["General"," Sketch ","SKETCH","Editing logos"]})"_ba
        << true << true << QStringList{u"Sketch"_s, u"Editing logos"_s} << never;
    QTest::newRow("unknown keys ignored")
        << R"({"tasks":["Sketch"],"colour":"red","updatedAt":-1.5})"_ba << true << false
        << QStringList{u"Sketch"_s} << utc(2000, 12, 31, 23, 59, 58).addMSecs(500);

    const QStringList none;
    QTest::newRow("isEnabled as text")
        << R"({"isEnabled":"true"})"_ba << false << false << none << never;
    QTest::newRow("isEnabled a number")
        << R"({"isEnabled":1})"_ba << false << false << none << never;
    QTest::newRow("isEnabled null")
        << R"({"isEnabled":null})"_ba << false << false << none << never;
    QTest::newRow("tasks a string")
        << R"({"tasks":"Sketch"})"_ba << false << false << none << never;
    QTest::newRow("tasks holding a number")
        << R"({"tasks":["Sketch",3]})"_ba << false << false << none << never;
    QTest::newRow("updatedAt as text")
        << R"({"updatedAt":"2026-03-02T09:00:00Z"})"_ba << false << false << none << never;
    QTest::newRow("an array") << R"([{"isEnabled":true}])"_ba << false << false << none << never;
    QTest::newRow("not JSON") << "Sketch"_ba << false << false << none << never;
    QTest::newRow("cut short") << R"({"isEnabled":true,"tasks":["Ske)"_ba << false << false << none
                               << never;
    QTest::newRow("nothing") << QByteArray() << false << false << none << never;
}

void TstTaskList::jsonReading()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, readable);
    QFETCH(bool, enabled);
    QFETCH(QStringList, tasks);
    QFETCH(QDateTime, updatedAt);

    const std::optional<TaskList> read = TaskList::fromJson(json);
    QCOMPARE(read.has_value(), readable);
    if (read) {
        QCOMPARE(read->isEnabled(), enabled);
        QCOMPARE(read->tasks(), tasks);
        QCOMPARE(read->updatedAt(), updatedAt);
    }
}

// The task settings screen's rules: each change is stamped; refusals say why.
void TstTaskList::editingRules()
{
    const QDateTime t0 = utc(2026, 3, 1);
    const QDateTime t1 = utc(2026, 3, 2);
    const TaskList off;

    QCOMPARE(off.enabling(true, t1).error(),
             u"Add at least one task below first. General is always there as well."_s);
    QVERIFY(!off.adding(u"  général "_s, t1));
    const TaskList one = *off.adding(u"  Editing   logos "_s, t1);
    QCOMPARE(one.tasks(), QStringList{u"Editing logos"_s});
    QCOMPARE(one.updatedAt(), t1);
    QVERIFY(!one.adding(u"EDITING LOGOS"_s, t1));

    const TaskList on = *one.enabling(true, t1);
    QCOMPARE(on.choices(), (QStringList{u"General"_s, u"Editing logos"_s}));
    QCOMPARE(on.removing(u"Editing logos"_s, t1).error(),
             u"Switch tasks off first: while they are on there has to be at least one of your own."_s);
    QCOMPARE(*on.removing(u"Sketch"_s, t1), on); // not a task: nothing to do

    const TaskList three = *on.adding(u"Sketch"_s, t0)->adding(u"Print"_s, t0);
    QCOMPARE(three.moving(u"Print"_s, TaskList::Direction::up, t1).tasks(),
             (QStringList{u"Editing logos"_s, u"Print"_s, u"Sketch"_s}));
    // Nothing moves past either end, and nothing is stamped then.
    QCOMPARE(three.moving(u"Editing logos"_s, TaskList::Direction::up, t1), three);
    QCOMPARE(three.moving(u"Print"_s, TaskList::Direction::down, t1), three);
    QCOMPARE(three.removing(u"Sketch"_s, t1)->tasks(), (QStringList{u"Editing logos"_s, u"Print"_s}));
    QVERIFY(!three.enabling(false, t1)->isEnabled());
}

QTEST_GUILESS_MAIN(TstTaskList)
#include "tst_tasklist.moc"
