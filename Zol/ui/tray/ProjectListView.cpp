#include "tray/ProjectListView.h"

#include "tray/ProjectRowDelegate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zol::ui {

ProjectListView::ProjectListView(QWidget* parent)
    : QListView(parent)
    , m_delegate(new ProjectRowDelegate(this))
{
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    setUniformItemSizes(true);
    viewport()->setAttribute(Qt::WA_Hover);
    // The panel's colour shows through; rows draw their own highlight.
    viewport()->setAutoFillBackground(false);
}

ProjectListView::~ProjectListView() = default;

void ProjectListView::setEditor(QWidget* editor, int row)
{
    if (QWidget* old = m_editor; old && old != editor) {
        old->removeEventFilter(this);
        old->hide();
    }
    m_editor = editor;
    m_editorRow = row;
    // Rows of one height are laid out without asking each its size; only the
    // editor's row differs.
    setUniformItemSizes(!editor);
    if (editor) {
        editor->setParent(viewport());
        // Its height follows what it shows (a notice, suggestions).
        editor->installEventFilter(this);
        m_delegate->setEditorHeight(editor->sizeHint().height());
        editor->show();
    }
    doItemsLayout();
    placeEditor();
}

bool ProjectListView::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* editor = m_editor;
    if (editor && watched == editor && event->type() == QEvent::LayoutRequest) {
        const int height = editor->sizeHint().height();
        if (height != editor->height()) {
            m_delegate->setEditorHeight(height);
            doItemsLayout();
            placeEditor();
        }
    }
    return QListView::eventFilter(watched, event);
}

void ProjectListView::setEditorRow(int row)
{
    m_editorRow = row;
    placeEditor();
}

void ProjectListView::placeEditor()
{
    QWidget* editor = m_editor;
    if (!editor)
        return;
    const QModelIndex index = model() ? model()->index(m_editorRow, 0) : QModelIndex();
    const QRect rect = index.isValid() ? visualRect(index) : QRect();
    if (rect.isEmpty()) {
        editor->hide();
        return;
    }
    editor->setGeometry(rect.left(), rect.top(), viewport()->width(), rect.height());
    editor->show();
}

void ProjectListView::updateGeometries()
{
    QListView::updateGeometries();
    placeEditor();
}

void ProjectListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    placeEditor();
}

void ProjectListView::mousePressEvent(QMouseEvent* event)
{
    // The press only takes the focus; the release acts, as a button does.
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void ProjectListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void ProjectListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index.row() == m_editorRow)
        return;
    const QRect row = visualRect(index).adjusted(2, 1, -2, -1);
    if (ProjectRowDelegate::editButtonRect(row).contains(event->position().toPoint()))
        Q_EMIT editClicked(index.row());
    else
        Q_EMIT rowClicked(index.row());
}

void ProjectListView::keyPressEvent(QKeyEvent* event)
{
    // Typing belongs to the search field, which the panel hands it to.
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        event->ignore();
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace zol::ui
