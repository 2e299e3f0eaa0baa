// The checks typed values pass before they are stored: names and notes by
// encoding, length and blankness, settings by their ranges, and the project
// operations that refuse in those words and change nothing.

#include "Books.h"
#include "CatalogueModel.h"
#include "InputCheck.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using Name = InputCheck::Name;

Q_DECLARE_METATYPE(InputCheck::Name)

namespace {

// Text holding one byte that was not UTF-8, as the command line carries it.
const QString undecodable = u"Caf"_s + QChar(char16_t(0xDCE9));
// One character outside the Basic Multilingual Plane: two UTF-16 units.
const QString grinning = u"😀"_s;

} // namespace

class TestInputCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data()
    {
        QTest::addColumn<Name>("what");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal"); // empty: accepted

        const QString a200 = QString(200, u'a');
        QTest::newRow("plain") << Name::project << u"Brand book"_s << QString();
        QTest::newRow("200") << Name::project << a200 << QString();
        QTest::newRow("201") << Name::project << a200 + u'a'
                             << u"The project's name is 201 characters long; the most is 200."_s;
        QTest::newRow("200 with blanks around")
            << Name::administration << u"  "_s + a200 + u"\n"_s << QString();
        QTest::newRow("200 outside the BMP") << Name::task << grinning.repeated(200) << QString();
        QTest::newRow("201 outside the BMP")
            << Name::task << grinning.repeated(201)
            << u"The task's name is 201 characters long; the most is 200."_s;
        QTest::newRow("not UTF-8") << Name::person << undecodable
                                   << u"The name timesheets are filed under is not valid UTF-8 "
                                      u"text."_s;
        QTest::newRow("lone high surrogate") << Name::client << u"Acme"_s + QChar(char16_t(0xD83D))
                                             << u"The client's name is not valid UTF-8 text."_s;
        QTest::newRow("blank person") << Name::person << u" \t"_s
                                      << u"The name timesheets are filed under cannot be blank."_s;
        QTest::newRow("blank project")
            << Name::project << QString() << u"A project needs a name."_s;
        QTest::newRow("blank books")
            << Name::administration << u" "_s << u"The administration needs a name."_s;
        QTest::newRow("blank internal work")
            << Name::internalWork << QString() << u"Internal work needs a description."_s;
        QTest::newRow("blank client") << Name::client << QString() << QString();
        // Text a terminal would act on, or that reorders what follows it.
        const QString oneLine = u" holds control characters, such as a line break, a tab or an "
                                u"escape code; it must be one line of plain text."_s;
        QTest::newRow("escape codes")
            << Name::project << u"\x1b[2J\x1b[31mRED\x1b[0m"_s << u"The project's name"_s + oneLine;
        QTest::newRow("line break inside")
            << Name::client << u"Acme\nBV"_s << u"The client's name"_s + oneLine;
        QTest::newRow("tab inside")
            << Name::person << u"Anna\tB"_s << u"The name timesheets are filed under"_s + oneLine;
        QTest::newRow("C1 control") << Name::administration << u"Studio\u009b2J"_s
                                    << u"The administration’s name"_s + oneLine;
        QTest::newRow("DEL") << Name::projectNumber << u"23\u007f01"_s
                             << u"The project number"_s + oneLine;
        QTest::newRow("override left open")
            << Name::task << u"Draw \u202Egnp.exe"_s << u"The task's name"_s + oneLine;
        QTest::newRow("isolate closed again")
            << Name::project << u"Poster \u2067\u05E9\u05DC\u05D5\u05DD\u2069"_s << QString();
        QTest::newRow("right-to-left letters")
            << Name::client << u"\u0645\u062A\u062D\u0641"_s << QString();
        QTest::newRow("blank number") << Name::projectNumber << u"  "_s << QString();
    }

    void names()
    {
        QFETCH(Name, what);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QCOMPARE(InputCheck::refuseName(what, typed).value_or(QString()), refusal);
    }

    void notes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");

        QTest::newRow("none") << QString() << QString();
        QTest::newRow("lines") << u"Logo\n- colours\n- type"_s << QString();
        QTest::newRow("at the bound") << QString(10'000, u'x') << QString();
        QTest::newRow("past the bound")
            << QString(10'001, u'x')
            << u"The note is 10,001 characters long; the most is 10,000."_s;
        QTest::newRow("not UTF-8") << undecodable << u"The note is not valid UTF-8 text."_s;
        QTest::newRow("tabs") << u"Logo\tcolours"_s << QString();
        QTest::newRow("escape code")
            << u"Logo\n\x1b]0;owned\x07"_s
            << u"The note holds control characters, such as escape codes; only line breaks and "
               u"tabs may be in a note."_s;
    }

    void notes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QCOMPARE(InputCheck::refuseNote(typed).value_or(QString()), refusal);
    }

    void settings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("refusal"); // empty: `value` is taken

        const QString idle = u"idle.minutes takes a whole number of minutes from 1 to 240"_s;
        QTest::newRow("idle 0") << u"idle.minutes"_s << u"0"_s << 0 << idle + u", not 0."_s;
        QTest::newRow("idle 1") << u"idle.minutes"_s << u"1"_s << 1 << QString();
        QTest::newRow("idle 240") << u"idle.minutes"_s << u" 240 "_s << 240 << QString();
        QTest::newRow("idle 241") << u"idle.minutes"_s << u"241"_s << 0 << idle + u", not 241."_s;
        QTest::newRow("idle -1") << u"idle.minutes"_s << u"-1"_s << 0 << idle + u", not -1."_s;
        QTest::newRow("idle ten") << u"idle.minutes"_s << u"ten"_s << 0 << idle + u'.';
        QTest::newRow("idle past int") << u"idle.minutes"_s << u"4294967297"_s << 0 << idle + u'.';

        const QString hours =
            u"ui.longRunningWarningHours takes a whole number of hours from 0 (never) to 24"_s;
        QTest::newRow("hours 0") << u"ui.longRunningWarningHours"_s << u"0"_s << 0 << QString();
        QTest::newRow("hours 24") << u"ui.longRunningWarningHours"_s << u"24"_s << 24 << QString();
        QTest::newRow("hours 25") << u"ui.longRunningWarningHours"_s << u"25"_s << 0
                                  << hours + u", not 25."_s;
        QTest::newRow("hours -1") << u"ui.longRunningWarningHours"_s << u"-1"_s << 0
                                  << hours + u", not -1."_s;

        const QString first =
            u"reminders.firstMinutes takes a whole number of minutes from 1 to 1440"_s;
        QTest::newRow("first 0") << u"reminders.firstMinutes"_s << u"0"_s << 0
                                 << first + u", not 0."_s;
        QTest::newRow("first 1") << u"reminders.firstMinutes"_s << u"1"_s << 1 << QString();
        QTest::newRow("first 1440")
            << u"reminders.firstMinutes"_s << u"1440"_s << 1440 << QString();
        QTest::newRow("first 1441")
            << u"reminders.firstMinutes"_s << u"1441"_s << 0 << first + u", not 1441."_s;

        const QString repeat = u"reminders.repeatMinutes takes a whole number of minutes from 0 "
                               u"(remind once) to 1440"_s;
        QTest::newRow("repeat 0") << u"reminders.repeatMinutes"_s << u"0"_s << 0 << QString();
        QTest::newRow("repeat 1440")
            << u"reminders.repeatMinutes"_s << u"1440"_s << 1440 << QString();
        QTest::newRow("repeat 1441")
            << u"reminders.repeatMinutes"_s << u"1441"_s << 0 << repeat + u", not 1441."_s;
        QTest::newRow("repeat -1")
            << u"reminders.repeatMinutes"_s << u"-1"_s << 0 << repeat + u", not -1."_s;
    }

    void settings()
    {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, refusal);
        const std::expected<int, QString> number = InputCheck::settingNumber(key, typed);
        QCOMPARE(number.has_value() ? QString() : number.error(), refusal);
        if (number)
            QCOMPARE(*number, value);
        // The screens hand over numbers: the same verdict.
        if (refusal.contains(u", not "_s))
            QCOMPARE(InputCheck::refuseSetting(key, typed.toInt()).value_or(QString()), refusal);
    }

    void projectOperationsRefuseAndChangeNothing()
    {
        Books books;
        CatalogueModel& catalogue = *books.model->catalogue();
        const QString tooLong = QString(201, u'n');

        QVERIFY(!catalogue.quickAddProject(u"2301"_s, tooLong, u"Acme"_s));
        QCOMPARE(books.said(), u"The project's name is 201 characters long; the most is 200."_s);
        QVERIFY(!catalogue.quickAddProject(u"2301"_s, u"Brand book"_s, undecodable));
        QCOMPARE(books.said(), u"The client's name is not valid UTF-8 text."_s);
        QVERIFY(catalogue.allProjects().isEmpty());

        const Outcome<Project> added =
            catalogue.quickAddProject(u"2301"_s, u"Brand book"_s, u"Acme"_s);
        QVERIFY(added);
        QVERIFY(!catalogue.updateProject(*added, u"Brand book"_s, u"Acme"_s, undecodable));
        QCOMPARE(books.said(), u"The project number is not valid UTF-8 text."_s);
        QVERIFY(!catalogue.updateProject(*added, u" "_s, u"Acme"_s, {}));
        QCOMPARE(books.said(), u"A project needs a name."_s);
        QCOMPARE(catalogue.allProjects(), QList<Project>{*added});
    }
};

QTEST_GUILESS_MAIN(TestInputCheck)
#include "tst_inputcheck.moc"
