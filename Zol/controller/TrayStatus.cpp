#include "TrayStatus.h"

#include "OpenBooks.h"
#include "PanelModel.h"
#include "records/Duration.h"

namespace zol {

TrayStatus TrayStatus::of(const PanelModel& model)
{
    const Tracker& tracker = *model.books().tracker();
    TrayStatus status;
    const std::optional<TimeEntry>& current = tracker.current();
    if (!current) {
        status.accessibleLabel = QStringLiteral("Zol: not tracking");
        return status;
    }
    if (tracker.isPaused())
        status.picture = Picture::paused;
    else if (model.runningTooLong())
        status.picture = Picture::warningClock;
    else
        status.picture = Picture::runningClock;
    // The tray's label turns once a minute, so it shows the total's form,
    // never a clock: "0:27" would read as minutes here and as seconds in
    // the panel.
    status.time = Duration::coarseString(std::max(0.0, tracker.elapsed()));
    status.accessibleLabel = QStringLiteral("Zol: ") +
                             (tracker.isPaused() ? QStringLiteral("paused on")
                                                 : QStringLiteral("tracking")) +
                             u' ' + current->projectName + QStringLiteral(", ") +
                             Duration::coarseString(tracker.elapsed());
    return status;
}

QString TrayStatus::summary() const
{
    static const QString prefix = QStringLiteral("Zol: ");
    QString line = accessibleLabel.startsWith(prefix) ? accessibleLabel.mid(prefix.size())
                                                      : accessibleLabel;
    if (!line.isEmpty())
        line[0] = line.at(0).toUpper();
    return line;
}

} // namespace zol
