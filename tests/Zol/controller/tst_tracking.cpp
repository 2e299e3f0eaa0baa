// The tracking commands and the picker through the controller: what the hot
// key does in each state, which projects the picker offers and how the arrow
// keys move through them, the away-time answer, and another process's writes.

#include "AppModel.h"
#include "Builders.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "UserFolders.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestTracking : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<SettingsStore> m_defaults;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<AppModel> m_model;

    // `count` active projects numbered 1001 upwards; the first `used` of
    // them tracked once each, the highest number most recently.
    void addProjects(int count, int used)
    {
        EntryStore& store = *m_model->store();
        for (int i = 0; i < count; ++i) {
            const QString number = QString::number(1001 + i);
            store.addManualProject(project(number, u"Project "_s + number, u"Client"_s,
                                           utc(2026, 1, 1), utc(2026, 1, 1)));
        }
        for (int i = 0; i < used; ++i)
            store.save(session(utc(2026, 2, 1 + i, 9), 30, QString::number(1001 + i)));
        m_model->tracker()->reload();
    }

    QStringList serials(const QList<Project>& projects)
    {
        QStringList out;
        for (const Project& p : projects)
            out.append(p.serial);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_folders = std::make_unique<UserFolders>();
        m_clock = std::make_unique<FakeClock>();
        m_defaults = std::make_unique<SettingsStore>(SettingsStore::defaultPath());
        m_platform = std::make_unique<FakePlatform>();
        m_model = std::make_unique<AppModel>(*m_defaults, *m_clock, *m_platform);
        m_model->bootstrap();
    }

    void cleanup()
    {
        m_model.reset();
        m_platform.reset();
        m_defaults.reset();
        m_clock.reset();
        m_folders.reset();
    }

    void startConsumesWhatThePanelTyped()
    {
        addProjects(3, 0);
        m_model->saveTaskList(true, {u"Design"_s});
        m_model->setPendingNote(u"kick-off"_s);
        m_model->setPendingTask(u"No such task"_s);
        m_model->setProjectFilter(u"1002"_s);
        m_model->armFirstMatch();
        QCOMPARE(m_model->armedProject()->serial, u"1002"_s);

        m_model->startArmedProject();
        const TimeEntry started = *m_model->tracker()->current();
        QCOMPARE(started.projectSerial, u"1002"_s);
        QCOMPARE(started.note, u"kick-off"_s);
        QCOMPARE(started.task, u"General"_s); // not on the list
        QVERIFY(m_model->pendingNote().isEmpty());
        QVERIFY(m_model->projectFilter().isEmpty());
        QVERIFY(!m_model->hasArmedWork());
        QVERIFY(!m_model->status()); // a start says nothing

        m_model->startInternal(u" \n "_s);
        QCOMPARE(m_model->tracker()->current()->id, started.id);
        m_model->armInternal(u"  Studio tidy-up\n"_s);
        m_model->startArmedProject();
        QVERIFY(m_model->tracker()->current()->isInternal);
        QCOMPARE(m_model->tracker()->current()->projectName, u"Studio tidy-up"_s);
    }

    void hotKey()
    {
        m_model->toggle();
        QCOMPARE(m_model->status()->text, u"Pick a project first."_s);
        QVERIFY(!m_model->tracker()->current());

        addProjects(2, 2);
        m_model->toggle(); // nothing runs: the last project starts
        QCOMPARE(m_model->tracker()->current()->projectSerial, u"1002"_s);
        m_clock->advance(600);
        m_model->toggle(); // ticking: paused, not stopped
        QVERIFY(m_model->tracker()->isPaused());
        const QUuid paused = m_model->tracker()->current()->id;

        // A paused session counts as not running: the last project starts
        // afresh, and the tracker closes the paused one.
        m_model->toggle();
        QVERIFY(m_model->tracker()->isRunning());
        QVERIFY(m_model->tracker()->current()->id != paused);
        QVERIFY(m_model->store()->entry(paused)->endedAt);
    }

    void cancellingAndResuming()
    {
        addProjects(1, 1);
        const Project p = m_model->tracker()->projects().first();
        m_model->start(p);
        m_clock->advance(7200);
        m_model->cancelRecording();
        QCOMPARE(m_model->status()->text, u"Discarded the recording on 1001."_s);
        QVERIFY(!m_model->tracker()->current());
        m_model->setStatus(std::nullopt);
        m_model->cancelRecording();
        QVERIFY(!m_model->status());

        // Resuming from today's history starts; internal work resumes too.
        m_model->resume(p);
        QCOMPARE(m_model->tracker()->current()->projectSerial, u"1001"_s);
        m_model->resumeInternal(u"Admin"_s);
        QVERIFY(m_model->tracker()->current()->isInternal);
    }

    void awayTime()
    {
        addProjects(1, 0);
        m_model->start(m_model->tracker()->projects().first());
        m_clock->advance(3 * 3600);
        const QUuid id = m_model->tracker()->current()->id;

        m_model->setIdleReport(IdleReport{m_clock->now().addSecs(-7200), 5400, id});
        m_model->discardIdleTime(*m_model->idleReport());
        QCOMPARE(m_model->status()->kind, StatusMessage::Kind::success);
        QCOMPARE(m_model->status()->text, u"Took 1h 30m of idle time off the timer."_s);
        QVERIFY(!m_model->idleReport());
        QCOMPARE(m_model->tracker()->elapsed(), 5400.0);

        // A report whose session has ended changes nothing.
        const IdleReport late{m_clock->now(), 600, id};
        m_model->setIdleReport(late);
        m_model->stop();
        m_model->discardIdleTime(late);
        QVERIFY(!m_model->idleReport());
        QCOMPARE(m_model->store()->entry(id)->pausedSeconds, 5400.0);
    }

    void pickerOffersRecentProjectsFirst_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("used");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("showingRecent");
        QTest::newRow("25, 12 used") << 25 << 12
                                     << QStringList{u"1012"_s, u"1011"_s, u"1010"_s, u"1009"_s,
                                                    u"1008"_s, u"1007"_s, u"1006"_s, u"1005"_s,
                                                    u"1004"_s, u"1003"_s}
                                     << true;
        QTest::newRow("25, 2 used") << 25 << 2
                                    << QStringList{u"1002"_s, u"1001"_s, u"1003"_s, u"1004"_s,
                                                   u"1005"_s, u"1006"_s, u"1007"_s, u"1008"_s,
                                                   u"1009"_s, u"1010"_s}
                                    << true;
        QTest::newRow("8, all used") << 8 << 8
                                     << QStringList{u"1008"_s, u"1007"_s, u"1006"_s, u"1005"_s,
                                                    u"1004"_s, u"1003"_s, u"1002"_s, u"1001"_s}
                                     << false;
    }

    void pickerOffersRecentProjectsFirst()
    {
        QFETCH(int, count);
        QFETCH(int, used);
        QFETCH(QStringList, shown);
        QFETCH(bool, showingRecent);
        addProjects(count, used);
        QCOMPARE(serials(m_model->pickerProjects()), shown);
        QCOMPARE(m_model->isShowingRecentProjects(), showingRecent);

        m_model->setProjectFilter(u"  Project 101 "_s);
        QVERIFY(!m_model->isShowingRecentProjects());
        QCOMPARE(m_model->pickerProjects().size(), count > 10 ? 10 : 0); // 1010 to 1019
    }

    void arrowKeysWrap()
    {
        addProjects(3, 3); // shown: 1003, 1002, 1001
        m_model->moveArm(-1);
        QCOMPARE(m_model->armedProject()->serial, u"1001"_s); // Up with nothing armed: the last
        m_model->moveArm(1);
        QCOMPARE(m_model->armedProject()->serial, u"1003"_s); // Down on the last: the first
        m_model->moveArm(-1);
        QCOMPARE(m_model->armedProject()->serial, u"1001"_s);

        m_model->setProjectFilter(u"nothing like it"_s);
        m_model->armFirstMatch();
        QVERIFY(!m_model->armedProject());
        m_model->moveArm(1);
        QVERIFY(!m_model->armedProject());
    }

    void derivedValues()
    {
        addProjects(1, 1); // tracked on 1 February, not today
        QCOMPARE(m_model->sessionsToday(), 0);
        m_model->start(m_model->tracker()->projects().first());
        QCOMPARE(m_model->sessionsToday(), 1);

        m_model->settings()->setLongRunningWarningHours(2);
        m_clock->advance(7200);
        QVERIFY(!m_model->runningTooLong());
        m_clock->advance(1);
        QVERIFY(m_model->runningTooLong());
        m_model->settings()->setLongRunningWarningHours(0); // "Never"
        QVERIFY(!m_model->runningTooLong());

        m_model->saveTaskList(false, {u"Design"_s});
        QVERIFY(m_model->taskForNextSession().isEmpty());
        m_model->saveTaskList(true, {u"Design"_s});
        m_model->setPendingTask(u"Design"_s);
        QCOMPARE(m_model->taskForNextSession(), u"Design"_s);
    }

    void loginItem()
    {
        QVERIFY(!m_model->setLaunchAtLogin(true));
        QVERIFY(!m_model->setLaunchAtLogin(true));
        QCOMPARE(m_platform->loginItem->changes, 1);
        QVERIFY(m_model->settings()->launchAtLogin());

        m_platform->loginItem->failure = u"Not allowed"_s;
        QCOMPARE(m_model->setLaunchAtLogin(false), std::optional(u"Not allowed"_s));
        QVERIFY(m_model->settings()->launchAtLogin()); // still registered
    }

    void anotherProcessesWritesAreNoticed()
    {
        addProjects(1, 0);
        // The command line starts a session on the same file.
        EntryStore elsewhere(m_model->store()->path(), *m_clock);
        TimeEntry started = running(m_clock->now(), u"1001"_s);
        elsewhere.save(started);
        QVERIFY(!m_model->tracker()->current());
        m_clock->advance(2);
        QCOMPARE(m_model->tracker()->current()->id, started.id);

        // And stops it with a note, then opens other books through the
        // settings file: the app leaves the session as the command line wrote it.
        m_clock->advance(600);
        started.note = u"from the terminal"_s;
        started.endedAt = m_clock->now();
        elsewhere.save(started);
        Administration other = Administration::fresh();
        other.name = u"Studio"_s;
        SettingsStore cli(m_defaults->filePath());
        AppSettings::saveAdministrations({Administration::fallback(), other}, cli);
        AppSettings::setCurrentAdministration(other.id, cli);
        m_clock->advance(2);
        QCOMPARE(m_model->administration().id, other.id);
        const std::optional<TimeEntry> kept = elsewhere.entry(started.id);
        QCOMPARE(kept->note, started.note);
        QCOMPARE(kept->endedAt, started.endedAt);
    }
};

QTEST_GUILESS_MAIN(TestTracking)
#include "tst_tracking.moc"
