#include "books/AppSettings.h"

#include "books/SettingsStore.h"
#include "records/TimeEntry.h"
#include "support/Language.h"
#include "support/Timestamps.h"

#include <limits>
#include <pwd.h>
#include <unistd.h>

namespace zol {

namespace {

// Application-wide keys.
const QString longRunningKey = QStringLiteral("ui.longRunningWarningHours");
const QString hotKeyKey = QStringLiteral("ui.hotKeyEnabled");
const QString idleEnabledKey = QStringLiteral("idle.enabled");
const QString idleMinutesKey = QStringLiteral("idle.minutes");
const QString lockCountsKey = QStringLiteral("idle.lockCountsAsAway");
const QString remindersEnabledKey = QStringLiteral("reminders.enabled");
const QString firstReminderKey = QStringLiteral("reminders.firstMinutes");
const QString repeatReminderKey = QStringLiteral("reminders.repeatMinutes");
const QString adminListKey = QStringLiteral("admin.list");
const QString adminCurrentKey = QStringLiteral("admin.current");
const QString setupCompletedKey = QStringLiteral("setup.completed");

// Per-administration names.
const QString machineNameName = QStringLiteral("machine.name");
const QString shareFolderName = QStringLiteral("share.folder");
const QString shareEnabledName = QStringLiteral("share.enabled");
const QString autoUploadName = QStringLiteral("share.autoUpload");
const QString machineIdName = QStringLiteral("machine.id");

int integerOr(const SettingsStore& store, const QString& key, int fallback)
{
    const std::optional<qint64> value = store.integer(key);
    // A number that does not fit is as good as a value of the wrong type.
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return fallback;
    return int(*value);
}

template <typename T>
void assign(T& member, const T& value, AppSettings* self, void (AppSettings::*signal)())
{
    if (member == value)
        return;
    member = value;
    Q_EMIT(self->*signal)();
}

// The user's full name from the account database (the first field of GECOS)
// and the login name.
std::pair<QString, QString> accountNames()
{
    QString fullName;
    QString login = qEnvironmentVariable("USER");
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? size : 16384, Qt::Uninitialized);
    passwd record{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &record, buffer.data(), size_t(buffer.size()), &found) == 0 && found) {
        if (found->pw_gecos)
            fullName = QString::fromLocal8Bit(found->pw_gecos).section(u',', 0, 0);
        if (found->pw_name)
            login = QString::fromLocal8Bit(found->pw_name);
    }
    return {fullName, login};
}

} // namespace

AppSettings::AppSettings(const QString& administrationId, SettingsStore& defaults, QObject* parent)
    : QObject(parent)
    , m_administrationId(administrationId)
    , m_defaults(defaults)
{
    read();
    connect(&m_defaults, &SettingsStore::changed, this, [this] { read(); });
}

AppSettings::~AppSettings() = default;

QString AppSettings::key(const QString& name) const
{
    return key(name, m_administrationId);
}

QString AppSettings::key(const QString& name, const QString& administrationId)
{
    if (administrationId == Administration::defaultId)
        return name;
    return QStringLiteral("admin.") + administrationId + u'.' + name;
}

