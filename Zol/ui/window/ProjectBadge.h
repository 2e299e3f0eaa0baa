#pragma once

#include "HistoryGroups.h"
#include "records/ProjectColour.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QPainter;

namespace zol::ui {

// A project's number on a rounded badge in the project's colour, as the
// history, the calendar and the search results show it; "Internal" on a
// neutral badge for internal work; a dot of the colour for a project still
// without its number.
namespace ProjectBadge {

// The project colour as drawn on `palette` (a little deeper on dark windows).
QColor colour(const ProjectColour& colour, const QPalette& palette);
// Text that reads on a fill of `fill`.
QColor textOn(const QColor& fill);

// Draws the badge at the left of `area`, centred vertically; returns where.
QRect paint(QPainter* painter, const QRect& area, const QString& number,
            const ProjectColour& colour, const QFont& font, const QPalette& palette);
QRect paint(QPainter* painter, const QRect& area, const ProjectTotal& group, const QFont& font,
            const QPalette& palette);
QRect paint(QPainter* painter, const QRect& area, const TimeEntry& entry, const QFont& font,
            const QPalette& palette);

} // namespace ProjectBadge

} // namespace zol::ui
