#pragma once

#include "ServiceAvailability.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace zol {

// What the controller needs to ask of the user's desktop: show a file in the
// file browser, open an address in the browser, and ask where to save.
class Desktop
{
public:
    // What a save dialog asks.
    struct SaveRequest
    {
        QString title;
        // A line under the title; may be empty.
        QString message;
        QString suggestedName;
        // MIME type of what is saved ("text/csv", "application/json",
        // "text/html"); "inode/directory" when a folder is chosen.
        QString contentType;
        bool canCreateFolders = false;
    };

    virtual ~Desktop() = default;

    // Whether a file browser can show a file selected ("file manager").
    virtual ServiceAvailability availability() = 0;

    // Shows the file or folder selected in the file browser.
    virtual void reveal(const QString& path) = 0;
    virtual void openUrl(const QUrl& url) = 0;
    // The path chosen, or none when the user cancelled. The application comes
    // to the front first.
    virtual std::optional<QString> askWhereToSave(const SaveRequest& request) = 0;
};

} // namespace zol
