// The timer's companions wired to a real controller over temporary user
// folders: reminders by tracked time, their actions and permission, away time
// sleep and a locked screen offered once, the start-and-pause key, and the wiring following
// changed settings and other books.

#include "Books.h"
#include "Companions.h"
#include "GlobalHotKey.h"
#include "IdleMonitor.h"
#include "ReminderScheduler.h"
#include "support/Timestamps.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestCompanions : public QObject
{
    Q_OBJECT

    // A controller with its companions.
    struct Run : Books
    {
        Companions companions{*model, platform};
    };
    std::unique_ptr<Run> m_run;

    Tracker& tracker() { return *m_run->model->books().tracker(); }
    AppSettings& settings() { return *m_run->model->books().settings(); }
    const QList<Notification>& posted() const { return m_run->platform.notifier->posted; }
    QUuid currentId() { return tracker().current()->id; }

    // The user keeps working for `seconds`, the last input at the end.
    void present(double seconds)
    {
        for (double done = 0; done < seconds; done += IdleMonitor::tickSeconds) {
            m_run->clock.advance(IdleMonitor::tickSeconds);
            m_run->platform.idleTime->input();
        }
    }

    // The user leaves now, comes back after `seconds` and works on for a minute.
    void awayFor(double seconds)
    {
        m_run->clock.advance(seconds);
        m_run->platform.idleTime->input();
        present(60);
    }

private Q_SLOTS:
    void init() { m_run = std::make_unique<Run>(); }
    void cleanup() { m_run.reset(); }

    void reminders_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("repeat");
        // "+N" tracks on for N minutes of wall-clock time.
        QTest::addColumn<QStringList>("script");
        // Wall-clock minutes from the start at which reminders arrived.
        QTest::addColumn<QList<int>>("postedAt");

        QTest::newRow("once at 30, no repeat") << 30 << 0 << QStringList{u"+180"_s} << QList{30};
        QTest::newRow("then every 15") << 30 << 15 << QStringList{u"+61"_s} << QList{30, 45, 60};
        QTest::newRow("an hour's pause after 20 minutes")
            << 30 << 0 << QStringList{u"+20"_s, u"pause"_s, u"+60"_s, u"resume"_s, u"+30"_s}
            << QList{90};
        QTest::newRow("resumed past the first reminder")
            << 60 << 0
            << QStringList{u"+40"_s, u"pause"_s, u"+5"_s, u"first 30"_s, u"resume"_s, u"+30"_s}
            << QList{45};
        QTest::newRow("first reminder brought forward while running")
            << 60 << 0 << QStringList{u"+20"_s, u"first 30"_s, u"+60"_s} << QList{30};
    }

    void reminders()
    {
        QFETCH(int, first);
        QFETCH(int, repeat);
        QFETCH(QStringList, script);
        settings().setFirstReminderMinutes(first);
        settings().setRepeatReminderMinutes(repeat);
        m_run->model->sessions().start(brandBook);

        QList<int> postedAt;
        int minute = 0;
        const auto note = [&] {
            while (postedAt.size() < posted().size())
                postedAt.append(minute);
        };
        for (const QString& step : std::as_const(script)) {
            if (step.startsWith(u'+')) {
                for (int i = step.sliced(1).toInt(); i > 0; --i) {
                    m_run->clock.advance(60);
                    ++minute;
                    note();
                }
            } else if (step == u"pause") {
                tracker().pause();
            } else if (step == u"resume") {
                tracker().resume();
            } else if (step.startsWith(u"first ")) {
                settings().setFirstReminderMinutes(step.sliced(6).toInt());
            }
            note();
        }

        QTEST(postedAt, "postedAt");
    }

    void reminderText()
    {
        TimeEntry entry = running(utc(2026, 3, 2, 9));
        QCOMPARE(ReminderScheduler::notificationFor(entry, 1800.7),
                 (Notification{u"still-tracking-"_s + uuidText(entry.id) + u"-1800"_s,
                               u"Still tracking Brand book"_s, u"30m so far on Acme."_s,
                               u"org.zol.Zol.stillTracking"_s, true}));
        entry.clientName.clear();
        QCOMPARE(ReminderScheduler::notificationFor(entry, 5400).body, u"1h 30m so far."_s);
    }

    void reminderActions()
    {
        const QList<NotificationAction> actions{{u"PAUSE"_s, u"Pause"_s}, {u"STOP"_s, u"Stop"_s}};
        QCOMPARE(m_run->platform.notifier->categories.value(ReminderScheduler::categoryId()),
                 actions);
        settings().setFirstReminderMinutes(30);
        settings().setRepeatReminderMinutes(0);
        m_run->model->sessions().start(brandBook);
        m_run->clock.advance(1800);
        QCOMPARE(posted().size(), 1);

        m_run->platform.notifier->click(u"PAUSE"_s);
        QVERIFY(tracker().isPaused());
        QVERIFY(!m_run->model->status().message());

        m_run->clock.advance(600);
        tracker().resume();
        m_run->clock.advance(60);
        m_run->platform.notifier->click(u"STOP"_s);
        QVERIFY(!tracker().isTracking());
        QCOMPARE(m_run->said(), u"Logged 31m to Brand book."_s);

        // The desktop keeps that reminder in its list: its buttons no longer
        // act on whatever runs now.
        m_run->model->sessions().start(brandBook);
        m_run->platform.notifier->click(u"STOP"_s);
        m_run->platform.notifier->click(u"PAUSE"_s);
        QVERIFY(tracker().isRunning());
    }

    void permissionAskedOnce_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::newRow("granted") << true;
        QTest::newRow("denied") << false;
    }

    void permissionAskedOnce()
    {
        QFETCH(bool, granted);
        FakeNotifier& notifier = *m_run->platform.notifier;
        notifier.status = Notifier::Authorisation::notDetermined;
        notifier.grantOnRequest = granted;
        settings().setFirstReminderMinutes(30);
        m_run->model->sessions().start(brandBook);
        tracker().pause(); // a new loop asks again while the user decides
        tracker().resume();
        QCoreApplication::processEvents();
        m_run->clock.advance(1800);
        QCOMPARE(posted().size(), granted ? 1 : 0);

        notifier.status = Notifier::Authorisation::notDetermined;
        const QFuture<bool> answer = m_run->companions.reminders()->requestAuthorisationIfNeeded();
        QVERIFY(answer.isFinished());
        QCOMPARE(notifier.requests, 1);
        if (!granted)
            QVERIFY(!answer.result());
    }

    void awayTimeReportedOncePerPeriod()
    {
        QSignalSpy reports(&m_run->model.get()->panel(), &PanelModel::idleReportChanged);
        m_run->model->sessions().start(brandBook);
        present(300);
        awayFor(360); // under the threshold
        QCOMPARE(reports.size(), 0);
        const QDateTime left = m_run->clock.now();
        awayFor(7200);
        QCOMPARE(reports.size(), 1);
        QCOMPARE(m_run->model->panel().idleReport(), (IdleReport{left, 7200, currentId()}));

        m_run->model->panel().setIdleReport(std::nullopt); // "Keep it"
        present(1800);
        QCOMPARE(reports.size(), 2);
        awayFor(900);
        QCOMPARE(reports.size(), 3);
        QCOMPARE(m_run->model->panel().idleReport()->seconds, 900.0);

        // A paused session is never reported.
        m_run->model->panel().setIdleReport(std::nullopt);
        tracker().pause();
        awayFor(7200);
        tracker().resume();
        present(60);
        QVERIFY(!m_run->model->panel().idleReport());

        // A new threshold applies at once; turned off, the monitor stops.
        settings().setIdleMinutes(5);
        awayFor(360);
        QCOMPARE(m_run->model->panel().idleReport()->seconds, 360.0);
        settings().setIdleDetectionEnabled(false);
        QVERIFY(!m_run->companions.idleMonitor()->isRunning());
    }

    void idleTimeAskedOnlyWhileTicking()
    {
        // Nothing ticking: the app sleeps, the desktop is not asked.
        QVERIFY(m_run->companions.idleMonitor()->isRunning());
        const int before = m_run->platform.idleTime->asked;
        m_run->clock.advance(10 * IdleMonitor::tickSeconds);
        QCOMPARE(m_run->platform.idleTime->asked, before);
        m_run->model->sessions().start(brandBook);
        present(60);
        QCOMPARE(m_run->platform.idleTime->asked, before + 4);
        tracker().pause();
        m_run->clock.advance(10 * IdleMonitor::tickSeconds);
        QCOMPARE(m_run->platform.idleTime->asked, before + 4);
    }

    void awayAndAsleep_data()
    {
        QTest::addColumn<bool>("announced");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("awayBefore");
        QTest::addColumn<bool>("reported");

        QTest::newRow("announced") << true << false << 120 << 0 << true;
        QTest::newRow("told by the clocks") << false << false << 120 << 0 << true;
        QTest::newRow("away, then asleep") << true << false << 90 << 30 << true;
        QTest::newRow("shorter than the threshold") << true << false << 9 << 0 << false;
        QTest::newRow("paused session") << false << true << 120 << 0 << false;
    }

    void awayAndAsleep()
    {
        QFETCH(bool, announced);
        QFETCH(bool, paused);
        QFETCH(int, minutes);
        m_run->model->sessions().start(brandBook);
        present(60);
        if (paused)
            tracker().pause();
        QSignalSpy reports(&m_run->model.get()->panel(), &PanelModel::idleReportChanged);

        // Away for a while first, as the ticks see it (the idle time grows).
        QFETCH(int, awayBefore);
        const QDateTime left = m_run->clock.now();
        for (int tick = 0; tick < awayBefore * 60 / IdleMonitor::tickSeconds; ++tick)
            m_run->clock.advance(IdleMonitor::tickSeconds);
        const QDateTime sleptAt = m_run->clock.now();
        if (announced)
            Q_EMIT m_run->platform.systemEvents->willSleep();
        // The monotonic clock stands still while the machine sleeps.
        m_run->clock.setNow(sleptAt.addSecs(minutes * 60));
        if (announced)
            Q_EMIT m_run->platform.systemEvents->woke();
        if (paused)
            tracker().resume();
        present(120);

        QFETCH(bool, reported);
        QCOMPARE(reports.size(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(m_run->model->panel().idleReport(),
                     (IdleReport{awayBefore ? left : sleptAt, (awayBefore + minutes) * 60.0,
                                 currentId()}));
    }

    void lockedScreen_data()
    {
        QTest::addColumn<bool>("counted");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<int>("awayBefore");
        QTest::addColumn<bool>("asleep");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("reported");

        QTest::newRow("locked an hour") << true << false << 0 << false << 60 << true;
        QTest::newRow("shorter than the threshold") << true << false << 0 << false << 9 << false;
        QTest::newRow("paused session") << true << true << 0 << false << 60 << false;
        QTest::newRow("not counted") << false << false << 0 << false << 60 << false;
        QTest::newRow("away, then locked") << true << false << 30 << false << 60 << true;
        QTest::newRow("asleep while locked") << true << false << 0 << true << 80 << true;
    }

    void lockedScreen()
    {
        QFETCH(bool, counted);
        QFETCH(bool, paused);
        QFETCH(int, awayBefore);
        QFETCH(bool, asleep);
        QFETCH(int, minutes);
        SystemEvents& events = *m_run->platform.systemEvents;
        settings().setLockCountsAsAway(counted);
        m_run->model->sessions().start(brandBook);
        present(60);
        if (paused)
            tracker().pause();
        QSignalSpy reports(&m_run->model.get()->panel(), &PanelModel::idleReportChanged);

        // Away for a while first, as the ticks see it (the idle time grows).
        const QDateTime left = m_run->clock.now();
        m_run->clock.advance(awayBefore * 60);
        const QDateTime lockedAt = m_run->clock.now();
        Q_EMIT events.screenLocked();
        // Moving the mouse on the lock screen is no work.
        if (asleep) {
            present(600);
            Q_EMIT events.willSleep();
            m_run->clock.setNow(m_run->clock.now().addSecs((minutes - 20) * 60));
            Q_EMIT events.woke();
            present(600);
        } else {
            present(minutes * 60);
        }
        Q_EMIT events.screenUnlocked();
        if (paused)
            tracker().resume();
        present(120);

        QFETCH(bool, reported);
        QCOMPARE(reports.size(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(m_run->model->panel().idleReport(),
                     (IdleReport{awayBefore ? left : lockedAt, (awayBefore + minutes) * 60.0,
                                 currentId()}));
    }

    void hotKey()
    {
        FakeShortcut& shortcut = *m_run->platform.shortcut;
        const auto press = [&](const QString& signature = {}) {
            shortcut.press(signature);
            QCoreApplication::processEvents();
        };
        QCOMPARE(shortcut.held, u"ZOL "_s);
        press(u"ZOK "_s);
        QVERIFY(!m_run->model->status().message());
        m_run->model->sessions().start(brandBook);
        press();
        QVERIFY(tracker().isPaused());

        // Registering again replaces the action and grabs nothing more.
        int presses = 0;
        m_run->companions.hotKey()->registerAction([&] { ++presses; });
        press();
        QCOMPARE(presses, 1);
        QCOMPARE(shortcut.grabs, 1);

        settings().setHotKeyEnabled(false);
        QCOMPARE(shortcut.releases, 1);
        settings().setHotKeyEnabled(true);
        QCOMPARE(shortcut.grabs, 2);
        press();
        QVERIFY(tracker().isRunning());
    }

    void switchingBooksRewires()
    {
        const Administration other = named(u"Studio"_s);
        m_run->model->books().addAdministration(other);
        settings().setFirstReminderMinutes(30);
        settings().setRepeatReminderMinutes(0);
        m_run->model->sessions().start(brandBook);
        m_run->clock.advance(600);

        m_run->model->switchTo(other);
        m_run->model->sessions().start(brandBook);
        const QUuid id = currentId();
        present(1800);
        QCOMPARE(posted().size(), 1);
        QVERIFY(posted().first().id.contains(uuidText(id)));

        awayFor(900);
        QCOMPARE(m_run->model->panel().idleReport()->entryId, id);

        settings().setHotKeyEnabled(false);
        QCOMPARE(m_run->platform.shortcut->releases, 1);
        m_run->platform.notifier->click(u"STOP"_s);
        QVERIFY(!tracker().isTracking());
    }
};

QTEST_GUILESS_MAIN(TestCompanions)
#include "tst_companions.moc"
