// The idle time from the Wayland compositor: against a stand-in compositor
// that says "idled" and "resumed" on command (ext-idle-notify-v1, which
// Debian 12's compositors do not offer, and KDE's protocol), and against a
// real headless sway (KDE's protocol there), with a virtual keyboard's key.

#include "HeadlessSway.h"
#include "PlatformTesting.h"
#include "PrivateBus.h"
#include "ScopedEnvironment.h"
#include "StandInCompositor.h"
#include "linux/WaylandIdleTime.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::linux_desktop;
using namespace zol::test;

class TestWaylandIdle : public QObject
{
    Q_OBJECT

    // The fake monotonic clock of the stand-in tests.
    double m_now = 100;

    std::unique_ptr<WaylandIdleTime> sourceOn(const QString& socket, int timeoutMs = 5'000)
    {
        return std::make_unique<WaylandIdleTime>([this] { return m_now; }, timeoutMs, socket);
    }

private Q_SLOTS:
    void theProtocolOffered_data()
    {
        QTest::addColumn<QStringList>("offers");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("watching");
        QTest::newRow("ext-idle-notify-v1")
            << QStringList{u"seat"_s, u"ext"_s} << true
            << u"ext-idle-notify-v1 on the compositor"_s << u"ext 5000"_s;
        QTest::newRow("KDE's")
            << QStringList{u"seat"_s, u"kde"_s} << true
            << u"org_kde_kwin_idle on the compositor"_s << u"kde 5000"_s;
        QTest::newRow("both: ext-idle-notify-v1")
            << QStringList{u"kde"_s, u"seat"_s, u"ext"_s} << true
            << u"ext-idle-notify-v1 on the compositor"_s << u"ext 5000"_s;
        QTest::newRow("neither")
            << QStringList{u"seat"_s} << false
            << u"offers neither ext-idle-notify-v1 nor org_kde_kwin_idle."_s << QString();
        QTest::newRow("no seat")
            << QStringList{u"ext"_s} << false << u"offers no seat."_s << QString();
    }

    void theProtocolOffered()
    {
        QFETCH(QStringList, offers);
        QFETCH(bool, found);
        QFETCH(QString, said);
        QFETCH(QString, watching);
        StandInCompositor compositor(QStringLiteral(ZOL_STANDIN_COMPOSITOR), offers);
        QVERIFY2(compositor.isRunning(), qPrintable(compositor.error()));
        const auto source = sourceOn(compositor.socket());
        const ServiceAvailability availability = source->availability();
        QCOMPARE(availability.found, found);
        if (found) {
            QCOMPARE(availability.implementation, said);
            QCOMPARE(availability.reason, u"told after 5 s without input"_s);
            QTRY_COMPARE(compositor.watching(), QStringList{watching});
            QCOMPARE(source->secondsSinceLastInput(), std::optional(0.0));
        } else {
            QCOMPARE(availability.reason,
                     u"The Wayland compositor at "_s + compositor.socket() + u' ' + said);
            QCOMPARE(source->secondsSinceLastInput(), std::nullopt);
        }
    }

    void idledThenResumed_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::newRow("ext-idle-notify-v1") << u"ext"_s;
        QTest::newRow("KDE's") << u"kde"_s;
    }

    // The idle time is the timeout plus the time since "idled", read by the
    // event loop as the compositor writes, and 0 again after "resumed".
    void idledThenResumed()
    {
        QFETCH(QString, protocol);
        StandInCompositor compositor(QStringLiteral(ZOL_STANDIN_COMPOSITOR), {u"seat"_s, protocol});
        QVERIFY2(compositor.isRunning(), qPrintable(compositor.error()));
        const auto source = sourceOn(compositor.socket());
        QVERIFY(source->availability().found);
        QTRY_VERIFY(!compositor.watching().isEmpty());
        compositor.tellIdled();
        QTRY_COMPARE(source->secondsSinceLastInput(), std::optional(5.0));
        m_now += 30;
        QCOMPARE(source->secondsSinceLastInput(), std::optional(35.0));
        QCOMPARE(source->availability().reason, u"35 s since the last input"_s);
        compositor.tellResumed();
        QTRY_COMPARE(source->secondsSinceLastInput(), std::optional(0.0));
    }

