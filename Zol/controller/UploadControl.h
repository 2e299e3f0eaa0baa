#pragma once

#include <QString>

namespace zol {

class OpenBooks;
class SharingModel;

// Everything the upload control of the History shows for the week or month on
// screen: the caption, the button, the help under it, and whether "Show
// uploaded file" has a file to show.
struct UploadControl
{
    // "3 sessions · going up shortly", "Uploaded today 14:05", …
    QString caption;
    // "Send now", "Upload week", "Send again", "Upload again", …
    QString buttonTitle;
    // What pressing the button does, and what stands in its way.
    QString help;
    // The button has something to send and somewhere to send it.
    bool canSend = false;
    // An upload is running.
    bool isBusy = false;
    // The period's file is on the share.
    bool canReveal = false;

    static UploadControl of(const OpenBooks& books, const SharingModel& sharing);

    bool operator==(const UploadControl& other) const = default;
};

} // namespace zol