void AppSettings::read()
{
    const SettingsStore& s = m_defaults;
    assign(m_longRunningWarningHours, integerOr(s, longRunningKey, 10), this,
           &AppSettings::longRunningWarningHoursChanged);
    assign(m_hotKeyEnabled, s.boolean(hotKeyKey).value_or(true), this,
           &AppSettings::hotKeyEnabledChanged);
    // The computer's name stands in until the person picks a name; it is not
    // written, so a renamed computer is followed. The first books' key is
    // the person's name for all of them.
    const std::optional<QString> own = ownName(m_administrationId, s);
    m_hasOwnName = own.has_value();
    assign(m_machineName,
           own.value_or(s.string(machineNameName).value_or(TimeEntry::currentMachineName())), this,
           &AppSettings::machineNameChanged);

    if (isLocalOnly(m_administrationId, s)) {
        assign(m_sharedFolderPath, QString(), this, &AppSettings::sharedFolderPathChanged);
        assign(m_sharedSyncEnabled, false, this, &AppSettings::sharedSyncEnabledChanged);
    } else {
        assign(m_sharedFolderPath, s.string(key(shareFolderName)).value_or(QString()), this,
               &AppSettings::sharedFolderPathChanged);
        assign(m_sharedSyncEnabled, s.boolean(key(shareEnabledName)).value_or(false), this,
               &AppSettings::sharedSyncEnabledChanged);
    }
    assign(m_autoUploadEnabled, s.boolean(key(autoUploadName)).value_or(true), this,
           &AppSettings::autoUploadEnabledChanged);

    // This machine's identity in the studio folder is made once and kept. If
    // it vanishes from the store while these books are open (another process
    // forgot them), the one in memory stays and is not written back.
    if (const std::optional<QString> stored = s.string(key(machineIdName)); stored) {
        m_machineId = *stored;
    } else if (m_machineId.isEmpty()) {
        m_machineId = uuidText(newUuid());
        m_defaults.setString(key(machineIdName), m_machineId);
    }

    assign(m_idleDetectionEnabled, s.boolean(idleEnabledKey).value_or(true), this,
           &AppSettings::idleDetectionEnabledChanged);
    assign(m_idleMinutes, integerOr(s, idleMinutesKey, 10), this, &AppSettings::idleMinutesChanged);
    assign(m_lockCountsAsAway, s.boolean(lockCountsKey).value_or(true), this,
           &AppSettings::lockCountsAsAwayChanged);
    assign(m_remindersEnabled, s.boolean(remindersEnabledKey).value_or(true), this,
           &AppSettings::remindersEnabledChanged);
    assign(m_firstReminderMinutes, integerOr(s, firstReminderKey, 60), this,
           &AppSettings::firstReminderMinutesChanged);
    assign(m_repeatReminderMinutes, integerOr(s, repeatReminderKey, 30), this,
           &AppSettings::repeatReminderMinutesChanged);
}

void AppSettings::setLongRunningWarningHours(int hours)
{
    m_defaults.setInteger(longRunningKey, hours);
    assign(m_longRunningWarningHours, hours, this, &AppSettings::longRunningWarningHoursChanged);
}

void AppSettings::setMachineName(const QString& name)
{
    if (m_hasOwnName)
        m_defaults.remove(key(machineNameName));
    m_defaults.setString(machineNameName, name);
    m_hasOwnName = false;
    assign(m_machineName, name, this, &AppSettings::machineNameChanged);
}

std::optional<QString> AppSettings::ownName(const QString& id, const SettingsStore& defaults)
{
    if (id == Administration::defaultId)
        return std::nullopt;
    return defaults.string(key(machineNameName, id));
}

void AppSettings::setOwnName(const QString& name)
{
    if (m_administrationId == Administration::defaultId)
        return setMachineName(name);
    m_defaults.setString(key(machineNameName), name);
    m_hasOwnName = true;
    assign(m_machineName, name, this, &AppSettings::machineNameChanged);
}

void AppSettings::setSharedFolderPath(const QString& path)
{
    m_defaults.setString(key(shareFolderName), path);
    assign(m_sharedFolderPath, path, this, &AppSettings::sharedFolderPathChanged);
}

void AppSettings::setSharedSyncEnabled(bool enabled)
{
    m_defaults.setBoolean(key(shareEnabledName), enabled);
    assign(m_sharedSyncEnabled, enabled, this, &AppSettings::sharedSyncEnabledChanged);
}

void AppSettings::setAutoUploadEnabled(bool enabled)
{
    m_defaults.setBoolean(key(autoUploadName), enabled);
    assign(m_autoUploadEnabled, enabled, this, &AppSettings::autoUploadEnabledChanged);
}

void AppSettings::setRemindersEnabled(bool enabled)
{
    m_defaults.setBoolean(remindersEnabledKey, enabled);
    assign(m_remindersEnabled, enabled, this, &AppSettings::remindersEnabledChanged);
}

