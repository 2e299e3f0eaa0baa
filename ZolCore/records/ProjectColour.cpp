#include "records/ProjectColour.h"

#include "records/Project.h"
#include "records/TimeEntry.h"
#include "support/Fnv.h"

#include <cstdint>

namespace zol {

ProjectColour ProjectColour::neutral()
{
    return ProjectColour{0.78, 0.45, 0.78, true};
}

ProjectColour ProjectColour::of(const Project& project)
{
    return of(project.clientName, project.serial, false);
}

ProjectColour ProjectColour::of(const TimeEntry& entry)
{
    return of(entry.clientName, entry.projectSerial, entry.isInternal);
}

ProjectColour ProjectColour::of(QStringView client, QStringView fallback, bool isInternal)
{
    if (isInternal)
        return neutral();

    const QByteArray key = (client.isEmpty() ? fallback : client).toString().toLower().toUtf8();

    const std::uint64_t h = fnv1a64(key);

    // Spread the hash over the hue circle with the golden-ratio multiplier.
    const std::uint64_t spread = h * 0x9e3779b97f4a7c15ULL;
    const double hue = double(spread >> 40) / double(1 << 24);
    const int step = int((h >> 12) & 3U);
    return ProjectColour{hue, 0.52 + 0.07 * step, 0.82 - 0.05 * step, false};
}

size_t qHash(const ProjectColour& c, size_t seed)
{
    return qHashMulti(seed, c.hue, c.saturation, c.brightness, c.isNeutral);
}

} // namespace zol
