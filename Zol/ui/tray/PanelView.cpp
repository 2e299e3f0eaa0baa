#include "tray/PanelView.h"

#include "AppModel.h"
#include "SharingModel.h"
#include "common/Theme.h"
#include "tray/AddEntryForm.h"
#include "tray/AdministrationBadge.h"
#include "tray/InlineProjectEditor.h"
#include "tray/PanelFooter.h"
#include "tray/PanelHeader.h"
#include "tray/PanelPlacement.h"
#include "tray/PanelStyle.h"
#include "tray/ProjectListModel.h"
#include "tray/ProjectListView.h"
#include "tray/ProjectPicker.h"
#include "tray/SessionReadout.h"
#include "tray/StatusLine.h"
#include "tray/TaskPicker.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zol::ui {

PanelView::PanelView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_header(new PanelHeader(model, this))
    , m_tasks(new TaskPicker(model, this))
    , m_status(new StatusLine(model, this))
    , m_picker(new ProjectPicker(model, this))
    , m_administration(new AdministrationBadge(model, this))
    , m_footer(new PanelFooter(model, this))
{
    setObjectName(QStringLiteral("panelView"));
    setAccessibleName(QStringLiteral("Zol"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(PanelStyle::hairline(this));
    layout->addWidget(m_tasks);
    layout->addWidget(m_status);
    layout->addWidget(m_picker, 1);
    layout->addWidget(PanelStyle::hairline(this));
    layout->addWidget(m_administration, 0, Qt::AlignLeft | Qt::AlignAbsolute);
    layout->addWidget(m_footer);
    // Its own size until it opens on a screen.
    fitTo(QRect());

    connect(m_footer, &PanelFooter::quitRequested, this, &PanelView::quitRequested);
    connect(m_picker, &ProjectPicker::formsChanged, this, &PanelView::refreshTabOrder);

    connect(&m_model.books(), &OpenBooks::trackerChanged, this, &PanelView::followTracker);
    connect(&m_model.panel(), &PanelModel::armedChanged, this, [this] {
        refreshHeader();
        m_picker->refreshMarks();
    });
    connect(&m_model.panel(), &PanelModel::idleReportChanged, this, &PanelView::refreshHeader);
    connect(&m_model.panel(), &PanelModel::projectFilterChanged, m_picker, &ProjectPicker::refresh);
    connect(&m_model.status(), &StatusModel::changed, this, [this] {
        m_status->refresh();
        refreshTabOrder();
    });
    connect(&m_model.books(), &OpenBooks::taskListChanged, m_tasks, &TaskPicker::refresh);
    connect(&m_model.panel(), &PanelModel::pendingTaskChanged, m_tasks, &TaskPicker::refresh);
    connect(&m_model.books(), &OpenBooks::administrationsChanged, m_administration,
            &AdministrationBadge::refresh);
    connect(&m_model.books(), &OpenBooks::administrationChanged, m_administration,
            &AdministrationBadge::refresh);
    connect(m_model.sharing(), &SharingModel::connectionChanged, m_footer, &PanelFooter::refresh);

    connect(shortcut(QKeySequence(Qt::Key_Up), nullptr), &QShortcut::activated, this,
            [this] { m_model.panel().moveArm(-1); });
    connect(shortcut(QKeySequence(Qt::Key_Down), nullptr), &QShortcut::activated, this,
            [this] { m_model.panel().moveArm(1); });
    shortcut(QKeySequence(Qt::Key_Return), &PanelView::pressReturn);
    shortcut(QKeySequence(Qt::Key_Enter), &PanelView::pressReturn);
    shortcut(QKeySequence(Qt::Key_Escape), &PanelView::pressEscape);
    shortcut(QKeySequence(Qt::Key_F2), &PanelView::editArmedProject);
    for (const QKeySequence& stop :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        connect(shortcut(stop, nullptr), &QShortcut::activated, this,
                [this] { m_model.status().failIfRefused(m_model.sessions().stop()); });
    }
    connect(shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr), &QShortcut::activated, this,
            &PanelView::quitRequested);
    // Only during a session, so that Space still presses a focused button
    // when there is nothing to pause; text fields keep their spaces.
    m_space = shortcut(QKeySequence(Qt::Key_Space), nullptr);
    connect(m_space, &QShortcut::activated, this, [this] { m_header->session().togglePause(); });

    followTracker();
}

PanelView::~PanelView() = default;

QShortcut* PanelView::shortcut(const QKeySequence& keys, void (PanelView::*action)())
{
    auto* made = new QShortcut(keys, this);
    made->setContext(Qt::WidgetWithChildrenShortcut);
    made->setAutoRepeat(false);
    if (action)
        connect(made, &QShortcut::activated, this, action);
    return made;
}

// The tracker is replaced when other books open.
void PanelView::followTracker()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_trackerConnections))
        disconnect(connection);
    m_trackerConnections.clear();
    Tracker* tracker = m_model.books().tracker();
    m_trackerConnections << connect(tracker, &Tracker::currentChanged, this, [this] {
        refreshHeader();
        m_tasks->refresh();
        m_picker->refreshMarks();
    });
    m_trackerConnections << connect(tracker, &Tracker::totalsChanged, m_header, &PanelHeader::tick);
    m_trackerConnections << connect(tracker, &Tracker::recentChanged, this, [this] {
        m_picker->refresh();
        m_header->tick();
    });
    m_trackerConnections << connect(tracker, &Tracker::projectsChanged, m_picker,
                                    &ProjectPicker::refresh);
    refreshHeader();
    m_tasks->refresh();
    m_status->refresh();
    m_picker->refresh();
    m_administration->refresh();
    m_footer->refresh();
}

