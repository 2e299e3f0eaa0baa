// Person folders on one studio folder shared by two machines: claiming,
// names that are taken, renaming oneself, and old-style file names.

#include "Builders.h"
#include "share/Timesheet.h"
#include "share/TimesheetFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zol;
using namespace zol::test;
namespace TF = zol::TimesheetFolder;

namespace {

const QString anna = QStringLiteral("AAAAAAAA-1111-4111-8111-111111111111");
const QString ben = QStringLiteral("BBBBBBBB-2222-4222-8222-222222222222");

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray timesheet(const QStringList& ids)
{
    QByteArray text = "id,date,hours\n";
    for (const QString& id : ids)
        text += id.toUtf8() + ",2025-01-13,1.00\n";
    return text + ",TOTAL,1.00\n";
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

    void oldStyleFileNames()
    {
        const QString weeks = hours() + QStringLiteral("/Anna/2025/weeks/");
        writeFile(weeks + QStringLiteral("2025-W03-Anna.csv"), timesheet({QStringLiteral("A"), QStringLiteral("B")}));
        writeFile(weeks + QStringLiteral("2025-W03.csv"), timesheet({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
        writeFile(weeks + QStringLiteral("2025-W04-Anna.csv"), timesheet({QStringLiteral("D"), QStringLiteral("E")}));
        writeFile(weeks + QStringLiteral("2025-W04.csv"), timesheet({QStringLiteral("D")}));
        writeFile(hours() + QStringLiteral("/Anna/2025/months/2025-01-Anna-Smit.CSV"), timesheet({QStringLiteral("A")}));
        writeFile(hours() + QStringLiteral("/Anna/" ) + TF::markerName, TF::Marker{anna, QStringLiteral("Anna"), m_now}.encode());

        resolve(QStringLiteral("Anna"), anna);
        QCOMPARE(QDir(weeks).entryList(QDir::Files),
                 (QStringList{QStringLiteral("2025-W03.csv"), QStringLiteral("2025-W04-Anna.csv"), QStringLiteral("2025-W04.csv")}));
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
