// The real `zol` binary as scripts run it: separate processes over the same
// files, exit statuses, and what it says without a display.

#include "UserFolders.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol::test;

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

} // namespace

class TestZolProcess : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;

    Run zol(const QStringList& arguments, const QStringList& extraEnvironment = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        for (const QString& pair : extraEnvironment)
            environment.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZOL_BINARY), arguments);
        if (!process.waitForFinished(60'000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

private Q_SLOTS:
    void init() { m_folders = std::make_unique<UserFolders>(); }
    void cleanup() { m_folders.reset(); }

    void aSessionOutlivesTheProcessThatStartedIt()
    {
        QCOMPARE(zol({u"project"_s, u"add"_s, u"2301"_s, u"--client"_s, u"Acme"_s, u"--name"_s,
                      u"Brand book"_s})
                     .code,
                 0);
        const Run started = zol({u"start"_s, u"2301"_s});
        QCOMPARE(started.code, 0);
        const Run status = zol({u"status"_s, u"--json"_s});
        QCOMPARE(status.code, 0);
        QVERIFY(status.out.contains(u"\"tracking\": true"_s));
        QVERIFY(status.out.contains(u"\"projectNumber\": \"2301\""_s));
        // A session under a minute is not kept.
        const Run stopped = zol({u"stop"_s});
        QCOMPARE(stopped.out, u"Under a minute, so nothing was recorded.\n"_s);
    }

    void exitStatuses()
    {
        const Run misused = zol({u"start"_s, u"--colour"_s});
        QCOMPARE(misused.code, 2);
        QCOMPARE(misused.err, u"zol start: unknown option --colour. Try 'zol start --help'.\n"_s);
        QCOMPARE(zol({u"pause"_s}).code, 1);
        QCOMPARE(zol({u"--version"_s}).code, 0);
    }

    void withoutADisplayItExplainsTheCommandLine()
    {
        const Run bare = zol({});
        QCOMPARE(bare.code, 0);
        QVERIFY(bare.out.startsWith(u"Not tracking.\n"_s));
        QVERIFY(bare.out.contains(u"There is no display here"_s));
        QVERIFY(bare.out.contains(u"zol --help"_s));
    }
};

QTEST_GUILESS_MAIN(TestZolProcess)
#include "tst_zolprocess.moc"
