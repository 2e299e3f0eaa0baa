#pragma once

#include "Refusal.h"

#include <QString>
#include <QStringView>

namespace zol {

class AppSettings;

// The name timesheets are filed under, as the person changes it: from the
// command line, the Personal section or the welcome window alike.
namespace PersonName {

// Checks `typed` (too long, not text) and saves it without the spaces around
// it; a refused name leaves the saved one as it was. A blank name is saved:
// timesheets are then filed under "Onbekend". Returns the name saved.
Outcome<QString> rename(AppSettings& settings, QStringView typed);

} // namespace PersonName

} // namespace zol
