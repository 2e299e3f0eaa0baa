// The Debian package as a machine receives it: CPack builds it from this
// build into a folder of the test's own, dpkg-deb unpacks it there (no root
// needed), and the test reads its files, its control fields and dependencies,
// and runs its programs from where they were unpacked.

#include "UserFolders.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        int timeoutMs = 60'000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, program + u" did not finish"_s};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The fields of a control file; a continuation line joins its field's value
// after a line feed.
QMap<QString, QString> controlFields(const QString& text)
{
    QMap<QString, QString> fields;
    QString current;
    for (const QString& line : text.split(u'\n')) {
        if (line.startsWith(u' ') && !current.isEmpty()) {
            fields[current] += u'\n' + line.mid(1);
        } else if (const qsizetype colon = line.indexOf(u':'); colon > 0) {
            current = line.left(colon);
            fields[current] = line.mid(colon + 1).trimmed();
        }
    }
    return fields;
}

// The value of `key` in the main group of a desktop entry.
QString desktopValue(const QString& entry, const QString& key)
{
    const QRegularExpression line(u"^"_s + QRegularExpression::escape(key) + u"=(.*)$"_s,
                                  QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root;
    QMap<QString, QString> m_control;

    QString unpacked(const QString& path) const { return m_root + u'/' + path; }

    // The environment of a user of the unpacked package, with nothing that
    // could lead its programs back into the build.
    QProcessEnvironment userEnvironment(const zol::test::UserFolders& folders) const
    {
        QProcessEnvironment environment;
        environment.insert(u"PATH"_s, unpacked(u"usr/bin"_s) + u":/usr/bin:/bin"_s);
        environment.insert(u"HOME"_s, folders.root());
        environment.insert(u"XDG_DATA_HOME"_s, folders.dataHome());
        environment.insert(u"XDG_CONFIG_HOME"_s, folders.configHome());
        environment.insert(u"LANG"_s, u"C.UTF-8"_s);
        environment.insert(u"TZ"_s, u"UTC"_s);
        return environment;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const Run cpack = run(
            QStringLiteral(ZOL_CPACK),
            {u"--config"_s, QStringLiteral(ZOL_CPACK_CONFIG), u"-B"_s, m_dir.filePath(u"out"_s)},
            QProcessEnvironment::systemEnvironment(), 240'000);
        QVERIFY2(cpack.code == 0, qPrintable(cpack.out + cpack.err));

        const Run arch = run(u"dpkg"_s, {u"--print-architecture"_s});
        QCOMPARE(arch.code, 0);
        m_deb = m_dir.filePath(u"out/zol_"_s + QStringLiteral(ZOL_VERSION) + u'_' +
                               arch.out.trimmed() + u".deb"_s);
        QVERIFY2(QFileInfo::exists(m_deb), qPrintable(m_deb + u" was not made"_s));

        m_root = m_dir.filePath(u"root"_s);
        QCOMPARE(run(u"dpkg-deb"_s, {u"-x"_s, m_deb, m_root}).code, 0);
        const Run fields = run(u"dpkg-deb"_s, {u"-f"_s, m_deb});
        QCOMPARE(fields.code, 0);
        m_control = controlFields(fields.out);
    }

    void files_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("pixels"); // the PNG's size, 0 for other files
        const QString modules = u"usr/"_s + QStringLiteral(ZOL_INSTALL_LIBDIR) + u"/zol/"_s;
        for (const QString& path :
             QStringList{u"usr/bin/zol"_s, u"usr/bin/zol-tray"_s, modules + u"zol-network.so"_s,
                         modules + u"zol-desktop.so"_s, u"usr/share/man/man1/zol.1.gz"_s,
                         u"usr/share/man/man1/zol-tray.1.gz"_s, u"usr/share/doc/zol/copyright"_s,
                         u"usr/share/doc/zol/changelog.gz"_s,
                         u"usr/share/applications/org.zol.Zol.desktop"_s,
                         u"usr/share/metainfo/org.zol.Zol.metainfo.xml"_s,
                         u"usr/share/icons/hicolor/scalable/apps/org.zol.Zol.svg"_s,
                         u"usr/share/icons/hicolor/symbolic/apps/org.zol.Zol-running-symbolic.svg"_s,
                         u"usr/share/bash-completion/completions/zol"_s,
                         u"usr/share/zsh/vendor-completions/_zol"_s,
                         u"usr/share/fish/vendor_completions.d/zol.fish"_s})
            QTest::newRow(qPrintable(path)) << path << 0;
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString path = u"usr/share/icons/hicolor/%1x%1/apps/org.zol.Zol.png"_s.arg(size);
            QTest::newRow(qPrintable(path)) << path << size;
        }
    }

    // Each file is there; programs and modules are stripped and carry no
    // search path into the build; manual pages and the changelog are
    // compressed without a name or time inside; each PNG is the size its
    // folder says.
    void files()
    {
        QFETCH(QString, path);
        QFETCH(int, pixels);
        const QString file = unpacked(path);
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(path + u" is not in the package"_s));

        if (path.startsWith(u"usr/bin/"_s) || path.endsWith(u".so"_s)) {
            const Run sections = run(u"readelf"_s, {u"-S"_s, u"-d"_s, u"--wide"_s, file});
            QCOMPARE(sections.code, 0);
            QVERIFY2(!sections.out.contains(u".symtab"_s), "not stripped");
            QVERIFY2(!sections.out.contains(u".debug_"_s), "carries debugging information");
            QVERIFY2(!sections.out.contains(u"RPATH"_s) && !sections.out.contains(u"RUNPATH"_s),
                     "carries a library search path");
        }
        if (path.endsWith(u".gz"_s)) {
            QFile gz(file);
            QVERIFY(gz.open(QIODevice::ReadOnly));
            const QByteArray header = gz.read(10);
            QVERIFY(header.startsWith("\x1f\x8b"));
            QCOMPARE(header.at(3) & 0x08, 0);                // no file name
            QCOMPARE(header.mid(4, 4), QByteArray(4, '\0')); // no time
        }
        if (pixels > 0)
            QCOMPARE(QImage(file).size(), QSize(pixels, pixels));
    }

    // Everything belongs to root, nothing can be written by others, the
    // programs can be run by anyone, and the modules are read, not run.
    void ownershipAndModes()
    {
        const Run listing = run(u"dpkg-deb"_s, {u"-c"_s, m_deb});
        QCOMPARE(listing.code, 0);
        const QStringList lines = listing.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        for (const QString& line : lines) {
            const QStringList columns = line.simplified().split(u' ');
            QVERIFY2(columns.size() >= 6, qPrintable(line));
            const QString& mode = columns.at(0);
            QVERIFY2(columns.at(1) == u"root/root"_s, qPrintable(line));
            QVERIFY2(mode.at(5) != u'w' && mode.at(8) != u'w', qPrintable(line));
            const QString& path = columns.last();
            if (mode.startsWith(u'd') || path.contains(u"/bin/"_s))
                QVERIFY2(mode.mid(1) == u"rwxr-xr-x"_s, qPrintable(line));
            else
                QVERIFY2(mode.mid(1) == u"rw-r--r--"_s, qPrintable(line));
        }
    }

    void control()
    {
        QCOMPARE(m_control.value(u"Package"_s), u"zol"_s);
        QCOMPARE(m_control.value(u"Version"_s), QStringLiteral(ZOL_VERSION));
        QCOMPARE(m_control.value(u"Section"_s), u"utils"_s);
        QVERIFY(m_control.value(u"Maintainer"_s)
                    .contains(QRegularExpression(u"^[^<>]+ <[^<>]+@[^<>]+>$"_s)));
        // A build names a home page only when its packager gave one.
        QVERIFY(!m_control.contains(u"Homepage"_s) ||
                m_control.value(u"Homepage"_s).startsWith(u"https://"_s));
        // No placeholder publisher anywhere: not in the control file, the
        // changelog, the copyright, the metadata, nor in a program.
        QVERIFY(!m_control.values().join(u'\n').contains(u"example."_s));
        QDirIterator files(m_root, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QByteArray bytes = f.readAll();
            if (file.endsWith(u".gz"_s))
                bytes = run(u"gzip"_s, {u"-dc"_s, file}).out.toUtf8();
            QVERIFY2(!bytes.contains("example.org") && !bytes.contains("example.com"),
                     qPrintable(file));
        }

        // A synopsis without an article, then a long description in paragraphs.
        const QStringList description = m_control.value(u"Description"_s).split(u'\n');
        QVERIFY(description.size() > 3);
        QVERIFY(!description.first().contains(
            QRegularExpression(u"^(a|an|the) "_s, QRegularExpression::CaseInsensitiveOption)));
        QVERIFY(description.first().size() < 80);
        QVERIFY(description.contains(u"."_s));

        // Only control and md5sums: the caches of icons and menus are
        // refreshed by dpkg's triggers, with no maintainer scripts.
        const Run members =
            run(u"sh"_s, {u"-c"_s, u"dpkg-deb --ctrl-tarfile \"$1\" | tar -t"_s, u"sh"_s, m_deb});
        QCOMPARE(members.code, 0);
        QStringList names = members.out.split(u'\n', Qt::SkipEmptyParts);
        names.removeAll(u"./"_s);
        names.sort();
        QCOMPARE(names, QStringList({u"./control"_s, u"./md5sums"_s}));
    }

    void dependencies_data()
    {
        QTest::addColumn<QString>("package");
        // Through the linker, as dpkg-shlibdeps reads the programs and modules;
        // with them come the plugins loaded at run time (libqt6gui6: the X11
        // platform; libqt6svg6: SVG pictures). SQLite is linked in.
        for (const QString& package :
             {u"libc6"_s, u"libstdc++6"_s, u"libqt6core6"_s, u"libqt6gui6"_s, u"libqt6widgets6"_s,
              u"libqt6svg6"_s, u"libqt6dbus6"_s, u"libqt6network6"_s, u"libxcb1"_s,
              u"libxcb-screensaver0"_s, u"libxcb-keysyms1"_s})
            QTest::newRow(qPrintable(package)) << package;
    }

    // Each dependency named once, with a version where dpkg-shlibdeps knows
    // one, and nothing from the build's own tools.
    void dependencies()
    {
        QFETCH(QString, package);
        const QStringList depends = m_control.value(u"Depends"_s).split(u", "_s);
        const QRegularExpression named(u"^"_s + QRegularExpression::escape(package) +
                                       u"( \\(>= [^)]+\\))?$"_s);
        QCOMPARE(depends.filter(named).size(), 1);
        QVERIFY(depends.filter(QRegularExpression(u"-dev\\b"_s)).isEmpty());
    }

    // The menu entry starts a program of the package and shows its icon; the
    // metainfo launches that entry, names the package's programs and passes
    // appstreamcli's check.
    void entriesPointAtThePackage()
    {
        const QString entry = readText(unpacked(u"usr/share/applications/org.zol.Zol.desktop"_s));
        QVERIFY(QFileInfo(unpacked(u"usr/bin/"_s + desktopValue(entry, u"Exec"_s))).isFile());
        QVERIFY(QFileInfo::exists(unpacked(u"usr/share/icons/hicolor/scalable/apps/"_s +
                                           desktopValue(entry, u"Icon"_s) + u".svg"_s)));

        const QString metainfo = unpacked(u"usr/share/metainfo/org.zol.Zol.metainfo.xml"_s);
        const QString xml = readText(metainfo);
        QVERIFY(
            xml.contains(u"<launchable type=\"desktop-id\">org.zol.Zol.desktop</launchable>"_s));
        QVERIFY(xml.contains(u"<release version=\""_s + QStringLiteral(ZOL_VERSION) + u'"'));
        const QRegularExpression binary(u"<binary>([^<]+)</binary>"_s);
        for (const QRegularExpressionMatch& match : binary.globalMatch(xml))
            QVERIFY2(QFileInfo(unpacked(u"usr/bin/"_s + match.captured(1))).isFile(),
                     qPrintable(match.captured(1)));
        const Run validate = run(u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s, metainfo});
        QVERIFY2(validate.code == 0, qPrintable(validate.out + validate.err));

        // The manual pages name the same release, by its month.
        const QRegularExpressionMatch released =
            QRegularExpression(u"<release version=\"[^\"]+\" date=\"(\\d{4}-\\d{2})-"_s).match(xml);
        QVERIFY(released.hasMatch());
        const QString month = QLocale::c().toString(
            QDate::fromString(released.captured(1) + u"-01"_s, Qt::ISODate), u"MMMM yyyy"_s);
        for (const QString& page : {u"zol"_s, u"zol-tray"_s}) {
            const Run manual =
                run(u"gzip"_s, {u"-dc"_s, unpacked(u"usr/share/man/man1/"_s + page + u".1.gz"_s)});
            const QString heading = u".TH "_s + page.toUpper() + u" 1 \""_s + month +
                                    u"\" \"Zol "_s + QStringLiteral(ZOL_VERSION) + u'"';
            QVERIFY2(manual.out.startsWith(heading), qPrintable(manual.out.section(u'\n', 0, 0)));
        }
    }

    // The unpacked programs run from where they are, and find their modules
    // there: zol-desktop (the mount table is a service only it knows) and
    // zol-network (a failed check blames the network, not the module).
    void programsRunUnpacked()
    {
        zol::test::UserFolders folders;
        const QProcessEnvironment environment = userEnvironment(folders);
        const QString zol = unpacked(u"usr/bin/zol"_s);

        const Run version = run(zol, {u"--version"_s}, environment);
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, u"zol "_s + QStringLiteral(ZOL_VERSION) + u'\n');

        const Run doctor = run(zol, {u"doctor"_s, u"--json"_s}, environment);
        QCOMPARE(doctor.code, 0);
        bool mountsFound = false;
        for (const QJsonValue& service :
             QJsonDocument::fromJson(doctor.out.toUtf8())[u"services"_s].toArray()) {
            if (service[u"service"_s].toString() == u"mounts"_s)
                mountsFound = service[u"found"_s].toBool();
        }
        QVERIFY2(mountsFound, qPrintable(doctor.out + doctor.err));

        const Run update = run(zol, {u"update"_s}, environment);
        QVERIFY2(!update.err.contains(u"network module"_s), qPrintable(update.err));
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
