#include "AppModel.h"

#include "CatalogueModel.h"
#include "HistoryModel.h"
#include "HotKeyReport.h"
#include "PanelModel.h"
#include "Platform.h"
#include "ReportsModel.h"
#include "SearchModel.h"
#include "SessionOperations.h"
#include "SharingModel.h"
#include "StatusModel.h"
#include "UpdateModel.h"
#include "WindowSection.h"

#include <algorithm>

namespace zol {

AppModel::AppModel(SettingsStore& defaults, Clock& clock, Platform& platform, StoreOpener openStore,
                   FileSystem& fileSystem, Sections sections, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_fileSystem(fileSystem)
{
    m_books = new OpenBooks(defaults, clock, platform.loginItem(), std::move(openStore), this);
    m_status = new StatusModel(clock, this);
    m_hotKey = new HotKeyReport(this);
    m_panel = new PanelModel(*m_books, *m_status, this);
    m_sessions = std::make_unique<SessionOperations>(*m_books, *m_panel, *m_status);
    connect(m_books, &OpenBooks::openedElsewhere, this, &AppModel::switchTo);
    if (sections == Sections::trackingOnly)
        return;
    m_history = new HistoryModel(*m_books, *m_status, *m_sessions, this);
    m_catalogue = new CatalogueModel(*m_books, *m_panel, *m_status, this);
    m_reports = new ReportsModel(*m_books, *m_status, *m_history, platform, fileSystem, this);
    m_updates = new UpdateModel(*m_books, platform, this);
    m_search = new SearchModel(*m_books, *m_status, *m_history, this);
    m_sharing = new SharingModel(*m_books, *m_status, platform, fileSystem, *m_history, *m_reports,
                                 *m_updates, this);
}

AppModel::~AppModel()
{
    // The sections may hold work of the open books; they go before the books,
    // the last made first.
    delete m_sharing;
    delete m_search;
    delete m_updates;
    delete m_reports;
    delete m_catalogue;
    delete m_history;
    m_sessions.reset();
    delete m_panel;
    delete m_books;
}

void AppModel::switchTo(const Administration& target)
{
    if (target.id == m_books->administration().id)
        return;
    (void)m_sessions->stop();
    m_books->open(target);
    m_status->succeed(tr("Switched to %1.").arg(target.name));
}

void AppModel::removeAdministration(const Administration& administration)
{
    const auto listed =
        std::find_if(m_books->administrations().cbegin(), m_books->administrations().cend(),
                     [&](const Administration& a) { return a.id == administration.id; });
    if (listed == m_books->administrations().cend())
        return;
    const QString name = listed->name;
    if (!m_books->removeAdministration(administration))
        return;
    if (administration.id == m_books->administration().id)
        switchTo(m_books->administrations().constFirst());
    m_status->show(
        StatusMessage::info(tr("Removed %1. Its hours are still on this computer.").arg(name)));
}

void AppModel::setWindowSection(const QString& section)
{
    if (section == m_windowSection)
        return;
    const QList<WindowSection>& sections = windowSections();
    if (std::none_of(sections.cbegin(), sections.cend(),
                     [&](const WindowSection& s) { return s.id == section; }))
        return;
    m_windowSection = section;
    Q_EMIT windowSectionChanged();
}

void AppModel::showWindow(const QString& section)
{
    setWindowSection(section);
    Q_EMIT windowRequested();
}

} // namespace zol
