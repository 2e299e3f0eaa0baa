#include "window/StatusStrip.h"

#include "AppModel.h"
#include "HistoryModel.h"
#include "common/Icons.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace zol::ui {

StatusStrip::StatusStrip(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_icon(new QLabel(this))
    , m_text(wrapping(new QLabel(this)))
    , m_undo(new QPushButton(tr("Undo"), this))
{
    setObjectName(QStringLiteral("statusStrip"));
    m_text->setObjectName(QStringLiteral("statusText"));
    m_text->setAccessibleName(tr("Status"));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_undo->setObjectName(QStringLiteral("statusUndo"));
    m_undo->setAccessibleName(tr("Undo the deletion"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 8, 12, 8);
    layout->setSpacing(10);
    layout->addWidget(m_icon, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_undo, 0, Qt::AlignVCenter);
    connect(m_undo, &QPushButton::clicked, this, [this] { m_model.history()->undoDeletion(); });
    connect(&m_model.status(), &StatusModel::changed, this, &StatusStrip::follow);
    follow();
}

StatusStrip::~StatusStrip() = default;

void StatusStrip::follow()
{
    const std::optional<StatusMessage>& status = m_model.status().message();
    setVisible(status.has_value());
    if (!status)
        return;
    m_text->setText(status->text);
    m_undo->setVisible(status->canUndo());
    QString icon = QStringLiteral("info");
    QColor colour = Theme::accent(palette());
    if (status->kind == StatusMessage::Kind::success) {
        icon = QStringLiteral("check-circle");
        colour = Theme::success(palette());
    } else if (status->kind == StatusMessage::Kind::failure) {
        icon = QStringLiteral("warning");
        colour = Theme::failure(palette());
    }
    m_icon->setPixmap(Icons::pixmap(icon, 16, colour, devicePixelRatioF()));
    update();
}

void StatusStrip::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        follow();
    QWidget::changeEvent(event);
}

void StatusStrip::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.fillRect(rect(), Theme::card(palette()));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().topLeft(), rect().topRight());
}

} // namespace zol::ui
