// Sessions written out as CSV and JSON, and CSV read back in: what the export
// writes, and what the reader makes of any file, hostile ones included.

#include "Builders.h"
#include "formats/CSVReader.h"
#include "formats/EntryExporter.h"

#include <QFile>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using zol::test::utc;
namespace Export = zol::EntryExporter;
using zol::CSVReader::Table;
using Rows = QList<QStringList>;

Q_DECLARE_METATYPE(zol::EntryExporter::Format)

namespace {

const QDateTime now = utc(2026, 3, 27, 16);
// Central European Time all month: the clocks go forward on the 29th.
Calendar amsterdam()
{
    return Calendar(QTimeZone("Europe/Amsterdam"));
}

TimeEntry make(int n, const QDateTime& start, double minutes, const QString& task,
               const QString& note)
{
    TimeEntry e = test::session(start, minutes);
    e.id = QUuid(u"6f1e0c2a-5b7d-4c1e-9a3f-00000000000%1"_s.arg(n));
    e.task = task;
    e.note = note;
    return e;
}

// One session of each kind the export must get right, given out of order.
QList<TimeEntry> studioMonth()
{
    // 1 h 29 min 59.6 s: "1.50" and 5400, an end written without its fraction.
    TimeEntry formula =
        make(1, utc(2026, 3, 2, 8, 15), 89 + 59.6 / 60, u"Design"_s, u"=SUM(A1), x"_s);
    formula.uploadedAt = utc(2026, 3, 6, 17);

    TimeEntry quoted = make(2, utc(2026, 3, 10, 13), 120, {}, u"Call with \"Marie\"\nthen"_s);
    quoted.projectSerial = u"2302"_s;
    quoted.projectName = u"Menu cards 2026/27"_s; // "/" stays unescaped in JSON
    quoted.clientName = u"Café Noir"_s;
    quoted.pausedSeconds = 600.4;

    TimeEntry internal = make(3, utc(2026, 3, 12, 7, 30), 30, u"Admin"_s, u"- accountant"_s);
    internal.projectSerial.clear();
    internal.clientName.clear();
    internal.projectName = u"Invoices"_s;
    internal.isInternal = true;

    // Starts on 26 March in UTC, on the 27th in Amsterdam.
    TimeEntry draft = make(4, utc(2026, 3, 26, 23, 30), 45, u"@review"_s, u"+31 20 555 0100"_s);
    draft.projectSerial = u"LOCAL:9B2D4E61-0C3A-4F7B-8E15-2A6C9D0F1B37"_s;
    draft.clientName = u"Bakker & Zn"_s;

    // Running, paused since 15:30 after 300 s of earlier pauses: 5100 s worked.
    TimeEntry running = make(5, utc(2026, 3, 27, 14), 0, {}, {});
    running.endedAt.reset();
    running.machineName = u"Sanne’s MacBook Pro"_s;
    running.pausedSeconds = 300;
    running.pausedAt = utc(2026, 3, 27, 15, 30);

    // Text a spreadsheet would run in every text column, and a note typed
    // with an apostrophe of its own.
    TimeEntry links =
        make(6, utc(2026, 3, 20, 9), 60, u"\tindented"_s, u"'=typed with its apostrophe"_s);
    links.projectSerial = u"-2"_s;
    links.clientName = u"=HYPERLINK(\"https://example.com\",\"click\")"_s;
    links.projectName = u"+1"_s;
    links.machineName = u"@studio"_s;

    return {running, formula, draft, quoted, internal, links};
}

} // namespace

