#pragma once

#include <QList>
#include <QString>

namespace zol {

// One section of the main window, as the sidebar lists it.
struct WindowSection
{
    // What the controller stores ("history").
    QString id;
    // What the sidebar shows ("History").
    QString label;

    bool operator==(const WindowSection& other) const = default;
};

// The ten sections, in sidebar order, labelled in the language of the moment.
QList<WindowSection> windowSections();

} // namespace zol
