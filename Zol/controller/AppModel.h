#pragma once

#include "HotKeyReport.h"
#include "OpenBooks.h"
#include "PanelModel.h"
#include "SessionOperations.h"
#include "StatusModel.h"
#include "files/FileSystem.h"

#include <QFuture>
#include <QObject>
#include <QString>

#include <memory>

namespace zol {

class CatalogueModel;
class HistoryModel;
class Platform;
class ReportsModel;
class SearchModel;
class SettingsStore;
class SharingModel;
class UpdateModel;

// The application controller: one object for the life of the program, which
// builds the controller's parts and wires them together. Every screen, the
// tray's companions and the command line reach the parts through it:
//
// - books(): the open books (settings, store, tracker, task list) and the
//   list of administrations;
// - status(): the status line;
// - panel(): what the tray's panel holds while it is used;
// - sessions(): what a person does to the session (start, pause, stop, …);
// - the sections: history(), catalogue() (the project operations),
//   sharing(), reports() (exports and the studio's hours), search() and
//   updates(). Each resets its per-books state when the books close and
//   loads afresh when they open.
//
// What is left here is what spans the parts: opening other books, emptying
// them and putting them back from a backup, and which section the main
// window shows.
class AppModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppModel)

public:
    using StoreOpener = OpenBooks::StoreOpener;
    static StoreOpener defaultStoreOpener() { return OpenBooks::defaultStoreOpener(); }

    // Which parts are built. A command that only tracks (start, stop, status,
    // …) needs the books, the panel and the session operations; the window's
    // sections would each read the books again on every change, for nothing.
    enum class Sections {
        all,
        // history(), catalogue(), sharing(), reports(), search() and
        // updates() are null.
        trackingOnly,
    };

    // Reads the administrations and opens the one last open (see OpenBooks).
    // Call bootstrap() before use. Exports, the studio folder and its reports
    // go through `fileSystem`.
    AppModel(SettingsStore& defaults, Clock& clock, Platform& platform,
             StoreOpener openStore = defaultStoreOpener(),
             FileSystem& fileSystem = FileSystem::local(), Sections sections = Sections::all,
             QObject* parent = nullptr);
    ~AppModel() override;

    SettingsStore& defaults() const { return m_books->defaults(); }
    Clock& clock() const { return m_books->clock(); }
    Platform& platform() const { return m_platform; }
    FileSystem& fileSystem() const { return m_fileSystem; }

    OpenBooks& books() const { return *m_books; }
    StatusModel& status() const { return *m_status; }
    PanelModel& panel() const { return *m_panel; }
    SessionOperations& sessions() const { return *m_sessions; }
    HotKeyReport& hotKey() const { return *m_hotKey; }
    HistoryModel* history() const { return m_history; }
    CatalogueModel* catalogue() const { return m_catalogue; }
    SharingModel* sharing() const { return m_sharing; }
    ReportsModel* reports() const { return m_reports; }
    SearchModel* search() const { return m_search; }
    UpdateModel* updates() const { return m_updates; }

    // Loads the open books and starts their background work.
    void bootstrap() { m_books->bootstrap(); }

    // Opens other books: a current session is stopped first (it belongs to the
    // books it was started in), what was shown of the books closing goes, and
    // "Switched to …" is shown. Switching to the open one does nothing.
    void switchTo(const Administration& target);
    // Takes an administration out of the list and forgets this machine's
    // settings for it; its database file and studio folder stay. Opens the
    // first remaining one when it was open. "Local" and the last one stay.
    void removeAdministration(const Administration& administration);
    // Erases every session, project and the task list of an administration on
    // this machine. The open one has its current session stopped first. Books
    // kept in a file are backed up first, whatever the day (the copy written
    // on a worker), and the status line names the backup; when it cannot be
    // taken nothing is erased and the status line says why. The future
    // finishes once the status line says how it went.
    QFuture<void> clearAdministration(const Administration& administration);
    // Puts the open books back to the backup at `source` (StoreBackups::
    // restore: the file is checked first, the books as they are saved beside
    // it) and reloads them. The status line says what was restored and where
    // the books as they were went, or why nothing was changed.
    QFuture<void> restoreBackup(const QString& source);
    // Shows the newest backup of the open books in the file browser.
    void revealBackups();

    // The main window's selected section: an id of windowSections().
    const QString& windowSection() const { return m_windowSection; }
    // Selects a section of the main window; an id that is not one of
    // windowSections() is ignored.
    void setWindowSection(const QString& section);
    // Opens the main window on `section`: selects it first, then asks the
    // screens to show the window (windowRequested()).
    void showWindow(const QString& section);

Q_SIGNALS:
    void windowSectionChanged();
    // The main window is to be shown (and brought to the front), on
    // windowSection().
    void windowRequested();

private:
    // Empties `store`, the books called `name`, once `backup` (a path, or
    // empty for books in memory) holds what they were.
    void eraseBooks(EntryStore& store, const QString& name, const QString& backup);

    Platform& m_platform;
    FileSystem& m_fileSystem;
    // Declared in the order they are built; the sections go first.
    OpenBooks* m_books = nullptr;
    StatusModel* m_status = nullptr;
    HotKeyReport* m_hotKey = nullptr;
    PanelModel* m_panel = nullptr;
    std::unique_ptr<SessionOperations> m_sessions;
    HistoryModel* m_history = nullptr;
    CatalogueModel* m_catalogue = nullptr;
    ReportsModel* m_reports = nullptr;
    UpdateModel* m_updates = nullptr;
    SearchModel* m_search = nullptr;
    SharingModel* m_sharing = nullptr;
    QString m_windowSection = QStringLiteral("history");
};

} // namespace zol
