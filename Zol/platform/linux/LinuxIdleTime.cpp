#include "linux/LinuxIdleTime.h"

#include <QCoreApplication>
#include <QStringList>

namespace zol::linux_desktop {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(zol::platform::LinuxIdleTime)
};

} // namespace

LinuxIdleTime::LinuxIdleTime(std::vector<std::unique_ptr<IdleTimeSource>> sources)
    : m_sources(std::move(sources))
{}

LinuxIdleTime::~LinuxIdleTime() = default;

ServiceAvailability LinuxIdleTime::availability()
{
    QStringList reasons;
    for (const std::unique_ptr<IdleTimeSource>& source : m_sources) {
        ServiceAvailability found = source->availability();
        if (found.found) {
            m_answering = source.get();
            return found;
        }
        // Sources over one bus fail for the same reason when the bus is gone.
        if (!reasons.contains(found.reason))
            reasons.append(found.reason);
    }
    m_answering = nullptr;
    return ServiceAvailability::missing(
        Texts::tr("Nothing tells the idle time, so the away prompt stays off. %1")
            .arg(reasons.join(u' ')));
}

std::optional<double> LinuxIdleTime::secondsSinceLastInput()
{
    if (m_answering) {
        if (const std::optional<double> seconds = m_answering->secondsSinceLastInput())
            return seconds;
    }
    IdleTimeSource* const failed = m_answering;
    m_answering = nullptr;
    for (const std::unique_ptr<IdleTimeSource>& source : m_sources) {
        if (source.get() == failed)
            continue;
        if (const std::optional<double> seconds = source->secondsSinceLastInput()) {
            m_answering = source.get();
            return seconds;
        }
    }
    return std::nullopt;
}

} // namespace zol::linux_desktop
