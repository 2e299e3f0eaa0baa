#pragma once

#include "Refusal.h"

#include <QString>
#include <QStringView>

namespace zol {

class AppSettings;

// The name timesheets are filed under, as the person changes it: from the
// command line, the Personal section or the welcome window alike.
namespace PersonName {

// Which books a new name is for.
enum class Scope {
    // The person's one name on this computer: every set of books without a
    // name of its own, the open books included (they give up theirs).
    everyBooks,
    // The open books alone.
    theseBooks,
};

// Checks `typed` (too long, not text) and saves it without the spaces around
// it; a refused name leaves the saved one as it was. A blank name is saved:
// timesheets are then filed under "Onbekend". Returns the name saved.
Outcome<QString> rename(AppSettings& settings, QStringView typed, Scope scope = Scope::everyBooks);

// Which books the name of the open books is used by, said under the name:
// "Used by every set of books on this computer." or that these books have
// a name of their own.
QString scopeLine(const AppSettings& settings);

} // namespace PersonName

} // namespace zol
