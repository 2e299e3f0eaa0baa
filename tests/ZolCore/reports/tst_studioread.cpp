// A small studio read off disk as a whole, against golden files: what the
// analytics show of it (records, people, unreadable files, every breakdown
// and chart of a week, a month and a year, a search) and the HTML report of
// it, byte for byte. The studio has week and month copies of each session
// that were edited apart, damaged and odd files, and people with and without
// markers, so that any change to how the files are read shows here.
//
// ZOL_UPDATE_GOLDEN=1 rewrites the files from the current output, for review.

#include "Builders.h"
#include "FakeClock.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"
#include "reports/HTMLReport.h"
#include "reports/StudioHours.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zol;
using namespace zol::test;
using namespace Qt::StringLiterals;
using Kind = TimesheetPeriod::Kind;
using Snapshot = StudioHours::Snapshot;

namespace {

const Calendar calendar{QTimeZone::utc()};
const QDateTime now = utc(2026, 4, 3, 16);

QUuid fixedId(int n)
{
    return QUuid(u"{00000000-0000-4000-8000-%1}"_s.arg(n, 12, 10, QChar(u'0')));
}

// The n-th session of a person: weekdays of March 2026 from the 2nd, two a
// day, on a handful of projects and tasks; every fifth internal.
TimeEntry nth(int n, int personSeed)
{
    static const QStringList serials{u"2301"_s, u"2302"_s, u"2307"_s, QString()};
    static const QStringList names{u"Brand book"_s, u"Website"_s, u"Café menu"_s, u"Pitch deck"_s};
    static const QStringList clients{u"Acme"_s, u"Bakker & Zn"_s, u"Café Noël"_s, u"Acme"_s};
    static const QStringList tasks{u"Ontwerp"_s, u"ontwerp "_s, u"Overleg"_s, QString()};
    const int day = n / 2;
    const QDate date = QDate(2026, 3, 2).addDays(day / 5 * 7 + day % 5);
    const int pick = (n + personSeed) % 4;
    TimeEntry e = session(QDateTime(date, QTime(n % 2 == 0 ? 9 : 13, 5 * personSeed), Qt::UTC),
                          45 + 17 * ((n * 7 + personSeed) % 11), serials[pick], names[pick],
                          serials[pick].isEmpty() ? QString() : clients[pick]);
    e.id = fixedId(personSeed * 1000 + n);
    e.isInternal = (n + personSeed) % 5 == 0;
    if (e.isInternal) {
        e.projectSerial.clear();
        e.clientName.clear();
        e.projectName = u"Administratie"_s;
    }
    e.task = tasks[(n / 3 + personSeed) % 4];
    e.note = n % 3 == 0 ? u"logo, \"v%1\"\nsecond line"_s.arg(n) : u"session %1"_s.arg(n);
    e.machineName = u"mac-%1"_s.arg(personSeed);
    return e;
}

class Studio
{
public:
    explicit Studio(const QString& root)
        : m_root(root)
    {}

    QString hours() const { return Timesheet::root(m_root); }

    void marker(const QString& folder, const QString& name)
    {
        writeFile(hours() + u'/' + folder + u'/' + TimesheetFolder::markerName,
                  TimesheetFolder::Marker{u"M-"_s + folder, name, now}.encode());
    }

    // A timesheet as Zol writes it, last modified at `modified` seconds past
    // a fixed moment.
    void sheet(const QString& folder, const QString& person, Kind kind, QDate inPeriod,
               const QList<TimeEntry>& entries, int modified)
    {
        const TimesheetPeriod period(kind, QDateTime(inPeriod, QTime(12, 0), Qt::UTC), calendar);
        const QString path = Timesheet::file(hours() + u'/' + folder, period);
        file(path, Timesheet(period, person, entries).csv(now).toUtf8(), modified);
    }

