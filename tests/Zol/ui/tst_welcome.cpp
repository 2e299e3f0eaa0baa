// The welcome window: shown by the tray app on a first run only, its three
// steps with Back, Continue, Skip and Start tracking, the name kept as typed,
// the start-and-pause line of this desktop, and "Set up a studio…" opening
// the main window on Administrations.

#include "AppModel.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "FirstRun.h"
#include "Screenshots.h"
#include "UserFolders.h"
#include "app/TrayApp.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "welcome/WelcomeWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

namespace {

WelcomeWindow* shownWelcome()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* welcome = qobject_cast<WelcomeWindow*>(widget); welcome && welcome->isVisible())
            return welcome;
    }
    return nullptr;
}

} // namespace

class TestWelcome : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<SettingsStore> m_defaults;

    // A tray app over this user's settings, on a platform of fakes.
    std::unique_ptr<TrayApp> startApp()
    {
        FakePlatform fakes;
        auto app = std::make_unique<TrayApp>(*m_defaults, *m_clock, std::move(fakes.platform));
        app->start();
        return app;
    }

    QPushButton* button(QWidget* window, const QString& name)
    {
        return window->findChild<QPushButton*>(name);
    }

private Q_SLOTS:
    void init()
    {
        m_folders = std::make_unique<UserFolders>();
        m_clock = std::make_unique<FakeClock>();
        m_defaults = std::make_unique<SettingsStore>(QString());
    }
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<WelcomeWindow*>(widget))
                delete widget;
        }
        QThreadPool::globalInstance()->waitForDone();
        m_defaults.reset();
        m_clock.reset();
        m_folders.reset();
    }

    void shownOnTheFirstRunOnly()
    {
        std::unique_ptr<TrayApp> first = startApp();
        WelcomeWindow* welcome = shownWelcome();
        QVERIFY(welcome);
        QCOMPARE(welcome->windowTitle(), u"Welcome to Zol"_s);
        QVERIFY(FirstRun::isDue(*m_defaults));
        button(welcome, u"skip"_s)->click();
        QVERIFY(!FirstRun::isDue(*m_defaults));
        QTRY_VERIFY(!shownWelcome());
        first.reset();

        std::unique_ptr<TrayApp> second = startApp();
        QVERIFY(!shownWelcome());
    }

    // Back and Continue walk the steps; the name goes into the settings as
    // the step is left; the last step starts tracking.
    void steps()
    {
        std::unique_ptr<TrayApp> app = startApp();
        WelcomeWindow* welcome = shownWelcome();
        QVERIFY(welcome);
        QPushButton* back = button(welcome, u"back"_s);
        QPushButton* next = button(welcome, u"continue"_s);
        QPushButton* start = button(welcome, u"startTracking"_s);
        QVERIFY(!back->isVisible() && next->isVisible() && !start->isVisible());
        saveScreenshots(*welcome, u"welcome-1"_s);

        next->click();
        QCOMPARE(welcome->step(), 1);
        auto* name = welcome->findChild<QLineEdit*>(u"welcomeName"_s);
        // A name too long to keep holds the window on its step, saying why.
        const QString before = app->model().books().settings()->machineName();
        name->setText(QString(201, u'a'));
        next->click();
        QCOMPARE(welcome->step(), 1);
        QCOMPARE(app->model().books().settings()->machineName(), before);
        auto* refusal = welcome->findChild<QLabel*>(u"welcomeNameRefusal"_s);
        QVERIFY(refusal->isVisible());
        QCOMPARE(refusal->text(),
                 u"The name timesheets are filed under is 201 characters long; the most is 200."_s);
        name->setText(u"Anna Smit"_s);
        saveScreenshots(*welcome, u"welcome-2"_s);
        back->click();
        QCOMPARE(app->model().books().settings()->machineName(), u"Anna Smit"_s);
        QVERIFY(!refusal->isVisible());
        QTest::keyClick(welcome, Qt::Key_Return);
        QTest::keyClick(welcome, Qt::Key_Return);
        QCOMPARE(welcome->step(), 2);
        QVERIFY(back->isVisible() && !next->isVisible() && start->isVisible());
        QCOMPARE(welcome->findChild<QLabel*>(u"hotKeyTitle"_s)->text(),
                 u"Start and pause with Super+Alt+T"_s);
        saveScreenshots(*welcome, u"welcome-3"_s);

        QSignalSpy tracking(welcome, &WelcomeWindow::startTrackingRequested);
        start->click();
        QCOMPARE(tracking.count(), 1);
        QVERIFY(!FirstRun::isDue(*m_defaults));
    }

    void setUpAStudio()
    {
        std::unique_ptr<TrayApp> app = startApp();
        WelcomeWindow* welcome = shownWelcome();
        welcome->setStep(2);
        QSignalSpy window(&app->model(), &AppModel::windowRequested);
        button(welcome, u"setUpStudio"_s)->click();
        QCOMPARE(app->model().windowSection(), u"administrations"_s);
        QCOMPARE(window.count(), 1);
        QVERIFY(!FirstRun::isDue(*m_defaults));
    }
};

QTEST_MAIN(TestWelcome)
#include "tst_welcome.moc"
