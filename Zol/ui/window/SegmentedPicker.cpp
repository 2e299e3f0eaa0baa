#include "window/SegmentedPicker.h"

#include "common/Accessibility.h"

#include "common/Theme.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QSignalBlocker>

namespace zol::ui {

namespace {

constexpr qreal radius = 6;

// One segment: its text, and when picked, a filled pill in the accent colour.
class Segment final : public QAbstractButton
{
public:
    explicit Segment(QWidget* parent)
        : QAbstractButton(parent)
    {
        Accessibility::markAsChoice(this);
        setCheckable(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_Hover);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        const QFontMetrics metrics(font());
        return {std::max(64, metrics.horizontalAdvance(text()) + 28), metrics.height() + 12};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPalette& colours = palette();
        const QRectF pill = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
        if (isChecked()) {
            painter.setPen(Qt::NoPen);
            QColor dimmed = colours.color(QPalette::WindowText);
            dimmed.setAlphaF(0.12);
            painter.setBrush(isEnabled() ? Theme::accent(colours) : dimmed);
            painter.drawRoundedRect(pill, radius - 2, radius - 2);
        } else if (underMouse() && isEnabled()) {
            QColor hover = colours.color(QPalette::WindowText);
            hover.setAlphaF(0.08);
            painter.setPen(Qt::NoPen);
            painter.setBrush(hover);
            painter.drawRoundedRect(pill, radius - 2, radius - 2);
        }
        if (hasFocus()) {
            QColor ring = Theme::accent(colours);
            if (isChecked())
                ring = colours.color(QPalette::HighlightedText);
            painter.setPen(QPen(ring, 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(pill.adjusted(1, 1, -1, -1), radius - 3, radius - 3);
        }
        QColor ink = colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText);
        if (isChecked() && isEnabled())
            ink = Qt::white;
        painter.setPen(ink);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

} // namespace

SegmentedPicker::SegmentedPicker(const QString& accessibleName, QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_group(new QButtonGroup(this))
{
    setAccessibleName(accessibleName);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->setSpacing(0);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedPicker::valueChanged);
}

SegmentedPicker::~SegmentedPicker() = default;

void SegmentedPicker::addSegment(const QString& text, int value, const QString& objectName)
{
    auto* segment = new Segment(this);
    segment->setObjectName(objectName);
    segment->setText(text);
    segment->setAccessibleName(text);
    segment->setToolTip(toolTip());
    m_group->addButton(segment, value);
    m_layout->addWidget(segment);
    if (m_group->buttons().size() == 1)
        segment->setChecked(true);
}

void SegmentedPicker::setValue(int value)
{
    if (QAbstractButton* button = m_group->button(value)) {
        const QSignalBlocker quiet(m_group);
        button->setChecked(true);
    }
}

int SegmentedPicker::value() const
{
    return m_group->checkedId();
}

void SegmentedPicker::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    QColor border = colours.color(QPalette::WindowText);
    border.setAlphaF(Theme::isDark(colours) ? 0.22 : 0.18);
    painter.setPen(QPen(border, 1));
    painter.setBrush(colours.color(QPalette::Button));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

} // namespace zol::ui
