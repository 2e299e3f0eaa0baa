// The General section on screen, with the timer's companions running: a
// changed setting reaches them at once (the key let go and taken again,
// reminders rescheduled), numbers outside their ranges refused under their
// fields, the desktop's reasons where a service is missing or refused, and
// the version card from "Check now" to "Download".

#include "Books.h"
#include "Companions.h"
#include "Screenshots.h"
#include "UpdateModel.h"
#include "update/HttpSession.h"
#include "update/UpdateChecker.h"
#include "window/GeneralSection.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

namespace {

struct FakeSession final : HttpSession
{
    QByteArray body;
    Reply get(const QUrl&, qint64) override { return Reply{200, body}; }
};

} // namespace

class TestGeneralSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<Companions> m_companions;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    FakePlatform& platform() { return m_books->platform; }
    QWidget& section() { return *m_window->section(u"general"_s); }
    template <typename T = QWidget> T* find(const QString& name)
    {
        T* found = section().findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    void toggle(const QString& name)
    {
        auto* box = find<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    // Types into a number's field and leaves it, as a person would.
    void type(const QString& field, const QString& typed)
    {
        auto* edit = find<QLineEdit>(field + u"Text"_s);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void open()
    {
        m_companions = std::make_unique<Companions>(model(), platform());
        m_window = std::make_unique<MainWindow>(model());
        m_window->setFixedSize(1000, 980);
        model().setWindowSection(u"general"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

private Q_SLOTS:
    void init() { m_books = std::make_unique<Books>(); }
    void cleanup()
    {
        m_window.reset();
        m_companions.reset();
        m_books.reset();
    }

    void changesReachTheCompanions()
    {
        open();
        QCOMPARE(platform().shortcut->held, u"ZOL "_s);
        QVERIFY(find<QCheckBox>(u"hotKey"_s)->isChecked());
        QCOMPARE(find<QCheckBox>(u"hotKey"_s)->text(), u"Start and pause with Super+Alt+T"_s);
        saveScreenshots(*m_window, u"general"_s);

        // The key is let go at once, and taken again.
        toggle(u"hotKey"_s);
        QVERIFY(!model().books().settings()->hotKeyEnabled());
        QCOMPARE(platform().shortcut->releases, 1);
        QVERIFY(platform().shortcut->held.isEmpty());
        toggle(u"hotKey"_s);
        QCOMPARE(platform().shortcut->held, u"ZOL "_s);

        // Reminders follow a new first reminder for the session running now.
        model().sessions().start(brandBook);
        QCOMPARE(find<QComboBox>(u"firstReminder"_s)->currentText(), u"60"_s);
        type(u"firstReminder"_s, u"20"_s);
        QCOMPARE(model().books().settings()->firstReminderMinutes(), 20);
        m_books->clock.advance(20 * 60 + 1);
        QTRY_COMPARE(platform().notifier->posted.size(), 1);
        QCOMPARE(platform().notifier->posted[0].title, u"Still tracking Brand book"_s);

        // Picking "Never" from the list.
        auto* flag = find<QComboBox>(u"longRunning"_s);
        flag->setCurrentIndex(flag->findText(u"Never"_s));
        Q_EMIT flag->activated(flag->currentIndex());
        QCOMPARE(model().books().settings()->longRunningWarningHours(), 0);
    }

    void numbersOutsideTheirRanges()
    {
        open();
        type(u"awayAfter"_s, u"0"_s);
        QCOMPARE(model().books().settings()->idleMinutes(), 10);
        QVERIFY(find(u"awayAfterRefusal"_s)->isVisible());
        QCOMPARE(text(u"awayAfterRefusal"_s),
                 u"“Away after” takes a whole number of minutes from 1 to 240, not 0."_s);
        type(u"repeatReminder"_s, u"later"_s);
        QVERIFY(text(u"repeatReminderRefusal"_s).startsWith(u"“Then remind every” takes"_s));
        saveScreenshots(*m_window, u"general-refused"_s);
        type(u"awayAfter"_s, u"25"_s);
        QCOMPARE(model().books().settings()->idleMinutes(), 25);
        QVERIFY(!find(u"awayAfterRefusal"_s)->isVisible());
    }

    void desktopReasons()
    {
        platform().loginItem->answer = ServiceAvailability::missing(
            u"No autostart folder can be written under ~/.config/autostart."_s);
        platform().notifier->answer = ServiceAvailability::missing(
            u"No notification server on the session bus. Start one, such as dunst."_s);
        platform().idleTime->answer = ServiceAvailability::missing(
            u"Neither the X screen saver nor GNOME's idle monitor answers."_s);
        platform().systemEvents->lockAnswer = ServiceAvailability::missing(
            u"No logind on the system bus, and no screen saver on the session bus."_s);
        platform().shortcut->answer = ServiceAvailability::missing(
            u"This desktop does not let programs claim keys."_s, u"Global shortcuts portal"_s);
        open();
        QVERIFY(!find(u"startAtLogin"_s)->isEnabled());
        QCOMPARE(text(u"loginItemNote"_s),
                 u"No autostart folder can be written under ~/.config/autostart."_s);
        QVERIFY(text(u"remindersNote"_s).startsWith(u"No notification server"_s));
        // The switches stay, and say that they wait on the desktop.
        QVERIFY(find(u"noticeAway"_s)->isEnabled() && find(u"lockCountsAsAway"_s)->isEnabled());
        QCOMPARE(text(u"idleNote"_s),
                 u"This desktop does not tell Zol when you are away. Neither the X screen saver "
                 u"nor GNOME's idle monitor answers."_s);
        QCOMPARE(text(u"lockNote"_s),
                 u"This desktop does not tell Zol when the screen is locked. No logind on the "
                 u"system bus, and no screen saver on the session bus."_s);
        // No promise where the key cannot work, and the way round said once.
        QVERIFY(!find(u"hotKeyPromise"_s)->isVisible());
        QCOMPARE(text(u"hotKeyNote"_s),
                 u"This desktop does not let programs claim keys. Bind 'zol toggle' to "
                 u"Super+Alt+T in the desktop's keyboard settings instead."_s);
        QCOMPARE(text(u"keyboardNote"_s),
                 u"Space and Ctrl+↩ apply while the tray panel is open. Stopping stays a "
                 u"deliberate act everywhere, since it closes the entry."_s);
        saveScreenshots(*m_window, u"general-missing-services"_s);
    }

    void refusedKey()
    {
        platform().shortcut->refusal = u"Another program holds Super+Alt+T."_s;
        open();
        QVERIFY(!find(u"hotKeyPromise"_s)->isVisible());
        QCOMPARE(text(u"hotKeyNote"_s),
                 u"Another program holds Super+Alt+T. Bind 'zol toggle' to Super+Alt+T in the "
                 u"desktop's keyboard settings instead."_s);
        // Switched off, the refused key needs no explaining.
        toggle(u"hotKey"_s);
        QVERIFY(!find(u"hotKeyNote"_s)->isVisible());
        QCOMPARE(text(u"hotKeyPromise"_s), u"Works anywhere, even when Zol is not the active app."_s);
    }

    // The locked screen's switch sits under "Notice when I have been away",
    // follows it, and restarts the watch with the new choice.
    void lockedScreenSwitch()
    {
        open();
        auto* lock = find<QCheckBox>(u"lockCountsAsAway"_s);
        QCOMPARE(lock->text(), u"Count a locked screen as away"_s);
        QVERIFY(lock->isChecked() && lock->isEnabled());
        QVERIFY(!find(u"lockNote"_s)->isVisible());
        QVERIFY(lock->mapTo(&section(), QPoint()).x() >
                find(u"noticeAway"_s)->mapTo(&section(), QPoint()).x());
        saveScreenshots(*m_window, u"general-locked-screen"_s);

        model().sessions().start(brandBook);
        toggle(u"lockCountsAsAway"_s);
        QVERIFY(!model().books().settings()->lockCountsAsAway());
        Q_EMIT platform().systemEvents->screenLocked();
        m_books->clock.advance(3600);
        Q_EMIT platform().systemEvents->screenUnlocked();
        QVERIFY(!model().panel().idleReport());

        toggle(u"lockCountsAsAway"_s);
        Q_EMIT platform().systemEvents->screenLocked();
        m_books->clock.advance(3600);
        Q_EMIT platform().systemEvents->screenUnlocked();
        QCOMPARE(model().panel().idleReport()->seconds, 3600.0);

        toggle(u"noticeAway"_s);
        QVERIFY(!lock->isEnabled());
    }

    void loginItemFailure()
    {
        platform().loginItem->failure = u"The autostart folder is read-only."_s;
        open();
        toggle(u"startAtLogin"_s);
        QVERIFY(!find<QCheckBox>(u"startAtLogin"_s)->isChecked());
        QCOMPARE(text(u"loginItemNote"_s), u"The autostart folder is read-only."_s);
    }

    void versionCard()
    {
        open();
        auto session = std::make_shared<FakeSession>();
        session->body = u"{\"version\":\"9.9.9\",\"url\":\"https://%1/zol-9.9.9.tar.gz\","
                        "\"publishedAt\":\"2026-03-01T09:00:00Z\"}"_s.arg(u"updates.zol.test"_s)
                            .toUtf8();
        model().updates()->setChecker(
            std::make_shared<UpdateChecker>(session, u"updates.zol.test"_s));
        QCOMPARE(text(u"runningVersion"_s),
                 u"You are running Zol "_s + UpdateModel::currentVersion());
        QVERIFY(!find(u"download"_s)->isVisible());
        QTest::mouseClick(find<QAbstractButton>(u"checkNow"_s), Qt::LeftButton);
        QTRY_COMPARE(text(u"updateLine"_s), u"9.9.9 is the newest version."_s);
        QVERIFY(find(u"download"_s)->isVisible());
        QCOMPARE(find(u"download"_s)->toolTip(), u"Opens in your browser. You are running "_s +
                                                     UpdateModel::currentVersion() + u'.');
        saveScreenshots(*m_window, u"general-update"_s);
        QTest::mouseClick(find<QAbstractButton>(u"download"_s), Qt::LeftButton);
        QCOMPARE(platform().desktop->opened.size(), 1);
        QCOMPARE(platform().desktop->opened[0].path(), u"/zol-9.9.9.tar.gz"_s);
    }
};

QTEST_MAIN(TestGeneralSection)
#include "tst_generalsection.moc"