    // A compositor that goes away makes the source missing; one that comes
    // back on the socket is connected to again.
    void theCompositorGoesAway()
    {
        auto compositor = std::make_unique<StandInCompositor>(
            QStringLiteral(ZOL_STANDIN_COMPOSITOR), QStringList{u"seat"_s, u"ext"_s});
        QVERIFY2(compositor->isRunning(), qPrintable(compositor->error()));
        const QString socket = compositor->socket();
        const auto source = sourceOn(socket);
        QVERIFY(source->availability().found);
        compositor->tellIdled();
        QTRY_COMPARE(source->secondsSinceLastInput(), std::optional(5.0));
        compositor->stop();
        QTRY_COMPARE(source->secondsSinceLastInput(), std::nullopt);
        const ServiceAvailability gone = source->availability();
        QVERIFY(!gone.found);
        QVERIFY2(gone.reason.startsWith(u"No Wayland compositor answers at "_s + socket),
                 qPrintable(gone.reason));
    }

    void notAWaylandSession()
    {
        ScopedEnvironment environment;
        environment.set("WAYLAND_DISPLAY", QByteArray());
        WaylandIdleTime source([] { return 0.0; });
        QCOMPARE(source.availability(),
                 ServiceAvailability::missing(
                     u"Not a Wayland session: WAYLAND_DISPLAY is not set."_s));
        QCOMPARE(source.secondsSinceLastInput(), std::nullopt);
    }

    // Real seconds: sway's own timer counts them.
    void underSway()
    {
        if (const QString missing = HeadlessSway::missing(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        if (QStandardPaths::findExecutable(u"wtype"_s).isEmpty())
            QSKIP("wtype is not installed (Debian package wtype).");
        HeadlessSway sway;
        QVERIFY2(sway.isRunning(), qPrintable(sway.error()));
        QElapsedTimer elapsed;
        elapsed.start();
        WaylandIdleTime source([&elapsed] { return elapsed.nsecsElapsed() / 1e9; }, 1'500,
                               sway.waylandDisplay());
        const ServiceAvailability availability = source.availability();
        QCOMPARE(availability.implementation, u"org_kde_kwin_idle on the compositor"_s);
        QVERIFY(availability.found);
        QTRY_VERIFY_WITH_TIMEOUT(source.secondsSinceLastInput().value_or(0) >= 1.5, 10'000);
        const double first = *source.secondsSinceLastInput();
        QTRY_VERIFY_WITH_TIMEOUT(source.secondsSinceLastInput().value_or(0) > first + 0.3, 10'000);
        QVERIFY(sway.type(u"a"_s));
        QTRY_VERIFY_WITH_TIMEOUT(source.secondsSinceLastInput().value_or(99) < 1.5, 5'000);
    }

    // The choice of source: in a Wayland session with XWayland beside it,
    // `zol doctor` names the compositor's protocol, not the X screen saver.
    void doctorUnderSway()
    {
        if (const QString missing = HeadlessSway::missing(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        HeadlessSway sway(/*xwayland=*/true);
        QVERIFY2(sway.isRunning(), qPrintable(sway.error()));
        PrivateBus bus;
        QVERIFY2(bus.isRunning(), qPrintable(bus.error()));
        QProcessEnvironment environment = sway.environment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
        QProcess doctor;
        doctor.setProcessEnvironment(environment);
        doctor.start(QStringLiteral(ZOL_BINARY), {u"doctor"_s});
        QVERIFY(doctor.waitForFinished(30'000));
        const QString said = QString::fromUtf8(doctor.readAllStandardOutput());
        QVERIFY2(said.contains(QRegularExpression(
                     u"^idle time: +org_kde_kwin_idle on the compositor, "_s,
                     QRegularExpression::MultilineOption)),
                 qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(TestWaylandIdle)
#include "tst_waylandidle.moc"
