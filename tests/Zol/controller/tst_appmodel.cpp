// The controller over real stores in temporary user folders: start-up on a
// database that cannot be opened, switching, removing and emptying books, the
// status line's clears and undo, and the sentences it shows.

#include "AppModel.h"
#include "Builders.h"
#include "FakeClock.h"
#include "FakePlatform.h"
#include "UserFolders.h"
#include "books/SettingsStore.h"
#include "store/EntryStore.h"
#include "support/Error.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

const Project brandBook{u"2301"_s, u"Brand book"_s, u"Acme"_s,
                        true,      utc(2026, 1, 1), utc(2026, 1, 1)};

Administration studio()
{
    Administration a = Administration::fresh();
    a.name = u"Studio"_s;
    return a;
}

} // namespace

class TestAppModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<UserFolders> m_folders;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<SettingsStore> m_defaults;
    std::unique_ptr<FakePlatform> m_platform;
    QByteArray m_home;

    std::unique_ptr<AppModel>
    makeModel(AppModel::StoreOpener opener = AppModel::defaultStoreOpener())
    {
        auto model = std::make_unique<AppModel>(*m_defaults, *m_clock, *m_platform, std::move(opener));
        model->bootstrap();
        return model;
    }

    // Sessions in the database of `administrationId`, read afresh from the file.
    QList<TimeEntry> storedEntries(const QString& administrationId)
    {
        return EntryStore(EntryStore::url(administrationId), *m_clock).recentEntries(100);
    }

