#pragma once

#include "records/Project.h"
#include "records/TimeEntry.h"

#include <QString>

namespace zol {

// How a project or a session is named wherever a person reads it: in the
// panel, the window, the command line and the sentences of the status line.
// A project with a local key has no number to show (Project::numberToShow);
// internal work is named by its description.
namespace Captions {

// "2301 Brand book", or the name alone while the project has no number.
QString projectTitle(const Project& project);
// A session's work the same way: "2301 Brand book", the name alone for a
// project without a number, the description for internal work.
QString sessionTitle(const TimeEntry& entry);
// The number on a session's badge: empty for internal work and for a project
// without a number.
QString badge(const TimeEntry& entry);
// Names in a sentence: "A", "A and B", "A, B and C".
QString listed(const QStringList& items);

} // namespace Captions
} // namespace zol
