// The four ways hours leave in a file the user chooses, and the database shown
// in the file browser.

#include "HistoryModel.h"
#include "OpenBooks.h"
#include "Platform.h"
#include "ReportsModel.h"
#include "StatusModel.h"
#include "books/AppSettings.h"
#include "files/FileSystem.h"
#include "reports/HTMLReport.h"
#include "store/EntryStore.h"
#include "support/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <limits>
#include <utility>

namespace zol {

namespace {

const QString csvType = QStringLiteral("text/csv");
const QString reportFile = QStringLiteral("report.html");
const QString sessionsFile = QStringLiteral("sessions.csv");

QString contentType(EntryExporter::Format format)
{
    switch (format) {
    case EntryExporter::Format::csv:
        break;
    case EntryExporter::Format::json:
        return QStringLiteral("application/json");
    }
    return csvType;
}

// The title of the dialogs that save the studio's hours.
QString studioTitle()
{
    return ReportsModel::tr("Export the studio's hours");
}

StatusMessage exported(qsizetype count)
{
    return StatusMessage::success(ReportsModel::tr("Exported %n sessions.", nullptr, int(count)));
}

using PackageFile = std::pair<QString, QByteArray>;

// Builds the folder as a hidden sibling of `target` and only then renames it
// into place. What stood at `target` is first moved aside and removed once the
// new folder is there; when it cannot be moved aside it stays, and the rename
// onto it fails unless it is an empty folder. Either way a failure leaves the
// old contents whole and removes the half-built folder. Throws zol::Error.
void writePackage(FileSystem& fileSystem, const QString& target, const QList<PackageFile>& files)
{
    const QFileInfo place(QDir::cleanPath(target));
    const QString path = place.filePath();
    const QString parent = place.path();
    fileSystem.createFolder(parent);

    const QString tag = QUuid::createUuid().toString(QUuid::Id128).left(12);
    const QString stem = parent + QStringLiteral("/.") + place.fileName() + u'.' + tag;
    const QString building = stem + QStringLiteral(".tmp");
    const QString setAside = stem + QStringLiteral(".old.tmp");

    fileSystem.createFolder(building);
    try {
        for (const auto& [name, bytes] : files)
            fileSystem.writeAtomically(building + u'/' + name, bytes);

        bool movedAside = false;
        if (fileSystem.exists(path) || fileSystem.isLink(path)) {
            try {
                fileSystem.move(path, setAside);
                movedAside = true;
            } catch (const Error&) {
                // Left where it is; the rename below says whether it is in the way.
            }
        }
        try {
            fileSystem.move(building, path);
        } catch (const Error&) {
            if (movedAside) {
                try {
                    fileSystem.move(setAside, path);
                } catch (const Error&) {
                    // The old folder stays whole under its hidden name.
                }
            }
            throw;
        }
        if (movedAside) {
            try {
                fileSystem.remove(setAside);
            } catch (const Error&) {
                // The new folder is in place; a leftover is no failure.
            }
        }
    } catch (const Error&) {
        try {
            fileSystem.remove(building);
        } catch (const Error&) {
            // Nothing more to do about a leftover temporary folder.
        }
        throw;
    }
}

} // namespace

QList<TimeEntry> ReportsModel::sessionsOf(const ExportScope& scope)
{
    EntryStore& store = *m_books.store();
    switch (scope.kind) {
    case ExportScope::Kind::shown:
        break;
    case ExportScope::Kind::everything:
        return store.recentEntries(std::numeric_limits<int>::max());
    case ExportScope::Kind::period:
        if (scope.period)
            return store.entries(scope.period->start(), scope.period->nextStart());
        return {};
    }
    return store.entries(m_history.shownFrom(), m_history.shownTo());
}

void ReportsModel::exportSessions(const ExportScope& scope, EntryExporter::Format format)
{
    const QDateTime now = m_books.clock().now();
    const Calendar& calendar = m_books.calendar();
    const QString who = m_books.settings()->machineName();
    QList<TimeEntry> entries;
    QByteArray bytes;
    if (!m_status.attempt([&] {
            entries = sessionsOf(scope);
            if (!entries.isEmpty())
                bytes = EntryExporter::data(entries, format, who, now, calendar);
        }))
        return;
    if (entries.isEmpty()) {
        m_status.show(StatusMessage::info(tr("Nothing to export.")));
        return;
    }

    Desktop& desktop = m_platform.desktop();
    const std::optional<QString> path = desktop.askWhereToSave(
        {tr("Export tracked time"),
         {},
         EntryExporter::suggestedFilename(entries, format, who, now, calendar),
         contentType(format)});
    if (!path)
        return;
    if (!m_status.attempt([&] { m_fileSystem.writeAtomically(*path, bytes); }))
        return;
    m_status.show(exported(entries.size()));
    desktop.reveal(*path);
}

void ReportsModel::revealDatabase()
{
    const QString path = m_books.store()->path();
    if (path == QLatin1String(":memory:") || !QFileInfo::exists(path))
        return;
    m_platform.desktop().reveal(path);
}

bool ReportsModel::checkStudioRows(bool needRows)
{
    if (!m_studio) {
        m_status.show(StatusMessage::info(tr("Nothing read from the studio folder yet.")));
        return false;
    }
    if (needRows && m_studioRows.isEmpty()) {
        m_status.show(
            StatusMessage::info(tr("Nothing to export in %1.").arg(reportPeriod().title())));
        return false;
    }
    return true;
}

void ReportsModel::exportStudioPackage()
{
    if (!checkStudioRows(true))
        return;
    // What is exported is fixed before the dialog: while it is open, the
    // event loop runs on and other books may be opened.
    const TimesheetPeriod period = reportPeriod();
    const StudioHours::Snapshot studio = *m_studio;
    const QList<StudioHours::Record> rows = StudioHours::recordsOf(m_studioRows);
    const QString query = m_studioQuery;
    Desktop& desktop = m_platform.desktop();
    const std::optional<QString> path = desktop.askWhereToSave(
        {studioTitle(), tr("A folder holding the report and the sessions behind it."),
         QStringLiteral("zol-") + period.id() + QStringLiteral("-studio"),
         QStringLiteral("inode/directory"), true});
    if (!path)
        return;

    const qsizetype count = rows.size();
    if (!m_status.attempt([&] {
            const QString report = HTMLReport::make(studio, period, studioName, query, sessionsFile,
                                                    m_books.clock().now());
            const QString sessions = StudioHours::csv(rows, studio.calendar);
            writePackage(m_fileSystem, *path,
                         {{reportFile, report.toUtf8()}, {sessionsFile, sessions.toUtf8()}});
        }))
        return;
    m_status.show(exported(count));
    desktop.reveal(QDir::cleanPath(*path) + u'/' + reportFile);
}

void ReportsModel::exportStudioRows()
{
    if (!checkStudioRows(true))
        return;
    const TimesheetPeriod period = reportPeriod();
    const QList<StudioHours::Record> rows = StudioHours::recordsOf(m_studioRows);
    const Calendar calendar = m_studio->calendar;
    const qsizetype count = rows.size();
    const QString query = m_studioQuery.trimmed();
    QString message;
    if (query.isEmpty())
        message = tr("Every session in %1.").arg(period.title());
    else
        message = tr("The %n sessions matching \u201C%1\u201D.", nullptr, int(count)).arg(query);

    Desktop& desktop = m_platform.desktop();
    const std::optional<QString> path =
        desktop.askWhereToSave({studioTitle(), message, StudioHours::fileName(period), csvType});
    if (!path)
        return;
    if (!m_status.attempt([&] {
            m_fileSystem.writeAtomically(*path, StudioHours::csv(rows, calendar).toUtf8());
        }))
        return;
    m_status.show(exported(count));
    desktop.reveal(*path);
}

void ReportsModel::saveStudioReport()
{
    if (!checkStudioRows(false))
        return;
    const TimesheetPeriod period = reportPeriod();
    const QString report = HTMLReport::make(*m_studio, period, studioName, m_studioQuery,
                                            std::nullopt, m_books.clock().now());

    Desktop& desktop = m_platform.desktop();
    const std::optional<QString> path = desktop.askWhereToSave(
        {tr("Save the studio report"),
         tr("One file, with every figure already in it. No server, nothing to fetch."),
         HTMLReport::fileName(period), QStringLiteral("text/html")});
    if (!path)
        return;
    if (!m_status.attempt([&] { m_fileSystem.writeAtomically(*path, report.toUtf8()); }))
        return;
    m_status.show(StatusMessage::success(tr("Saved %1.").arg(QFileInfo(*path).fileName())));
    desktop.reveal(*path);
}

} // namespace zol
