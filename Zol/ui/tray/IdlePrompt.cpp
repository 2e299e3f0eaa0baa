#include "tray/IdlePrompt.h"

#include "AppModel.h"
#include "PanelState.h"
#include "common/Widgets.h"
#include "records/Duration.h"
#include "tray/PanelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

IdlePrompt::IdlePrompt(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_awayTime(new QLabel(this))
    , m_since(wrapping(new QLabel(this)))
    , m_keep(new QPushButton(tr("Keep it"), this))
    , m_takeOff(new QPushButton(tr("Take it off"), this))
{
    setObjectName(QStringLiteral("idlePrompt"));
    auto* away = new QLabel(tr("Away for"), this);
    PanelStyle::setTone(away, PanelStyle::Tone::secondary);
    m_awayTime->setObjectName(QStringLiteral("awayTime"));
    m_awayTime->setFont(PanelStyle::clockFont(font(), 2.0));
    m_since->setObjectName(QStringLiteral("awaySince"));
    PanelStyle::setTone(m_since, PanelStyle::Tone::secondary);

    m_keep->setObjectName(QStringLiteral("keepIt"));
    m_keep->setAccessibleName(tr("Keep it"));
    m_keep->setToolTip(tr("Count the away time as worked"));
    m_takeOff->setObjectName(QStringLiteral("takeItOff"));
    m_takeOff->setAccessibleName(tr("Take it off"));
    m_takeOff->setToolTip(tr("Take the away time off the timer"));
    m_takeOff->setDefault(true);
    connect(m_keep, &QPushButton::clicked, this,
            [this] { m_model.panel().setIdleReport(std::nullopt); });
    connect(m_takeOff, &QPushButton::clicked, this, [this] {
        if (const std::optional<IdleReport> report = m_model.panel().idleReport())
            m_model.sessions().discardIdleTime(*report);
    });

    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(8);
    buttons->addWidget(m_keep, 1);
    buttons->addWidget(m_takeOff, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(away);
    layout->addWidget(m_awayTime);
    layout->addWidget(m_since);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

IdlePrompt::~IdlePrompt() = default;

void IdlePrompt::refresh()
{
    const std::optional<IdleReport>& report = m_model.panel().idleReport();
    if (!report)
        return;
    m_awayTime->setText(Duration::coarseString(report->seconds));
    m_since->setText(tr("The timer kept running since %1")
                         .arg(PanelState::awaySince(*report, m_model.clock().now(),
                                                    m_model.books().calendar())));
    m_awayTime->setAccessibleName(tr("Away for %1").arg(m_awayTime->text()));
}

QWidget* IdlePrompt::firstControl() const
{
    return m_keep;
}

QWidget* IdlePrompt::lastControl() const
{
    return m_takeOff;
}

} // namespace zol::ui
