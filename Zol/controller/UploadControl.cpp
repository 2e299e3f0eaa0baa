#include "UploadControl.h"

#include "OpenBooks.h"
#include "SharingModel.h"
#include "books/AppSettings.h"
#include "formats/Timesheet.h"
#include "formats/TimesheetFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace zol {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::controller::UploadControl)
};

QString runningLeftOut()
{
    return Texts::tr("The running timer is left out. Stop it first to include it.");
}

// The period's file as people find it in the studio folder's "hours": the
// person's folder, the year, the kind and the id. The file on the share when
// there is one, else where the next upload writes it.
QString shownFile(const OpenBooks& books, const SharingModel& sharing)
{
    const AppSettings& settings = *books.settings();
    if (sharing.timesheetFile() && settings.sharedFolder()) {
        const QString root = QDir::cleanPath(Timesheet::root(*settings.sharedFolder())) + u'/';
        const QString file = QDir::cleanPath(*sharing.timesheetFile());
        return file.startsWith(root) ? file.mid(root.size()) : file;
    }
    return Timesheet::file(TimesheetFolder::folderName(settings.machineName()), sharing.period());
}

} // namespace

UploadControl UploadControl::of(const OpenBooks& books, const SharingModel& sharing)
{
    const UploadState& state = sharing.uploadState();
    const bool automatic = sharing.periodIsUploadedAutomatically();

    UploadControl control;
    control.caption = state.caption(automatic, books.clock().now(), books.calendar());
    control.buttonTitle = state.buttonTitle(sharing.period().kind(), automatic);
    control.isBusy = sharing.isUploading();
    control.canReveal = sharing.timesheetFile().has_value();
    switch (state.kind) {
    case UploadState::Kind::nothingTracked:
        // "Nothing tracked" would contradict the running session listed
        // right under it.
        if (sharing.periodHasRunningEntry()) {
            control.caption = Texts::tr("Nothing to hand in yet");
            control.help = runningLeftOut();
        }
        return control;
    case UploadState::Kind::noSharedFolder:
        control.help = Texts::tr("Set up the studio folder under Studio in the sidebar.");
        return control;
    case UploadState::Kind::neverUploaded:
        //: %1 is the file, as found in the studio folder's "hours".
        control.help = Texts::tr("This sends it now — writes %1.").arg(shownFile(books, sharing));
        if (automatic)
            control.help = Texts::tr("Goes up by itself within ten minutes.") + u' ' + control.help;
        break;
    case UploadState::Kind::upToDate:
    case UploadState::Kind::changedSince:
        //: %1 is the file, as found in the studio folder's "hours".
        control.help = Texts::tr("Already uploaded. Sending again simply rewrites %1.")
                           .arg(shownFile(books, sharing));
        break;
    }
    if (sharing.periodHasRunningEntry())
        control.help += u' ' + runningLeftOut();
    control.canSend = !control.isBusy;
    return control;
}

} // namespace zol
