#include "tray/NumberBadge.h"

#include <QPainter>

namespace zol::ui {

namespace {

constexpr int horizontalPadding = 7;
constexpr int verticalPadding = 2;

} // namespace

NumberBadge::NumberBadge(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

NumberBadge::~NumberBadge() = default;

void NumberBadge::setBadge(const QString& text, const ProjectColour& colour)
{
    if (text == m_text && colour == m_colour)
        return;
    m_text = text;
    m_colour = colour;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QSize NumberBadge::sizeHint() const
{
    return chipSize(m_text, font(QWidget::font()));
}

QColor NumberBadge::fill(const ProjectColour& colour)
{
    return QColor::fromHsvF(float(colour.hue), float(colour.saturation), float(colour.brightness));
}

QColor NumberBadge::ink(const QColor& fill)
{
    // Relative luminance with the usual weights; the threshold favours white,
    // which reads better on the saturated middle tones the colours have.
    const double luminance = 0.2126 * fill.redF() + 0.7152 * fill.greenF() + 0.0722 * fill.blueF();
    return luminance > 0.62 ? QColor(0x1c, 0x1d, 0x21) : QColor(Qt::white);
}

QFont NumberBadge::font(const QFont& base)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * 0.88);
    font.setWeight(QFont::DemiBold);
    return font;
}

QSize NumberBadge::chipSize(const QString& text, const QFont& font, int minimumWidth)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text) + 2 * horizontalPadding;
    return QSize(std::max(width, minimumWidth), metrics.height() + 2 * verticalPadding);
}

QRectF NumberBadge::paint(QPainter& painter, const QRectF& area, const QString& text,
                          const QColor& fill, const QFont& font, int minimumWidth)
{
    const QSize size = chipSize(text, font, minimumWidth);
    const QRectF chip(area.left(), area.center().y() - size.height() / 2.0, size.width(),
                      size.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(chip, 5, 5);
    painter.setPen(ink(fill));
    painter.setFont(font);
    painter.drawText(chip, Qt::AlignCenter, text);
    painter.restore();
    return chip;
}

void NumberBadge::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    paint(painter, rect(), m_text, fill(m_colour), font(QWidget::font()));
}

} // namespace zol::ui
