#include "FakePlatform.h"

#include <QTimer>

namespace zol::test {

void FakeNotifier::requestAuthorisation(QObject* context, std::function<void(bool)> done)
{
    ++requests;
    const bool granted = grantOnRequest;
    status = granted ? Authorisation::authorised : Authorisation::denied;
    QTimer::singleShot(0, context, [done = std::move(done), granted] { done(granted); });
}

void FakeNotifier::click(const QString& actionId)
{
    Q_EMIT actionInvoked(posted.isEmpty() ? QString() : posted.constLast().id, actionId);
}

std::optional<double> FakeIdleTime::secondsSinceLastInput()
{
    if (!clock)
        return seconds;
    return double(lastInput.msecsTo(clock->now())) / 1000.0;
}

bool FakeShortcut::grab(const QString& signature)
{
    ++grabs;
    if (refuse)
        return false;
    held = signature;
    return true;
}

void FakeShortcut::release()
{
    ++releases;
    held.clear();
}

std::optional<QString> FakeLoginItem::setEnabled(bool on)
{
    ++changes;
    if (failure)
        return failure;
    enabled = on;
    return std::nullopt;
}

std::optional<QString> FakeDesktop::askWhereToSave(const SaveRequest& request)
{
    asked.append(request);
    return answers.isEmpty() ? std::nullopt : answers.dequeue();
}

FakePlatform::FakePlatform()
{
    auto notifierOwned = std::make_unique<FakeNotifier>();
    auto idleOwned = std::make_unique<FakeIdleTime>();
    auto shortcutOwned = std::make_unique<FakeShortcut>();
    auto loginOwned = std::make_unique<FakeLoginItem>();
    auto eventsOwned = std::make_unique<FakeSystemEvents>();
    auto desktopOwned = std::make_unique<FakeDesktop>();
    notifier = notifierOwned.get();
    idleTime = idleOwned.get();
    shortcut = shortcutOwned.get();
    loginItem = loginOwned.get();
    systemEvents = eventsOwned.get();
    desktop = desktopOwned.get();
    platform = std::make_unique<Platform>(std::move(notifierOwned), std::move(idleOwned),
                                          std::move(shortcutOwned), std::move(loginOwned),
                                          std::move(eventsOwned), std::move(desktopOwned));
}

} // namespace zol::test
