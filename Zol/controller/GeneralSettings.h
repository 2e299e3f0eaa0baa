#pragma once

#include "ServiceAvailability.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace zol {

class HotKeyReport;
class OpenBooks;
class Platform;
class UpdateModel;

// The General screen's view of the settings that shape the timer's
// companions (login item, reminders, long-running flag, away time, the
// start-and-pause key) and of the update check: the choices each number
// offers, typed numbers checked against their ranges, and, where a desktop
// service is missing or refused, the sentence that says why, as `zol doctor`
// does. The companions follow the settings by themselves; this only writes
// them.
class GeneralSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneralSettings)

public:
    // The settings with a number, by their keys.
    static const QString firstReminderKey;  // "reminders.firstMinutes"
    static const QString repeatReminderKey; // "reminders.repeatMinutes"
    static const QString longRunningKey;    // "ui.longRunningWarningHours"
    static const QString idleKey;           // "idle.minutes"

    // One value a number setting offers, as the picker shows it.
    struct Choice
    {
        int value = 0;
        // "30", "Never".
        QString label;
        bool operator==(const Choice& other) const = default;
    };

    GeneralSettings(OpenBooks& books, Platform& platform, const UpdateModel& updates,
                    const HotKeyReport& hotKey, QObject* parent = nullptr);
    ~GeneralSettings() override;

    // The values offered for `key`, with the value now set among them when
    // it is not one of them.
    QList<Choice> choices(const QString& key) const;
    // The label of `value` for `key`: "Never" for no long-running flag.
    static QString labelOf(const QString& key, int value);
    // "minutes" or "hours".
    static QString unitOf(const QString& key);
    // The words before the number: "First reminder after", "Away after".
    static QString fieldOf(const QString& key);
    int value(const QString& key) const;
    // Stores the number typed (or picked) for `key`; refused outside the
    // key's range, and then nothing changes. Returns whether it was stored.
    bool setNumber(const QString& key, const QString& typed);
    // The last refusal of a number for `key`; cleared when one is stored.
    std::optional<QString> refusal(const QString& key) const;

    // Asks the desktop again which services it offers (when the screen
    // shows); the questions are short and bounded.
    void lookAtDesktop();
    // Starting at login cannot be switched on here; the notes below say why.
    bool canStartAtLogin() const { return m_loginItem.found; }
    // Switches starting at login; a failure is kept for loginItemNote().
    void setStartAtLogin(bool on);
    // Why starting at login is not available, or why the last change failed.
    std::optional<QString> loginItemNote() const;
    // Why reminders cannot be shown: no notification server.
    std::optional<QString> remindersNote() const;
    // That away time cannot be noticed (no idle-time source), with the
    // desktop's reason when it is one sentence a person can act on.
    std::optional<QString> idleNote() const;
    // The same for a locked screen: no source of the lock.
    std::optional<QString> lockNote() const;
    // What the key does, where it can work: none where notes say why not.
    std::optional<QString> hotKeyPromise() const;
    // Why the key does nothing, with the `zol toggle` way round it.
    std::optional<QString> hotKeyNote() const;

    // The version card: "You are running Zol 1.4.2"; what the last check
    // found ("1.5.0 is the newest version.", "You have the newest version.",
    // the failure); the download's help.
    QString runningLine() const;
    QString updateLine() const;
    QString downloadHelp() const;

    // The languages offered, each named in its own language but the first:
    // "As the system", "English", "Nederlands", by their codes.
    struct LanguageChoice
    {
        QString code;
        QString label;
        bool operator==(const LanguageChoice& other) const = default;
    };
    static QList<LanguageChoice> languages();
    static QString languageTitle();
    // The code chosen ("system" until one is), and the choice itself,
    // which takes effect when Zol next starts.
    QString language() const;
    void setLanguage(const QString& code);
    // That the texts change at the next start, while the language chosen is
    // not the one Zol speaks.
    std::optional<QString> languageNote() const;

    static QString lede();
    static QString lockTitle();
    static QString hotKeyTitle();
    static QString keyboardNote();
    // `why` the desktop gives no start-and-pause key, followed by the way
    // round it (binding `zol toggle`): the one place that says it, for the
    // settings, the welcome window and `zol doctor`.
    static QString withoutTheKey(const QString& why);

Q_SIGNALS:
    // Any value, note or line above may read differently.
    void changed();

private:
    void followSettings();

    OpenBooks& m_books;
    Platform& m_platform;
    const UpdateModel& m_updates;
    const HotKeyReport& m_hotKey;
    QList<QMetaObject::Connection> m_settingsConnections;
    QHash<QString, QString> m_refusals;
    ServiceAvailability m_loginItem;
    ServiceAvailability m_notifications;
    ServiceAvailability m_idleTime;
    ServiceAvailability m_screenLock;
    ServiceAvailability m_shortcut;
    std::optional<QString> m_loginItemFailure;
    QMetaObject::Connection m_languageConnection;
};

} // namespace zol
