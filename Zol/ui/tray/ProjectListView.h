#pragma once

#include <QListView>
#include <QPointer>

namespace zol::ui {

class ProjectRowDelegate;

// The picker's list. A click on a row asks to arm it, a click on its pencil
// (or F2 on the armed row) to edit it; the arrow keys belong to the panel,
// and typed letters go up to it (and so to the search field). It can hold
// one inline editor, which covers the row of the project it edits and moves
// with it.
class ProjectListView final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectListView)

public:
    explicit ProjectListView(QWidget* parent = nullptr);
    ~ProjectListView() override;

    ProjectRowDelegate& rowDelegate() const { return *m_delegate; }
    // Shows `editor` over the row of `row`; nullptr takes it away (the caller
    // owns and deletes it).
    void setEditor(QWidget* editor, int row);
    // The row changed place (the list was read again): the editor follows.
    void setEditorRow(int row);
    void placeEditor();

Q_SIGNALS:
    void rowClicked(int row);
    void editClicked(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProjectRowDelegate* m_delegate;
    QPointer<QWidget> m_editor;
    int m_editorRow = -1;
};

} // namespace zol::ui
