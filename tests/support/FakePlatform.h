#pragma once

#include "Platform.h"
#include "support/Clock.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace zol::test {

class FakeNotifier final : public Notifier
{
public:
    Authorisation status = Authorisation::authorised;
    // What the next request for permission answers.
    bool grantOnRequest = true;
    int requests = 0;
    QList<Notification> posted;
    QHash<QString, QList<NotificationAction>> categories;

    // What availability() answers.
    ServiceAvailability answer = ServiceAvailability::present(QStringLiteral("fake notifications"));

    ServiceAvailability availability() override { return answer; }
    Authorisation authorisation() override { return status; }
    // Answers on the next turn of the event loop, as the system's dialog would.
    void requestAuthorisation(QObject* context, std::function<void(bool)> done) override
    {
        ++requests;
        status = grantOnRequest ? Authorisation::authorised : Authorisation::denied;
        QTimer::singleShot(0, context,
                           [done = std::move(done), granted = grantOnRequest] { done(granted); });
    }
    void registerCategory(const QString& category,
                          const QList<NotificationAction>& actions) override
    {
        categories.insert(category, actions);
    }
    void post(const Notification& notification) override { posted.append(notification); }
    // As if the user clicked `actionId` on the last notification posted.
    void click(const QString& actionId)
    {
        Q_EMIT actionInvoked(posted.isEmpty() ? QString() : posted.constLast().id, actionId);
    }
};

class FakeIdleTime final : public IdleTimeSource
{
public:
    // When set, the idle time is counted on this clock from `lastInput`, so
    // that it grows as the clock moves (a sleep included); else it is 0.
    const Clock* clock = nullptr;
    QDateTime lastInput;

    // What availability() answers.
    ServiceAvailability answer = ServiceAvailability::present(QStringLiteral("fake idle time"));

    ServiceAvailability availability() override { return answer; }
    // The user touches keyboard or mouse now (only with `clock`).
    void input()
    {
        if (clock)
            lastInput = clock->now();
    }
    // How often the idle time was asked for.
    int asked = 0;
    std::optional<double> secondsSinceLastInput() override
    {
        ++asked;
        return clock ? double(lastInput.msecsTo(clock->now())) / 1000.0 : 0.0;
    }
};

class FakeShortcut final : public GlobalShortcut
{
public:
    int grabs = 0;
    int releases = 0;
    QString held;
    // When set, every grab is refused with this reason.
    std::optional<QString> refusal;

    // What availability() answers.
    ServiceAvailability answer = ServiceAvailability::present(QStringLiteral("fake hot key"));

    ServiceAvailability availability() override { return answer; }
    std::expected<void, QString> grab(const QString& signature) override
    {
        ++grabs;
        if (refusal)
            return std::unexpected(*refusal);
        held = signature;
        return {};
    }
    void release() override
    {
        ++releases;
        held.clear();
    }
    // As if the user pressed the combination `signature` (the held one by default).
    void press(const QString& signature = {})
    {
        Q_EMIT pressed(signature.isEmpty() ? held : signature);
    }
};

class FakeLoginItem final : public LoginItemService
{
public:
    bool enabled = false;
    int changes = 0;
    // When set, every change fails with this text.
    std::optional<QString> failure;

    // What availability() answers.
    ServiceAvailability answer = ServiceAvailability::present(QStringLiteral("fake login item"));

    ServiceAvailability availability() override { return answer; }
    bool isEnabled() override { return enabled; }
    std::optional<QString> setEnabled(bool on) override
    {
        ++changes;
        if (!failure)
            enabled = on;
        return failure;
    }
};

// The machine's events, emitted by the test itself; the availabilities are
// the test's to set.
class FakeSystemEvents final : public SystemEvents
{
public:
    ServiceAvailability sleepAnswer = ServiceAvailability::present(QStringLiteral("fake sleep"));
    ServiceAvailability lockAnswer = ServiceAvailability::present(QStringLiteral("fake lock"));

    ServiceAvailability sleepAvailability() override { return sleepAnswer; }
    ServiceAvailability lockAvailability() override { return lockAnswer; }
};

class FakeDesktop final : public Desktop
{
public:
    QStringList revealed;
    QList<QUrl> opened;
    QList<SaveRequest> asked;
    // The answers to the next save dialogs, in order; an empty queue cancels.
    QQueue<std::optional<QString>> answers;

    ServiceAvailability availability() override
    {
        return ServiceAvailability::present(QStringLiteral("fake file manager"));
    }
    void reveal(const QString& path) override { revealed.append(path); }
    void openUrl(const QUrl& url) override { opened.append(url); }
    std::optional<QString> askWhereToSave(const SaveRequest& request) override
    {
        asked.append(request);
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }
};

// A Platform made of the fakes above, with typed access to each; the system
// events are emitted by the test itself.
struct FakePlatform
{
    FakePlatform();

    FakeNotifier* notifier;
    FakeIdleTime* idleTime;
    FakeShortcut* shortcut;
    FakeLoginItem* loginItem;
    FakeSystemEvents* systemEvents;
    FakeDesktop* desktop;
    std::unique_ptr<Platform> platform;

    operator Platform&() const { return *platform; }
};

} // namespace zol::test
