#pragma once

#include "records/Project.h"

#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class AddEntryForm;
class InlineProjectEditor;
class ProjectListModel;
class ProjectListView;

// The project picker: the search field bound to the controller's filter, "+"
// with the add form, the caption of the recent projects, and the list, or in
// its place "Nothing matches …" or, with no projects at all, the invitation
// to add one. The add form takes the list's place while it is open (and
// scrolls when the panel is short of room). Holds which form is open and the
// editor of one row.
class ProjectPicker final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProjectPicker)

public:
    explicit ProjectPicker(AppModel& model, QWidget* parent = nullptr);
    ~ProjectPicker() override;

    // The list and its captions, read again (the filter or the projects
    // changed).
    void refresh();
    // Only the marks of the rows (the armed or the running project changed).
    void refreshMarks();

    QLineEdit* search() const { return m_search; }
    ProjectListView* list() const { return m_list; }
    ProjectListModel* rows() const { return m_rows; }
    AddEntryForm* addForm() const { return m_addForm; }
    InlineProjectEditor* editor() const { return m_editor; }

    bool isAddFormOpen() const;
    void setAddFormOpen(bool open);
    // Opens the inline editor on the row of `project`.
    void edit(const Project& project);
    void closeEditor();
    // Escape's first step: closes the editor or the add form. Returns whether
    // one was open.
    bool closeForms();
    // The panel closed: what the forms held goes.
    void discardForms();
    // The controls in tab order, top to bottom.
    QList<QWidget*> controls() const;

Q_SIGNALS:
    // A form opened or closed: the tab order changes.
    void formsChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    void drawIcons();
    // The list, "Nothing matches", the invitation, or the add form.
    void showPage();

    AppModel& m_model;
    QLineEdit* m_search;
    QAction* m_searchIcon;
    QAction* m_clearFilter;
    QToolButton* m_add;
    AddEntryForm* m_addForm;
    QScrollArea* m_formPage;
    bool m_formOpen = false;
    QLabel* m_caption;
    QStackedWidget* m_stack;
    ProjectListView* m_list;
    ProjectListModel* m_rows;
    QLabel* m_nothing;
    QWidget* m_empty;
    QPushButton* m_setUpStudio;
    QPointer<InlineProjectEditor> m_editor;
};

} // namespace zol::ui
