#include "tray/ProjectPicker.h"

#include "AppModel.h"
#include "PanelState.h"
#include "common/Icons.h"
#include "common/Theme.h"
#include "common/Widgets.h"
#include "tray/AddEntryForm.h"
#include "tray/InlineProjectEditor.h"
#include "tray/PanelStyle.h"
#include "tray/ProjectListModel.h"
#include "tray/ProjectListView.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

using PanelStyle::Tone;

ProjectPicker::ProjectPicker(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_search(new QLineEdit(this))
    , m_searchIcon(new QAction(this))
    , m_clearFilter(new QAction(this))
    , m_add(new QToolButton(this))
    , m_addForm(new AddEntryForm(model, this))
    , m_formPage(new QScrollArea(this))
    , m_caption(new QLabel(this))
    , m_stack(new QStackedWidget(this))
    , m_list(new ProjectListView(m_stack))
    , m_rows(new ProjectListModel(model, this))
    , m_nothing(wrapping(new QLabel(m_stack)))
    , m_empty(new QWidget(m_stack))
    , m_setUpStudio(new QPushButton(tr("Or set up the studio folder"), m_empty))
{
    setObjectName(QStringLiteral("projectPicker"));

    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(tr("Search number, client or name"));
    m_search->setAccessibleName(tr("Search number, client or name"));
    m_search->addAction(m_searchIcon, QLineEdit::LeadingPosition);
    m_clearFilter->setObjectName(QStringLiteral("clearFilter"));
    m_clearFilter->setText(tr("Clear the project filter"));
    m_clearFilter->setToolTip(m_clearFilter->text());
    m_search->addAction(m_clearFilter, QLineEdit::TrailingPosition);
    connect(m_clearFilter, &QAction::triggered, this,
            [this] { m_model.panel().setProjectFilter({}); });
    connect(m_search, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.panel().setProjectFilter(text); });

    m_add->setObjectName(QStringLiteral("addProject"));
    m_add->setAutoRaise(true);
    m_add->setFocusPolicy(Qt::StrongFocus);
    m_add->setIconSize(QSize(18, 18));
    connect(m_add, &QToolButton::clicked, this, [this] { setAddFormOpen(!isAddFormOpen()); });
    m_formPage->setObjectName(QStringLiteral("addFormPage"));
    m_formPage->setFrameShape(QFrame::NoFrame);
    m_formPage->setFocusPolicy(Qt::NoFocus); // its fields take the focus
    m_formPage->setWidgetResizable(true);
    m_formPage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_formPage->setWidget(m_addForm);
    m_formPage->viewport()->setAutoFillBackground(false);
    m_addForm->setAutoFillBackground(false);
    connect(m_addForm, &AddEntryForm::done, this, [this] { setAddFormOpen(false); });

    m_caption->setObjectName(QStringLiteral("recentCaption"));
    PanelStyle::setTone(m_caption, Tone::secondary);
    m_caption->setFont(PanelStyle::scaled(font(), 0.92));

    m_list->setObjectName(QStringLiteral("projects"));
    m_list->setAccessibleName(tr("Projects"));
    m_list->setModel(m_rows);
    connect(m_list, &ProjectListView::rowClicked, this, [this](int row) {
        if (row >= 0 && row < m_rows->projects().size())
            m_model.panel().arm(m_rows->projects().at(row));
    });
    connect(m_list, &ProjectListView::editClicked, this, [this](int row) {
        if (row >= 0 && row < m_rows->projects().size())
            edit(m_rows->projects().at(row));
    });

    m_nothing->setObjectName(QStringLiteral("nothingMatches"));
    m_nothing->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_nothing->setContentsMargins(0, 24, 0, 0);
    PanelStyle::setTone(m_nothing, Tone::secondary);

    m_empty->setObjectName(QStringLiteral("noProjects"));
    auto* emptyTitle = titleLabel(tr("No projects yet"), m_empty, 1.15);
    emptyTitle->setObjectName(QStringLiteral("emptyTitle"));
    emptyTitle->setAlignment(Qt::AlignHCenter);
    auto* emptyText =
        wrapping(new QLabel(tr("Press + above to add one, and the timer can start."), m_empty));
    emptyText->setObjectName(QStringLiteral("emptyText"));
    emptyText->setAlignment(Qt::AlignHCenter);
    PanelStyle::setTone(emptyText, Tone::secondary);
    m_setUpStudio->setObjectName(QStringLiteral("setUpStudio"));
    m_setUpStudio->setAccessibleName(tr("Or set up the studio folder"));
    m_setUpStudio->setFlat(true);
    m_setUpStudio->setCursor(Qt::PointingHandCursor);
    PanelStyle::setTone(m_setUpStudio, Tone::accent);
    connect(m_setUpStudio, &QPushButton::clicked, this,
            [this] { m_model.showWindow(QStringLiteral("studio")); });
    auto* emptyLayout = new QVBoxLayout(m_empty);
    emptyLayout->setContentsMargins(0, 20, 0, 8);
    emptyLayout->setSpacing(6);
    emptyLayout->addWidget(emptyTitle);
    emptyLayout->addWidget(emptyText);
    emptyLayout->addWidget(m_setUpStudio, 0, Qt::AlignHCenter);
    emptyLayout->addStretch();

    m_stack->addWidget(m_list);
    m_stack->addWidget(m_nothing);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_formPage);
    // The pages give way when the panel is short of room: the list and the
    // form scroll, the invitation is cut short.
    m_empty->setMinimumHeight(1);

    auto* searchRow = new QHBoxLayout();
    searchRow->setSpacing(6);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_add);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(searchRow);
    layout->addWidget(m_caption);
    layout->addWidget(m_stack, 1);

    drawIcons();
    setAddFormOpen(false);
    refresh();
}

