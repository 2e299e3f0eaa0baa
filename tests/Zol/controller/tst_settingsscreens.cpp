// The logic behind the Projects, Tasks, Studio, General and Administrations
// screens: the projects list's filters, orders and search; the task list's
// refusals; the studio folder's state lines and the refusal of another
// administration's folder; numbers checked against their ranges and the
// desktop's reasons; the numbering preview and the emptying confirmation.

#include "AdministrationForm.h"
#include "Books.h"
#include "CatalogueModel.h"
#include "GeneralSettings.h"
#include "ProjectsList.h"
#include "SharingModel.h"
#include "StudioSettings.h"
#include "TaskListEditor.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using Filter = ProjectsList::Filter;
using Sort = ProjectsList::Sort;

class TestSettingsScreens : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;

    AppModel& model() { return *m_books->model; }
    EntryStore& store() { return m_books->store(); }

    // Four active projects (one still without a number) and one archived;
    // three tracked, the newest work on 2302.
    void fillCatalogue()
    {
        Project draft = Project::local(u"Draft"_s, u"Acme"_s, utc(2026, 2, 15));
        draft.updatedAt = utc(2026, 2, 15);
        for (const Project& p :
             {project(u"2301"_s, u"Brand book"_s, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1)),
              project(u"2302"_s, u"Site"_s, u"Bolt"_s, utc(2026, 1, 2), utc(2026, 1, 2)),
              project(u"2303"_s, u"Poster"_s, QString(), utc(2026, 2, 1), utc(2026, 2, 1)),
              project(u"1999"_s, u"Éclair"_s, u"Café"_s, utc(2025, 1, 1), utc(2025, 1, 1), false),
              draft})
            store().addManualProject(p);
        store().save(session(utc(2026, 2, 26, 9), 60, u"2301"_s));
        store().save(session(utc(2026, 2, 27, 9), 120, u"2301"_s));
        store().save(session(utc(2026, 3, 1, 9), 300, u"2302"_s, u"Site"_s, u"Bolt"_s));
        store().save(session(utc(2025, 6, 1, 9), 60, u"1999"_s, u"Éclair"_s, u"Café"_s));
        model().catalogue()->reloadAllProjects();
    }