class TstEntryExporter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void goldenFiles_data()
    {
        QTest::addColumn<Export::Format>("format");
        QTest::newRow("csv") << Export::Format::csv;
        QTest::newRow("json") << Export::Format::json;
    }

    // ZOL_UPDATE_GOLDEN=1 rewrites the files from the current output, for review.
    void goldenFiles()
    {
        QFETCH(Export::Format, format);
        const QByteArray data =
            Export::data(studioMonth(), format, u"Designer"_s, now, amsterdam());
        QFile golden(QStringLiteral(ZOL_GOLDEN "/export.") + Export::fileExtension(format));
        if (qEnvironmentVariableIsSet("ZOL_UPDATE_GOLDEN")) {
            QVERIFY(golden.open(QIODevice::WriteOnly) && golden.write(data) == data.size());
            golden.close();
        }
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        QCOMPARE(QString::fromUtf8(data), QString::fromUtf8(golden.readAll()));
    }

    void noSessions()
    {
        QCOMPARE(Export::csv({}, u"Designer"_s, now), Export::columns().join(u',') + u'\n');
        QCOMPARE(Export::json({}, now), QByteArray(R"({
    "entries": [
    ],
    "entryCount": 0,
    "exportedAt": "2026-03-27T16:00:00Z",
    "version": 1
}
)"));
    }

    void suggestedFilename_data()
    {
        QTest::addColumn<QList<int>>("sessions"); // indexes into studioMonth()
        QTest::addColumn<Export::Format>("format");
        QTest::addColumn<QString>("who");
        QTest::addColumn<QString>("expected");
        const auto csv = Export::Format::csv;
        const auto json = Export::Format::json;
        QTest::newRow("month") << QList{0, 1, 2, 3, 4} << csv << u"Designer"_s
                               << u"zol-Designer-2026-03-02_2026-03-27.csv"_s;
        QTest::newRow("one day") << QList{1} << json << QString() << u"zol-2026-03-02.json"_s;
        QTest::newRow("local day") << QList{2} << json << u" \n\t"_s << u"zol-2026-03-27.json"_s;
        QTest::newRow("safe name") << QList{1, 3} << csv << u" Sanne de Vries\n"_s
                                   << u"zol-Sanne-de-Vries-2026-03-02_2026-03-10.csv"_s;
        QTest::newRow("no sessions")
            << QList<int>{} << csv << u"Designer"_s << u"zol-Designer-2026-03-27.csv"_s;
    }

    void suggestedFilename()
    {
        QFETCH(QList<int>, sessions);
        QFETCH(Export::Format, format);
        QFETCH(QString, who);
        QList<TimeEntry> entries;
        for (const int i : sessions)
            entries.append(studioMonth().at(i));
        QTEST(Export::suggestedFilename(entries, format, who, now, amsterdam()), "expected");
    }

    // What is written, and what a reader makes of it again.
    void spreadsheetSafe_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("written");
        QTest::newRow("equals") << u"=1+1"_s << u"'=1+1"_s;
        QTest::newRow("plus") << u"+31 20"_s << u"'+31 20"_s;
        QTest::newRow("minus") << u"-"_s << u"'-"_s;
        QTest::newRow("at") << u"@home"_s << u"'@home"_s;
        QTest::newRow("tab") << u"\tx"_s << u"'\tx"_s;
        QTest::newRow("carriage return") << u"\r=x"_s << u"'\r=x"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("line feed first") << u"\n=x"_s << u"\n=x"_s;
        QTest::newRow("space first") << u" =x"_s << u" =x"_s;
        QTest::newRow("inside") << u"a=b-c"_s << u"a=b-c"_s;
        // Typed with apostrophes of its own: one more, so that exactly what
        // was typed comes back.
        QTest::newRow("apostrophe then equals") << u"'=x"_s << u"''=x"_s;
        QTest::newRow("apostrophes then tab") << u"''\tx"_s << u"'''\tx"_s;
        QTest::newRow("apostrophe then text") << u"'quoted'"_s << u"'quoted'"_s;
        QTest::newRow("apostrophes alone") << u"''"_s << u"''"_s;
    }

    void spreadsheetSafe()
    {
        QFETCH(QString, field);
        QFETCH(QString, written);
        QCOMPARE(Export::spreadsheetSafe(field), written);
        QCOMPARE(Export::fromSpreadsheetSafe(written), field);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<Rows>("rows");
        const QStringList ab{u"a"_s, u"b"_s};
        const Rows oneTwo{{u"1"_s, u"2"_s}};
        QTest::newRow("no final break") << u"a,b\n1,2"_s << ab << oneTwo;
        QTest::newRow("CRLF, CR and LF")
            << u"a,b\r\n1,2\r3,4\n"_s << ab << Rows{{u"1"_s, u"2"_s}, {u"3"_s, u"4"_s}};
        QTest::newRow("empty lines dropped") << u"a,b\n\n1,2\r\n\r\n\r"_s << ab << oneTwo;
        QTest::newRow("line of commas kept") << u"a,b\n,\n"_s << ab << Rows{{QString(), QString()}};
        QTest::newRow("header alone") << u"a,b\n"_s << ab << Rows();
        QTest::newRow("nothing") << QString() << QStringList() << Rows();
        QTest::newRow("ragged rows")
            << u"a,b\n1\n1,2,3\n"_s << ab << Rows{{u"1"_s}, {u"1"_s, u"2"_s, u"3"_s}};
        QTest::newRow("nothing trimmed")
            << u" a , b\t\n"_s << QStringList{u" a "_s, u" b\t"_s} << Rows();
        QTest::newRow("quote inside a field")
            << u"a,b\nx\"y,z\"w,2\n"_s << ab << Rows{{u"xy,zw"_s, u"2"_s}};
        QTest::newRow("quoted break stays as written")
            << u"a,b\n\"1\r\n2\",3\n"_s << ab << Rows{{u"1\r\n2"_s, u"3"_s}};
        QTest::newRow("byte-order mark kept")
            << u"\uFEFFa,b\n1,2\n"_s << QStringList{u"\uFEFFa"_s, u"b"_s} << oneTwo;
        QTest::newRow("NUL characters")
            << u"a\0b,c\n\0,\0\n"_s << QStringList{u"a\0b"_s, u"c"_s} << Rows{{u"\0"_s, u"\0"_s}};
        QTest::newRow("unterminated quote")
            << u"a,b\n1,\"2,3\n4\n"_s << ab << Rows{{u"1"_s, u"2,3\n4\n"_s}};
        QTest::newRow("lone quote at the end") << u"a,b\n\""_s << ab << Rows();
        QTest::newRow("letters of several bytes beside quotes and commas")
            << u"é,ü\n\"ß\"\"€\",😀x\n"_s << QStringList{u"é"_s, u"ü"_s}
            << Rows{{u"ß\"€"_s, u"😀x"_s}};
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, columns);
        QFETCH(Rows, rows);
        const Table table = zol::CSVReader::parse(text);
        QCOMPARE(table.columns, columns);
        QCOMPARE(table.rows, rows);
        QCOMPARE(table.isEmpty(), rows.isEmpty());

        // Record by record, the same splitting: the header first, then the rows.
        Rows records;
        zol::CSVReader::forEachRecord(text, [&records](const QList<QStringView>& fields) {
            QStringList copied;
            for (const QStringView field : fields)
                copied.append(field.toString());
            records.append(copied);
        });
        QCOMPARE(records.isEmpty() ? QStringList() : records.takeFirst(), columns);
        QCOMPARE(records, rows);

        // And over the same text in UTF-8.
        Rows utf8;
        const QByteArray bytes = text.toUtf8();
        zol::CSVReader::forEachRecord(
            QByteArrayView(bytes), [&utf8](const QList<QByteArrayView>& fields) {
                // Decoded with a byte-order mark kept.
                QStringList decoded;
                for (const QByteArrayView field : fields)
                    decoded.append(QStringDecoder(QStringDecoder::Utf8,
                                                  QStringDecoder::Flag::ConvertInitialBom)(field));
                utf8.append(decoded);
            });
        QCOMPARE(utf8.isEmpty() ? QStringList() : utf8.takeFirst(), columns);
        QCOMPARE(utf8, rows);
    }

    void value()
    {
        const Table table = zol::CSVReader::parse(u"\uFEFFid,note,id\n1,,2\n3\n"_s);
        const auto value = [&](const QString& column, int row) {
            return table.value(column, table.rows.at(row)).value_or(u"(absent)"_s);
        };
        QCOMPARE(value(u"\uFEFFid"_s, 0), u"1"_s);
        QCOMPARE(value(u"id"_s, 0), u"2"_s); // the byte-order mark hides the first "id"
        QCOMPARE(value(u"note"_s, 0), QString());
        QCOMPARE(value(u"note"_s, 1), u"(absent)"_s); // a short row
        QCOMPARE(value(u"NOTE"_s, 0), u"(absent)"_s);
        QCOMPARE(value(u"missing"_s, 0), u"(absent)"_s);
    }

    void readsBackTheExportEscaping()
    {
        const Rows written{
            {u"=SUM(A1), x"_s, u"Call with \"Marie\"\nthen sketches"_s, u"\r\n"_s},
            {u"\""_s, u"\"\""_s, u","_s, QString(), u"tail\r"_s},
            {u"plain"_s, u" lead"_s, u"Café Noir"_s},
        };
        QString text = u"a,b,c\n"_s;
        for (const QStringList& row : written) {
            QStringList fields;
            for (const QString& field : row)
                fields.append(zol::EntryExporter::escape(field));
            text += fields.join(u',') + u'\n';
        }
        QCOMPARE(zol::CSVReader::parse(text).rows, written);
    }

    // Untrusted files from the studio folder: each must finish with a small,
    // predictable table.
    void hostileText()
    {
        const QString big(10'000'000, u'x');
        Table table =
            zol::CSVReader::parse(QString(u"a,b\n\""_s + big + u"\",1\n"_s + big + u"\n"_s));
        QCOMPARE(table.rows.size(), 2);
        QCOMPARE(table.rows.at(0).at(0).size(), big.size());
        QCOMPARE(table.rows.at(1), QStringList{big});

        const QString blank = u"\r\n"_s.repeated(1'000'000);
        table = zol::CSVReader::parse(QString(u"a,b\n"_s + blank + u"1,2\n"_s + blank));
        QCOMPARE(table.rows, (Rows{{u"1"_s, u"2"_s}}));

        // A quote that never closes swallows the rest, however long.
        table = zol::CSVReader::parse(QString(u"a\n\""_s + u"x,\n"_s.repeated(1'000'000)));
        QCOMPARE(table.rows.size(), 1);
        QCOMPARE(table.rows.at(0).at(0).size(), 3'000'000);
    }
};

QTEST_GUILESS_MAIN(TstEntryExporter)
#include "tst_entryexporter.moc"
