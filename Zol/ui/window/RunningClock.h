#pragma once

#include <functional>

class QObject;

namespace zol {
class AppModel;
}

namespace zol::ui {

// Calls `onTick` on every tick of the clock while a session runs, for as long
// as `owner` lives, following the tracker of whichever books are open (a
// switch of books brings another tracker).
void followRunningClock(QObject* owner, AppModel& model, std::function<void()> onTick);

} // namespace zol::ui
