// What the tray's panel reads off the controller and the few operations made
// for it: which header shows, the picker's captions, the add form's and the
// editor's sentences, the note saved only once typing pauses, the task of the
// session under way, and Return and Escape in the picker.

#include "Books.h"
#include "Captions.h"
#include "CatalogueModel.h"
#include "PanelState.h"
#include "ProjectDraft.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

Q_DECLARE_METATYPE(zol::ProjectDraft)

class TestPanelState : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;

    AppModel& model() { return *m_books->model; }
    Tracker& tracker() { return *model().books().tracker(); }
    FakeClock& clock() { return m_books->clock; }

    // `count` projects numbered 1001 upwards, client "Client", none used yet.
    void addProjects(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString number = QString::number(1001 + i);
            m_books->store().addManualProject(project(number, u"Project "_s + number, u"Client"_s,
                                                      utc(2026, 1, 1), utc(2026, 1, 1)));
        }
        tracker().reload();
    }
    // The note of the open session as the books hold it.
    QString storedNote() { return m_books->store().openEntry().value_or(TimeEntry()).note; }

private Q_SLOTS:
    void init() { m_books = std::make_unique<Books>(); }
    void cleanup() { m_books.reset(); }

    void headerFollowsWhatIsGoingOn()
    {
        using PanelState::Header;
        addProjects(2);
        QCOMPARE(PanelState::header(model().panel()), Header::today);
        model().panel().arm(tracker().projects().first());
        QCOMPARE(PanelState::header(model().panel()), Header::armed);
        model().sessions().startArmed();
        QCOMPARE(PanelState::header(model().panel()), Header::session);
        tracker().pause();
        QCOMPARE(PanelState::header(model().panel()), Header::session);
        // The away-time question goes before everything, a session included.
        model().panel().setIdleReport(IdleReport{clock().now(), 600, tracker().current()->id});
        QCOMPARE(PanelState::header(model().panel()), Header::idlePrompt);
    }

    void sentences_data()
    {
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("expected");
        const Project linked =
            project(u"2301"_s, u"Brand book"_s, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1));
        const Project unnumbered = Project::local(u"Sketches"_s, u"Acme"_s, utc(2026, 1, 1));
        QTest::newRow("no sessions") << PanelState::sessionCount(0) << u"· 0 sessions"_s;
        QTest::newRow("one session") << PanelState::sessionCount(1) << u"· 1 session"_s;
        QTest::newRow("two sessions") << PanelState::sessionCount(2) << u"· 2 sessions"_s;
        QTest::newRow("title with a number")
            << Captions::projectTitle(linked) << u"2301 Brand book"_s;
        QTest::newRow("title without one") << Captions::projectTitle(unnumbered) << u"Sketches"_s;
        QTest::newRow("number taken") << PanelState::numberTaken(u" 2301 ", linked)
                                      << u"2301 already exists: Acme — Brand book"_s;
        QTest::newRow("editor, number kept (case and blanks aside)")
            << PanelState::editorFooter(linked, u" 2301 ")
            << u"The number, client and name are what the studio sees."_s;
        QTest::newRow("editor, number blank")
            << PanelState::editorFooter(linked, u"  ")
            << u"The number, client and name are what the studio sees."_s;
        QTest::newRow("editor, number changed")
            << PanelState::editorFooter(linked, u"2302")
            << u"Changing the number moves every session on this project onto it."_s;
        QTest::newRow("editor, first number")
            << PanelState::editorFooter(unnumbered, u"2399")
            << u"Adding the number moves everything tracked so far onto it."_s;
        QTest::newRow("editor, still none")
            << PanelState::editorFooter(unnumbered, u"")
            << u"The number, client and name are what the studio sees."_s;
    }

    void sentences()
    {
        QFETCH(QString, said);
        QTEST(said, "expected");
    }

    void stillNeeded_data()
    {
        QTest::addColumn<ProjectDraft>("draft");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only a client")
            << ProjectDraft{false, {}, u"Acme"_s, {}, {}, true} << u"Still needed: number, name."_s;
        QTest::newRow("blanks are nothing")
            << ProjectDraft{false, u" "_s, u"\t"_s, u"  "_s, {}, true}
            << u"Still needed: number, client, name."_s;
        QTest::newRow("complete") << ProjectDraft{false, u"2301"_s, u"Acme"_s, u"Brand"_s, {}, true}
                                  << QString();
        QTest::newRow("an editor of a project without a number")
            << ProjectDraft{false, {}, u"Acme"_s, {}, {}, false} << u"Still needed: name."_s;
        QTest::newRow("internal, undescribed")
            << ProjectDraft{true, u"2301"_s, {}, {}, u" "_s, true} << u"Describe what it is."_s;
        QTest::newRow("internal, described")
            << ProjectDraft{true, {}, {}, {}, u"Team meeting"_s, true} << QString();
    }

    void stillNeeded()
    {
        QFETCH(ProjectDraft, draft);
        QFETCH(QString, expected);
        QCOMPARE(draft.stillNeeded().value_or(QString()), expected);
        QCOMPARE(draft.isComplete(), expected.isEmpty());
    }

    void pickerCaptions()
    {
        // No projects and no filter: the invitation, not an empty list.
        QVERIFY(PanelState::hasNoProjects(model().panel()));
        QVERIFY(!PanelState::nothingMatches(model().panel(), model().panel().pickerProjects()));
        model().panel().setProjectFilter(u"brand"_s);
        QVERIFY(!PanelState::hasNoProjects(model().panel()));
        QCOMPARE(PanelState::nothingMatches(model().panel(), model().panel().pickerProjects()),
                 u"Nothing matches “brand”"_s);

        addProjects(25);
        model().panel().setProjectFilter(u"  "_s);
        const auto caption = [this] {
            return PanelState::pickerCaption(model().panel(), model().panel().pickerProjects());
        };
        QCOMPARE(caption(), u"10 most recent · type to search all 25"_s);
        model().panel().setProjectFilter(u" zzz "_s);
        QVERIFY(!caption());
        QCOMPARE(PanelState::nothingMatches(model().panel(), model().panel().pickerProjects()),
                 u"Nothing matches “zzz”"_s);
        model().panel().setProjectFilter(u"1025"_s);
        QVERIFY(!PanelState::nothingMatches(model().panel(), model().panel().pickerProjects()));
        QCOMPARE(caption(), u"1 of 25 projects"_s);
    }

    void switchOffersOnlyOtherWork()
    {
        addProjects(2);
        const Project first = tracker().projects().at(0);
        const Project second = tracker().projects().at(1);
        model().panel().arm(second);
        QVERIFY(!PanelState::switchCaption(model().panel())); // nothing current
        model().sessions().start(first);
        model().panel().arm(first);
        QVERIFY(!PanelState::switchCaption(model().panel()));
        model().panel().arm(second);
        QCOMPARE(PanelState::switchCaption(model().panel()), u"Switch to 1002 Project 1002"_s);
        model().panel().armInternal(u" Team meeting "_s);
        QCOMPARE(PanelState::switchCaption(model().panel()), u"Switch to Team meeting"_s);
        model().sessions().startArmed();
        model().panel().armInternal(u"Team meeting"_s);
        QVERIFY(!PanelState::switchCaption(model().panel()));
    }

    void awaySince()
    {
        const QDateTime now = utc(2026, 3, 2, 11, 0);
        const QLocale english(QLocale::English, QLocale::UnitedKingdom);
        const Calendar utcCalendar(QTimeZone::utc());
        const IdleReport earlier{utc(2026, 3, 2, 10, 42, 30), 1050, QUuid::createUuid()};
        QCOMPARE(PanelState::awaySince(earlier, now, utcCalendar, english), u"10:42"_s);
        const IdleReport yesterday{utc(2026, 3, 1, 23, 10), 42600, QUuid::createUuid()};
        QCOMPARE(PanelState::awaySince(yesterday, now, utcCalendar, english),
                 u"1 Mar 2026, 23:10"_s);
    }

    // The note reaches the books once typing pauses, and before anything
    // that ends the session; never a write per key.
    void noteIsSavedWhenTypingPauses()
    {
        model().sessions().start(brandBook);
        QSignalSpy writes(&tracker(), &Tracker::currentChanged);
        for (const QString& typed : {u"c"_s, u"ca"_s, u"call"_s}) {
            model().panel().setCurrentNote(typed);
            clock().advance(PanelModel::noteSaveDelay / 2);
        }
        QCOMPARE(writes.size(), 0);
        QCOMPARE(storedNote(), QString());
        QCOMPARE(model().panel().currentNote(), u"call"_s);
        clock().advance(PanelModel::noteSaveDelay);
        QVERIFY(!writes.isEmpty());
        QCOMPARE(storedNote(), u"call"_s);

        // Typed, then stopped at once: the note goes with the session.
        model().panel().setCurrentNote(u"call with Acme"_s);
        clock().advance(120);
        model().panel().setCurrentNote(u"call with Acme about fonts"_s);
        model().sessions().stop();
        QCOMPARE(m_books->store().recentEntries(1).first().note, u"call with Acme about fonts"_s);

        // Typed for a session that was then thrown away: it lands on no other.
        model().sessions().start(brandBook);
        model().panel().setCurrentNote(u"lost"_s);
        model().sessions().discard();
        model().sessions().start(brandBook);
        clock().advance(PanelModel::noteSaveDelay * 2);
        QCOMPARE(storedNote(), QString());
        QCOMPARE(model().panel().currentNote(), QString());
    }

    void taskOfTheSessionUnderWay()
    {
        model().books().saveTaskList(true, {u"Design"_s, u"Meetings"_s});
        model().sessions().chooseTask(u"Meetings"_s);
        QCOMPARE(model().panel().chosenTask(), u"Meetings"_s);
        model().sessions().start(brandBook);
        QCOMPARE(model().panel().chosenTask(), u"Meetings"_s);
        model().sessions().chooseTask(u"Design"_s);
        QCOMPARE(tracker().current()->task, u"Design"_s);
        model().sessions().chooseTask(u"Not a task"_s);
        QCOMPARE(tracker().current()->task, u"Design"_s);
        // The next session starts from the default again.
        model().sessions().stop();
        QCOMPARE(model().panel().chosenTask(), u"General"_s);
    }

    void returnAndEscapeInThePicker()
    {
        addProjects(12);
        // A filter with nothing armed: the first Return arms, the second starts.
        model().panel().setProjectFilter(u"100"_s);
        model().sessions().startFromPicker();
        QCOMPARE(model().panel().armedProject()->serial, u"1001"_s);
        QVERIFY(!tracker().isTracking());
        model().panel().moveArm(1);
        model().sessions().startFromPicker();
        QCOMPARE(tracker().current()->projectSerial, u"1002"_s);

        // An armed project the filter hides is not started by Return.
        model().panel().arm(tracker().projects().at(11));
        model().panel().setProjectFilter(u"1003"_s);
        model().sessions().startFromPicker();
        QCOMPARE(model().panel().armedProject()->serial, u"1003"_s);
        QCOMPARE(tracker().current()->projectSerial, u"1002"_s);

        QVERIFY(model().panel().clearPicker());
        QVERIFY(model().panel().projectFilter().isEmpty());
        QVERIFY(!model().panel().hasArmedWork());
        QVERIFY(!model().panel().clearPicker());
    }

    void addingAndEditingKeepTheArmedRecord()
    {
        CatalogueModel& catalogue = *model().catalogue();
        QVERIFY(catalogue.addAndArm(u" 2399 "_s, u"Posters"_s, u"Acme"_s));
        QCOMPARE(model().panel().armedProject(), tracker().projects().first());
        QVERIFY(!catalogue.addAndArm(u"2399"_s, u"Again"_s, u"Acme"_s));
        QCOMPARE(model().panel().armedProject()->name, u"Posters"_s);

        QVERIFY(catalogue.updateInPicker(*model().panel().armedProject(), u"Big posters"_s,
                                         u"Acme"_s, u"2400"_s));
        QCOMPARE(model().panel().armedProject()->serial, u"2400"_s);
        QCOMPARE(model().panel().armedProject()->name, u"Big posters"_s);
        model().panel().moveArm(1); // found in the list, so the only project stays armed
        QCOMPARE(model().panel().armedProject()->serial, u"2400"_s);
    }
};

QTEST_MAIN(TestPanelState)
#include "tst_panelstate.moc"
