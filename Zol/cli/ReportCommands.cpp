// Search, exports, the studio's report and the update check.

#include "CommandLine.h"

#include "AppModel.h"
#include "CommandDesktop.h"
#include "ReportsModel.h"
#include "SearchModel.h"
#include "UpdateModel.h"
#include "formats/EntryExporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zol::cli {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::cli::ReportCommands)
};

// Save dialogs answered with `path`, or with the suggested name in the
// current folder when no path was given.
CommandDesktop::Answer savingTo(const std::optional<QString>& path)
{
    return [path](const Desktop::SaveRequest& request) -> std::optional<QString> {
        return QDir::current().absoluteFilePath(path.value_or(request.suggestedName));
    };
}

// The status line, then where the file went.
int reportSaved(Invocation& call)
{
    const bool worked = !call.model.status().showsFailure();
    const int status = call.reportStatus();
    if (worked && !call.desktop.revealed().isEmpty())
        call.out << QDir::toNativeSeparators(call.desktop.revealed().constLast()) << '\n';
    return status;
}

std::optional<TimesheetPeriod> periodArgument(Invocation& call, const QString& text)
{
    return TimesheetPeriod::fromId(text, call.model.books().calendar());
}

TimesheetPeriod thisMonth(const AppModel& model)
{
    return TimesheetPeriod(TimesheetPeriod::Kind::month, model.clock().now(),
                           model.books().calendar());
}

int search(Invocation& call)
{
    const QString query = call.arguments.first();
    if (query.trimmed().isEmpty())
        return call.usageError(Texts::tr("search for something"));
    SearchModel& search = *call.model.search();
    if (call.has(QStringLiteral("range"))) {
        const std::optional<SearchRange> range =
            SearchRange::fromRawValue(call.value(QStringLiteral("range")));
        if (!range)
            return call.usageError(Texts::tr(
                "--range is week, month, threeMonths, sixMonths, yearToDate, year or all"));
        search.setSearchRange(*range);
    }
    search.setSearchQuery(query);
    Invocation::wait(search.searchTask());
    if (call.model.status().showsFailure())
        return call.reportStatus();
    if (call.has(QStringLiteral("json"))) {
        call.out << QString::fromUtf8(
            EntryExporter::json(search.searchResults(), call.model.clock().now()));
        return succeeded;
    }
    printSessions(call, search.searchResults());
    return succeeded;
}

int exportSessions(Invocation& call)
{
    const std::optional<EntryExporter::Format> format =
        EntryExporter::formatFromRawValue(call.arguments.first());
    if (!format)
        return call.usageError(Texts::tr("export as csv or json"));
    if (call.has(QStringLiteral("all")) && call.has(QStringLiteral("period")))
        return call.usageError(Texts::tr("give --period or --all, not both"));
    ExportScope scope = ExportScope::of(thisMonth(call.model));
    if (call.has(QStringLiteral("all"))) {
        scope = ExportScope::everything();
    } else if (call.has(QStringLiteral("period"))) {
        const std::optional<TimesheetPeriod> period =
            periodArgument(call, call.value(QStringLiteral("period")));
        if (!period)
            return call.usageError(Texts::tr("--period takes 2026-W10, 2026-03 or 2026"));
        scope = ExportScope::of(*period);
    }
    call.desktop.answerWith(savingTo(call.has(QStringLiteral("output"))
                                         ? std::optional(call.value(QStringLiteral("output")))
                                         : std::nullopt));
    call.model.reports()->exportSessions(scope, *format);
    return reportSaved(call);
}

// A package folder may only replace a folder that holds nothing but an
// earlier package: the command line never deletes what it did not write.
bool mayReplacePackage(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return true;
    if (!info.isDir() || info.isSymLink())
        return false;
    const QStringList inside = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
    return std::all_of(inside.cbegin(), inside.cend(), [](const QString& name) {
        return name == u"report.html" || name == u"sessions.csv";
    });
}

