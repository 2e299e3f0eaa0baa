// The Linux desktop services that are reached over D-Bus alone, against
// stand-ins on a private bus: the screen saver service's idle count and when
// it is trusted, and the global shortcuts portal of Wayland desktops. (GNOME's
// idle monitor is met in tst_x11services, beside the X screen saver.)

#include "BusStandIn.h"
#include "GlobalHotKey.h"
#include "PlatformTesting.h"
#include "PrivateBus.h"
#include "linux/PortalGlobalShortcut.h"
#include "linux/PortalShortcut.h"
#include "linux/ScreenSaverIdleTime.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QMutex>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::linux_desktop;
using namespace zol::test;

namespace {

// The way round it is the controller's to add, once.
const QString noPortal = u"This desktop does not let programs claim keys."_s;

// The global shortcuts portal as a desktop runs it: a session for each
// caller, the shortcuts bound as asked, answered with `bindResponse` (0 for
// bound, 1 when the user says no).
class PortalStandIn
{
public:
    PortalStandIn(const PrivateBus& bus, bool offersShortcuts, uint bindResponse)
        : m_standIn(bus, u"org.freedesktop.portal.Desktop"_s, u"/org/freedesktop/portal/desktop"_s,
                    [this, offersShortcuts, bindResponse](const QDBusMessage& call) {
                        return answer(call, offersShortcuts, bindResponse);
                    })
    {}

    bool isServing() const { return m_standIn.isServing(); }
    // What the portal was asked so far.
    struct Seen
    {
        QString session;
        QList<PortalShortcut> bound;
        QStringList closed;
    };
    Seen seen() const
    {
        QMutexLocker lock(&m_mutex);
        return m_seen;
    }
    void activate(const QString& session, const QString& shortcutId) const
    {
        m_standIn.send(QDBusMessage::createSignal(u"/org/freedesktop/portal/desktop"_s,
                                                  u"org.freedesktop.portal.GlobalShortcuts"_s,
                                                  u"Activated"_s)
                       << QVariant::fromValue(QDBusObjectPath(session)) << shortcutId
                       << QVariant::fromValue(qulonglong(0)) << QVariantMap());
    }

private:
    QList<QDBusMessage> answer(const QDBusMessage& call, bool offersShortcuts, uint bindResponse)
    {
        const QList<QVariant> arguments = call.arguments();
        if (call.member() == u"Get") {
            if (offersShortcuts &&
                arguments.value(0).toString() == u"org.freedesktop.portal.GlobalShortcuts")
                return {call.createReply(QVariant::fromValue(QDBusVariant(1u)))};
            return {call.createErrorReply(QDBusError::UnknownInterface, {})};
        }
        if (call.member() == u"CreateSession") {
            const auto options = qdbus_cast<QVariantMap>(arguments.value(0));
            const QString session = portalObjectPath(
                u"session"_s, call.service(), options.value(u"session_handle_token"_s).toString());
            {
                QMutexLocker lock(&m_mutex);
                m_seen.session = session;
            }
            return respond(call, options, 0, {{u"session_handle"_s, session}});
        }
        if (call.member() == u"BindShortcuts") {
            const auto shortcuts = qdbus_cast<QList<PortalShortcut>>(arguments.value(1));
            {
                QMutexLocker lock(&m_mutex);
                if (arguments.value(0).value<QDBusObjectPath>().path() == m_seen.session)
                    m_seen.bound = shortcuts;
            }
            QList<PortalShortcut> answered;
            for (const PortalShortcut& shortcut : shortcuts)
                answered.append({shortcut.id, {{u"trigger_description"_s, u"Logo+Alt+T"_s}}});
            return respond(call, qdbus_cast<QVariantMap>(arguments.value(3)), bindResponse,
                           {{u"shortcuts"_s, QVariant::fromValue(answered)}});
        }
        if (call.member() == u"Close") {
            QMutexLocker lock(&m_mutex);
            m_seen.closed.append(call.path());
            return {call.createReply()};
        }
        return {call.createErrorReply(QDBusError::UnknownMethod, {})};
    }