void PanelView::refreshHeader()
{
    const PanelState::Header before = m_header->shown();
    m_header->refresh();
    m_space->setEnabled(m_model.books().tracker()->isTracking());
    if (m_header->shown() != before) {
        refreshTabOrder();
        // A session that starts takes the focus from the picker, so that Space
        // pauses it at once; a form being filled in keeps it.
        QWidget* focus = QApplication::focusWidget();
        const bool inPicker =
            focus == m_picker->search() || focus == static_cast<QWidget*>(m_picker->list());
        if (m_header->shown() == PanelState::Header::session &&
            before != PanelState::Header::idlePrompt && inPicker)
            m_header->session().readout()->setFocus();
        else
            keepFocusInView();
    }
}

// A focused control that went away (the Start of a session that started, the
// Stop of one that stopped) hands the focus on where the panel would open.
void PanelView::keepFocusInView()
{
    QWidget* focus = QApplication::focusWidget();
    // (The header's pages hand the focus to the page they show, focusable or
    // not.)
    if (focus && isAncestorOf(focus) && focus->isVisibleTo(this) &&
        focus->focusPolicy() != Qt::NoFocus)
        return;
    if (focus && !isAncestorOf(focus))
        return;
    if (m_model.books().tracker()->isTracking())
        m_header->session().readout()->setFocus();
    else
        m_picker->search()->setFocus();
}

void PanelView::refreshTabOrder()
{
    QList<QWidget*> order = m_header->controls();
    order.append(m_tasks->menu());
    order.append(m_status->undo());
    order += m_picker->controls();
    order << m_administration;
    order += m_footer->controls();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void PanelView::fitTo(const QRect& available)
{
    const QSize size = panelSize(QSize(panelWidth, panelHeight), available);
    // Short of room the rows close up a little, which keeps a crowded panel
    // (a session, another project armed, the add form) above its minimum.
    const bool compact = size.height() < panelHeight;
    layout()->setSpacing(compact ? 6 : 10);
    layout()->setContentsMargins(14, compact ? 10 : 14, 14, compact ? 6 : 8);
    setFixedSize(size);
}

void PanelView::prepareToShow()
{
    followTracker();
    refreshTabOrder();
    if (m_model.books().tracker()->isTracking())
        m_header->session().readout()->setFocus();
    else
        m_picker->search()->setFocus();
}

void PanelView::discardForms()
{
    m_model.panel().saveCurrentNote();
    m_header->closeConfirmation();
    m_picker->discardForms();
}

void PanelView::pressReturn()
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* button = qobject_cast<QAbstractButton*>(focus)) {
        if (button->isEnabled())
            button->click();
        return;
    }
    if (focus && m_picker->addForm()->isAncestorOf(focus)) {
        m_picker->addForm()->submit();
        return;
    }
    if (focus && m_picker->editor() && m_picker->editor()->isAncestorOf(focus)) {
        m_picker->editor()->save();
        return;
    }
    if (m_header->isNoteField(focus)) {
        m_model.panel().saveCurrentNote();
        m_header->session().readout()->setFocus();
        return;
    }
    if (const auto started = m_model.sessions().startFromPicker())
        m_model.status().failIfRefused(*started);
}

void PanelView::pressEscape()
{
    if (m_header->isConfirming()) {
        m_header->closeConfirmation();
        return;
    }
    if (m_picker->closeForms())
        return;
    if (m_model.panel().clearPicker())
        return;
    Q_EMIT closeRequested();
}

void PanelView::editArmedProject()
{
    const std::optional<Project>& armed = m_model.panel().armedProject();
    if (armed && m_picker->rows()->rowOf(armed->serial) >= 0)
        m_picker->edit(*armed);
}

void PanelView::keyPressEvent(QKeyEvent* event)
{
    // What no control took: a letter starts (or goes on with) a search.
    const QString text = event->text();
    const bool typed =
        !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    QLineEdit* search = m_picker->search();
    if (typed && QApplication::focusWidget() != search) {
        search->setFocus(Qt::ShortcutFocusReason);
        search->end(false);
        QKeyEvent again(event->type(), event->key(), event->modifiers(), text,
                        event->isAutoRepeat(), ushort(event->count()));
        QApplication::sendEvent(search, &again);
        return;
    }
    QWidget::keyPressEvent(event);
}

// The panel's own edge: as a popup it has no frame, and a desktop draws no
// shadow under it.
void PanelView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    QColor edge = palette().color(QPalette::WindowText);
    edge.setAlphaF(Theme::isDark(palette()) ? 0.28 : 0.22);
    painter.setPen(edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PanelView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        PanelStyle::reapply(this);
    QWidget::changeEvent(event);
}

} // namespace zol::ui
