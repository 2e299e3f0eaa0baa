#pragma once

#include "books/Administration.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace zol {

class SettingsStore;

// What belongs to this computer and this user rather than to a set of books:
// the person's name as the studio sees it, this machine's identity towards the
// studio folder, the studio folder and its switches, and how the timer's
// companions behave. One object per open administration; five of the keys are
// kept per administration ("admin.<id>.<name>"; plain "<name>" for "default"),
// the rest once for the whole application.
//
// Every assignment is written to the settings store at once; a value that
// another process (the command line) changes in the store is picked up and
// announced like a local change. Missing values, and values of the wrong type,
// read as the defaults; nothing is clamped. Lives on the UI thread.
class AppSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppSettings)

    Q_PROPERTY(int longRunningWarningHours READ longRunningWarningHours WRITE setLongRunningWarningHours NOTIFY longRunningWarningHoursChanged)
    Q_PROPERTY(QString machineName READ machineName WRITE setMachineName NOTIFY machineNameChanged)
    Q_PROPERTY(QString sharedFolderPath READ sharedFolderPath WRITE setSharedFolderPath NOTIFY sharedFolderPathChanged)
    Q_PROPERTY(bool sharedSyncEnabled READ sharedSyncEnabled WRITE setSharedSyncEnabled NOTIFY sharedSyncEnabledChanged)
    Q_PROPERTY(bool autoUploadEnabled READ autoUploadEnabled WRITE setAutoUploadEnabled NOTIFY autoUploadEnabledChanged)
    Q_PROPERTY(QString machineId READ machineId CONSTANT)
    Q_PROPERTY(bool remindersEnabled READ remindersEnabled WRITE setRemindersEnabled NOTIFY remindersEnabledChanged)
    Q_PROPERTY(int firstReminderMinutes READ firstReminderMinutes WRITE setFirstReminderMinutes NOTIFY firstReminderMinutesChanged)
    Q_PROPERTY(int repeatReminderMinutes READ repeatReminderMinutes WRITE setRepeatReminderMinutes NOTIFY repeatReminderMinutesChanged)
    Q_PROPERTY(bool idleDetectionEnabled READ idleDetectionEnabled WRITE setIdleDetectionEnabled NOTIFY idleDetectionEnabledChanged)
    Q_PROPERTY(int idleMinutes READ idleMinutes WRITE setIdleMinutes NOTIFY idleMinutesChanged)
    Q_PROPERTY(bool lockCountsAsAway READ lockCountsAsAway WRITE setLockCountsAsAway NOTIFY lockCountsAsAwayChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(bool hotKeyEnabled READ hotKeyEnabled WRITE setHotKeyEnabled NOTIFY hotKeyEnabledChanged)
    Q_PROPERTY(QString administrationId READ administrationId CONSTANT)

public:
    AppSettings(const QString& administrationId, SettingsStore& defaults, QObject* parent = nullptr);
    ~AppSettings() override;

    // The store key of a per-administration setting of these books.
    QString key(const QString& name) const;
    static QString key(const QString& name, const QString& administrationId);

    int longRunningWarningHours() const { return m_longRunningWarningHours; }
    // The name timesheets of these books are filed under: their own name
    // when they have one, else the person's name on this computer, else the
    // computer's name.
    const QString& machineName() const { return m_machineName; }
    // Whether these books file timesheets under a name of their own rather
    // than the one every set of books uses (never for the first books, whose
    // name is the person's).
    bool hasOwnName() const { return m_hasOwnName; }
    const QString& sharedFolderPath() const { return m_sharedFolderPath; }
    bool sharedSyncEnabled() const { return m_sharedSyncEnabled; }
    bool autoUploadEnabled() const { return m_autoUploadEnabled; }
    const QString& machineId() const { return m_machineId; }
    bool remindersEnabled() const { return m_remindersEnabled; }
    int firstReminderMinutes() const { return m_firstReminderMinutes; }
    int repeatReminderMinutes() const { return m_repeatReminderMinutes; }
    bool idleDetectionEnabled() const { return m_idleDetectionEnabled; }
    int idleMinutes() const { return m_idleMinutes; }
    // Time with the screen locked is offered as away time, like idle time.
    bool lockCountsAsAway() const { return m_lockCountsAsAway; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    bool hotKeyEnabled() const { return m_hotKeyEnabled; }
    const QString& administrationId() const { return m_administrationId; }
    SettingsStore& defaults() const { return m_defaults; }

    void setLongRunningWarningHours(int hours);
    // The person's name on this computer, for every set of books without a
    // name of its own; these books give up theirs.
    void setMachineName(const QString& name);
    // A name for these books alone; the first books' name is the person's.
    void setOwnName(const QString& name);
    void setSharedFolderPath(const QString& path);
    void setSharedSyncEnabled(bool enabled);
    void setAutoUploadEnabled(bool enabled);
    void setRemindersEnabled(bool enabled);
    void setFirstReminderMinutes(int minutes);
    void setRepeatReminderMinutes(int minutes);
    void setIdleDetectionEnabled(bool enabled);
    void setIdleMinutes(int minutes);
    void setLockCountsAsAway(bool counts);
    // Kept in memory only: the login item itself is the record.
    void setLaunchAtLogin(bool enabled);
    void setHotKeyEnabled(bool enabled);

    // The chosen studio folder, blanks trimmed; none when no folder is chosen.
    std::optional<QString> sharedFolder() const;

    // The names the name picker offers: the computer's name, the user's full
    // name and login name, blanks trimmed, empty ones and repeats dropped.
    static QStringList suggestedMachineNames();

    static bool hasCompletedSetup(const SettingsStore& defaults);
    // The language chosen for Zol's texts: a code Language speaks, or
    // "system" (also for none, or one it does not speak).
    static const QString languageKey; // "language"
    static QString language(const SettingsStore& defaults);
    static void setLanguage(SettingsStore& defaults, const QString& code);
    static void completeSetup(SettingsStore& defaults);
    // Removes the per-administration settings of `id`; nothing for "default".
    static void forgetSettings(const QString& id, SettingsStore& defaults);

    // The administration list and the open administration (see Administration
    // for the reading rules).
    static QList<Administration> administrations(const SettingsStore& defaults);
    static void saveAdministrations(const QList<Administration>& list, SettingsStore& defaults);
    static Administration currentAdministration(const SettingsStore& defaults);
    static void setCurrentAdministration(const QString& id, SettingsStore& defaults);
    static bool isLocalOnly(const QString& id, const SettingsStore& defaults);
    // The name books `id` file timesheets under when they have one of their
    // own (never for the first books); read without opening their settings.
    static std::optional<QString> ownName(const QString& id, const SettingsStore& defaults);
    // Which other sharing administration already uses `folder`.
    static std::optional<Administration> administrationUsing(const QString& folder,
                                                             const QString& excluding,
                                                             const SettingsStore& defaults);

Q_SIGNALS:
    void longRunningWarningHoursChanged();
    void machineNameChanged();
    void sharedFolderPathChanged();
    void sharedSyncEnabledChanged();
    void autoUploadEnabledChanged();
    void remindersEnabledChanged();
    void firstReminderMinutesChanged();
    void repeatReminderMinutesChanged();
    void idleDetectionEnabledChanged();
    void idleMinutesChanged();
    void lockCountsAsAwayChanged();
    void launchAtLoginChanged();
    void hotKeyEnabledChanged();

private:
    // Reads every stored value, announcing those that differ from memory.
    void read();

    QString m_administrationId;
    SettingsStore& m_defaults;

    int m_longRunningWarningHours = 10;
    QString m_machineName;
    bool m_hasOwnName = false;
    QString m_sharedFolderPath;
    bool m_sharedSyncEnabled = false;
    bool m_autoUploadEnabled = true;
    QString m_machineId;
    bool m_remindersEnabled = true;
    int m_firstReminderMinutes = 60;
    int m_repeatReminderMinutes = 30;
    bool m_idleDetectionEnabled = true;
    int m_idleMinutes = 10;
    bool m_lockCountsAsAway = true;
    bool m_launchAtLogin = false;
    bool m_hotKeyEnabled = true;
};

} // namespace zol
