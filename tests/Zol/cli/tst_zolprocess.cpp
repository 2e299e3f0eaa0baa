// The real `zol` binary as scripts run it: separate processes over the same
// files, exit statuses, and what it says without a display.

#include "UserFolders.h"
#include "store/EntryStore.h"

#include <QProcess>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace zol::test;

class TestZolProcess : public QObject
{
    Q_OBJECT

    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };

    std::unique_ptr<UserFolders> m_folders;

    qint64 openSessions()
    {
        zol::SQLiteDatabase books(zol::EntryStore::defaultURL());
        auto statement = books.prepare(
            u"SELECT count(*) FROM entries WHERE ended_at IS NULL AND deleted_at IS NULL;"_s);
        return statement.step() ? statement.integer(0) : -1;
    }

    // Runs the binary with the words of `command` ("double quotes" hold a
    // word with spaces) and no display.
    Run zol(const QString& command, const QString& program = QStringLiteral(ZOL_BINARY))
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        process.setProcessEnvironment(environment);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        process.start(program, QProcess::splitCommand(command));
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
        QCOMPARE(zol(u"project add 2301 --client Acme --name \"Brand book\""_s).code, 0);
        QCOMPARE(zol(u"start 2301"_s).code, 0);
        const Run status = zol(u"status --json"_s);
        QVERIFY2(status.out.contains(u"\"tracking\": true"_s) &&
                     status.out.contains(u"\"projectNumber\": \"2301\""_s),
                 qPrintable(status.out));
        // A session under a minute is not kept.
        QCOMPARE(zol(u"stop"_s).out, u"Under a minute, so nothing was recorded.\n"_s);
    }

    // Commands at the same moment on one set of books (the tray app, the hot
    // key, a script): each step waits for the others, so the books never
    // hold two open sessions and nobody is told the database is locked.
    void commandsAtOnceTakeTurns()
    {
        QCOMPARE(zol(u"project add 2301 --client Acme --name \"Brand book\""_s).code, 0);
        QCOMPARE(zol(u"project add 2302 --client Acme --name Website"_s).code, 0);
        const QList<QStringList> rounds = {
            {u"start 2301"_s, u"start 2302"_s, u"start 2301"_s, u"start 2302"_s},
            {u"start 2301"_s, u"pause"_s, u"resume"_s, u"start 2302"_s},
            {u"start 2302"_s, u"stop"_s, u"start 2301"_s, u"discard"_s},
        };
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        for (int round = 0; round < 60; ++round) {
            const QStringList& commands = rounds.at(round % rounds.size());
            std::vector<std::unique_ptr<QProcess>> running;
            for (const QString& command : commands) {
                auto& process = running.emplace_back(std::make_unique<QProcess>());
                process->setProcessEnvironment(environment);
                process->start(QStringLiteral(ZOL_BINARY), QProcess::splitCommand(command));
            }
            for (qsizetype i = 0; i < commands.size(); ++i) {
                QProcess& process = *running.at(i);
                QVERIFY(process.waitForFinished(60'000));
                const QString err = QString::fromUtf8(process.readAllStandardError());
                // A pause or stop may find nothing to act on; a start never fails.
                QVERIFY2(!err.contains(u"locked"_s) && !err.contains(u"temporary database"_s),
                         qPrintable(commands.at(i) + u": "_s + err));
                if (commands.at(i).startsWith(u"start"_s))
                    QVERIFY2(process.exitCode() == 0, qPrintable(commands.at(i) + u": "_s + err));
            }
            QVERIFY2(openSessions() <= 1, qPrintable(u"round %1"_s.arg(round)));
        }
    }

    void exitStatuses()
    {
        const Run misused = zol(u"start --colour"_s);
        QCOMPARE(misused.code, 2);
        QCOMPARE(misused.err, u"zol start: unknown option --colour. Try 'zol start --help'.\n"_s);
        QCOMPARE(zol(u"pause"_s).code, 1);
        QCOMPARE(zol(u"--version"_s).code, 0);
        // The tray app answers these without a display, where it could not start.
        const Run trayVersion = zol(u"--version"_s, QStringLiteral(ZOL_TRAY_BINARY));
        QCOMPARE(trayVersion.out, u"zol-tray " ZOL_VERSION "\n"_s);
        QCOMPARE(trayVersion.code, 0);
        const Run trayHelp = zol(u"--help"_s, QStringLiteral(ZOL_TRAY_BINARY));
        QVERIFY(trayHelp.out.startsWith(u"Usage: zol-tray\n"_s));
        QCOMPARE(trayHelp.code, 0);
    }

    // Text that got into the books before anything refused it (an older
    // version, a hand-edited file) reaches the terminal without a control the
    // terminal would act on.
    void storedControlsNeverReachTheTerminal()
    {
        QCOMPARE(zol(u"project add 2301 --client Acme --name Poster"_s).code, 0);
        {
            zol::SQLiteDatabase books(zol::EntryStore::defaultURL());
            books.execute(u"UPDATE projects SET name = 'Poster' || char(27) || '[2J' || char(155) "
                          "|| '31m', client_name = 'Acme' || char(7) || char(13);"_s);
        }
        const Run listed = zol(u"projects"_s);
        QCOMPARE(listed.code, 0);
        QVERIFY2(listed.out.contains(u"Poster[2J31m"_s), qPrintable(listed.out));
        for (const QChar c : listed.out)
            QVERIFY2(c == u'\n' || c == u'\t' ||
                         (c.unicode() >= 0x20 && (c.unicode() < 0x7F || c.unicode() > 0x9F)),
                     qPrintable(QString::number(c.unicode(), 16)));
    }

    void bytesThatAreNotUtf8AreRefused()
    {
        // QProcess would encode its arguments; the shell passes the bytes as they are.
        QProcess process;
        process.start(u"/bin/sh"_s, {u"-c"_s, u"exec \"$0\" name \"$(printf 'Ann\\351')\""_s,
                                     QStringLiteral(ZOL_BINARY)});
        QVERIFY(process.waitForFinished(60'000));
        QCOMPARE(process.readAllStandardError(),
                 "The name timesheets are filed under is not valid UTF-8 text.\n");
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(!zol(u"name"_s).out.startsWith(u"Ann"_s));
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
