// The per-machine settings: defaults, types, which keys are kept per
// administration, local-only books, and the administration list as stored.

#include "FakeClock.h"
#include "UserFolders.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "records/TimeEntry.h"
#include "support/Timestamps.h"

#include <QSignalSpy>
#include <QTest>

using namespace zol;
using namespace zol::test;

namespace {

const QString sharing = QStringLiteral("6F9619FF-8B86-4011-B42D-00C04FC964FF");
const QString keeping = QStringLiteral("7A1B2C3D-4E5F-4061-8727-38495A6B7C8D");

Administration admin(const QString& id, const QString& name, bool keepsLocal = false)
{
    return Administration{id, name, Administration::Numbering::open(), keepsLocal};
}

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<SettingsStore> m_store;

private Q_SLOTS:
    void init() { m_store = std::make_unique<SettingsStore>(QString()); }

    void aFreshUserGetsTheDefaults()
    {
        AppSettings settings(Administration::defaultId, *m_store);
        QCOMPARE(settings.longRunningWarningHours(), 10);
        QVERIFY(settings.hotKeyEnabled());
        QCOMPARE(settings.machineName(), TimeEntry::currentMachineName());
        QCOMPARE(settings.sharedFolderPath(), QString());
        QVERIFY(!settings.sharedSyncEnabled());
        QVERIFY(settings.autoUploadEnabled());
        QVERIFY(settings.remindersEnabled());
        QCOMPARE(settings.firstReminderMinutes(), 60);
        QCOMPARE(settings.repeatReminderMinutes(), 30);
        QVERIFY(settings.idleDetectionEnabled());
        QCOMPARE(settings.idleMinutes(), 10);
        QVERIFY(!settings.launchAtLogin());
        QVERIFY(!AppSettings::hasCompletedSetup(*m_store));

        // The identity is stored at once; the borrowed computer name is not.
        QCOMPARE(m_store->string(QStringLiteral("machine.id")), std::optional(settings.machineId()));
        QVERIFY(parseUuid(settings.machineId()));
        QCOMPARE(settings.machineId(), settings.machineId().toUpper());
        QVERIFY(!m_store->contains(QStringLiteral("machine.name")));
        QCOMPARE(m_store->keys(), QStringList{QStringLiteral("machine.id")});

        // A second object for the same books keeps the identity.
        AppSettings again(Administration::defaultId, *m_store);
        QCOMPARE(again.machineId(), settings.machineId());
    }

    void perAdministrationKeys()
    {
        AppSettings::saveAdministrations({Administration::fallback(), admin(sharing, QStringLiteral("Studio"))},
                                         *m_store);
        m_store->setString(QStringLiteral("machine.name"), QStringLiteral("Local name"));
        m_store->setInteger(QStringLiteral("idle.minutes"), 3);

        AppSettings studio(sharing, *m_store);
        QCOMPARE(studio.key(QStringLiteral("share.folder")), QStringLiteral("admin.") + sharing + QStringLiteral(".share.folder"));
        QCOMPARE(studio.machineName(), TimeEntry::currentMachineName()); // not the Local value
        QCOMPARE(studio.idleMinutes(), 3); // application-wide

        studio.setMachineName(QStringLiteral("Anna"));
        studio.setSharedFolderPath(QStringLiteral("/mnt/nas/studio"));
        studio.setSharedSyncEnabled(true);
        studio.setAutoUploadEnabled(false);
        studio.setIdleMinutes(15);
        QCOMPARE(m_store->string(QStringLiteral("admin.") + sharing + QStringLiteral(".machine.name")),
                 std::optional(QStringLiteral("Anna")));
        QCOMPARE(m_store->boolean(QStringLiteral("admin.") + sharing + QStringLiteral(".share.enabled")),
                 std::optional(true));
        QCOMPARE(m_store->integer(QStringLiteral("idle.minutes")), std::optional<qint64>(15));
        QCOMPARE(m_store->string(QStringLiteral("machine.name")), std::optional(QStringLiteral("Local name")));

        const QString id = studio.machineId();
        QVERIFY(id != AppSettings(Administration::defaultId, *m_store).machineId());
        AppSettings::forgetSettings(sharing, *m_store);
        for (const QString& name : {QStringLiteral("machine.name"), QStringLiteral("share.folder"),
                                    QStringLiteral("share.enabled"), QStringLiteral("share.autoUpload"),
                                    QStringLiteral("machine.id")})
            QVERIFY(!m_store->contains(AppSettings::key(name, sharing)));
        const int before = int(m_store->keys().size());
        AppSettings::forgetSettings(Administration::defaultId, *m_store);
        QCOMPARE(m_store->keys().size(), before);
    }

