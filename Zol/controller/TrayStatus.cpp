#include "TrayStatus.h"

#include "OpenBooks.h"
#include "PanelModel.h"
#include "records/Duration.h"

#include <QCoreApplication>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::TrayStatus)
};

} // namespace

TrayStatus TrayStatus::of(const PanelModel& model)
{
    const Tracker& tracker = *model.books().tracker();
    TrayStatus status;
    const std::optional<TimeEntry>& current = tracker.current();
    if (!current) {
        //: Keep "Zol: " in front: the tray's menu shows the rest.
        status.accessibleLabel = Texts::tr("Zol: not tracking");
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
    const QString elapsed = Duration::coarseString(tracker.elapsed());
    if (tracker.isPaused()) {
        //: Keep "Zol: " in front: the tray's menu shows the rest. %1 is the project, %2 how
        //: long it has run: "1h 5m".
        status.accessibleLabel =
            Texts::tr("Zol: paused on %1, %2").arg(current->projectName, elapsed);
    } else {
        //: Keep "Zol: " in front: the tray's menu shows the rest. %1 is the project, %2 how
        //: long it has run: "1h 5m".
        status.accessibleLabel =
            Texts::tr("Zol: tracking %1, %2").arg(current->projectName, elapsed);
    }
    return status;
}

QString TrayStatus::summary() const
{
    // The program's name the label begins with, in every language.
    static const QString prefix = QStringLiteral("Zol: ");
    QString line = accessibleLabel.startsWith(prefix) ? accessibleLabel.mid(prefix.size())
                                                      : accessibleLabel;
    if (!line.isEmpty())
        line[0] = line.at(0).toUpper();
    return line;
}

} // namespace zol
