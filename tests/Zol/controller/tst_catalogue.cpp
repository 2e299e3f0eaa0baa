// The controller's project operations over an in-memory store: the refusal of
// a number already held, local projects given a number, renumbering with the
// sessions following, archiving, usage figures and known clients.

#include "Builders.h"
#include "CatalogueModel.h"
#include "HistoryModel.h"
#include "InMemoryBooks.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;

namespace {

const Project brandBook =
    project(u"2301"_s, u"Brand book"_s, u"Acme"_s, utc(2026, 1, 1), utc(2026, 1, 1));
const Project oldSign =
    project(u"P26001"_s, u"Old sign"_s, {}, utc(2026, 1, 1), utc(2026, 1, 1), false);
const QString pick = u" Pick it from the list, or use a different number."_s;

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

    std::unique_ptr<InMemoryBooks> m_books;

    AppModel& model() { return m_books->model; }
    CatalogueModel& catalogue() { return *model().catalogue(); }
    EntryStore& store() { return m_books->store(); }
    QString statusText() { return model().status() ? model().status()->text : QString(); }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<InMemoryBooks>();
        store().addManualProject(brandBook);
        store().addManualProject(oldSign);
        catalogue().reloadAllProjects();
        model().tracker()->reload();
    }

    void cleanup() { m_books.reset(); }

    void addingANumberAlreadyHeld_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("active, trimmed")
            << u" 2301\t"_s << u"2301 is already Acme — Brand book."_s + pick;
        QTest::newRow("archived, other case")
            << u"p26001"_s << u"P26001 is already Old sign, archived."_s + pick;
        QTest::newRow("free") << u" 2302 "_s << QString();
    }

    void addingANumberAlreadyHeld()
    {
        QFETCH(QString, number);
        QFETCH(QString, refusal);
        const std::optional<Project> added =
            catalogue().quickAddProject(number, u" Signs "_s, u"Beta"_s);
        QCOMPARE(added.has_value(), refusal.isEmpty());
        QCOMPARE(catalogue().allProjects().size(), refusal.isEmpty() ? 3 : 2);
        if (!refusal.isEmpty()) {
            QCOMPARE(model().status()->kind, StatusMessage::Kind::failure);
            QCOMPARE(statusText(), refusal);
            return;
        }
        QCOMPARE(added->serial, u"2302"_s);
        QCOMPARE(added->name, u"Signs"_s);
        QVERIFY(model().tracker()->projects().contains(*added));
    }

    void numberingMovesTheSessions()
    {
        // A project without a number, tracked on, then given one.
        const std::optional<Project> local =
            catalogue().quickAddProject({}, u"Kitchen"_s, u"Acme"_s);
        QVERIFY(local && local->serial.startsWith(u"LOCAL:"_s));
        QVERIFY(!catalogue().projectHolding(local->serial));
        store().save(session(utc(2026, 3, 2, 7), 60, local->serial, u"Kitchen"_s, u"Acme"_s));
        store().save(session(utc(2026, 3, 2, 8), 30));

        QVERIFY(catalogue().updateProject(*local, u"Kitchen"_s, u"Acme"_s, u" 2400 "_s));
        QCOMPARE(statusText(), u"Updated Kitchen."_s);
        QCOMPARE(catalogue().projectUsage().value(u"2400"_s).sessions, 1);

        // Renumbered and renamed; the history shows it straight away.
        QVERIFY(catalogue().updateProject(brandBook, u"Brand book II"_s, u"Acme"_s, u"2310"_s));
        const QList<TimeEntry> shown = model().history()->historyEntries();
        QCOMPARE(shown.constFirst().projectSerial, u"2310"_s);
        QCOMPARE(shown.constFirst().projectName, u"Brand book II"_s);

        // Another project's number is refused as when adding; nothing moves.
        const Project kitchen = *catalogue().projectHolding(u"2400"_s);
        QVERIFY(!catalogue().updateProject(kitchen, u"Kitchen"_s, u"Acme"_s, u"p26001"_s));
        QCOMPARE(statusText(), u"P26001 is already Old sign, archived."_s + pick);
        QCOMPARE(catalogue().projectUsage().value(u"2400"_s).sessions, 1);
    }

    void archivingAndPuttingBack()
    {
        catalogue().setProjectActive(brandBook, false);
        QCOMPARE(statusText(), u"Archived Brand book."_s);
        QVERIFY(model().tracker()->projects().isEmpty());
        QVERIFY(!catalogue().allProjects().constFirst().isActive);

        catalogue().setProjectActive(brandBook, true);
        QCOMPARE(statusText(), u"Brand book is back in the picker."_s);
        QCOMPARE(model().tracker()->projects().size(), 1);
    }

    void usageFigures()
    {
        store().save(session(utc(2026, 2, 27, 10), 60));
        store().save(session(utc(2026, 3, 1, 10), 30));
        TimeEntry internal = session(utc(2026, 3, 1, 12), 45, {}, u"Team meeting"_s, {});
        internal.isInternal = true;
        store().save(internal);
        model().tracker()->start(oldSign);
        m_books->clock.advance(120);

        const QHash<QString, ProjectUsage> usage = catalogue().projectUsage();
        QCOMPARE(usage.size(), 2);
        QCOMPARE(usage.value(u"2301"_s), (ProjectUsage{2, 5400, utc(2026, 3, 1, 10, 30)}));
        QCOMPARE(usage.value(u"P26001"_s), (ProjectUsage{1, 120, m_books->clock.now()}));
    }

    void knownClientsOncePerClient()
    {
        for (const auto& [serial, client] : {std::pair{u"1"_s, u"Acme"_s},
                                             {u"2"_s, u" acme "_s},
                                             {u"3"_s, u"Beta 10"_s},
                                             {u"4"_s, u"Beta  9"_s},
                                             {u"5"_s, QString()}})
            catalogue().quickAddProject(serial, u"Job"_s, client);
        QCOMPARE(catalogue().knownClients(), (QStringList{u"Acme"_s, u"Beta 9"_s, u"Beta 10"_s}));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