    void localOnlyBooksNeverShare_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("default") << Administration::defaultId;
        QTest::newRow("keeps local") << keeping;
    }

    void localOnlyBooksNeverShare()
    {
        QFETCH(QString, id);
        AppSettings::saveAdministrations(
            {Administration::fallback(), admin(keeping, QStringLiteral("Private"), true)}, *m_store);
        m_store->setString(AppSettings::key(QStringLiteral("share.folder"), id), QStringLiteral("/mnt/nas"));
        m_store->setBoolean(AppSettings::key(QStringLiteral("share.enabled"), id), true);
        AppSettings settings(id, *m_store);
        QCOMPARE(settings.sharedFolderPath(), QString());
        QVERIFY(!settings.sharedSyncEnabled());
        QVERIFY(!settings.sharedFolder());
    }

    void wrongTypesReadAsDefaults()
    {
        m_store->setString(QStringLiteral("idle.minutes"), QStringLiteral("15"));
        m_store->setInteger(QStringLiteral("ui.hotKeyEnabled"), 0);
        m_store->setBoolean(QStringLiteral("machine.name"), true);
        m_store->setInteger(QStringLiteral("reminders.firstMinutes"), qint64(1) << 40);
        m_store->setInteger(QStringLiteral("ui.longRunningWarningHours"), -3); // kept: never clamped
        AppSettings settings(Administration::defaultId, *m_store);
        QCOMPARE(settings.idleMinutes(), 10);
        QVERIFY(settings.hotKeyEnabled());
        QCOMPARE(settings.machineName(), TimeEntry::currentMachineName());
        QCOMPARE(settings.firstReminderMinutes(), 60);
        QCOMPARE(settings.longRunningWarningHours(), -3);
    }

    void assignmentsNotifyOnlyOnChange()
    {
        AppSettings settings(Administration::defaultId, *m_store);
        QSignalSpy spy(&settings, &AppSettings::idleMinutesChanged);
        settings.setIdleMinutes(10);
        QCOMPARE(spy.count(), 0);
        settings.setIdleMinutes(5);
        settings.setIdleMinutes(5);
        QCOMPARE(spy.count(), 1);

        QSignalSpy login(&settings, &AppSettings::launchAtLoginChanged);
        settings.setLaunchAtLogin(true);
        QCOMPARE(login.count(), 1);
        QVERIFY(!m_store->keys().join(u' ').contains(QStringLiteral("login")));
    }

    void sharedFolderIgnoresBlanks()
    {
        AppSettings::saveAdministrations({Administration::fallback(), admin(sharing, QStringLiteral("Studio"))},
                                         *m_store);
        AppSettings settings(sharing, *m_store);
        settings.setSharedFolderPath(QStringLiteral("   "));
        QVERIFY(!settings.sharedFolder());
        settings.setSharedFolderPath(QStringLiteral(" /mnt/nas/studio "));
        QCOMPARE(settings.sharedFolder(), std::optional(QStringLiteral("/mnt/nas/studio")));
    }

    void administrationListInTheStore()
    {
        QCOMPARE(AppSettings::administrations(*m_store), QList<Administration>{Administration::fallback()});
        QCOMPARE(AppSettings::currentAdministration(*m_store).id, Administration::defaultId);

        const QList<Administration> list = {Administration::fallback(), admin(sharing, QStringLiteral("Studio")),
                                            admin(keeping, QStringLiteral("Private"), true)};
        AppSettings::saveAdministrations(list, *m_store);
        QCOMPARE(AppSettings::administrations(*m_store).size(), 3);
        AppSettings::setCurrentAdministration(sharing, *m_store);
        QCOMPARE(AppSettings::currentAdministration(*m_store).name, QStringLiteral("Studio"));
        QVERIFY(!AppSettings::isLocalOnly(sharing, *m_store));
        QVERIFY(AppSettings::isLocalOnly(keeping, *m_store));
        QVERIFY(AppSettings::isLocalOnly(Administration::defaultId, *m_store));

        // A removed administration that is still remembered as open: the first opens.
        AppSettings::setCurrentAdministration(QStringLiteral("gone"), *m_store);
        QCOMPARE(AppSettings::currentAdministration(*m_store).id, Administration::defaultId);

        // A broken list falls back to Local alone.
        m_store->setBinary(QStringLiteral("admin.list"), QByteArray("[{\"id\":\"x\",\"name\":\"y\",\"numbering\":{}}]"));
        QCOMPARE(AppSettings::administrations(*m_store), QList<Administration>{Administration::fallback()});
    }

    void folderInUseByOtherBooks()
    {
        const QString third = QStringLiteral("8B2C3D4E-5F60-4172-8839-4A5B6C7D8E9F");
        AppSettings::saveAdministrations({Administration::fallback(), admin(sharing, QStringLiteral("Studio")),
                                          admin(keeping, QStringLiteral("Private"), true),
                                          admin(third, QStringLiteral("Side job"))},
                                         *m_store);
        m_store->setString(AppSettings::key(QStringLiteral("share.folder"), sharing), QStringLiteral("/mnt/nas/studio"));
        m_store->setString(AppSettings::key(QStringLiteral("share.folder"), keeping), QStringLiteral("/mnt/nas/private"));
        m_store->setString(QStringLiteral("share.folder"), QStringLiteral("/mnt/nas/local"));

        QCOMPARE(AppSettings::administrationUsing(QStringLiteral("  /MNT/nas/Studio// "), third, *m_store)->name,
                 QStringLiteral("Studio"));
        QVERIFY(!AppSettings::administrationUsing(QStringLiteral("/mnt/nas/studio"), sharing, *m_store));
        QVERIFY(!AppSettings::administrationUsing(QStringLiteral("/mnt/nas/private"), third, *m_store));
        QVERIFY(!AppSettings::administrationUsing(QStringLiteral("/mnt/nas/local"), third, *m_store));
    }

    void followsChangesFromAnotherProcess()
    {
        UserFolders folders;
        SettingsStore app(SettingsStore::defaultPath());
        SettingsStore commandLine(SettingsStore::defaultPath());
        AppSettings settings(Administration::defaultId, app);
        QSignalSpy spy(&settings, &AppSettings::idleMinutesChanged);
        commandLine.setInteger(QStringLiteral("idle.minutes"), 30);
        app.refresh();
        QCOMPARE(settings.idleMinutes(), 30);
        QCOMPARE(spy.count(), 1);
    }

    void suggestedNames()
    {
        const QStringList names = AppSettings::suggestedMachineNames();
        QVERIFY(!names.isEmpty());
        QVERIFY(names.size() <= 3);
        QCOMPARE(names.first(), TimeEntry::currentMachineName().trimmed());
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        for (const QString& name : names)
            QCOMPARE(name, name.trimmed());
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