ProjectPicker::~ProjectPicker()
{
    delete m_editor;
}

void ProjectPicker::drawIcons()
{
    m_searchIcon->setIcon(Icons::icon(QStringLiteral("search"), Theme::secondaryText(palette())));
    m_clearFilter->setIcon(Icons::icon(QStringLiteral("clear"), palette().color(QPalette::Text)));
    PanelStyle::setIcon(m_add, isAddFormOpen() ? QStringLiteral("close") : QStringLiteral("plus"));
    PanelStyle::setIcon(m_setUpStudio, QStringLiteral("folder-plus"));
}

void ProjectPicker::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        drawIcons();
    QWidget::changeEvent(event);
}

void ProjectPicker::refresh()
{
    if (m_search->text() != m_model.panel().projectFilter())
        m_search->setText(m_model.panel().projectFilter());
    m_clearFilter->setVisible(!m_model.panel().projectFilter().isEmpty());

    m_rows->refresh();
    showPage();
    if (m_editor)
        m_list->setEditorRow(m_rows->rowOf(m_editor->project().serial));
    refreshMarks();
}

void ProjectPicker::showPage()
{
    const std::optional<QString> caption =
        m_formOpen ? std::nullopt : PanelState::pickerCaption(m_model.panel(), m_rows->projects());
    m_caption->setText(caption.value_or(QString()));
    m_caption->setVisible(caption.has_value());
    if (m_formOpen) {
        m_stack->setCurrentWidget(m_formPage);
    } else if (PanelState::hasNoProjects(m_model.panel())) {
        m_stack->setCurrentWidget(m_empty);
    } else if (const std::optional<QString> nothing =
                   PanelState::nothingMatches(m_model.panel(), m_rows->projects())) {
        m_nothing->setText(*nothing);
        m_stack->setCurrentWidget(m_nothing);
    } else {
        m_stack->setCurrentWidget(m_list);
    }
}

void ProjectPicker::refreshMarks()
{
    m_rows->refreshMarks();
    const std::optional<Project>& armed = m_model.panel().armedProject();
    const int row = armed ? m_rows->rowOf(armed->serial) : -1;
    if (row >= 0) {
        const QModelIndex index = m_rows->index(row);
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    } else {
        m_list->setCurrentIndex(QModelIndex());
    }
}

bool ProjectPicker::isAddFormOpen() const
{
    return m_formOpen;
}

void ProjectPicker::setAddFormOpen(bool open)
{
    const bool wasOpen = isAddFormOpen();
    if (open) {
        closeEditor();
        if (!wasOpen)
            m_addForm->reset();
    }
    QWidget* focus = QApplication::focusWidget();
    const bool formHadFocus = focus && m_addForm->isAncestorOf(focus);
    m_formOpen = open;
    showPage();
    const QString label = open ? tr("Close the new project form") : tr("Add a project");
    m_add->setToolTip(label);
    m_add->setAccessibleName(label);
    PanelStyle::setIcon(m_add, open ? QStringLiteral("close") : QStringLiteral("plus"));
    if (open && !wasOpen)
        m_addForm->firstEmptyField()->setFocus();
    else if (!open && wasOpen && (formHadFocus || !focus))
        m_search->setFocus();
    if (open != wasOpen)
        Q_EMIT formsChanged();
}

void ProjectPicker::edit(const Project& project)
{
    setAddFormOpen(false);
    closeEditor();
    m_editor = new InlineProjectEditor(m_model, project, m_list->viewport());
    connect(m_editor, &InlineProjectEditor::done, this, [this] {
        closeEditor();
        m_list->setFocus();
    });
    m_rows->setEditing(project.serial);
    m_list->setEditor(m_editor, m_rows->rowOf(project.serial));
    m_list->scrollTo(m_rows->index(m_rows->rowOf(project.serial)));
    m_editor->firstField()->setFocus();
    Q_EMIT formsChanged();
}

void ProjectPicker::closeEditor()
{
    if (!m_editor)
        return;
    m_list->setEditor(nullptr, -1);
    m_rows->setEditing({});
    // Later, and out of the list now: it may be the editor's own Save that
    // closes it.
    m_editor->hide();
    m_editor->setParent(nullptr);
    m_editor->deleteLater();
    m_editor = nullptr;
    m_list->doItemsLayout();
    Q_EMIT formsChanged();
}

bool ProjectPicker::closeForms()
{
    if (m_editor) {
        closeEditor();
        m_list->setFocus();
        return true;
    }
    if (isAddFormOpen()) {
        setAddFormOpen(false);
        m_search->setFocus();
        return true;
    }
    return false;
}

void ProjectPicker::discardForms()
{
    closeEditor();
    setAddFormOpen(false);
    m_addForm->reset();
}

QList<QWidget*> ProjectPicker::controls() const
{
    QList<QWidget*> order{m_search, m_add};
    if (isAddFormOpen())
        order += m_addForm->controls();
    order.append(m_list);
    if (m_editor)
        order += m_editor->controls();
    order.append(m_setUpStudio);
    return order;
}

} // namespace zol::ui
