#include "window/TasksSection.h"

#include "AppModel.h"
#include "SharingModel.h"
#include "TaskListEditor.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zol::ui {

namespace {

QToolButton* rowButton(const QString& icon, const QString& name, const QString& objectName,
                       QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    followIcon(button, icon);
    button->setToolTip(name);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    return button;
}

// A tidy, stable objectName for a task's controls: "Editing logos" gives
// "Editing_logos".
QString keyOf(const QString& task)
{
    QString key = task;
    for (QChar& c : key) {
        if (!c.isLetterOrNumber())
            c = u'_';
    }
    return key;
}

} // namespace

TasksSection::TasksSection(AppModel& model, QWidget* parent)
    : SectionPage(tr("Tasks"),
                  tr("What kind of work a session was, recorded with the project it "
                     "was for."),
                  parent)
    , m_model(model)
    , m_editor(new TaskListEditor(model.books(), model.status(), this))
    , m_enabled(new QCheckBox(tr("Record a task with every session"), this))
    , m_listCard(new Card(this))
    , m_rows(new QVBoxLayout())
    , m_refusal(wrapping(new QLabel(this)))
    , m_add(new QLineEdit(this))
    , m_addButton(new QPushButton(tr("Add"), this))
{
    m_enabled->setObjectName(QStringLiteral("recordTasks"));
    m_enabled->setAccessibleName(m_enabled->text());
    connect(m_enabled, &QCheckBox::clicked, this, [this](bool on) {
        m_editor->setEnabled(on);
        showList();
    });
    content()->addWidget(m_enabled);

    m_rows->setSpacing(0);
    m_listCard->setObjectName(QStringLiteral("taskList"));
    m_listCard->body()->addLayout(m_rows);
    content()->addWidget(m_listCard);

    m_refusal->setObjectName(QStringLiteral("taskRefusal"));
    content()->addWidget(m_refusal);

    auto* addRow = new QHBoxLayout();
    m_add->setObjectName(QStringLiteral("newTask"));
    m_add->setPlaceholderText(tr("Add a task, like Editing logos"));
    m_add->setAccessibleName(m_add->placeholderText());
    m_addButton->setObjectName(QStringLiteral("addTask"));
    followIcon(m_addButton, QStringLiteral("plus"));
    m_addButton->setAccessibleName(tr("Add task"));
    const auto add = [this] {
        if (m_editor->add(m_add->text()))
            m_add->clear();
    };
    connect(m_addButton, &QPushButton::clicked, this, add);
    connect(m_add, &QLineEdit::returnPressed, this, add);
    connect(m_add, &QLineEdit::textChanged, this,
            [this](const QString& typed) { m_addButton->setEnabled(m_editor->canAdd(typed)); });
    m_addButton->setEnabled(false);
    addRow->addWidget(m_add, 1);
    addRow->addWidget(m_addButton);
    content()->addLayout(addRow);

    content()->addWidget(
        secondaryLabel(tr("General is always first and cannot be removed: it is what a session "
                          "records when nothing more specific fits. The order here is the order "
                          "in the picker. Removing a task does not change sessions already "
                          "recorded with it."),
                       this));
    QLabel* shared = secondaryLabel(
        tr("The most recent change anybody makes is the list everybody uses."), this);
    shared->setObjectName(QStringLiteral("sharedNote"));
    content()->addWidget(shared);
    const auto showShared = [this, shared] {
        shared->setVisible(!m_model.books().administration().isLocalOnly());
    };
    connect(&model.books(), &OpenBooks::administrationChanged, shared, showShared);
    showShared();

    connect(&model.books(), &OpenBooks::taskListChanged, this, &TasksSection::showList);
    connect(m_editor, &TaskListEditor::refusalChanged, this, &TasksSection::showRefusal);
    showList();
    showRefusal();
}

TasksSection::~TasksSection() = default;

QWidget* TasksSection::makeRow(const QString& task, int position, int count)
{
    auto* row = new QWidget(m_listCard);
    row->setObjectName(QStringLiteral("task_") + keyOf(task));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 4, 0, 4);
    auto* name = new QLabel(task, row);
    name->setObjectName(QStringLiteral("taskName"));
    layout->addWidget(name, 1);
    if (position < 0) {
        QLabel* fixed = secondaryLabel(tr("Always there"), row);
        fixed->setObjectName(QStringLiteral("alwaysThere"));
        layout->addWidget(fixed);
        return row;
    }
    QToolButton* up =
        rowButton(QStringLiteral("arrow-up"), tr("Move up"), QStringLiteral("moveUp"), row);
    QToolButton* down =
        rowButton(QStringLiteral("arrow-down"), tr("Move down"), QStringLiteral("moveDown"), row);
    QToolButton* remove = rowButton(QStringLiteral("trash"), tr("Remove %1").arg(task),
                                    QStringLiteral("removeTask"), row);
    up->setEnabled(position > 0);
    down->setEnabled(position < count - 1);
    connect(up, &QToolButton::clicked, this,
            [this, task] { m_editor->move(task, TaskList::Direction::up); });
    connect(down, &QToolButton::clicked, this,
            [this, task] { m_editor->move(task, TaskList::Direction::down); });
    connect(remove, &QToolButton::clicked, this, [this, task] { m_editor->remove(task); });
    layout->addWidget(up);
    layout->addWidget(down);
    layout->addWidget(remove);
    return row;
}

void TasksSection::showList()
{
    const TaskList& list = m_model.books().taskList();
    m_enabled->setChecked(list.isEnabled());
    // Rebuilt whole: a handful of rows, and the focus goes back where it was.
    const QString focused =
        focusWidget() && m_listCard->isAncestorOf(focusWidget())
            ? focusWidget()->parentWidget()->objectName() + u'/' + focusWidget()->objectName()
            : QString();
    // Later: the old row may hold the button whose click got here.
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        if (QWidget* old = item->widget()) {
            old->hide();
            old->setParent(nullptr);
            old->deleteLater();
        }
        delete item;
    }
    // Shown at once, not on the layout's next turn: the focus goes to them.
    const auto add = [this](QWidget* row) {
        m_rows->addWidget(row);
        row->show();
    };
    add(makeRow(TaskList::general, -1, 0));
    const QStringList& tasks = list.tasks();
    for (int i = 0; i < tasks.size(); ++i)
        add(makeRow(tasks.at(i), i, int(tasks.size())));
    if (!focused.isEmpty()) {
        const QStringList path = focused.split(u'/');
        if (QWidget* row = m_listCard->findChild<QWidget*>(path.first())) {
            if (auto* button = row->findChild<QWidget*>(path.last()); button && button->isEnabled())
                button->setFocus();
        }
    }
    m_addButton->setEnabled(m_editor->canAdd(m_add->text()));
}

void TasksSection::showRefusal()
{
    const std::optional<QString>& refusal = m_editor->refusal();
    tintText(m_refusal, Theme::failure);
    m_refusal->setText(refusal.value_or(QString()));
    m_refusal->setVisible(refusal.has_value());
}

} // namespace zol::ui
