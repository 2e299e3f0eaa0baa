#include "window/ProjectsSection.h"

#include "AppModel.h"
#include "CatalogueModel.h"
#include "ProjectsList.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "window/CatalogueListModel.h"
#include "window/ProjectSheet.h"
#include "window/SegmentedPicker.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>

namespace zol::ui {

namespace {

using Action = CatalogueRowDelegate::Action;
using Filter = ProjectsList::Filter;
using Sort = ProjectsList::Sort;

} // namespace

ProjectsSection::ProjectsSection(AppModel& model, QWidget* parent)
    : SectionPage(tr("Projects"),
                  tr("Every project of this administration: what the picker offers, what is "
                     "archived, and what was never used."),
                  parent)
    , m_model(model)
    , m_list(new ProjectsList(model.books(), *model.catalogue(), this))
{
    content()->addWidget(makeControls());

    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("projectList"));
    m_view->setAccessibleName(tr("Projects"));
    m_rows = new CatalogueListModel(*m_list, m_view);
    m_view->setModel(m_rows);
    auto* delegate = new CatalogueRowDelegate(m_view);
    m_view->setItemDelegate(delegate);
    m_view->setUniformItemSizes(true);
    m_view->setMouseTracking(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(delegate, &CatalogueRowDelegate::actionClicked, this,
            [this](const QModelIndex& index, Action action) { act(index.row(), action); });
    content()->addWidget(m_view);

    // The row actions, for the keyboard and the context menu.
    for (const Action action : {Action::edit, Action::archive, Action::putBack, Action::remove}) {
        auto* item = new QAction(CatalogueRowDelegate::nameOf(action), m_view);
        item->setToolTip(CatalogueRowDelegate::helpOf(action));
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this,
                [this, action] { act(m_view->currentIndex().row(), action); });
        m_view->addAction(item);
        m_actions.insert(action, item);
    }
    followPalette(m_view, [this] {
        for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
            it.value()->setIcon(Icons::icon(CatalogueRowDelegate::iconOf(it.key()), m_view));
    });
    m_actions[Action::edit]->setObjectName(QStringLiteral("editProject"));
    m_actions[Action::edit]->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_F2)});
    m_actions[Action::archive]->setObjectName(QStringLiteral("archiveProject"));
    m_actions[Action::putBack]->setObjectName(QStringLiteral("putBackProject"));
    m_actions[Action::remove]->setObjectName(QStringLiteral("deleteProject"));
    m_actions[Action::remove]->setShortcut(QKeySequence::Delete);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ProjectsSection::updateActions);
    connect(m_rows, &QAbstractItemModel::modelReset, this, &ProjectsSection::updateActions);

    m_empty = new EmptyState(QString(), QString(), this);
    m_empty->setObjectName(QStringLiteral("projectsEmpty"));
    m_empty->setMinimumHeight(200);
    content()->addWidget(m_empty);

    connect(m_list, &ProjectsList::rowsChanged, this, &ProjectsSection::showRows);
    showRows();
    updateActions();
}

ProjectsSection::~ProjectsSection() = default;

