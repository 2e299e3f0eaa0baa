#pragma once

#include "Platform.h"
#include "support/Clock.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>

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

    Authorisation authorisation() override { return status; }
    void requestAuthorisation(QObject* context, std::function<void(bool)> done) override;
    void registerCategory(const QString& category, const QList<NotificationAction>& actions) override
    {
        categories.insert(category, actions);
    }
    void post(const Notification& notification) override { posted.append(notification); }
    // As if the user clicked `actionId` on the last notification posted.
    void click(const QString& actionId);
};

class FakeIdleTime final : public IdleTimeSource
{
public:
    std::optional<double> seconds = 0.0;
    // When set, the idle time is counted on this clock from `lastInput`
    // instead, so that it grows as the clock moves (a sleep included).
    const Clock* clock = nullptr;
    QDateTime lastInput;

    // The user touches keyboard or mouse now (only with `clock`).
    void input()
    {
        if (clock)
            lastInput = clock->now();
    }
    std::optional<double> secondsSinceLastInput() override;
};

class FakeShortcut final : public GlobalShortcut
{
public:
    bool refuse = false;
    int grabs = 0;
    int releases = 0;
    QString held;

    bool grab(const QString& signature) override;
    void release() override;
    // As if the user pressed the combination `signature` (the held one by default).
    void press(const QString& signature = {}) { Q_EMIT pressed(signature.isEmpty() ? held : signature); }
};

class FakeLoginItem final : public LoginItemService
{
public:
    bool enabled = false;
    int changes = 0;
    // When set, every change fails with this text.
    std::optional<QString> failure;

    bool isEnabled() override { return enabled; }
    std::optional<QString> setEnabled(bool on) override;
};

class FakeSystemEvents final : public SystemEvents
{
};

class FakeDesktop final : public Desktop
{
public:
    QStringList revealed;
    QList<QUrl> opened;
    QList<SaveRequest> asked;
    // The answers to the next save dialogs, in order; an empty queue cancels.
    QQueue<std::optional<QString>> answers;

    void reveal(const QString& path) override { revealed.append(path); }
    void openUrl(const QUrl& url) override { opened.append(url); }
    std::optional<QString> askWhereToSave(const SaveRequest& request) override;
};

// A Platform made of the fakes above, with typed access to each.
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
