#include "Platform.h"

#ifdef Q_OS_LINUX
#include "linux/LinuxPlatform.h"
#endif

namespace zol {

namespace {

const QString notOnThisDesktop = QStringLiteral("Not available on this desktop.");

class SilentNotifier final : public Notifier
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop);
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
        return ServiceAvailability::missing(notOnThisDesktop);
    }
    std::optional<double> secondsSinceLastInput() override { return std::nullopt; }
};

class NoShortcut final : public GlobalShortcut
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop);
    }
    std::expected<void, QString> grab(const QString&) override
    {
        return std::unexpected(notOnThisDesktop);
    }
    void release() override {}
};

class NoLoginItem final : public LoginItemService
{
public:
    ServiceAvailability availability() override
    {
        return ServiceAvailability::missing(notOnThisDesktop);
    }
    bool isEnabled() override { return false; }
    std::optional<QString> setEnabled(bool enabled) override
    {
        if (!enabled)
            return std::nullopt;
        return QStringLiteral("Starting at login is not available on this desktop.");
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
        return ServiceAvailability::missing(notOnThisDesktop);
    }
    void reveal(const QString&) override {}
    void openUrl(const QUrl&) override {}
    std::optional<QString> askWhereToSave(const SaveRequest&) override { return std::nullopt; }
};

} // namespace

Platform::Platform(std::unique_ptr<Notifier> notifier, std::unique_ptr<IdleTimeSource> idleTime,
                   std::unique_ptr<GlobalShortcut> shortcut,
                   std::unique_ptr<LoginItemService> loginItem,
                   std::unique_ptr<SystemEvents> systemEvents, std::unique_ptr<Desktop> desktop)
    : m_notifier(std::move(notifier))
    , m_idleTime(std::move(idleTime))
    , m_shortcut(std::move(shortcut))
    , m_loginItem(std::move(loginItem))
    , m_systemEvents(std::move(systemEvents))
    , m_desktop(std::move(desktop))
    , m_trayHost([] { return ServiceAvailability::missing(notOnThisDesktop); })
{}

void Platform::setTrayHostProbe(std::function<ServiceAvailability()> probe)
{
    m_trayHost = std::move(probe);
}

std::unique_ptr<Platform> Platform::forThisDesktop()
{
#ifdef Q_OS_LINUX
    return linux_desktop::makePlatform();
#else
    return doingNothing();
#endif
}

Platform::~Platform() = default;

std::unique_ptr<Platform> Platform::doingNothing()
{
    return doingNothing(noDesktop());
}

std::unique_ptr<Platform> Platform::doingNothing(std::unique_ptr<Desktop> desktop)
{
    return std::make_unique<Platform>(silentNotifier(), unknownIdleTime(), noShortcut(),
                                      noLoginItem(), quietSystem(), std::move(desktop));
}

std::unique_ptr<Notifier> Platform::silentNotifier()
{
    return std::make_unique<SilentNotifier>();
}

std::unique_ptr<IdleTimeSource> Platform::unknownIdleTime()
{
    return std::make_unique<UnknownIdleTime>();
}

std::unique_ptr<GlobalShortcut> Platform::noShortcut()
{
    return std::make_unique<NoShortcut>();
}

std::unique_ptr<LoginItemService> Platform::noLoginItem()
{
    return std::make_unique<NoLoginItem>();
}

std::unique_ptr<SystemEvents> Platform::quietSystem()
{
    return std::make_unique<QuietSystem>();
}

std::unique_ptr<Desktop> Platform::noDesktop()
{
    return std::make_unique<NoDesktop>();
}

} // namespace zol
