#include "tray/Readout.h"

#include <QPainter>

namespace zol::ui {

Readout::Readout(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("readout"));
    setFocusPolicy(Qt::StrongFocus);
}

Readout::~Readout() = default;

void Readout::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
}

void Readout::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    update();
}

void Readout::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}

} // namespace zol::ui
