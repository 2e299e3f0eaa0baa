#include "tray/AdministrationBadge.h"

#include "AppModel.h"
#include "PanelState.h"
#include "tray/PanelStyle.h"

#include <QActionGroup>
#include <QMenu>

namespace zol::ui {

AdministrationBadge::AdministrationBadge(AppModel& model, QWidget* parent)
    : QToolButton(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("administrationBadge"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::StrongFocus);
    setLayoutDirection(Qt::RightToLeft); // the chevron after the words
    PanelStyle::setIcon(this, QStringLiteral("chevron-updown"));
    // Not the button's own menu, which would draw a second arrow.
    connect(this, &QToolButton::clicked, this, [this] {
        if (m_menu)
            m_menu->popup(mapToGlobal(QPoint(0, height())));
    });
    refresh();
}

AdministrationBadge::~AdministrationBadge() = default;

void AdministrationBadge::refresh()
{
    const Administration& open = m_model.books().administration();
    setText(PanelStyle::literal(PanelState::administrationTitle(open)));
    setAccessibleName(PanelState::administrationTitle(open));
    setToolTip(PanelState::administrationHelp(open));
    setAccessibleDescription(toolTip());

    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("administrationMenu"));
    menu->setLayoutDirection(Qt::LeftToRight);
    auto* group = new QActionGroup(menu);
    for (const Administration& each : m_model.books().administrations()) {
        QAction* action = menu->addAction(PanelStyle::literal(each.name));
        action->setObjectName(QStringLiteral("administration"));
        action->setData(each.id);
        action->setCheckable(true);
        action->setChecked(each.id == open.id);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, each] { m_model.switchTo(each); });
    }
    menu->addSeparator();
    QAction* manage = menu->addAction(tr("Manage administrations…"));
    manage->setObjectName(QStringLiteral("manageAdministrations"));
    connect(manage, &QAction::triggered, this,
            [this] { m_model.showWindow(QStringLiteral("administrations")); });
    QMenu* old = m_menu;
    m_menu = menu;
    if (old)
        old->deleteLater(); // an action of it may be what switched the books
}

} // namespace zol::ui
