#include "tray/PanelPlacement.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zol::ui {

namespace {

// Room kept between the panel and the bar or the screen's edge.
constexpr int gap = 4;

int clamped(int value, int low, int high)
{
    return high < low ? low : std::clamp(value, low, high);
}

} // namespace

BarSide barSide(QPoint anchor, QRect screen, QRect available)
{
    struct Candidate
    {
        BarSide side;
        bool reserved;
        int distance;
    };
    const std::array<Candidate, 4> candidates{{
        {BarSide::top, available.top() > screen.top(), anchor.y() - screen.top()},
        {BarSide::bottom, available.bottom() < screen.bottom(), screen.bottom() - anchor.y()},
        {BarSide::left, available.left() > screen.left(), anchor.x() - screen.left()},
        {BarSide::right, available.right() < screen.right(), screen.right() - anchor.x()},
    }};
    const bool anyReserved =
        std::any_of(candidates.cbegin(), candidates.cend(), [](const Candidate& c) { return c.reserved; });
    // Nothing reserved (no window manager to say, or a bar that floats):
    // bars along the top or the bottom are by far the most common, and an
    // icon in a corner is as near a side as it is to them.
    if (!anyReserved)
        return anchor.y() < screen.center().y() ? BarSide::top : BarSide::bottom;
    BarSide best = BarSide::top;
    int nearest = std::numeric_limits<int>::max();
    for (const Candidate& c : candidates) {
        if (!c.reserved)
            continue;
        if (c.distance < nearest) {
            nearest = c.distance;
            best = c.side;
        }
    }
    return best;
}

QPoint panelPosition(QSize size, QRect icon, QPoint pointer, QRect screen, QRect available)
{
    const QPoint anchor = icon.isEmpty() ? pointer : icon.center();
    const int left = available.left() + gap;
    const int top = available.top() + gap;
    const int right = available.left() + available.width() - gap - size.width();
    const int bottom = available.top() + available.height() - gap - size.height();
    const int centredX = clamped(anchor.x() - size.width() / 2, left, right);
    const int centredY = clamped(anchor.y() - size.height() / 2, top, bottom);
    // Against the bar, and never over the icon the tray reports.
    const bool known = !icon.isEmpty();
    switch (barSide(anchor, screen, available)) {
    case BarSide::top:
        return {centredX, known ? clamped(icon.bottom() + 1 + gap, top, bottom) : top};
    case BarSide::bottom:
        return {centredX, known ? clamped(icon.top() - gap - size.height(), top, bottom)
                                : std::max(top, bottom)};
    case BarSide::left:
        return {known ? clamped(icon.right() + 1 + gap, left, right) : left, centredY};
    case BarSide::right:
        return {known ? clamped(icon.left() - gap - size.width(), left, right)
                      : std::max(left, right),
                centredY};
    }
    return {centredX, top};
}

QSize panelSize(QSize natural, QRect available)
{
    if (available.isEmpty())
        return natural;
    const QSize room(std::max(1, available.width() - 2 * gap),
                     std::max(1, available.height() - 2 * gap));
    return natural.boundedTo(room);
}

} // namespace zol::ui
