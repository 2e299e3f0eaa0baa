#pragma once

class QAbstractButton;
class QWidget;

namespace zol::ui::Accessibility {

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
