#include "window/HistorySection.h"

#include "common/Accessibility.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "ReportsModel.h"
#include "common/PaletteFollower.h"
#include "common/Widgets.h"
#include "window/CalendarMonthView.h"
#include "window/CalendarWeekView.h"
#include "window/HistoryList.h"
#include "window/HistoryListModel.h"
#include "window/HistoryProjectDialog.h"
#include "window/HistoryUploadCard.h"
#include "window/SessionDetails.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

QScrollArea* scrolling(QWidget* content, QWidget* parent)
{
    auto* area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

QToolButton* iconButton(const QString& name, const QString& icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    followIcon(button, icon);
    button->setAutoRaise(true);
    button->setIconSize(QSize(18, 18));
    return button;
}

} // namespace

HistorySection::HistorySection(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_title(titleLabel(QString(), this, 1.6))
    , m_summary(secondaryLabel(QString(), this))
    , m_previous(iconButton(QStringLiteral("previousPeriod"), QStringLiteral("chevron-left"), this))
    , m_next(iconButton(QStringLiteral("nextPeriod"), QStringLiteral("chevron-right"), this))
    , m_present(new QToolButton(this))
    , m_scope(new QButtonGroup(this))
    , m_layout(new QButtonGroup(this))
    , m_upload(new HistoryUploadCard(model, this))
    , m_body(new QStackedWidget(this))
    , m_list(new HistoryList(model, m_body))
    , m_weekArea(nullptr)
    , m_week(new CalendarWeekView(model))
    , m_monthArea(nullptr)
    , m_month(new CalendarMonthView(model))
    , m_empty(new QWidget(m_body))
    , m_emptyTitle(titleLabel(QString(), m_empty, 1.2))
    , m_emptyText(secondaryLabel(QString(), m_empty))
{
    m_title->setObjectName(QStringLiteral("periodTitle"));
    m_summary->setObjectName(QStringLiteral("periodSummary"));
    m_summary->setMinimumHeight(m_summary->fontMetrics().height());
    m_present->setObjectName(QStringLiteral("present"));
    m_present->setText(tr("Today"));
    m_present->setToolTip(tr("Jump back to the present"));
    m_present->setAccessibleName(tr("Jump back to the present"));
    m_present->setAutoRaise(false);

    // Navigation, scope and layout in one row under the title.
    auto* bar = new QHBoxLayout();
    bar->setSpacing(6);
    bar->addWidget(m_previous);
    bar->addWidget(m_next);
    bar->addWidget(m_present);
    bar->addSpacing(14);
    bar->addWidget(
        segment(QStringLiteral("scopeDay"), tr("Day"), {}, m_scope, int(HistoryScope::day)));
    bar->addWidget(
        segment(QStringLiteral("scopeWeek"), tr("Week"), {}, m_scope, int(HistoryScope::week)));
    bar->addWidget(
        segment(QStringLiteral("scopeMonth"), tr("Month"), {}, m_scope, int(HistoryScope::month)));
    bar->addSpacing(14);
    bar->addWidget(segment(QStringLiteral("layoutList"), tr("List"), QStringLiteral("list"),
                           m_layout, int(HistoryLayout::list)));
    bar->addWidget(segment(QStringLiteral("layoutCalendar"), tr("Calendar"),
                           QStringLiteral("calendar"), m_layout, int(HistoryLayout::calendar)));
    bar->addStretch();

    auto* exportButton = new QToolButton(this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setText(tr("Export"));
    followIcon(exportButton, QStringLiteral("export"));
    exportButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    exportButton->setPopupMode(QToolButton::InstantPopup);
    exportButton->setToolTip(tr("Save tracked time to a file on this computer"));
    exportButton->setAccessibleName(tr("Export"));
    exportButton->setAccessibleDescription(exportButton->toolTip());
    auto* exportMenu = new QMenu(exportButton);
    exportMenu->setObjectName(QStringLiteral("exportMenu"));
    const auto exportAction = [&](const QString& name, const QString& text, ExportScope scope,
                                  EntryExporter::Format format) {
        QAction* action = exportMenu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this,
                [this, scope, format] { m_model.reports()->exportSessions(scope, format); });
    };
    exportAction(QStringLiteral("exportCsv"), tr("Export as CSV…"), ExportScope::shownInHistory(),
                 EntryExporter::Format::csv);
    exportAction(QStringLiteral("exportJson"), tr("Export as JSON…"), ExportScope::shownInHistory(),
                 EntryExporter::Format::json);
    exportMenu->addSeparator();
    exportAction(QStringLiteral("exportAllCsv"), tr("Export all as CSV…"),
                 ExportScope::everything(), EntryExporter::Format::csv);
    exportAction(QStringLiteral("exportAllJson"), tr("Export all as JSON…"),
                 ExportScope::everything(), EntryExporter::Format::json);
    exportButton->setMenu(exportMenu);
    bar->addWidget(exportButton);

    // The empty states, centred where the sessions would be.
    m_empty->setObjectName(QStringLiteral("historyEmpty"));
    m_emptyTitle->setObjectName(QStringLiteral("emptyTitle"));
    m_emptyText->setObjectName(QStringLiteral("emptyText"));
    m_emptyTitle->setAlignment(Qt::AlignHCenter);
    m_emptyText->setAlignment(Qt::AlignHCenter);
    auto* empty = new QVBoxLayout(m_empty);
    empty->addStretch(2);
    empty->addWidget(m_emptyTitle);
    empty->addWidget(m_emptyText);
    empty->addStretch(3);

    m_weekArea = scrolling(m_week, m_body);
    m_monthArea = scrolling(m_month, m_body);
    m_body->addWidget(m_list);
    m_body->addWidget(m_weekArea);
    m_body->addWidget(m_monthArea);
    m_body->addWidget(m_empty);

    auto* head = new QVBoxLayout();
    head->setContentsMargins(28, 22, 28, 10);
    head->setSpacing(8);
    head->addWidget(m_title);
    head->addWidget(m_summary);
    head->addSpacing(4);
    head->addLayout(bar);
    head->addSpacing(4);
    head->addWidget(m_upload);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(head);
    auto* bodyMargins = new QHBoxLayout();
    bodyMargins->setContentsMargins(12, 0, 12, 8);
    bodyMargins->addWidget(m_body);
    layout->addLayout(bodyMargins, 1);

    HistoryModel* history = model.history();
    connect(m_previous, &QToolButton::clicked, this, [history] { history->nextDay(-1); });
    connect(m_next, &QToolButton::clicked, this, [history] { history->nextDay(1); });
    connect(m_present, &QToolButton::clicked, this, [history] { history->showToday(); });
    // Wherever the focus is in the window, while the section shows (an empty
    // day has nothing to focus on).
    auto* back = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left), this);
    back->setContext(Qt::WindowShortcut);
    connect(back, &QShortcut::activated, this, [history] { history->nextDay(-1); });
    auto* on = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right), this);
    on->setContext(Qt::WindowShortcut);
    connect(on, &QShortcut::activated, this, [history] { history->nextDay(1); });
    connect(m_scope, &QButtonGroup::idClicked, this,
            [history](int id) { history->setHistoryScope(HistoryScope(id)); });
    connect(m_layout, &QButtonGroup::idClicked, this,
            [history](int id) { history->setHistoryLayout(HistoryLayout(id)); });

    // Reading order: navigation, scope, layout, export, the upload control,
    // then the sessions.
    QList<QWidget*> order{m_previous, m_next, m_present};
    for (QButtonGroup* group : {m_scope, m_layout}) {
        for (QAbstractButton* button : group->buttons())
            order.append(button);
    }
    order.append(exportButton);
    for (const char* name : {"showUploadedFile", "uploadButton"})
        order.append(m_upload->findChild<QWidget*>(QString::fromLatin1(name)));
    order << m_list << m_week << m_month;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(m_list, &HistoryList::sessionOpened, this, &HistorySection::openDetails);
    connect(m_list, &HistoryList::projectEditRequested, this, &HistorySection::openProjectEditor);
    connect(m_week, &CalendarWeekView::sessionOpened, this, &HistorySection::openDetails);

    for (const auto signal :
         {&HistoryModel::historyScopeChanged, &HistoryModel::historyLayoutChanged,
          &HistoryModel::historyDayChanged, &HistoryModel::historyEntriesChanged})
        connect(history, signal, this, &HistorySection::follow);
    connect(&model.books(), &OpenBooks::trackerChanged, this, &HistorySection::follow);
    follow();
}

