#pragma once

#include <QHashFunctions>
#include <QString>

namespace zol {

struct Project;
struct TimeEntry;

// The colour a project or session is drawn in, derived from its client, so that
// every project of one client shares a colour. Components are in 0..1.
struct ProjectColour
{
    double hue = 0;
    double saturation = 0;
    double brightness = 0;
    bool isNeutral = false;

    // The colour of internal work.
    static ProjectColour neutral();

    static ProjectColour of(const Project& project);
    static ProjectColour of(const TimeEntry& entry);
    // Keyed on the client, or on `fallback` (the number) when there is none.
    static ProjectColour of(QStringView client, QStringView fallback, bool isInternal);

    bool operator==(const ProjectColour& other) const = default;
};

size_t qHash(const ProjectColour& colour, size_t seed = 0);

} // namespace zol
