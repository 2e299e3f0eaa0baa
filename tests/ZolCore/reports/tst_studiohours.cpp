// Everyone's timesheets read off a studio folder: each session counted once,
// person folders with and without markers, files that cannot be read, links
// planted on the way, and the figures and CSV built from the snapshot.

#include "Builders.h"
#include "FakeClock.h"
#include "PlantedLink.h"
#include "formats/CSVReader.h"
#include "formats/EntryExporter.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "reports/StudioHours.h"
#include "support/PlainText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace zol;
using namespace zol::test;
using namespace Qt::StringLiterals;
using Record = StudioHours::Record;
using Total = StudioHours::Total;
using Kind = TimesheetPeriod::Kind;

namespace {

const Calendar amsterdam(QTimeZone("Europe/Amsterdam"));

// Internal work when it has neither number nor client.
Record record(const QString& id, const QString& person, QDate day, double seconds,
              const QString& number, const QString& client, const QString& name = {},
              const QString& task = {}, const Calendar& calendar = amsterdam)
{
    return Record{id,
                  person,
                  calendar.startOfDay(day),
                  seconds,
                  number,
                  client,
                  name,
                  number.isEmpty() && client.isEmpty(),
                  u"note"_s,
                  u"mac"_s,
                  task};
}

} // namespace

namespace zol { // where QCOMPARE finds it
char* toString(const Total& t)
{
    return QTest::toString(
        QStringList{t.id, t.title, t.subtitle, QString::number(t.seconds), QString::number(t.count)}
            .join(u'|'));
}
} // namespace zol

class TestStudioHours : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_studio;
    FakeClock m_clock;

    QString hours() const { return Timesheet::root(m_studio->path()); }
    StudioHours::Snapshot read(const std::optional<QString>& share)
    {
        return StudioHours::read(share, FileSystem::local(), m_clock, amsterdam);
    }
    QString errorOf(const std::optional<QString>& share)
    {
        return failureOf<StudioHours::ReadError>([&] { read(share); });
    }

