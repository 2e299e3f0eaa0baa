// Reminders through a real notification server (dunst on a bus and X display
// of the test's own): Pause and Stop offered and clicked, low urgency, the
// same id replacing what is shown, no server at all and one that comes and
// goes; and, against a stand-in server, what its capabilities change.

#include "Builders.h"
#include "Dunst.h"
#include "FakeClock.h"
#include "PrivateBus.h"
#include "ReminderScheduler.h"
#include "StandInNotificationServer.h"
#include "VirtualDisplay.h"
#include "linux/DBusNotifier.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace zol;
using namespace zol::linux_desktop;
using namespace zol::test;

class TestNotifier : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualDisplay> m_display;
    std::unique_ptr<PrivateBus> m_bus;
    QStringList m_connections;

    QDBusConnection connection()
    {
        m_connections.append(QStringLiteral("notifier-test-") +
                             QString::number(m_connections.size()));
        return m_bus->connect(m_connections.constLast());
    }

    static Notification note(const QString& id, const QString& title)
    {
        return {id, title, QStringLiteral("A while so far."), ReminderScheduler::categoryId(),
                true};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_display = std::make_unique<VirtualDisplay>();
        QVERIFY2(m_display->isRunning(), qPrintable(m_display->error()));
    }
    void init()
    {
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->error()));
    }
    void cleanup()
    {
        for (const QString& name : std::as_const(m_connections))
            QDBusConnection::disconnectFromBus(name);
        m_connections.clear();
        m_bus.reset();
    }
    void cleanupTestCase() { m_display.reset(); }

    void reminderOffersPauseAndStopQuietly()
    {
        Dunst dunst(m_bus->address(), m_display->name());
        QVERIFY2(dunst.isRunning(), qPrintable(dunst.error()));
        FakeClock clock;
        DBusNotifier notifier(connection());
        ReminderScheduler reminders(clock, notifier);
        reminders.registerCategories();
        int stops = 0;
        int pauses = 0;
        reminders.onStop([&](const QUuid&) { ++stops; });
        reminders.onPause([&](const QUuid&) { ++pauses; });
        QSignalSpy clicked(&notifier, &Notifier::actionInvoked);

        const QFuture<bool> allowed = reminders.requestAuthorisationIfNeeded();
        QTRY_VERIFY(allowed.isFinished());
        QVERIFY(allowed.result());
        QCOMPARE(notifier.authorisation(), Notifier::Authorisation::authorised);

        TimeEntry entry = running(clock.now());
        entry.clientName = QStringLiteral("R&D <Studio>");
        const Notification reminder = ReminderScheduler::notificationFor(entry, 30 * 60);
        notifier.post(reminder);
        QTRY_COMPARE(dunst.shown().size(), 1);
        const Dunst::Shown shown = dunst.shown().constFirst();
        QCOMPARE(shown.summary, reminder.title);
        QCOMPARE(shown.urgency, QStringLiteral("LOW"));

        dunst.openContextMenu();
        QTRY_COMPARE(clicked.size(), 1);
        QCOMPARE(clicked.constFirst(), (QVariantList{reminder.id, QStringLiteral("STOP")}));
        QCOMPARE(stops, 1);
        QCOMPARE(pauses, 0);
        const QString where = QStringLiteral(" (") + reminder.title + QStringLiteral(") [") +
                              QString::number(shown.id) + u',';
        QStringList offered = dunst.menuLines();
        offered.sort();
        QCOMPARE(offered, (QStringList{QStringLiteral("#Pause") + where + QStringLiteral("PAUSE]"),
                                       QStringLiteral("#Stop") + where + QStringLiteral("STOP]")}));
    }

    void sameIdReplaces_data()
    {
        QTest::addColumn<bool>("beforeFirstIsShown");
        QTest::newRow("after the first is shown") << false;
        QTest::newRow("while the server has not answered") << true;
    }
    void sameIdReplaces()
    {
        QFETCH(bool, beforeFirstIsShown);
        Dunst dunst(m_bus->address(), m_display->name());
        QVERIFY2(dunst.isRunning(), qPrintable(dunst.error()));
        DBusNotifier notifier(connection());

        notifier.post(note(QStringLiteral("a"), QStringLiteral("First")));
        if (!beforeFirstIsShown)
            QTRY_COMPARE(dunst.shown().size(), 1);
        notifier.post(note(QStringLiteral("a"), QStringLiteral("First, again")));
        notifier.post(note(QStringLiteral("b"), QStringLiteral("Second")));

        QTRY_COMPARE(dunst.shown().size(), 3);
        QHash<QString, uint> ids;
        for (const Dunst::Shown& shown : dunst.shown())
            ids.insert(shown.summary, shown.id);
        QCOMPARE(ids.value(QStringLiteral("First, again")), ids.value(QStringLiteral("First")));
        QVERIFY(ids.value(QStringLiteral("Second")) != ids.value(QStringLiteral("First")));
        QTRY_COMPARE(dunst.displayed(), 2);
    }

    void serverAbsentThenComesAndGoes()
    {
        DBusNotifier notifier(connection());
        notifier.registerCategory(ReminderScheduler::categoryId(),
                                  {{QStringLiteral("STOP"), QStringLiteral("Stop")}});
        const ServiceAvailability none = notifier.availability();
        QVERIFY(!none.found);
        QVERIFY2(none.reason.startsWith(QStringLiteral("No notification server")),
                 qPrintable(none.reason));

        std::optional<bool> granted;
        notifier.requestAuthorisation(this, [&](bool answer) { granted = answer; });
        QTRY_VERIFY(granted.has_value());
        QCOMPARE(*granted, false);
        QCOMPARE(notifier.authorisation(), Notifier::Authorisation::denied);

        {
            Dunst dunst(m_bus->address(), m_display->name());
            QVERIFY2(dunst.isRunning(), qPrintable(dunst.error()));
            QTRY_COMPARE(notifier.authorisation(), Notifier::Authorisation::authorised);
            const ServiceAvailability found = notifier.availability();
            QVERIFY(found.found);
            QVERIFY2(found.implementation.startsWith(QStringLiteral("dunst ")),
                     qPrintable(found.implementation));
            QCOMPARE(found.reason, QStringLiteral("reminders carry Pause and Stop"));

            // The server that came later hears from us, and we from it.
            QSignalSpy clicked(&notifier, &Notifier::actionInvoked);
            notifier.post(note(QStringLiteral("b"), QStringLiteral("Seen")));
            QTRY_COMPARE(dunst.shown().size(), 1);
            QCOMPARE(dunst.shown().constFirst().summary, QStringLiteral("Seen"));
            dunst.openContextMenu();
            QTRY_COMPARE(clicked.size(), 1);
            QCOMPARE(clicked.constFirst(),
                     (QVariantList{QStringLiteral("b"), QStringLiteral("STOP")}));
        }
        QTRY_COMPARE(notifier.authorisation(), Notifier::Authorisation::denied);
    }

    void capabilitiesDecide_data()
    {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("body");
        const QStringList pauseAndStop{QStringLiteral("PAUSE"), QStringLiteral("Pause"),
                                       QStringLiteral("STOP"), QStringLiteral("Stop")};
        const QString plain = QStringLiteral("1 h so far on R&D <Studio>.");
        QTest::newRow("actions") << QStringList{QStringLiteral("actions"), QStringLiteral("body")}
                                 << pauseAndStop << plain;
        QTest::newRow("markup, no actions")
            << QStringList{QStringLiteral("body"), QStringLiteral("body-markup")} << QStringList()
            << QStringLiteral("1 h so far on R&amp;D &lt;Studio&gt;.");
        QTest::newRow("nothing") << QStringList() << QStringList() << plain;
    }
    void capabilitiesDecide()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(QStringList, actions);
        QFETCH(QString, body);
        StandInNotificationServer server(capabilities);
        QVERIFY(server.serve(connection()));
        DBusNotifier notifier(connection());
        FakeClock clock;
        ReminderScheduler(clock, notifier).registerCategories();

        Notification reminder = note(QStringLiteral("a"), QStringLiteral("Still tracking X"));
        reminder.body = QStringLiteral("1 h so far on R&D <Studio>.");
        notifier.post(reminder);
        QTRY_COMPARE(server.received.size(), 1);
        const StandInNotificationServer::Received& got = server.received.constFirst();
        QCOMPARE(got.actions, actions);
        QCOMPARE(got.body, body);
        QCOMPARE(got.appName, QStringLiteral("org.zol.Zol"));
        QCOMPARE(got.hints.value(QStringLiteral("desktop-entry")),
                 QVariant(QStringLiteral("org.zol.Zol")));
        const QVariant urgency = got.hints.value(QStringLiteral("urgency"));
        QCOMPARE(urgency.metaType(), QMetaType::fromType<uchar>());
        QCOMPARE(urgency.value<uchar>(), uchar(0));
    }
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "tst_notifier.moc"
