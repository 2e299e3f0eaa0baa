// The controller's studio folder over real stores and a temporary studio
// folder, with one or two machines (each its own settings, data folder and
// controller): manual and background syncs and what they say, results that
// come back after a switch, mount and wake, the upload passes and their marks,
// the upload control, a new sync engine when the folder or name changes, and
// choosing and leaving a studio folder (or refusing one behind a link).

#include "Books.h"
#include "CatalogueModel.h"
#include "CountingFileSystem.h"
#include "HistoryModel.h"
#include "PlantedLink.h"
#include "SharingModel.h"
#include "StudioSettings.h"
#include "formats/Timesheet.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

// One machine: its own settings, data folder, platform and controller.
struct Home
{
    QTemporaryDir data;
    SettingsStore defaults{QString()};
    FakePlatform platform;
    Administration books;
    std::unique_ptr<AppModel> model;

    SharingModel& sharing() const { return *model->sharing(); }
    EntryStore& store() const { return *model->books().store(); }
};

// Monday 2 March 2026, the fake clock's day, and the week before.
const QDateTime today = utc(2026, 3, 2, 7);
const QDateTime lastWeek = utc(2026, 2, 25, 10);

} // namespace

class TestSharing : public QObject
{
    Q_OBJECT

    // What the machines of one test share. Workers still running are waited
    // for before anything goes; the file system outlives them all.
    struct Shared
    {
        UserFolders folders;
        FakeClock clock;
        QTemporaryDir studio;
        CountingFileSystem fileSystem;
        ~Shared() { QThreadPool::globalInstance()->waitForDone(); }
    };
    std::unique_ptr<Shared> m_shared;
    FakeClock* m_clock = nullptr;

    QString studio() const { return m_shared->studio.path(); }

    // A machine whose open books share through `folder` (the studio folder
    // unless told otherwise) under the person's `name`, started and idle.
    std::unique_ptr<Home> makeHome(const QString& name,
                                   std::optional<QString> folder = std::nullopt)
    {
        auto home = std::make_unique<Home>();
        home->books = named(u"Studio"_s);
        AppSettings::saveAdministrations({Administration::fallback(), home->books}, home->defaults);
        AppSettings::setCurrentAdministration(home->books.id, home->defaults);
        {
            AppSettings settings(home->books.id, home->defaults);
            settings.setMachineName(name);
            settings.setSharedFolderPath(folder.value_or(studio()));
            settings.setSharedSyncEnabled(true);
        }
        const QString dir = home->data.path();
        home->model = std::make_unique<AppModel>(
            home->defaults, *m_clock, home->platform, [dir](const QString& id, const Clock& clock) {
                return std::make_unique<EntryStore>(dir + u"/zol-"_s + id + u".sqlite3"_s, clock);
            });
        home->model->bootstrap();
        // The loops' first sync and upload pass run at once.
        const SharingModel& sharing = home->sharing();
        [&] {
            QTRY_VERIFY(!sharing.isSharing());
            QTRY_VERIFY(sharing.lastAutoUploadAt() || sharing.autoUploadError());
        }();
        return home;
    }

    // Runs the event loop until the future has finished.
    template <typename T> static bool finishes(const QFuture<T>& future)
    {
        return QTest::qWaitFor([&] { return future.isFinished(); }, 10000);
    }

    static QString hours(const QString& person) { return u"/.zol/hours/"_s + person; }

