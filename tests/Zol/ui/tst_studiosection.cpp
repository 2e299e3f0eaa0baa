// The Studio section on screen: Local explaining that it never shares,
// choosing a folder through the desktop's folder dialog, the refusal of a
// folder that belongs to other books, the state lines and the connection
// badge as they follow the folder, and "Disconnect" behind its confirmation.

#include "Books.h"
#include "Screenshots.h"
#include "SharingModel.h"
#include "window/ConnectionBadge.h"
#include "window/MainWindow.h"
#include "window/StudioSection.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace zol;
using namespace zol::test;
using namespace zol::ui;

class TestStudioSection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Books> m_books;
    std::unique_ptr<MainWindow> m_window;

    AppModel& model() { return *m_books->model; }
    FakeDesktop& desktop() { return *m_books->platform.desktop; }
    StudioSection& section()
    {
        return *qobject_cast<StudioSection*>(m_window->section(u"studio"_s));
    }
    template <typename T = QWidget> T* find(const QString& name, QObject* in = nullptr)
    {
        T* found = (in ? in : &section())->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QString text(const QString& name) { return find<QLabel>(name)->text(); }
    QString badge() { return find<ConnectionBadge>(u"connectionBadge"_s)->text(); }
    void click(const QString& name)
    {
        QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton);
    }

    // Opens books that may share, named Studio.
    void openSharingBooks()
    {
        const Administration books = named(u"Studio"_s);
        model().books().addAdministration(books);
        model().switchTo(books);
    }

private Q_SLOTS:
    void init()
    {
        m_books = std::make_unique<Books>();
        m_window = std::make_unique<MainWindow>(model());
        m_window->setFixedSize(1000, 860);
        model().setWindowSection(u"studio"_s);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_books.reset();
    }

    void localNeverShares()
    {
        QVERIFY(find(u"localOnly"_s)->isVisible() && !find(u"sharing"_s)->isVisible());
        QVERIFY(
            text(u"localExplanation"_s).startsWith(u"The first administration is always this."_s));
        QCOMPARE(badge(), u"On this computer"_s);
        saveScreenshots(*m_window, u"studio-local"_s);
        click(u"manageAdministrations"_s);
        QCOMPARE(model().windowSection(), u"administrations"_s);
    }

    void choosingAFolder()
    {
        QTemporaryDir taken;
        const Administration noord = named(u"Studio Noord"_s);
        model().books().addAdministration(noord);
        AppSettings(noord.id, model().defaults()).setSharedFolderPath(taken.path());
        openSharingBooks();
        QVERIFY(find(u"sharing"_s)->isVisible());
        QCOMPARE(text(u"folderPath"_s), u"No folder chosen"_s);
        QVERIFY(!find(u"disconnect"_s)->isVisible() && !find(u"syncNow"_s)->isEnabled());
        saveScreenshots(*m_window, u"studio-no-folder"_s);

        // Another administration's folder: refused, with the longer story.
        desktop().answers.enqueue(taken.path() + u'/');
        click(u"chooseFolder"_s);
        QCOMPARE(desktop().asked.constLast().contentType, u"inode/directory"_s);
        QCOMPARE(desktop().asked.constLast().title, u"Choose the shared folder on the NAS"_s);
        QVERIFY(find(u"folderRefusal"_s)->isVisible());
        QCOMPARE(text(u"refusalTitle"_s), u"That folder belongs to Studio Noord"_s);
        QCOMPARE(text(u"refusalText"_s), SharingModel::folderTakenExplanation());
        QVERIFY(!model().books().settings()->sharedFolder());
        saveScreenshots(*m_window, u"studio-refused"_s);

        // A cancelled dialog changes nothing.
        click(u"chooseFolder"_s);
        QVERIFY(find(u"folderRefusal"_s)->isVisible());

        QTemporaryDir own;
        desktop().answers.enqueue(own.path());
        click(u"chooseFolder"_s);
        QVERIFY(!find(u"folderRefusal"_s)->isVisible());
        QTRY_COMPARE(text(u"folderState"_s), u"Reachable · no other computers yet"_s);
        QCOMPARE(text(u"folderPath"_s), own.path());
        QCOMPARE(badge(), u"Studio folder · no one else yet"_s);
        QVERIFY(find<QCheckBox>(u"shareProjects"_s)->isChecked());
        QCOMPARE(text(u"lastSynced"_s), u"Last synced today 09:00"_s);
        QVERIFY(!find(u"conflictCopies"_s)->isVisible());
        saveScreenshots(*m_window, u"studio-reachable"_s);

        // A sync tool's conflict copies are pointed out, to be tidied.
        QVERIFY(QDir(own.path()).mkpath(u".zol/hours/Anna/2026/weeks"_s));
        for (const QString& week : {u"W09"_s, u"W10"_s})
            QVERIFY(QFile(own.filePath(u".zol/hours/Anna/2026/weeks/2026-"_s + week +
                                       u".sync-conflict-20260310-101010-ABCDEFG.csv"_s))
                        .open(QIODevice::WriteOnly));
        click(u"syncNow"_s);
        QTRY_VERIFY(find(u"conflictCopies"_s)->isVisible());
        QVERIFY(text(u"conflictCopies"_s)
                    .startsWith(u"2 conflict copies of timesheets left by the sync tool. "_s));
        saveScreenshots(*m_window, u"studio-conflict-copies"_s);

        // Out of reach: the line and the badge say so, as the panel does.
        QVERIFY(own.remove());
        click(u"syncNow"_s);
        QTRY_VERIFY(!model().sharing()->isSyncing());
        QCOMPARE(text(u"folderState"_s),
                 u"Cannot reach the shared folder at "_s + own.path() + u". Is the NAS mounted?"_s);
        QCOMPARE(badge(), u"Studio folder unreachable"_s);
        saveScreenshots(*m_window, u"studio-unreachable"_s);

        // Sharing switched off keeps the folder.
        auto* share = find<QCheckBox>(u"shareProjects"_s);
        QTest::mouseClick(share, Qt::LeftButton, {}, QPoint(8, share->height() / 2));
        QCOMPARE(text(u"folderState"_s), u"Chosen, but sharing is switched off."_s);
        QCOMPARE(badge(), u"On this computer"_s);
    }

    void disconnecting()
    {
        openSharingBooks();
        QTemporaryDir own;
        desktop().answers.enqueue(own.path());
        click(u"chooseFolder"_s);
        QTRY_VERIFY(model().sharing()->shareSummary());

        click(u"disconnect"_s);
        auto* sheet = find<QDialog>(u"disconnectSheet"_s);
        QCOMPARE(find<QLabel>(u"question"_s, sheet)->text(),
                 u"Disconnect Studio from the studio folder?"_s);
        saveScreenshots(*sheet, u"studio-disconnect"_s);
        QTest::mouseClick(find<QAbstractButton>(u"cancel"_s, sheet), Qt::LeftButton);
        QVERIFY(model().books().settings()->sharedFolder());

        click(u"disconnect"_s);
        sheet = find<QDialog>(u"disconnectSheet"_s);
        QTest::mouseClick(find<QAbstractButton>(u"confirm"_s, sheet), Qt::LeftButton);
        QVERIFY(!model().books().settings()->sharedFolder());
        QCOMPARE(m_books->said(), u"Studio is on this computer only now."_s);
        QCOMPARE(text(u"folderPath"_s), u"No folder chosen"_s);
        QVERIFY(QDir(own.path()).exists());
    }
};

QTEST_MAIN(TestStudioSection)
#include "tst_studiosection.moc"
