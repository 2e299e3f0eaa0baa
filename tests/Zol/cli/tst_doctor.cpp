// `zol doctor` over the real binary and a desktop of the test's own: an X
// display with a tray (trayer), dunst on a private session bus, stand-ins for
// logind on a private system bus and for the file manager. Everything is
// found; with the buses and the display taken away, each service is missing
// with its reason, and the command still exits 0.

#include "Dunst.h"
#include "PrivateBus.h"
#include "StandInFileManager.h"
#include "StandInLogin1.h"
#include "UserFolders.h"
#include "VirtualDisplay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol::test;

class TestDoctor : public QObject
{
    Q_OBJECT

    struct Report
    {
        int code = -1;
        QJsonObject json;
        QString text;
    };

    // Runs `zol doctor` (and `zol doctor --json`) in `environment`, keeping
    // this process's event loop turning: the stand-ins it serves answer from
    // here.
    static Report doctor(const QProcessEnvironment& environment)
    {
        Report report;
        for (const bool json : {false, true}) {
            QProcess process;
            process.setProcessEnvironment(environment);
            QSignalSpy finished(&process, &QProcess::finished);
            process.start(QStringLiteral(ZOL_BINARY),
                          json ? QStringList{u"doctor"_s, u"--json"_s} : QStringList{u"doctor"_s});
            if (!finished.wait(30'000))
                return {};
            report.code = std::max(report.code, process.exitCode());
            const QByteArray out = process.readAllStandardOutput();
            if (json)
                report.json = QJsonDocument::fromJson(out).object();
            else
                report.text = QString::fromUtf8(out);
        }
        return report;
    }

    static QJsonObject service(const Report& report, const QString& name)
    {
        for (const QJsonValue& value : report.json[u"services"_s].toArray()) {
            if (value[u"service"_s].toString() == name)
                return value.toObject();
        }
        return {};
    }

    static const QStringList& services()
    {
        static const QStringList names{u"notifications"_s, u"idle time"_s,   u"hot key"_s,
                                       u"login item"_s,    u"sleep and wake"_s, u"screen lock"_s,
                                       u"mounts"_s,
                                       u"file manager"_s,  u"tray"_s};
        return names;
    }

private Q_SLOTS:
    void everyServiceOfThisDesktopIsFound()
    {
        UserFolders folders;
        VirtualDisplay display;
        QVERIFY2(display.isRunning(), qPrintable(display.error()));
        PrivateBus session;
        PrivateBus system;
        QVERIFY(session.isRunning() && system.isRunning());
        Dunst dunst(session.address(), display.name());
        QVERIFY2(dunst.isRunning(), qPrintable(dunst.error()));
        StandInLogin1 login1;
        QVERIFY(login1.serve(system.connect(u"doctor-login1"_s)));
        StandInFileManager files;
        QVERIFY(files.serve(session.connect(u"doctor-files"_s)));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, display.name());
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, session.address());
        environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, system.address());
        environment.insert(u"XDG_SESSION_TYPE"_s, u"x11"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        QProcess tray;
        tray.setProcessEnvironment(environment);
        tray.start(u"trayer"_s, {u"--edge"_s, u"top"_s});
        QVERIFY(tray.waitForStarted(10'000));
        const auto endTray = qScopeGuard([&] {
            tray.kill();
            tray.waitForFinished(5'000);
        });
        // The tray owns its selection once it runs; give it a moment to.
        QTRY_VERIFY_WITH_TIMEOUT(
            service(doctor(environment), u"tray"_s)[u"found"_s].toBool(), 10'000);

        const Report report = doctor(environment);
        QCOMPARE(report.code, 0);
        for (const QString& name : services()) {
            // This desktop has no logind session and no screen saver.
            if (name == u"screen lock")
                continue;
            const QJsonObject found = service(report, name);
            QVERIFY2(found[u"found"_s].toBool(),
                     qPrintable(name + u": "_s + found[u"reason"_s].toString()));
        }
        QVERIFY(service(report, u"notifications"_s)[u"implementation"_s].toString().startsWith(
            u"dunst "_s));
        QVERIFY(service(report, u"idle time"_s)[u"implementation"_s].toString().contains(
            u"X screen saver"_s));
        QCOMPARE(service(report, u"tray"_s)[u"implementation"_s].toString(), u"XEmbed tray"_s);
        QCOMPARE(report.json[u"sessionType"_s].toString(), u"x11"_s);
        QVERIFY(report.json[u"dataFolder"_s].toString().endsWith(u"/Zol"_s));
        // One line per service, in the order of the list.
        const QStringList lines = report.text.split(u'\n');
        for (qsizetype i = 0; i < services().size(); ++i)
            QVERIFY2(lines.value(i).startsWith(services().at(i) + u':'), qPrintable(report.text));
    }

    void withoutADesktopEachServiceSaysWhy()
    {
        UserFolders folders;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.remove(u"XDG_SESSION_TYPE"_s);
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/bus"_s);
        environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, u"unix:path=/nonexistent/bus"_s);

        const Report report = doctor(environment);
        QCOMPARE(report.code, 0);
        for (const QString& name : {u"notifications"_s, u"idle time"_s, u"hot key"_s,
                                    u"sleep and wake"_s, u"screen lock"_s, u"file manager"_s,
                                    u"tray"_s}) {
            const QJsonObject missing = service(report, name);
            QVERIFY2(!missing[u"found"_s].toBool(), qPrintable(name));
            QVERIFY2(!missing[u"reason"_s].toString().isEmpty(), qPrintable(name));
        }
        QCOMPARE(service(report, u"hot key"_s)[u"reason"_s].toString().count(u"zol toggle"_s), 1);
        QCOMPARE(report.json[u"sessionType"_s].toString(), u"none"_s);
        QVERIFY(report.text.contains(u"notifications:  not found. "_s));
    }

    // On Wayland without the portal, the portal's reason and the way round
    // it, each said once.
    void waylandWithoutThePortal()
    {
        UserFolders folders;
        PrivateBus session;
        QVERIFY(session.isRunning());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_SESSION_TYPE"_s, u"wayland"_s);
        environment.insert(u"WAYLAND_DISPLAY"_s, u"wayland-zol-test"_s);
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, session.address());
        environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, u"unix:path=/nonexistent/bus"_s);
        const Report report = doctor(environment);
        QCOMPARE(service(report, u"hot key"_s)[u"reason"_s].toString(),
                 u"This desktop does not let programs claim keys. Bind 'zol toggle' to "
                 u"Super+Alt+T in the desktop's keyboard settings instead."_s);
        QCOMPARE(report.text.count(u"zol toggle"_s), 1);
    }
};

QTEST_GUILESS_MAIN(TestDoctor)
#include "tst_doctor.moc"