private Q_SLOTS:
    void init()
    {
        m_home = qgetenv("HOME");
        m_folders = std::make_unique<UserFolders>();
        m_clock = std::make_unique<FakeClock>();
        m_defaults = std::make_unique<SettingsStore>(QString());
        m_platform = std::make_unique<FakePlatform>();
    }

    void cleanup()
    {
        m_defaults.reset();
        m_clock.reset();
        m_folders.reset();
        qputenv("HOME", m_home);
    }

    void unopenableDatabaseTracksInMemoryUntilASwitch()
    {
        // The data folder would be made below a regular file.
        QFile blocker(m_folders->root() + u"/blocker"_s);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("HOME", QFile::encodeName(m_folders->root()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName() + u"/data"_s));
        const auto model = makeModel();

        const QString start =
            u"Could not open ~/blocker/data/Zol. Tracking to a temporary "
            u"database that will not survive a quit. (Could not create the folder "_s;
        QVERIFY2(model->startupError() && model->startupError()->startsWith(start) &&
                     model->startupError()->endsWith(u')'),
                 qPrintable(model->startupError().value_or(u"none"_s)));

        QVERIFY(model->tracker()->start(brandBook));
        m_clock->advance(600);
        model->stop();
        QCOMPARE(model->store()->recentEntries(10).size(), 1);

        qputenv("XDG_DATA_HOME", QFile::encodeName(m_folders->dataHome()));
        const Administration other = studio();
        model->addAdministration(other);
        QSignalSpy errorChanged(model.get(), &AppModel::startupErrorChanged);
        model->switchTo(other);
        QVERIFY(!model->startupError());
        QCOMPARE(errorChanged.size(), 1);
        QCOMPARE(model->store()->path(), EntryStore::url(other.id));
    }

    void firstRunStoresLocal()
    {
        QVERIFY(!m_defaults->contains(u"admin.list"_s));
        const auto model = makeModel();
        QCOMPARE(AppSettings::administrations(*m_defaults).size(), 1);
        QVERIFY(m_defaults->contains(u"admin.list"_s));
        QCOMPARE(model->administration().name, u"Local"_s);
        QVERIFY(!AppSettings::hasCompletedSetup(*m_defaults));
    }

    void switchingStopsTheSessionInTheOldBooks()
    {
        const auto model = makeModel();
        const Administration other = studio();
        model->addAdministration(other);
        model->setPendingNote(u"for the next one"_s);
        model->tracker()->start(brandBook);
        m_clock->advance(5400);

        const quint64 before = model->generation();
        QSignalSpy closing(model.get(), &AppModel::booksClosing);
        model->switchTo(other);

        const QList<TimeEntry> old = storedEntries(Administration::defaultId);
        QCOMPARE(old.size(), 1);
        QCOMPARE(old.first().endedAt, m_clock->now());
        QVERIFY(storedEntries(other.id).isEmpty());
        QVERIFY(!model->tracker()->current());
        QCOMPARE(AppSettings::currentAdministration(*m_defaults).id, other.id);
        QVERIFY(model->generation() > before);
        QCOMPARE(closing.first().first().toULongLong(), before);
        QVERIFY(model->pendingNote().isEmpty());
        QCOMPARE(model->status()->kind, StatusMessage::Kind::success);
        QCOMPARE(model->status()->text, u"Switched to Studio."_s);

        // The open books again: nothing happens, nothing is said.
        model->setStatus(std::nullopt);
        QSignalSpy trackerChanged(model.get(), &AppModel::trackerChanged);
        model->switchTo(other);
        QCOMPARE(trackerChanged.size(), 0);
        QVERIFY(!model->status());
    }

    void removingTheOpenAdministration()
    {
        const auto model = makeModel();
        const Administration other = studio();
        model->removeAdministration(Administration::fallback()); // the last one stays
        model->addAdministration(other);
        model->removeAdministration(Administration::fallback()); // "Local" stays
        QCOMPARE(model->administrations().size(), 2);
        QVERIFY(!model->status());

        model->switchTo(other);
        model->tracker()->start(brandBook);
        m_clock->advance(120);
        model->removeAdministration(other);

        QCOMPARE(model->administration().id, Administration::defaultId);
        QCOMPARE(AppSettings::administrations(*m_defaults).size(), 1);
        QCOMPARE(model->status()->kind, StatusMessage::Kind::info);
        QCOMPARE(model->status()->text, u"Removed Studio. Its hours are still on this Mac."_s);
        QCOMPARE(storedEntries(other.id).size(), 1);
    }

    void emptyingBooks()
    {
        const auto model = makeModel();
        model->tracker()->start(brandBook);
        m_clock->advance(3600);
        model->clearAdministration(model->administration());

        QVERIFY(!model->tracker()->current());
        QVERIFY(model->tracker()->recent().isEmpty());
        QVERIFY(storedEntries(Administration::defaultId).isEmpty());
        QCOMPARE(model->status()->kind, StatusMessage::Kind::success);
        QCOMPARE(model->status()->text,
                 u"Emptied Local on this Mac. The studio folder is untouched."_s);

        // Other books that cannot be opened: their own error, nothing erased.
        const auto failing = makeModel([](const QString& id, const Clock& clock) {
            if (id != Administration::defaultId)
                throw Error(u"disk on fire"_s);
            return AppModel::defaultStoreOpener()(id, clock);
        });
        failing->clearAdministration(studio());
        QCOMPARE(failing->status()->kind, StatusMessage::Kind::failure);
        QCOMPARE(failing->status()->text, u"disk on fire"_s);
    }

    void stopMessages_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<StatusMessage::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("logged") << 5400.0 << StatusMessage::Kind::success
                                << u"Logged 1h 30m to Brand book."_s;
        QTest::newRow("59 s") << 59.0 << StatusMessage::Kind::info
                              << u"Under a minute, so nothing was recorded."_s;
    }

    void stopMessages()
    {
        QFETCH(double, seconds);
        QFETCH(StatusMessage::Kind, kind);
        QFETCH(QString, text);
        const auto model = makeModel();
        model->stop();
        QVERIFY(!model->status());

        model->tracker()->start(brandBook);
        m_clock->advance(seconds);
        model->stop();
        QCOMPARE(model->status()->kind, kind);
        QCOMPARE(model->status()->text, text);
    }

    void statusClears_data()
    {
        QTest::addColumn<bool>("undoable");
        QTest::addColumn<double>("lifetime");
        QTest::newRow("plain") << false << 4.0;
        QTest::newRow("deletion") << true << 12.0;
    }

    void statusClears()
    {
        QFETCH(bool, undoable);
        QFETCH(double, lifetime);
        const auto model = makeModel();
        const auto message = [&] {
            return undoable
                       ? StatusMessage::deletion(u"Deleted 1 session."_s, {QUuid::createUuid()})
                       : StatusMessage::info(u"Same."_s);
        };
        model->setStatus(message());
        m_clock->advance(lifetime - 1);
        // The same words again: the older message's clear must not take it.
        const StatusMessage newer = message();
        model->setStatus(newer);
        m_clock->advance(1);
        QCOMPARE(model->status(), newer);
        m_clock->advance(lifetime - 1.5);
        QVERIFY(model->status());
        m_clock->advance(0.5);
        QVERIFY(!model->status());
    }
};

QTEST_GUILESS_MAIN(TestAppModel)
#include "tst_appmodel.moc"