private Q_SLOTS:
    void init() { m_books = std::make_unique<Books>(); }
    void cleanup() { m_books.reset(); }

    void projectsList_data()
    {
        QTest::addColumn<Filter>("filter");
        QTest::addColumn<Sort>("sort");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("names");
        const QString none;
        QTest::newRow("recent: tracked, then the newest")
            << Filter::active << Sort::recent << none
            << QStringList{u"Site"_s, u"Brand book"_s, u"Draft"_s, u"Poster"_s};
        QTest::newRow("most hours")
            << Filter::active << Sort::mostTracked << none
            << QStringList{u"Site"_s, u"Brand book"_s, u"Draft"_s, u"Poster"_s};
        QTest::newRow("number, none last")
            << Filter::active << Sort::number << none
            << QStringList{u"Brand book"_s, u"Site"_s, u"Poster"_s, u"Draft"_s};
        QTest::newRow("client, none last")
            << Filter::active << Sort::client << none
            << QStringList{u"Brand book"_s, u"Draft"_s, u"Site"_s, u"Poster"_s};
        QTest::newRow("name") << Filter::active << Sort::name << none
                              << QStringList{u"Brand book"_s, u"Draft"_s, u"Poster"_s, u"Site"_s};
        QTest::newRow("archived") << Filter::archived << Sort::recent << none
                                  << QStringList{u"Éclair"_s};
        QTest::newRow("unused") << Filter::unused << Sort::recent << none
                                << QStringList{u"Draft"_s, u"Poster"_s};
        QTest::newRow("search ignores accents")
            << Filter::archived << Sort::name << u"ECLAIR"_s << QStringList{u"Éclair"_s};
        QTest::newRow("search a client") << Filter::active << Sort::name << u" acme "_s
                                         << QStringList{u"Brand book"_s, u"Draft"_s};
        // A draft's local key is not a number anybody typed.
        QTest::newRow("search a number") << Filter::active << Sort::number << u"23"_s
                                         << QStringList{u"Brand book"_s, u"Site"_s, u"Poster"_s};
        QTest::newRow("search local")
            << Filter::active << Sort::name << u"local"_s << QStringList{};
    }

    void projectsList()
    {
        QFETCH(Filter, filter);
        QFETCH(Sort, sort);
        QFETCH(QString, query);
        fillCatalogue();
        ProjectsList list(model().books(), *model().catalogue());
        list.setActive(true);
        list.setFilter(filter);
        list.setSort(sort);
        list.setQuery(query);
        QStringList names;
        for (const ProjectsList::Row& row : list.rows())
            names.append(row.project.name);
        QTEST(names, "names");
    }

    void projectsListFollowsTheBooks()
    {
        ProjectsList list(model().books(), *model().catalogue());
        list.setActive(true);
        QCOMPARE(list.emptyTitle(), u"No projects yet"_s);
        QCOMPARE(list.emptyText(), u"Add one here, or let the studio folder bring them in."_s);
        fillCatalogue();
        QCOMPARE(list.rows().size(), 4);
        QCOMPARE(list.details(list.rows().constFirst()), u"Bolt · 5h · last on 1 Mar 2026"_s);

        // Tracking a project uses it; archiving moves it.
        list.setFilter(Filter::unused);
        for (int left = 1; left >= 0; --left) {
            // A copy: the list is rebuilt while the operation runs.
            const Project unused = list.rows().constFirst().project;
            model().sessions().start(unused);
            m_books->clock.advance(120);
            model().sessions().stop();
            QCOMPARE(list.rows().size(), left);
        }
        QCOMPARE(list.emptyTitle(), u"Every project has been used"_s);
        list.setFilter(Filter::active);
        model().catalogue()->setProjectActive(Project(list.rows().constFirst().project), false);
        list.setFilter(Filter::archived);
        QCOMPARE(list.rows().size(), 2);
        for (int i = 0; i < 2; ++i)
            model().catalogue()->setProjectActive(Project(list.rows().constFirst().project), true);
        QCOMPARE(list.emptyTitle(), u"Nothing archived"_s);
    }

    void taskEditing()
    {
        TaskListEditor tasks(model().books(), model().status());
        QVERIFY(!tasks.setEnabled(true));
        QCOMPARE(*tasks.refusal(),
                 u"Add at least one task below first. General is always there as well."_s);
        QVERIFY(tasks.add(u"  Editing   logos "_s));
        QVERIFY(!tasks.refusal());
        QCOMPARE(model().books().taskList().tasks(), QStringList{u"Editing logos"_s});
        QVERIFY(!tasks.canAdd(u"GÉNÉRAL"_s) && !tasks.canAdd(u"editing LOGOS"_s));
        QVERIFY(!tasks.add(u"general"_s));
        QCOMPARE(*tasks.refusal(), u"There is a task called general already."_s);
        QVERIFY(!tasks.add(QString(201, u'x')));
        QVERIFY(tasks.refusal()->startsWith(u"The task's name is 201 characters long"_s));

        QVERIFY(tasks.setEnabled(true));
        QVERIFY(!tasks.remove(u"Editing logos"_s));
        QCOMPARE(*tasks.refusal(), u"Switch tasks off first: while they are on there has to be "
                                   u"at least one of your own."_s);
        QVERIFY(tasks.add(u"Sketch"_s));
        QVERIFY(tasks.move(u"Sketch"_s, TaskList::Direction::up));
        QCOMPARE(model().books().taskList().choices(),
                 (QStringList{u"General"_s, u"Sketch"_s, u"Editing logos"_s}));
        // At the top already: nothing saved, so a colleague's newer list still wins.
        const QDateTime stamped = model().books().taskList().updatedAt();
        m_books->clock.advance(60);
        QVERIFY(!tasks.move(u"Sketch"_s, TaskList::Direction::up));
        QCOMPARE(model().books().taskList().updatedAt(), stamped);
        QVERIFY(tasks.remove(u"Editing logos"_s));
        QCOMPARE(model().books().taskList().tasks(), QStringList{u"Sketch"_s});
    }

    void studioFolder()
    {
        StudioSettings studio(model().books(), *model().sharing());
        QVERIFY(studio.isLocalOnly());
        QVERIFY(
            studio.localExplanation().startsWith(u"The first administration is always this."_s));

        QTemporaryDir share;
        const Administration other = named(u"Other"_s);
        model().books().addAdministration(other);
        AppSettings(other.id, model().defaults()).setSharedFolderPath(share.path());
        const Administration books = named(u"Studio"_s);
        model().books().addAdministration(books);
        model().switchTo(books);
        QVERIFY(!studio.isLocalOnly());
        QCOMPARE(studio.stateLine(), u"No folder chosen"_s);

        // Another administration's folder, however it is typed: refused,
        // nothing stored.
        QSignalSpy refused(&studio, &StudioSettings::refusalChanged);
        studio.choose(u"  "_s + share.path().toUpper() + u"//"_s);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(studio.refusal()->title, u"That folder belongs to Other"_s);
        QCOMPARE(studio.refusal()->explanation, SharingModel::folderTakenExplanation());
        QVERIFY(!studio.folder());

        QTemporaryDir own;
        const QFuture<void> chosen = studio.choose(own.path());
        QVERIFY(!studio.refusal());
        QTRY_VERIFY(chosen.isFinished());
        QCOMPARE(studio.folder(), own.path());
        QCOMPARE(studio.stateLine(), u"Reachable · no other computers yet"_s);
        QCOMPARE(studio.lastSyncedLine(), u"Last synced today 09:00"_s);
        QCOMPARE(studio.conflictCopiesLine(), QString());
        QVERIFY(QDir(own.path()).mkpath(u".zol/peers"_s));
        QVERIFY(
            QFile(own.filePath(u".zol/peers/tasks.sync-conflict-20260310-101010-ABCDEFG.json"_s))
                .open(QIODevice::WriteOnly));
        const QFuture<void> counted = model().sharing()->syncNow();
        QTRY_VERIFY(counted.isFinished());
        QVERIFY(studio.conflictCopiesLine().startsWith(
            u"1 conflict copy of project and task lists left by the sync tool. "_s));

        studio.setSharing(false);
        QCOMPARE(studio.stateLine(), u"Chosen, but sharing is switched off."_s);
        studio.setSharing(true);
        QVERIFY(own.remove());
        const QFuture<void> sync = model().sharing()->syncNow();
        QTRY_VERIFY(sync.isFinished());
        QVERIFY(studio.isUnreachable());
        QCOMPARE(studio.stateLine(),
                 u"Cannot reach the shared folder at "_s + own.path() + u". Is the NAS mounted?"_s);
    }

    void settingNumbers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored"); // -1: refused
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a choice") << GeneralSettings::idleKey << u"15"_s << 15 << QString();
        QTest::newRow("typed with its unit")
            << GeneralSettings::firstReminderKey << u" 50 minutes"_s << 50 << QString();
        QTest::newRow("never") << GeneralSettings::longRunningKey << u"Never"_s << 0 << QString();
        QTest::newRow("below the range")
            << GeneralSettings::idleKey << u"0"_s << -1
            << u"“Away after” takes a whole number of minutes from 1 to 240, not 0."_s;
        QTest::newRow("above the range")
            << GeneralSettings::longRunningKey << u"25"_s << -1
            << u"“Flag a timer running longer than” takes a whole number of hours from 0 "
               u"(never) to 24, not 25."_s;
        QTest::newRow("not a number")
            << GeneralSettings::repeatReminderKey << u"soon"_s << -1
            << u"“Then remind every” takes a whole number of minutes from 0 (remind once) to "
               u"1440."_s;
    }

    void settingNumbers()
    {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(int, stored);
        GeneralSettings general(model().books(), model().platform(), *model().updates(),
                                model().hotKey());
        const int before = general.value(key);
        QCOMPARE(general.setNumber(key, typed), stored >= 0);
        QCOMPARE(general.value(key), stored >= 0 ? stored : before);
        QTEST(general.refusal(key).value_or(QString()), "refusal");
        // A value set elsewhere is offered as it is.
        if (stored == 50) {
            QStringList labels;
            for (const GeneralSettings::Choice& choice : general.choices(key))
                labels.append(choice.label);
            QCOMPARE(labels, (QStringList{u"30"_s, u"45"_s, u"50"_s, u"60"_s, u"90"_s, u"120"_s}));
        }
    }

    void loginItem()
    {
        GeneralSettings general(model().books(), model().platform(), *model().updates(),
                                model().hotKey());
        general.setStartAtLogin(true);
        general.setStartAtLogin(true);
        QCOMPARE(m_books->platform.loginItem->changes, 1);
        m_books->platform.loginItem->failure = u"Not allowed"_s;
        general.setStartAtLogin(false);
        QVERIFY(model().books().settings()->launchAtLogin()); // still registered
    }

    // The choice is kept for the next start; while it differs from the
    // language spoken now (English in the tests), a sentence says when it
    // applies. A value no offer matches reads as the system's.
    void languageChoice()
    {
        GeneralSettings general(model().books(), model().platform(), *model().updates(),
                                model().hotKey());
        QCOMPARE(general.language(), u"system"_s);
        QCOMPARE(general.languageNote(), std::nullopt);
        QSignalSpy changed(&general, &GeneralSettings::changed);
        general.setLanguage(u"nl"_s);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(model().books().defaults().string(u"language"_s), u"nl"_s);
        QCOMPARE(general.languageNote(),
                 u"Zol speaks the language you chose from the next time it starts."_s);
        general.setLanguage(u"en"_s);
        QCOMPARE(general.languageNote(), std::nullopt);
        model().books().defaults().setString(u"language"_s, u"klingon"_s);
        QCOMPARE(general.language(), u"system"_s);
    }

    void desktopReasons()
    {
        FakePlatform& platform = m_books->platform;
        platform.notifier->answer = ServiceAvailability::missing(u"No notification server."_s);
        platform.loginItem->answer = ServiceAvailability::missing(u"No autostart folder."_s);
        GeneralSettings general(model().books(), model().platform(), *model().updates(),
                                model().hotKey());
        QCOMPARE(general.remindersNote(), u"No notification server."_s);
        QCOMPARE(general.loginItemNote(), u"No autostart folder."_s);
        QVERIFY(!general.canStartAtLogin() && !general.idleNote() && !general.lockNote() &&
                !general.hotKeyNote());
        QCOMPARE(general.hotKeyPromise(), u"Works anywhere, even when Zol is not the active app."_s);

        platform.loginItem->answer = ServiceAvailability::present(u"autostart"_s);
        platform.loginItem->failure = u"The autostart folder is read-only."_s;
        general.lookAtDesktop();
        general.setStartAtLogin(true);
        QCOMPARE(general.loginItemNote(), u"The autostart folder is read-only."_s);
        QVERIFY(!model().books().settings()->launchAtLogin());

        const QString hint =
            u" Bind 'zol toggle' to Super+Alt+T in the desktop's keyboard settings instead."_s;
        model().hotKey().setFailure(u"Another program holds the key."_s);
        QCOMPARE(general.hotKeyNote(), u"Another program holds the key."_s + hint);
        QVERIFY(!general.hotKeyPromise());
        // Not wanted: nothing to explain.
        model().books().settings()->setHotKeyEnabled(false);
        QVERIFY(!general.hotKeyNote());
        platform.shortcut->answer = ServiceAvailability::missing(u"Wayland without a portal."_s);
        general.lookAtDesktop();
        QCOMPARE(general.hotKeyNote(), u"Wayland without a portal."_s + hint);
        QVERIFY(!general.hotKeyPromise());
        // A reason without its full stop still reads as a sentence.
        platform.shortcut->answer = ServiceAvailability::missing(u"No X display"_s);
        general.lookAtDesktop();
        QCOMPARE(general.hotKeyNote(), u"No X display."_s + hint);
    }

    // Where the desktop tells nothing, the switches stay and say so in one
    // sentence, with the desktop's reason when it is one a person can act on.
    void awayNotes_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("added");
        QTest::newRow("one sentence")
            << u"No logind on the system bus, and no screen saver on the session bus."_s
            << u" No logind on the system bus, and no screen saver on the session bus."_s;
        QTest::newRow("every source's answer, for zol doctor")
            << u"Nothing tells the idle time, so the away prompt stays off. The X screen saver is "
               u"not asked on Wayland. GNOME's idle monitor is not running."_s
            << QString();
        QTest::newRow("the stock reason") << u"Not available on this desktop."_s << QString();
        QTest::newRow("no reason") << QString() << QString();
        QTest::newRow("not a sentence") << u"org.freedesktop.DBus.Error.Failed"_s << QString();
    }
    void awayNotes()
    {
        QFETCH(QString, reason);
        QFETCH(QString, added);
        FakePlatform& platform = m_books->platform;
        platform.idleTime->answer = ServiceAvailability::missing(reason);
        platform.systemEvents->lockAnswer = ServiceAvailability::missing(reason);
        GeneralSettings general(model().books(), model().platform(), *model().updates(),
                                model().hotKey());
        QCOMPARE(general.idleNote(), u"This desktop does not tell Zol when you are away."_s + added);
        QCOMPARE(general.lockNote(),
                 u"This desktop does not tell Zol when the screen is locked."_s + added);
    }

    void numberingPreview_data()
    {
        QTest::addColumn<bool>("openBooks");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("year");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("line");
        QTest::newRow("year and count")
            << false << u"P"_s << true << 3 << u"The next number would be P26001"_s;
        QTest::newRow("prefix as typed")
            << false << u"A-"_s << false << 4 << u"The next number would be A-0001"_s;
        QTest::newRow("digits clamped")
            << false << u"X"_s << false << 12 << u"The next number would be X000000001"_s;
        // The open books carry on from their highest number.
        QTest::newRow("open books")
            << true << u"23"_s << false << 2 << u"The next number would be 2304"_s;
        QTest::newRow("a brace spoils the pattern") << false << u"P{"_s << true << 3 << QString();
    }

    void numberingPreview()
    {
        QFETCH(bool, openBooks);
        QFETCH(QString, prefix);
        QFETCH(bool, year);
        QFETCH(int, digits);
        std::optional<Administration> editing;
        if (openBooks) {
            fillCatalogue();
            editing = model().books().administration();
        }
        AdministrationForm form(model().books(), *model().catalogue(), editing);
        QSignalSpy changed(&form, &AdministrationForm::changed);
        QVERIFY(form.previewLine().isEmpty());
        form.setAutomatic(true);
        form.setPrefix(prefix);
        form.setIncludesYear(year);
        form.setDigits(digits);
        QVERIFY(changed.count() >= 3);
        QTEST(form.previewLine(), "line");
    }

    void savingAdministrations()
    {
        AdministrationForm form(model().books(), *model().catalogue());
        QCOMPARE(form.title(), u"New administration"_s);
        QVERIFY(!form.canSave() && !form.save());
        QCOMPARE(*form.refusal(), u"The administration needs a name."_s);
        form.setName(u"  Studio  "_s);
        QVERIFY(form.save());
        QCOMPARE(model().books().administrations().constLast().name, u"Studio"_s);
        QCOMPARE(model().books().administration().name, u"Local"_s);

        // "Local" always keeps local, and is never offered for removal.
        AdministrationForm local(model().books(), *model().catalogue(),
                                 model().books().administration());
        local.setKeepsLocal(false);
        QVERIFY(local.editor().keepsLocal && !local.canChangeKeepsLocal());
        QVERIFY(!local.canRemove(model().books().administration()));
        QVERIFY(local.canRemove(model().books().administrations().constLast()));
    }

    void emptyingConfirmation_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("confirms");
        QTest::newRow("the name") << u"Studio Noord"_s << true;
        QTest::newRow("blanks around it") << u"  Studio Noord "_s << true;
        QTest::newRow("other letter case") << u"studio noord"_s << false;
        QTest::newRow("part of it") << u"Studio"_s << false;
        QTest::newRow("nothing") << QString() << false;
    }

    void emptyingConfirmation()
    {
        QFETCH(QString, typed);
        QTEST(AdministrationForm::confirmsEmptying(typed, named(u"Studio Noord"_s)), "confirms");
    }
};

QTEST_GUILESS_MAIN(TestSettingsScreens)
#include "tst_settingsscreens.moc"
