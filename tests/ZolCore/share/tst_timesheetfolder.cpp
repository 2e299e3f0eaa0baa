// Timesheets on the studio folder: the file each person hands in, and the
// person folders on one studio folder shared by two machines: claiming, names
// that are taken, renaming oneself, names too long for a file name, links
// planted on the way, and old-style file names.

#include "Builders.h"
#include "CountingFileSystem.h"
#include "PlantedLink.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
namespace TF = zol::TimesheetFolder;

namespace {

const QString anna = QStringLiteral("AAAAAAAA-1111-4111-8111-111111111111");
const QString ben = QStringLiteral("BBBBBBBB-2222-4222-8222-222222222222");

QByteArray timesheet(const QStringList& ids)
{
    QByteArray text = "id,date,hours\n";
    for (const QString& id : ids)
        text += id.toUtf8() + ",2025-01-13,1.00\n";
    return text + ",TOTAL,1.00\n";
}

// Thursday 5 March 2026, 16:00 in Amsterdam, in the week 2026-W10.
const QDateTime now = utc(2026, 3, 5, 15);
const TimesheetPeriod week(TimesheetPeriod::Kind::week, now,
                           Calendar(QTimeZone("Europe/Amsterdam")));

TimeEntry numbered(int id, const QDateTime& start, double minutes, const QString& note)
{
    TimeEntry e = zol::test::session(start, minutes);
    e.id = QUuid::fromString(u"0000000%1-0000-4000-8000-000000000000"_s.arg(id));
    e.note = note;
    return e;
}

} // namespace

class TestTimesheetFolder : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_studio;
    FileSystem& m_files = FileSystem::local();
    const QDateTime m_now = utc(2026, 3, 2, 9);

    QString hours() const { return Timesheet::root(m_studio->path()); }
    TF::Resolution resolve(const QString& person, const QString& machine)
    {
        return TF::resolve(m_files, m_studio->path(), person, machine, m_now);
    }
    std::optional<TF::Marker> marker(const QString& folder)
    {
        QFile file(hours() + u'/' + folder + u'/' + TF::markerName);
        return file.open(QIODevice::ReadOnly) ? TF::Marker::decode(file.readAll()) : std::nullopt;
    }

