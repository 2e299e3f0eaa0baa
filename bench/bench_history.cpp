// Benchmarks of the main window's History over books of 100,000 sessions,
// each beside a baseline measured in the same run:
//
//   1. Opening History on a month (the controller's read and grouping, the
//      upload control's read of the same month, the list rebuilt and its
//      first screen drawn) against raw SQLite fetching the same rows.
//   2. Moving to the previous month, the same way and against the same kind
//      of baseline.
//   3. Drawing the calendar's week against painting the same number of
//      rounded blocks with one line of text each, nothing else.
//   4. Searching all time as the query is typed into Search, key by key,
//      until its first results are on screen, against the store's own
//      search for the whole query.
//
// The absolute targets (100 ms, 50 ms, 16 ms, 100 ms) are printed beside the
// ratios.
// Widgets are drawn offscreen: the program sets QT_QPA_PLATFORM itself.

#include "AppModel.h"
#include "BenchSupport.h"
#include "HistoryModel.h"
#include "Platform.h"
#include "RawSQLite.h"
#include "SearchModel.h"
#include "StudioHistory.h"
#include "books/SettingsStore.h"
#include "store/EntryRows.h"
#include "store/EntryStore.h"
#include "support/Calendar.h"
#include "support/Clock.h"
#include "support/Timestamps.h"
#include "window/CalendarWeekView.h"
#include "window/HistoryList.h"
#include "window/HistorySection.h"
#include "window/SearchSection.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTreeView>

#include <limits>

namespace {

using namespace zol;
using namespace zol::bench;

const int sessions = sized(100'000, 1'000);
constexpr int historyDays = 5 * 365 + 1;

// The live rows of [from, to), every column read, as a program calling the C
// API directly would fetch what History shows.
qsizetype sqlRows(RawDatabase& db, const QDateTime& from, const QDateTime& to)
{
    static const QByteArray sql = QStringLiteral("SELECT %1 FROM entries\n"
                                                 "WHERE deleted_at IS NULL\n"
                                                 "  AND started_at >= ?1 AND started_at < ?2\n"
                                                 "ORDER BY started_at DESC;")
                                      .arg(EntryRows::columns)
                                      .toUtf8();
    RawStatement statement(db.handle(), sql);
    sqlite3_stmt* s = statement.get();
    sqlite3_bind_double(s, 1, secondsSince1970(from));
    sqlite3_bind_double(s, 2, secondsSince1970(to));
    qsizetype rows = 0;
    int rc = 0;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        ++rows;
        const int columns = sqlite3_column_count(s);
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(s, c) == SQLITE_TEXT) {
                sqlite3_column_text(s, c);
                sqlite3_column_bytes(s, c);
            } else {
                sqlite3_column_double(s, c);
            }
        }
    }
    if (rc != SQLITE_DONE)
        throw Error(QString::fromUtf8(sqlite3_errmsg(db.handle())));
    return rows;
}

// The absolute target as a note: "target under 100 ms: PASS".
QString absolute(double seconds, double target)
{
    if (isSmokeRun())
        return QStringLiteral("target under %1 (smoke run: not judged)").arg(duration(target));
    return QStringLiteral("target under %1: %2")
        .arg(duration(target), seconds < target ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
}

// Draws the visible part of the section as the screen would.
void drawn(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);
}

