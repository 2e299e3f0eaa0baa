#include "window/ProjectBadge.h"

#include "common/Theme.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

namespace zol::ui::ProjectBadge {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::ui::ProjectBadge)
};

} // namespace

QColor colour(const ProjectColour& colour, const QPalette& palette)
{
    QColor c = QColor::fromHsvF(colour.hue, colour.saturation, colour.brightness);
    if (colour.isNeutral)
        c = Theme::isDark(palette) ? QColor(0x5a, 0x5c, 0x63) : QColor(0xc9, 0xca, 0xcf);
    else if (Theme::isDark(palette))
        c = c.darker(118);
    return c;
}

QColor textOn(const QColor& fill)
{
    // Relative luminance, roughly: light fills get dark text.
    const double luminance = 0.2126 * fill.redF() + 0.7152 * fill.greenF() + 0.0722 * fill.blueF();
    return luminance > 0.55 ? QColor(0x1b, 0x1c, 0x1f) : QColor(Qt::white);
}

QRect paint(QPainter* painter, const QRect& area, const QString& number,
            const ProjectColour& projectColour, const QFont& font, const QPalette& palette)
{
    const QColor fill = colour(projectColour, palette);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    if (number.isEmpty()) {
        const int dot = 12;
        const QRect place(area.left() + 4, area.center().y() - dot / 2 + 1, dot, dot);
        painter->drawEllipse(place);
        painter->restore();
        return place.adjusted(-4, 0, 0, 0);
    }
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.86);
    small.setBold(true);
    const QFontMetrics metrics(small);
    const int height = metrics.height() + 6;
    const QRect place(area.left(), area.center().y() - height / 2 + 1,
                      std::max(height, metrics.horizontalAdvance(number) + 14), height);
    painter->drawRoundedRect(QRectF(place), 6, 6);
    painter->setFont(small);
    painter->setPen(textOn(fill));
    painter->drawText(place, Qt::AlignCenter, number);
    painter->restore();
    return place;
}

QRect paint(QPainter* painter, const QRect& area, const ProjectTotal& group, const QFont& font,
            const QPalette& palette)
{
    if (group.isInternal)
        return paint(painter, area, Texts::tr("Internal"), ProjectColour::neutral(), font, palette);
    return paint(painter, area, group.badge(),
                 ProjectColour::of(group.clientName, group.projectSerial, false), font, palette);
}

QRect paint(QPainter* painter, const QRect& area, const TimeEntry& entry, const QFont& font,
            const QPalette& palette)
{
    if (entry.isInternal)
        return paint(painter, area, Texts::tr("Internal"), ProjectColour::neutral(), font, palette);
    const QString number = Project::numberToShow(entry.projectSerial);
    return paint(painter, area, number, ProjectColour::of(entry), font, palette);
}

} // namespace zol::ui::ProjectBadge
