// The per-machine settings: defaults, types, which keys are kept per
// administration, local-only books, and the administration list as stored.

#include "UserFolders.h"
#include "books/AppSettings.h"
#include "books/SettingsStore.h"
#include "records/TimeEntry.h"
#include "support/Timestamps.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;

namespace {

const QString sharing = u"6F9619FF-8B86-4011-B42D-00C04FC964FF"_s;
const QString keeping = u"7A1B2C3D-4E5F-4061-8727-38495A6B7C8D"_s;

// "default" reads back as keeping local whatever is stored.
const QList<Administration> administrations{
    Administration{Administration::defaultId, u"Local"_s, Administration::Numbering::open(), true},
    Administration{sharing, u"Studio"_s, Administration::Numbering::open(), false},
    Administration{keeping, u"Private"_s, Administration::Numbering::open(), true}};

} // namespace

class TestAppSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<SettingsStore> m_store;

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<SettingsStore>(QString());
        AppSettings::saveAdministrations(administrations, *m_store);
    }

    // A fresh user, or values of another type than the one expected, read as
    // the defaults.
    void defaults()
    {
        m_store->setString(u"idle.minutes"_s, u"15"_s);
        m_store->setInteger(u"ui.hotKeyEnabled"_s, 0);
        m_store->setString(u"idle.lockCountsAsAway"_s, u"false"_s);
        m_store->setBoolean(u"machine.name"_s, true);
        m_store->setInteger(u"reminders.firstMinutes"_s, qint64(1) << 40);
        AppSettings settings(Administration::defaultId, *m_store);
        QCOMPARE(settings.idleMinutes(), 10);
        QVERIFY(settings.hotKeyEnabled());
        QVERIFY(settings.lockCountsAsAway());
        QCOMPARE(settings.machineName(), TimeEntry::currentMachineName());
        QCOMPARE(settings.firstReminderMinutes(), 60);
        QVERIFY(!settings.sharedSyncEnabled());
        QVERIFY(!AppSettings::hasCompletedSetup(*m_store));

        // The identity is stored at once, so that it never changes; the borrowed
        // computer name is not, so that it follows a renamed computer.
        QVERIFY(parseUuid(settings.machineId()));
        QCOMPARE(m_store->string(u"machine.id"_s), settings.machineId());
        QVERIFY(!m_store->string(u"machine.name"_s));
        QCOMPARE(AppSettings(Administration::defaultId, *m_store).machineId(),
                 settings.machineId());
    }

    void perAdministrationKeys()
    {
        m_store->setString(u"machine.name"_s, u"Local name"_s);
        m_store->setInteger(u"idle.minutes"_s, 3);

        AppSettings studio(sharing, *m_store);
        // The person's one name on this computer, until books take their own.
        QCOMPARE(studio.machineName(), u"Local name"_s);
        QVERIFY(!studio.hasOwnName());
        QCOMPARE(studio.idleMinutes(), 3); // application-wide
        QVERIFY(studio.machineId() != AppSettings(Administration::defaultId, *m_store).machineId());

        studio.setOwnName(u"Anna"_s);
        studio.setSharedFolderPath(u" /mnt/nas/studio "_s);
        studio.setSharedSyncEnabled(true);
        studio.setIdleMinutes(15);
        const QString prefix = u"admin."_s + sharing;
        QCOMPARE(m_store->string(prefix + u".machine.name"_s), u"Anna"_s);
        QCOMPARE(m_store->boolean(prefix + u".share.enabled"_s), true);
        QCOMPARE(m_store->integer(u"idle.minutes"_s), 15);
        QCOMPARE(m_store->string(u"machine.name"_s), u"Local name"_s);
        QCOMPARE(AppSettings(Administration::defaultId, *m_store).machineName(), u"Local name"_s);
        QVERIFY(studio.hasOwnName());
        QCOMPARE(studio.sharedFolder(), u"/mnt/nas/studio"_s);

        // Renamed for every set of books: these give up their own name.
        studio.setMachineName(u"Anna B"_s);
        QVERIFY(!m_store->string(prefix + u".machine.name"_s));
        QCOMPARE(AppSettings(Administration::defaultId, *m_store).machineName(), u"Anna B"_s);
        studio.setOwnName(u"Anna"_s);

        // Forgetting the books removes their keys and nothing else; "default"
        // has none of its own to forget.
        AppSettings::forgetSettings(sharing, *m_store);
        AppSettings::forgetSettings(Administration::defaultId, *m_store);
        QCOMPARE(m_store->keys(), (QStringList{u"admin.list"_s, u"idle.minutes"_s, u"machine.id"_s,
                                               u"machine.name"_s}));
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
        m_store->setString(AppSettings::key(u"share.folder"_s, id), u"/mnt/nas"_s);
        m_store->setBoolean(AppSettings::key(u"share.enabled"_s, id), true);
        AppSettings settings(id, *m_store);
        QVERIFY(!settings.sharedSyncEnabled());
        QVERIFY(!settings.sharedFolder());
        QVERIFY(AppSettings::isLocalOnly(id, *m_store));
        QVERIFY(!AppSettings::administrationUsing(u"/mnt/nas"_s, sharing, *m_store));
    }

    void administrationsInTheStore()
    {
        QCOMPARE(AppSettings::administrations(*m_store), administrations);
        AppSettings::setCurrentAdministration(sharing, *m_store);
        QCOMPARE(AppSettings::currentAdministration(*m_store).id, sharing);
        QVERIFY(!AppSettings::isLocalOnly(sharing, *m_store));

        // A studio folder claimed by other books, found through their own key.
        m_store->setString(AppSettings::key(u"share.folder"_s, sharing), u"/mnt/nas/studio"_s);
        QCOMPARE(AppSettings::administrationUsing(u"/MNT/nas/studio/"_s, keeping, *m_store)->id,
                 sharing);

        // Books removed since they were last open: the first opens.
        AppSettings::saveAdministrations({administrations.first()}, *m_store);
        QCOMPARE(AppSettings::currentAdministration(*m_store).id, Administration::defaultId);
    }

    void followsChangesFromAnotherProcess()
    {
        test::UserFolders folders;
        SettingsStore app(SettingsStore::defaultPath());
        SettingsStore commandLine(SettingsStore::defaultPath());
        AppSettings settings(Administration::defaultId, app);
        QSignalSpy spy(&settings, &AppSettings::idleMinutesChanged);
        commandLine.setInteger(u"idle.minutes"_s, 30);
        app.refresh();
        QCOMPARE(settings.idleMinutes(), 30);
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