    void file(const QString& path, const QByteArray& bytes, int modified)
    {
        writeFile(path, bytes);
        setModified(path, utc(2026, 4, 1).addSecs(modified));
    }

private:
    QString m_root;
};

// Every session of `entries` that falls in the ISO week or month of `day`.
QList<TimeEntry> within(const QList<TimeEntry>& entries, Kind kind, QDate day)
{
    const TimesheetPeriod period(kind, QDateTime(day, QTime(12, 0), Qt::UTC), calendar);
    QList<TimeEntry> in;
    for (const TimeEntry& e : entries)
        if (period.contains(e.startedAt))
            in.append(e);
    return in;
}

void writeStudio(Studio& studio)
{
    // Anna: a marker with blanks around her name; her month sheet is newer
    // than most of her weeks and was edited after them, but week 12 was
    // handed in again after the month.
    studio.marker(u"anna"_s, u"  Anna de Vries "_s);
    QList<TimeEntry> anna;
    for (int n = 0; n < 40; ++n)
        anna.append(nth(n, 1));
    QList<TimeEntry> annaEdited = anna;
    annaEdited[3].note = u"edited in the month"_s;
    annaEdited[4].endedAt = annaEdited[4].endedAt->addSecs(600);
    annaEdited[25].note = u"edited in the month, not in week 12"_s;
    annaEdited[26].projectSerial = u"2307"_s;
    annaEdited[26].projectName = u"Café menu"_s;
    const QList<QDate> weeks{QDate(2026, 3, 2), QDate(2026, 3, 9), QDate(2026, 3, 16),
                             QDate(2026, 3, 23)};
    for (int w = 0; w < weeks.size(); ++w)
        studio.sheet(u"anna"_s, u"Anna de Vries"_s, Kind::week, weeks[w],
                     within(anna, Kind::week, weeks[w]), w == 2 ? 500 : 100 + w);
    studio.sheet(u"anna"_s, u"Anna de Vries"_s, Kind::month, QDate(2026, 3, 1),
                 within(annaEdited, Kind::month, QDate(2026, 3, 1)), 400);

    // Bram: no marker; his week and month were handed in at the same moment,
    // so the first in name order ("months" before "weeks") counts, and his
    // week has a copy of Anna's 7th session, which stays hers (her folder
    // comes later in name order but her month is newer).
    QList<TimeEntry> bram;
    for (int n = 0; n < 24; ++n)
        bram.append(nth(n, 2));
    QList<TimeEntry> bramMonth = within(bram, Kind::month, QDate(2026, 3, 1));
    bramMonth[1].note = u"the month's copy"_s;
    studio.sheet(u"Bram-Jansen"_s, u"Bram Jansen"_s, Kind::month, QDate(2026, 3, 1), bramMonth,
                 300);
    QList<TimeEntry> bramWeek = within(bram, Kind::week, QDate(2026, 3, 2));
    bramWeek.append(anna[7]);
    studio.sheet(u"Bram-Jansen"_s, u"Bram Jansen"_s, Kind::week, QDate(2026, 3, 2), bramWeek, 300);

    // Zoë: a name with a comma and quotes, text a spreadsheet would run, a
    // control character in a note, and an older upload of one week under an
    // odd name of its own.
    studio.marker(u"Zoe-OBrien"_s, u"Zoë O’Brien, \"ZO\""_s);
    QList<TimeEntry> zoe;
    for (int n = 0; n < 12; ++n)
        zoe.append(nth(n, 3));
    zoe[0].clientName = u"=HYPERLINK(\"x\")"_s;
    zoe[1].note = u"bell\afrom\ta tab"_s;
    zoe[2].projectName = u"+1 campaign"_s;
    zoe[2].task = u"  Ontwerp  "_s;
    for (const QDate& week : {QDate(2026, 3, 2), QDate(2026, 3, 9)})
        studio.sheet(u"Zoe-OBrien"_s, u"Zoë O’Brien, \"ZO\""_s, Kind::week, week,
                     within(zoe, Kind::week, week), 200);
    QList<TimeEntry> zoeOld = within(zoe, Kind::week, QDate(2026, 3, 2));
    zoeOld[0].note = u"the older upload"_s;
    const QString zoeFolder = studio.hours() + u"/Zoe-OBrien"_s;
    studio.file(
        zoeFolder + u"/2026/weeks/2026-W10 (1).CSV"_s,
        Timesheet(TimesheetPeriod(Kind::week, utc(2026, 3, 2, 12), calendar), u"Zoë"_s, zoeOld)
            .csv(now)
            .toUtf8(),
        150);

    // Ellen: files from other tools and damaged ones. The old one has hours
    // only, no tasks, a BOM and CRLF; then a bad date, blank and TOTAL ids,
    // numbers with blanks, exponents, a negative and a non-finite duration.
    studio.marker(u"ellen"_s, u"Ellen"_s);
    const QString ellen = studio.hours() + u"/ellen"_s;
    studio.file(ellen + u"/old.csv"_s,
                "\xef\xbb\xbfid,date,hours,client,project_number,internal\r\n"
                "E1,2026-03-03,1.50,Acme,2301,no\r\n"
                "E2,03/03/2026,2.00,Acme,2301,no\r\n"
                "E3,2026-03-04, 2.25 ,,,yes\r\n"
                " ,2026-03-04,9,,,\r\n"
                ",TOTAL,3.75,,,\r\n",
                10);
    studio.file(ellen + u"/numbers.csv"_s,
                "id,date,duration_seconds,hours,note,task\n"
                "E4,2026-03-05,3.6e3,9,exponent,Overleg\n"
                "E5,2026-03-05,-60,0.5,negative falls back to hours,\n"
                "E6,2026-03-05,inf,0.25,not finite,\n"
                "E7,2026-03-06,\xc2\xa0"
                "90,,a no-break space,OVERLEG\n"
                "E8,2026-03-06,,,nothing at all,\n"
                "E9,2026-02-30,3600,,no such day,\n"
                "E10,2026-03-06,60,,\"quoted \"\"twice\"\", with a comma\",\n"
                "E11,2026-03-06,120,,\"unterminated,\n"
                "E12,2026-03-06,60,,swallowed by the quote\n",
                20);
    studio.file(ellen + u"/cut-off.csv"_s,
                "id,date,duration_seconds,note\nE13,2026-03-09,600,caf\xc3\xa9 cut \xc3", 30);
    studio.file(ellen + u"/invalid.csv"_s,
                "id,date,duration_seconds,note\nE14,2026-03-09,600,\xff\xfe\n", 40);
    studio.file(ellen + u"/header only.csv"_s, "id,date,duration_seconds\n", 50);
    studio.file(ellen + u"/empty.csv"_s, {}, 50);
    studio.file(ellen + u"/no ids.csv"_s, "date,duration_seconds\n2026-03-09,600\n", 50);
    studio.file(ellen + u"/._old.csv"_s, "id,date,hours\nJUNK,2026-03-03,9\n", 60);
    studio.file(ellen + u"/old.sync-conflict-20260303-101010-ABC.csv"_s,
                "id,date,hours\nJUNK,2026-03-03,9\n", 60);
    studio.file(ellen + u"/notes.txt"_s, "id,date,hours\nJUNK,2026-03-03,9\n", 60);

    // Dirk: a folder and a marker, nothing handed in.
    studio.marker(u"dirk"_s, u"Dirk"_s);
    QDir().mkpath(studio.hours() + u"/dirk/2026/weeks"_s);
}

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

// Control characters and line breaks shown, so that each record is a line.
QString shown(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\')
            out += u"\\\\"_s;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += u"\\x%1"_s.arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    return u'[' + out + u']';
}

QString totals(const QString& title, const QList<StudioHours::Total>& list)
{
    QString out = u"  "_s + title + u":\n"_s;
    for (const StudioHours::Total& t : list)
        out += u"    "_s + shown(t.id) + u' ' + shown(t.title) + u' ' + shown(t.subtitle) + u' ' +
               number(t.seconds) + u' ' + QString::number(t.count) + u'\n';
    return out;
}

// Everything the analytics screen, the command line and the report take from
// a snapshot, as text.
QString dump(const Snapshot& snapshot)
{
    QString out = u"people: "_s;
    for (const QString& person : snapshot.people)
        out += shown(person);
    out += u"\nunreadable: "_s;
    for (const QString& name : snapshot.unreadable)
        out += shown(name);
    out += u"\nread at: "_s + snapshot.readAt.toString(Qt::ISODate);
    out += u"\ntotal seconds: "_s + number(snapshot.totalSeconds()) + u"\nrecords:\n"_s;
    for (const StudioHours::Record& r : snapshot.records)
        out += u"  "_s +
               QStringList{shown(r.id),
                           shown(r.person),
                           r.day.toString(Qt::ISODate),
                           number(r.seconds),
                           shown(r.projectNumber),
                           shown(r.clientName),
                           shown(r.projectName),
                           r.isInternal ? u"internal"_s : u"project"_s,
                           shown(r.note),
                           shown(r.computer),
                           shown(r.task),
                           shown(r.projectKey()),
                           shown(r.clientKey()),
                           shown(r.taskKey())}
                   .join(u' ') +
               u'\n';

    const QList<std::pair<TimesheetPeriod, QString>> views{
        {TimesheetPeriod(Kind::week, utc(2026, 3, 4), calendar), QString()},
        {TimesheetPeriod(Kind::month, utc(2026, 3, 4), calendar), QString()},
        {TimesheetPeriod(Kind::month, utc(2026, 3, 4), calendar), u"LOGO"_s},
        {TimesheetPeriod(Kind::year, utc(2026, 3, 4), calendar), QString()},
        {TimesheetPeriod(Kind::month, utc(2026, 2, 4), calendar), QString()}};
    for (const auto& [period, query] : views) {
        const StudioHours::Rows rows = snapshot.rowsIn(period, query);
        out += u"\n"_s + period.id() + u" matching "_s + shown(query) + u": "_s +
               QString::number(rows.size()) + u" rows\n"_s;
        out += totals(u"by person"_s, Snapshot::byPerson(rows));
        out += totals(u"by client"_s, Snapshot::byClient(rows));
        out += totals(u"by project"_s, Snapshot::byProject(rows));
        out += totals(u"by task"_s, Snapshot::byTask(rows));
        out += u"  buckets:"_s;
        for (const StudioHours::Bucket& b : snapshot.buckets(period, rows))
            out += u' ' + b.start.toString(u"yyyy-MM-dd"_s) + u'=' + number(b.seconds);
        out += u"\n  nothing uploaded: "_s;
        for (const QString& person : snapshot.peopleWithNothing(period))
            out += shown(person);
        out += u'\n';
    }
    out += u"\nsessions as CSV:\n"_s + StudioHours::csv(snapshot.records, snapshot.calendar);
    return out;
}

} // namespace