HistorySection::~HistorySection() = default;

QToolButton* HistorySection::segment(const QString& name, const QString& text, const QString& icon,
                                     QButtonGroup* group, int id)
{
    auto* button = new QToolButton(this);
    // Before anything a screen reader could hear of it.
    Accessibility::markAsChoice(button);
    button->setObjectName(name);
    button->setText(text);
    button->setAccessibleName(text);
    button->setCheckable(true);
    button->setAutoRaise(true);
    if (!icon.isEmpty()) {
        followIcon(button, icon);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    group->addButton(button, id);
    return button;
}

void HistorySection::follow()
{
    const HistoryModel& history = *m_model.history();
    const HistoryScope scope = history.historyScope();
    const QDateTime now = m_model.clock().now();
    m_title->setText(
        HistoryCaptions::periodTitle(scope, history.historyDay(), m_model.books().calendar()));
    m_title->setAccessibleName(m_title->text());
    // An empty period keeps the summary's line, so that the buttons under
    // it stay under the pointer while paging through days.
    m_summary->setText(HistoryCaptions::periodSummary(history.historyList(), now));
    m_previous->setToolTip(HistoryCaptions::previousLabel(scope));
    m_previous->setAccessibleName(m_previous->toolTip());
    m_next->setToolTip(HistoryCaptions::nextLabel(scope));
    m_next->setAccessibleName(m_next->toolTip());
    m_present->setEnabled(
        !HistoryCaptions::showsPresent(scope, history.historyDay(), m_model.books().today()));
    m_scope->button(int(scope))->setChecked(true);
    m_layout->button(int(history.historyLayout()))->setChecked(true);

    const Tracker& tracker = *m_model.books().tracker();
    const bool booksHoldSessions = tracker.current() || !tracker.recent().isEmpty();
    // Books without a session have nothing to upload or say about it yet.
    m_upload->setVisible(booksHoldSessions);
    const bool calendar = history.historyLayout() == HistoryLayout::calendar;
    const EmptyHistory empty =
        HistoryCaptions::emptyState(scope, !history.historyEntries().isEmpty(), booksHoldSessions);
    // A calendar stays a calendar when empty; the books' very first empty
    // state shows either way.
    if (!empty.isEmpty() && (!calendar || !booksHoldSessions)) {
        m_emptyTitle->setText(empty.title);
        m_emptyTitle->setVisible(!empty.title.isEmpty());
        m_emptyText->setText(empty.text);
        m_emptyText->setVisible(!empty.text.isEmpty());
        m_body->setCurrentWidget(m_empty);
    } else if (!calendar) {
        m_body->setCurrentWidget(m_list);
    } else if (scope == HistoryScope::month) {
        m_body->setCurrentWidget(m_monthArea);
    } else {
        m_body->setCurrentWidget(m_weekArea);
    }
}

QWidget* HistorySection::openDetails(const TimeEntry& entry)
{
    return SessionDetails::openFor(m_model, entry, this);
}

QWidget* HistorySection::openProjectEditor(const QString& projectSerial)
{
    m_model.catalogue()->reloadAllProjects();
    for (const Project& project : m_model.catalogue()->allProjects()) {
        if (project.serial == projectSerial) {
            auto* dialog = new HistoryProjectDialog(m_model, project, this);
            dialog->open();
            return dialog;
        }
    }
    m_model.status().show(StatusMessage::info(
        tr("That project is no longer in the catalogue; its sessions keep their "
           "number and name.")));
    return nullptr;
}

} // namespace zol::ui