    // The request object's path as the reply, then its Response signal.
    static QList<QDBusMessage> respond(const QDBusMessage& call, const QVariantMap& options,
                                       uint response, const QVariantMap& results)
    {
        const QString request = portalObjectPath(u"request"_s, call.service(),
                                                 options.value(u"handle_token"_s).toString());
        return {
            call.createReply(QVariant::fromValue(QDBusObjectPath(request))),
            QDBusMessage::createSignal(request, u"org.freedesktop.portal.Request"_s, u"Response"_s)
                << response << results};
    }

    mutable QMutex m_mutex;
    Seen m_seen;
    BusStandIn m_standIn;
};

} // namespace

class TestBusServices : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrivateBus> m_bus;
    QDBusConnection m_client{QString()};

    BusAccess client()
    {
        return [this] { return m_client; };
    }

private Q_SLOTS:
    void initTestCase()
    {
        PortalShortcut::registerType();
        m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(m_bus->isRunning(), qPrintable(m_bus->error()));
        m_client = m_bus->connect(u"client"_s);
        QVERIFY(m_client.isConnected());
    }

    // Readings one second apart of a screen saver service answering
    // `counts` in turn (-1: an error), and what each tells.
    void screenSaverTrust_data()
    {
        QTest::addColumn<QList<qlonglong>>("counts");
        QTest::addColumn<QList<double>>("told"); // NaN: nothing

        const double none = std::nan("");
        QTest::newRow("seconds") << QList<qlonglong>{10, 11, 12} << QList<double>{none, 11, 12};
        QTest::newRow("milliseconds")
            << QList<qlonglong>{10'000, 11'000, 40} << QList<double>{none, 11, 0.04};
        QTest::newRow("a constant 0")
            << QList<qlonglong>{0, 0, 0, 0} << QList<double>{none, none, none, none};
        QTest::newRow("input between the readings")
            << QList<qlonglong>{30, 2, 3} << QList<double>{none, none, 3};
        QTest::newRow("an error, then counting")
            << QList<qlonglong>{-1, 5, 6} << QList<double>{none, none, 6};
    }

    void screenSaverTrust()
    {
        QFETCH(QList<qlonglong>, counts);
        QFETCH(QList<double>, told);

        std::atomic<int> calls = 0;
        const BusStandIn screenSaver(
            *m_bus, u"org.freedesktop.ScreenSaver"_s, u"/org/freedesktop/ScreenSaver"_s,
            [&calls, counts](const QDBusMessage& call) {
                const qlonglong count = counts.value(calls++, counts.constLast());
                if (count < 0)
                    return QList<QDBusMessage>{call.createErrorReply(QDBusError::Failed, {})};
                return QList<QDBusMessage>{call.createReply(QVariant::fromValue(uint(count)))};
            });
        QVERIFY(screenSaver.isServing());
        double now = 100;
        ScreenSaverIdleTime idleTime(
            client(), [&now] { return now; }, [](double) {});

        for (qsizetype i = 0; i < told.size(); ++i) {
            const std::optional<double> seconds = idleTime.secondsSinceLastInput();
            if (std::isnan(told.at(i)))
                QVERIFY2(!seconds, qPrintable(u"reading %1"_s.arg(i)));
            else
                QCOMPARE(seconds, std::optional(told.at(i)));
            now += 1;
        }
    }

    // Asked once, the service is read twice, a pause apart, before the
    // answer: a moving count is found, a constant one is not.
    void screenSaverAvailability_data()
    {
        QTest::addColumn<uint>("step");
        QTest::addColumn<ServiceAvailability>("expected");

        const QString name = u"org.freedesktop.ScreenSaver"_s;
        QTest::newRow("moving") << 1u
                                << ServiceAvailability::present(name,
                                                                u"8 s since the last input"_s);
        QTest::newRow("constant")
            << 0u
            << ServiceAvailability::missing(
                   u"Its idle count has not moved yet (some desktops answer a constant); it is "
                   u"used once it does."_s,
                   name);
    }

    void screenSaverAvailability()
    {
        QFETCH(uint, step);
        QFETCH(ServiceAvailability, expected);

        std::atomic<uint> count = 7;
        const BusStandIn screenSaver(
            *m_bus, u"org.freedesktop.ScreenSaver"_s, u"/org/freedesktop/ScreenSaver"_s,
            [&count, step](const QDBusMessage& call) {
                const uint answer = count;
                count += step;
                return QList<QDBusMessage>{call.createReply(QVariant::fromValue(answer))};
            });
        QVERIFY(screenSaver.isServing());
        double now = 100;
        QList<double> pauses;
        ScreenSaverIdleTime idleTime(
            client(), [&now] { return now; },
            [&now, &pauses](double seconds) {
                pauses.append(seconds);
                now += seconds;
            });

        QCOMPARE(idleTime.availability(), expected);
        QCOMPARE(pauses, QList<double>{1.0});
    }

    void portalBindsAndPresses()
    {
        const PortalStandIn portal(*m_bus, true, 0);
        QVERIFY(portal.isServing());
        PortalGlobalShortcut shortcut(client());
        QSignalSpy pressed(&shortcut, &GlobalShortcut::pressed);

        QVERIFY(shortcut.grab(GlobalHotKey::signature()));
        QTRY_COMPARE(
            shortcut.availability(),
            ServiceAvailability::present(u"Global shortcuts portal"_s, u"Logo+Alt+T is bound"_s));
        const QString session = portal.seen().session;
        const QList<PortalShortcut> bound = portal.seen().bound;
        QCOMPARE(bound.size(), 1);
        QCOMPARE(bound.first().id, PortalGlobalShortcut::shortcutId());
        QCOMPARE(bound.first().properties.value(u"preferred_trigger"_s).toString(),
                 u"LOGO+ALT+t"_s);

        // Signals arrive in order: once ours is in, the others were seen.
        portal.activate(session, u"someone-else"_s);
        portal.activate(u"/org/freedesktop/portal/desktop/session/1_1/other"_s,
                        PortalGlobalShortcut::shortcutId());
        portal.activate(session, PortalGlobalShortcut::shortcutId());
        QTRY_COMPARE(pressed.count(), 1);
        QCOMPARE(pressed.first().first().toString(), GlobalHotKey::signature());

        shortcut.release();
        QTRY_COMPARE(portal.seen().closed, QStringList{session});
    }

    void portalRefusal_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("offersShortcuts");
        QTest::addColumn<uint>("bindResponse");
        QTest::addColumn<QString>("grabRefusal"); // empty: accepted at first
        QTest::addColumn<ServiceAvailability>("expected");

        const QString name = u"Global shortcuts portal"_s;
        QTest::newRow("no portal")
            << false << false << 0u << noPortal << ServiceAvailability::missing(noPortal, name);
        QTest::newRow("portal without shortcuts")
            << true << false << 0u << noPortal << ServiceAvailability::missing(noPortal, name);
        QTest::newRow("the user says no")
            << true << true << 1u << QString()
            << ServiceAvailability::missing(u"Super+Alt+T was not allowed on this desktop."_s,
                                            name);
    }

    void portalRefusal()
    {
        QFETCH(bool, running);
        QFETCH(bool, offersShortcuts);
        QFETCH(uint, bindResponse);
        QFETCH(QString, grabRefusal);
        QFETCH(ServiceAvailability, expected);

        std::unique_ptr<PortalStandIn> portal;
        if (running) {
            portal = std::make_unique<PortalStandIn>(*m_bus, offersShortcuts, bindResponse);
            QVERIFY(portal->isServing());
        }
        PortalGlobalShortcut shortcut(client());

        const std::expected<void, QString> grabbed = shortcut.grab(GlobalHotKey::signature());
        QCOMPARE(refusal(grabbed), grabRefusal);
        QTRY_COMPARE(shortcut.availability(), expected);
    }
};

QTEST_GUILESS_MAIN(TestBusServices)
#include "tst_busservices.moc"
