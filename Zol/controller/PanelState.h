#pragma once

#include "IdleReport.h"
#include "records/Project.h"
#include "support/Calendar.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace zol {

class PanelModel;
struct Administration;
struct TimeEntry;

// What the tray's panel shows, read off the controller: which of its four
// headers is up, and the sentences of the panel that depend on the books.
// Pure reads; the screen only lays them out.
namespace PanelState {

// Exactly one header shows, in this order of precedence: the away-time
// question while one waits for an answer, the current session while one is
// current (running or paused), the armed work, else today's total.
enum class Header { idlePrompt, session, armed, today };
Header header(const PanelModel& model);

// "· 1 session", "· 3 sessions": what follows today's total.
QString sessionCount(int sessions);

// Over the picker's list: "10 most recent · type to search all 25" while it
// shows the recent projects out of more, "3 of 25 projects" while a filter
// finds some; none otherwise. `shown` is the list as last read.
std::optional<QString> pickerCaption(const PanelModel& model, const QList<Project>& shown);
// "Nothing matches “brnd”" when a filter finds no project; none otherwise.
// `shown` is the picker's list as last read (pickerProjects()).
std::optional<QString> nothingMatches(const PanelModel& model, const QList<Project>& shown);
// No project at all and no filter: the picker invites adding one instead of
// showing an empty list.
bool hasNoProjects(const PanelModel& model);

// The armed work as its header names it; empty with nothing armed.
QString armedTitle(const PanelModel& model);
// "Switch to 2302 Website" while a session is current and other work is
// armed; none otherwise.
std::optional<QString> switchCaption(const PanelModel& model);

// When the user left, as the idle prompt finishes "The timer kept running
// since ": the short time of day, with the abbreviated date before it when
// the day was not today.
QString awaySince(const IdleReport& report, const QDateTime& now,
                  const Calendar& calendar = Calendar(), const QLocale& locale = QLocale());

// "Administration: Local" and its help, "Hours are being written into Local".
QString administrationTitle(const Administration& administration);
QString administrationHelp(const Administration& administration);

// The add form's notice when the typed number belongs to a project already:
// "2301 already exists: Acme — Brand book".
QString numberTaken(QStringView number, const Project& holder);
// Says what the studio will see of an edit of `project` with `typedNumber`:
// a new number moves its sessions (changing one, or adding the first), any
// other edit only renames.
QString editorFooter(const Project& project, QStringView typedNumber);

} // namespace PanelState
} // namespace zol
