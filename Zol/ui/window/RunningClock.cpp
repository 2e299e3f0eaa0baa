#include "window/RunningClock.h"

#include "AppModel.h"
#include "tracking/Tracker.h"

#include <QObject>

#include <memory>

namespace zol::ui {

void followRunningClock(QObject* owner, AppModel& model, std::function<void()> onTick)
{
    auto ticking = std::make_shared<QMetaObject::Connection>();
    const auto follow = [owner, &model, ticking, onTick = std::move(onTick)] {
        QObject::disconnect(*ticking);
        *ticking = QObject::connect(model.books().tracker(), &Tracker::nowChanged, owner,
                                    [&model, onTick] {
                                        if (model.books().tracker()->isRunning())
                                            onTick();
                                    });
    };
    QObject::connect(&model.books(), &OpenBooks::trackerChanged, owner, follow);
    follow();
}

} // namespace zol::ui
