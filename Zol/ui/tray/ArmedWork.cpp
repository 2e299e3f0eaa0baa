#include "tray/ArmedWork.h"

#include "AppModel.h"
#include "PanelState.h"
#include "records/ProjectColour.h"
#include "tray/NumberBadge.h"
#include "tray/PanelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zol::ui {

ArmedWork::ArmedWork(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_badge(new NumberBadge(this))
    , m_title(new QLabel(this))
    , m_client(new QLabel(this))
    , m_clear(new QToolButton(this))
    , m_start(new QPushButton(tr("Start"), this))
{
    setObjectName(QStringLiteral("armedWork"));
    m_badge->setObjectName(QStringLiteral("armedBadge"));
    m_title->setObjectName(QStringLiteral("armedTitle"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setFont(PanelStyle::scaled(font(), 1.08, true));
    m_title->setWordWrap(true);
    m_client->setObjectName(QStringLiteral("armedClient"));
    m_client->setTextFormat(Qt::PlainText);
    PanelStyle::setTone(m_client, PanelStyle::Tone::secondary);

    m_clear->setObjectName(QStringLiteral("clearArmed"));
    m_clear->setText(tr("Clear"));
    m_clear->setAccessibleName(tr("Clear"));
    m_clear->setToolTip(tr("Nothing selected (esc)"));
    m_clear->setAutoRaise(true);
    m_clear->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_clear->setFocusPolicy(Qt::StrongFocus);
    PanelStyle::setIcon(m_clear, QStringLiteral("close"));
    connect(m_clear, &QToolButton::clicked, this, [this] { m_model.panel().disarm(); });

    m_start->setObjectName(QStringLiteral("start"));
    m_start->setAccessibleName(tr("Start"));
    m_start->setToolTip(tr("Start (Return)"));
    m_start->setDefault(true);
    m_start->setMinimumHeight(34);
    PanelStyle::setIcon(m_start, QStringLiteral("play"));
    connect(m_start, &QPushButton::clicked, this,
            [this] { m_model.status().failIfRefused(m_model.sessions().startArmed()); });

    auto* titleRow = new QHBoxLayout();
    titleRow->setSpacing(8);
    titleRow->addWidget(m_badge);
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(m_clear);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(titleRow);
    layout->addWidget(m_client);
    layout->addSpacing(8);
    layout->addWidget(m_start);
}

ArmedWork::~ArmedWork() = default;

void ArmedWork::refresh()
{
    if (const std::optional<QString>& internal = m_model.panel().armedInternal()) {
        m_badge->setBadge(tr("Internal"), ProjectColour::neutral());
        m_title->setText(*internal);
        m_client->setText(tr("Internal time"));
    } else if (const std::optional<Project>& project = m_model.panel().armedProject()) {
        const QString number = project->displaySerial();
        m_badge->setBadge(number.isEmpty() ? tr("No number") : number, ProjectColour::of(*project));
        m_title->setText(project->name);
        m_client->setText(project->clientName);
    }
    m_client->setVisible(!m_client->text().isEmpty());
    m_start->setAccessibleName(tr("Start %1").arg(PanelState::armedTitle(m_model.panel())));
}

QList<QWidget*> ArmedWork::controls() const
{
    return {m_clear, m_start};
}

} // namespace zol::ui