QWidget* ProjectsSection::makeControls()
{
    auto* controls = new QWidget(this);
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    m_filter = new SegmentedPicker(tr("Which projects to show"), controls);
    m_filter->setObjectName(QStringLiteral("projectFilter"));
    m_filter->setToolTip(tr("Which projects to show"));
    for (const Filter filter : ProjectsList::filters())
        m_filter->addSegment(ProjectsList::label(filter), int(filter),
                             QStringLiteral("filter") + ProjectsList::label(filter));
    connect(m_filter, &SegmentedPicker::valueChanged, this,
            [this](int filter) { m_list->setFilter(Filter(filter)); });

    m_sort = new QComboBox(controls);
    m_sort->setObjectName(QStringLiteral("projectSort"));
    m_sort->setAccessibleName(tr("Sort"));
    m_sort->setToolTip(tr("Sort"));
    for (const Sort sort : ProjectsList::sorts())
        m_sort->addItem(ProjectsList::label(sort), int(sort));
    connect(m_sort, &QComboBox::currentIndexChanged, this,
            [this] { m_list->setSort(Sort(m_sort->currentData().toInt())); });

    m_search = new QLineEdit(controls);
    m_search->setObjectName(QStringLiteral("projectSearch"));
    m_search->setPlaceholderText(tr("Search number, client or project name"));
    m_search->setAccessibleName(m_search->placeholderText());
    m_search->setToolTip(
        tr("Search looks at the number, the client and the project name, and ignores accents."));
    m_search->setClearButtonEnabled(true);
    QAction* lens = m_search->addAction(QIcon(), QLineEdit::LeadingPosition);
    followPalette(m_search,
                  [this, lens] { lens->setIcon(Icons::icon(QStringLiteral("search"), m_search)); });
    m_search->setMinimumWidth(240);
    connect(m_search, &QLineEdit::textChanged, m_list, &ProjectsList::setQuery);

    auto* add = new QPushButton(tr("New project"), controls);
    followIcon(add, QStringLiteral("plus"));
    add->setObjectName(QStringLiteral("newProject"));
    add->setAccessibleName(add->text());
    connect(add, &QPushButton::clicked, this, [this] { openSheet(std::nullopt); });

    row->addWidget(m_filter);
    row->addWidget(m_sort);
    row->addWidget(m_search, 1);
    row->addWidget(add);
    setTabOrder(m_filter, m_sort);
    setTabOrder(m_sort, m_search);
    setTabOrder(m_search, add);
    return controls;
}

void ProjectsSection::showRows()
{
    const bool empty = m_list->rows().isEmpty();
    m_view->setVisible(!empty);
    m_empty->setVisible(empty);
    if (empty)
        m_empty->setTexts(m_list->emptyTitle(), m_list->emptyText());
}

void ProjectsSection::updateActions()
{
    const std::optional<Project> project = m_rows->project(m_view->currentIndex());
    m_actions[Action::edit]->setEnabled(project.has_value());
    m_actions[Action::remove]->setEnabled(project.has_value());
    m_actions[Action::archive]->setEnabled(project && project->isActive);
    m_actions[Action::archive]->setVisible(!project || project->isActive);
    m_actions[Action::putBack]->setEnabled(project && !project->isActive);
    m_actions[Action::putBack]->setVisible(project && !project->isActive);
}

void ProjectsSection::act(int row, Action action)
{
    // A copy: the list is rebuilt by the change.
    const std::optional<Project> project = m_rows->project(m_rows->index(row));
    if (!project)
        return;
    CatalogueModel& catalogue = *m_model.catalogue();
    switch (action) {
    case Action::edit:
        openSheet(project);
        break;
    case Action::archive:
        catalogue.setProjectActive(*project, false);
        break;
    case Action::putBack:
        catalogue.setProjectActive(*project, true);
        break;
    case Action::remove:
        catalogue.deleteProject(*project);
        break;
    }
}

void ProjectsSection::openSheet(const std::optional<Project>& editing)
{
    auto* sheet = new ProjectSheet(m_model, editing, this);
    sheet->open();
}

// The list takes the window's height below the controls and scrolls by
// itself, so that the page around it does not.
void ProjectsSection::fitList()
{
    const int top = m_view->mapTo(widget(), QPoint(0, 0)).y();
    const int room = viewport()->height() - top - 22;
    m_view->setFixedHeight(std::max(240, room));
}

void ProjectsSection::resizeEvent(QResizeEvent* event)
{
    SectionPage::resizeEvent(event);
    fitList();
}

void ProjectsSection::showEvent(QShowEvent* event)
{
    SectionPage::showEvent(event);
    m_list->setActive(true);
    fitList();
}

void ProjectsSection::hideEvent(QHideEvent* event)
{
    m_list->setActive(false);
    SectionPage::hideEvent(event);
}

} // namespace zol::ui