class TestStudioRead : public QObject
{
    Q_OBJECT

    QTemporaryDir m_studio;
    std::optional<Snapshot> m_snapshot;

    static void compareGolden(const QString& name, const QString& text)
    {
        const QByteArray data = text.toUtf8();
        QFile golden(QStringLiteral(ZOL_GOLDEN "/") + name);
        if (qEnvironmentVariableIsSet("ZOL_UPDATE_GOLDEN")) {
            QVERIFY(golden.open(QIODevice::WriteOnly) && golden.write(data) == data.size());
            golden.close();
        }
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        const QByteArray expected = golden.readAll();
        if (data != expected) {
            // The first line that differs, rather than two whole files.
            const QList<QByteArray> got = data.split('\n');
            const QList<QByteArray> want = expected.split('\n');
            for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i)
                QCOMPARE(got.value(i), want.value(i));
        }
        QCOMPARE(data.size(), expected.size());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_studio.isValid());
        Studio studio(m_studio.path());
        writeStudio(studio);
        const FakeClock clock(now);
        m_snapshot = StudioHours::read(m_studio.path(), FileSystem::local(), clock, calendar);
    }

    void analytics() { compareGolden(u"studio-analytics.txt"_s, dump(*m_snapshot)); }

    void report_data()
    {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("csvFileName");
        QTest::newRow("month") << u"studio-month.html"_s << int(Kind::month) << QString()
                               << u"sessions.csv"_s;
        QTest::newRow("week, searched")
            << u"studio-week.html"_s << int(Kind::week) << u"ontwerp"_s << QString();
    }
    void report()
    {
        QFETCH(QString, golden);
        QFETCH(int, kind);
        QFETCH(QString, query);
        QFETCH(QString, csvFileName);
        const TimesheetPeriod period(Kind(kind), utc(2026, 3, 4), calendar);
        const QString html =
            HTMLReport::make(*m_snapshot, period, u"Analytics"_s, query,
                             csvFileName.isEmpty() ? std::nullopt : std::optional(csvFileName), now,
                             QLocale(QLocale::English, QLocale::UnitedKingdom));
        compareGolden(golden, html);
    }

    // Reading again gives the same snapshot: nothing depends on which thread
    // read which file first.
    void readsAlike()
    {
        const FakeClock clock(now);
        for (int pass = 0; pass < 3; ++pass)
            QVERIFY(StudioHours::read(m_studio.path(), FileSystem::local(), clock, calendar) ==
                    *m_snapshot);
    }
};

QTEST_GUILESS_MAIN(TestStudioRead)
#include "tst_studioread.moc"
