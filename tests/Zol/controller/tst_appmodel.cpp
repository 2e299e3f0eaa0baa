// The controller over real stores and a settings file in temporary user
// folders: start-up on a database that cannot be opened, switching, removing
// and emptying books, the status line's clears, what the hot key does in each
// state, which projects the picker offers and how the arrow keys move through
// them, the away-time answer, and another process's writes.

#include "Books.h"
#include "HistoryModel.h"
#include "store/BackupCopy.h"
#include "support/DataPaths.h"
#include "support/Error.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

class TestAppModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;

    AppModel& model() { return *m_books->model; }
    Tracker& tracker() { return *model().books().tracker(); }
    FakeClock& clock() { return m_books->clock; }
    // Sessions in the database of `administrationId`, read afresh from the file.
    QList<TimeEntry> storedEntries(const QString& administrationId)
    {
        return EntryStore(EntryStore::url(administrationId), clock()).recentEntries(100);
    }

    // `count` active projects numbered 1001 upwards; the first `used` of
    // them tracked once each, the highest number most recently.
    void addProjects(int count, int used)
    {
        for (int i = 0; i < count; ++i) {
            const QString number = QString::number(1001 + i);
            m_books->store().addManualProject(project(number, u"Project "_s + number, u"Client"_s,
                                                      utc(2026, 1, 1), utc(2026, 1, 1)));
        }
        for (int i = 0; i < used; ++i)
            m_books->store().save(session(utc(2026, 2, 1 + i, 9), 30, QString::number(1001 + i)));
        tracker().reload();
    }

    // The picker's projects by number, separated by spaces.
    QString shown()
    {
        QStringList serials;
        for (const Project& p : model().panel().pickerProjects())
            serials.append(p.serial);
        return serials.join(u' ');
    }

