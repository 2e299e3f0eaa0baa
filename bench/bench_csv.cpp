// Reading a large timesheet back: CSVReader::parse, together with reading the
// file and decoding it from UTF-8 as a real reader does, must keep up with
// Python's csv module (a C tokenizer) reading the same file in the same run.
//
// The file, about 50 MB of rows in the export's 19 columns with a share of
// quoted notes (commas, quotes, line breaks), lives in a temporary folder (set
// TMPDIR to measure another disk). Python times itself from open() to the
// finished list, so its start-up is not counted against it. The program exits
// 0 whatever the figures; only a failure to set up is an error.

#include "BenchSupport.h"
#include "formats/CSVReader.h"
#include "formats/EntryExporter.h"
#include "support/Calendar.h"
#include "support/Timestamps.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using namespace zol;
using namespace zol::bench;

const qint64 targetBytes = sized<qint64>(50'000'000, 1'000'000);
const int repetitions = rounds(5);

const char* const pythonReader = R"(import csv, sys, time
start = time.perf_counter()
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f))
print(time.perf_counter() - start, len(rows))
)";

// Three years of a studio's sessions, as a timesheet writes them: escaped,
// never prefixed. Returns the number of records, header included.
qsizetype writeTimesheet(const QString& path)
{
    static const QStringList notes{
        QString(),
        QStringLiteral("Logo sketches"),
        QStringLiteral("Call with client, then revisions"),
        QStringLiteral("Print check at \"De Drukkerij\""),
        QStringLiteral("Meeting notes:\n- colours\n- type, sizes"),
        QStringLiteral("Café Noir menu — second round"),
        QStringLiteral("=SUM(A1) in the invoice sheet"),
    };
    static const QStringList projects{
        QStringLiteral("2301|Brand book|Acme"),
        QStringLiteral("2302|Menu cards|Café Noir"),
        QStringLiteral("2417|Annual report 2025|Gemeente Utrecht"),
        QStringLiteral("2420|Website relaunch|Bakker & Zn"),
        QStringLiteral("|Administration|"),
    };
    QRandomGenerator random(20260302);
    const Calendar calendar(QTimeZone("Europe/Amsterdam"));
    const QDateTime first(QDate(2023, 1, 2), QTime(7, 30), Qt::UTC);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    QString chunk = EntryExporter::columns().join(u',') + u'\n';
    qint64 written = 0;
    qsizetype records = 1;
    for (int i = 0; written < targetBytes; ++i) {
        const QStringList project = projects.at(random.bounded(projects.size())).split(u'|');
        TimeEntry entry;
        entry.id = newUuid();
        entry.machineName = QStringLiteral("studio-mac-%1").arg(random.bounded(4));
        entry.startedAt = first.addDays(i / 8).addSecs(i % 8 * 3600 + random.bounded(600));
        entry.endedAt = entry.startedAt.addSecs(600 + random.bounded(3000));
        entry.pausedSeconds = random.bounded(4) == 0 ? random.bounded(600) : 0;
        entry.projectSerial = project.at(0);
        entry.projectName = project.at(1);
        entry.clientName = project.at(2);
        entry.isInternal = entry.projectSerial.isEmpty();
        entry.task = random.bounded(2) ? QStringLiteral("Design") : QString();
        entry.note = notes.at(random.bounded(notes.size()));
        if (random.bounded(3) == 0)
            entry.uploadedAt = entry.endedAt;

        const QStringList values =
            EntryExporter::row(entry, QStringLiteral("Sanne de Vries"), *entry.endedAt, calendar);
        for (qsizetype v = 0; v < values.size(); ++v) {
            if (v > 0)
                chunk += u',';
            chunk += EntryExporter::escape(values.at(v));
        }
        chunk += u'\n';
        ++records;
        if (chunk.size() > 1'000'000) {
            written += file.write(chunk.toUtf8());
            chunk.clear();
        }
    }
    file.write(chunk.toUtf8());
    return file.error() == QFile::NoError ? records : 0;
}

