#include "tray/PanelFooter.h"

#include "AppModel.h"
#include "SharingModel.h"
#include "tray/PanelStyle.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

PanelFooter::PanelFooter(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_connection(button(QStringLiteral("connection"), QString(), QStringLiteral("laptop")))
    , m_history(button(QStringLiteral("history"), tr("History"), QStringLiteral("list")))
    , m_settings(button(QStringLiteral("settings"), tr("Settings"), QStringLiteral("gear")))
    , m_quit(button(QStringLiteral("quitZol"), tr("Quit Zol"), QStringLiteral("power")))
{
    setObjectName(QStringLiteral("panelFooter"));
    m_history->setToolTip(tr("Open the history"));
    m_settings->setToolTip(tr("Open the settings"));
    m_quit->setToolTip(tr("Quit Zol (Ctrl+Q)"));
    connect(m_connection, &QToolButton::clicked, this,
            [this] { m_model.showWindow(QStringLiteral("studio")); });
    connect(m_history, &QToolButton::clicked, this,
            [this] { m_model.showWindow(QStringLiteral("history")); });
    connect(m_settings, &QToolButton::clicked, this,
            [this] { m_model.showWindow(QStringLiteral("general")); });
    connect(m_quit, &QToolButton::clicked, this, &PanelFooter::quitRequested);

    auto* actions = new QHBoxLayout();
    actions->setSpacing(2);
    actions->addWidget(m_history);
    actions->addWidget(m_settings);
    actions->addStretch();
    actions->addWidget(m_quit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_connection, 0, Qt::AlignLeft);
    layout->addLayout(actions);
    refresh();
}

PanelFooter::~PanelFooter() = default;

QToolButton* PanelFooter::button(const QString& objectName, const QString& text,
                                 const QString& icon)
{
    auto* made = new QToolButton(this);
    made->setObjectName(objectName);
    made->setText(text);
    made->setAccessibleName(text);
    made->setAutoRaise(true);
    made->setFocusPolicy(Qt::StrongFocus);
    made->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    made->setIconSize(QSize(16, 16));
    PanelStyle::setIcon(made, icon);
    return made;
}

void PanelFooter::refresh()
{
    const Connection& connection = m_model.sharing()->connection();
    m_connection->setText(connection.title());
    m_connection->setAccessibleName(connection.title());
    switch (connection.kind) {
    case Connection::Kind::shareReachable:
        PanelStyle::setIcon(m_connection, QStringLiteral("network"));
        m_connection->setToolTip(tr("Open the studio folder's settings"));
        break;
    case Connection::Kind::shareUnreachable:
        PanelStyle::setIcon(m_connection, QStringLiteral("warning"));
        m_connection->setToolTip(connection.error);
        break;
    case Connection::Kind::localOnly:
        PanelStyle::setIcon(m_connection, QStringLiteral("laptop"));
        m_connection->setToolTip(tr("Open the studio folder's settings"));
        break;
    }
}

QList<QWidget*> PanelFooter::controls() const
{
    return {m_connection, m_history, m_settings, m_quit};
}

} // namespace zol::ui
