#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QWidget;

namespace zol::ui::Accessibility {

// A list view whose rows carry actions a pointer finds as buttons painted on
// the row. A view that is one of these shows a screen reader each row as a
// list item named by the model's Qt::AccessibleTextRole, with the row's
// actions as the item's own.
class RowActions
{
public:
    struct Action
    {
        // What act() is given.
        QString id;
        // What a screen reader says.
        QString name;
    };

    virtual ~RowActions() = default;
    virtual QList<Action> rowActions(int row) const = 0;
    virtual void act(int row, const QString& id) = 0;
};

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