    QByteArray studioFile(const QString& path) const
    {
        QFile file(studio() + path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init()
    {
        m_shared = std::make_unique<Shared>();
        m_clock = &m_shared->clock;
    }
    void cleanup() { m_shared.reset(); }

    void manualSyncSaysWhatItFound_data()
    {
        // Projects another machine publishes first; -1: no other machine,
        // -2: the studio folder is not mounted.
        QTest::addColumn<int>("peerProjects");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("badge");
        QTest::newRow("alone") << -1 << u"Connected, but no other computers have published yet."_s
                               << u"Studio folder · no one else yet"_s;
        QTest::newRow("one peer") << 0 << u"Up to date with 1 other computer."_s
                                  << u"Studio folder · 1 other computer"_s;
        QTest::newRow("projects") << 3 << u"Received 3 projects."_s
                                  << u"Studio folder · 1 other computer"_s;
        QTest::newRow("not mounted")
            << -2 << u"Cannot reach the shared folder at FOLDER. Is the NAS mounted?"_s
            << u"Studio folder unreachable"_s;
    }

    void manualSyncSaysWhatItFound()
    {
        QFETCH(int, peerProjects);
        QFETCH(QString, text);
        const QString folder = studio() + (peerProjects == -2 ? u"/gone"_s : QString());
        const auto anna = makeHome(u"Anna"_s, folder);
        SharingModel& sharing = anna->sharing();
        QVERIFY(!anna->model->status().message()); // background syncs say nothing
        QCOMPARE(sharing.autoUploadError().has_value(), peerProjects == -2);
        std::unique_ptr<Home> ben;
        if (peerProjects >= 0) {
            ben = makeHome(u"Ben"_s);
            for (int i = 0; i < peerProjects; ++i) {
                ben->store().addManualProject(
                    project(QString::number(2301 + i), u"Job"_s, u"Acme"_s, today, today));
            }
            QVERIFY(finishes(ben->sharing().shareNow(true, false)));
        }

        const QFuture<void> sync = sharing.syncNow();
        QVERIFY(sharing.isSyncing());
        QVERIFY(finishes(sync));
        QVERIFY(!sharing.isSyncing());
        QCOMPARE(anna->model->status().text(), text.replace(u"FOLDER"_s, folder));
        QTEST(sharing.connection().title(), "badge");
        if (ben) {
            // The Studio section names who else is there.
            QCOMPARE(StudioSettings(anna->model->books(), sharing).stateLine(),
                     u"Reachable · 1 other computer: Ben"_s);
        }
        QCOMPARE(anna->model->books().tracker()->projects().size(), qMax(peerProjects, 0));
        if (peerProjects == -2) {
            // Mounted again: the next sync clears the badge.
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(finishes(sharing.shareNow(true, false)));
            QCOMPARE(sharing.connection().title(), u"Studio folder · no one else yet"_s);
        }
    }

    void switchDuringASyncDropsItsResult()
    {
        const auto anna = makeHome(u"Anna"_s);
        const auto ben = makeHome(u"Ben"_s);
        ben->store().addManualProject(project(u"2301"_s, u"Job"_s, u"Acme"_s, today, today));
        QVERIFY(finishes(ben->sharing().shareNow(true, false)));
        SharingModel& sharing = anna->sharing();
        QVERIFY(sharing.shareSummary());

        // The result can only be applied once control returns to the event
        // loop, which is after the switch.
        const QFuture<void> sync = sharing.shareNow(false, true);
        QVERIFY(sharing.isSharing());
        anna->model->switchTo(Administration::fallback());
        QSignalSpy summary(&sharing, &SharingModel::shareSummaryChanged);
        QVERIFY(finishes(sync));

        QCOMPARE(summary.size(), 0);
        QVERIFY(!sharing.shareSummary());
        QVERIFY(!sharing.isSharing());
        QCOMPARE(sharing.connection().title(), u"On this computer"_s);

        // Back to the shared books: their loop syncs again on a new engine.
        anna->model->switchTo(anna->books);
        QTRY_VERIFY(sharing.shareSummary());
        QCOMPARE(sharing.shareSummary()->peersSeen, 1);
    }

    // The user's own change made within the second of the add it changes
    // reaches the other machine, which already has the add.
    void aRenameInTheSecondOfTheAddReachesTheOtherMac()
    {
        const auto anna = makeHome(u"Anna"_s);
        const auto ben = makeHome(u"Ben"_s);
        CatalogueModel& catalogue = *anna->model->catalogue();
        const Outcome<Project> added =
            catalogue.quickAddProject(u"2301"_s, u"Poster"_s, u"Acme"_s);
        QVERIFY(added);
        QTRY_VERIFY(!anna->sharing().isSharing()); // the add is shared at once
        QVERIFY(finishes(ben->sharing().syncNow()));
        QCOMPARE(ben->store().project(u"2301")->name, u"Poster"_s);

        m_clock->advance(0.5);
        QVERIFY(catalogue.updateProject(*added, u"Poster, second round"_s, u"Acme"_s, u"2301"_s));
        QTRY_VERIFY(!anna->sharing().isSharing());
        QVERIFY(finishes(ben->sharing().syncNow()));
        QCOMPARE(ben->store().project(u"2301")->name, u"Poster, second round"_s);
        QCOMPARE(anna->store().project(u"2301")->name, u"Poster, second round"_s);
    }

    void mountAndWakeTogetherShareOnce()
    {
        const auto anna = makeHome(u"Anna"_s);
        SharingModel& sharing = anna->sharing();
        SystemEvents& events = *anna->platform.systemEvents;
        QSignalSpy sharingChanged(&sharing, &SharingModel::isSharingChanged);
        QSignalSpy uploaded(&sharing, &SharingModel::lastAutoUploadAtChanged);
        QVERIFY(sharing.lastReconcileAt());

        m_clock->advance(1);
        const QDateTime mounted = m_clock->now();
        Q_EMIT events.volumeMounted();
        QVERIFY(sharing.isSharing());
        QVERIFY(!sharing.lastReconcileAt()); // the pass also looks for missing files
        QTRY_COMPARE(sharing.lastAutoUploadAt(), mounted);
        QVERIFY(sharing.lastReconcileAt());

        m_clock->advance(4.5);
        Q_EMIT events.woke();
        QVERIFY(!sharing.isSharing());
        QCOMPARE(sharing.lastShareWake(), mounted);
        QCOMPARE(sharingChanged.size(), 2);
        QCOMPARE(uploaded.size(), 1);

        m_clock->advance(0.5);
        Q_EMIT events.woke();
        QVERIFY(sharing.isSharing());
        QTRY_COMPARE(uploaded.size(), 2);
    }

    void uploadControlFollowsThePeriod()
    {
        const auto anna = makeHome(u"Anna"_s);
        SharingModel& sharing = anna->sharing();
        sharing.showPeriod(TimesheetPeriod::Kind::week, QDate(2026, 2, 25));
        QCOMPARE(sharing.uploadState(), UploadState::nothingTracked());

        const TimeEntry first = session(lastWeek, 90);
        anna->store().save(first);
        anna->store().save(session(lastWeek.addDays(1), 60));
        anna->store().save(running(lastWeek.addDays(2)));
        QVERIFY(finishes(sharing.refreshPeriod()));
        QCOMPARE(sharing.uploadState(), UploadState::neverUploaded(2));
        QVERIFY(sharing.periodIsUploadedAutomatically() && sharing.periodHasRunningEntry());

        QVERIFY(finishes(sharing.autoUploadNow()));
        QTRY_COMPARE(sharing.uploadState().kind, UploadState::Kind::upToDate);
        QVERIFY(
            sharing.timesheetFile()->endsWith(hours(u"Anna"_s) + u"/2026/weeks/2026-W09.csv"_s));

        // An uploaded session edited afterwards is counted; the running one never is.
        m_clock->advance(30);
        TimeEntry edited = *anna->store().entry(first.id);
        edited.note = u"corrected"_s;
        anna->store().save(edited);
        QVERIFY(finishes(sharing.refreshPeriod()));
        QCOMPARE(sharing.uploadState(), UploadState::changedSince(*sharing.uploadedAt(), 1));
        QCOMPARE(sharing.periodNotUploadedCount(), 1);
        QVERIFY(sharing.uploadCaption().endsWith(u" · 1 going up shortly"_s));

        // Months are handed in by the pass, but the control offers them by hand.
        sharing.showPeriod(TimesheetPeriod::Kind::month, QDate(2026, 2, 23));
        QVERIFY(!sharing.periodIsUploadedAutomatically());
        QVERIFY(finishes(sharing.refreshPeriod()));
        QCOMPARE(sharing.uploadButtonTitle(), u"Upload month"_s);
    }

    void captionsAndButtons_data()
    {
        QTest::addColumn<UploadState>("state");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("button");

        const QDateTime morning = utc(2026, 3, 2, 8, 5);
        const QDateTime earlier = utc(2026, 2, 27, 16, 30);
        QTest::newRow("one session by hand") << UploadState::neverUploaded(1) << false
                                             << u"1 session · not uploaded"_s << u"Upload week"_s;
        QTest::newRow("uploaded today") << UploadState::upToDate(morning) << false
                                        << u"Uploaded today 08:05"_s << u"Upload again"_s;
        QTest::newRow("uploaded earlier, changed")
            << UploadState::changedSince(earlier, 3) << false
            << u"Uploaded 27 Feb 2026, 16:30 · 3 changed since"_s << u"Upload week"_s;
        QTest::newRow("automatic again") << UploadState::upToDate(earlier) << true
                                         << u"Uploaded 27 Feb 2026, 16:30"_s << u"Send again"_s;
        QTest::newRow("no folder")
            << UploadState::noSharedFolder() << true << u"No studio folder"_s << u"Upload week"_s;
    }

    void captionsAndButtons()
    {
        QFETCH(UploadState, state);
        QFETCH(bool, automatic);
        const Calendar calendar(QTimeZone::utc());
        QTEST(state.caption(automatic, m_clock->now(), calendar, QLocale::c()), "caption");
        QTEST(state.buttonTitle(TimesheetPeriod::Kind::week, automatic), "button");
    }

    void uploadMarks()
    {
        const auto anna = makeHome(u"Anna"_s);
        const TimeEntry kept = session(lastWeek, 60);
        const TimeEntry dropped = session(lastWeek.addDays(1), 60);
        anna->store().save(kept);
        anna->store().save(dropped);
        QVERIFY(finishes(anna->sharing().autoUploadNow()));
        QVERIFY(anna->store().entriesNeedingUpload().isEmpty());

        anna->store().deleteEntry(dropped.id);
        QCOMPARE(anna->store().entriesNeedingUpload().size(), 1);
        QVERIFY(finishes(anna->sharing().autoUploadNow()));

        const QByteArray week = studioFile(hours(u"Anna"_s) + u"/2026/weeks/2026-W09.csv"_s);
        const QByteArray month = studioFile(hours(u"Anna"_s) + u"/2026/months/2026-02.csv"_s);
        for (const QByteArray& file : {week, month}) {
            QVERIFY(file.contains(uuidText(kept.id).toUtf8()));
            QVERIFY(!file.contains(uuidText(dropped.id).toUtf8()));
        }
        QVERIFY(anna->store().entriesNeedingUpload().isEmpty());

        // Corrections after the hand-in: one session moved to this week,
        // another edited and then deleted before any upload ran. Neither
        // older copy may stay in last week's file.
        const TimeEntry corrected = session(lastWeek.addDays(2), 60);
        const TimeEntry binned = session(lastWeek.addDays(-7), 60); // a week of its own
        anna->store().save(corrected);
        anna->store().save(binned);
        QVERIFY(finishes(anna->sharing().autoUploadNow()));
        TimeEntry moved = *anna->store().entry(kept.id);
        moved.startedAt = today.addSecs(3600);
        moved.endedAt = moved.startedAt.addSecs(3600);
        QVERIFY(anna->model->history()->saveEdit(moved));
        TimeEntry retyped = *anna->store().entry(corrected.id);
        retyped.note = u"typo"_s;
        QVERIFY(anna->model->history()->saveEdit(retyped));
        anna->model->history()->deleteEntries({corrected.id, binned.id});
        // Clearing the bin at once: the deletion still reaches the share.
        anna->model->history()->purgeDeleted();
        QVERIFY(finishes(anna->sharing().autoUploadNow()));
        const QByteArray rewritten = studioFile(hours(u"Anna"_s) + u"/2026/weeks/2026-W09.csv"_s);
        QVERIFY(!rewritten.contains(uuidText(kept.id).toUtf8()));
        QVERIFY(!rewritten.contains(uuidText(corrected.id).toUtf8()));
        QVERIFY(!studioFile(hours(u"Anna"_s) + u"/2026/weeks/2026-W08.csv"_s)
                     .contains(uuidText(binned.id).toUtf8()));
        QVERIFY(studioFile(hours(u"Anna"_s) + u"/2026/weeks/2026-W10.csv"_s)
                    .contains(uuidText(kept.id).toUtf8()));
        QVERIFY(anna->store().uploadRevisits().isEmpty());

        // A month that cannot be written leaves the week's sessions unmarked.
        CountingFileSystem& fileSystem = m_shared->fileSystem;
        anna->sharing().setFileSystem(fileSystem);
        const TimeEntry monday = session(today, 30);
        anna->store().save(monday);
        fileSystem.failWritesTo(studio() + hours(u"Anna"_s) + u"/2026/months"_s);

        QVERIFY(finishes(anna->sharing().autoUploadNow()));
        QVERIFY(anna->sharing().autoUploadError());
        QVERIFY(studioFile(hours(u"Anna"_s) + u"/2026/weeks/2026-W10.csv"_s)
                    .contains(uuidText(monday.id).toUtf8()));
        QCOMPARE(anna->store().entriesNeedingUpload().size(), 1);

        fileSystem.clearFailures();
        QVERIFY(finishes(anna->sharing().autoUploadNow()));
        QVERIFY(!anna->sharing().autoUploadError());
        QVERIFY(anna->store().entriesNeedingUpload().isEmpty());
    }

    void newFolderOrNameMakesANewEngine()
    {
        const auto anna = makeHome(u"Anna"_s);
        SharingModel& sharing = anna->sharing();
        const std::weak_ptr<SharedFolderSync> first = sharing.sharedFolderSync();
        QVERIFY(finishes(sharing.shareNow(true, false)));
        QCOMPARE(sharing.sharedFolderSync(), first.lock()); // kept while nothing changes

        // A change made elsewhere is followed once it has settled.
        anna->model->books().settings()->setMachineName(u"Anna Smit"_s);
        m_clock->advance(SharingModel::settingsFollowDelay);
        QTRY_VERIFY(!sharing.isSharing());
        QCOMPARE(sharing.sharedFolderSync()->machineName(), u"Anna Smit"_s);
        QCOMPARE(anna->model->books().tracker()->machineName(), u"Anna Smit"_s);
        QTRY_VERIFY(first.expired());

        QTemporaryDir other;
        anna->model->books().settings()->setSharedFolderPath(other.path());
        anna->sharing().applySettingsChange();
        QTRY_VERIFY(!sharing.isSharing());
        QCOMPARE(sharing.sharedFolderSync()->folder(), other.path());
        QVERIFY(QFile::exists(other.path() + u"/.zol"_s));
        QThreadPool::globalInstance()->waitForDone();
    }

    void manualUploadSaysHoursAndAMovedFolder()
    {
        const auto anna = makeHome(u"Anna"_s);
        SharingModel& sharing = anna->sharing();
        QVERIFY(finishes(sharing.uploadTimesheet()));
        QCOMPARE(anna->model->status().text(),
                 u"Nothing tracked in Week 10 · 2 March – 8 March."_s);

        anna->store().save(session(today.addSecs(-6 * 3600), 360));
        anna->store().save(session(today, 90));
        QVERIFY(finishes(sharing.refreshPeriod()));
        anna->model->books().settings()->setAutoUploadEnabled(false);
        anna->model->books().settings()->setMachineName(u"Anna Smit"_s);
        sharing.applySettingsChange();
        QTRY_VERIFY(!sharing.isSharing());

        const QFuture<void> upload = sharing.uploadTimesheet();
        QVERIFY(sharing.isUploading());
        QVERIFY(finishes(upload));
        QVERIFY(!sharing.isUploading());
        QCOMPARE(anna->model->status().text(), u"Uploaded Week 10 · 2 March – 8 March: 7.50 hours. "
                                               u"Your earlier timesheets moved from “Anna”."_s);
        QVERIFY(QFile::exists(studio() + hours(u"Anna-Smit"_s) + u"/2026/weeks/2026-W10.csv"_s));
        // The month holding the week's sessions went up with it, so they
        // count as handed in.
        QVERIFY(QFile::exists(studio() + hours(u"Anna-Smit"_s) + u"/2026/months/2026-03.csv"_s));
        QVERIFY(anna->store().entriesNeedingUpload().isEmpty());
    }

    void choosingAndLeavingAStudioFolder()
    {
        // This machine keeps two sets of books: Studio on the studio folder,
        // and Other, open, with no folder yet.
        const auto home = makeHome(u"Anna"_s);
        AppModel& model = *home->model;
        const Administration other = named(u"Other"_s);
        model.books().addAdministration(other);

        model.switchTo(Administration::fallback());
        QVERIFY(finishes(model.sharing()->chooseStudioFolder(studio())));
        QCOMPARE(model.status().text(),
                 u"Local never leaves this computer. Add other books and open "
                 u"them to share through a studio folder."_s);
        QVERIFY(model.books().settings()->sharedFolderPath().isEmpty());

        model.switchTo(other);
        SharingModel& sharing = *model.sharing();
        QVERIFY(finishes(sharing.chooseStudioFolder(u" "_s + studio().toUpper() + u"/ "_s)));
        QCOMPARE(model.status().text(), u"That folder belongs to Studio."_s);
        QVERIFY(!sharing.canUpload());

        QTemporaryDir own;
        QVERIFY(finishes(sharing.chooseStudioFolder(own.path())));
        QCOMPARE(model.books().settings()->sharedFolderPath(), own.path());
        QVERIFY(model.books().settings()->sharedSyncEnabled());
        QCOMPARE(model.status().text(), u"Connected, but no other computers have published yet."_s);

        // A folder whose ".zol" is a link is refused, and nothing changes.
        QTemporaryDir linked;
        const PlantedLink link(linked.filePath(u".zol"_s));
        const std::shared_ptr<SharedFolderSync> engine = sharing.sharedFolderSync();
        QVERIFY(engine);
        QVERIFY(finishes(sharing.chooseStudioFolder(linked.path())));
        QCOMPARE(model.books().settings()->sharedFolderPath(), own.path());
        QCOMPARE(sharing.sharedFolderSync(), engine);
        QVERIFY(link.untouched());
        QVERIFY2(link.isRefusedIn(model.status().text()), qPrintable(model.status().text()));

        sharing.disconnectStudioFolder();
        QCOMPARE(model.status().text(), u"Other is on this computer only now."_s);
        QVERIFY(model.books().settings()->sharedFolderPath().isEmpty());
        QVERIFY(!model.books().settings()->sharedSyncEnabled());
        QCOMPARE(sharing.connection().title(), u"On this computer"_s);
        QVERIFY(QFile::exists(own.path() + u"/.zol"_s)); // nothing on the share is deleted

        model.books().store()->save(session(today, 30));
        QVERIFY(finishes(sharing.refreshPeriod()));
        QVERIFY(finishes(sharing.uploadTimesheet()));
        QCOMPARE(model.status().text(), u"Set up the studio folder first."_s);
        QThreadPool::globalInstance()->waitForDone();
    }
};

QTEST_GUILESS_MAIN(TestSharing)
#include "tst_sharing.moc"
