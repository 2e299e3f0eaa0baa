#include "window/DayChart.h"

#include "common/Theme.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace zol::ui {

namespace {

constexpr qreal topRoom = 10;
constexpr qreal bottomRoom = 22;
constexpr qreal rightRoom = 4;
constexpr qreal labelGap = 8;

} // namespace

DayChart::DayChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("dayChart"));
    setAccessibleName(tr("Hours by day"));
    setToolTip(tr("Point at a day for its total"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

DayChart::~DayChart() = default;

QSize DayChart::sizeHint() const
{
    return {640, 220};
}

QSize DayChart::minimumSizeHint() const
{
    return {240, 160};
}

void DayChart::setDays(const QList<AnalyticsModel::ChartDay>& days,
                       const AnalyticsModel::ChartScale& scale)
{
    const bool sameSteps = days.size() == m_days.size();
    m_days = days;
    m_scale = scale;
    m_hovered = -1;
    if (!sameSteps)
        m_current = -1;
    setCurrentDay(std::min<int>(m_current, int(m_days.size()) - 1));
    update();
}

QString DayChart::hoursLabel(double hours)
{
    return tr("%1h", "hours on the chart's scale").arg(QString::number(hours, 'g', 4));
}

QRectF DayChart::plotArea() const
{
    const QFontMetricsF metrics(font());
    const qreal left = metrics.horizontalAdvance(hoursLabel(m_scale.topHours)) + labelGap;
    return QRectF(rect()).adjusted(left, topRoom, -rightRoom, -bottomRoom);
}

qreal DayChart::slotWidth() const
{
    return m_days.isEmpty() ? 0 : plotArea().width() / qreal(m_days.size());
}

QRectF DayChart::barRect(int index) const
{
    if (index < 0 || index >= m_days.size() || m_scale.topHours <= 0)
        return {};
    const QRectF plot = plotArea();
    const qreal slot = slotWidth();
    const qreal width = std::clamp(slot * 0.62, 2.0, 56.0);
    const qreal hours = m_days.at(index).seconds / 3600.0;
    const qreal height = plot.height() * std::min(1.0, hours / m_scale.topHours);
    const qreal x = plot.left() + slot * index + (slot - width) / 2;
    return {x, plot.bottom() - height, width, height};
}

int DayChart::dayAt(const QPointF& point) const
{
    const QRectF plot = plotArea();
    if (m_days.isEmpty() || point.x() < plot.left() || point.x() >= plot.right() ||
        point.y() > rect().bottom())
        return -1;
    return std::clamp(int((point.x() - plot.left()) / slotWidth()), 0, int(m_days.size()) - 1);
}

void DayChart::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor text = Theme::secondaryText(colours);
    QColor grid = colours.color(QPalette::WindowText);
    grid.setAlphaF(0.12);
    const QRectF plot = plotArea();
    const QFontMetricsF metrics(font());

    // Hour lines with their labels, the baseline strongest.
    const int lines = int(std::lround(m_scale.topHours / m_scale.stepHours));
    for (int i = 0; i <= lines; ++i) {
        const double hours = i * m_scale.stepHours;
        const qreal y = plot.bottom() - plot.height() * (hours / m_scale.topHours);
        QColor line = grid;
        if (i == 0)
            line.setAlphaF(0.3);
        painter.setPen(QPen(line, 1));
        painter.drawLine(QPointF(plot.left(), std::round(y) + 0.5),
                         QPointF(plot.right(), std::round(y) + 0.5));
        painter.setPen(text);
        const QRectF label(0, y - metrics.height() / 2, plot.left() - labelGap, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, hoursLabel(hours));
    }

    // The bars, and the day labels that fit under them.
    const QColor accent = Theme::accent(colours);
    const qreal slot = slotWidth();
    qreal widest = 0;
    for (const AnalyticsModel::ChartDay& day : std::as_const(m_days))
        widest = std::max(widest, metrics.horizontalAdvance(day.label));
    const int every = slot > 0 ? std::max(1, int(std::ceil((widest + 6) / slot))) : 1;
    for (int i = 0; i < m_days.size(); ++i) {
        const QRectF bar = barRect(i);
        const bool marked = i == m_hovered || (i == m_current && hasFocus());
        if (bar.height() > 0) {
            QColor fill = accent;
            if (!marked)
                fill.setAlphaF(0.78);
            QPainterPath path;
            const qreal radius = std::min(3.0, bar.width() / 2);
            path.addRoundedRect(bar.adjusted(0, 0, 0, radius), radius, radius);
            painter.save();
            painter.setClipRect(QRectF(bar.left(), bar.top(), bar.width(), bar.height()));
            painter.fillPath(path, fill);
            painter.restore();
        }
        if (marked) {
            QColor outline = colours.color(QPalette::WindowText);
            outline.setAlphaF(0.5);
            painter.setPen(QPen(outline, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(
                QRectF(plot.left() + slot * i + 1, plot.top(), slot - 2, plot.height()));
        }
        if (i % every == 0) {
            painter.setPen(marked ? colours.color(QPalette::WindowText) : text);
            painter.drawText(QRectF(plot.left() + slot * i - (slot * every) / 2 + slot / 2,
                                    plot.bottom() + 4, slot * every, bottomRoom - 4),
                             Qt::AlignHCenter | Qt::AlignTop, m_days.at(i).label);
        }
    }
}

void DayChart::setCurrentDay(int index)
{
    if (index < -1 || index >= m_days.size())
        return;
    const bool moved = index != m_current;
    m_current = index;
    const QString sentence = index >= 0 ? m_days.at(index).sentence : QString();
    if (accessibleDescription() != sentence) {
        setAccessibleDescription(sentence);
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    if (moved)
        update();
}

void DayChart::showSentence(int index)
{
    if (index < 0 || index >= m_days.size())
        return;
    const QRectF bar = barRect(index);
    const QPoint at = mapToGlobal(QPointF(bar.center().x(), bar.top() - 4).toPoint());
    QToolTip::showText(at, m_days.at(index).sentence, this);
}

void DayChart::keyPressEvent(QKeyEvent* event)
{
    if (m_days.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int last = int(m_days.size()) - 1;
    int next = m_current;
    switch (event->key()) {
    case Qt::Key_Left:
        next = m_current <= 0 ? 0 : m_current - 1;
        break;
    case Qt::Key_Right:
        next = m_current < 0 ? 0 : std::min(last, m_current + 1);
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = last;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setCurrentDay(next);
    showSentence(next);
}

void DayChart::mouseMoveEvent(QMouseEvent* event)
{
    const int day = dayAt(event->position());
    if (day != m_hovered) {
        m_hovered = day;
        update();
        if (day >= 0)
            showSentence(day);
        else
            QToolTip::hideText();
    }
    QWidget::mouseMoveEvent(event);
}

void DayChart::leaveEvent(QEvent* event)
{
    m_hovered = -1;
    update();
    QWidget::leaveEvent(event);
}

void DayChart::focusInEvent(QFocusEvent* event)
{
    if (m_current < 0 && !m_days.isEmpty())
        setCurrentDay(0);
    update();
    QWidget::focusInEvent(event);
}

// The widget's own tooltip ("Point at a day for its total") shows only
// between the bars; over a bar its sentence is shown instead.
bool DayChart::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int day = dayAt(help->pos());
        if (day >= 0) {
            showSentence(day);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut)
        update();
    return QWidget::event(event);
}

} // namespace zol::ui