private Q_SLOTS:
    void init() { m_studio = std::make_unique<QTemporaryDir>(); }

    void readErrors()
    {
        QCOMPARE(errorOf(std::nullopt),
                 u"No studio folder chosen yet. Set one in Settings, Studio."_s);
        const QString gone = m_studio->path() + u"/gone"_s;
        QCOMPARE(errorOf(gone), u"Cannot reach "_s + gone + u". Is the NAS mounted?"_s);
        // A studio nobody has handed anything in to yet.
        const StudioHours::Snapshot empty = read(m_studio->path());
        QVERIFY(empty.isEmpty() && empty.people.isEmpty() && empty.unreadable.isEmpty());
        QCOMPARE(empty.readAt, m_clock.now());
    }

    void newerFileWins_data()
    {
        QTest::addColumn<int>("weekTime");
        QTest::addColumn<int>("monthTime");
        QTest::addColumn<QString>("note");
        QTest::newRow("week newer") << 2'000'000 << 1'000'000 << u"week"_s;
        QTest::newRow("month newer") << 1'000'000 << 2'000'000 << u"month"_s;
        QTest::newRow("same time: first in name order") << 1'000'000 << 1'000'000 << u"month"_s;
    }
    void newerFileWins()
    {
        QFETCH(int, weekTime);
        QFETCH(int, monthTime);
        QFETCH(QString, note);
        const QString week = hours() + u"/Anna/2026/weeks/2026-W10.csv"_s;
        const QString month = hours() + u"/Anna/2026/months/2026-03.csv"_s;
        writeFile(week, "id,date,duration_seconds,note\nS1,2026-03-02,3600,week\n");
        writeFile(month, "id,date,duration_seconds,note\nS1,2026-03-02,7200,month\n");
        setModified(week, QDateTime::fromSecsSinceEpoch(weekTime, Qt::UTC));
        setModified(month, QDateTime::fromSecsSinceEpoch(monthTime, Qt::UTC));
        const QList<Record> records = read(m_studio->path()).records;
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].note, note);
        QCOMPARE(records[0].seconds, note == u"week"_s ? 3600.0 : 7200.0);
    }

    // Files are read on several threads; which copy of a session counts must
    // not depend on which thread finished first.
    void manyFilesGiveOneSnapshot()
    {
        const QDateTime same = QDateTime::fromSecsSinceEpoch(1'000'000, Qt::UTC);
        for (const QString& person : {u"Anna"_s, u"Bram"_s}) {
            for (int file = 0; file < 40; ++file) {
                const QString name = u"%1-%2"_s.arg(person).arg(file, 2, 10, QChar(u'0'));
                QByteArray text = "id,date,duration_seconds,note\n";
                for (int session = 0; session < 10; ++session)
                    text += u"S%1,2026-03-02,%2,%3\n"_s.arg(session)
                                .arg(60 * (file + 1))
                                .arg(name)
                                .toUtf8();
                const QString path =
                    hours() + u"/"_s + person + u"/2026/weeks/"_s + name + u".csv"_s;
                writeFile(path, text);
                // One newer copy, in the middle of the other person's files.
                setModified(path, name == u"Bram-17"_s ? same.addSecs(1) : same);
            }
        }
        for (int pass = 0; pass < 5; ++pass) {
            const QList<Record> records = read(m_studio->path()).records;
            QCOMPARE(records.size(), 10);
            for (const Record& r : records) {
                QCOMPARE(r.note, u"Bram-17"_s);
                QCOMPARE(r.person, u"Bram"_s);
                QCOMPARE(r.seconds, 60.0 * 18);
            }
        }
        // Without the newer copy, the first file of the first person wins.
        setModified(hours() + u"/Bram/2026/weeks/Bram-17.csv"_s, same);
        for (const Record& r : read(m_studio->path()).records)
            QCOMPARE(r.note, u"Anna-00"_s);
    }

    void folderRules()
    {
        const QString anna = hours() + u"/anna"_s;
        writeFile(anna + u'/' + TimesheetFolder::markerName,
                  TimesheetFolder::Marker{u"M1"_s, u"  Anna de Vries "_s, m_clock.now()}.encode());
        const TimesheetPeriod week(Kind::week, utc(2026, 3, 2, 9));
        writeFile(anna + u"/2026/weeks/2026-W10.csv"_s,
                  Timesheet(week, u"Anna de Vries"_s, {session(utc(2026, 3, 2, 9), 90)})
                      .csv(m_clock.now())
                      .toUtf8());
        QVERIFY(::mkfifo(QFile::encodeName(anna + u"/2026/weeks/2026-W11.csv"_s).constData(),
                         0600) == 0);
        writeFile(anna + u"/bad.csv"_s, "id,date,hours\n\xff\xfe,2026-03-02,1\n");
        writeFile(anna + u"/big.csv"_s, {});
        QVERIFY(QFile::resize(anna + u"/big.csv"_s, 65 * 1024 * 1024));
        writeFile(anna + u"/._2026-W10.csv"_s, "id,date,hours\nJUNK,2026-03-02,9\n");
        writeFile(anna + u"/2026-W10.sync-conflict-20260302-101010-ABC.csv"_s,
                  "id,date,hours\nJUNK,2026-03-02,9\n");
        // From before durations and tasks were in the files; no marker.
        const QString smit = hours() + u"/Anna-Smit"_s;
        writeFile(
            smit + u"/old.csv"_s,
            "id,date,hours,client\nA1,2026-03-03,1.50,X\nA2,03/03/2026,2.00,X\n,TOTAL,3.50,\n");
        QVERIFY(QFile::link(smit + u"/old.csv"_s, anna + u"/linked.csv"_s));
        QDir().mkpath(hours() + u"/Ben/2026/weeks"_s);

        const StudioHours::Snapshot snapshot = read(m_studio->path());
        QCOMPARE(snapshot.people, (QStringList{u"Anna de Vries"_s, u"Anna Smit"_s, u"Ben"_s}));
        QCOMPARE(snapshot.unreadable, (QStringList{u"2026-W11.csv"_s, u"bad.csv"_s, u"big.csv"_s}));
        QCOMPARE(snapshot.records.size(), 2);
        const Record &first = snapshot.records[0], &second = snapshot.records[1];
        QCOMPARE((QVariantList{first.person, first.day, first.seconds, first.projectNumber}),
                 (QVariantList{u"Anna de Vries"_s, utc(2026, 3, 1, 23), 5400.0, u"2301"_s}));
        QCOMPARE(
            (QVariantList{second.person, second.day, second.seconds, second.task,
                          second.taskKey()}),
            (QVariantList{u"Anna Smit"_s, utc(2026, 3, 2, 23), 5400.0, QString(), u"•no-task"_s}));
        QCOMPARE(
            snapshot.peopleWithNothing(TimesheetPeriod(Kind::week, utc(2026, 3, 2, 9), amsterdam)),
            QStringList{u"Ben"_s});
        QCOMPARE(
            snapshot.peopleWithNothing(TimesheetPeriod(Kind::month, utc(2026, 4, 2), amsterdam)),
            snapshot.people);
        QCOMPARE(read(m_studio->path()), snapshot);
    }

    void nothingIsReadThroughALink_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow(".zol") << u".zol"_s;
        QTest::newRow("hours") << u".zol/hours"_s;
    }

    void nothingIsReadThroughALink()
    {
        QFETCH(QString, planted);
        const QString anna = hours() + u"/Anna"_s;
        writeFile(anna + u'/' + TimesheetFolder::markerName,
                  TimesheetFolder::Marker{u"M1"_s, u"Anna"_s, m_clock.now()}.encode());
        writeFile(anna + u"/2026/weeks/2026-W10.csv"_s,
                  "id,date,duration_seconds\nS1,2026-03-02,3600\n");
        const PlantedLink link(m_studio->path() + u'/' + planted);
        QCOMPARE(errorOf(m_studio->path()),
                 u"Cannot reach "_s + hours() + u". Is the NAS mounted?"_s);
        QVERIFY(link.untouched());
    }

    void searchAndTotals()
    {
        StudioHours::Snapshot snapshot;
        const QDate monday(2026, 3, 2);
        snapshot.records = {
            record(u"R1"_s, u"Anna"_s, monday, 3600, u"2301"_s, u"Café Noël"_s, u"Logo"_s,
                   u"Ontwerp"_s),
            record(u"R2"_s, u"Ben"_s, monday, 1800, u"2301"_s, u"cafe  noel"_s, u"Logo"_s),
            record(u"R3"_s, u"Ben"_s, monday, 5400, {}, {}, u"Administratie"_s),
            record(u"R4"_s, u"Ben"_s, monday, 1800, {}, u"Café Noël"_s, u"Pitch"_s),
            record(u"R5"_s, u"Anna"_s, monday.addDays(7), 60, u"2302"_s, u"Café"_s)};
        const TimesheetPeriod week(Kind::week, amsterdam.startOfDay(monday), amsterdam);
        const auto ids = [&](const QString& query) {
            QStringList found;
            for (const Record& r : snapshot.recordsIn(week, query))
                found.append(r.id);
            return found.join(u',');
        };
        QCOMPARE(ids({}), u"R1,R2,R3,R4"_s);
        QCOMPARE(ids(u" CAFÉ  noel"_s), u"R1,R2,R4"_s);
        QCOMPARE(ids(u"ontwerp"_s), u"R1"_s);
        QCOMPARE(ids(u"2302"_s), QString());

        // Equal totals go by title; equally used spellings by natural order.
        QCOMPARE(snapshot.byProject(week),
                 (QList<Total>{{u"2301"_s, u"2301"_s, u"cafe noel · Logo"_s, 5400, 2},
                               {u"•internal"_s, u"Internal"_s, u"Administratie"_s, 5400, 1},
                               {u"•Pitch"_s, u"Pitch"_s, u"Café Noël"_s, 1800, 1}}));
        QCOMPARE(snapshot.byClient(week),
                 (QList<Total>{{u"cafe noel"_s, u"Café Noël"_s, u"2 projects"_s, 7200, 3},
                               {QString(), u"No client"_s, u"1 project"_s, 5400, 1}}));
        QCOMPARE(snapshot.byTask(week).constFirst().title, u"No task"_s);
        QCOMPARE(snapshot.byPerson(week).constFirst().subtitle, u"3 sessions"_s);
    }

    void buckets_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::newRow("week") << int(Kind::week) << QDate(2026, 3, 4) << 7 << 2;
        QTest::newRow("month over a clock change")
            << int(Kind::month) << QDate(2026, 3, 31) << 31 << 30;
        QTest::newRow("year") << int(Kind::year) << QDate(2026, 12, 31) << 12 << 11;
    }
    void buckets()
    {
        QFETCH(int, kind);
        QFETCH(QDate, day);
        QFETCH(int, count);
        QFETCH(int, index);
        StudioHours::Snapshot snapshot;
        snapshot.records = {record(u"R1"_s, u"Anna"_s, day, 3600, u"1"_s, {}),
                            record(u"R2"_s, u"Anna"_s, QDate(2027, 1, 1), 60, u"1"_s, {})};
        const TimesheetPeriod period(Kind(kind), amsterdam.startOfDay(day), amsterdam);
        const QList<StudioHours::Bucket> buckets = snapshot.byDay(period);
        QCOMPARE(buckets.size(), count);
        QCOMPARE(buckets.constFirst().start, period.start());
        for (int i = 0; i < count; ++i)
            QCOMPARE(buckets[i].seconds, i == index ? 3600.0 : 0.0);
    }

    void csvRoundTrip()
    {
        // Dates are written in the system's time zone.
        Record tricky = record(u"R1"_s, u"Anna, \"AJ\""_s, QDate(2026, 3, 2), 5999, u"2301"_s,
                               u"Café Noir"_s, u"Logo"_s, {}, Calendar());
        tricky.note = u"two\nlines, \"quoted\""_s;
        const CSVReader::Table table = CSVReader::parse(
            StudioHours::csv({tricky, record(u"R2"_s, u"Ben"_s, QDate(2026, 3, 3), 60, {}, {})}));
        QCOMPARE(
            table.columns.join(u','),
            u"id,date,person,client,project_number,project_name,task,internal,hours,duration_seconds,note,computer"_s);
        QCOMPARE(table.rows.size(), 2);
        const QStringList expected{u"R1"_s,   u"2026-03-02"_s, tricky.person, u"Café Noir"_s,
                                   u"2301"_s, u"Logo"_s,       QString(),     u"no"_s,
                                   u"1.67"_s, u"5999"_s,       tricky.note,   u"mac"_s};
        QCOMPARE(table.rows[0], expected);
        QCOMPARE(table.value(u"internal"_s, table.rows[1]), u"yes"_s);
        QCOMPARE(StudioHours::fileName(TimesheetPeriod(Kind::week, utc(2026, 3, 4), amsterdam)),
                 u"zol-2026-W10-studio.csv"_s);
    }

    // Text a spreadsheet would run, through every CSV writer: each puts an
    // apostrophe in front of it and never in front of a number or a date, and
    // what is read back is the text as typed.
    void formulaTextThroughEveryWriter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("link") << u"=HYPERLINK(\"https://example.com\",\"click\")"_s;
        QTest::newRow("plus") << u"+1"_s;
        QTest::newRow("minus") << u"-2"_s;
        QTest::newRow("at") << u"@x"_s;
        QTest::newRow("tab") << u"\tx"_s;
        QTest::newRow("carriage return") << u"\rx"_s;
        QTest::newRow("typed with an apostrophe") << u"'=x"_s;
        QTest::newRow("plain") << u"Brand book"_s;
    }

    void formulaTextThroughEveryWriter()
    {
        QFETCH(QString, typed);
        const QString written = EntryExporter::spreadsheetSafe(typed);
        TimeEntry e = session(utc(2026, 3, 2, 9), 90, typed, typed, typed);
        e.task = e.note = e.machineName = typed;
        const QStringList text{u"project_number"_s, u"client"_s, u"project_name"_s,
                               u"task"_s,           u"note"_s,   u"computer"_s};
        const auto checkNumbersAndDates = [](const CSVReader::Table& table, const QStringList& row,
                                             const QString& hours) {
            QCOMPARE(table.value(u"hours"_s, row), hours);
            QCOMPARE(table.value(u"date"_s, row), u"2026-03-02"_s);
        };

        // The session export and the timesheet, as a spreadsheet gets them.
        const QString timesheet =
            Timesheet(TimesheetPeriod(Kind::week, e.startedAt, amsterdam), typed, {e})
                .csv(m_clock.now());
        for (const QString& csv :
             {EntryExporter::csv({e}, typed, m_clock.now(), amsterdam), timesheet}) {
            const CSVReader::Table table = CSVReader::parse(csv);
            for (const QString& column : text + QStringList{u"who"_s})
                QCOMPARE(table.value(column, table.rows.at(0)), written);
            checkNumbersAndDates(table, table.rows.at(0), u"1.50"_s);
        }

        // The timesheet handed in and read by the studio's hours: as typed,
        // but for controls, which text from another computer never keeps; a
        // note keeps its tabs and line breaks.
        writeFile(hours() + u"/Anna/2026/weeks/2026-W10.csv"_s, timesheet.toUtf8());
        const QList<Record> records = read(m_studio->path()).records;
        QCOMPARE(records.size(), 1);
        const Record& found = records[0];
        const QString line = PlainText::withoutControls(typed, PlainText::Kind::line);
        QCOMPARE((QStringList{found.projectNumber, found.clientName, found.projectName, found.task,
                              found.computer}),
                 QStringList(text.size() - 1, line));
        QCOMPARE(found.note, PlainText::withoutControls(typed, PlainText::Kind::note));

        // The studio's sessions CSV: the same text guarded, and even a
        // negative duration left a number.
        Record negative = found;
        negative.seconds = -5400;
        const CSVReader::Table studio =
            CSVReader::parse(StudioHours::csv({found, negative}, amsterdam));
        const QStringList read{found.projectNumber, found.clientName, found.projectName,
                               found.task,          found.note,       found.computer};
        for (qsizetype i = 0; i < text.size(); ++i) {
            const std::optional<QString> cell = studio.value(text.at(i), studio.rows.at(0));
            QCOMPARE(cell, EntryExporter::spreadsheetSafe(read.at(i)));
            QCOMPARE(EntryExporter::fromSpreadsheetSafe(*cell), read.at(i));
        }
        checkNumbersAndDates(studio, studio.rows.at(1), u"-1.50"_s);
        QCOMPARE(studio.value(u"duration_seconds"_s, studio.rows.at(1)), u"-5400"_s);
    }
};

QTEST_GUILESS_MAIN(TestStudioHours)
#include "tst_studiohours.moc"
