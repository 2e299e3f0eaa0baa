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
    // "General" is never one of the tasks, and the list is on only while it
    // holds one of the user's own.
    void invariants()
    {
        QVERIFY(!TaskList(true, {}, monday).isEnabled());
        QVERIFY(!TaskList(true, {u"General"_s, u" "_s}, monday).isEnabled());
        const TaskList on(true, {u"Sketch"_s}, monday);
        QCOMPARE(on.choices(), (QStringList{u"General"_s, u"Sketch"_s}));
        QCOMPARE(on.defaultTask(), u"General"_s);
        const TaskList off(false, {u"Sketch"_s}, monday);
        QCOMPARE(off.tasks(), QStringList{u"Sketch"_s});
        QCOMPARE(off.choices(), QStringList());
        QCOMPARE(off.defaultTask(), QString());

        QVERIFY(!TaskList().hasBeenSet());
        QVERIFY(TaskList(false, {}, utc(1970, 1, 1)).hasBeenSet());

        const QStringList typed{
            u"  Editing   logos  "_s, u"editing logos"_s, u"GENERAL"_s, QString(), u"Général"_s,
            u"\uFF27eneral"_s,        u"Générale"_s,      u"Zeta"_s,    u"ZETA"_s};
        const QStringList kept{u"Editing logos"_s, u"Générale"_s, u"Zeta"_s};
        QCOMPARE(TaskList::normalized(typed), kept);
        QCOMPARE(TaskList(true, typed, monday).tasks(), kept);

        const TaskList list(true, kept, monday);
        QVERIFY(list.canAdd(u"Editing logos again"));
        for (const auto name : {u"  general \t", u"EDITING   Lógos", u"\uFF3Aeta", u" \n "})
            QVERIFY2(!list.canAdd(name), qPrintable(QString::fromUtf16(name)));
    }

    void with()
    {
        const QDateTime later = monday.addSecs(90);
        const TaskList none(false, {}, monday);
        const TaskList two(true, {u"Sketch"_s, u"Print"_s}, monday);
        QVERIFY(!none.with(true, std::nullopt, later).isEnabled());
        QVERIFY(!two.with(std::nullopt, QStringList(), later).isEnabled());
        const TaskList changed =
            two.with(std::nullopt, QStringList{u" general"_s, u" Sketch "_s}, later);
        QCOMPARE(changed.tasks(), QStringList{u"Sketch"_s});
        QVERIFY(changed.isEnabled());
        QCOMPARE(changed.updatedAt(), later);
        QCOMPARE(two.with(false, std::nullopt, later).tasks(), two.tasks());
    }

    void json();

    // The task settings screen: each change is stamped; refusals say why.
    void editingRules()
    {
        const QDateTime t0 = utc(2026, 3, 1), t1 = utc(2026, 3, 2);
        const TaskList off;
        QCOMPARE(off.enabling(true, t1).error(),
                 u"Add at least one task below first. General is always there as well."_s);
        QVERIFY(!off.adding(u"  général "_s, t1));
        const TaskList one = *off.adding(u"  Editing   logos "_s, t1);
        QCOMPARE(one, TaskList(false, {u"Editing logos"_s}, t1));
        QVERIFY(!one.adding(u"EDITING LOGOS"_s, t1));

        const TaskList on = *one.enabling(true, t1);
        QCOMPARE(
            on.removing(u"Editing logos"_s, t1).error(),
            u"Switch tasks off first: while they are on there has to be at least one of your own."_s);
        QCOMPARE(*on.removing(u"Sketch"_s, t1), on); // not a task: nothing to do

        const TaskList three = *on.adding(u"Sketch"_s, t0)->adding(u"Print"_s, t0);
        QCOMPARE(three.moving(u"Print"_s, TaskList::Direction::up, t1),
                 TaskList(true, {u"Editing logos"_s, u"Print"_s, u"Sketch"_s}, t1));
        // Nothing moves past either end, and nothing is stamped then.
        QCOMPARE(three.moving(u"Editing logos"_s, TaskList::Direction::up, t1), three);
        QCOMPARE(three.moving(u"Print"_s, TaskList::Direction::down, t1), three);
        QCOMPARE(three.removing(u"Sketch"_s, t1)->tasks(),
                 (QStringList{u"Editing logos"_s, u"Print"_s}));
    }
};

void TstTaskList::json()
{
    const TaskList list(true, {u"Editing logos"_s, u"Café \"Noir\""_s},
                        zol::fromSecondsSince2001(794134800.5));
    QCOMPARE(
        list.toJson(),
        R"({"isEnabled":true,"tasks":["Editing logos","Café \"Noir\""],"updatedAt":794134800.5})"_ba);
    QCOMPARE(TaskList::fromJson(list.toJson()), list);
    QCOMPARE(TaskList::fromJson(TaskList().toJson()), TaskList());

    // Missing keys read as never set; tasks are tidied on reading.
    QCOMPARE(TaskList::fromJson("{}"), TaskList());
    QCOMPARE(TaskList::fromJson(R"({"isEnabled":true,"tasks":["General"," Sketch ","SKETCH"]})"),
             TaskList(true, {u"Sketch"_s}, TaskList::distantPast()));
    QCOMPARE(TaskList::fromJson(R"({"tasks":["Sketch"],"colour":"red","updatedAt":-1.5})"),
             TaskList(false, {u"Sketch"_s}, utc(2000, 12, 31, 23, 59, 58).addMSecs(500)));

    for (const char* bad : {R"({"isEnabled":"true"})", R"({"isEnabled":1})",
                            R"({"isEnabled":null})", R"({"tasks":"Sketch"})",
                            R"({"tasks":["Sketch",3]})", R"({"updatedAt":"2026-03-02T09:00:00Z"})",
                            R"([{"isEnabled":true}])", R"({"isEnabled":true,"tasks":["Ske)", ""})
        QVERIFY2(!TaskList::fromJson(bad), bad);
}

QTEST_GUILESS_MAIN(TstTaskList)
#include "tst_tasklist.moc"
