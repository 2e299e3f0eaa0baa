#pragma once

#include <QString>
#include <QStringView>

#include <expected>
#include <optional>

namespace zol {

// The checks that names, notes and numbers typed by a person pass before they
// are stored. Both front ends call them where the value enters (the screens'
// forms and the command line), so a value is refused in the same words
// wherever it was typed; the settings store and the database themselves keep
// whatever they are given.
//
// Each check returns the one-line sentence that refuses the value, or nothing
// when the value may be stored. A refused value changes nothing: the caller
// shows the sentence and stops.
namespace InputCheck {

// What a name names; it chooses the words of the refusal and whether it may be
// blank (a client and a project number may).
enum class Name { person, project, client, projectNumber, administration, task, internalWork };

// Names are counted in characters (code points), blanks at either end left
// out, as they are stored trimmed.
inline constexpr qsizetype longestName = 200;
// A note is free text, but it travels in every timesheet and export row of
// its session, and the studio's readers take a timesheet file of at most
// 64 MiB: at this bound a month of 300 sessions, every note full, stays near
// 12 MB, and a log pasted by mistake cannot make a person's timesheets
// unreadable to everyone else.
inline constexpr qsizetype longestNote = 10'000;

// Refuses text that cannot be written as UTF-8 (a lone surrogate, which is
// also how the command line carries argument bytes that were not UTF-8), a
// name longer than longestName, and a blank name where one is required.
std::optional<QString> refuseName(Name what, QStringView typed);
// Refuses text that cannot be written as UTF-8 and a note longer than
// longestNote. A blank note is no note.
std::optional<QString> refuseNote(QStringView typed);

// The whole numbers a setting accepts, by its key ("idle.minutes"). The keys
// without a range take any integer.
struct Range
{
    int lowest = 0;
    int highest = 0;
};
std::optional<Range> rangeOf(QStringView key);
// Refuses a number outside the key's range, naming the range.
std::optional<QString> refuseSetting(QStringView key, int value);
// The number typed for a key (blanks at either end ignored), or the refusal of
// anything that is not a whole number in the key's range.
std::expected<int, QString> settingNumber(QStringView key, QStringView typed);

} // namespace InputCheck
} // namespace zol