private Q_SLOTS:
    void init() { m_books = std::make_unique<Books>(Books::Settings::inFile); }
    void cleanup() { m_books.reset(); }

    void unopenableDatabaseTracksInMemoryUntilASwitch()
    {
        const auto restoreHome = qScopeGuard([home = qgetenv("HOME")] { qputenv("HOME", home); });
        // The data folder would be made below a regular file.
        QFile blocker(m_books->folders.root() + u"/blocker"_s);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("HOME", QFile::encodeName(m_books->folders.root()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName() + u"/data"_s));
        m_books->model = m_books->start();

        const QString error = model().books().startupError().value_or(u"none"_s);
        QVERIFY2(error.startsWith(u"Could not open ~/blocker/data/Zol. Tracking to a temporary "
                                  u"database that will not survive a quit. (Could not create the "
                                  u"folder "_s) &&
                     error.endsWith(u')'),
                 qPrintable(error));
        QVERIFY(tracker().start(brandBook));
        clock().advance(600);
        model().sessions().stop();
        QCOMPARE(model().books().store()->recentEntries(10).size(), 1);

        qputenv("XDG_DATA_HOME", QFile::encodeName(m_books->folders.dataHome()));
        const Administration other = named(u"Studio"_s);
        model().books().addAdministration(other);
        QSignalSpy errorChanged(&model().books(), &OpenBooks::startupErrorChanged);
        model().switchTo(other);
        QVERIFY(!model().books().startupError());
        QCOMPARE(errorChanged.size(), 1);
        QCOMPARE(model().books().store()->path(), EntryStore::url(other.id));
    }

    void switchingStopsTheSessionInTheOldBooks()
    {
        // A first run stores the Local books it implied.
        QVERIFY(m_books->defaults.contains(u"admin.list"_s));

        const Administration other = named(u"Studio"_s);
        model().books().addAdministration(other);
        model().panel().setPendingNote(u"for the next one"_s);
        tracker().start(brandBook);
        clock().advance(5400);
        const quint64 before = model().books().generation();
        QSignalSpy closing(&model().books(), &OpenBooks::closing);
        model().switchTo(other);

        const QList<TimeEntry> old = storedEntries(Administration::defaultId);
        QCOMPARE(old.size(), 1);
        QCOMPARE(old.first().endedAt, clock().now());
        QVERIFY(!tracker().current());
        QCOMPARE(AppSettings::currentAdministration(m_books->defaults).id, other.id);
        QVERIFY(model().books().generation() > before);
        QCOMPARE(closing.first().first().toULongLong(), before);
        QVERIFY(model().panel().pendingNote().isEmpty());
        QCOMPARE(m_books->said(), u"Switched to Studio."_s);

        // The open books again: nothing happens, nothing is said.
        model().status().show(std::nullopt);
        QSignalSpy trackerChanged(&model().books(), &OpenBooks::trackerChanged);
        model().switchTo(other);
        QCOMPARE(trackerChanged.size(), 0);
        QVERIFY(!model().status().message());
    }

    void removingTheOpenAdministration()
    {
        const Administration other = named(u"Studio"_s);
        model().removeAdministration(Administration::fallback()); // the last one stays
        model().books().addAdministration(other);
        model().removeAdministration(Administration::fallback()); // "Local" stays
        QCOMPARE(model().books().administrations().size(), 2);
        QVERIFY(!model().status().message());

        model().switchTo(other);
        tracker().start(brandBook);
        clock().advance(120);
        model().removeAdministration(other);
        QCOMPARE(model().books().administration().id, Administration::defaultId);
        QCOMPARE(AppSettings::administrations(m_books->defaults).size(), 1);
        QCOMPARE(m_books->said(), u"Removed Studio. Its hours are still on this computer."_s);
        QCOMPARE(storedEntries(other.id).size(), 1);
    }

    // Emptying backs the books up first and names the copy; when no copy can
    // be made nothing is erased.
    void emptyingBooks()
    {
        tracker().start(brandBook);
        clock().advance(3600);
        const QFuture<void> emptied = model().clearAdministration(model().books().administration());
        QTRY_VERIFY(emptied.isFinished());
        QVERIFY(!tracker().current());
        QVERIFY(tracker().recent().isEmpty());
        QVERIFY(storedEntries(Administration::defaultId).isEmpty());
        const QString said = m_books->said();
        const QString prefix =
            u"Emptied Local on this computer. The studio folder is untouched. The backup taken "
            "first is "_s;
        QVERIFY2(said.startsWith(prefix), qPrintable(said));
        // The start's own backup of the empty morning books is the day's;
        // this one is the hour tracked since.
        const QString backup = said.mid(prefix.size());
        QVERIFY2(backup.endsWith(u"/Zol/backups/zol-2026-03-02-before-empty-100000.sqlite3"_s),
                 qPrintable(backup));
        QCOMPARE(BackupCopy::sessionsIn(backup), 1);

        // The backups folder cannot be made: nothing is emptied.
        m_books->model.reset();
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(QDir(dataFolder() + u"/backups"_s).removeRecursively());
        writeFile(dataFolder() + u"/backups"_s, "in the way");
        m_books->model = m_books->start();
        tracker().start(brandBook);
        clock().advance(3600);
        model().sessions().stop();
        const QFuture<void> refused = model().clearAdministration(model().books().administration());
        QTRY_VERIFY(refused.isFinished());
        QVERIFY2(
            m_books->said().startsWith(
                u"Nothing was emptied: no backup could be taken. Could not create the folder "_s),
            qPrintable(m_books->said()));
        QCOMPARE(storedEntries(Administration::defaultId).size(), 1);

        // Other books that cannot be opened: their own error, nothing erased.
        m_books->model = m_books->start([](const QString& id, const Clock& clock) {
            if (id != Administration::defaultId)
                throw Error(u"disk on fire"_s);
            return AppModel::defaultStoreOpener()(id, clock);
        });
        model().clearAdministration(named(u"Studio"_s));
        QCOMPARE(m_books->said(), u"disk on fire"_s);
    }

    void statusClears_data()
    {
        QTest::addColumn<bool>("undoable");
        QTest::addColumn<double>("lifetime");
        QTest::newRow("plain") << false << 4.0;
        QTest::newRow("deletion") << true << 12.0;
    }

    void statusClears()
    {
        QFETCH(bool, undoable);
        QFETCH(double, lifetime);
        const auto message = [&] {
            return undoable
                       ? StatusMessage::deletion(u"Deleted 1 session."_s, {QUuid::createUuid()})
                       : StatusMessage::info(u"Same."_s);
        };
        model().status().show(message());
        clock().advance(lifetime - 1);
        // The same words again: the older message's clear must not take it.
        const StatusMessage newer = message();
        model().status().show(newer);
        clock().advance(lifetime - 0.5);
        QCOMPARE(model().status().message(), newer);
        clock().advance(0.5);
        QVERIFY(!model().status().message());
    }

    void startConsumesWhatThePanelTyped()
    {
        addProjects(3, 0);
        model().books().saveTaskList(true, {u"Design"_s});
        model().panel().setPendingNote(u"kick-off"_s);
        model().panel().setPendingTask(u"No such task"_s);
        model().panel().setProjectFilter(u"1002"_s);
        model().panel().armFirstMatch();
        model().sessions().startArmed();
        const TimeEntry started = *tracker().current();
        QCOMPARE(started.projectSerial, u"1002"_s);
        QCOMPARE(started.note, u"kick-off"_s);
        QCOMPARE(started.task, u"General"_s); // not on the list
        QVERIFY(model().panel().pendingNote().isEmpty() &&
                model().panel().projectFilter().isEmpty());
        QVERIFY(!model().panel().hasArmedWork());
        QVERIFY(!model().status().message()); // a start says nothing

        model().sessions().startInternal(u" \n "_s);
        QCOMPARE(tracker().current()->id, started.id);
        model().panel().armInternal(u"  Studio tidy-up\n"_s);
        model().sessions().startArmed();
        QVERIFY(tracker().current()->isInternal);
        QCOMPARE(tracker().current()->projectName, u"Studio tidy-up"_s);
    }

    void hotKey()
    {
        model().sessions().stop(); // nothing runs: nothing to say
        QVERIFY(!model().status().message());
        model().sessions().toggle();
        QCOMPARE(m_books->said(), u"Pick a project first."_s);
        QVERIFY(!tracker().current());

        addProjects(2, 2);
        model().sessions().toggle(); // nothing runs: the last project starts
        QCOMPARE(tracker().current()->projectSerial, u"1002"_s);
        clock().advance(600);
        model().sessions().toggle(); // ticking: paused, not stopped
        QVERIFY(tracker().isPaused());
        const QUuid paused = tracker().current()->id;

        // A paused session counts as not running: the last project starts
        // afresh, and the tracker closes the paused one.
        model().sessions().toggle();
        QVERIFY(tracker().isRunning());
        QVERIFY(tracker().current()->id != paused);
        QVERIFY(model().books().store()->entry(paused)->endedAt);
    }

    void cancellingAndResuming()
    {
        addProjects(1, 1);
        const Project p = tracker().projects().first();
        model().sessions().start(p);
        clock().advance(7200);
        model().sessions().discard();
        QCOMPARE(m_books->said(), u"Discarded the recording on 1001."_s);
        QVERIFY(!tracker().current());
        model().status().show(std::nullopt);
        model().sessions().discard();
        QVERIFY(!model().status().message());

        // Resuming from today's history starts; internal work resumes too.
        model().history()->resume(p);
        QCOMPARE(tracker().current()->projectSerial, u"1001"_s);
        model().history()->resumeInternal(u"Admin"_s);
        QVERIFY(tracker().current()->isInternal);

        // From another day's history a project does not resume; internal
        // work does from a week or a month.
        model().sessions().stop();
        model().history()->showPeriod(model().books().today().addDays(-1));
        model().history()->resume(p);
        model().history()->resumeInternal(u"Admin"_s);
        QVERIFY(!tracker().current());
        model().history()->setHistoryScope(HistoryScope::week);
        model().history()->resume(p);
        QVERIFY(!tracker().current());
        model().history()->resumeInternal(u"Admin"_s);
        QVERIFY(tracker().current() && tracker().current()->isInternal);
    }

    void awayTime()
    {
        model().sessions().start(brandBook);
        clock().advance(600);
        tracker().pause();
        clock().advance(600);
        tracker().resume();
        clock().advance(3 * 3600 - 1200);
        const QUuid id = tracker().current()->id;
        model().panel().setIdleReport(IdleReport{clock().now().addSecs(-7200), 5400, id});
        model().sessions().discardIdleTime(*model().panel().idleReport());
        QCOMPARE(m_books->said(), u"Took 1h 30m of idle time off the timer."_s);
        QVERIFY(!model().panel().idleReport());
        // Added to the pause taken before, not in its place.
        QCOMPARE(model().books().store()->entry(id)->pausedSeconds, 6000.0);
        QCOMPARE(tracker().elapsed(), 4800.0);

        // A report whose session has ended changes nothing.
        const IdleReport late{clock().now(), 600, id};
        model().panel().setIdleReport(late);
        model().sessions().stop();
        model().sessions().discardIdleTime(late);
        QVERIFY(!model().panel().idleReport());
        QCOMPARE(model().books().store()->entry(id)->pausedSeconds, 6000.0);
    }

    void pickerOffersRecentProjectsFirst_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("used");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("showingRecent");
        QTest::newRow("25, 12 used")
            << 25 << 12 << u"1012 1011 1010 1009 1008 1007 1006 1005 1004 1003"_s << true;
        QTest::newRow("25, 2 used")
            << 25 << 2 << u"1002 1001 1003 1004 1005 1006 1007 1008 1009 1010"_s << true;
        QTest::newRow("8, all used")
            << 8 << 8 << u"1008 1007 1006 1005 1004 1003 1002 1001"_s << false;
    }

    void pickerOffersRecentProjectsFirst()
    {
        QFETCH(int, count);
        QFETCH(int, used);
        addProjects(count, used);
        QTEST(shown(), "shown");
        QTEST(model().panel().isShowingRecentProjects(), "showingRecent");

        model().panel().setProjectFilter(u"  Project 101 "_s);
        QVERIFY(!model().panel().isShowingRecentProjects());
        QCOMPARE(model().panel().pickerProjects().size(), count > 10 ? 10 : 0); // 1010 to 1019
    }

    void arrowKeysWrap()
    {
        addProjects(3, 3); // shown: 1003, 1002, 1001
        model().panel().moveArm(-1);
        QCOMPARE(model().panel().armedProject()->serial,
                 u"1001"_s); // Up with nothing armed: the last
        model().panel().moveArm(1);
        QCOMPARE(model().panel().armedProject()->serial, u"1003"_s); // Down on the last: the first
        model().panel().moveArm(-1);
        QCOMPARE(model().panel().armedProject()->serial, u"1001"_s);

        model().panel().setProjectFilter(u"nothing like it"_s);
        model().panel().armFirstMatch();
        model().panel().moveArm(1);
        QVERIFY(!model().panel().armedProject());
    }

    void derivedValues()
    {
        addProjects(1, 1); // tracked on 1 February, not today
        QCOMPARE(model().panel().sessionsToday(), 0);
        model().sessions().start(tracker().projects().first());
        QCOMPARE(model().panel().sessionsToday(), 1);

        model().books().settings()->setLongRunningWarningHours(2);
        clock().advance(7200);
        QVERIFY(!model().panel().runningTooLong());
        clock().advance(1);
        QVERIFY(model().panel().runningTooLong());
        model().books().settings()->setLongRunningWarningHours(0); // "Never"
        QVERIFY(!model().panel().runningTooLong());

        model().books().saveTaskList(false, {u"Design"_s});
        QVERIFY(model().panel().taskForNextSession().isEmpty());
        model().books().saveTaskList(true, {u"Design"_s});
        model().panel().setPendingTask(u"Design"_s);
        QCOMPARE(model().panel().taskForNextSession(), u"Design"_s);
    }

    void anotherProcessesWritesAreNoticed()
    {
        // The command line starts a session on the same file.
        EntryStore elsewhere(model().books().store()->path(), clock());
        TimeEntry started = running(clock().now());
        elsewhere.save(started);
        QVERIFY(!tracker().current());
        // Seen by the file watcher, without the clock moving.
        QTRY_VERIFY(tracker().current() && tracker().current()->id == started.id);

        // And stops it with a note, then opens other books through the
        // settings file: the app leaves the session as the command line wrote it.
        clock().advance(600);
        started.note = u"from the terminal"_s;
        started.endedAt = clock().now();
        elsewhere.save(started);
        const Administration other = named(u"Studio"_s);
        SettingsStore cli(m_books->defaults.filePath());
        AppSettings::saveAdministrations({Administration::fallback(), other}, cli);
        AppSettings::setCurrentAdministration(other.id, cli);
        QTRY_COMPARE(model().books().administration().id, other.id);
        const std::optional<TimeEntry> kept = elsewhere.entry(started.id);
        QCOMPARE(kept->note, started.note);
        QCOMPARE(kept->endedAt, started.endedAt);
    }
};

QTEST_GUILESS_MAIN(TestAppModel)
#include "tst_appmodel.moc"
