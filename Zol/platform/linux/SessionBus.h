#pragma once

#include <QDBusConnection>
#include <QDBusMessage>

#include <functional>

namespace zol::linux_desktop {

// Hands out the bus a service talks to, connecting on first use: a command
// that never asks a desktop service never connects. Tests hand in a private
// bus.
using BusAccess = std::function<QDBusConnection()>;

// The user's session bus.
BusAccess sessionBus();

// How long a blocking question to a desktop service may take before the
// service counts as absent.
inline constexpr int briefCallMs = 300;

// Calls `message` and waits at most briefCallMs for the answer; an error
// message when the service is absent, refuses or is late. Never starts a
// service that is not running (no D-Bus activation).
QDBusMessage callBriefly(const QDBusConnection& bus, QDBusMessage message);

// Why an answer of callBriefly() to a question for `service` (as people
// name it) is an error, in one line.
QString whyNot(const QDBusMessage& errorReply, const QString& service);

} // namespace zol::linux_desktop
