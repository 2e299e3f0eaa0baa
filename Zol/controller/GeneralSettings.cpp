#include "GeneralSettings.h"

#include "DoingNothing.h"
#include "HotKeyReport.h"
#include "InputCheck.h"
#include "OpenBooks.h"
#include "Platform.h"
#include "UpdateModel.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "support/Language.h"

#include <algorithm>

namespace zol {

const QString GeneralSettings::firstReminderKey = QStringLiteral("reminders.firstMinutes");
const QString GeneralSettings::repeatReminderKey = QStringLiteral("reminders.repeatMinutes");
const QString GeneralSettings::longRunningKey = QStringLiteral("ui.longRunningWarningHours");
const QString GeneralSettings::idleKey = QStringLiteral("idle.minutes");

QString GeneralSettings::fieldOf(const QString& key)
{
    if (key == GeneralSettings::firstReminderKey)
        return tr("First reminder after");
    if (key == GeneralSettings::repeatReminderKey)
        return tr("Then remind every");
    if (key == GeneralSettings::longRunningKey)
        return tr("Flag a timer running longer than");
    return tr("Away after");
}

namespace {

QList<int> offered(const QString& key)
{
    if (key == GeneralSettings::firstReminderKey)
        return {30, 45, 60, 90, 120};
    if (key == GeneralSettings::repeatReminderKey)
        return {15, 30, 45, 60};
    if (key == GeneralSettings::longRunningKey)
        return {0, 4, 6, 8, 10, 12};
    if (key == GeneralSettings::idleKey)
        return {3, 5, 10, 15, 30};
    return {};
}

} // namespace

GeneralSettings::GeneralSettings(OpenBooks& books, Platform& platform, const UpdateModel& updates,
                                 const HotKeyReport& hotKey, QObject* parent)
    : QObject(parent)
    , m_books(books)
    , m_platform(platform)
    , m_updates(updates)
    , m_hotKey(hotKey)
{
    connect(&books, &OpenBooks::settingsChanged, this, &GeneralSettings::followSettings);
    connect(&hotKey, &HotKeyReport::changed, this, &GeneralSettings::changed);
    for (const auto signal :
         {&UpdateModel::availableUpdateChanged, &UpdateModel::isCheckingForUpdateChanged,
          &UpdateModel::updateErrorChanged, &UpdateModel::checkedForUpdateAtChanged})
        connect(&updates, signal, this, &GeneralSettings::changed);
    followSettings();
    lookAtDesktop();
    // Chosen here or by the command line in another process.
    connect(&books.defaults(), &SettingsStore::changed, this, [this](const QStringList& keys) {
        if (keys.contains(AppSettings::languageKey))
            Q_EMIT changed();
    });
}

GeneralSettings::~GeneralSettings() = default;

void GeneralSettings::followSettings()
{
    for (const QMetaObject::Connection& c : std::as_const(m_settingsConnections))
        disconnect(c);
    const AppSettings* settings = m_books.settings();
    m_settingsConnections.clear();
    for (const auto signal :
         {&AppSettings::launchAtLoginChanged, &AppSettings::remindersEnabledChanged,
          &AppSettings::firstReminderMinutesChanged, &AppSettings::repeatReminderMinutesChanged,
          &AppSettings::longRunningWarningHoursChanged, &AppSettings::idleDetectionEnabledChanged,
          &AppSettings::idleMinutesChanged, &AppSettings::lockCountsAsAwayChanged,
          &AppSettings::hotKeyEnabledChanged})
        m_settingsConnections.append(connect(settings, signal, this, &GeneralSettings::changed));
    Q_EMIT changed();
}

QString GeneralSettings::labelOf(const QString& key, int value)
{
    if (key == longRunningKey && value < 1)
        return tr("Never");
    return QString::number(value);
}

QString GeneralSettings::unitOf(const QString& key)
{
    return key == longRunningKey ? tr("hours") : tr("minutes");
}

QList<GeneralSettings::Choice> GeneralSettings::choices(const QString& key) const
{
    QList<int> values = offered(key);
    const int now = value(key);
    // A value set elsewhere (the command line) is shown as it is.
    if (!values.contains(now) && !(key == longRunningKey && now < 1)) {
        values.append(now);
        std::sort(values.begin(), values.end());
    }
    QList<Choice> result;
    for (const int v : std::as_const(values))
        result.append(Choice{v, labelOf(key, v)});
    return result;
}

int GeneralSettings::value(const QString& key) const
{
    const AppSettings& settings = *m_books.settings();
    if (key == firstReminderKey)
        return settings.firstReminderMinutes();
    if (key == repeatReminderKey)
        return settings.repeatReminderMinutes();
    if (key == longRunningKey)
        return std::max(0, settings.longRunningWarningHours());
    if (key == idleKey)
        return settings.idleMinutes();
    return 0;
}

bool GeneralSettings::setNumber(const QString& key, const QString& typed)
{
    QString text = typed.trimmed();
    if (key == longRunningKey && text.compare(labelOf(key, 0), Qt::CaseInsensitive) == 0)
        text = QStringLiteral("0");
    // "45 minutes" is 45.
    const QString unit = u' ' + unitOf(key);
    if (text.endsWith(unit, Qt::CaseInsensitive))
        text.chop(unit.size());
    const std::expected<int, QString> number = InputCheck::settingNumber(key, text);
    if (!number) {
        // Refused as the command line refuses it, naming the field rather
        // than the settings key (wherever the sentence puts it).
        QString refusal = number.error();
        if (const qsizetype at = refusal.indexOf(key); at >= 0)
            refusal.replace(at, key.size(),
                            QStringLiteral("“") + fieldOf(key) + QStringLiteral("”"));
        m_refusals.insert(key, refusal);
        Q_EMIT changed();
        return false;
    }
    const bool hadRefusal = m_refusals.remove(key) > 0;
    AppSettings& settings = *m_books.settings();
    if (key == firstReminderKey)
        settings.setFirstReminderMinutes(*number);
    else if (key == repeatReminderKey)
        settings.setRepeatReminderMinutes(*number);
    else if (key == longRunningKey)
        settings.setLongRunningWarningHours(*number);
    else if (key == idleKey)
        settings.setIdleMinutes(*number);
    if (hadRefusal)
        Q_EMIT changed();
    return true;
}

std::optional<QString> GeneralSettings::refusal(const QString& key) const
{
    const auto found = m_refusals.constFind(key);
    if (found == m_refusals.cend())
        return std::nullopt;
    return *found;
}

void GeneralSettings::lookAtDesktop()
{
    Platform& platform = m_platform;
    m_loginItem = platform.loginItem().availability();
    m_notifications = platform.notifier().availability();
    m_idleTime = platform.idleTime().availability();
    m_screenLock = platform.systemEvents().lockAvailability();
    m_shortcut = platform.shortcut().availability();
    Q_EMIT changed();
}

void GeneralSettings::setStartAtLogin(bool on)
{
    // Registered or unregistered with the desktop, and the outcome recorded.
    LoginItemService& item = m_platform.loginItem();
    m_loginItemFailure = std::nullopt;
    if (item.isEnabled() != on)
        m_loginItemFailure = item.setEnabled(on);
    m_books.settings()->setLaunchAtLogin(item.isEnabled());
    Q_EMIT changed();
}

std::optional<QString> GeneralSettings::loginItemNote() const
{
    if (!m_loginItem.found)
        return m_loginItem.reason;
    return m_loginItemFailure;
}

std::optional<QString> GeneralSettings::remindersNote() const
{
    if (m_notifications.found)
        return std::nullopt;
    return m_notifications.reason;
}

namespace {

// `missing`, followed by the service's reason when that is one sentence a
// person can act on. A reason of several sentences lists what each of the
// desktop's sources answered, which is for `zol doctor`; the stock reason of
// a desktop without the service adds nothing. The stock reasons are asked of
// the platform, so that they match in whatever language it gives them.
QString missingNote(const QString& missing, const ServiceAvailability& service, Platform& platform)
{
    const QString reason = service.reason.trimmed();
    const bool oneSentence = reason.endsWith(u'.') && !reason.contains(u'\n') &&
                             !reason.chopped(1).contains(QStringLiteral(". "));
    if (!oneSentence || reason == doing_nothing::notOnThisDesktop().trimmed() ||
        reason == platform.systemEvents().SystemEvents::lockAvailability().reason.trimmed())
        return missing;
    return missing + u' ' + reason;
}

} // namespace

std::optional<QString> GeneralSettings::idleNote() const
{
    if (m_idleTime.found)
        return std::nullopt;
    return missingNote(tr("This desktop does not tell Zol when you are away."), m_idleTime,
                       m_platform);
}

std::optional<QString> GeneralSettings::lockNote() const
{
    if (m_screenLock.found)
        return std::nullopt;
    return missingNote(tr("This desktop does not tell Zol when the screen is locked."),
                       m_screenLock, m_platform);
}

std::optional<QString> GeneralSettings::hotKeyPromise() const
{
    if (hotKeyNote())
        return std::nullopt;
    return tr("Works anywhere, even when Zol is not the active app.");
}

std::optional<QString> GeneralSettings::hotKeyNote() const
{
    if (!m_shortcut.found)
        return withoutTheKey(m_shortcut.reason);
    if (m_books.settings()->hotKeyEnabled() && m_hotKey.failure())
        return withoutTheKey(*m_hotKey.failure());
    return std::nullopt;
}

QString GeneralSettings::withoutTheKey(const QString& why)
{
    QString text = why.trimmed();
    if (!text.isEmpty() && !text.endsWith(u'.'))
        text += u'.';
    if (!text.isEmpty())
        text += u' ';
    return text +
           tr("Bind 'zol toggle' to Super+Alt+T in the desktop's keyboard settings instead.");
}

QString GeneralSettings::runningLine() const
{
    return tr("You are running Zol %1").arg(UpdateModel::currentVersion());
}

QString GeneralSettings::updateLine() const
{
    const UpdateModel& updates = m_updates;
    if (!updates.offersUpdates())
        return UpdateChecker::notOfferedSentence();
    if (updates.isCheckingForUpdate())
        return tr("Asking for the newest version…");
    if (updates.updateError())
        return *updates.updateError();
    if (updates.availableUpdate())
        return tr("%1 is the newest version.").arg(updates.availableUpdate()->manifest.version);
    if (updates.checkedForUpdateAt())
        return tr("You have the newest version.");
    return {};
}

QString GeneralSettings::downloadHelp() const
{
    return tr("Opens in your browser. You are running %1.").arg(UpdateModel::currentVersion());
}

QList<GeneralSettings::LanguageChoice> GeneralSettings::languages()
{
    return {{QString::fromLatin1(Language::system), tr("As the system")},
            {QStringLiteral("en"), QStringLiteral("English")},
            {QStringLiteral("nl"), QStringLiteral("Nederlands")}};
}

QString GeneralSettings::languageTitle()
{
    return tr("Language");
}

QString GeneralSettings::language() const
{
    return AppSettings::language(m_books.defaults());
}

void GeneralSettings::setLanguage(const QString& code)
{
    if (code == language())
        return;
    AppSettings::setLanguage(m_books.defaults(), code);
    Q_EMIT changed();
}

std::optional<QString> GeneralSettings::languageNote() const
{
    if (Language::resolve(language()).language == Language::current())
        return std::nullopt;
    return tr("Zol speaks the language you chose from the next time it starts.");
}

QString GeneralSettings::lede()
{
    return tr("What Zol does while you work — at login, during a timer, and when you walk away.");
}

QString GeneralSettings::lockTitle()
{
    return tr("Count a locked screen as away");
}

QString GeneralSettings::hotKeyTitle()
{
    return tr("Start and pause with Super+Alt+T");
}

QString GeneralSettings::keyboardNote()
{
    return tr("Space and Ctrl+↩ apply while the tray panel is open. Stopping stays a deliberate "
              "act everywhere, since it closes the entry.");
}

} // namespace zol
