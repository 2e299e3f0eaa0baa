#include "tray/TaskPicker.h"

#include "AppModel.h"
#include "tray/PanelStyle.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

namespace zol::ui {

TaskPicker::TaskPicker(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_menu(new QComboBox(this))
{
    setObjectName(QStringLiteral("taskPicker"));
    auto* label = new QLabel(tr("Task"), this);
    label->setBuddy(m_menu);
    PanelStyle::setTone(label, PanelStyle::Tone::secondary);
    m_menu->setObjectName(QStringLiteral("task"));
    m_menu->setAccessibleName(tr("Task"));
    m_menu->setToolTip(tr("What kind of work this is"));
    m_menu->setAccessibleDescription(m_menu->toolTip());
    m_menu->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The panel's arrow keys move the armed project; in this menu they keep
    // choosing the task.
    m_menu->installEventFilter(this);
    connect(m_menu, &QComboBox::activated, this,
            [this](int index) { m_model.sessions().chooseTask(m_menu->itemText(index)); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(label);
    layout->addWidget(m_menu);
    layout->addStretch();
    refresh();
}

TaskPicker::~TaskPicker() = default;

void TaskPicker::refresh()
{
    const QStringList choices = m_model.books().taskList().choices();
    setVisible(!choices.isEmpty());
    QStringList listed;
    for (int i = 0; i < m_menu->count(); ++i)
        listed.append(m_menu->itemText(i));
    if (listed != choices) {
        m_menu->clear();
        m_menu->addItems(choices);
    }
    // A task no longer on the list shows as none chosen.
    m_menu->setCurrentIndex(int(choices.indexOf(m_model.panel().chosenTask())));
}

bool TaskPicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_menu && event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zol::ui