// What a reader of the studio folder does: the whole file, decoded, parsed.
CSVReader::Table readWithZol(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return CSVReader::parse(QString::fromUtf8(file.readAll()));
}

qsizetype recordCount(const CSVReader::Table& table)
{
    return table.rows.size() + (table.columns.isEmpty() ? 0 : 1);
}

struct PythonRun
{
    double seconds = 0;
    qsizetype records = 0;
};

std::optional<PythonRun> readWithPython(const QString& python, const QString& path)
{
    QProcess process;
    process.start(python, {QStringLiteral("-c"), QString::fromUtf8(pythonReader), path});
    if (!process.waitForFinished(600'000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    const QStringList out =
        QString::fromUtf8(process.readAllStandardOutput()).simplified().split(u' ');
    bool ok = false;
    PythonRun run{out.value(0).toDouble(&ok), out.value(1).toLongLong()};
    return ok ? std::optional(run) : std::nullopt;
}

int run()
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        print(QStringLiteral("python3 is not on the PATH: the CSV benchmark is skipped.\n"));
        return 0;
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "bench_csv: cannot create a temporary folder\n");
        return 1;
    }
    const QString path = folder.filePath(QStringLiteral("timesheet.csv"));
    QElapsedTimer setup;
    setup.start();
    const qsizetype records = writeTimesheet(path);
    const qint64 bytes = QFileInfo(path).size();
    if (records == 0) {
        std::fprintf(stderr, "bench_csv: cannot write %s\n", qPrintable(path));
        return 1;
    }
    print(QStringLiteral("Qt %1, %2\nSet-up: %3 records, %4 bytes written in %5.\n\n")
              .arg(QString::fromUtf8(qVersion()), python, count(records), count(bytes),
                   duration(double(setup.nsecsElapsed()) * 1e-9)));

    // One untimed pass each, so both read the file from the page cache. Python
    // keeps its list alive past its clock, so the table's teardown is timed
    // apart here, for reference.
    CSVReader::Table table = readWithZol(path);
    const qsizetype zolRecords = recordCount(table);
    std::optional<PythonRun> pythonRun = readWithPython(python, path);
    if (!pythonRun) {
        print(QStringLiteral("python3 could not read the file: the comparison is skipped.\n"));
        return 0;
    }
    std::vector<double> zolTimes;
    std::vector<double> teardownTimes;
    std::vector<double> pythonTimes;
    for (int i = 0; i < repetitions && pythonRun; ++i) {
        const auto timeZol = [&] {
            teardownTimes.push_back(timeOnce([&] { table = {}; }));
            zolTimes.push_back(timeOnce([&] { table = readWithZol(path); }));
        };
        if (i % 2 == 0)
            timeZol();
        pythonRun = readWithPython(python, path);
        if (pythonRun)
            pythonTimes.push_back(pythonRun->seconds);
        if (i % 2 == 1)
            timeZol();
    }
    if (pythonTimes.size() != size_t(repetitions)) {
        print(QStringLiteral("python3 failed during the runs: the comparison is skipped.\n"));
        return 0;
    }

    const Timings timings{median(zolTimes), median(pythonTimes)};
    const auto throughput = [bytes](double seconds) -> QString {
        return QString::number(double(bytes) / 1e6 / seconds, 'f', 1) + QStringLiteral(" MB/s");
    };
    report({QStringLiteral("Parse a %1 MB timesheet (median of %2)")
                .arg(QString::number(double(bytes) / 1e6, 'f', 1))
                .arg(repetitions),
            QStringLiteral("CSVReader::parse, with reading and UTF-8 decoding: %1 (%2 records)")
                .arg(throughput(timings.figure), count(zolRecords)),
            QStringLiteral("Python csv.reader, open to list: %1 (%2 records)")
                .arg(throughput(timings.baseline), count(pythonRun->records)),
            timings, 1.0,
            QStringLiteral("target: at least Python's throughput; freeing the table took %1 "
                           "more (not counted, as Python's is not)")
                .arg(duration(median(teardownTimes)))});
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return run();
}
