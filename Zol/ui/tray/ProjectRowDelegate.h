#pragma once

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace zol::ui {

// Draws a row of the project picker (a ProjectRow): the mark of the running,
// armed or any other project, the number chip in the project's colour, the
// name over the client, and, on the row under the pointer and the armed
// row, the "Edit project" pencil. The row that holds the inline editor is
// as tall as the editor and left for it to cover.
class ProjectRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectRowDelegate)

public:
    static constexpr int rowHeight = 44;

    explicit ProjectRowDelegate(QObject* parent = nullptr);
    ~ProjectRowDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Names the pencil under the pointer: "Edit project (F2)".
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Where the pencil of a row at `row` is, and so what a click there does.
    static QRect editButtonRect(const QRect& row);
    // The height the editor's row takes; set by the view that shows it.
    void setEditorHeight(int height) { m_editorHeight = height; }

private:
    QPixmap icon(const QString& name, const QColor& colour, qreal ratio) const;

    int m_editorHeight = rowHeight;
    mutable QHash<QString, QPixmap> m_icons;
};

} // namespace zol::ui
