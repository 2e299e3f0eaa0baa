#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace zol::linux_desktop {

// How long a question someone waits for may take on a bus. Past it the
// question counts as unanswered, so a service that hangs cannot hang us.
inline constexpr int probeTimeoutMs = 300;

// Whether anyone answers to a well-known name. Asked of the bus itself, so
// asking never starts the service.
enum class NameStatus {
    // A process holds the name now.
    owned,
    // Nobody holds it, but the bus starts a service for it on the first call.
    activatable,
    absent,
};

// Blocks for at most probeTimeoutMs per question (two at most). A bus that
// is not connected, or does not answer in time, has nobody: absent.
NameStatus nameStatus(const QDBusConnection& bus, const QString& name);

// The same without blocking: `answer` runs on `context`'s thread once the bus
// has answered (or failed to), unless `context` is gone by then.
void askNameStatus(const QDBusConnection& bus, const QString& name, QObject* context,
                   std::function<void(NameStatus)> answer);

// The command name of the process that holds `name` ("nautilus"), as people
// recognise it; empty when it cannot be told. Bounded like nameStatus().
QString ownerProgram(const QDBusConnection& bus, const QString& name);

} // namespace zol::linux_desktop