int run()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        throw Error(QStringLiteral("No temporary folder: ") + folder.errorString());
    print(QStringLiteral("History benchmarks · SQLite %1 · Qt %2 · %3 sessions\n"
                         "Figures are medians; ratio = figure / baseline.\n\n")
              .arg(QString::fromUtf8(sqlite3_libversion()), QString::fromUtf8(qVersion()),
                   count(sessions)));

    const QString path = folder.filePath(QStringLiteral("books.sqlite3"));
    const QDateTime now = Clock::system().now();
    {
        EntryStore store(path);
        StudioHistory(now).fill(store, sessions, historyDays);
    }
    SettingsStore defaults{QString()};
    const std::unique_ptr<Platform> platform = Platform::doingNothing();
    AppModel model(defaults, Clock::system(), *platform, [path](const QString&, const Clock& c) {
        return std::make_unique<EntryStore>(path, c);
    });
    model.books().setRunsBackgroundWork(false);
    model.bootstrap();
    HistoryModel& history = *model.history();
    RawDatabase raw(path);
    const Calendar& calendar = model.books().calendar();

    ui::HistorySection section(model);
    section.resize(1100, 720);
    section.show();
    QApplication::processEvents();

    // Two months a year back, each holding 1/60 of the history.
    const QDate month = calendar.day(now).addYears(-1);
    const QDate before = month.addMonths(-1);
    history.setHistoryScope(HistoryScope::month);
    const auto monthRange = [&](QDate day) {
        const QDate first(day.year(), day.month(), 1);
        return std::pair{calendar.startOfDay(first), calendar.startOfDay(first.addMonths(1))};
    };

    // 1. Open History on the month, from the present (untimed) each round,
    // so that every opening reads, groups and lists afresh.
    qsizetype rows = 0;
    const auto [from, to] = monthRange(month);
    std::vector<double> opening;
    std::vector<double> fetching;
    for (int i = 0; i < rounds(9); ++i) {
        history.showToday();
        opening.push_back(timeOnce([&] {
            history.showPeriod(month);
            drawn(section);
        }));
        fetching.push_back(timeOnce([&] { rows = sqlRows(raw, from, to); }));
    }
    const Timings open{median(opening), median(fetching)};
    report({QStringLiteral("1. Opening History on a month"),
            QStringLiteral("showPeriod(month) read, grouped, listed and drawn"),
            QStringLiteral("raw SQLite fetching the month's rows"), open, 25,
            QStringLiteral("%1 sessions in the month; %2")
                .arg(rows)
                .arg(absolute(open.figure, 0.100))});

    // 2. One month back, and forward again (untimed) between the rounds.
    history.showPeriod(month);
    const auto [previousFrom, previousTo] = monthRange(before);
    std::vector<double> back;
    std::vector<double> baseline;
    for (int i = 0; i < rounds(9); ++i) {
        back.push_back(timeOnce([&] {
            history.nextDay(-1);
            drawn(section);
        }));
        baseline.push_back(timeOnce([&] { rows = sqlRows(raw, previousFrom, previousTo); }));
        history.nextDay(1);
    }
    const Timings previous{median(back), median(baseline)};
    report({QStringLiteral("2. Moving to the previous month"),
            QStringLiteral("nextDay(-1) read, grouped, listed and drawn"),
            QStringLiteral("raw SQLite fetching the previous month's rows"), previous, 25,
            QStringLiteral("%1 sessions in that month; %2")
                .arg(rows)
                .arg(absolute(previous.figure, 0.050))});

    // 3. The week as a calendar.
    history.setHistoryScope(HistoryScope::week);
    history.setHistoryLayout(HistoryLayout::calendar);
    history.showPeriod(month);
    ui::CalendarWeekView& week = section.week();
    week.resize(900, 640);
    QImage canvas(week.size(), QImage::Format_ARGB32_Premultiplied);
    const int blocks = int(week.week().blocks.size());
    QList<QRect> places;
    for (int i = 0; i < blocks; ++i)
        places.append(week.blockRect(i));
    const Timings drawing = measurePair(
        rounds(31), [&] { week.render(&canvas); },
        [&] {
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillRect(canvas.rect(), Qt::white);
            for (const QRect& place : std::as_const(places)) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(0x8a, 0xb4, 0xf8));
                painter.drawRoundedRect(QRectF(place), 5, 5);
                painter.setPen(Qt::black);
                painter.drawText(place, Qt::AlignLeft | Qt::AlignTop,
                                 QStringLiteral("2417 Huisstijl"));
            }
        });
    report({QStringLiteral("3. Drawing the calendar's week"),
            QStringLiteral("CalendarWeekView::render"),
            QStringLiteral("the same blocks as plain rounded rectangles with a line of text"),
            drawing, 4,
            QStringLiteral("%1 blocks; %2").arg(blocks).arg(absolute(drawing.figure, 0.016))});

    // 4. A client's name typed into Search over all time. Each key is one
    // turn of the event loop, as when typing fast: the searches of the
    // shorter queries are still under way when the next key arrives.
    ui::SearchSection search(model);
    search.resize(1100, 720);
    search.show();
    SearchModel& searching = *model.search();
    searching.setSearchRange(SearchRange::all);
    auto* field = search.findChild<QLineEdit*>(QStringLiteral("searchQuery"));
    auto* results = search.findChild<QTreeView*>(QStringLiteral("searchResults"));
    const QString query = QStringLiteral("rijksmuseum");
    EntryStore direct(path);
    qsizetype found = 0;
    std::vector<double> typing;
    std::vector<double> store;
    for (int i = 0; i < rounds(9); ++i) {
        field->clear();
        searching.searchTask().waitForFinished();
        QApplication::processEvents();
        typing.push_back(timeOnce([&] {
            for (qsizetype typed = 1; typed <= query.size(); ++typed) {
                field->setText(query.left(typed));
                QApplication::processEvents();
            }
            while (searching.isSearching() || results->model()->rowCount() == 0)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            drawn(search);
        }));
        store.push_back(timeOnce([&] {
            found =
                direct
                    .search(query, SearchRange::all, now, std::numeric_limits<int>::max(), calendar)
                    .size();
        }));
    }
    const Timings typed{median(typing), median(store)};
    report({QStringLiteral("4. Searching all time as a query is typed"),
            QStringLiteral("\u201C%1\u201D typed key by key into Search, to its results drawn")
                .arg(query),
            QStringLiteral("EntryStore::search of the whole query over all time"), typed, 5,
            QStringLiteral("%1 sessions found; %2")
                .arg(count(found))
                .arg(absolute(typed.figure, 0.100))});
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        return run();
    } catch (const zol::Error& error) {
        zol::bench::print(QStringLiteral("bench_history: ") + error.message() + u'\n');
        return 1;
    }
}
