#include "reports/CSVReader.h"
#include "reports/EntryExporter.h"

#include <QTest>

using namespace Qt::StringLiterals;
using zol::CSVReader::Table;
using Rows = QList<QStringList>;

class TstCSVReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<Rows>("rows");
        const QStringList ab{u"a"_s, u"b"_s};
        const Rows oneTwo{{u"1"_s, u"2"_s}};
        QTest::newRow("CRLF") << u"a,b\r\n1,2\r\n"_s << ab << oneTwo;
        QTest::newRow("LF") << u"a,b\n1,2\n"_s << ab << oneTwo;
        QTest::newRow("CR") << u"a,b\r1,2\r"_s << ab << oneTwo;
        QTest::newRow("no final break") << u"a,b\n1,2"_s << ab << oneTwo;
        QTest::newRow("mixed breaks")
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

QTEST_GUILESS_MAIN(TstCSVReader)
#include "tst_csvreader.moc"
