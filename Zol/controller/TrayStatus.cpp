#include "TrayStatus.h"

#include "OpenBooks.h"
#include "PanelModel.h"
#include "records/Duration.h"

namespace zol {

namespace {

QString hoursAndMinutes(double seconds)
{
    const qint64 minutes = qint64(std::max(0.0, seconds)) / 60;
    return QString::number(minutes / 60) + u':' +
           QStringLiteral("%1").arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

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
    status.time = hoursAndMinutes(tracker.elapsed());
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
