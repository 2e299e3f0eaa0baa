#pragma once

#include "ServiceAvailability.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace zol {

// One button of a notification.
struct NotificationAction
{
    QString id;
    QString title;

    bool operator==(const NotificationAction& other) const = default;
};

// A notification to show now.
struct Notification
{
    // Identifies the request; posting the same id again replaces the earlier one.
    QString id;
    QString title;
    QString body;
    // The registered category whose actions the notification carries.
    QString category;
    // Shown without drawing attention (no sound, no interruption).
    bool passive = false;

    bool operator==(const Notification& other) const = default;
};

// The desktop's notification service. Actions are registered once per
// category; a click on one comes back as actionInvoked() with the
// notification's id and the action's id.
class Notifier : public QObject
{
    Q_OBJECT

public:
    enum class Authorisation { notDetermined, denied, authorised, provisional };

    using QObject::QObject;

    // Whether a notification server is there, and which ("notifications").
    virtual ServiceAvailability availability() = 0;
    // What the user has allowed so far.
    virtual Authorisation authorisation() = 0;
    // Asks the user for permission to notify; `done` runs on the caller's
    // thread with the answer (false also when the request failed).
    virtual void requestAuthorisation(QObject* context, std::function<void(bool granted)> done) = 0;
    virtual void registerCategory(const QString& category,
                                  const QList<NotificationAction>& actions) = 0;
    // Shows the notification; failures are silent.
    virtual void post(const Notification& notification) = 0;

Q_SIGNALS:
    void actionInvoked(const QString& notificationId, const QString& actionId);
};

} // namespace zol