int report(Invocation& call)
{
    ReportsModel& reports = *call.model.reports();
    TimesheetPeriod period = thisMonth(call.model);
    if (!call.arguments.isEmpty()) {
        const std::optional<TimesheetPeriod> named = periodArgument(call, call.arguments.first());
        if (!named)
            return call.usageError(Texts::tr("PERIOD is 2026-W10, 2026-03 or 2026"));
        period = *named;
    }
    const bool package = call.has(QStringLiteral("package"));
    const bool rows = call.has(QStringLiteral("csv"));
    const bool page = call.has(QStringLiteral("output")) || (!package && !rows);
    if (package && !mayReplacePackage(call.value(QStringLiteral("package"))))
        return call.fail(Texts::tr("%1 holds other files. Give an empty or new folder for the "
                                   "package.")
                             .arg(call.value(QStringLiteral("package"))));

    Invocation::wait(reports.readStudio());
    if (!reports.studio())
        return call.fail(
            reports.studioError().value_or(Texts::tr("Nothing read from the studio folder yet.")));
    if (const std::optional<QString>& error = reports.studioError())
        call.err << *error << '\n';
    reports.setReportPeriod(period);
    reports.setStudioQuery(call.value(QStringLiteral("query")));

    int status = succeeded;
    const auto write = [&](const QString& option, auto&& run) {
        call.model.status().show(std::nullopt);
        call.desktop.answerWith(
            savingTo(call.has(option) ? std::optional(call.value(option)) : std::nullopt));
        run();
        status = std::max(status, reportSaved(call));
    };
    if (page)
        write(QStringLiteral("output"), [&] { reports.saveStudioReport(); });
    if (rows)
        write(QStringLiteral("csv"), [&] { reports.exportStudioRows(); });
    if (package)
        write(QStringLiteral("package"), [&] { reports.exportStudioPackage(); });
    return status;
}

int update(Invocation& call)
{
    UpdateModel& updates = *call.model.updates();
    if (!updates.offersUpdates()) {
        call.out << UpdateChecker::notOfferedSentence() << '\n';
        return succeeded;
    }
    Invocation::wait(updates.checkForUpdate());
    if (const std::optional<QString>& error = updates.updateError())
        return call.fail(*error);
    if (const std::optional<UpdateChecker::Available>& available = updates.availableUpdate()) {
        call.out << Texts::tr("Zol %1 is the newest version. Download: %2")
                        .arg(available->manifest.version, available->package.toString())
                 << '\n';
        return succeeded;
    }
    call.out << Texts::tr("You are running Zol %1, the newest version.")
                    .arg(UpdateModel::currentVersion())
             << '\n';
    return succeeded;
}

} // namespace

// The names --range takes, as the overview and completion list them.
QStringList rangeNames()
{
    QStringList names;
    for (const SearchRange range : SearchRange::allCases())
        names.append(range.rawValue());
    return names;
}

void addReportCommands(QList<Command>& commands)
{
    const Option json{QStringLiteral("json"), {}};
    commands.append(
        {QStringLiteral("search"),
         QStringLiteral(
             "QUERY [--range week|month|threeMonths|sixMonths|yearToDate|year|all] [--json]"),
         Texts::tr("Find sessions by project, client, task or note."),
         Texts::tr("The range counts back from today; the default is three months."),
         {{QStringLiteral("range"), QStringLiteral("RANGE"), rangeNames()}, json},
         1,
         1,
         false,
         search});
    commands.append(
        {QStringLiteral("export"),
         QStringLiteral("csv|json [--period PERIOD | --all] [--output FILE]"),
         Texts::tr("Save your sessions of a period (this month) as CSV or JSON."),
         Texts::tr("Without --output the file gets its usual name in the current folder."),
         {{QStringLiteral("period"), QStringLiteral("PERIOD")},
          {QStringLiteral("all"), {}},
          {QStringLiteral("output"), QStringLiteral("FILE")}},
         1,
         1,
         false,
         exportSessions,
         {{QStringLiteral("csv"), QStringLiteral("json")}}});
    commands.append(
        {QStringLiteral("report"),
         QStringLiteral(
             "[PERIOD] [--query TEXT] [--output FILE.html] [--csv FILE.csv] [--package FOLDER]"),
         Texts::tr("Read everybody's timesheets off the studio folder and save the report."),
         Texts::tr("PERIOD is this month unless given. The report is one HTML file with every "
                   "figure in it;\n--csv saves the sessions behind it, --package a folder "
                   "holding report.html and sessions.csv.\nWithout --csv or --package the "
                   "report is saved under its usual name in the current folder."),
         {{QStringLiteral("query"), QStringLiteral("TEXT")},
          {QStringLiteral("output"), QStringLiteral("FILE.html")},
          {QStringLiteral("csv"), QStringLiteral("FILE.csv")},
          {QStringLiteral("package"), QStringLiteral("FOLDER")}},
         0,
         1,
         false,
         report});
    commands.append({QStringLiteral("update"),
                     {},
                     Texts::tr("Ask whether a newer version of Zol is published."),
                     {},
                     {},
                     0,
                     0,
                     false,
                     update});
}

} // namespace zol::cli
