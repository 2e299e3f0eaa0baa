// The completion scripts written from the command table, tried in the shells
// they are for: what bash and fish offer after a partly typed line, and that
// zsh reads its script.

#include "CommandLine.h"
#include "support/Clock.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace zol;

class TestCompletion : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The script of `shell`, written to a file.
    QString script(const QString& shell)
    {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        cli::CommandLine commandLine(Clock::system(), outStream, errStream);
        const int status = commandLine.run({u"completion"_s, shell});
        outStream.flush();
        if (status != 0)
            qFatal("zol completion %s failed", qPrintable(shell));
        const QString path = m_dir.filePath(u"zol."_s + shell);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the script");
        file.write(out.toUtf8());
        return path;
    }

    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(20'000) || process.exitCode() != 0)
            return u"<failed> "_s + QString::fromUtf8(process.readAllStandardError());
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // What bash offers for `line` (the cursor at its end).
    QString bash(const QString& line)
    {
        QStringList words = line.split(u' ');
        const QString program =
            u"source '%1'; COMP_WORDS=(%2); COMP_CWORD=%3; _zol; printf '%s\\n' \"${COMPREPLY[@]}\""_s
                .arg(script(u"bash"_s))
                .arg([&] {
                    QStringList quoted;
                    for (const QString& word : words)
                        quoted.append(u'\'' + word + u'\'');
                    return quoted.join(u' ');
                }())
                .arg(words.size() - 1);
        QStringList offered = run(u"bash"_s, {u"-c"_s, program}).split(u'\n', Qt::SkipEmptyParts);
        offered.sort();
        return offered.join(u' ');
    }

private Q_SLOTS:
    void bashOffers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("offered");
        QTest::newRow("first word") << u"zol sta"_s << u"start status"_s;
        QTest::newRow("a group's commands")
            << u"zol project "_s << u"add archive edit next remove unarchive"_s;
        QTest::newRow("a command that is also a group")
            << u"zol tasks "_s << u"--help --json add move off on remove"_s;
        QTest::newRow("options") << u"zol start --"_s << u"--help --internal --note --task"_s;
        QTest::newRow("options after a value")
            << u"zol start 2301 --note draft --t"_s << u"--task"_s;
        QTest::newRow("a fixed word") << u"zol export "_s << u"csv json"_s;
        QTest::newRow("an option's choices") << u"zol search logo --range m"_s << u"month"_s;
        QTest::newRow("the second word") << u"zol tasks move Sketch "_s << u"down up"_s;
        QTest::newRow("setting keys") << u"zol settings idle."_s
                                         << u"idle.enabled idle.lockCountsAsAway idle.minutes"_s;
        QTest::newRow("help") << u"zol help do"_s << u"doctor"_s;
        QTest::newRow("the shells") << u"zol completion "_s << u"bash fish zsh"_s;
        QTest::newRow("a new command") << u"zol no"_s << u"note"_s;
        QTest::newRow("its option") << u"zol note draft --"_s << u"--append --help"_s;
        QTest::newRow("after a value that may be left out")
            << u"zol log --week --j"_s << u"--json"_s;
    }

    void bashOffers()
    {
        QFETCH(QString, line);
        QTEST(bash(line), "offered");
    }

    void bashCompletesFolders()
    {
        QDir(m_dir.path()).mkdir(u"studio-share"_s);
        QCOMPARE(bash(u"zol studio folder "_s + m_dir.filePath(u"studio-s"_s)),
                 m_dir.filePath(u"studio-share"_s));
    }

    void fishOffers()
    {
        const QString path = script(u"fish"_s);
        const auto offered = [&](const QString& line) {
            QStringList words;
            for (const QString& row :
                 run(u"fish"_s, {u"--no-config"_s, u"-c"_s,
                                 u"source '%1'; complete -C '%2'"_s.arg(path, line)})
                     .split(u'\n', Qt::SkipEmptyParts))
                words.append(row.section(u'\t', 0, 0));
            words.sort();
            return words.join(u' ');
        };
        QCOMPARE(offered(u"zol sta"_s), u"start status"_s);
        QCOMPARE(offered(u"zol project a"_s), u"add archive"_s);
        QCOMPARE(offered(u"zol export "_s), u"csv json"_s);
        QCOMPARE(offered(u"zol search x --range="_s).contains(u"--range=month"_s), true);
    }

    void zshReadsItsScript() { QCOMPARE(run(u"zsh"_s, {u"-n"_s, script(u"zsh"_s)}), QString()); }
};

QTEST_GUILESS_MAIN(TestCompletion)
#include "tst_completion.moc"