void AppSettings::setFirstReminderMinutes(int minutes)
{
    m_defaults.setInteger(firstReminderKey, minutes);
    assign(m_firstReminderMinutes, minutes, this, &AppSettings::firstReminderMinutesChanged);
}

void AppSettings::setRepeatReminderMinutes(int minutes)
{
    m_defaults.setInteger(repeatReminderKey, minutes);
    assign(m_repeatReminderMinutes, minutes, this, &AppSettings::repeatReminderMinutesChanged);
}

void AppSettings::setIdleDetectionEnabled(bool enabled)
{
    m_defaults.setBoolean(idleEnabledKey, enabled);
    assign(m_idleDetectionEnabled, enabled, this, &AppSettings::idleDetectionEnabledChanged);
}

void AppSettings::setIdleMinutes(int minutes)
{
    m_defaults.setInteger(idleMinutesKey, minutes);
    assign(m_idleMinutes, minutes, this, &AppSettings::idleMinutesChanged);
}

void AppSettings::setLockCountsAsAway(bool counts)
{
    m_defaults.setBoolean(lockCountsKey, counts);
    assign(m_lockCountsAsAway, counts, this, &AppSettings::lockCountsAsAwayChanged);
}

void AppSettings::setLaunchAtLogin(bool enabled)
{
    assign(m_launchAtLogin, enabled, this, &AppSettings::launchAtLoginChanged);
}

void AppSettings::setHotKeyEnabled(bool enabled)
{
    m_defaults.setBoolean(hotKeyKey, enabled);
    assign(m_hotKeyEnabled, enabled, this, &AppSettings::hotKeyEnabledChanged);
}

std::optional<QString> AppSettings::sharedFolder() const
{
    const QString path = m_sharedFolderPath.trimmed();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QStringList AppSettings::suggestedMachineNames()
{
    const auto [fullName, login] = accountNames();
    QStringList names;
    for (const QString& candidate : {TimeEntry::currentMachineName(), fullName, login}) {
        const QString name = candidate.trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    }
    return names;
}

const QString AppSettings::languageKey = QStringLiteral("language");

QString AppSettings::language(const SettingsStore& defaults)
{
    const QString code = defaults.string(languageKey).value_or(QString());
    return Language::available().contains(code) ? code : QString::fromLatin1(Language::system);
}

void AppSettings::setLanguage(SettingsStore& defaults, const QString& code)
{
    defaults.setString(languageKey, code);
}

bool AppSettings::hasCompletedSetup(const SettingsStore& defaults)
{
    return defaults.boolean(setupCompletedKey).value_or(false);
}

void AppSettings::completeSetup(SettingsStore& defaults)
{
    defaults.setBoolean(setupCompletedKey, true);
}

void AppSettings::forgetSettings(const QString& id, SettingsStore& defaults)
{
    if (id == Administration::defaultId)
        return;
    for (const QString& name :
         {machineNameName, shareFolderName, shareEnabledName, autoUploadName, machineIdName})
        defaults.remove(key(name, id));
}

QList<Administration> AppSettings::administrations(const SettingsStore& defaults)
{
    return Administration::readList(defaults.binary(adminListKey));
}

void AppSettings::saveAdministrations(const QList<Administration>& list, SettingsStore& defaults)
{
    defaults.setBinary(adminListKey, Administration::encodeList(list));
}

Administration AppSettings::currentAdministration(const SettingsStore& defaults)
{
    return Administration::current(administrations(defaults), defaults.string(adminCurrentKey));
}

void AppSettings::setCurrentAdministration(const QString& id, SettingsStore& defaults)
{
    defaults.setString(adminCurrentKey, id);
}

bool AppSettings::isLocalOnly(const QString& id, const SettingsStore& defaults)
{
    return Administration::isLocalOnly(administrations(defaults), id);
}

std::optional<Administration> AppSettings::administrationUsing(const QString& folder,
                                                               const QString& excluding,
                                                               const SettingsStore& defaults)
{
    return Administration::administrationUsing(
        administrations(defaults), folder, excluding, [&defaults](const QString& id) {
            return defaults.string(key(shareFolderName, id)).value_or(QString());
        });
}

} // namespace zol
