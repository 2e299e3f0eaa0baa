#pragma once

#include "Desktop.h"
#include "GlobalShortcut.h"
#include "IdleTimeSource.h"
#include "LoginItemService.h"
#include "Notifier.h"
#include "SystemEvents.h"
#include "Appearance.h"
#include "TrayHost.h"

#include <QCoreApplication>

// The services that do nothing, for a desktop that lacks one (or all) of its
// own: notifications go nowhere, no input time is known, no key is grabbed,
// no login item exists, no event ever arrives, nothing is revealed and every
// save dialog is cancelled.
namespace zol::doing_nothing {

inline QString notOnThisDesktop()
{
    return QCoreApplication::translate("zol::platform::DoingNothing",
                                       "Not available on this desktop.");
}

class SilentNotifier final : public Notifier
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop());
    }
    Authorisation authorisation() override { return Authorisation::denied; }
    void requestAuthorisation(QObject* context, std::function<void(bool)> done) override
    {
        QMetaObject::invokeMethod(
            context, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
    }
    void registerCategory(const QString&, const QList<NotificationAction>&) override {}
    void post(const Notification&) override {}
};

class UnknownIdleTime final : public IdleTimeSource
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop());
    }
    std::optional<double> secondsSinceLastInput() override { return std::nullopt; }
};

class NoShortcut final : public GlobalShortcut
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop());
    }
    std::expected<void, QString> grab(const QString&) override
    {
        return std::unexpected(notOnThisDesktop());
    }
    void release() override {}
};

class NoLoginItem final : public LoginItemService
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop());
    }
    bool isEnabled() override { return false; }
    std::optional<QString> setEnabled(bool enabled) override
    {
        if (!enabled)
            return std::nullopt;
        return QCoreApplication::translate("zol::platform::DoingNothing",
                                           "Starting at login is not available on this desktop.");
    }
};

class QuietSystem final : public SystemEvents
{
};

class NoDesktop final : public Desktop
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop());
    }
    void reveal(const QString&) override {}
    void openUrl(const QUrl&) override {}
    std::optional<QString> askWhereToSave(const SaveRequest&) override { return std::nullopt; }
};

class NoPreference final : public Appearance
{
public:
    Scheme preferredScheme() override { return Scheme::noPreference; }
};

class NoTray final : public TrayHost
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop());
    }
};

} // namespace zol::doing_nothing
