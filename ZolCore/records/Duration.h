#pragma once

#include <QString>

// Formatting of durations given in seconds. Each first rounds to a whole second
// (halves away from zero); negative durations read with a leading minus.
//
// Two forms, one per kind of text, wherever a person reads a duration (the
// tray, the panel, the window, what a screen reader says, the command line):
// - the clock form for the running session's own clock, which ticks every
//   second beside the session's name: the panel's readout and zol status;
// - the coarse form for everything else: totals, the length of a session in
//   a list (running or not), and texts that change once a minute (the
//   tray's label).
namespace zol::Duration {

// "4:05" under an hour, "1:04:05" from an hour on.
QString clockString(double seconds);

// "45m" under an hour; "2h" or "2h 5m" from an hour on (minutes left out when 0).
QString coarseString(double seconds);

// Hours rounded to two decimals: 5400 s is 1.5.
double decimalHours(double seconds);

} // namespace zol::Duration
