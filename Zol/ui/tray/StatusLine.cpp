#include "tray/StatusLine.h"

#include "AppModel.h"
#include "HistoryModel.h"
#include "common/Widgets.h"
#include "tray/PanelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zol::ui {

StatusLine::StatusLine(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_symbol(new QLabel(this))
    , m_text(wrapping(new QLabel(this)))
    , m_undo(new QPushButton(tr("Undo"), this))
{
    setObjectName(QStringLiteral("statusLine"));
    m_symbol->setObjectName(QStringLiteral("statusSymbol"));
    m_text->setObjectName(QStringLiteral("statusText"));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_undo->setObjectName(QStringLiteral("undo"));
    m_undo->setAccessibleName(tr("Undo"));
    m_undo->setToolTip(tr("Bring the deleted sessions back"));
    connect(m_undo, &QPushButton::clicked, this, [this] { m_model.history()->undoDeletion(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_symbol, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_undo, 0, Qt::AlignVCenter);
    refresh();
}

StatusLine::~StatusLine() = default;

void StatusLine::refresh()
{
    const std::optional<StatusMessage>& status = m_model.status().message();
    setVisible(status.has_value());
    if (!status)
        return;
    QString symbol;
    QString spoken = status->text;
    switch (status->kind) {
    case StatusMessage::Kind::success:
        symbol = QStringLiteral("check-circle");
        spoken = tr("Done: %1").arg(status->text);
        PanelStyle::setTone(m_symbol, PanelStyle::Tone::success);
        break;
    case StatusMessage::Kind::failure:
        symbol = QStringLiteral("warning");
        spoken = tr("Failed: %1").arg(status->text);
        PanelStyle::setTone(m_symbol, PanelStyle::Tone::failure);
        break;
    case StatusMessage::Kind::info:
        symbol = QStringLiteral("info");
        PanelStyle::setTone(m_symbol, PanelStyle::Tone::accent);
        break;
    }
    PanelStyle::setPicture(m_symbol, symbol, 18);
    m_text->setText(status->text);
    m_text->setAccessibleName(spoken);
    m_undo->setVisible(status->canUndo());
}

} // namespace zol::ui