private Q_SLOTS:
    void init() { m_studio = std::make_unique<QTemporaryDir>(); }

    // Notes with commas, quotes and line breaks are quoted where needed; text
    // a spreadsheet would run (a note, number, client, project or task that
    // starts with "=", "+", "-" or "@") gets an apostrophe in front, numbers
    // and dates never do. ZOL_UPDATE_GOLDEN=1 rewrites the file, for review.
    void goldenFile()
    {
        TimeEntry uploaded = numbered(1, utc(2026, 3, 2, 8, 15), 90, u"Logo, first round"_s);
        uploaded.uploadedAt = utc(2026, 3, 2, 10);
        // 5,998.6 s worked: the row rounds, the total line drops the fraction.
        TimeEntry quote = numbered(2, utc(2026, 3, 2, 13), 100, u"Client said \"final\""_s);
        quote.pausedSeconds = 1.4;
        quote.clientName = u"Café Noir"_s;
        TimeEntry internal = numbered(3, utc(2026, 3, 3, 9), 45, u"Line one\nLine two"_s);
        internal.isInternal = true;
        internal.projectSerial.clear();
        internal.projectName = u"Studio admin"_s;
        internal.clientName.clear();
        TimeEntry draft = numbered(4, utc(2026, 3, 4, 10), 30, u"=SUM(A1,A2)"_s);
        draft.projectSerial = u"LOCAL:5F2A"_s;
        draft.projectName = u"Pitch"_s;
        draft.task = u"Sketches, v2"_s;
        TimeEntry phone = numbered(5, utc(2026, 3, 4, 12), 60, u"+31 20 123 4567"_s);
        phone.projectSerial = u"-2"_s;
        phone.clientName = u"@Acme"_s;
        phone.projectName = u"=HYPERLINK(\"https://example.com\",\"click\")"_s;
        phone.task = u"+1"_s;
        // Paused for the last half hour, after five minutes of earlier pauses.
        TimeEntry running = numbered(6, utc(2026, 3, 5, 13, 30), 0, {});
        running.endedAt.reset();
        running.pausedSeconds = 300;
        running.pausedAt = utc(2026, 3, 5, 14, 30);

        const Timesheet sheet(week, u"Anna van der Berg"_s,
                              {running, phone, draft, internal, quote, uploaded});
        QCOMPARE(sheet.entries().first(), uploaded);
        QCOMPARE(sheet.totalHours(now), 6.33);
        QCOMPARE(Timesheet::root(u"/Volumes/Studio"_s), u"/Volumes/Studio/.zol/hours"_s);
        const QString goldenPath = QStringLiteral(ZOL_GOLDEN "/timesheet-2026-W10.csv");
        if (qEnvironmentVariableIsSet("ZOL_UPDATE_GOLDEN"))
            writeFile(goldenPath, sheet.csv(now).toUtf8());
        const QByteArray golden = readFile(goldenPath);
        const QStringList expected = QString::fromUtf8(golden).split(u'\n');
        const QStringList actual = sheet.csv(now).split(u'\n');
        for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i)
            QCOMPARE(actual.at(i), expected.at(i));
        QCOMPARE(actual.size(), expected.size());
    }

    void totals()
    {
        TimeEntry e = numbered(1, utc(2026, 3, 3, 9), 0, {});
        e.endedAt = e.startedAt.addSecs(5999);
        const QStringList lines = Timesheet(week, u"Anna"_s, {e}).csv(now).split(u'\n');
        QCOMPARE(lines.at(1).section(u',', 5, 6), u"1.67,5999"_s);
        QCOMPARE(lines.at(2), u",,,,TOTAL,1.67,5999,,,,,,,,Anna,,,,"_s);

        const QString empty = Timesheet(week, u"Berg, Anna"_s, {}).csv(now);
        QCOMPARE(empty.count(u'\n'), 2);
        QVERIFY(empty.endsWith(u"\n,,,,TOTAL,0.00,0,,,,,,,,\"Berg, Anna\",,,,\n"_s));
    }

    void safeName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("safe");

        QTest::newRow("particle") << u"Anna van der Berg"_s << u"Anna-van-der-Berg"_s;
        QTest::newRow("runs and ends") << u"  --Anna   Smit!! "_s << u"Anna-Smit"_s;
        QTest::newRow("accents") << u"Zoë Çelik-Ørsted"_s << u"Zoë-Çelik-Ørsted"_s;
        QTest::newRow("accent as a mark") << u"Zoe\u0308"_s << u"Zoë"_s;
        QTest::newRow("digits, other scripts") << u"Studio 2 / 北京"_s << u"Studio-2-北京"_s;
        QTest::newRow("letter beyond the BMP") << u"Ann\U0001D400 x"_s << u"Ann\U0001D400-x"_s;
        QTest::newRow("path") << u"../../etc"_s << u"etc"_s;
        QTest::newRow("emoji") << u"🙂 🙂"_s << u"Onbekend"_s;
        QTest::newRow("punctuation and spaces") << u" .-_/ , "_s << u"Onbekend"_s;
        QTest::newRow("empty") << QString() << u"Onbekend"_s;
    }

    void safeName()
    {
        QFETCH(QString, name);
        QTEST(Timesheet::safeName(name), "safe");
    }
    void claimingAndTakenNames()
    {
        QCOMPARE(resolve(QStringLiteral("Anna Smit"), anna), (TF::Resolution{hours() + QStringLiteral("/Anna-Smit"), {}}));
        QCOMPARE(marker(QStringLiteral("Anna-Smit")), (std::optional(TF::Marker{anna, QStringLiteral("Anna Smit"), m_now})));

        // The same name on another machine keeps clear of the first one's folder.
        QCOMPARE(resolve(QStringLiteral("Anna Smit"), ben).folder, hours() + QStringLiteral("/Anna-Smit-BBBBBBBB"));
        QCOMPARE(marker(QStringLiteral("Anna-Smit"))->machineId, anna);

        // A folder without a marker is somebody else's.
        QDir(hours()).mkpath(QStringLiteral("Carla"));
        QCOMPARE(resolve(QStringLiteral("Carla"), anna).folder, hours() + QStringLiteral("/Carla-AAAAAAAA"));

        // No name at all.
        QCOMPARE(resolve(QStringLiteral("  "), ben).folder, hours() + QStringLiteral("/Onbekend"));
    }

    // A first hand-in on a full share fails; it must not leave a folder
    // without a marker under the person's name, which would send every later
    // hand-in to a suffixed name as if somebody else held it.
    void aFailedFirstClaimLeavesTheNameFree()
    {
        CountingFileSystem full;
        full.fillUp(hours());
        QVERIFY_THROWS_EXCEPTION(FileSystemError,
                                 TF::resolve(full, m_studio->path(), u"Anna"_s, anna, m_now));
        const auto everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        QCOMPARE(QDir(hours()).entryList(everything), QStringList());

        full.clearFailures();
        QCOMPARE(TF::resolve(full, m_studio->path(), u"Anna"_s, anna, m_now).folder,
                 hours() + u"/Anna"_s);
        QCOMPARE(marker(u"Anna"_s)->machineId, anna);
        QCOMPARE(QDir(hours()).entryList(everything), QStringList{u"Anna"_s});
    }

    void renamingMovesTheFolder()
    {
        resolve(QStringLiteral("Anna"), anna);
        writeFile(hours() + QStringLiteral("/Anna/2026/weeks/2026-W10.csv"), timesheet({QStringLiteral("X")}));

        const TF::Resolution renamed = resolve(QStringLiteral("Anna Smit"), anna);
        QCOMPARE(renamed, (TF::Resolution{hours() + QStringLiteral("/Anna-Smit"), QStringLiteral("Anna")}));
        QVERIFY(!QFileInfo::exists(hours() + QStringLiteral("/Anna")));
        QVERIFY(QFileInfo::exists(hours() + QStringLiteral("/Anna-Smit/2026/weeks/2026-W10.csv")));
        QCOMPARE(marker(QStringLiteral("Anna-Smit"))->name, QStringLiteral("Anna Smit"));
        QCOMPARE(resolve(QStringLiteral("Anna Smit"), anna).renamedFrom, std::nullopt);
        QCOMPARE(TF::existingFolder(m_files, m_studio->path(), QStringLiteral("Whoever"), anna),
                 hours() + QStringLiteral("/Anna-Smit"));

        // Renaming to a name another machine holds never moves into its folder.
        resolve(QStringLiteral("Ben"), ben);
        const TF::Resolution taken = resolve(QStringLiteral("Ben"), anna);
        QCOMPARE(taken.folder, hours() + QStringLiteral("/Ben-AAAAAAAA"));
        QCOMPARE(taken.renamedFrom, std::optional(QStringLiteral("Anna-Smit")));
        QCOMPARE(marker(QStringLiteral("Ben"))->machineId, ben);
        QVERIFY(QFileInfo::exists(hours() + QStringLiteral("/Ben-AAAAAAAA/2026/weeks/2026-W10.csv")));
    }

    void longNamesStillFitAFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("pasted by mistake") << u"Anna "_s.repeated(26'200);
        QTest::newRow("two bytes a letter") << u"Zoë Ørsted "_s.repeated(40);
        QTest::newRow("three bytes a letter") << u"北京"_s.repeated(200);
        QTest::newRow("beyond the BMP") << u"\U0001D400"_s.repeated(100);
        QTest::newRow("mixed, cut mid-pair") << u"a"_s + u"\U0001D400"_s.repeated(100);
    }

    void longNamesStillFitAFileName()
    {
        QFETCH(QString, name);
        const QString mine = resolve(name, anna).folder.section(u'/', -1);
        const QString taken = resolve(name, ben).folder.section(u'/', -1);
        QCOMPARE(taken, mine + u"-BBBBBBBB"_s);
        QVERIFY(taken.toUtf8().size() <= 255);
        QVERIFY(Timesheet::safeName(name, 1 << 20).startsWith(mine));
        QVERIFY(!mine.endsWith(u'-'));
        // Cut between characters: no half of a pair, which UTF-8 cannot carry.
        QCOMPARE(QString::fromUtf8(mine.toUtf8()), mine);
        QVERIFY(marker(taken));
    }

    void linksOnTheWayToThePersonFolder_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow(".zol") << u".zol"_s;
        QTest::newRow("hours") << u".zol/hours"_s;
        QTest::newRow("the person's folder") << u".zol/hours/Anna-Smit"_s;
    }

    // Behind each link the folder looks as before, its marker naming this
    // machine: nothing of it is believed, and nothing goes there.
    void linksOnTheWayToThePersonFolder()
    {
        QFETCH(QString, planted);
        resolve(u"Anna Smit"_s, anna);
        const PlantedLink link(m_studio->path() + u'/' + planted);
        const QString failure = failureOf<FileSystemError>([&] { resolve(u"Anna Smit"_s, anna); });
        QVERIFY2(link.isRefusedIn(failure), qPrintable(failure));
        const std::shared_ptr<FileSystem> share = m_files.confinedTo(m_studio->path());
        QVERIFY(!TF::folderClaimed(*share, anna, hours()));
        QVERIFY(link.untouched());
    }

    void oldStyleFileNames()
    {
        const QString weeks = hours() + QStringLiteral("/Anna/2025/weeks/");
        writeFile(weeks + QStringLiteral("2025-W03-Anna.csv"), timesheet({QStringLiteral("A"), QStringLiteral("B")}));
        writeFile(weeks + QStringLiteral("2025-W03.csv"), timesheet({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
        writeFile(weeks + QStringLiteral("2025-W04-Anna.csv"), timesheet({QStringLiteral("D"), QStringLiteral("E")}));
        writeFile(weeks + QStringLiteral("2025-W04.csv"), timesheet({QStringLiteral("D")}));
        // The sync tool's copy of an old file is left for a person to tidy.
        const QString conflict = QStringLiteral("2025-W03-Anna.sync-conflict-20250120-101500-ABCDEFG.csv");
        writeFile(weeks + conflict, timesheet({QStringLiteral("A")}));
        writeFile(hours() + QStringLiteral("/Anna/2025/months/2025-01-Anna-Smit.CSV"), timesheet({QStringLiteral("A")}));
        writeFile(hours() + QStringLiteral("/Anna/" ) + TF::markerName, TF::Marker{anna, QStringLiteral("Anna"), m_now}.encode());

        resolve(QStringLiteral("Anna"), anna);
        QCOMPARE(QDir(weeks).entryList(QDir::Files),
                 (QStringList{conflict, QStringLiteral("2025-W03.csv"), QStringLiteral("2025-W04-Anna.csv"),
                              QStringLiteral("2025-W04.csv")}));
        QVERIFY(QFileInfo::exists(hours() + QStringLiteral("/Anna/2025/months/2025-01.csv")));
    }

    void legacyPeriodIds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("id"); // empty: not old-style
        QTest::newRow("week") << QStringLiteral("2025-W03-Anna-Smit") << QStringLiteral("2025-W03");
        QTest::newRow("month") << QStringLiteral("2025-03-Anna") << QStringLiteral("2025-03");
        QTest::newRow("empty name part") << QStringLiteral("2025-03-") << QStringLiteral("2025-03");
        QTest::newRow("current name") << QStringLiteral("2025-W03") << QString();
        QTest::newRow("short year") << QStringLiteral("25-W03-Anna") << QString();
        QTest::newRow("lower-case w") << QStringLiteral("2025-w03-Anna") << QString();
        QTest::newRow("three-digit month") << QStringLiteral("2025-003-Anna") << QString();
    }

    void legacyPeriodIds()
    {
        QFETCH(QString, name);
        QFETCH(QString, id);
        QCOMPARE(TF::legacyPeriodId(name).value_or(QString()), id);
    }
};

QTEST_GUILESS_MAIN(TestTimesheetFolder)
#include "tst_timesheetfolder.moc"
