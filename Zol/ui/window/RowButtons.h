#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class QAbstractItemView;
class QPainter;
class QStyleOptionViewItem;

namespace zol::ui {

// Buttons painted at the right end of a list row by an item delegate, right
// to left in the order given: an icon with its label as tooltip, or a word.
// Keyboard users reach the same actions through the list's own keys and
// context menu; these are the pointer's way in.
class RowButtons
{
public:
    struct Button
    {
        // What hit() returns.
        QString id;
        // An icon of the resource file; empty for a button that shows `label`.
        QString icon;
        // The word on a text button, the tooltip of an icon button.
        QString label;
    };

    RowButtons() = default;
    explicit RowButtons(QList<Button> buttons);

    static constexpr int height = 26;
    static constexpr int spacing = 4;

    // Where each button is drawn in a row at `row`, in the order given.
    QList<QRect> rects(const QRect& row, const QAbstractItemView* view) const;
    // The width all the buttons take, spacing included.
    int width(const QAbstractItemView* view) const;
    // Draws the buttons; the one under the pointer is lit.
    void paint(QPainter* painter, const QStyleOptionViewItem& option) const;
    // The button at `point` in a row at `row`.
    std::optional<Button> hit(const QRect& row, const QPoint& point,
                              const QAbstractItemView* view) const;
    bool isEmpty() const { return m_buttons.isEmpty(); }
    // In the order given: right to left on the row.
    const QList<Button>& buttons() const { return m_buttons; }

private:
    QList<Button> m_buttons;
};

} // namespace zol::ui
