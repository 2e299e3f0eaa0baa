#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QAbstractButton;
class QWidget;

namespace zol::ui::Accessibility {

// A widget that paints things a person points at and acts on: the rows of a
// list with buttons drawn on them, the blocks of a calendar. A widget that is
// one of these shows a screen reader each thing as an item of a list, with
// its name, its place and the actions a pointer finds on it.
class Items
{
public:
    struct Action
    {
        // What actOn() is given.
        QString id;
        // What a screen reader says.
        QString name;
    };

    virtual ~Items() = default;
    virtual int itemCount() const = 0;
    virtual QString itemName(int item) const = 0;
    // Where it is drawn, in the widget's own coordinates.
    virtual QRect itemRect(int item) const = 0;
    // The item the keys act on; -1 for none.
    virtual int currentItem() const = 0;
    virtual QList<Action> itemActions(int item) const = 0;
    virtual void actOn(int item, const QString& id) = 0;
};

// Tells a screen reader that the keys now act on `item` of `widget`, one of
// the Items, which has the focus.
void focusItem(QWidget* widget, int item);

// What Qt's own accessibility leaves out or names wrongly, put right for
// screen readers (over AT-SPI on Linux). Installed once, before the first
// question a screen reader asks; the functions below install it too.
void install();

// A checkable button that is one choice of several (a segment of a picker, a
// range): a radio button to a screen reader, not a check box. Called as
// soon as the button is made, before anything could ask about it.
void markAsChoice(QAbstractButton* button);

// A popup window that should be among the application's windows while it
// shows: Qt leaves popups out, so the panel could be found only by
// following the focus.
void includeAmongWindows(QWidget* popup);

} // namespace zol::ui::Accessibility
